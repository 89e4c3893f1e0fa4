// The directory syntax of the components and the escaping of values that go
// into filters and names, and the confinement of server paths.
#include "TvStorage.h"
#include "TvText.h"

#include <gtest/gtest.h>

TEST(TvText, FilterValuesAreEscaped)
{
    const struct { const wchar_t* in; const wchar_t* out; } cases[] = {
        { L"4001", L"4001" },
        { L"*)(uid=*", L"\\2a\\29\\28uid=\\2a" },
        { L"a\\b", L"a\\5cb" },
        { L"", L"" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.out, TvEscapeFilterValue(c.in)) << c.in;
    EXPECT_EQ(L"a\\00b", TvEscapeFilterValue(std::wstring(L"a\0b", 3)));
}

TEST(TvText, DNValuesAreEscaped)
{
    const struct { const wchar_t* in; const wchar_t* out; } cases[] = {
        { L"plain", L"plain" },
        { L"a,b", L"a\\2cb" },
        { L"x+y=z", L"x\\2by\\3dz" },
        { L" lead", L"\\20lead" },
        { L"trail ", L"trail\\20" },
        { L"#hash", L"\\23hash" },
        { L"<a>;\"", L"\\3ca\\3e\\3b\\22" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.out, TvEscapeDNValue(c.in)) << c.in;
}

TEST(TvText, DNsParseAndComeBackEscaped)
{
    std::vector<TvRdn> rdns;
    ASSERT_TRUE(TvParseDN(L"appid=12+customerid=1,o=telvanta", rdns));
    ASSERT_EQ(2u, rdns.size());
    ASSERT_EQ(2u, rdns[0].size());
    EXPECT_EQ(L"customerid", rdns[0][1].first);
    EXPECT_EQ(L"1", rdns[0][1].second);
    EXPECT_EQ(L"appid=12+customerid=1,o=telvanta", TvFormatDN(rdns));

    ASSERT_TRUE(TvParseDN(L"userid=a\\2cb,o=telvanta", rdns));
    EXPECT_EQ(L"a,b", rdns[0][0].second);
    EXPECT_EQ(L"userid=a\\2cb,o=telvanta", TvFormatDN(rdns));

    // An unescaped metacharacter in a value splits no name: it is refused.
    for (const wchar_t* bad : { L"", L"o=", L"=x", L"a=1,,o=t", L"userid=*)(uid=*,o=x=y", L"a b=1", L"x=1\\" })
        EXPECT_FALSE(TvParseDN(bad, rdns)) << bad;
}

TEST(TvText, AttributeValueListsSplitIntoPairsAndValues)
{
    std::vector<TvAttrValues> list;
    ASSERT_TRUE(TvParseAttrValues(L"customerid~{value}~7~{attrib}~appname~{value}~Main", list));
    ASSERT_EQ(2u, list.size());
    EXPECT_EQ(L"appname", list[1].strName);
    ASSERT_EQ(1u, list[1].values.size());
    EXPECT_EQ(L"Main", list[1].values[0]);

    ASSERT_TRUE(TvParseAttrValues(L"usermailboxpsswd~{value}~new~{mv}~old", list));
    ASSERT_EQ(2u, list[0].values.size());
    EXPECT_EQ(L"old", list[0].values[1]);

    ASSERT_TRUE(TvParseAttrValues(L"appdescr~{value}~", list));
    EXPECT_TRUE(list[0].values.empty());

    for (const wchar_t* bad : { L"novalue", L"bad name~{value}~1", L"a~{value}~1~{attrib}~" })
        EXPECT_FALSE(TvParseAttrValues(bad, list)) << bad;
}

TEST(TvText, FilterTermsAndBalance)
{
    auto terms = TvFilterTerms(L"(&(objectclass=APPLICATION)(volumeid=1)(lockingpc=1.1.1.1)(lockinguser=4001))");
    ASSERT_EQ(4u, terms.size());
    EXPECT_EQ(L"lockingpc", terms[2].first);
    EXPECT_EQ(L"1.1.1.1", terms[2].second);
    EXPECT_EQ(L"4001", terms[3].second);
    EXPECT_TRUE(TvFilterTerms(L"(&(appprofid>=3)(!(appprofid<=5)))").empty());

    EXPECT_TRUE(TvFilterBalanced(L"(&(a=1)(|(b=2)(c=3)))"));
    for (const wchar_t* bad : { L"", L"a=1", L"(a=1))(", L"(a=1)(b=2)", L"((a=1)", L"(a=1" })
        EXPECT_FALSE(TvFilterBalanced(bad)) << bad;
}

TEST(TvText, ServerPathsStayInsideTheStorage)
{
    TvConfig config;
    config.strStorageRoot = L"T:\\";
    std::wstring full;
    EXPECT_EQ(0, TvStoragePath(config, L"apps\\1\\10\\10_1.ED", full));
    EXPECT_EQ(L"T:\\apps\\1\\10\\10_1.ED", full);
    EXPECT_EQ(0, TvStoragePath(config, L"apps\\\\1\\\\x.ED", full));
    EXPECT_EQ(L"T:\\apps\\1\\x.ED", full);
    EXPECT_EQ(0, TvStoragePath(config, L"d:\\zantrel\\ssl\\Telvanta.cer", full));
    EXPECT_EQ(L"T:\\d\\zantrel\\ssl\\Telvanta.cer", full);
    for (const wchar_t* bad : { L"", L"..\\x", L"apps\\..\\..\\x", L"C:..\\x", L"C:\\..\\x", L"CC:\\x", L"\\abs",
                                L"a\\*.ED", L"a\\.\\b", L"C:\\" })
        EXPECT_EQ(TVC_BAD_REQUEST, TvStoragePath(config, bad, full)) << bad;
    EXPECT_EQ(TVC_BAD_REQUEST, TvStoragePath(config, std::wstring(300, L'a'), full));
    config.strStorageRoot.clear();
    EXPECT_EQ(TVC_BAD_REQUEST, TvStoragePath(config, L"apps\\x", full));
}
