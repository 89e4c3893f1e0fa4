// Every soft definition compiled into this module, walked word by word with
// a reader of its own: the grammar of definitions (tokens, fixed and optional
// words, sections, blocks), the order of the sections of each kind, and
// every name and text a definition refers to. It stands in for DefsTest.cpp,
// which loads the same definitions through the definition classes, while
// the application controller those classes load through is not part of the
// build.
#include "PXTestSupport.h"

#include "PXSdoDefRes.h"

#include <algorithm>
#include <map>
#include <set>
#include <stdexcept>
#include <vector>

namespace {

// --- A reader of the word format, enough to check the program's definitions.

struct Stmt
{
    std::vector<WORD> words;            // token, fixed words, optional words
    std::vector<Stmt> block;            // members, parameters, then branch
    std::vector<Stmt> elseBlock;
    WORD Token() const { return words[0]; }
    WORD Fixed(int i) const { return words.at(1 + i); }
};

struct Section
{
    WORD token = 0;
    std::vector<Stmt> header;
    std::vector<Stmt> body;
};

enum class Kind { Record, Dialog, Sheet };

struct Definition
{
    WORD id = 0;
    Kind kind = Kind::Record;
    std::vector<Section> sections;
    const Section* First(WORD token) const
    {
        for (const auto& s : sections)
            if (s.token == token)
                return &s;
        return nullptr;
    }
};

int FixedWords(WORD tok)
{
    switch (tok)
    {
    case 0x2002: case 0x3202: case 0x3208: case 0x3209: case 0x320B: return 1;
    case 0x2001: case 0x2301: case 0x3001: case 0x3002: case 0x3201: case 0x320A: return 2;
    case 0x3102: case 0x3103: case 0x3203: case 0x3204: case 0x3206: case 0x3207: return 3;
    default: return -1;
    }
}

bool Has(WORD style, WORD flag) { return (style & flag & 0x0FFF) != 0; }

// The number of optional words, from the words read so far.
int OptionalWords(const std::vector<WORD>& w)
{
    const WORD style = w.back();
    switch (w[0])
    {
    case 0x3001:
        if (Has(style, 0x010) || Has(style, 0x020)) return 2;
        return (Has(style, 0x040) || Has(style, 0x800)) ? 0 : 1;
    case 0x3102: return w[2] == 0x467 ? 1 : 0;
    case 0x3103: return (Has(style, 0x001) || Has(style, 0x002)) ? 1 : 0;
    case 0x3203:
        return Has(style, 0x002) + Has(style, 0x010) + Has(style, 0x004) + Has(style, 0x008);
    case 0x3206:
        if (w[2] == 0x4003 || w[2] == 0x4004) return Has(style, 0x001) ? 1 : 0;
        if (w[2] == 0x4006) return Has(style, 0x004) ? 3 : 2;
        return 1;
    case 0x3207:
        if (w[2] == 0x4078) return 2;
        if (w[2] == 0x4079) return Has(style, 0x004) ? 2 : 1;
        return 0;
    case 0x320A: return Has(style, 0x001) ? 2 : 0;
    default: return 0;
    }
}

// Tokens allowed in the header and in the body of each section.
bool Allowed(WORD section, WORD tok, bool header)
{
    static const std::map<WORD, std::pair<std::set<WORD>, std::set<WORD>>> table = {
        { 0x1001, { {}, { 0x3201, 0x3202, 0x3209, 0x320B } } },
        { 0x1002, { { 0x2001 }, { 0x3203 } } },
        { 0x1004, { { 0x2001, 0x2002 }, { 0x3103, 0x3001 } } },
        { 0x1006, { { 0x2001 }, { 0x3204 } } },
        { 0x1007, { { 0x2001, 0x2301 }, { 0x3206, 0x3207 } } },
        { 0x1008, { { 0x2301 }, { 0x3102, 0x3001, 0x3002 } } },
    };
    auto it = table.find(section);
    if (it == table.end())
        return false;
    const auto& s = header ? it->second.first : it->second.second;
    return s.count(tok) != 0;
}

class Walker
{
public:
    Walker(const WORD* p, size_t n) : m_p(p), m_n(n) {}

