// The palette's inner window with its tabs and its list of blocks.
#include "PXInTabWnd.h"
#include "PXAssert.h"
#include "PXListCtrl.h"
#include "PXMainFrame.h"
#include "PXMsgBox.h"
#include "PXPaletteManager.h"
#include "PXTabCtrl.h"
#include "PXUIMsg.h"
#include "PXUIRes.h"

#include <commctrl.h>

namespace
{
// The inner windows' class name: empty until the class is registered.
CString s_strInnerClass;

const DWORD kInnerStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
const DWORD kListStyle = WS_CHILD | WS_VISIBLE | LVS_ICON | LVS_SINGLESEL | LVS_SHAREIMAGELISTS | LVS_AUTOARRANGE;

HWND MainWindow()
{
    PXMainFrame* pMainFrame = GetPXMainFrame();
    return pMainFrame ? pMainFrame->m_hWnd : nullptr;
}
}

// ---- PXInnerWnd ----------------------------------------------------------------

const char* PXInnerWnd::GetClassNameText()
{
    return "PXInnerWnd Class";
}

int PXInnerWnd::Create(int x, int y, int cx, int cy, HWND hParent)
{
    PXASSERT(::IsWindow(hParent));
    HINSTANCE hInstance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(hParent, GWLP_HINSTANCE));
    if (s_strInnerClass.IsEmpty())
    {
        WNDCLASSA wc = {};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = PXWndImpl::WindowProc;
        wc.hInstance = hInstance;
        wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH));
        wc.lpszClassName = GetClassNameText();
        if (!::RegisterClassA(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            return 0;
        s_strInnerClass = GetClassNameText();
    }
    return PXWnd::Create(0, s_strInnerClass, "InnerWnd", kInnerStyle, x, y, cx, cy, hParent, nullptr, nullptr);
}

int PXInnerWnd::CreateRect(int left, int top, int right, int bottom, HWND hParent)
{
    return Create(left, top, right - left, bottom - top, hParent);
}

BOOL PXInnerWnd::DestroyWindow()
{
    BOOL bResult = PXWnd::DestroyWindow();
    m_hWnd = nullptr;
    return bResult;
}

// ---- PXInTabWnd ----------------------------------------------------------------

PXInTabWnd::PXInTabWnd()
    : m_pTabCtrl(nullptr), m_pListCtrl(nullptr), m_hFont(nullptr), m_nItems(0), m_nTabs(0), m_bDragging(false),
      m_bLoadingTab(false), m_bTabChanged(false)
{
}

PXInTabWnd::~PXInTabWnd()
{
    // The controls went with the window; only their wrappers may be left.
    if (m_pListCtrl)
        m_pListCtrl->m_hWnd = nullptr;
    if (m_pTabCtrl)
        m_pTabCtrl->m_hWnd = nullptr;
    delete m_pListCtrl;
    delete m_pTabCtrl;
    if (m_hFont)
        ::DeleteObject(m_hFont);
}

BOOL PXInTabWnd::DestroyWindow()
{
    if (m_pListCtrl)
    {
        if (::IsWindow(m_pListCtrl->m_hWnd))
            m_pListCtrl->DestroyWindow();
        m_pListCtrl->m_hWnd = nullptr;
        delete m_pListCtrl;
        m_pListCtrl = nullptr;
    }
    if (m_pTabCtrl)
    {
        if (::IsWindow(m_pTabCtrl->m_hWnd))
            m_pTabCtrl->DestroyWindow();
        m_pTabCtrl->m_hWnd = nullptr;
        delete m_pTabCtrl;
        m_pTabCtrl = nullptr;
    }
    return PXInnerWnd::DestroyWindow();
}

void PXInTabWnd::OnClose()
{
    // The inner window does not close by itself: its palette does.
    PXMessageBeep(0);
}

