// The directory syntax of the components and the escaping of values.
#include "TvText.h"

#include <cwctype>
#include <cstdlib>

namespace {

const wchar_t kHex[] = L"0123456789abcdef";

void AppendHexByte(std::wstring& out, unsigned b)
{
    out += L'\\';
    out += kHex[(b >> 4) & 15];
    out += kHex[b & 15];
}

int HexValue(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

} // namespace

std::wstring TvEscapeFilterValue(const std::wstring& s)
{
    std::wstring out;
    for (wchar_t c : s) {
        if (c == L'*' || c == L'(' || c == L')' || c == L'\\' || c == 0)
            AppendHexByte(out, static_cast<unsigned>(c));
        else
            out += c;
    }
    return out;
}

std::wstring TvEscapeDNValue(const std::wstring& s)
{
    std::wstring out;
    for (size_t i = 0; i < s.size(); ++i) {
        wchar_t c = s[i];
        bool special = c == L',' || c == L'+' || c == L'"' || c == L'\\' || c == L'<' ||
                       c == L'>' || c == L';' || c == L'=' || c == 0 ||
                       (i == 0 && (c == L' ' || c == L'#')) || (i + 1 == s.size() && c == L' ');
        if (special)
            AppendHexByte(out, static_cast<unsigned>(c));
        else
            out += c;
    }
    return out;
}

std::vector<std::wstring> TvSplit(const std::wstring& s, const std::wstring& sep)
{
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (;;) {
        size_t p = s.find(sep, start);
        if (p == std::wstring::npos) {
            parts.push_back(s.substr(start));
            return parts;
        }
        parts.push_back(s.substr(start, p - start));
        start = p + sep.size();
    }
}

bool TvIsAttrName(const std::wstring& s)
{
    if (s.empty() || s.size() > 64 || !iswalpha(s[0]) || s[0] > 127)
        return false;
    for (wchar_t c : s)
        if (c > 127 || !(iswalnum(c) || c == L'-'))
            return false;
    return true;
}

bool TvParseAttrValues(const std::wstring& s, std::vector<TvAttrValues>& out)
{
    out.clear();
    if (s.empty())
        return true;
    for (const std::wstring& pair : TvSplit(s, TV_SEP_ATTRIB)) {
        size_t p = pair.find(TV_SEP_VALUE);
        if (p == std::wstring::npos)
            return false;
        TvAttrValues av;
        av.strName = pair.substr(0, p);
        if (!TvIsAttrName(av.strName))
            return false;
        std::wstring value = pair.substr(p + wcslen(TV_SEP_VALUE));
        if (!value.empty())
            av.values = TvSplit(value, TV_SEP_MV);
        out.push_back(av);
    }
    return true;
}

std::wstring TvLower(std::wstring s)
{
    for (wchar_t& c : s)
        c = towlower(c);
    return s;
}

bool TvEqualNoCase(const std::wstring& a, const std::wstring& b)
{
    return TvLower(a) == TvLower(b);
}

bool TvParseDN(const std::wstring& dn, std::vector<TvRdn>& out)
{
    out.clear();
    TvRdn rdn;
    std::wstring name, value;
    bool inValue = false;
    auto finishPair = [&]() -> bool {
        // Blanks around the separators are not part of a name or value.
        while (!name.empty() && name.back() == L' ')
            name.pop_back();
        while (!name.empty() && name.front() == L' ')
            name.erase(0, 1);
        if (!inValue || !TvIsAttrName(name) || value.empty())
            return false;
        rdn.emplace_back(name, value);
        name.clear();
        value.clear();
        inValue = false;
        return true;
    };
    for (size_t i = 0; i < dn.size(); ++i) {
        wchar_t c = dn[i];
        if (!inValue) {
            if (c == L'=')
                inValue = true;
            else if (c == L',' || c == L'+' || c == L'\\')
                return false;
            else
                name += c;
            continue;
        }
        if (c == L'\\') {
            if (i + 1 >= dn.size())
                return false;
            int h1 = HexValue(dn[i + 1]);
            int h2 = i + 2 < dn.size() ? HexValue(dn[i + 2]) : -1;
            if (h1 >= 0 && h2 >= 0) {
                value += static_cast<wchar_t>(h1 * 16 + h2);
                i += 2;
            } else {
                value += dn[i + 1];
                i += 1;
            }
        } else if (c == L'+') {
            if (!finishPair())
                return false;
        } else if (c == L',') {
            if (!finishPair())
                return false;
            out.push_back(rdn);
            rdn.clear();
        } else if (c == L'=' ) {
            return false;
        } else {
            value += c;
        }
    }
    if (!finishPair())
        return false;
    out.push_back(rdn);
    return true;
}

std::wstring TvFormatDN(const std::vector<TvRdn>& rdns)
{
    std::wstring out;
    for (size_t i = 0; i < rdns.size(); ++i) {
        if (i)
            out += L',';
        for (size_t j = 0; j < rdns[i].size(); ++j) {
            if (j)
                out += L'+';
            out += rdns[i][j].first + L"=" + TvEscapeDNValue(rdns[i][j].second);
        }
    }
    return out;
}

std::vector<std::pair<std::wstring, std::wstring>> TvFilterTerms(const std::wstring& filter)
{
    std::vector<std::pair<std::wstring, std::wstring>> terms;
    size_t i = 0;
    while ((i = filter.find(L'(', i)) != std::wstring::npos) {
        size_t close = filter.find(L')', i + 1);
        size_t nextOpen = filter.find(L'(', i + 1);
        if (close == std::wstring::npos)
            break;
        if (nextOpen != std::wstring::npos && nextOpen < close) {
            i = nextOpen;
            continue;
        }
        std::wstring term = filter.substr(i + 1, close - i - 1);
        size_t eq = term.find(L'=');
        if (eq != std::wstring::npos && eq > 0 && term[eq - 1] != L'>' && term[eq - 1] != L'<' &&
            term[eq - 1] != L'~' && TvIsAttrName(term.substr(0, eq)))
            terms.emplace_back(term.substr(0, eq), term.substr(eq + 1));
        i = close + 1;
    }
    return terms;
}

bool TvFilterBalanced(const std::wstring& filter)
{
    if (filter.size() < 3 || filter.front() != L'(' || filter.back() != L')')
        return false;
    int depth = 0;
    for (size_t i = 0; i < filter.size(); ++i) {
        if (filter[i] == L'\\') {
            ++i;
            continue;
        }
        if (filter[i] == L'(')
            ++depth;
        else if (filter[i] == L')' && --depth < 0)
            return false;
        if (depth == 0 && i + 1 < filter.size())
            return false;
    }
    return depth == 0;
}

std::wstring TvToHex(const unsigned char* p, size_t n)
{
    static const wchar_t kUpper[] = L"0123456789ABCDEF";
    std::wstring out;
    for (size_t i = 0; i < n; ++i) {
        out += kUpper[p[i] >> 4];
        out += kUpper[p[i] & 15];
    }
    return out;
}

std::wstring TvFromInt(long long n)
{
    return std::to_wstring(n);
}

bool TvToInt(const std::wstring& s, long long& n)
{
    if (s.empty() || s.size() > 19)
        return false;
    size_t i = (s[0] == L'-') ? 1 : 0;
    if (i == s.size())
        return false;
    for (size_t j = i; j < s.size(); ++j)
        if (s[j] < L'0' || s[j] > L'9')
            return false;
    n = _wtoi64(s.c_str());
    return true;
}
