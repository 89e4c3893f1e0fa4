// The window wrapper: binding of handles to objects, the shared window
// procedure and the dispatch of the palette's messages.
#include "PXWnd.h"
#include "PXDC.h"
#include "PXBitmap.h"
#include "PXUIMsg.h"
#include "PXFaultHandler.h"

#include <windowsx.h>
#include <commctrl.h>
#include <stdlib.h>
#include <new>

PXWnd* PXWndImpl::m_pNextWndToConnect = nullptr;
PXWnd* PXWndImpl::m_pDesktopWindow = nullptr;
HINSTANCE PXWndImpl::m_hInstance = nullptr;
HWND* PXWndImpl::m_phWnds = nullptr;
PXWnd** PXWndImpl::m_ppWnds = nullptr;
int PXWndImpl::m_nCount = 0;
int PXWndImpl::m_nRoom = 0;

namespace {

// The table starts with room for the palette's windows and grows when more
// are alive at once.
const int kInitialTableRoom = 10;

void DefaultCallbackFailure()
{
    CString strText;
    try {
        throw;
    } catch (PXException& x) {
        x.FormatText(strText);
    } catch (...) {
        strText.LoadStringA(IDS_PX_NODESCR);
    }
    ShowMessage("%s", nullptr, MB_OK | MB_ICONSTOP | MB_TASKMODAL, static_cast<const char*>(strText));
}

PXCallbackFailureHook g_pfnCallbackFailure = DefaultCallbackFailure;

} // namespace

PXCallbackFailureHook PXSetCallbackFailureHook(PXCallbackFailureHook pfnHook)
{
    PXCallbackFailureHook pfnOld = g_pfnCallbackFailure;
    g_pfnCallbackFailure = pfnHook ? pfnHook : DefaultCallbackFailure;
    return pfnOld;
}

void PXCallbackFailed()
{
    try {
        g_pfnCallbackFailure();
    } catch (...) {
        // The hook itself failed; nothing more can be said from here.
    }
}

// ---------------------------------------------------------------- PXWndImpl

PXWndImpl::PXWndImpl(PXWnd* pOwner)
    : m_pOwner(pOwner), m_pDC(nullptr)
{
}

PXWndImpl::~PXWndImpl()
{
    if (m_pDC)
    {
        // The window is gone with its context: nothing can be selected back.
        m_pDC->m_hDC = nullptr;
        delete m_pDC;
    }
}

PXWnd* PXWndImpl::FromHandle(HWND hWnd)
{
    for (int i = 0; i < m_nCount; i++)
        if (m_phWnds[i] == hWnd)
            return m_ppWnds[i];
    return nullptr;
}

int PXWndImpl::GetTableCount()
{
    return m_nCount;
}

bool PXWndImpl::Bind(HWND hWnd, PXWnd* pWnd)
{
    if (m_nCount == m_nRoom)
    {
        int nRoom = m_nRoom ? m_nRoom * 2 : kInitialTableRoom;
        HWND* phWnds = static_cast<HWND*>(realloc(m_phWnds, nRoom * sizeof(HWND)));
        if (!phWnds)
            return false;
        m_phWnds = phWnds;
        PXWnd** ppWnds = static_cast<PXWnd**>(realloc(m_ppWnds, nRoom * sizeof(PXWnd*)));
        if (!ppWnds)
            return false;
        m_ppWnds = ppWnds;
        m_nRoom = nRoom;
    }
    pWnd->m_hWnd = hWnd;
    m_phWnds[m_nCount] = hWnd;
    m_ppWnds[m_nCount] = pWnd;
    m_nCount++;
    return true;
}

void PXWndImpl::Unbind(HWND hWnd)
{
    for (int i = 0; i < m_nCount; i++)
    {
        if (m_phWnds[i] == hWnd)
        {
            for (int j = i + 1; j < m_nCount; j++)
            {
                m_phWnds[j - 1] = m_phWnds[j];
                m_ppWnds[j - 1] = m_ppWnds[j];
            }
            m_nCount--;
            return;
        }
    }
}

