// Exceptions: what they carry, how copies share it, and the report text.
#include "PXTestSupport.h"

#include <sstream>
#include <type_traits>

namespace {

std::vector<std::string> Lines(const CString& str)
{
    std::vector<std::string> lines;
    std::istringstream in{ std::string(static_cast<const char*>(str)) };
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

} // namespace

TEST(Exception, FormatTextHasSevenLines)
{
    struct { unsigned nDescr; const char* pszDescr; } cases[] = {
        { IDS_PX_NORESOURCE, "Cannot load resource" },
        { IDS_PX_NEWWORDARRAY, "New WordArray" },
        { 4242, "" },                                       // no string-table entry
        { 0, "Out of memory or internal failure" },         // names no description
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nDescr);
        PXException x(c.nDescr, "F", 23);
        PXXMem xm(c.nDescr, "C:\\src\\Def.cpp", 1077);
        CString out("left over");
        EXPECT_EQ(&out, &x.FormatText(out));
        std::vector<std::string> expected = {
            "Error# " + std::to_string(c.nDescr), c.pszDescr, "", "DEBUG info:", "", "   File: \"F\"", "   Line: 23"
        };
        EXPECT_EQ(expected, Lines(out));
        EXPECT_EQ('3', out[out.GetLength() - 1]) << "no line break after the line number";

        CString outMem;
        static_cast<PXException&>(xm).FormatText(outMem);
        expected[5] = "   File: \"C:\\src\\Def.cpp\"";
        expected[6] = "   Line: 1077";
        EXPECT_EQ(expected, Lines(outMem));
    }
}

TEST(Exception, CopiesShareTheFileName)
{
    CString strFile("C:\\src\\Reader.cpp");
    PXException x(IDS_PX_NORESOURCE, strFile, 88);
    PXException copy(x);
    EXPECT_EQ(unsigned(IDS_PX_NORESOURCE), copy.m_nDescr);
    EXPECT_EQ(88, copy.m_nLine);
    EXPECT_EQ(x.m_FileName.GetData(), copy.m_FileName.GetData());
    EXPECT_EQ(strFile.GetData(), copy.m_FileName.GetData());

    PXXMem xm(0, strFile, 12);
    PXXMem copyMem(xm);
    EXPECT_EQ(0u, copyMem.m_nDescr);
    EXPECT_EQ(12, copyMem.m_nLine);
    EXPECT_EQ(xm.m_FileName.GetData(), copyMem.m_FileName.GetData());
}

TEST(Exception, ThrowerMustNameFileAndLine)
{
    EXPECT_PXASSERT(PXException(1553, "", 5), "(!(fileName.IsEmpty())&&nLine!=0)");
    EXPECT_PXASSERT(PXException(1553, "F", 0), "(!(fileName.IsEmpty())&&nLine!=0)");
    EXPECT_PXASSERT(PXXMem(0, CString(), 5), "(!(fileName.IsEmpty())&&nLine!=0)");
}

TEST(Exception, RethrowAsXMemNamesTheCatcher)
{
    // A handler turns a lower PXXMem into its own, naming where it caught it.
    int nThrowLine = 0;
    try {
        try {
            PXTHROW_XMEM(IDS_PX_NEWWORDARRAY);
        } catch (const PXXMem&) {
            nThrowLine = __LINE__ + 1;
            PXTHROW_XMEM(0);
        }
    } catch (PXException& x) {
        EXPECT_EQ(0u, x.m_nDescr);
        EXPECT_EQ(nThrowLine, x.m_nLine);
        EXPECT_NE(-1, x.m_FileName.Find("ExceptionTest.cpp"));
        CString out;
        x.FormatText(out);
        EXPECT_EQ("Out of memory or internal failure", Lines(out).at(1));
        return;
    }
    ADD_FAILURE() << "nothing was thrown";
}

namespace {

// An exception of a caller's own that counts its destructions.
class CountedException : public PXException
{
public:
    explicit CountedException(int* pnDestroyed) : PXException(0, "F", 1), m_pnDestroyed(pnDestroyed) {}
    ~CountedException() override { ++*m_pnDestroyed; }

    int* m_pnDestroyed;
};

} // namespace

TEST(Exception, DeletedThroughTheBaseRunsTheWholeDestructor)
{
    static_assert(std::has_virtual_destructor<PXException>::value, "exceptions are deleted through their base");
    int nDestroyed = 0;
    PXException* pX = new CountedException(&nDestroyed);
    delete pX;
    EXPECT_EQ(1, nDestroyed);
}
