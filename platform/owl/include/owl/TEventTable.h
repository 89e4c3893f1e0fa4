// TEventTable: a window's table of message, command and command-enabler
// entries, searched before the window's own switch of virtual handlers.
//
// Each entry has four parts: the message number (0 for a command,
// kCommandEnableMsg for an enabler), the command id (0 for a plain
// message), the dispatcher that unpacks the message's parameters for the
// handler's signature, and the handler member. A table ends with an
// all-zero entry. A window class with a table overrides TWindow::Find:
// its own table first, then its base's Find; the first match handles the
// message. What no table holds goes to WindowProc's switch as before.
//
// Entries are made with the makers of TEventFor<Window>, one line each:
//     TEventFor<MyFrame>::Command(4179, &MyFrame::CmFind),
//     TEventFor<MyFrame>::Message(WM_APP + 1, &MyFrame::EvPrivate),
// so the handlers may be defined in any source file of the class.
#ifndef OWL_TEVENTTABLE_H
#define OWL_TEVENTTABLE_H

#include <windows.h>

#include <type_traits>

#include "owl/TWindow.h"

// The message number of enabler entries; no window message has it.
const UINT kCommandEnableMsg = 0xFFFF0001u;

struct TEventEntry
{
    // The handler member, stored without its signature; only the entry's
    // dispatcher, made together with it, turns it back.
    typedef void (TWindow::*TAnyHandler)();
    // Unpacks wParam and lParam for the handler and calls it. Commands
    // pass MAKEWPARAM(id, notify code) and the control; enablers pass the
    // TCommandEnabler's address in lParam.
    typedef LRESULT (*TDispatcher)(TWindow& wnd, TAnyHandler handler, WPARAM wParam, LPARAM lParam);

    UINT Msg;
    UINT Id;
    TDispatcher Dispatcher;
    TAnyHandler Handler;
};

// What a window is asked to find: a message, a command or an enabler.
struct TEventInfo
{
    explicit TEventInfo(UINT msg, UINT id = 0) : Msg(msg), Id(id), Entry(nullptr) {}
    UINT Msg;
    UINT Id;
    const TEventEntry* Entry;   // the entry found
};

// The entry of the table (ended by an all-zero entry) for the message, or
// none.
const TEventEntry* FindEventEntry(const TEventEntry* pTable, const TEventInfo& info);

// The dispatchers, one per handler signature and standard message.
namespace OwlDispatch
{
LRESULT Command(TWindow& wnd, TEventEntry::TAnyHandler h, WPARAM wParam, LPARAM lParam);
LRESULT CommandId(TWindow& wnd, TEventEntry::TAnyHandler h, WPARAM wParam, LPARAM lParam);
LRESULT Enabler(TWindow& wnd, TEventEntry::TAnyHandler h, WPARAM wParam, LPARAM lParam);
LRESULT Message(TWindow& wnd, TEventEntry::TAnyHandler h, WPARAM wParam, LPARAM lParam);
LRESULT Size(TWindow& wnd, TEventEntry::TAnyHandler h, WPARAM wParam, LPARAM lParam);
LRESULT Void(TWindow& wnd, TEventEntry::TAnyHandler h, WPARAM wParam, LPARAM lParam);
LRESULT ActivateApp(TWindow& wnd, TEventEntry::TAnyHandler h, WPARAM wParam, LPARAM lParam);
LRESULT SetCursor(TWindow& wnd, TEventEntry::TAnyHandler h, WPARAM wParam, LPARAM lParam);
LRESULT GetMinMaxInfo(TWindow& wnd, TEventEntry::TAnyHandler h, WPARAM wParam, LPARAM lParam);
LRESULT HitTestPoint(TWindow& wnd, TEventEntry::TAnyHandler h, WPARAM wParam, LPARAM lParam);
LRESULT Timer(TWindow& wnd, TEventEntry::TAnyHandler h, WPARAM wParam, LPARAM lParam);
LRESULT InitMenuPopup(TWindow& wnd, TEventEntry::TAnyHandler h, WPARAM wParam, LPARAM lParam);
LRESULT MenuSelect(TWindow& wnd, TEventEntry::TAnyHandler h, WPARAM wParam, LPARAM lParam);
}

// The entry makers for the window class T.
template <class T>
struct TEventFor
{
    // A menu or accelerator command: void Handler().
    static TEventEntry Command(UINT id, void (T::*h)()) { return Make(0, id, &OwlDispatch::Command, h); }
    // A command whose handler serves several ids: void Handler(UINT id).
    static TEventEntry CommandId(UINT id, void (T::*h)(UINT))
    {
        return Make(0, id, &OwlDispatch::CommandId, h);
    }
    // The enabler of a command: void Handler(TCommandEnabler&).
    static TEventEntry Enabler(UINT id, void (T::*h)(TCommandEnabler&))
    {
        return Make(kCommandEnableMsg, id, &OwlDispatch::Enabler, h);
    }
    // Any message, its parameters as they come: LRESULT Handler(WPARAM, LPARAM).
    static TEventEntry Message(UINT msg, LRESULT (T::*h)(WPARAM, LPARAM))
    {
        return Make(msg, 0, &OwlDispatch::Message, h);
    }
    // The standard messages, unpacked as WindowProc unpacks them.
    static TEventEntry Size(void (T::*h)(UINT, int, int)) { return Make(WM_SIZE, 0, &OwlDispatch::Size, h); }
    static TEventEntry Close(void (T::*h)()) { return Make(WM_CLOSE, 0, &OwlDispatch::Void, h); }
    static TEventEntry ActivateApp(void (T::*h)(bool, DWORD))
    {
        return Make(WM_ACTIVATEAPP, 0, &OwlDispatch::ActivateApp, h);
    }
    static TEventEntry SetCursor(BOOL (T::*h)(HWND, UINT, UINT))
    {
        return Make(WM_SETCURSOR, 0, &OwlDispatch::SetCursor, h);
    }
    static TEventEntry GetMinMaxInfo(void (T::*h)(MINMAXINFO&))
    {
        return Make(WM_GETMINMAXINFO, 0, &OwlDispatch::GetMinMaxInfo, h);
    }
    static TEventEntry NCMouseMove(void (T::*h)(UINT, POINT))
    {
        return Make(WM_NCMOUSEMOVE, 0, &OwlDispatch::HitTestPoint, h);
    }
    static TEventEntry Timer(void (T::*h)(UINT)) { return Make(WM_TIMER, 0, &OwlDispatch::Timer, h); }
    static TEventEntry InitMenuPopup(void (T::*h)(HMENU, UINT, bool))
    {
        return Make(WM_INITMENUPOPUP, 0, &OwlDispatch::InitMenuPopup, h);
    }
    static TEventEntry MenuSelect(void (T::*h)(UINT, UINT, HMENU))
    {
        return Make(WM_MENUSELECT, 0, &OwlDispatch::MenuSelect, h);
    }

private:
    template <class R, class... A>
    static TEventEntry Make(UINT msg, UINT id, TEventEntry::TDispatcher pfn, R (T::*h)(A...))
    {
        static_assert(std::is_base_of<TWindow, T>::value, "an event table belongs to a window class");
        // The window is a T whenever its table is searched, so the handler
        // may be called through its TWindow part.
        R (TWindow::*hBase)(A...) = static_cast<R (TWindow::*)(A...)>(h);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wcast-function-type"
        TEventEntry entry = {msg, id, pfn, reinterpret_cast<TEventEntry::TAnyHandler>(hBase)};
#pragma GCC diagnostic pop
        return entry;
    }
};

#endif
