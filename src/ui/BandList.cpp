// The drag outlines.
#include "BandList.h"
#include "PaneRes.h"
#include "PXFaultHandler.h"

#include <new>

void RectBandObject::Draw(HDC hDC) const
{
    MoveToEx(hDC, m_rc.left, m_rc.top, nullptr);
    LineTo(hDC, m_rc.right, m_rc.top);
    LineTo(hDC, m_rc.right, m_rc.bottom);
    LineTo(hDC, m_rc.left, m_rc.bottom);
    LineTo(hDC, m_rc.left, m_rc.top);
}

void RectBandObject::Offset(long dx, long dy)
{
    OffsetRect(&m_rc, dx, dy);
}

void LineBandObject::Draw(HDC hDC) const
{
    MoveToEx(hDC, m_x1, m_y1, nullptr);
    LineTo(hDC, m_x2, m_y2);
}

void LineBandObject::Offset(long dx, long dy)
{
    m_x1 += dx;
    m_x2 += dx;
    m_y1 += dy;
    m_y2 += dy;
}

BandList::~BandList()
{
    DeleteAll();
}

void BandList::Start(HWND hOwner, long x, long y)
{
    if (hOwner == m_hOwner)
        return;
    Show(false);
    DeleteAll();
    m_hOwner = hOwner;
    m_nOriginX = x;
    m_nOriginY = y;
}

void BandList::Append(BandObject* pBand)
{
    if (!pBand)
    {
        ShowMessageId(IDS_PANE_NOMEMBAND, nullptr, MB_ICONEXCLAMATION);
        return;
    }
    m_Outlines.push_back(pBand);
    if (m_bVisible)
        DrawOne(pBand, 1);
}

void BandList::AddRect(const RECT& rc)
{
    Append(new (std::nothrow) RectBandObject(rc));
}

void BandList::AddLine(long x1, long y1, long x2, long y2)
{
    Append(new (std::nothrow) LineBandObject(x1, y1, x2, y2));
}

void BandList::Show(bool bOn)
{
    if (bOn == m_bVisible)
        return;
    for (BandObject* pBand : m_Outlines)
        DrawOne(pBand, bOn ? 1 : -1);
    m_bVisible = bOn;
}

void BandList::Move(long x, long y)
{
    const bool bWasVisible = m_bVisible;
    Show(false);
    for (BandObject* pBand : m_Outlines)
        pBand->Offset(x - m_nOriginX, y - m_nOriginY);
    Show(bWasVisible);
    m_nOriginX = x;
    m_nOriginY = y;
}

void BandList::Clear()
{
    Show(false);
    DeleteAll();
    m_hOwner = nullptr;
}

void BandList::ForgetWindow(HWND hWnd)
{
    if (!hWnd || hWnd != m_hOwner)
        return;
    if (m_bVisible)
        m_nDraws -= static_cast<long>(m_Outlines.size());
    m_bVisible = false;
    DeleteAll();
    m_hOwner = nullptr;
}

void BandList::DrawOne(const BandObject* pBand, int nInk)
{
    // Each drawing inverts what is under it: nInk says whether it puts the
    // outline on the screen (1) or takes it off (-1).
    m_nDraws += nInk;
    if (!m_hOwner || !::IsWindow(m_hOwner))
        return;
    HDC hDC = ::GetDC(m_hOwner);
    if (!hDC)
        return;
    // The outlines are in client pixels, whatever mapping the pane keeps.
    const int nSaved = SaveDC(hDC);
    SetMapMode(hDC, MM_TEXT);
    SetWindowOrgEx(hDC, 0, 0, nullptr);
    SetViewportOrgEx(hDC, 0, 0, nullptr);
    const int nOldRop = SetROP2(hDC, R2_NOTXORPEN);
    HGDIOBJ hOldPen = SelectObject(hDC, GetStockObject(BLACK_PEN));
    pBand->Draw(hDC);
    SelectObject(hDC, hOldPen);
    SetROP2(hDC, nOldRop);
    RestoreDC(hDC, nSaved);
    ::ReleaseDC(m_hOwner, hDC);
}

void BandList::DeleteAll()
{
    for (BandObject* pBand : m_Outlines)
        delete pBand;
    m_Outlines.clear();
}

BandList& GetBandList()
{
    static BandList s_List;
    return s_List;
}
