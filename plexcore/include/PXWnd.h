// The thin window wrapper of the block palette: PXWnd binds one window
// handle to one object and turns the messages the palette needs into virtual
// calls; every window of the wrapper's classes runs the one shared window
// procedure, which finds the object of a handle in a table.
#ifndef PXWND_H
#define PXWND_H

#include "PXafx.h"

class PXDC;
class PXBitmap;
class PXWndImpl;

class PXWnd : public PXObject
{
public:
    PXWnd();
    ~PXWnd() override;

    // Creates the window; the object is bound to it by its first message when
    // the class runs the shared window procedure (a class with a procedure of
    // its own is stored in m_hWnd). Answers 1 with the window in m_hWnd; 0
    // when the system makes no window (m_hWnd stays 0).
    int Create(DWORD dwExStyle, const char* pszClassName, const char* pszTitle, DWORD dwStyle,
               int x, int y, int nWidth, int nHeight, HWND hwndParent, HMENU hMenu,
               void* pParam);

    static HINSTANCE GetInstanceHandle();
    static PXWnd* GetDesktopWindow();

    void GetWindowRect(RECT* pRect) const;
    void GetClientRect(RECT* pRect) const;
    BOOL MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    BOOL MoveWindow(const RECT* pRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(HWND hwndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void ScreenToClient(POINT* pPoint) const;
    void ScreenToClient(RECT* pRect) const;
    void ClientToScreen(POINT* pPoint) const;
    HWND SetParent(PXWnd* pWndNewParent);
    BOOL LockWindowUpdate();
    static BOOL UnlockWindowUpdate();
    void Invalidate(BOOL bErase = TRUE);
    LRESULT SendMessage(UINT nMsg, WPARAM wParam = 0, LPARAM lParam = 0);

    // The window's device context, cached until ReleaseDC: every call
    // answers the same PXDC.
    PXDC* GetDC();
    PXDC* GetDCEx(DWORD dwFlags);
    int ReleaseDC(PXDC* pDC);

    // Handlers. Mouse positions are client (or, for WM_NCHITTEST, screen)
    // coordinates with their sign: a point left of or above the origin is
    // negative.
    virtual BOOL DestroyWindow();
    virtual void OnClose();
    virtual LRESULT OnCreate(LPARAM lParam);
    virtual void OnSpare(int n);
    virtual void OnLButtonDown(UINT nKeys, int x, int y);
    virtual void OnLButtonDblClk(UINT nKeys, int x, int y);
    virtual void OnLButtonUp(UINT nKeys, int x, int y);
    virtual void OnMouseMove(UINT nKeys, int x, int y);
    virtual LRESULT OnNcHitTest(int x, int y);
    virtual void OnPaint();
    virtual void OnSize(UINT nType, int cx, int cy);
    // The mouse capture went to another window (or none).
    virtual void OnCaptureChanged(HWND hWndNew);
    // A class whose windows receive the notifications or palette messages
    // below overrides the handler; the base fails a consistency check.
    virtual void OnListBeginDrag(NMHDR* pHdr);
    virtual void OnTabSelChange();
    virtual void OnAddItem(LPARAM lParam);
    virtual void OnRemoveAllItems();
    virtual void OnAddTab(WPARAM wParam, LPARAM lParam);
    virtual void OnSelectTab(WPARAM wParam);
    virtual void OnRemoveAll();
    // A child control was clicked (NM_CLICK); the base does nothing.
    virtual void OnControlClick(NMHDR* pHdr);

    HWND m_hWnd;
    PXWndImpl* m_pImpl;

protected:
    LRESULT Default(UINT nMsg, WPARAM wParam, LPARAM lParam);
};

// The shared part of the wrapper: the window procedure, the table that binds
// handles to objects, the creation in progress and the remembered instance.
class PXWndImpl
{
public:
    explicit PXWndImpl(PXWnd* pOwner);
    ~PXWndImpl();

    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
    static LRESULT Dispatch(PXWnd* pWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

    // The object bound to a handle, or null.
    static PXWnd* FromHandle(HWND hWnd);
    // Windows of the shared procedure alive now.
    static int GetTableCount();

    PXWnd* m_pOwner;
    PXDC* m_pDC;

    static PXWnd* m_pNextWndToConnect;
    static PXWnd* m_pDesktopWindow;
    static HINSTANCE m_hInstance;

private:
    friend class PXWnd;
    static bool Bind(HWND hWnd, PXWnd* pWnd);
    static void Unbind(HWND hWnd);

    static HWND* m_phWnds;
    static PXWnd** m_ppWnds;
    static int m_nCount;
    static int m_nRoom;
};

// What the window procedures do with an exception that reaches their edge
// (the system must never see one). The default shows the exception's text
// in the program's message box (ShowMessage);
// tests install their own to observe failed consistency checks. The hook runs
// inside the catch block, so it may rethrow with "throw;" to look at it.
typedef void (*PXCallbackFailureHook)();
PXCallbackFailureHook PXSetCallbackFailureHook(PXCallbackFailureHook pfnHook);
void PXCallbackFailed();

#endif
