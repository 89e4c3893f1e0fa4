// The main frame as its page windows see it.
#include "UIFramePages.h"
#include "EditMDI.h"
#include "LayoutRecord.h"
#include "Page.h"
#include "PaletteMDI.h"
#include "UIMDIFrame.h"

#include <new>

UIFramePages::UIFramePages(UIMDIFrame& frame) : m_frame(frame), m_pOldFrame(SetPageFrame(this))
{
    UIMDIFrame::SetEditWindowFactory(MakeEditWindow);
}

UIFramePages::~UIFramePages()
{
    UIMDIFrame::SetEditWindowFactory(nullptr);
    SetPageFrame(m_pOldFrame);
}

UIMDIChild* UIFramePages::MakeEditWindow(UIMDIFrame& frame, Program* pProgram, Page* pPage, const char* pszCaption)
{
    TMDIClient* pClient = frame.GetClientWindow();
    if (!pClient || !pClient->HWindow)
        return nullptr;
    EditMDI* pWindow =
        new (std::nothrow) EditMDI(*pClient, LayoutRecord::Find(LAYOUT_PAGE), pProgram, pPage, pszCaption);
    if (!pWindow)
        return nullptr;
    if (!pWindow->Create())
    {
        delete pWindow;
        return nullptr;
    }
    return pWindow;
}

void UIFramePages::ActivateChild(UIMDIChildWindow* pChild)
{
    m_frame.ActivateChild(pChild);
}

void UIFramePages::SetCurrentProgram(Program* pProgram)
{
    m_frame.SetCurrentProgram(pProgram);
}

void UIFramePages::SetCurrentPage(Page* pPage)
{
    m_frame.SetCurrentPage(pPage);
}

Program* UIFramePages::GetCurrentProgram() const
{
    return m_frame.GetCurrentProgram();
}

void UIFramePages::CloseChild(UIMDIChildWindow* pChild)
{
    m_frame.CloseChild(pChild);
}

void UIFramePages::ShowPage(Page* pPage)
{
    if (!pPage)
        return;
    if (m_frame.FindChildForPage(pPage))
        m_frame.SetCurrentPage(pPage);
    else if (pPage->GetProgram())
        m_frame.OpenEditWindow(pPage->GetProgram(), pPage);
}

bool UIFramePages::IsClosing() const
{
    return m_frame.IsClosing() != 0;
}

void UIFramePages::RefreshPalette(Program* pProgram)
{
    m_frame.PaletteFollowProgram(nullptr);
    m_frame.PaletteFollowProgram(pProgram);
}

HWND UIFramePages::GetPaletteWindow()
{
    PaletteMDI* pWindow = m_frame.GetPaletteMDI();
    return pWindow ? pWindow->HWindow : nullptr;
}

void UIFramePages::TogglePalette()
{
    m_frame.TogglePalette();
}