LRESULT CALLBACK PXWndImpl::WindowProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    try {
        PXWnd* pWnd = FromHandle(hWnd);
        if (!pWnd)
        {
            if (nMsg == WM_NCDESTROY)
            {
                // A window whose binding was refused at WM_NCCREATE.
                return DefWindowProcA(hWnd, nMsg, wParam, lParam);
            }
            if (nMsg != WM_NCCREATE && nMsg != WM_GETMINMAXINFO)
                PXASSERT(0);
            pWnd = m_pNextWndToConnect;
            PXASSERT(pWnd!=0);
            m_pNextWndToConnect = nullptr;
            if (!Bind(hWnd, pWnd))
            {
                // No room for one more window: the creation fails at
                // WM_NCCREATE (which may still follow).
                m_pNextWndToConnect = pWnd;
                return nMsg == WM_NCCREATE ? FALSE : DefWindowProcA(hWnd, nMsg, wParam, lParam);
            }
        }
        PXASSERT(pWnd!=0);
        PXASSERT(::IsWindow(pWnd->m_hWnd));
        return Dispatch(pWnd, nMsg, wParam, lParam);
    } catch (...) {
        PXCallbackFailed();
    }
    return 0;
}

LRESULT PXWndImpl::Dispatch(PXWnd* pWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    // Mouse positions keep their sign: a drag left of or above the window
    // gives negative coordinates.
    int x = GET_X_LPARAM(lParam);
    int y = GET_Y_LPARAM(lParam);
    switch (nMsg)
    {
    case WM_CREATE:
    {
        LRESULT lR = pWnd->OnCreate(lParam);
        PXASSERT(lR==0);
        return lR;
    }
    case WM_SIZE:
        pWnd->OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_PAINT:
        pWnd->OnPaint();
        return 0;
    case WM_CLOSE:
        pWnd->OnClose();
        return 0;
    case WM_NOTIFY:
    {
        NMHDR* pHdr = reinterpret_cast<NMHDR*>(lParam);
        if (pHdr && pHdr->code == TCN_SELCHANGE)
        {
            pWnd->OnTabSelChange();
            return 0;
        }
        if (pHdr && pHdr->code == LVN_BEGINDRAG)
        {
            pWnd->OnListBeginDrag(pHdr);
            return 0;
        }
        if (pHdr && pHdr->code == static_cast<UINT>(NM_CLICK))
        {
            pWnd->OnControlClick(pHdr);
            return 0;
        }
        return DefWindowProcA(pWnd->m_hWnd, nMsg, wParam, lParam);
    }
    case WM_NCDESTROY:
    {
        HWND hWnd = pWnd->m_hWnd;
        LRESULT lR = DefWindowProcA(hWnd, nMsg, wParam, lParam);
        pWnd->m_hWnd = nullptr;
        Unbind(hWnd);
        PXASSERT(lR==0);
        return lR;
    }
    case WM_NCHITTEST:
        return pWnd->OnNcHitTest(x, y);
    case WM_MOUSEMOVE:
        pWnd->OnMouseMove(static_cast<UINT>(wParam), x, y);
        return 0;
    case WM_LBUTTONDOWN:
        pWnd->OnLButtonDown(static_cast<UINT>(wParam), x, y);
        return 0;
    case WM_LBUTTONUP:
        pWnd->OnLButtonUp(static_cast<UINT>(wParam), x, y);
        return 0;
    case WM_LBUTTONDBLCLK:
        pWnd->OnLButtonDblClk(static_cast<UINT>(wParam), x, y);
        return 0;
    case WM_CAPTURECHANGED:
        pWnd->OnCaptureChanged(reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_PLT_ADDITEM:
        pWnd->OnAddItem(lParam);
        return 0;
    case WM_PLT_CLEARITEMS:
        pWnd->OnRemoveAllItems();
        return 0;
    case WM_PLT_ADDTAB:
        pWnd->OnAddTab(wParam, lParam);
        return 0;
    case WM_PLT_SELECTTAB:
        pWnd->OnSelectTab(wParam);
        return 0;
    case WM_PLT_CLEARALL:
        pWnd->OnRemoveAll();
        return 0;
    default:
        return DefWindowProcA(pWnd->m_hWnd, nMsg, wParam, lParam);
    }
}

// -------------------------------------------------------------------- PXWnd

PXWnd::PXWnd()
    : m_hWnd(nullptr), m_pImpl(nullptr)
{
    m_pImpl = new PXWndImpl(this);
}

PXWnd::~PXWnd()
{
    PXASSERT(m_hWnd==0);
    delete m_pImpl;
}

int PXWnd::Create(DWORD dwExStyle, const char* pszClassName, const char* pszTitle, DWORD dwStyle,
                  int x, int y, int nWidth, int nHeight, HWND hwndParent, HMENU hMenu,
                  void* pParam)
{
    PXASSERT(m_pImpl->m_pNextWndToConnect==0);
    PXASSERT(::IsWindow(hwndParent));
    PXWndImpl::m_pNextWndToConnect = this;
    PXWndImpl::m_hInstance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwndParent, GWLP_HINSTANCE));
    HWND hWnd = CreateWindowExA(dwExStyle, pszClassName, pszTitle, dwStyle, x, y, nWidth, nHeight,
                                hwndParent, hMenu, PXWndImpl::m_hInstance, pParam);
    // Whether or not a window came of it, no creation is pending any more:
    // a failed one must not block the next.
    PXWndImpl::m_pNextWndToConnect = nullptr;
    if (hWnd && PXWndImpl::FromHandle(hWnd) == this)
        PXASSERT(hWnd==m_hWnd);
    else if (hWnd)
        m_hWnd = hWnd;    // a class with a procedure of its own
    return (hWnd && m_hWnd == hWnd) ? 1 : 0;
}

