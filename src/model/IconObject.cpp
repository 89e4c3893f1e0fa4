// A palette entry's display object.
#include "IconObject.h"
#include "DrawHelpers.h"
#include "FontObject.h"
#include "Icons.h"
#include "ModelRes.h"

#include <algorithm>

IconObject::IconObject(DisplayPane* pPane, Icon* pIcon, const RECT& rcCell, long nIconWidth, long nIconHeight)
    : DisplayObject(pPane, pIcon, rcCell), m_rcIcon(), m_rcLabel(), m_bLaidOut(false), m_nFirstX(0),
      m_nSecondX(0), m_nIconWidth(nIconWidth), m_nIconHeight(nIconHeight)
{
}

Icon* IconObject::GetIcon() const
{
    return static_cast<Icon*>(m_pObject);
}

void IconObject::Layout(HDC hDC)
{
    FontObject* pFont = m_pPane->GetResourceRecord();
    const long nLine = pFont ? pFont->GetCharHeight() + pFont->GetInternalLeading() : 0;

    // The label: the icon's name with its first "." made a blank, in two
    // lines at the bottom of the cell.
    CString strLabel(GetIcon()->GetName() ? GetIcon()->GetName() : "");
    int nDot = strLabel.Find('.');
    if (nDot >= 0)
        strLabel.SetAt(nDot, ' ');
    int nBreak = strLabel.GetLength() >= 9 ? FindLabelBreak(strLabel, 0) : -1;
    if (nBreak > 0)
    {
        m_strFirst = strLabel.Left(nBreak);
        int nSecond = strLabel[nBreak] == ' ' ? nBreak + 1 : nBreak;
        m_strSecond = strLabel.Mid(nSecond);
    }
    else
    {
        m_strFirst = strLabel;
        m_strSecond.Empty();
    }
    const long w1 = TextWidth(hDC, m_strFirst);
    const long w2 = TextWidth(hDC, m_strSecond);
    const long c = std::max(w1, w2) + 2;
    m_nFirstX = (c - w1) / 2;
    m_nSecondX = (c - w2) / 2;
    RECT rc = m_rc;
    rc.top = m_rc.bottom - 2 * nLine;
    CentreRect(rc, c, 0, &m_rcLabel);

    rc = m_rc;
    rc.bottom = m_rc.bottom - 2 * nLine - 1;
    rc.top = rc.bottom - m_nIconHeight;
    CentreRect(rc, m_nIconWidth, m_nIconHeight, &m_rcIcon);
    m_bLaidOut = true;
}

void IconObject::Draw(HDC hDC, const DrawOffset*, const RECT*)
{
    FontObject* pFont = m_pPane->GetResourceRecord();
    UseFont font(hDC, pFont ? pFont->GetFont() : nullptr);
    if (!m_bLaidOut)
        Layout(hDC);

    const int nBkMode = GetBkMode(hDC);
    const COLORREF crBack = GetBkColor(hDC);
    const COLORREF crText = GetTextColor(hDC);
    const UINT nAlign = SetTextAlign(hDC, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    if (m_pPane->IsSelected(m_pObject))
    {
        SetBkMode(hDC, OPAQUE);
        SetBkColor(hDC, GetSysColor(COLOR_ACTIVECAPTION));
        SetTextColor(hDC, GetSysColor(COLOR_CAPTIONTEXT));
    }
    else
    {
        SetBkMode(hDC, TRANSPARENT);
        SetTextColor(hDC, GetSysColor(COLOR_WINDOWTEXT));
    }
    ExtTextOutA(hDC, m_rcLabel.left + m_nFirstX, m_rcLabel.top, ETO_CLIPPED, &m_rcLabel, m_strFirst,
                m_strFirst.GetLength(), nullptr);
    if (!m_strSecond.IsEmpty())
    {
        const long nLine = pFont ? pFont->GetCharHeight() + pFont->GetInternalLeading() : 0;
        ExtTextOutA(hDC, m_rcLabel.left + m_nSecondX, m_rcLabel.top + nLine, ETO_CLIPPED, &m_rcLabel,
                    m_strSecond, m_strSecond.GetLength(), nullptr);
    }
    SetTextAlign(hDC, nAlign);
    SetTextColor(hDC, crText);
    SetBkColor(hDC, crBack);
    SetBkMode(hDC, nBkMode);

    DrawBitmapWithPalette(hDC, GetIcon(), m_rcIcon);
}

bool IconObject::Contains(long x, long y) const
{
    if (!m_bLaidOut)
        return false;
    auto in = [x, y](const RECT& rc) { return rc.left <= x && x <= rc.right && rc.top <= y && y <= rc.bottom; };
    return in(m_rcIcon) || in(m_rcLabel);
}

// ---- palette entries ------------------------------------------------------

const char* PowerBlockIconObject::StatusText()
{
    return GetIcon() ? GetIcon()->GetName() : nullptr;
}

const char* PowerBlockIconObject::DragText()
{
    return Text(IDS_DO_NEWBLOCKDRAG);
}

const char* PowerBlockIconObject::HoverText()
{
    return Text(IDS_DO_NEWBLOCKHINT);
}

const char* PowerBlockGroupIconObject::StatusText()
{
    return GetIcon() ? GetIcon()->GetName() : nullptr;
}

const char* PowerBlockGroupIconObject::HoverText()
{
    return StatusText();
}
