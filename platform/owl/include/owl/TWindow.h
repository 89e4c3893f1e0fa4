// TWindow: the C++ object of one window. The object is bound to its window
// when the window is made (WM_NCCREATE for the program's own window classes,
// WM_INITDIALOG for dialogs, the page's PROPSHEETPAGE for property pages, by
// subclassing for controls of system classes) and unbound at WM_NCDESTROY.
//
// Messages reach WindowProc. It first asks Find for an entry of the
// window's event table (TEventTable.h), then, when there is none, a switch
// unpacks the common messages and calls the virtual handlers below. A derived class overrides a handler (or
// WindowProc itself, for messages such as WM_USER+n) and passes what it does
// not handle to its base, so that its own handling comes before the base's.
// What no class handles goes to DefaultProcessing: the system's procedure
// for the window (DefWindowProc, DefFrameProc, DefMDIChildProc, the dialog
// manager or the subclassed control's own procedure).
//
// No C++ exception leaves a window procedure: each one is caught at the
// edge and given to the exception handler (SetExceptionHandler), and the
// message answers 0.
//
// Children: a window made with a parent is in the parent's child list; the
// parent creates the children that have no window yet when it is set up
// (SetupWindow) and deletes the child objects when it is deleted.
#ifndef OWL_TWINDOW_H
#define OWL_TWINDOW_H

#include <windows.h>
#include <commctrl.h>

#include <typeinfo>
#include <vector>

#include "owl/TCommandEnabler.h"
#include "owl/TModule.h"

class TApplication;
struct TEventInfo;

enum TTransferDirection { tdGetData, tdSetData };

// Window flags.
enum
{
    wfAlias = 0x0001,            // wraps a window that the object did not make
    wfAutoCreate = 0x0002,       // created by the parent's SetupWindow
    wfDeleteOnClose = 0x0004,    // the object deletes itself when its window is destroyed
    wfPredefinedClass = 0x0008,  // a system or foreign window class: subclassed, not registered
    wfMainWindow = 0x0010,       // the application's main window
    wfFromResource = 0x0020,     // a control of a dialog template, found by its id
    wfMDIChild = 0x0040          // destroyed through its MDI client
};

struct TWindowAttr
{
    DWORD Style;
    DWORD ExStyle;
    int X, Y, W, H;
    int Id;
    LPVOID Param;                // creation parameter (lpParam of the window)
};

class TWindow
{
public:
    typedef void (*TExceptionHandler)(TWindow* pWnd, UINT msg);
    typedef void (*TModalHook)(TWindow* pWnd);
    typedef void (*TActionFunc)(TWindow* pChild, void* pParam);
    typedef bool (*TCondFunc)(TWindow* pChild, void* pParam);

    TWindow(TWindow* pParent, const char* pszTitle = nullptr, TModule* pModule = nullptr);
    // An alias of an existing window, which the object never destroys.
    explicit TWindow(HWND hWnd, TModule* pModule = nullptr);
    virtual ~TWindow();

    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;

    HWND HWindow;
    TWindowAttr Attr;

    HWND GetHandle() const { return HWindow; }
    operator HWND() const { return HWindow; }
    bool IsWindow() const { return HWindow && ::IsWindow(HWindow); }

    TWindow* GetParentO() const { return m_pParent; }
    // Moves the object to another parent's child list (or none).
    void SetParent(TWindow* pParent);
    TModule* GetModule() const;
    void SetModule(TModule* pModule) { m_pModule = pModule; }
    TApplication* GetApplication() const;

    void SetFlag(UINT mask) { m_nFlags |= mask; }
    void ClearFlag(UINT mask) { m_nFlags &= ~mask; }
    bool IsFlagSet(UINT mask) const { return (m_nFlags & mask) != 0; }

    // The title held by the object; SetCaption also sets the window's text.
    const char* GetCaption() const { return m_pszTitle ? m_pszTitle : ""; }
    // True once a title was given (to the constructor or SetCaption).
    bool HasCaption() const { return m_pszTitle != nullptr; }
    void SetCaption(const char* pszTitle);
    int GetId() const { return Attr.Id; }

    // Makes the window (registering its class first when needed). False
    // when the window could not be made.
    virtual bool Create();
    // Destroys the window; the object stays unless it deletes itself on close.
    virtual void Destroy(int retVal = 0);
    // Creates the children and readies the window; runs when the window has
    // just been made. Derived classes call their base first.
    virtual void SetupWindow();
    // True when the window may close: by default when every child may.
    virtual bool CanClose();
    // CanClose, then Destroy.
    virtual void CloseWindow(int retVal = 0);
    virtual void TransferData(TTransferDirection direction) {}

    virtual const char* GetClassName();
    virtual void GetWindowClass(WNDCLASSA& wc);
    virtual void Paint(HDC hDC, bool erase, RECT& rect) {}

    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // The entry of the window's event table for a message, a command
    // (message 0 with its id) or an enabler (kCommandEnableMsg with its
    // id), set in info.Entry; a class with a table searches it, then asks
    // its base. False here: no table.
    virtual bool Find(TEventInfo& info);
    // Keyboard translation before dispatch (accelerators, dialog keys);
    // true when the message was used up.
    virtual bool PreProcessMsg(MSG& msg);
    // The system's handling of the message being dispatched.
    LRESULT DefaultProcessing();

