// TEventTable: the search of a window's table and the dispatchers that
// unpack a message for its handler's signature.
#include "owl/TEventTable.h"
#include "owl/TWindow.h"

#include <windowsx.h>

const TEventEntry* FindEventEntry(const TEventEntry* pTable, const TEventInfo& info)
{
    if (!pTable)
        return nullptr;
    for (const TEventEntry* p = pTable; p->Dispatcher; ++p)
        if (p->Msg == info.Msg && p->Id == info.Id)
            return p;
    return nullptr;
}

namespace
{
// The handler turned back into the signature its entry was made with.
template <class H>
H Handler(TEventEntry::TAnyHandler h)
{
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wcast-function-type"
    return reinterpret_cast<H>(h);
#pragma GCC diagnostic pop
}
}

namespace OwlDispatch
{
LRESULT Command(TWindow& wnd, TEventEntry::TAnyHandler h, WPARAM, LPARAM)
{
    (wnd.*Handler<void (TWindow::*)()>(h))();
    return 0;
}

LRESULT CommandId(TWindow& wnd, TEventEntry::TAnyHandler h, WPARAM wParam, LPARAM)
{
    (wnd.*Handler<void (TWindow::*)(UINT)>(h))(LOWORD(wParam));
    return 0;
}

LRESULT Enabler(TWindow& wnd, TEventEntry::TAnyHandler h, WPARAM, LPARAM lParam)
{
    (wnd.*Handler<void (TWindow::*)(TCommandEnabler&)>(h))(*reinterpret_cast<TCommandEnabler*>(lParam));
    return 0;
}

LRESULT Message(TWindow& wnd, TEventEntry::TAnyHandler h, WPARAM wParam, LPARAM lParam)
{
    return (wnd.*Handler<LRESULT (TWindow::*)(WPARAM, LPARAM)>(h))(wParam, lParam);
}

LRESULT Size(TWindow& wnd, TEventEntry::TAnyHandler h, WPARAM wParam, LPARAM lParam)
{
    (wnd.*Handler<void (TWindow::*)(UINT, int, int)>(h))(static_cast<UINT>(wParam), LOWORD(lParam),
                                                          HIWORD(lParam));
    return 0;
}

LRESULT Void(TWindow& wnd, TEventEntry::TAnyHandler h, WPARAM, LPARAM)
{
    (wnd.*Handler<void (TWindow::*)()>(h))();
    return 0;
}

LRESULT ActivateApp(TWindow& wnd, TEventEntry::TAnyHandler h, WPARAM wParam, LPARAM lParam)
{
    (wnd.*Handler<void (TWindow::*)(bool, DWORD)>(h))(wParam != 0, static_cast<DWORD>(lParam));
    return 0;
}

LRESULT SetCursor(TWindow& wnd, TEventEntry::TAnyHandler h, WPARAM wParam, LPARAM lParam)
{
    return (wnd.*Handler<BOOL (TWindow::*)(HWND, UINT, UINT)>(h))(reinterpret_cast<HWND>(wParam),
                                                                   LOWORD(lParam), HIWORD(lParam));
}

LRESULT GetMinMaxInfo(TWindow& wnd, TEventEntry::TAnyHandler h, WPARAM, LPARAM lParam)
{
    if (!lParam)
        return wnd.DefaultProcessing();
    (wnd.*Handler<void (TWindow::*)(MINMAXINFO&)>(h))(*reinterpret_cast<MINMAXINFO*>(lParam));
    return 0;
}

LRESULT HitTestPoint(TWindow& wnd, TEventEntry::TAnyHandler h, WPARAM wParam, LPARAM lParam)
{
    POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    (wnd.*Handler<void (TWindow::*)(UINT, POINT)>(h))(static_cast<UINT>(wParam), pt);
    return 0;
}

LRESULT Timer(TWindow& wnd, TEventEntry::TAnyHandler h, WPARAM wParam, LPARAM)
{
    (wnd.*Handler<void (TWindow::*)(UINT)>(h))(static_cast<UINT>(wParam));
    return 0;
}

LRESULT InitMenuPopup(TWindow& wnd, TEventEntry::TAnyHandler h, WPARAM wParam, LPARAM lParam)
{
    (wnd.*Handler<void (TWindow::*)(HMENU, UINT, bool)>(h))(reinterpret_cast<HMENU>(wParam), LOWORD(lParam),
                                                            HIWORD(lParam) != 0);
    return 0;
}

LRESULT MenuSelect(TWindow& wnd, TEventEntry::TAnyHandler h, WPARAM wParam, LPARAM lParam)
{
    (wnd.*Handler<void (TWindow::*)(UINT, UINT, HMENU)>(h))(LOWORD(wParam), HIWORD(wParam),
                                                            reinterpret_cast<HMENU>(lParam));
    return 0;
}
}