HINSTANCE PXWnd::GetInstanceHandle()
{
    return PXWndImpl::m_hInstance;
}

PXWnd* PXWnd::GetDesktopWindow()
{
    if (!PXWndImpl::m_pDesktopWindow)
    {
        PXWndImpl::m_pDesktopWindow = new PXWnd;
        PXWndImpl::m_pDesktopWindow->m_hWnd = ::GetDesktopWindow();
    }
    return PXWndImpl::m_pDesktopWindow;
}

void PXWnd::GetWindowRect(RECT* pRect) const
{
    PXASSERT(::IsWindow(m_hWnd));
    ::GetWindowRect(m_hWnd, pRect);
}

void PXWnd::GetClientRect(RECT* pRect) const
{
    PXASSERT(::IsWindow(m_hWnd));
    ::GetClientRect(m_hWnd, pRect);
}

BOOL PXWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    return ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

BOOL PXWnd::MoveWindow(const RECT* pRect, BOOL bRepaint)
{
    return ::MoveWindow(m_hWnd, pRect->left, pRect->top, pRect->right - pRect->left,
                        pRect->bottom - pRect->top, bRepaint);
}

BOOL PXWnd::SetWindowPos(HWND hwndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    // The check keeps its text of old, which names the flag by its value.
    if (!(nFlags & SWP_NOZORDER))
        PXAssertFailed("(nFlags&0x0004)", __FILE__, __LINE__);
    return ::SetWindowPos(m_hWnd, hwndInsertAfter, x, y, cx, cy, nFlags);
}

void PXWnd::ScreenToClient(POINT* pPoint) const
{
    ::ScreenToClient(m_hWnd, pPoint);
}

void PXWnd::ScreenToClient(RECT* pRect) const
{
    ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&pRect->left));
    ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&pRect->right));
}

void PXWnd::ClientToScreen(POINT* pPoint) const
{
    ::ClientToScreen(m_hWnd, pPoint);
}

HWND PXWnd::SetParent(PXWnd* pWndNewParent)
{
    PXASSERT(::IsWindow(pWndNewParent->m_hWnd));
    return ::SetParent(m_hWnd, pWndNewParent->m_hWnd);
}

BOOL PXWnd::LockWindowUpdate()
{
    PXASSERT(::IsWindow(m_hWnd));
    return ::LockWindowUpdate(m_hWnd);
}

