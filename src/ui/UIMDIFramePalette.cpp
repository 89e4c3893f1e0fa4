// The main frame's side of the block palette: the palette manager and its
// windows, the "Blocks" palette window whose panes hold the palette's
// groups and blocks, the frame messages that the palette sends, the
// palette's block icons at the active page's zoom, and the full-screen
// mode that the main-frame wrapper runs.
#include "UIMDIFrame.h"
#include "EditChild.h"
#include "EditMDI.h"
#include "Icons.h"
#include "LayoutRecord.h"
#include "PaletteMDI.h"
#include "PXAssert.h"
#include "PXImageList.h"
#include "PXInTabWnd.h"
#include "PXMainFrame.h"
#include "PXTabPaletteMgr.h"
#include "owl/TMDIClient.h"

#include "PXUIMsg.h"

#include <new>

namespace
{
// The bars, the MDI client and the docked palette laid out again through
// the frame's own message, so that the layout's default processing is its
// own and not that of the message being handled (a close, a command).
void RelayoutFrame(HWND hFrame)
{
    ::SendMessageA(hFrame, WM_UI_RELAYOUT, 0, 0);
}
}

void UIMDIFrame::SetupPalette()
{
    PXASSERT(m_pMainFrame!=0);
    if (!m_pMainFrame->m_pPaletteManager)
        m_pMainFrame->m_pPaletteManager = new PXTabPaletteMgr(m_pMainFrame);
    m_pMainFrame->m_pPaletteManager->CreatePalette();

    TMDIClient* pClient = GetClientWindow();
    const LayoutRecord* pRecord = LayoutRecord::Find(LAYOUT_PALETTE);
    if (!m_pPaletteWnd && pClient && pClient->HWindow && pRecord)
    {
        PaletteMDI* pWindow = new (std::nothrow) PaletteMDI(*pClient, pRecord, Icons::GetCurrent(), "Blocks");
        if (pWindow && pWindow->Create())
            m_pPaletteWnd = pWindow;
        else
            delete pWindow;
    }
    if (m_pPaletteWnd && m_pMainFrame->GetInWnd())
    {
        m_pPaletteWnd->SetProgram(m_pCurrentProgram);
        m_pPaletteWnd->InitGroupTabs();
    }
}

void UIMDIFrame::TogglePalette()
{
    PXASSERT(m_pMainFrame!=0);
    PXASSERT(m_pMainFrame->m_pPaletteManager!=0);
    PXPaletteManager* pManager = m_pMainFrame->m_pPaletteManager;
    if (pManager->IsOpen())
    {
        pManager->ClosePalette();
    }
    else
    {
        pManager->CreatePalette();
        if (m_pPaletteWnd && m_pMainFrame->GetInWnd())
            m_pPaletteWnd->InitGroupTabs();
    }
    RelayoutFrame(HWindow);
}

void UIMDIFrame::EvClose()
{
    PXPaletteManager* pManager = m_pMainFrame ? m_pMainFrame->m_pPaletteManager : nullptr;
    const bool bWasOpen = pManager && pManager->IsOpen();
    if (bWasOpen)
        pManager->Close();
    HWND hWnd = HWindow;
    TMDIFrame::EvClose();
    // A frame whose close went through is gone, object and all: only the
    // handle tells.
    if (!bWasOpen || !::IsWindow(hWnd))
        return;
    pManager->CreatePalette();
    if (m_pPaletteWnd && m_pMainFrame->GetInWnd())
        m_pPaletteWnd->InitGroupTabs();
    RelayoutFrame(HWindow);
}

void UIMDIFrame::EvDestroy()
{
    if (m_pMainFrame && m_pMainFrame->m_pPaletteManager)
    {
        PXPaletteManager* pManager = m_pMainFrame->m_pPaletteManager;
        pManager->Close();
        m_pMainFrame->m_pPaletteManager = nullptr;
        delete pManager;
    }
    TMDIFrame::EvDestroy();
}

void UIMDIFrame::PaletteFollowProgram(Program* pProgram)
{
    if (m_pPaletteWnd)
        m_pPaletteWnd->SetProgram(pProgram);
}

