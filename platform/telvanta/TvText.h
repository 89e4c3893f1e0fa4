// Texts of the directory syntax that the clients and the server share, and
// the escaping of every value that goes into a filter (RFC 4515) or a
// distinguished name (RFC 4514).
#pragma once

#include <string>
#include <utility>
#include <vector>

#define TV_SEP_VALUE L"~{value}~"
#define TV_SEP_ATTRIB L"~{attrib}~"
#define TV_SEP_MV L"~{mv}~"

struct TvAttrValues {
    std::wstring strName;
    std::vector<std::wstring> values;
};

std::wstring TvEscapeFilterValue(const std::wstring& s);
std::wstring TvEscapeDNValue(const std::wstring& s);

std::vector<std::wstring> TvSplit(const std::wstring& s, const std::wstring& sep);

// "name~{value}~v1~{mv}~v2~{attrib}~name2~{value}~..." into its pairs; false
// when a pair has no "~{value}~" or a name that is no attribute name.
bool TvParseAttrValues(const std::wstring& s, std::vector<TvAttrValues>& out);

bool TvIsAttrName(const std::wstring& s);
bool TvEqualNoCase(const std::wstring& a, const std::wstring& b);
std::wstring TvLower(std::wstring s);

// One relative name: its attribute/value pairs (values unescaped).
using TvRdn = std::vector<std::pair<std::wstring, std::wstring>>;

// Parses a DN as the clients write it: RDNs joined by ",", pairs by "+",
// values as they stand or with RFC 4514 backslash escapes. False for a
// malformed name.
bool TvParseDN(const std::wstring& dn, std::vector<TvRdn>& out);
// Writes a parsed DN back with every value escaped.
std::wstring TvFormatDN(const std::vector<TvRdn>& rdns);

// Values of the equality terms "(name=value)" of a filter, in their order.
std::vector<std::pair<std::wstring, std::wstring>> TvFilterTerms(const std::wstring& filter);

// Whether a filter is one well-formed parenthesised expression.
bool TvFilterBalanced(const std::wstring& filter);

std::wstring TvToHex(const unsigned char* p, size_t n);
std::wstring TvFromInt(long long n);
bool TvToInt(const std::wstring& s, long long& n);
