// The list-view wrapper: made outside the window table, with its image list.
#include "PXListCtrl.h"
#include "PXImageList.h"

int PXListCtrl::Create(DWORD dwExStyle, const char* pszClassName, const char* pszTitle,
                       DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hwndParent,
                       HMENU hMenu, void* pParam)
{
    m_hWnd = CreateWindowExA(dwExStyle, pszClassName, pszTitle, dwStyle, x, y, nWidth, nHeight,
                             hwndParent, hMenu, PXWnd::GetInstanceHandle(), pParam);
    return m_hWnd != nullptr;
}

HIMAGELIST PXListCtrl::SetImageList(PXImageList* pImageList, int nImageListType)
{
    return reinterpret_cast<HIMAGELIST>(
        SendMessage(LVM_SETIMAGELIST, nImageListType,
                    reinterpret_cast<LPARAM>(pImageList ? pImageList->m_hImageList : nullptr)));
}
