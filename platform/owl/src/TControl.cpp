// TControl, TEdit and TScrollBar.
#include "owl/TControl.h"
#include "owl/TEdit.h"
#include "owl/TScrollBar.h"

// ---------------------------------------------------------------------------
// TControl

TControl::TControl(TWindow* pParent, int id, const char* pszTitle, int x, int y, int w, int h,
                   TModule* pModule)
    : TWindow(pParent, pszTitle, pModule)
{
    SetFlag(wfPredefinedClass);
    Attr.Style = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP;
    Attr.Id = id;
    Attr.X = x;
    Attr.Y = y;
    Attr.W = w;
    Attr.H = h;
}

TControl::TControl(TWindow* pParent, int resourceId, TModule* pModule)
    : TWindow(pParent, nullptr, pModule)
{
    SetFlag(wfPredefinedClass | wfFromResource);
    ClearFlag(wfAutoCreate);
    Attr.Id = resourceId;
}

// ---------------------------------------------------------------------------
// TEdit

TEdit::TEdit(TWindow* pParent, int id, const char* pszText, int x, int y, int w, int h,
             UINT textLimit, bool multiline, TModule* pModule)
    : TControl(pParent, id, pszText, x, y, w, h, pModule), TextLimit(textLimit)
{
    Attr.Style |= WS_BORDER | ES_LEFT | ES_AUTOHSCROLL;
    if (multiline)
        Attr.Style |= ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL;
}

TEdit::TEdit(TWindow* pParent, int resourceId, UINT textLimit, TModule* pModule)
    : TControl(pParent, resourceId, pModule), TextLimit(textLimit)
{
}

void TEdit::SetupWindow()
{
    TControl::SetupWindow();
    if (TextLimit)
        SetTextLimit(TextLimit);
}

void TEdit::SetTextLimit(UINT textLimit)
{
    TextLimit = textLimit;
    if (HWindow && textLimit)
        SendMessage(EM_LIMITTEXT, textLimit - 1, 0);
}

void TEdit::SetSelection(int nStart, int nEnd)
{
    SendMessage(EM_SETSEL, static_cast<WPARAM>(nStart), static_cast<LPARAM>(nEnd));
}

// ---------------------------------------------------------------------------
// TScrollBar

TScrollBar::TScrollBar(TWindow* pParent, int id, int x, int y, int w, int h, bool isHScrollBar,
                       TModule* pModule)
    : TControl(pParent, id, nullptr, x, y, w, h, pModule),
      LineMagnitude(1), PageMagnitude(10), m_nMin(0), m_nMax(100), m_nPos(0)
{
    Attr.Style |= isHScrollBar ? SBS_HORZ : SBS_VERT;
}

TScrollBar::TScrollBar(TWindow* pParent, int resourceId, TModule* pModule)
    : TControl(pParent, resourceId, pModule),
      LineMagnitude(1), PageMagnitude(10), m_nMin(0), m_nMax(100), m_nPos(0)
{
}

void TScrollBar::SetupWindow()
{
    TControl::SetupWindow();
    SetRange(m_nMin, m_nMax, false);
    SetPosition(m_nPos, false);
}

void TScrollBar::SetRange(int nMin, int nMax, bool redraw)
{
    if (nMax < nMin)
        nMax = nMin;
    m_nMin = nMin;
    m_nMax = nMax;
    if (HWindow)
        ::SetScrollRange(HWindow, SB_CTL, nMin, nMax, redraw);
    if (m_nPos < nMin || m_nPos > nMax)
        SetPosition(m_nPos, redraw);
}

void TScrollBar::GetRange(int& nMin, int& nMax) const
{
    nMin = m_nMin;
    nMax = m_nMax;
}

int TScrollBar::GetPosition() const
{
    return HWindow ? ::GetScrollPos(HWindow, SB_CTL) : m_nPos;
}

void TScrollBar::SetPosition(int nPos, bool redraw)
{
    if (nPos < m_nMin)
        nPos = m_nMin;
    if (nPos > m_nMax)
        nPos = m_nMax;
    m_nPos = nPos;
    if (HWindow)
        ::SetScrollPos(HWindow, SB_CTL, nPos, redraw);
}

int TScrollBar::DeltaPos(int delta)
{
    int nOld = GetPosition();
    SetPosition(nOld + delta);
    return GetPosition() - nOld;
}

void TScrollBar::SBTop()
{
    SetPosition(m_nMin);
}

void TScrollBar::SBBottom()
{
    SetPosition(m_nMax);
}

bool TScrollBar::NotifyScroll(UINT code, UINT pos)
{
    switch (code)
    {
    case SB_LINEUP: SBLineUp(); break;
    case SB_LINEDOWN: SBLineDown(); break;
    case SB_PAGEUP: SBPageUp(); break;
    case SB_PAGEDOWN: SBPageDown(); break;
    case SB_THUMBPOSITION: SBThumbPosition(static_cast<int>(pos)); break;
    case SB_THUMBTRACK: SBThumbTrack(static_cast<int>(pos)); break;
    case SB_TOP: SBTop(); break;
    case SB_BOTTOM: SBBottom(); break;
    case SB_ENDSCROLL: SBEndScroll(); break;
    default: return false;
    }
    return true;
}