BOOL PXWnd::UnlockWindowUpdate()
{
    return ::LockWindowUpdate(nullptr);
}

void PXWnd::Invalidate(BOOL bErase)
{
    ::InvalidateRect(m_hWnd, nullptr, bErase);
}

LRESULT PXWnd::SendMessage(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    PXASSERT(::IsWindow(m_hWnd));
    return ::SendMessageA(m_hWnd, nMsg, wParam, lParam);
}

PXDC* PXWnd::GetDC()
{
    if (!m_pImpl->m_pDC)
    {
        HDC hDC = ::GetDC(m_hWnd);
        PXASSERT(hDC!=0);
        m_pImpl->m_pDC = new PXDC(hDC);
    }
    return m_pImpl->m_pDC;
}

PXDC* PXWnd::GetDCEx(DWORD dwFlags)
{
    if (!m_pImpl->m_pDC)
    {
        HDC hDC = ::GetDCEx(m_hWnd, nullptr, dwFlags);
        PXASSERT(hDC!=0);
        m_pImpl->m_pDC = new PXDC(hDC);
    }
    return m_pImpl->m_pDC;
}

int PXWnd::ReleaseDC(PXDC* pDC)
{
    // What was selected goes back before the context does.
    pDC->RestoreSelections();
    int nResult = ::ReleaseDC(m_hWnd, pDC->m_hDC);
    if (pDC == m_pImpl->m_pDC)
    {
        pDC->m_hDC = nullptr;
        delete pDC;
        m_pImpl->m_pDC = nullptr;
    }
    return nResult;
}

LRESULT PXWnd::Default(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(m_hWnd, nMsg, wParam, lParam);
}

BOOL PXWnd::DestroyWindow()
{
    PXASSERT(::IsWindow(m_hWnd));
    BOOL bResult = ::DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
    return bResult;
}

void PXWnd::OnClose()
{
    Default(WM_CLOSE, 0, 0);
}

LRESULT PXWnd::OnCreate(LPARAM lParam)
{
    return Default(WM_CREATE, 0, lParam);
}

void PXWnd::OnSpare(int)
{
}

void PXWnd::OnLButtonDown(UINT nKeys, int x, int y)
{
    Default(WM_LBUTTONDOWN, nKeys, MAKELPARAM(x, y));
}

void PXWnd::OnLButtonDblClk(UINT nKeys, int x, int y)
{
    Default(WM_LBUTTONDBLCLK, nKeys, MAKELPARAM(x, y));
}

void PXWnd::OnLButtonUp(UINT nKeys, int x, int y)
{
    Default(WM_LBUTTONUP, nKeys, MAKELPARAM(x, y));
}

void PXWnd::OnMouseMove(UINT nKeys, int x, int y)
{
    Default(WM_MOUSEMOVE, nKeys, MAKELPARAM(x, y));
}

LRESULT PXWnd::OnNcHitTest(int x, int y)
{
    return Default(WM_NCHITTEST, 0, MAKELPARAM(x, y));
}

void PXWnd::OnPaint()
{
    Default(WM_PAINT, 0, 0);
}

void PXWnd::OnSize(UINT nType, int cx, int cy)
{
    Default(WM_SIZE, nType, MAKELPARAM(cx, cy));
}

void PXWnd::OnCaptureChanged(HWND hWndNew)
{
    Default(WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hWndNew));
}

void PXWnd::OnListBeginDrag(NMHDR*)
{
    PXASSERT(0);
}

void PXWnd::OnTabSelChange()
{
    PXASSERT(0);
}

void PXWnd::OnControlClick(NMHDR*)
{
}

void PXWnd::OnAddItem(LPARAM)
{
    PXASSERT(0);
}

void PXWnd::OnRemoveAllItems()
{
    PXASSERT(0);
}

void PXWnd::OnAddTab(WPARAM, LPARAM)
{
    PXASSERT(0);
}

void PXWnd::OnSelectTab(WPARAM)
{
    PXASSERT(0);
}

void PXWnd::OnRemoveAll()
{
    PXASSERT(0);
}
