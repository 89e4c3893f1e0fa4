// The tab-control wrapper.
#include "PXTabCtrl.h"
#include "PXAssert.h"

int PXTabCtrl::Create(DWORD dwStyle, const RECT& rect, PXWnd* pParentWnd, UINT nID)
{
    InitCommonControls();
    PXASSERT(::IsWindow(pParentWnd->m_hWnd));
    m_hWnd = CreateWindowExA(0, WC_TABCONTROLA, "Tab Ctrl", dwStyle, rect.left, rect.top,
                             rect.right - rect.left, rect.bottom - rect.top, pParentWnd->m_hWnd,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)),
                             PXWnd::GetInstanceHandle(), nullptr);
    return m_hWnd != nullptr;
}

void PXTabCtrl::AdjustRect(BOOL bLarger, RECT* pRect)
{
    SendMessage(TCM_ADJUSTRECT, bLarger, reinterpret_cast<LPARAM>(pRect));
}

int PXTabCtrl::InsertItem(int nItem, TCITEMA* pTabCtrlItem)
{
    return static_cast<int>(SendMessage(TCM_INSERTITEMA, nItem, reinterpret_cast<LPARAM>(pTabCtrlItem)));
}
