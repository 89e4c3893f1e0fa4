// The main frame and the user applications: a program file opened in a page
// window, or the window of a program already open brought forward; an
// application's program written to its file.
#include "UIMDIFrame.h"
#include "Page.h"
#include "Program.h"
#include "ProgramFile.h"

#include <string.h>

namespace {

// The page a program opens on: "Main", where its calls begin. A damaged
// file may have lost it; its first page is shown then.
Page* OpeningPage(Program* pProgram)
{
    if (Page* pMain = pProgram->GetMainPage())
        return pMain;
    Page* pFirst = nullptr;
    pProgram->ForEachPage(
        [](Page* pPage, void* pData) {
            Page*& rpFirst = *static_cast<Page**>(pData);
            if (!rpFirst)
                rpFirst = pPage;
        },
        &pFirst);
    return pFirst;
}

// Whether two names are of one program file: both made absolute and
// compared without regard to case, as the file system compares them.
bool SameProgramFile(const char* pszA, const char* pszB)
{
    char szA[MAX_PATH], szB[MAX_PATH];
    DWORD nA = ::GetFullPathNameA(pszA, sizeof(szA), szA, nullptr);
    DWORD nB = ::GetFullPathNameA(pszB, sizeof(szB), szB, nullptr);
    if (nA == 0 || nA >= sizeof(szA) || nB == 0 || nB >= sizeof(szB))
        return ::lstrcmpiA(pszA, pszB) == 0;
    for (char* p = szA; *p; ++p)
        if (*p == '/')
            *p = '\\';
    for (char* p = szB; *p; ++p)
        if (*p == '/')
            *p = '\\';
    return ::lstrcmpiA(szA, szB) == 0;
}

} // namespace

int UIMDIFrame::OpenProgram(const char* pszPath, Program** ppProgram)
{
    *ppProgram = nullptr;
    Program* pProgram = nullptr;
    for (UIMDIChild* pChild : m_Children)
    {
        Program* pShown = pChild->GetProgram();
        if (pShown && SameProgramFile(pShown->GetName(), pszPath))
        {
            pProgram = pShown;
            break;
        }
    }
    if (pProgram)
        SetCurrentProgram(pProgram);
    else
    {
        pProgram = PXFileLoadProgram(pszPath, nullptr);
        if (!pProgram)
        {
            // The loader made another program current in the model: the
            // active window's is again.
            if (UIMDIChild* pActive = GetActiveEditWindow())
                if (Program* pActiveProgram = pActive->GetProgram())
                    pActiveProgram->Activate();
            return 1;
        }
        if (HWindow)
            ::SetFocus(HWindow);
        if (!OpenEditWindow(pProgram, OpeningPage(pProgram)))
        {
            // No window shows it: nobody would ever delete it.
            delete pProgram;
            return 1;
        }
        pProgram->ClearModified();
        pProgram->RefreshRllIcons();
    }
    if (Page* pMain = pProgram->GetMainPage())
        if (UIMDIChild* pChild = FindChildForPage(pMain))
            ActivateChild(pChild);
    if (m_pCurrentProgram != pProgram)
        SetCurrentProgram(pProgram);
    *ppProgram = pProgram;
    return 0;
}

int UIMDIFrame::SaveProgramFile(Program* pProgram)
{
    if (!pProgram)
        return 0;
    // The writer keeps the old file whole when the new one cannot be
    // written, and says why; the program then stays modified.
    int nResult = PXFileSaveProgram(pProgram->GetName(), pProgram, nullptr) == 1 ? 1 : 0;
    RefreshCaptions();
    return nResult;
}

void UIMDIFrame::RefreshPalette(Program* pProgram)
{
    PaletteFollowProgram(nullptr);
    PaletteFollowProgram(pProgram);
}
