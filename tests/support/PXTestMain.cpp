// main() of every test executable: consistency checks throw PXAssertion so a
// test can observe them, and a message box nobody expected fails the test
// instead of waiting for a person.
#include "PXTestSupport.h"

#include <cstdio>

namespace {

void ThrowingAssertHandler(const char* pszExpr, const char* pszFile, int nLine)
{
    // Named in the log too: a check caught at a window's edge reaches the
    // test only as a message box without its expression.
    fprintf(stderr, "consistency check %s (%s:%d)\n", pszExpr, pszFile, nLine);
    throw PXAssertion{ pszExpr, pszFile, nLine };
}

int UnexpectedMessageBox(HWND, const char* pszText, const char* pszCaption, UINT)
{
    ADD_FAILURE() << "unexpected message box \"" << (pszCaption ? pszCaption : "")
                  << "\": " << (pszText ? pszText : "");
    return IDCANCEL;
}

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    PXSetAssertHandler(ThrowingAssertHandler);
    PXSetMessageBoxHook(UnexpectedMessageBox);
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    return RUN_ALL_TESTS();
}
