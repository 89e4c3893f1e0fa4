// The mouse in an object pane: selection, the mouse modes, the rubber
// band, drags inside and between panes, the palette's drop, paste at a
// point, text notes placed and edited in place, and the context menus.
#include "ObjectChild.h"
#include "classlib/ListIterator.h"
#include "BandList.h"
#include "DisplayObject.h"
#include "DragState.h"
#include "EditChild.h"
#include "Goto.h"
#include "Icons.h"
#include "ModelObserver.h"
#include "Page.h"
#include "PaneRes.h"
#include "PowerBlock.h"
#include "PXFaultHandler.h"
#include "PXMenu.h"
#include "PXMsgBox.h"
#include "PXTextDObj.h"
#include "PXTextUI.h"
#include "PXWinApp.h"
#include "ScrollBar.h"
#include "UIMDIChildWindow.h"
#include "UIPageFrame.h"
#include "owl/TScrollBar.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace
{
const int kDragThreshold = 4;

void DefaultTracker(HMENU hMenu, UINT uFlags, int x, int y, HWND hOwner)
{
    ::TrackPopupMenu(hMenu, uFlags, x, y, 0, hOwner, nullptr);
}

PaneMenuTracker s_pfnTracker = DefaultTracker;

// The block image table: block type to image of the block image list; the
// row of type 289 is the default and ends the search.
const struct
{
    int nType;
    int nImage;
} kBlockImages[] = {{393, 0},  {394, 1},  {395, 4},  {396, 5},  {397, 6},  {398, 10}, {399, 8},
                    {400, 15}, {401, 2},  {402, 13}, {403, 17}, {404, 12}, {405, 20}, {406, 21},
                    {407, 22}, {408, 16}, {142, 19}, {409, 11}, {410, 3},  {411, 14}, {412, 7},
                    {413, 9},  {414, 18}, {415, 23}, {289, 24}};

} // namespace

int BlockImageOf(int nType)
{
    for (const auto& row : kBlockImages)
        if (row.nType == nType || row.nType == 289)
            return row.nImage;
    return 24;
}

namespace
{

POINT MakePoint(long x, long y)
{
    POINT pt = {x, y};
    return pt;
}

bool IsClass(const DisplayObject* pObj, classType nClass)
{
    return pObj && pObj->GetObject() && pObj->GetObject()->isA() == nClass;
}
}

PaneMenuTracker ObjectChild::SetMenuTracker(PaneMenuTracker pfn)
{
    PaneMenuTracker pOld = s_pfnTracker;
    s_pfnTracker = pfn ? pfn : DefaultTracker;
    return pOld;
}

void ObjectChild::CaptureMouse()
{
    if (HWindow && ::GetCapture() != HWindow)
        ::SetCapture(HWindow);
}

void ObjectChild::ReleaseMouse()
{
    if (HWindow && ::GetCapture() == HWindow)
    {
        m_bReleasing = true;
        ::ReleaseCapture();
        m_bReleasing = false;
    }
}

void ObjectChild::ShowStatus(const char* pszText)
{
    GetModelObserver().SetStatusText(pszText, 0);
}

void ObjectChild::DrawBand(const RECT& rc)
{
    HDC hDC = GetPaneDC();
    if (!hDC)
        return;
    const int nOldRop = SetROP2(hDC, R2_NOTXORPEN);
    HGDIOBJ hOldPen = SelectObject(hDC, GetStockObject(BLACK_PEN));
    MoveToEx(hDC, rc.left, rc.top, nullptr);
    LineTo(hDC, rc.right, rc.top);
    LineTo(hDC, rc.right, rc.bottom);
    LineTo(hDC, rc.left, rc.bottom);
    LineTo(hDC, rc.left, rc.top);
    SelectObject(hDC, hOldPen);
    SetROP2(hDC, nOldRop);
    ReleasePaneDC(hDC);
}

void ObjectChild::CloseOpenEditors()
{
    Page* pPage = GetPage();
    if (!pPage)
        return;
    std::vector<PXTextUI*> notes;
    for (ListIterator it(pPage->GetNotes()); it; ++it)
        notes.push_back(static_cast<PXTextUI*>(&it.current()));
    for (PXTextUI* pNote : notes)
    {
        if (pNote->GetTextBox()->GetEdit() && EndTextNoteEdit(this, pNote))
            ClearSelection();
    }
}