    // Handlers. The base versions do the default processing; EvCommand,
    // EvCommandEnable and EvNotify in the base mean "not handled here".
    virtual LRESULT EvCommand(UINT id, HWND hWndCtl, UINT notifyCode);
    virtual void EvCommandEnable(TCommandEnabler& ce);
    virtual LRESULT EvNotify(UINT id, NMHDR& hdr);
    virtual void EvSize(UINT sizeType, int cx, int cy);
    virtual void EvMove(int x, int y);
    virtual void EvClose();
    virtual void EvDestroy();
    virtual void EvTimer(UINT timerId);
    virtual BOOL EvSetCursor(HWND hWndCursor, UINT hitTest, UINT mouseMsg);
    virtual void EvMouseMove(UINT modKeys, POINT pt);
    virtual void EvLButtonDown(UINT modKeys, POINT pt);
    virtual void EvLButtonUp(UINT modKeys, POINT pt);
    virtual void EvLButtonDblClk(UINT modKeys, POINT pt);
    virtual void EvRButtonDown(UINT modKeys, POINT pt);
    virtual void EvRButtonUp(UINT modKeys, POINT pt);
    virtual void EvRButtonDblClk(UINT modKeys, POINT pt);
    virtual void EvNCMouseMove(UINT hitTest, POINT pt);
    virtual void EvGetMinMaxInfo(MINMAXINFO& info);
    virtual void EvActivateApp(bool active, DWORD threadId);
    virtual void EvInitMenuPopup(HMENU hPopup, UINT index, bool sysMenu);
    virtual void EvMenuSelect(UINT item, UINT flags, HMENU hMenu);
    virtual void EvHScroll(UINT code, UINT pos, HWND hWndCtl);
    virtual void EvVScroll(UINT code, UINT pos, HWND hWndCtl);
    virtual void EvChildActivate();
    virtual void EvPaint();
    // A scroll message of the parent about this control; true when taken.
    virtual bool NotifyScroll(UINT code, UINT pos) { return false; }

    // Window helpers.
    void Invalidate(bool erase = true);
    void InvalidateRect(const RECT& rect, bool erase = true);
    void UpdateWindow();
    bool ShowWindow(int cmdShow);
    bool SetWindowPos(HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT flags);
    bool MoveWindow(int x, int y, int cx, int cy, bool repaint = true);
    RECT GetClientRect() const;
    RECT GetWindowRect() const;
    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    bool PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    int GetWindowText(char* pszBuf, int nMax) const;
    int GetWindowTextLength() const;
    void SetWindowText(const char* psz);
    HWND GetDlgItem(int id) const { return ::GetDlgItem(HWindow, id); }
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    void EnableWindow(bool enable);

    // Children, in the order they were made.
    int NumChildren() const { return static_cast<int>(m_children.size()); }
    TWindow* GetChild(int nIndex) const;
    TWindow* ChildWithId(int id) const;
    void ForEach(TActionFunc action, void* pParam = nullptr);
    TWindow* FirstThat(TCondFunc test, void* pParam = nullptr);

    // The object bound to a window, or none.
    static TWindow* GetWindowPtr(HWND hWnd);

    static TExceptionHandler SetExceptionHandler(TExceptionHandler pfn);
    // Called with every modal dialog and property sheet once it is ready,
    // inside its modal loop: the seam through which tests answer them.
    static TModalHook SetModalHook(TModalHook pfn);

protected:
    // Binds the object to a window made by the system (dialogs, subclassed
    // controls); with subclass set the window's procedure becomes ours.
    void Attach(HWND hWnd, bool subclass);
    void Detach();
    // The system's procedure for this window.
    virtual LRESULT DefProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // Registers GetClassName() with GetWindowClass() unless it exists.
    bool RegisterClassIfNeeded();
    // Attaches or creates each child that has no window yet.
    void CreateChildren();
    // Offers a command (or an enabler) to this window alone; true when
    // one of its handlers took it.
    bool TryCommand(UINT id, HWND hWndCtl, UINT notifyCode, LRESULT& result);
    bool TryCommandEnable(TCommandEnabler& ce);
    // Schedules the modal hook for this window.
    void ArmModalHook();
    // The menu a top-level window is made with.
    virtual HMENU CreationMenu() { return nullptr; }
    HWND GetParentHandle() const { return m_pParent ? m_pParent->HWindow : nullptr; }

    // Dispatch with the exception edge and the current-message record.
    LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam, bool* pDefaulted);
    static void HandleException(TWindow* pWnd, UINT msg);

    static LRESULT CALLBACK StdWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK StdDlgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Handles a dialog message for a bound object and answers as a DLGPROC.
    static INT_PTR DlgDispatch(TWindow* pWnd, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

    // The object that the next window of our classes binds to at WM_NCCREATE.
    static TWindow* s_pCreating;
    static UINT s_nModalReadyMsg;

    WNDPROC m_pfnPrevProc;      // for subclassed windows
    bool m_bDialogProc;         // default processing is the dialog manager's

private:
    struct CurrentMsg
    {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        bool bDefaulted;
    };

    void Init(TWindow* pParent, const char* pszTitle, TModule* pModule);
    void AddChild(TWindow* pChild);
    void RemoveChild(TWindow* pChild);

    TWindow* m_pParent;
    TModule* m_pModule;
    char* m_pszTitle;
    UINT m_nFlags;
    std::vector<TWindow*> m_children;
    CurrentMsg* m_pCur;
    bool m_bUnhandled;
    int m_nDepth;               // dispatches of this object in progress
    bool m_bDeletePending;      // delete when the outermost dispatch ends

    friend class TFrameWindow;
};

// True when the object is exactly of class T (not of a class derived from it).
template <class T>
inline bool IsExactly(const TWindow* pWnd)
{
    return pWnd && typeid(*pWnd) == typeid(T);
}

// The first child of exactly class T, or none.
template <class T>
inline T* FirstChildOfClass(const TWindow& parent)
{
    for (int i = 0; i < parent.NumChildren(); ++i)
        if (IsExactly<T>(parent.GetChild(i)))
            return static_cast<T*>(parent.GetChild(i));
    return nullptr;
}

#endif