void UIMDIFrame::PaletteForgetProgram(Program* pProgram)
{
    // The palette lists the program's own groups: they go with it.
    if (m_pPaletteWnd && pProgram && m_pPaletteWnd->GetFollowedProgram() == pProgram)
        m_pPaletteWnd->SetProgram(nullptr);
}

void UIMDIFrame::PaletteFrameSize(int cx, int cy)
{
    if (!m_pMainFrame || !m_pMainFrame->m_pPaletteManager)
        return;
    TMDIClient* pClient = GetClientWindow();
    if (pClient && pClient->HWindow)
        m_pMainFrame->m_hWndMDIClient = pClient->HWindow;
    m_pMainFrame->m_pPaletteManager->OnFrameSize(cx, cy);
}

LRESULT UIMDIFrame::EvPaletteTabSelected(WPARAM, LPARAM lParam)
{
    PXASSERT(((GroupIcon*)lParam)!=0);
    if (m_pPaletteWnd)
        m_pPaletteWnd->ChooseGroup(reinterpret_cast<GroupIcon*>(lParam));
    return 0;
}

LRESULT UIMDIFrame::EvPaletteDragStart(WPARAM, LPARAM)
{
    // A block about to be dropped must not land in a note being typed.
    if (EditMDI* pWindow = dynamic_cast<EditMDI*>(GetActiveEditWindow()))
        if (EditChild* pPane = pWindow->GetEditPane())
            if (pPane->GetEditedTextNote())
                pPane->EndTextEdit();
    return 0;
}

int UIMDIFrame::ResizedIconSize(int nZoom)
{
    const int nSize = nZoom * 40 / 100;
    return nSize < 1 ? 1 : nSize;
}

bool UIMDIFrame::RebuildResizedIcons(int nZoom)
{
    // Refilling the tabs below reaches the frame again (the chosen group
    // is shown, windows may be activated): a rebuild already under way is
    // not started twice.
    if (m_bRebuildingIcons || nZoom <= 0 || !m_pIconIL)
        return false;
    PXInTabWnd* pInner = m_pMainFrame ? dynamic_cast<PXInTabWnd*>(m_pMainFrame->GetInWnd()) : nullptr;
    if (!pInner || !::IsWindow(pInner->m_hWnd))
        return false;
    const int nSize = ResizedIconSize(nZoom);
    // The palette's icons are already of that size.
    if (m_pResizedIconIL && m_pResizedIconIL->m_nCellWidth == nSize && m_pResizedIconIL->m_nCellHeight == nSize)
        return false;

    m_bRebuildingIcons = true;
    const int nSel = pInner->GetCurSel();
    pInner->BeginUpdate();
    // The new list is made before the old one goes: a list that cannot be
    // made leaves the palette with the icons it had.
    PXImageListEx* pResized = new (std::nothrow) PXImageListEx;
    bool bMade = false;
    if (pResized)
    {
        try
        {
            SIZE size = {nSize, nSize};
            pResized->CreateResized(m_pIconIL, PXIL_RESIZE_HALFTONE, size, static_cast<COLORREF>(-1),
                                    static_cast<COLORREF>(-1));
            bMade = true;
        }
        catch (...)
        {
            delete pResized;
            pResized = nullptr;
        }
    }
    if (bMade)
    {
        delete m_pResizedIconIL;
        m_pResizedIconIL = pResized;
    }
    pInner->EndUpdate();
    if (m_pPaletteWnd)
        m_pPaletteWnd->RefreshGroupTabs(nSel < 0 ? 0 : nSel);
    m_bRebuildingIcons = false;
    return bMade;
}

void UIMDIFrame::CmFullScreen()
{
    if (m_pMainFrame)
        m_pMainFrame->ToggleFullScreen();
}

void UIMDIFrame::ForgetPalette(PaletteMDI* pPalette)
{
    if (pPalette && pPalette == m_pPaletteWnd)
        m_pPaletteWnd = nullptr;
}