// ---- left button -------------------------------------------------------------

void ObjectChild::LButtonDown(UINT nKeys, POINT pt)
{
    if (m_nMode == MODE_PASTE)
    {
        POINT ptScreen = pt;
        ::ClientToScreen(HWindow, &ptScreen);
        EditChild* pTarget = dynamic_cast<EditChild*>(TWindow::GetWindowPtr(::WindowFromPoint(ptScreen)));
        if (!pTarget)
        {
            // Released over no page pane: nothing is pasted anywhere.
            PasteAt(0, 0, 2);
            return;
        }
        UIPageFrame* pFrame = GetPageFrame();
        if (pFrame && pTarget->GetMDIChild())
            pFrame->ActivateChild(pTarget->GetMDIChild());
        Page* pPage = pTarget->GetPage();
        if (pFrame && pPage && pFrame->ClipboardHasEndBlock() &&
            (pPage->GetKind() == PX_PAGE_MAIN || pPage->GetKind() == PX_PAGE_VERIFICATION))
        {
            ShowMessageId(pPage->GetKind() == PX_PAGE_MAIN ? IDS_PANE_ENDINMAIN : IDS_PANE_ENDINVERIFY, nullptr,
                          MB_ICONEXCLAMATION);
            PasteAt(0, 0, 2);
            return;
        }
        POINT ptTarget = ptScreen;
        ::ScreenToClient(pTarget->HWindow, &ptTarget);
        pTarget->DeviceToLogical(ptTarget);
        m_pPasteTarget = pTarget;
        PasteAt(ptTarget.x, ptTarget.y, 1);
        m_pPasteTarget = nullptr;
        return;
    }
    if (m_nMode == MODE_TEXTEDIT)
    {
        if (ForwardToNoteEditor(WM_LBUTTONDOWN, nKeys, pt))
            return;
        EndTextEdit();
    }
    POINT ptView = pt;
    DeviceToLogical(ptView);
    if (IsExactly<EditChild>(this))
    {
        CloseOpenEditors();
        if (m_nMode == MODE_NOTESTART)
        {
            if (ptView.x < 0 || ptView.y < 0)
            {
                m_nMode = MODE_IDLE;
                ReleaseMouse();
                ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
                return;
            }
            m_nMode = MODE_NOTERECT;
            ClearSelection();
            m_ptNoteStart = ptView;
            SetRect(&m_rcNote, ptView.x, ptView.y, ptView.x + 1, ptView.y + 1);
            DrawBand(m_rcNote);
            m_bBandNotDrawn = false;
            CaptureMouse();
            return;
        }
    }
    if (m_nMode != MODE_IDLE)
    {
        m_nMode = MODE_IDLE;
        ReleaseMouse();
    }
    DisplayObject* pHit = FindAt(ptView.x, ptView.y);
    const bool bShift = (nKeys & MK_SHIFT) != 0;
    if (!pHit)
    {
        ShowStatus(nullptr);
        if (bShift)
            return;
        ClearSelection();
        if (IsExactly<EditChild>(this))
        {
            m_nMode = MODE_RUBBERBAND;
            m_ptBandStart = ptView;
            m_bBandNotDrawn = true;
            CaptureMouse();
        }
        return;
    }
    UIObject* pObject = pHit->GetObject();
    if (!pObject || pHit->Click(ptView.x, ptView.y, DO_CLICK_LEFT))
        return;
    if (!Select(pObject, !bShift, 1))
        return;
    // The selection may have rebuilt the object's display objects.
    pHit = FindAt(ptView.x, ptView.y);
    if (!pHit || pHit->GetObject() != pObject)
        return;
    ShowStatus(pHit->StatusText());
    if (pObject->IsDraggable())
    {
        m_nMode = MODE_PRESSED;
        m_pPressed = pHit;
        m_ptPress = pt;
        CaptureMouse();
    }
}