    Definition Read(WORD id, Kind kind)
    {
        Definition d;
        d.id = id;
        d.kind = kind;
        bool refs = false, data = false, soft = false;
        while (Peek() != 0)
        {
            const WORD tok = Peek();
            switch (kind)
            {
            case Kind::Record:
                if (tok == 0x1001) { Need(!refs, "second REFERENCES"); refs = true; }
                else if (tok == 0x1002) { Need(refs, "DATA before REFERENCES"); data = true; }
                else if (tok == 0x1004) Need(refs && data, "VERIFICATION before DATA");
                else Fail("section not allowed in a record definition");
                break;
            case Kind::Dialog:
                if (tok == 0x1001) { Need(!refs, "second REFERENCES"); refs = true; }
                else if (tok == 0x1007) { Need(refs, "SOFTCONTROL before REFERENCES"); soft = true; }
                else if (tok == 0x1006 || tok == 0x1008) Need(refs && soft, "section before SOFTCONTROL");
                else Fail("section not allowed in a dialog definition");
                break;
            case Kind::Sheet:
                Need(tok == 0x1001 && !refs, "a property sheet has one REFERENCES section");
                refs = true;
                break;
            }
            d.sections.push_back(ReadSection());
        }
        Need(refs, "no REFERENCES section");
        if (kind == Kind::Record) Need(data, "no DATA section");
        if (kind == Kind::Dialog) Need(soft, "no SOFTCONTROL section");
        return d;
    }

private:
    WORD Peek() const { return m_i < m_n ? m_p[m_i] : 0; }
    WORD Next()
    {
        Need(m_i < m_n, "definition ends inside a statement");
        return m_p[m_i++];
    }
    void Need(bool ok, const char* what) { if (!ok) Fail(what); }
    [[noreturn]] void Fail(const char* what)
    {
        char buf[160];
        wsprintfA(buf, "%s (word %u)", what, static_cast<unsigned>(m_i));
        throw std::runtime_error(buf);
    }

    Section ReadSection()
    {
        Section s;
        s.token = Next();
        while (Peek() != 0 && Peek() != 1)
        {
            Need(Allowed(s.token, Peek(), true), "statement not allowed in this header");
            s.header.push_back(ReadStatement(s.token));
        }
        Need(Next() == 1, "header not ended by 0x0001");
        for (;;)
        {
            const WORD tok = Peek();
            if (tok == 2) { Next(); break; }
            Need(tok != 0, "body not closed by 0x0002");
            Need(Allowed(s.token, tok, false), "statement not allowed in this body");
            s.body.push_back(ReadStatement(s.token));
        }
        return s;
    }

