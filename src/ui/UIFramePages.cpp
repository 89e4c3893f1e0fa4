// The main frame as its page windows see it.
#include "UIFramePages.h"
#include "EditMDI.h"
#include "LayoutRecord.h"
#include "ObjectChild.h"
#include "Page.h"
#include "PaletteMDI.h"
#include "PXImageList.h"
#include "PXMainFrame.h"
#include "UIMDIFrame.h"

#include <commctrl.h>
#include <new>

namespace
{
// The page pane that a block drag leaves behind: near its edges it
// scrolls. The main frame gives the point in the client coordinates of
// the MDI child the drag began in.
class PaneEdge : public PXDragPane
{
public:
    PaneEdge(ObjectChild* pPane, HWND hChild) : m_pPane(pPane), m_hChild(hChild) {}
    void DragOverEdge(POINT* pPoint) override
    {
        if (!m_pPane || !m_pPane->HWindow || !pPoint)
            return;
        POINT pt = *pPoint;
        ::MapWindowPoints(m_hChild, m_pPane->HWindow, &pt, 1);
        m_pPane->AutoScrollAtEdge(pt);
    }

private:
    ObjectChild* m_pPane;
    HWND m_hChild;
};
}

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

void UIFramePages::GetPageGridSize(long& cx, long& cy)
{
    cx = m_frame.GetPageGridCellWidth();
    cy = m_frame.GetPageGridCellHeight();
}

void UIFramePages::SetPageGridSize(long cx, long cy)
{
    m_frame.SetPageGridCell(static_cast<int>(cx), static_cast<int>(cy));
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

bool UIFramePages::BeginImageDrag(int nImage, POINT ptScreen)
{
    PXMainFrame* pMainFrame = m_frame.GetPXFrame();
    if (!pMainFrame || !pMainFrame->m_hWndMDIClient || !::IsWindow(pMainFrame->m_hWndMDIClient))
        return false;
    if (!m_pResizedIconIL || nImage < 0 || nImage >= m_pResizedIconIL->GetImageCount())
        return false;
    // The drag shows the one image, copied with its mask into a list of
    // its own; the drag keeps a copy of it.
    HIMAGELIST hResized = m_pResizedIconIL->m_hImageList;
    int cx = 0, cy = 0;
    if (!ImageList_GetIconSize(hResized, &cx, &cy))
        return false;
    HIMAGELIST hOne = ImageList_Create(cx, cy, ILC_MASK | ILC_COLOR24, 1, 0);
    if (!hOne)
        return false;
    bool bAdded = false;
    if (HICON hIcon = ImageList_GetIcon(hResized, nImage, ILD_NORMAL))
    {
        bAdded = ImageList_AddIcon(hOne, hIcon) == 0;
        ::DestroyIcon(hIcon);
    }
    if (bAdded)
        pMainFrame->BeginDrag(hOne, ptScreen.x, ptScreen.y, 0, nullptr, 1);
    ImageList_Destroy(hOne);
    return bAdded;
}

void UIFramePages::MoveImageDrag(UINT nKeys, POINT ptScreen, ObjectChild* pSource)
{
    PXMainFrame* pMainFrame = m_frame.GetPXFrame();
    if (!pMainFrame)
        return;
    PaneEdge edge(pSource, pMainFrame->GetDragChild());
    pMainFrame->DragMove(nKeys, ptScreen.x, ptScreen.y, pSource ? &edge : nullptr);
}

void UIFramePages::EndImageDrag(POINT ptScreen)
{
    if (PXMainFrame* pMainFrame = m_frame.GetPXFrame())
        pMainFrame->EndDrag(ptScreen.x, ptScreen.y, false);
}

void UIFramePages::CancelImageDrag()
{
    if (PXMainFrame* pMainFrame = m_frame.GetPXFrame())
        pMainFrame->CancelDrag();
}