void ObjectChild::MouseMove(UINT nKeys, POINT pt)
{
    POINT ptView = pt;
    switch (m_nMode)
    {
    case MODE_IDLE:
    {
        DeviceToLogical(ptView);
        DisplayObject* pHit = FindAt(ptView.x, ptView.y);
        ShowStatus(pHit ? pHit->HoverText() : nullptr);
        break;
    }
    case MODE_PRESSED:
    {
        if (std::abs(pt.x - m_ptPress.x) < kDragThreshold && std::abs(pt.y - m_ptPress.y) < kDragThreshold)
            break;
        if (!m_pPressed)
        {
            m_nMode = MODE_IDLE;
            ReleaseMouse();
            break;
        }
        ShowStatus(m_pPressed->DragText());
        GetBandList().Clear();
        m_nMode = MODE_DRAGGING;
        m_bImageDrag = false;
        DeviceToLogical(ptView);
        DragState& state = GetDragState();
        state.pSelection = &m_Selection;
        state.pPressed = m_pPressed;
        state.pSource = this;
        state.ptStart = ptView;
        DragStarted(&state);
        UIObject* pObject = m_pPressed ? m_pPressed->GetObject() : nullptr;
        if (!pObject || pObject->isA() == PX_CLASS_GOTOBLOCK)
        {
            m_nMode = MODE_IDLE;
            ReleaseMouse();
            ClearSelection();
            break;
        }
        if (pObject->isA() == PX_CLASS_POWERBLOCK && m_Selection.Count() <= 1)
        {
            long vx = ptView.x, vy = ptView.y;
            if (ModelIsOptionSet(MODEL_OPT_SNAPTOGRID))
                SnapViewPoint(vx, vy);
            POINT ptScreen = {vx, vy};
            LogicalToDevice(ptScreen);
            ::ClientToScreen(HWindow, &ptScreen);
            UIPageFrame* pFrame = GetPageFrame();
            PowerBlock* pBlock = static_cast<PowerBlock*>(pObject);
            if (pFrame && pFrame->BeginImageDrag(BlockImageOf(pBlock->GetType()), ptScreen))
            {
                m_bImageDrag = true;
                break;
            }
        }
        DragOver(false, pt.x, pt.y);
        break;
    }
    case MODE_DRAGGING:
    {
        if (m_bImageDrag)
        {
            POINT ptScreen = pt;
            ::ClientToScreen(HWindow, &ptScreen);
            if (UIPageFrame* pFrame = GetPageFrame())
                pFrame->MoveImageDrag(nKeys, ptScreen, this);
        }
        else
        {
            AutoScrollAtEdge(pt);
            DragOver(false, pt.x, pt.y);
        }
        break;
    }
    case MODE_RUBBERBAND:
    case MODE_NOTERECT:
    {
        DeviceToLogical(ptView);
        const POINT start = m_nMode == MODE_RUBBERBAND ? m_ptBandStart : m_ptNoteStart;
        RECT& rc = m_nMode == MODE_RUBBERBAND ? m_rcBand : m_rcNote;
        RECT rcNew = {std::min(start.x, ptView.x), std::min(start.y, ptView.y), std::max(start.x, ptView.x),
                      std::max(start.y, ptView.y)};
        if (!m_bBandNotDrawn)
            DrawBand(rc);
        rc = rcNew;
        DrawBand(rc);
        m_bBandNotDrawn = false;
        break;
    }
    case MODE_TEXTEDIT:
    {
        ForwardToNoteEditor(WM_MOUSEMOVE, nKeys, pt);
        break;
    }
    default:
        break;
    }
}

