// The MDI windows of the editor.
#include "UIMDIChildWindow.h"
#include "ChildWindow.h"
#include "PaneRes.h"
#include "PXFaultHandler.h"
#include "PXUIMsg.h"
#include "ScrollBar.h"

#include <cstring>
#include <new>

UIMDIChildWindow::UIMDIChildWindow(TMDIClient& client, const LayoutRecord* pRecord, const char* pszTitle, TWindow* pClientWnd)
    : TMDIChild(client, pszTitle, pClientWnd), m_pRecord(pRecord), m_nWidth(0), m_nHeight(0)
{
    Attr.Style &= ~(WS_HSCROLL | WS_VSCROLL);
    if (pszTitle && std::strcmp(pszTitle, "Blocks") == 0)
        Attr.Style &= ~(WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    RECT rcClient = {0, 0, 0, 0};
    if (client.HWindow)
        ::GetClientRect(client.HWindow, &rcClient);
    RECT rc = pRecord->ToRectInParent(rcClient.right, rcClient.bottom);
    Attr.X = rc.left;
    Attr.Y = rc.top;
    Attr.W = rc.right - rc.left;
    Attr.H = rc.bottom - rc.top;
    m_nWidth = Attr.W;
    m_nHeight = Attr.H;
    for (int i = 0; i < LAYOUT_MAX_ELEMENTS; ++i)
        MakePane(pRecord->elements[i]);
}

UIMDIChildWindow::~UIMDIChildWindow()
{
}

ChildWindow* UIMDIChildWindow::MakePane(const LayoutElement& e)
{
    ChildWindow* pPane = nullptr;
    switch (e.nType)
    {
    case PANE_HSCROLL:
    case PANE_VSCROLL:
        pPane = new (std::nothrow) ScrollBar(this, &e, m_nWidth, m_nHeight);
        break;
    case PANE_DIVIDER:
        pPane = new (std::nothrow) Divider(this, &e, m_nWidth, m_nHeight);
        break;
    default:
        return nullptr;
    }
    if (!pPane)
        ShowMessageId(IDS_PANE_NOCHILD, nullptr, MB_ICONEXCLAMATION, static_cast<int>(e.nType));
    return pPane;
}

void UIMDIChildWindow::GetWindowClass(WNDCLASSA& wc)
{
    TMDIChild::GetWindowClass(wc);
    HINSTANCE hInst = GetModule()->GetHandle();
    if (!hInst)
        hInst = TModule::GetExeModule().GetHandle();
    wc.hIcon = ::LoadIconA(hInst, "KVRPAGEICON");
}

int UIMDIChildWindow::GetPaneCount() const
{
    int n = 0;
    for (int i = 0; i < NumChildren(); ++i)
        if (dynamic_cast<ChildWindow*>(GetChild(i)))
            ++n;
    return n;
}

ChildWindow* UIMDIChildWindow::GetPane(int n) const
{
    for (int i = 0; i < NumChildren(); ++i)
        if (ChildWindow* pPane = dynamic_cast<ChildWindow*>(GetChild(i)))
            if (n-- == 0)
                return pPane;
    return nullptr;
}

void UIMDIChildWindow::ForEachPane(void (*pfn)(ChildWindow* pPane, void* pData), void* pData)
{
    // A pane's work may close panes: walk a copy.
    std::vector<ChildWindow*> panes;
    for (int i = 0; i < NumChildren(); ++i)
        if (ChildWindow* pPane = dynamic_cast<ChildWindow*>(GetChild(i)))
            panes.push_back(pPane);
    for (ChildWindow* pPane : panes)
        pfn(pPane, pData);
}

void UIMDIChildWindow::RelayoutPanes()
{
    ForEachPane([](ChildWindow* p, void*) { p->Relayout(); }, nullptr);
}

namespace
{
struct Change
{
    UIObject* pObject;
    int nKind;
    int nFlags;
};
struct Show
{
    UIObject* pObject;
    bool bSelect;
};
}

void UIMDIChildWindow::ObjectChanged(UIObject* pObject, int nKind, int nFlags)
{
    Change c = {pObject, nKind, nFlags};
    ForEachPane(
        [](ChildWindow* p, void* d) {
            Change* pc = static_cast<Change*>(d);
            p->ObjectNotify(pc->pObject, pc->nKind, static_cast<unsigned>(pc->nFlags));
        },
        &c);
}

void UIMDIChildWindow::ShowObject(UIObject* pObject, bool bSelect)
{
    Show s = {pObject, bSelect};
    ForEachPane(
        [](ChildWindow* p, void* d) {
            Show* ps = static_cast<Show*>(d);
            p->ShowObject(ps->pObject, ps->bSelect);
        },
        &s);
}

void UIMDIChildWindow::RereadScale()
{
    ForEachPane([](ChildWindow* p, void*) { p->ReadScale(); }, nullptr);
}

LRESULT UIMDIChildWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_UI_WINDOWKIND)
        return UI_KIND_MDICHILD;
    return TMDIChild::WindowProc(msg, wParam, lParam);
}

void UIMDIChildWindow::EvSize(UINT sizeType, int cx, int cy)
{
    if (sizeType == SIZE_RESTORED || sizeType == SIZE_MAXIMIZED)
    {
        m_nWidth = cx;
        m_nHeight = cy;
    }
    for (int i = 0; i < NumChildren(); ++i)
    {
        ChildWindow* pPane = dynamic_cast<ChildWindow*>(GetChild(i));
        if (!pPane || !pPane->HWindow)
            continue;
        RECT rc = LayoutRecord::ToClientRect(*pPane->GetElement(), m_nWidth, m_nHeight);
        RECT now = pPane->GetWindowRect();
        ::MapWindowPoints(nullptr, HWindow, reinterpret_cast<POINT*>(&now), 2);
        if (rc.left != now.left || rc.top != now.top || rc.right - rc.left != now.right - now.left ||
            rc.bottom - rc.top != now.bottom - now.top)
        {
            pPane->SetWindowPos(nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                                SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
            pPane->Resized();
        }
    }
    TMDIChild::EvSize(sizeType, cx, cy);
}