    // holder: the section whose body rules apply inside condition blocks
    Stmt ReadStatement(WORD holder)
    {
        Stmt s;
        const WORD tok = Next();
        const int nFixed = FixedWords(tok);
        Need(nFixed >= 0, "unknown token");
        s.words.push_back(tok);
        for (int k = 0; k < nFixed; ++k)
            s.words.push_back(Next());
        const bool firstMustBeSet = tok == 0x2301 || tok == 0x3001 || tok == 0x3002
            || tok == 0x3102 || tok == 0x3103 || tok == 0x3202 || tok == 0x3203
            || tok == 0x3204 || tok == 0x3206 || tok == 0x3207 || tok == 0x3208
            || tok == 0x320A || tok == 0x320B;
        Need(!firstMustBeSet || s.words[1] != 0, "first fixed word is 0");
        if (tok == 0x2001)
            Need(s.words[1] != 0, "SRVERSION 0");
        if (tok == 0x3001 || tok == 0x3102 || tok == 0x3103 || tok == 0x3203 || tok == 0x3204
            || tok == 0x3206 || tok == 0x3207 || tok == 0x320A || tok == 0x3002)
            Need((s.words.back() & 0xF000) == 0x8000, "style word without 0x8000");
        const int nOpt = OptionalWords(s.words);
        for (int k = 0; k < nOpt; ++k)
            s.words.push_back(Next());

        if (tok == 0x3207)
        {
            Need(Next() == 1, "group control without its member block");
            while (Peek() != 2)
            {
                Need(Peek() == 0x3208, "a group holds only members");
                s.block.push_back(ReadStatement(holder));
            }
            Next();
        }
        else if (tok == 0x3204)
        {
            if (Peek() == 1)
            {
                Next();
                while (Peek() != 2)
                {
                    Need(Peek() == 0x320A, "a data link block holds only parameters");
                    s.block.push_back(ReadStatement(holder));
                }
                Next();
            }
            Need(!Has(s.words[3], 0x002) || !s.block.empty(), "data link 0x002 without parameters");
        }
        else if (tok == 0x3001)
        {
            Need(Has(s.words[2], 0x300) || Has(s.words[2], 0x030) || Has(s.words[2], 0x040)
                 || Has(s.words[2], 0x080), "condition without a test");
            if (Peek() == 1)
            {
                Next();
                bool inElse = false;
                for (;;)
                {
                    const WORD t = Peek();
                    Need(t != 0, "condition block not closed");
                    if (t == 2) { Next(); break; }
                    if (t == 3 || t == 4) { Next(); inElse = t == 4; continue; }
                    Need(Allowed(holder, t, false), "statement not allowed in this block");
                    (inElse ? s.elseBlock : s.block).push_back(ReadStatement(holder));
                }
            }
            else if (Peek() != 2)
            {
                Need(Allowed(holder, Peek(), false), "statement not allowed after a condition");
                s.block.push_back(ReadStatement(holder));
            }
        }
        return s;
    }

    const WORD* m_p;
    size_t m_n;
    size_t m_i = 0;
};

// --- The definitions of this module

Kind KindOf(WORD id)
{
    if (id >= 22001 && id <= 23026) return Kind::Record;
    if (id >= 18001 && id <= 19125) return Kind::Sheet;
    return Kind::Dialog;
}

BOOL CALLBACK CollectId(HMODULE, LPCSTR, LPSTR name, LONG_PTR param)
{
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<WORD>*>(param)->push_back(
            static_cast<WORD>(reinterpret_cast<UINT_PTR>(name)));
    return TRUE;
}

std::vector<WORD> ResourceIds()
{
    std::vector<WORD> ids;
    EnumResourceNamesA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(10) /* RT_RCDATA */,
                       CollectId, reinterpret_cast<LONG_PTR>(&ids));
    return ids;
}

std::vector<WORD> Words(WORD id)
{
    HMODULE hMod = GetModuleHandleA(nullptr);
    HRSRC hRes = FindResourceA(hMod, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10));
    if (hRes == nullptr)
        return {};
    HGLOBAL hData = LoadResource(hMod, hRes);
    const WORD* p = static_cast<const WORD*>(LockResource(hData));
    const DWORD size = SizeofResource(hMod, hRes);
    return std::vector<WORD>(p, p + size / 2);
}

const std::map<WORD, Definition>& Definitions()
{
    static std::map<WORD, Definition> defs = [] {
        std::map<WORD, Definition> m;
        for (WORD id : ResourceIds())
        {
            std::vector<WORD> w = Words(id);
            Walker walker(w.data(), w.size());
            try {
                m[id] = walker.Read(id, KindOf(id));
            } catch (const std::exception& e) {
                ADD_FAILURE() << "definition " << id << ": " << e.what();
            }
        }
        return m;
    }();
    return defs;
}

std::string Text(UINT id)
{
    CString s;
    return s.LoadStringA(id) ? std::string(s) : std::string();
}

template <class F>
void ForEach(const std::vector<Stmt>& list, F f)
{
    for (const auto& s : list)
    {
        f(s);
        ForEach(s.block, f);
        ForEach(s.elseBlock, f);
    }
}

std::vector<WORD> Range(WORD first, WORD last)
{
    std::vector<WORD> v;
    for (UINT i = first; i <= last; ++i)
        v.push_back(static_cast<WORD>(i));
    return v;
}