void ObjectChild::LButtonUp(UINT nKeys, POINT pt)
{
    switch (m_nMode)
    {
    case MODE_IDLE:
        MouseMove(nKeys, pt);
        break;
    case MODE_PRESSED:
        m_nMode = MODE_IDLE;
        ReleaseMouse();
        break;
    case MODE_DRAGGING:
    {
        m_nMode = MODE_IDLE;
        ReleaseMouse();
        DragState& state = GetDragState();
        if (m_bImageDrag)
        {
            m_bImageDrag = false;
            POINT ptScreen = pt;
            ::ClientToScreen(HWindow, &ptScreen);
            if (UIPageFrame* pFrame = GetPageFrame())
                pFrame->EndImageDrag(ptScreen);
        }
        else
        {
            const int nResult = DragOver(true, pt.x, pt.y);
            GetBandList().Clear();
            if (state.pSource == this)
                DragEnded(&state, nResult == 0);
        }
        break;
    }
    case MODE_RUBBERBAND:
    {
        m_nMode = MODE_IDLE;
        ReleaseMouse();
        if (m_bBandNotDrawn)
            break;
        DrawBand(m_rcBand);
        m_bBandNotDrawn = true;
        std::vector<UIObject*> hits;
        for (int nLayer : {DO_LAYER_NOTES, DO_LAYER_BLOCKS})
        {
            InsertArray& layer = m_Display.Layer(nLayer);
            for (int i = 0; i < static_cast<int>(layer.getItemsInContainer()); ++i)
            {
                DisplayObject* pObj = static_cast<DisplayObject*>(&layer[i]);
                const classType c = pObj->isA();
                if ((c == PX_CLASS_TEXTDOBJ || c == PX_CLASS_POWERBLOCKOBJECT) && pObj->GetObject() &&
                    pObj->Intersects(m_rcBand))
                    hits.push_back(pObj->GetObject());
            }
        }
        for (UIObject* pObject : hits)
            Select(pObject, false, 1);
        break;
    }
    case MODE_NOTERECT:
    {
        ReleaseMouse();
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        if (!m_bBandNotDrawn)
            DrawBand(m_rcNote);
        m_bBandNotDrawn = true;
        m_nMode = MODE_IDLE;
        PXTextUI* pNote = CreateTextNote();
        DisplayObject* pObj = nullptr;
        if (pNote && pNote->GetDisplayObjects().getItemsInContainer() > 0)
            pObj = static_cast<DisplayObject*>(&pNote->GetDisplayObjects().peekTail());
        if (!pObj)
            break;
        ClearSelection();
        Select(pNote, true, 1);
        m_nMode = MODE_TEXTEDIT;
        PXWinApp::UpdateCommandUI();
        CaptureMouse();
        pObj->Click(0, 0, DO_CLICK_DOUBLE);
        break;
    }
    case MODE_TEXTEDIT:
    {
        ForwardToNoteEditor(WM_LBUTTONUP, nKeys, pt);
        break;
    }
    default:
        break;
    }
}

void ObjectChild::LButtonDblClk(UINT nKeys, POINT pt)
{
    if (m_nMode == MODE_TEXTEDIT)
    {
        if (ForwardToNoteEditor(WM_LBUTTONDBLCLK, nKeys, pt))
            return;
    }
    POINT ptView = pt;
    DeviceToLogical(ptView);
    DisplayObject* pHit = FindAt(ptView.x, ptView.y);
    if (!pHit)
        return;
    if (pHit->isA() == PX_CLASS_TEXTDOBJ && pHit->GetObject())
    {
        UIObject* pNote = pHit->GetObject();
        if (m_nMode != MODE_IDLE)
        {
            m_nMode = MODE_IDLE;
            ReleaseMouse();
        }
        ClearSelection();
        Select(pNote, true, 1);
        m_nMode = MODE_TEXTEDIT;
        PXWinApp::UpdateCommandUI();
        CaptureMouse();
        pHit = FindAt(ptView.x, ptView.y);
        if (!pHit)
            return;
    }
    if (!pHit->Click(ptView.x, ptView.y, (nKeys & MK_CONTROL) ? DO_CLICK_OPEN : DO_CLICK_DOUBLE))
        ShowStatus(pHit->StatusText());
}

// ---- right button ------------------------------------------------------------

void ObjectChild::TrackMenu(HMENU hMenu, POINT ptClient)
{
    POINT ptScreen = ptClient;
    ::ClientToScreen(HWindow, &ptScreen);
    HWND hOwner = PXGetMainWindow() ? PXGetMainWindow() : HWindow;
    s_pfnTracker(hMenu, TPM_RIGHTBUTTON, ptScreen.x, ptScreen.y, hOwner);
}