LRESULT PXInTabWnd::OnCreate(LPARAM)
{
    RECT rc;
    GetClientRect(&rc);
    ::SetRect(&rc, rc.left + 2, rc.top + 2, rc.right - 2, rc.bottom - 2);

    // A control the system does not make leaves an empty palette; the
    // handlers below do without it.
    m_pTabCtrl = new PXTabCtrl;
    if (!m_pTabCtrl->Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rc, this, kTabCtrlId))
    {
        delete m_pTabCtrl;
        m_pTabCtrl = nullptr;
        return 0;
    }
    m_hFont = ::CreateFontA(-8, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
    if (m_hFont)
        m_pTabCtrl->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), FALSE);
    CString strLoading;
    strLoading.LoadStringA(IDS_UI_PALETTELOADING);
    TCITEMA tab = {};
    tab.mask = TCIF_TEXT;
    tab.pszText = const_cast<char*>(static_cast<const char*>(strLoading));
    m_pTabCtrl->InsertItem(0, &tab);
    m_bLoadingTab = true;
    m_nTabs = 0;

    m_pListCtrl = new PXListCtrl;
    if (!m_pListCtrl->Create(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "ListView", kListStyle, 0, 0, 0, 0, m_hWnd,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kListCtrlId)), nullptr))
    {
        delete m_pListCtrl;
        m_pListCtrl = nullptr;
        return 0;
    }
    PlaceList();
    PXASSERT(m_pResizedIconIL != 0);
    m_pListCtrl->SetImageList(m_pResizedIconIL, LVSIL_NORMAL);
    m_nItems = 0;
    return 0;
}

void PXInTabWnd::PlaceList()
{
    if (!m_pTabCtrl || !m_pListCtrl || !m_pListCtrl->m_hWnd)
        return;
    RECT rc;
    m_pTabCtrl->GetWindowRect(&rc);
    ScreenToClient(&rc);
    m_pTabCtrl->AdjustRect(FALSE, &rc);
    rc.left -= 1;
    rc.top += 1;
    m_pListCtrl->MoveWindow(&rc);
}

void PXInTabWnd::OnSize(UINT, int cx, int cy)
{
    if (!m_pTabCtrl || !m_pTabCtrl->m_hWnd)
        return;
    RECT rc;
    m_pTabCtrl->GetWindowRect(&rc);
    ScreenToClient(&rc);
    m_pTabCtrl->MoveWindow(rc.left, rc.top, cx - 4, cy - 4);
    PlaceList();
}