// Fields of the records that have no display name.
const std::set<WORD> kNameless = { 25152, 25201, 25253, 25350, 25351, 25352, 25353, 25287,
                                   25402, 25403 };

} // namespace

TEST(Definitions, ModuleHoldsEveryDefinitionOfTheProgram)
{
    std::vector<WORD> expected;
    for (auto r : { Range(22001, 22004), Range(22801, 22809), Range(23001, 23026),
                    Range(14501, 14520), std::vector<WORD>{ 15001, 15003, 15103, 15104 },
                    Range(15107, 15113), Range(18001, 18002), Range(19101, 19125) })
        expected.insert(expected.end(), r.begin(), r.end());
    std::vector<WORD> found;
    for (const auto& d : Definitions())
        found.push_back(d.first);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, found);
    // Every resource read completely and in the order of its kind.
    EXPECT_EQ(ResourceIds().size(), Definitions().size());
}

TEST(Definitions, SectionsStandInTheOrderOfTheirKind)
{
    for (const auto& [id, d] : Definitions())
    {
        SCOPED_TRACE(id);
        std::vector<WORD> order;
        for (const auto& s : d.sections)
            order.push_back(s.token);
        ASSERT_FALSE(order.empty());
        EXPECT_EQ(0x1001, order.front());
        if (d.kind == Kind::Sheet)
        {
            EXPECT_EQ(1u, order.size());
            for (const auto& page : d.sections[0].body)
                EXPECT_EQ(0x3201, page.Token());
            EXPECT_FALSE(d.sections[0].body.empty());
        }
        if (d.kind == Kind::Record) {
            EXPECT_EQ(0x1002, order.at(1));
        }
        if (d.kind == Kind::Dialog)
        {
            EXPECT_EQ(0x1007, order.at(1));
            EXPECT_EQ(0x3202, d.sections[0].body.at(0).Token());
        }
        // every header that needs SRVERSION 1 1 (and SRSTYLE in VERIFICATION) has it
        for (const auto& s : d.sections)
        {
            if (s.token == 0x1002 || s.token == 0x1004 || s.token == 0x1006)
            {
                ASSERT_FALSE(s.header.empty());
                EXPECT_EQ((std::vector<WORD>{ 0x2001, 1, 1 }), s.header[0].words);
            }
            if (s.token == 0x1004)
            {
                ASSERT_EQ(2u, s.header.size());
                EXPECT_EQ((std::vector<WORD>{ 0x2002, 0x2201 }), s.header[1].words);
            }
            if (s.token == 0x1008)
            {
                ASSERT_EQ(1u, s.header.size());
                EXPECT_EQ(0x2301, s.header[0].Token());
            }
        }
    }
}

