// The page lists of the page dialogs.
#include "PageList.h"

#include "EditorDlgRes.h"
#include "Page.h"
#include "Program.h"

CString PageListLine(Program* pProgram, Page* pPage)
{
    CString line;
    if (pPage->GetKind() == PX_PAGE_SUPERBLOCK)
    {
        bool bExport = pProgram && kvrGetPageType(pProgram->GetHandle(), pPage->GetName()) == 1;
        CString state(MAKEINTRESOURCEA(bExport ? IDS_PAGES_EXPORT : IDS_PAGES_INTERNAL));
        line.Format("%-16.16s\t%s", pPage->GetName(), static_cast<const char*>(state));
    }
    else
        line = pPage->GetName();
    return line;
}

int AddPageLine(HWND hList, Program* pProgram, Page* pPage, int nIndex)
{
    CString line = PageListLine(pProgram, pPage);
    LRESULT n = nIndex < 0
        ? ::SendMessageA(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<const char*>(line)))
        : ::SendMessageA(hList, LB_INSERTSTRING, static_cast<WPARAM>(nIndex),
                         reinterpret_cast<LPARAM>(static_cast<const char*>(line)));
    if (n < 0)
        return -1;
    ::SendMessageA(hList, LB_SETITEMDATA, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(pPage));
    return static_cast<int>(n);
}

void FillPageList(HWND hList, Program* pProgram, int nKind)
{
    ::SendMessageA(hList, LB_RESETCONTENT, 0, 0);
    if (!pProgram)
        return;
    ListIterator it(pProgram->GetPages());
    while (it)
    {
        Page& page = static_cast<Page&>(it++);
        if (page.GetKind() == nKind)
            AddPageLine(hList, pProgram, &page);
    }
}

Page* SelectedPage(HWND hList, int* pnIndex)
{
    LRESULT nSel = ::SendMessageA(hList, LB_GETCURSEL, 0, 0);
    if (pnIndex)
        *pnIndex = nSel == LB_ERR ? -1 : static_cast<int>(nSel);
    if (nSel == LB_ERR)
        return nullptr;
    LRESULT data = ::SendMessageA(hList, LB_GETITEMDATA, static_cast<WPARAM>(nSel), 0);
    return data == LB_ERR ? nullptr : reinterpret_cast<Page*>(data);
}
