// The scroll-bar panes.
#include "ScrollBar.h"
#include "EditChild.h"
#include "PaneRes.h"
#include "PXFaultHandler.h"
#include "owl/TScrollBar.h"

#include <new>

ScrollBar::ScrollBar(TWindow* pParent, const LayoutElement* pElement, int nWidth, int nHeight)
    : ChildWindow(pParent, pElement, nWidth, nHeight), m_pControl(nullptr), m_pServed(nullptr),
      m_bHorizontal(pElement->nType == PANE_HSCROLL), m_nLastPos(-1)
{
    m_pControl = new (std::nothrow) TScrollBar(this, 1, 0, 0, Attr.W, Attr.H, m_bHorizontal);
    if (!m_pControl)
        ShowMessageId(IDS_PANE_NOMEMSCROLL, nullptr, MB_ICONEXCLAMATION);
    else
        m_pControl->Attr.Style &= ~(WS_TABSTOP | WS_GROUP);
}

void ScrollBar::SetupWindow()
{
    ChildWindow::SetupWindow();
    TWindow* pParent = GetParentO();
    if (!pParent)
        return;
    for (int i = 0; i < pParent->NumChildren() && !m_pServed; ++i)
    {
        TWindow* pChild = pParent->GetChild(i);
        bool bMatch;
        switch (m_pElement->nPartner)
        {
        case PANE_EDIT:
            bMatch = IsExactly<EditChild>(pChild);
            break;
        case PANE_GROUPPALETTE:
        case PANE_BLOCKPALETTE:
            bMatch = dynamic_cast<ChildWindow*>(pChild) &&
                     static_cast<ChildWindow*>(pChild)->PaneType() == m_pElement->nPartner;
            break;
        default:
            bMatch = dynamic_cast<ChildWindow*>(pChild) != nullptr && pChild != this;
            break;
        }
        if (bMatch)
            m_pServed = static_cast<ChildWindow*>(pChild);
    }
    if (m_pServed)
        m_pServed->AttachScrollBar(this, m_bHorizontal);
}

void ScrollBar::EvSize(UINT sizeType, int cx, int cy)
{
    ChildWindow::EvSize(sizeType, cx, cy);
    if (m_pControl && m_pControl->HWindow)
        m_pControl->MoveWindow(0, 0, cx, cy, true);
}

void ScrollBar::EvHScroll(UINT code, UINT pos, HWND hWndCtl)
{
    ChildWindow::EvHScroll(code, pos, hWndCtl);
    Scrolled(code);
}

void ScrollBar::EvVScroll(UINT code, UINT pos, HWND hWndCtl)
{
    ChildWindow::EvVScroll(code, pos, hWndCtl);
    Scrolled(code);
}

void ScrollBar::Scrolled(UINT code)
{
    if (!m_pServed || !m_pControl || code == SB_ENDSCROLL || code == SB_THUMBTRACK)
        return;
    int nPos = m_pControl->GetPosition();
    if (nPos != m_nLastPos)
    {
        m_nLastPos = nPos;
        m_pServed->ScrollTo(nPos, m_bHorizontal);
    }
}

void ScrollBar::SetRange(int nMin, int nMax, int nLine, int nPage)
{
    if (!m_pControl)
        return;
    m_pControl->SetRange(nMin, nMax, true);
    m_pControl->LineMagnitude = nLine;
    m_pControl->PageMagnitude = nPage;
}

int ScrollBar::GetPosition() const
{
    return m_pControl ? m_pControl->GetPosition() : 0;
}

void ScrollBar::SetPosition(int nPos)
{
    if (m_pControl)
        m_pControl->SetPosition(nPos, true);
}