TEST(Definitions, RecordsHaveTheirFieldsAndRules)
{
    struct Case { WORD id; int fields, conditions, messages; };
    const Case cases[] = {
        { 22001, 3, 0, 0 }, { 22002, 3, 0, 0 }, { 22003, 2, 0, 0 }, { 22004, 37, 3, 2 },
        { 22801, 6, 2, 2 }, { 22802, 7, 2, 2 }, { 22803, 5, 0, 0 }, { 22804, 1, 0, 0 },
        { 22805, 2, 0, 0 }, { 22806, 5, 0, 0 }, { 22807, 4, 0, 0 }, { 22808, 2, 0, 0 },
        { 22809, 2, 2, 2 },
        { 23001, 11, 5, 3 }, { 23003, 8, 4, 2 }, { 23004, 4, 1, 1 }, { 23005, 3, 1, 1 },
        { 23006, 12, 25, 11 }, { 23008, 12, 25, 11 }, { 23010, 19, 21, 12 },
        { 23011, 4, 2, 1 }, { 23021, 3, 0, 0 }, { 23024, 3, 0, 0 },
        { 23002, 2, 0, 0 }, { 23007, 2, 0, 0 }, { 23009, 2, 0, 0 }, { 23012, 2, 0, 0 },
        { 23013, 2, 0, 0 }, { 23014, 2, 0, 0 }, { 23015, 2, 0, 0 }, { 23016, 2, 0, 0 },
        { 23017, 2, 0, 0 }, { 23018, 2, 0, 0 }, { 23019, 2, 0, 0 }, { 23020, 2, 0, 0 },
        { 23022, 2, 0, 0 }, { 23023, 2, 0, 0 }, { 23025, 2, 0, 0 }, { 23026, 2, 0, 0 },
    };
    const auto& defs = Definitions();
    size_t records = 0;
    for (const auto& d : defs)
        records += d.second.kind == Kind::Record;
    EXPECT_EQ(std::size(cases), records);
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.id);
        auto it = defs.find(c.id);
        ASSERT_NE(defs.end(), it);
        const Section* data = it->second.First(0x1002);
        ASSERT_NE(nullptr, data);
        EXPECT_EQ(c.fields, static_cast<int>(data->body.size()));
        int conditions = 0, messages = 0;
        for (const auto& s : it->second.sections)
            if (s.token == 0x1004)
                ForEach(s.body, [&](const Stmt& st) {
                    conditions += st.Token() == 0x3001;
                    messages += st.Token() == 0x3103;
                });
        EXPECT_EQ(c.conditions, conditions);
        EXPECT_EQ(c.messages, messages);
        // block records end with "Notes" (CHAR) and "Outputs" (rows of 23024)
        if (c.id >= 23001 && c.id != 23024)
        {
            const size_t n = data->body.size();
            ASSERT_GE(n, 2u);
            EXPECT_EQ((std::vector<WORD>{ 0x3203, 28116, 3, 0x8021 }), data->body[n - 2].words);
            EXPECT_EQ((std::vector<WORD>{ 0x3203, 28115, 7, 0x8005, 23024 }),
                      data->body[n - 1].words);
        }
    }
}

TEST(Definitions, EveryFieldVariableAndKindHasItsName)
{
    for (const auto& [id, d] : Definitions())
    {
        if (d.kind != Kind::Record)
            continue;
        SCOPED_TRACE(id);
        if (id == 22004 || (id >= 23001 && id != 23024)) {
            EXPECT_FALSE(Text(id).empty()) << "kind name";
        }
        for (const Stmt& f : d.First(0x1002)->body)
        {
            const WORD fid = f.Fixed(0);
            const WORD style = f.Fixed(2);
            if (kNameless.count(fid)) {
                EXPECT_TRUE(Text(fid).empty()) << fid;
            } else {
                EXPECT_FALSE(Text(fid).empty()) << "field " << fid;
            }
            // the bound variable's name, the optional word of 0x010
            if (Has(style, 0x010))
            {
                const WORD var = f.words[4 + Has(style, 0x002)];
                EXPECT_FALSE(Text(var).empty()) << "variable " << var << " of field " << fid;
            }
            EXPECT_GE(f.Fixed(1), 1);
            EXPECT_LE(f.Fixed(1), 7);
        }
    }
    EXPECT_EQ("Telset maintenance password", Text(25268));
    EXPECT_EQ("Menu choices", Text(29001));
    EXPECT_EQ("Speech Activated (SA) Messaging", Text(23021));
    EXPECT_EQ("File properties", Text(22004));
}

TEST(Definitions, MessagesAndCaptionsHaveTheirTexts)
{
    for (const auto& [id, d] : Definitions())
    {
        SCOPED_TRACE(id);
        for (const auto& s : d.sections)
            ForEach(s.body, [&](const Stmt& st) {
                if (st.Token() == 0x3103 && !Has(st.Fixed(2), 0x800))
                {
                    EXPECT_FALSE(Text(st.Fixed(1)).empty()) << "message " << st.Fixed(1);
                    if (Has(st.Fixed(2), 0x100)) {
                        EXPECT_FALSE(Text(st.words.back()).empty()) << "insert field";
                    }
                }
                if (st.Token() == 0x3102 && st.Fixed(1) == 0x467) {
                    EXPECT_FALSE(Text(st.words.back()).empty()) << "caption " << st.words.back();
                }
                if (st.Token() == 0x320A && Has(st.Fixed(1), 0x001)) {
                    EXPECT_FALSE(Text(st.words.back()).empty()) << "output name";
                }
            });
    }
    EXPECT_EQ("The save interval must be between 1 and 60 minutes.", Text(IDS_DEF_SAVEINTERVAL));
    EXPECT_EQ("The password in field '%1' is less than the minimum accepted length.  \n"
              "Please refer to Security Administration for the correct value.",
              Text(IDS_DEF_PWDTOOSHORT));
    EXPECT_EQ("Define voice items", Text(IDS_DEF_DEFINEVOICE));
}