void ObjectChild::RButtonDown(UINT nKeys, POINT pt)
{
    if (m_nMode == MODE_RUBBERBAND)
        return;
    if (m_nMode == MODE_PASTE)
    {
        PasteAt(0, 0, 2);
        return;
    }
    if (IsExactly<EditChild>(this) && m_nMode != MODE_TEXTEDIT)
        CloseOpenEditors();
    if (m_nMode == MODE_NOTESTART || m_nMode == MODE_NOTERECT)
    {
        CancelMode();
        ClearSelection();
        return;
    }
    if (m_nMode == MODE_TEXTEDIT)
    {
        if (ForwardToNoteEditor(WM_RBUTTONDOWN, nKeys, pt))
            return;
        EndTextEdit();
    }
    if (m_nMode != MODE_IDLE)
        CancelMode();
    POINT ptView = pt;
    DeviceToLogical(ptView);
    const bool bShift = (nKeys & MK_SHIFT) != 0;
    UIObject* pFirst = m_Selection.First();
    if (!pFirst || pFirst->isA() != PX_CLASS_GOTOBLOCK)
    {
        DisplayObject* pHit = FindAt(ptView.x, ptView.y);
        if (!pHit)
        {
            PXUserAppCtxtMenu menu;
            if (menu.CreatePopup())
            {
                menu.Build();
                menu.UpdateState();
                TrackMenu(menu.GetHandle(), pt);
            }
        }
        else if (IsClass(pHit, PX_CLASS_POWERBLOCK))
        {
            PowerBlock* pBlock = static_cast<PowerBlock*>(pHit->GetObject());
            if (!pHit->Click(ptView.x, ptView.y, DO_CLICK_LEFT))
            {
                Select(pBlock, !bShift, 1);
                PXPBCtxtMenu menu(pBlock);
                if (menu.CreatePopup())
                {
                    menu.Build();
                    menu.UpdateState();
                    TrackMenu(menu.GetHandle(), pt);
                }
            }
        }
        else if (IsClass(pHit, PX_CLASS_TEXTUI))
        {
            Select(pHit->GetObject(), !bShift, 1);
            PXUserAppCtxtMenu menu;
            if (menu.CreatePopup())
            {
                menu.Build();
                menu.UpdateState();
                TrackMenu(menu.GetHandle(), pt);
            }
        }
    }
    // A command of the menu may have changed the page: look again.
    DisplayObject* pHit = FindAt(ptView.x, ptView.y);
    if (pHit && pHit->GetObject() && !pHit->Click(ptView.x, ptView.y, DO_CLICK_RIGHT))
        Select(pHit->GetObject(), !bShift, 2);
}

void ObjectChild::RButtonDblClk(UINT, POINT pt)
{
    POINT ptView = pt;
    DeviceToLogical(ptView);
    if (DisplayObject* pHit = FindAt(ptView.x, ptView.y))
        pHit->Click(ptView.x, ptView.y, DO_CLICK_RIGHTDOUBLE);
}

// ---- drags -------------------------------------------------------------------

void ObjectChild::AutoScrollAtEdge(POINT pt)
{
    POINT ptScreen = pt;
    ::ClientToScreen(HWindow, &ptScreen);
    const bool bLeft = ptScreen.x < m_ptLastScroll.x, bRight = ptScreen.x > m_ptLastScroll.x;
    const bool bUp = ptScreen.y < m_ptLastScroll.y, bDown = ptScreen.y > m_ptLastScroll.y;
    m_ptLastScroll = ptScreen;
    RECT rc = GetWindowRect();
    auto step = [this](ScrollBar* pBar, bool bForward) {
        if (!pBar || !pBar->GetControl())
            return;
        bForward ? pBar->GetControl()->SBLineDown() : pBar->GetControl()->SBLineUp();
        ScrollTo(pBar->GetPosition(), pBar->IsHorizontal());
    };
    if (ptScreen.y >= rc.bottom && !bUp)
        step(m_pVBar, true);
    else if (ptScreen.y < rc.top && !bDown)
        step(m_pVBar, false);
    if (ptScreen.x >= rc.right && !bLeft)
        step(m_pHBar, true);
    else if (ptScreen.x < rc.left && !bRight)
        step(m_pHBar, false);
}

int ObjectChild::DragOver(bool bDrop, int x, int y)
{
    BandList& bands = GetBandList();
    POINT ptScreen = {x, y};
    ::ClientToScreen(HWindow, &ptScreen);
    ChildWindow* pTarget = dynamic_cast<ChildWindow*>(TWindow::GetWindowPtr(::WindowFromPoint(ptScreen)));
    auto refuse = [&]() {
        bands.Clear();
        if (!bDrop)
            return 1;
        PXMessageBeep(MB_ICONEXCLAMATION);
        return 0;
    };
    if (!pTarget)
        return refuse();
    POINT ptTarget = ptScreen;
    ::ScreenToClient(pTarget->HWindow, &ptTarget);
    DragState& state = GetDragState();
    const int nAnswer = pTarget->CanAcceptDrop(&state, ptTarget.x, ptTarget.y);
    switch (nAnswer)
    {
    case 0:
        return refuse();
    case 1:
        if (!bDrop)
        {
            pTarget->Outline(&state, &bands, ptTarget.x, ptTarget.y);
            return 1;
        }
        bands.Clear();
        PXMessageBeep(MB_ICONEXCLAMATION);
        return 0;
    case 2:
        if (!bDrop)
        {
            pTarget->Outline(&state, &bands, ptTarget.x, ptTarget.y);
            return 1;
        }
        bands.Clear();
        if (UIPageFrame* pFrame = GetPageFrame())
            if (UIMDIChildWindow* pChild = dynamic_cast<UIMDIChildWindow*>(pTarget->GetParentO()))
                pFrame->ActivateChild(pChild);
        pTarget->Drop(&state, ptTarget.x, ptTarget.y);
        return 1;
    default:
        return 1;
    }
}