void PXInTabWnd::OnAddItem(LPARAM lParam)
{
    const PXPalettePBItem* pItem = reinterpret_cast<const PXPalettePBItem*>(lParam);
    if (!pItem || !m_pListCtrl)
        return;
    CString strName = pItem->GetName();
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = m_nItems;
    item.pszText = const_cast<char*>(static_cast<const char*>(strName));
    item.iImage = pItem->GetImage();
    item.lParam = static_cast<LPARAM>(pItem->GetParam());
    const int nAt = static_cast<int>(m_pListCtrl->SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (nAt >= 0)
        ++m_nItems;
}

void PXInTabWnd::OnRemoveAllItems()
{
    if (m_pListCtrl)
        m_pListCtrl->SendMessage(LVM_DELETEALLITEMS, 0, 0);
    m_nItems = 0;
}

void PXInTabWnd::OnAddTab(WPARAM wParam, LPARAM lParam)
{
    if (!m_pTabCtrl)
        return;
    if (m_bLoadingTab)
    {
        m_pTabCtrl->SendMessage(TCM_DELETEALLITEMS, 0, 0);
        m_nTabs = 0;
        m_bLoadingTab = false;
    }
    const char* pszName = reinterpret_cast<const char*>(wParam);
    TCITEMA tab = {};
    tab.mask = TCIF_TEXT | TCIF_PARAM;
    tab.pszText = const_cast<char*>(pszName ? pszName : "");
    tab.lParam = lParam;
    if (m_pTabCtrl->InsertItem(m_nTabs, &tab) >= 0)
        ++m_nTabs;
}

void PXInTabWnd::OnSelectTab(WPARAM wParam)
{
    if (m_pTabCtrl)
        m_pTabCtrl->SendMessage(TCM_SETCURSEL, wParam, 0);
}

void PXInTabWnd::OnRemoveAll()
{
    OnRemoveAllItems();
    if (m_pTabCtrl)
        m_pTabCtrl->SendMessage(TCM_DELETEALLITEMS, 0, 0);
    m_nTabs = 0;
}

int PXInTabWnd::GetCurSel()
{
    return m_pTabCtrl ? static_cast<int>(m_pTabCtrl->SendMessage(TCM_GETCURSEL, 0, 0)) : -1;
}

void PXInTabWnd::OnTabSelChange()
{
    m_bTabChanged = true;
    SendSelectedTab();
}

void PXInTabWnd::OnControlClick(NMHDR* pHdr)
{
    if (!m_pTabCtrl || !pHdr || pHdr->hwndFrom != m_pTabCtrl->m_hWnd)
        return;
    // The press that changed the tab has shown its group already.
    if (m_bTabChanged)
    {
        m_bTabChanged = false;
        return;
    }
    SendSelectedTab();
}

void PXInTabWnd::SendSelectedTab()
{
    const int nSel = GetCurSel();
    if (nSel < 0)
        return;
    TCITEMA tab = {};
    tab.mask = TCIF_PARAM;
    // The placeholder tab carries no group.
    if (!m_pTabCtrl->SendMessage(TCM_GETITEMA, nSel, reinterpret_cast<LPARAM>(&tab)) || !tab.lParam)
        return;
    if (HWND hMain = MainWindow())
        ::SendMessageA(hMain, WM_PLT_TABSELECTED, 0, tab.lParam);
}

void PXInTabWnd::BeginUpdate()
{
    ::SendMessageA(m_hWnd, WM_SETREDRAW, FALSE, 0);
    if (m_pListCtrl)
        m_pListCtrl->SetImageList(m_pIconIL, LVSIL_NORMAL);
}

void PXInTabWnd::EndUpdate()
{
    if (m_pListCtrl)
        m_pListCtrl->SetImageList(m_pResizedIconIL, LVSIL_NORMAL);
    ::SendMessageA(m_hWnd, WM_SETREDRAW, TRUE, 0);
    if (m_pListCtrl)
    {
        m_pListCtrl->Invalidate(TRUE);
        ::UpdateWindow(m_pListCtrl->m_hWnd);
    }
}

void PXInTabWnd::OnListBeginDrag(NMHDR* pHdr)
{
    const NMLISTVIEW* pInfo = reinterpret_cast<const NMLISTVIEW*>(pHdr);
    PXASSERT(m_bDragging==0);
    if (!m_pListCtrl)
        return;
    PXMainFrame* pMainFrame = GetPXMainFrame();
    PXASSERT(pMainFrame!=0);
    ::SendMessageA(pMainFrame->m_hWnd, WM_PLT_DRAGSTART, 0, 0);
    ImageList_EndDrag();
    m_bDragging = true;

    const int i = pInfo->iItem;
    POINT a = pInfo->ptAction;
    POINT u = {0, 0};
    HIMAGELIST hDragImage = reinterpret_cast<HIMAGELIST>(
        m_pListCtrl->SendMessage(LVM_CREATEDRAGIMAGE, i, reinterpret_cast<LPARAM>(&u)));
    ::SetCapture(m_hWnd);
    const POINT hotspot = {a.x - u.x, a.y - u.y};
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = i;
    m_pListCtrl->SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    m_pListCtrl->ClientToScreen(&a);
    pMainFrame->BeginDrag(hDragImage, a.x, a.y, static_cast<INT_PTR>(item.lParam), &hotspot, 1);
    // The drag runs on a copy of the image.
    if (hDragImage)
        ImageList_Destroy(hDragImage);
}

void PXInTabWnd::OnMouseMove(UINT nKeys, int x, int y)
{
    if (!m_bDragging)
    {
        ImageList_EndDrag();
        PXInnerWnd::OnMouseMove(nKeys, x, y);
        return;
    }
    POINT pt = {x, y};
    ClientToScreen(&pt);
    if (PXMainFrame* pMainFrame = GetPXMainFrame())
        pMainFrame->DragMove(nKeys, pt.x, pt.y, nullptr);
}

void PXInTabWnd::OnLButtonUp(UINT nKeys, int x, int y)
{
    if (!m_bDragging)
    {
        PXInnerWnd::OnLButtonUp(nKeys, x, y);
        return;
    }
    // Cleared first: the capture's release must not read as a lost one.
    m_bDragging = false;
    ::ReleaseCapture();
    POINT pt = {x, y};
    ClientToScreen(&pt);
    if (PXMainFrame* pMainFrame = GetPXMainFrame())
        pMainFrame->EndDrag(pt.x, pt.y, true);
}

void PXInTabWnd::OnCaptureChanged(HWND hWndNew)
{
    if (!m_bDragging || hWndNew == m_hWnd)
        return;
    m_bDragging = false;
    if (PXMainFrame* pMainFrame = GetPXMainFrame())
        pMainFrame->CancelDrag();
}