TEST(Definitions, ReferencesLeadToDefinitionsOfTheRightKind)
{
    const auto& defs = Definitions();
    auto kindOf = [&](WORD id, Kind k) {
        auto it = defs.find(id);
        return it != defs.end() && it->second.kind == k;
    };
    for (const auto& [id, d] : defs)
    {
        SCOPED_TRACE(id);
        for (const Stmt& st : d.sections.at(0).body)
        {
            if (st.Token() == 0x3209) {
                EXPECT_TRUE(kindOf(st.Fixed(0), Kind::Sheet)) << st.Fixed(0);
            }
            // dialogs 14004 and 14005 of the user application and server
            // record are never opened: their callers name their own dialogs
            if (st.Token() == 0x3201 && st.Fixed(0) != 14004 && st.Fixed(0) != 14005) {
                EXPECT_TRUE(kindOf(st.Fixed(0), Kind::Dialog)) << st.Fixed(0);
            }
        }
        if (d.kind == Kind::Record)
        {
            for (const Stmt& f : d.First(0x1002)->body)
            {
                if (f.Fixed(1) == 7) {
                    EXPECT_TRUE(kindOf(f.words.back(), Kind::Record)) << f.Fixed(0);
                }
            }
            // the block records each have their own property sheet
            if (id >= 23001 && id != 23024) {
                ASSERT_EQ(1, std::count_if(d.sections[0].body.begin(), d.sections[0].body.end(),
                                           [](const Stmt& s) { return s.Token() == 0x3209; }));
            }
        }
    }
}

TEST(Definitions, WalkerRefusesMalformedWords)
{
    struct Case { std::vector<WORD> words; Kind kind; const char* why; };
    const Case cases[] = {
        { { 0x1001, 1, 2, 0x1004, 0x2001, 1, 1, 1, 2 }, Kind::Record, "VERIFICATION before DATA" },
        { { 0x1001, 1, 2, 0x1001, 1, 2 }, Kind::Record, "second REFERENCES" },
        { { 0x1001, 1, 2, 0x1002, 0x2001, 1, 1, 1, 0x3205, 2 }, Kind::Record, "not allowed" },
        { { 0x1001, 1, 2, 0x1002, 0x2001, 1, 1, 1, 0x3203, 5, 1 }, Kind::Record, "ends inside" },
        { { 0x1001, 1, 0x3202, 10001, 2, 0x1006, 0x2001, 1, 1, 1, 2 }, Kind::Dialog,
          "before SOFTCONTROL" },
        { { 0x1001, 1, 0x3201, 1, 1, 2, 0x1001, 1, 2 }, Kind::Sheet, "one REFERENCES" },
    };
    for (const auto& c : cases)
    {
        Walker w(c.words.data(), c.words.size());
        try {
            w.Read(1, c.kind);
            ADD_FAILURE() << "accepted: " << c.why;
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string::npos, std::string(e.what()).find(c.why)) << e.what();
        }
    }
    // the grammar's own examples read as one statement each
    const std::vector<WORD> ok = { 0x1001, 1, 2, 0x1002, 0x2001, 1, 1, 1,
                                   0x3203, 0x62A2, 0x0007, 0x8005, 0x55F3, 2 };
    Walker w(ok.data(), ok.size());
    Definition d = w.Read(1, Kind::Record);
    ASSERT_EQ(1u, d.sections.at(1).body.size());
    EXPECT_EQ(22003, d.sections[1].body[0].words.back());
}