void ObjectChild::EndDrag()
{
    if (m_nMode != MODE_DRAGGING)
        return;
    m_nMode = MODE_IDLE;
    ReleaseMouse();
    if (m_bImageDrag)
    {
        m_bImageDrag = false;
        if (UIPageFrame* pFrame = GetPageFrame())
            pFrame->CancelImageDrag();
    }
    GetBandList().Clear();
}

void ObjectChild::CancelMode()
{
    switch (m_nMode)
    {
    case MODE_PRESSED:
        m_nMode = MODE_IDLE;
        ReleaseMouse();
        break;
    case MODE_DRAGGING:
    {
        EndDrag();
        DragState& state = GetDragState();
        if (state.pSource == this)
            DragEnded(&state, true);
        break;
    }
    case MODE_RUBBERBAND:
    case MODE_NOTERECT:
        if (!m_bBandNotDrawn)
            DrawBand(m_nMode == MODE_RUBBERBAND ? m_rcBand : m_rcNote);
        m_bBandNotDrawn = true;
        m_nMode = MODE_IDLE;
        ReleaseMouse();
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        break;
    case MODE_PASTE:
        PasteAt(0, 0, 2);
        break;
    case MODE_NOTESTART:
        m_nMode = MODE_IDLE;
        ReleaseMouse();
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        break;
    case MODE_TEXTEDIT:
        EndTextEdit();
        break;
    default:
        break;
    }
}

// ---- paste and text notes ----------------------------------------------------

void ObjectChild::BeginPasteAtPoint()
{
    CaptureMouse();
    ::SetCursor(::LoadCursor(nullptr, IDC_CROSS));
    m_nMode = MODE_PASTE;
}

int ObjectChild::PasteAt(long x, long y, int nHow)
{
    m_nMode = MODE_IDLE;
    ReleaseMouse();
    UIPageFrame* pFrame = GetPageFrame();
    ObjectChild* pTarget = m_pPasteTarget ? m_pPasteTarget : this;
    if (nHow != 1 || !pFrame)
    {
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        return 0;
    }
    if (!dynamic_cast<EditChild*>(pTarget) || !pTarget->GetPage())
    {
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        return 1;
    }
    long vx = x, vy = y;
    if (ModelIsOptionSet(MODEL_OPT_SNAPTOGRID))
        pTarget->SnapViewPoint(vx, vy);
    long mx, my;
    pTarget->ViewToModel(vx, vy, mx, my);
    HCURSOR hOld = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    const int nResult = pFrame->PasteClipboard(pTarget->GetPage(), pTarget, mx, my);
    (void)hOld;
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    if (nResult < 0)
        return 1;
    if (UIMDIChildWindow* pChild = pTarget->GetMDIChild())
        pChild->RelayoutPanes();
    pFrame->RefreshPalette(pTarget->GetPage()->GetProgram());
    return nResult;
}

void ObjectChild::BeginTextNote()
{
    CaptureMouse();
    ::SetCursor(::LoadCursor(nullptr, IDC_CROSS));
    m_nMode = MODE_NOTESTART;
}

PXTextUI* ObjectChild::GetEditedTextNote()
{
    if (m_nMode != MODE_TEXTEDIT)
        return nullptr;
    UIObject* pFirst = m_Selection.First();
    return pFirst && pFirst->isA() == PX_CLASS_TEXTUI ? static_cast<PXTextUI*>(pFirst) : nullptr;
}

