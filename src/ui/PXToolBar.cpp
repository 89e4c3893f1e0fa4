// The tool bar's presenter of the command states.
#include "PXToolBar.h"
#include "BitButtonClass.h"
#include "PXCmdIds.h"
#include "owl/TWindow.h"

const WORD PXToolBar::s_awRefreshed[] = {
    CM_FILESAVE, CM_EDITCUT, CM_EDITCOPY, CM_EDITPASTE, CM_ZOOMIN, CM_ZOOMOUT, CM_PRINTFLOW,
    CM_ZOOMNORMAL, CM_EDITDELETE, CM_BLOCKPROPERTIES, CM_STUBLINE, CM_TEXTNOTE,
};
const int PXToolBar::s_nRefreshed = sizeof(s_awRefreshed) / sizeof(s_awRefreshed[0]);

PXToolBar::PXToolBar() : m_pIconBox(nullptr)
{
}

PXToolBar::~PXToolBar()
{
}

void PXToolBar::UpdateState()
{
    for (int i = 0; i < s_nRefreshed; ++i)
        UpdateButton(s_awRefreshed[i]);
}

void PXToolBar::UpdateButton(UINT nId)
{
    bool bEnabled = IsCommandEnabled(static_cast<int>(nId));
    if (bEnabled == IsButtonEnabled(nId))
        return;
    EnableButton(nId, bEnabled);
    HWND hWnd = GetButton(nId);
    PXASSERT(::IsWindow(hWnd));
    ::InvalidateRect(hWnd, nullptr, TRUE);
    ::UpdateWindow(hWnd);
}

bool PXToolBar::IsButtonEnabled(UINT nId)
{
    BitButtonRecord* pRec = GetBitButtonRecord(GetButton(nId));
    PXASSERT(pRec!=0);
    return pRec && !(pRec->dwState & BITBUTTON_DISABLED);
}

void PXToolBar::EnableButton(UINT nId, bool bEnable)
{
    BitButtonRecord* pRec = GetBitButtonRecord(GetButton(nId));
    PXASSERT(pRec!=0);
    if (!pRec)
        return;
    if (bEnable)
        pRec->dwState &= ~BITBUTTON_DISABLED;
    else
        pRec->dwState |= BITBUTTON_DISABLED;
}

HWND PXToolBar::GetButton(UINT nId)
{
    HWND hWnd = ::GetDlgItem(GetStripWindow(), static_cast<int>(nId));
    PXASSERT(::IsWindow(hWnd));
    return hWnd;
}

HWND PXToolBar::GetStripWindow()
{
    HWND hWnd = m_pIconBox ? m_pIconBox->HWindow : nullptr;
    PXASSERT(::IsWindow(hWnd));
    return hWnd;
}