void ObjectChild::EndTextEdit()
{
    UIObject* pFirst = m_Selection.First();
    PXTextUI* pNote = pFirst && pFirst->isA() == PX_CLASS_TEXTUI ? static_cast<PXTextUI*>(pFirst) : nullptr;
    m_nMode = MODE_IDLE;
    ReleaseMouse();
    if (pNote)
        EndTextNoteEdit(this, pNote);
    ClearSelection();
}

bool ObjectChild::BeginNoteEdit(PXTextUI* pNote)
{
    if (!pNote || !FindOwnDisplayObject(pNote, PX_CLASS_TEXTDOBJ))
        return false;
    if (m_nMode == MODE_TEXTEDIT)
        EndTextEdit();
    else if (m_nMode != MODE_IDLE)
        CancelMode();
    ClearSelection();
    Select(pNote, true, 1);
    // Ending an edit makes the note's display objects again: look once more.
    DisplayObject* pObj = FindOwnDisplayObject(pNote, PX_CLASS_TEXTDOBJ);
    if (!pObj)
        return false;
    m_nMode = MODE_TEXTEDIT;
    PXWinApp::UpdateCommandUI();
    CaptureMouse();
    const RECT rc = pObj->GetRect();
    pObj->Click(rc.left, rc.top, DO_CLICK_DOUBLE);
    return true;
}

// ---- the palette's messages ------------------------------------------------

LRESULT ObjectChild::OnPaletteDrop(WPARAM wParam, LPARAM lParam)
{
    POINT ptScreen = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ObjectChild* pTarget = dynamic_cast<ObjectChild*>(TWindow::GetWindowPtr(::WindowFromPoint(ptScreen)));
    if (!pTarget)
    {
        if (!dynamic_cast<ChildWindow*>(TWindow::GetWindowPtr(::WindowFromPoint(ptScreen))))
        {
            PXMessageBeep(0);
            return 0;
        }
        pTarget = this;
    }
    POINT pt = ptScreen;
    ::ScreenToClient(pTarget->HWindow, &pt);
    if (UIPageFrame* pFrame = GetPageFrame())
        if (UIMDIChildWindow* pChild = pTarget->GetMDIChild())
            pFrame->ActivateChild(pChild);
    pTarget->DeviceToLogical(pt);
    EditChild* pEdit = dynamic_cast<EditChild*>(pTarget);
    if (wParam)
    {
        PowerBlockIcon* pIcon = reinterpret_cast<PowerBlockIcon*>(wParam);
        if (pEdit)
            pEdit->AddBlockFromIcon(pIcon, pt.x, pt.y);
        Select(pIcon, false, 1);
        return 1;
    }
    DragState& state = GetDragState();
    UIObject* pDragged = state.pPressed ? state.pPressed->GetObject() : nullptr;
    if (pEdit && pDragged && (pDragged->isA() == PX_CLASS_POWERBLOCK || pDragged->isA() == PX_CLASS_TEXTUI))
    {
        pEdit->MoveSelection(&state, pt.x, pt.y);
        return 1;
    }
    PXMessageBeep(MB_ICONEXCLAMATION);
    return 0;
}

LRESULT ObjectChild::OnPaletteDragOver(LPARAM lParam)
{
    POINT* pPoint = reinterpret_cast<POINT*>(lParam);
    if (!pPoint || !ModelIsOptionSet(MODEL_OPT_SNAPTOGRID))
        return 0;
    POINT pt = *pPoint;
    DeviceToLogical(pt);
    long vx = pt.x, vy = pt.y;
    SnapViewPoint(vx, vy);
    pt = MakePoint(vx, vy);
    LogicalToDevice(pt);
    *pPoint = pt;
    return 0;
}

bool ObjectChild::ForwardToNoteEditor(UINT nMsg, UINT nKeys, POINT pt)
{
    PXTextUI* pNote = GetEditedTextNote();
    PXTextBase* pBox = pNote ? pNote->GetTextBox() : nullptr;
    if (!pBox || !pBox->HitTestEdit(pt.x, pt.y))
        return false;
    // The editor takes the point in its own coordinates, so that the caret
    // lands where the user clicked.
    POINT ptEdit = pt;
    ::MapWindowPoints(HWindow, pBox->GetEditWindow(), &ptEdit, 1);
    ::SendMessageA(pBox->GetEditWindow(), nMsg, nKeys, MAKELPARAM(ptEdit.x, ptEdit.y));
    return true;
}
