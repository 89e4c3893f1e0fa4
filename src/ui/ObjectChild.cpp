// The object pane: display objects, coordinates, zoom, scrolling,
// selection and notifications. The mouse is in ObjectChildMouse.cpp.
#include "ObjectChild.h"
#include "classlib/ListIterator.h"
#include "BandList.h"
#include "DisplayObject.h"
#include "DragState.h"
#include "FontObject.h"
#include "Grid.h"
#include "ModelObserver.h"
#include "PaneRes.h"
#include "PowerBlockObject.h"
#include "PXFaultHandler.h"
#include "PXUIMsg.h"
#include "PXWinApp.h"
#include "ScrollBar.h"
#include "UIMDIChildWindow.h"
#include "UIObject.h"
#include "UIPageFrame.h"
#include "owl/TScrollBar.h"

#include <algorithm>
#include <climits>

namespace
{
const int kZoomLadder[12] = {0, 35, 37, 40, 44, 49, 55, 62, 70, 79, 89, 100};
}

int ZoomOfStep(int nStep)
{
    if (nStep < 1)
        nStep = 1;
    if (nStep > 11)
        nStep = 11;
    return kZoomLadder[nStep];
}

int NormalizeZoom(int& nPercent, int& nStep)
{
    if (nPercent > 100)
    {
        nPercent = 100;
        return nStep = 11;
    }
    if (nPercent <= 35)
    {
        nPercent = 35;
        return nStep = 1;
    }
    if (nStep != 0)
        return nStep;
    for (int n = 11; n >= 1; --n)
    {
        if (kZoomLadder[n] == nPercent)
            return nStep = n;
        if (kZoomLadder[n] < nPercent)
        {
            // Between step n and step n + 1, whose gap is n + 1.
            const int nUpper = n + 1;
            if (nPercent >= kZoomLadder[n] + nUpper / 2)
            {
                nPercent = kZoomLadder[nUpper];
                return nStep = nUpper;
            }
            nPercent = kZoomLadder[n];
            return nStep = n;
        }
    }
    nPercent = 35;
    return nStep = 1;
}

DragState& GetDragState()
{
    static DragState s_State = {nullptr, nullptr, nullptr, {0, 0}};
    return s_State;
}

ObjectChild::ObjectChild(TWindow* pParent, const LayoutElement* pElement, int nWidth, int nHeight)
    : ChildWindow(pParent, pElement, nWidth, nHeight), m_Display(DO_LAYER_COUNT), m_Selection(this),
      m_nSecondClick(0), m_nZoom(100), m_nZoomStep(11), m_nVScale(1024), m_nHScale(1024), m_nOriginX(0),
      m_nOriginY(0), m_pVBar(nullptr), m_pHBar(nullptr), m_nVLine(1), m_nHLine(1), m_pPressed(nullptr),
      m_ptPress{0, 0}, m_ptBandStart{0, 0}, m_ptLastScroll{0, 0}, m_nMode(MODE_IDLE), m_bBandNotDrawn(true),
      m_rcBand{0, 0, 0, 0}, m_rcNote{0, 0, 0, 0}, m_ptNoteStart{0, 0}, m_bImageDrag(false), m_bReleasing(false), m_pPasteTarget(nullptr),
      m_pGrid(nullptr), m_nPageHeight(0), m_nPageWidth(0), m_Metrics{0, 0, 0, 0, 0, 0}
{
    Attr.Style |= WS_CLIPCHILDREN;
    m_pGrid = new Grid(nullptr, 240, 120);
    ReadScale();
}

ObjectChild::~ObjectChild()
{
    DragState& state = GetDragState();
    if (state.pSource == this)
        state = DragState{nullptr, nullptr, nullptr, {0, 0}};
    if (HWindow)
        GetBandList().ForgetWindow(HWindow);
    m_pGrid->flush();
    m_Display.Flush();
    delete m_pGrid;
    m_pGrid = nullptr;
    m_Selection.List::flush(TShouldDelete::NoDelete);
}

void ObjectChild::GetWindowClass(WNDCLASSA& wc)
{
    ChildWindow::GetWindowClass(wc);
    wc.style |= CS_DBLCLKS | CS_OWNDC;
}

// ---- device context and coordinates -----------------------------------------

HDC ObjectChild::GetPaneDC()
{
    if (!HWindow)
        return nullptr;
    // The pane's own context keeps its mapping (CS_OWNDC).
    return ::GetDC(HWindow);
}

void ObjectChild::ReleasePaneDC(HDC hDC)
{
    if (hDC)
        ::ReleaseDC(HWindow, hDC);
}

void ObjectChild::ModelToView(long mx, long my, long& vx, long& vy) const
{
    // The shift rounds toward minus infinity after the addition.
    vx = static_cast<long>((static_cast<long long>(mx) * m_nHScale + 4096) >> 13);
    vy = static_cast<long>((static_cast<long long>(my) * m_nVScale + 4096) >> 13);
}

void ObjectChild::ViewToModel(long vx, long vy, long& mx, long& my) const
{
    mx = static_cast<long>((static_cast<long long>(vx) * 8192 + m_nHScale / 2) / m_nHScale);
    my = static_cast<long>((static_cast<long long>(vy) * 8192 + m_nVScale / 2) / m_nVScale);
}

RECT ObjectChild::ViewRectToModel(const RECT& rc) const
{
    RECT r;
    ViewToModel(rc.left, rc.top, r.left, r.top);
    ViewToModel(rc.right, rc.bottom, r.right, r.bottom);
    return r;
}

void ObjectChild::DeviceToLogical(POINT& pt)
{
    if (HDC hDC = GetPaneDC())
    {
        DPtoLP(hDC, &pt, 1);
        ReleasePaneDC(hDC);
    }
}

void ObjectChild::LogicalToDevice(POINT& pt)
{
    if (HDC hDC = GetPaneDC())
    {
        LPtoDP(hDC, &pt, 1);
        ReleasePaneDC(hDC);
    }
}

void ObjectChild::DeviceToLogical(RECT& rc)
{
    if (HDC hDC = GetPaneDC())
    {
        DPtoLP(hDC, reinterpret_cast<POINT*>(&rc), 2);
        ReleasePaneDC(hDC);
    }
}

void ObjectChild::LogicalToDevice(RECT& rc)
{
    if (HDC hDC = GetPaneDC())
    {
        LPtoDP(hDC, reinterpret_cast<POINT*>(&rc), 2);
        ReleasePaneDC(hDC);
    }
}

void ObjectChild::SnapToGrid(long& mx, long& my)
{
    const long nUnit = GetModelSettings().nGridStep > 0 ? GetModelSettings().nGridStep : 34;
    mx = nUnit * (mx / nUnit);
    my = (nUnit / 2) * (my / (nUnit / 2));
}

void ObjectChild::SnapViewPoint(long& vx, long& vy) const
{
    long mx, my;
    ViewToModel(vx, vy, mx, my);
    SnapToGrid(mx, my);
    ModelToView(mx, my, vx, vy);
}

void ObjectChild::ReadScale()
{
    FontObject* pFont = GetResourceRecord();
    if (!pFont)
        return;
    const long nHeight = pFont->GetCharHeight();
    const long nWidth = pFont->GetAveCharWidth();
    if (nHeight > 0)
        m_nVScale = nHeight * 1024;
    if (nWidth > 0)
        m_nHScale = nWidth * 1024;
}

// ---- zoom and scrolling ------------------------------------------------------

void ObjectChild::SetZoom(int nPercent, int nStep)
{
    m_nZoom = nPercent;
    m_nZoomStep = nStep;
    if (HDC hDC = GetPaneDC())
    {
        SetMapMode(hDC, MM_ANISOTROPIC);
        SetWindowExtEx(hDC, 100, 100, nullptr);
        SetViewportExtEx(hDC, nPercent, nPercent, nullptr);
        SetWindowOrgEx(hDC, m_nOriginX, m_nOriginY, nullptr);
        ReleasePaneDC(hDC);
    }
    if (HWindow)
        Invalidate(true);
}

void ObjectChild::AttachScrollBar(ScrollBar* pBar, bool bHorizontal)
{
    (bHorizontal ? m_pHBar : m_pVBar) = pBar;
}

void ObjectChild::ScrollTo(int nPosition, bool bHorizontal)
{
    if (m_nMode == MODE_TEXTEDIT)
        EndTextEdit();
    const long nOldX = m_nOriginX, nOldY = m_nOriginY;
    if (bHorizontal)
        m_nOriginX = nPosition * m_nHLine;
    else
        m_nOriginY = nPosition * m_nVLine;
    if (HDC hDC = GetPaneDC())
    {
        SetWindowOrgEx(hDC, m_nOriginX, m_nOriginY, nullptr);
        ReleasePaneDC(hDC);
    }
    if (!HWindow)
        return;
    if (m_nZoom <= 2)
        ::ScrollWindow(HWindow, static_cast<int>(nOldX - m_nOriginX), static_cast<int>(nOldY - m_nOriginY), nullptr,
                       nullptr);
    else
        Invalidate(true);
}

void ObjectChild::SetScrollRange(ScrollBar* pBar, long nLineSize, int nCount)
{
    if (!pBar || nLineSize <= 0)
        return;
    RECT rc = HWindow ? GetClientRect() : RECT{0, 0, Attr.W, Attr.H};
    long nPixels;
    if (pBar->IsHorizontal())
    {
        m_nHLine = nLineSize;
        nPixels = rc.right - rc.left;
    }
    else
    {
        m_nVLine = nLineSize;
        nPixels = rc.bottom - rc.top;
    }
    pBar->SetRange(0, nCount, 1, static_cast<int>(std::max(1L, nPixels / nLineSize)));
}

void ObjectChild::ScrollBarRequest(int nWhich, int nDirection, int nKind)
{
    ScrollBar* pBar = nWhich == 0 ? m_pVBar : m_pHBar;
    if (!pBar || !pBar->GetControl())
        return;
    TScrollBar* pCtl = pBar->GetControl();
    switch (nKind)
    {
    case 4:
        nDirection == 2 ? pCtl->SBLineUp() : pCtl->SBLineDown();
        break;
    case 5:
        nDirection == 2 ? pCtl->SBPageUp() : pCtl->SBPageDown();
        break;
    case 6:
        pCtl->SBTop();
        break;
    case 7:
        pCtl->SBBottom();
        break;
    default:
        break;
    }
}

int ObjectChild::GetVScrollPos() const
{
    return m_pVBar ? m_pVBar->GetPosition() : 0;
}

int ObjectChild::GetHScrollPos() const
{
    return m_pHBar ? m_pHBar->GetPosition() : 0;
}

// ---- display objects ---------------------------------------------------------

void ObjectChild::AddDisplayObject(DisplayObject* pObj)
{
    int nLayer = pObj->Layer();
    if (nLayer < 0 || nLayer >= m_Display.GetCount())
        nLayer = DO_LAYER_BLOCKS;
    m_Display.Layer(nLayer).add(*pObj);
    m_pGrid->AddObject(pObj);
}

void ObjectChild::RemoveDisplayObject(int nLayer, int nIndex, bool bRepaint)
{
    InsertArray& layer = m_Display.Layer(nLayer);
    DisplayObject* pObj = static_cast<DisplayObject*>(&layer[nIndex]);
    layer.detach(nIndex, TShouldDelete::NoDelete);
    if (bRepaint)
        InvalidateObject(pObj);
    if (m_pGrid->HasObject(pObj))
        m_pGrid->RemoveObject(pObj);
    delete pObj;
}

void ObjectChild::ClearDisplayObjects()
{
    m_pGrid->flush();
    m_Display.Flush();
}

int ObjectChild::GetDisplayObjectCount() const
{
    int n = 0;
    for (int i = 0; i < m_Display.GetCount(); ++i)
        n += static_cast<int>(m_Display.Layer(i).getItemsInContainer());
    return n;
}

void ObjectChild::InvalidateObject(DisplayObject* pObj)
{
    if (!HWindow || !pObj)
        return;
    // The pane's mapping without asking the context: many objects are
    // invalidated at a time, and the 2 pixels of margin cover the rounding.
    RECT rc = pObj->GetRect();
    rc.left = static_cast<long>((static_cast<long long>(rc.left) - m_nOriginX) * m_nZoom / 100);
    rc.right = static_cast<long>((static_cast<long long>(rc.right) - m_nOriginX) * m_nZoom / 100);
    rc.top = static_cast<long>((static_cast<long long>(rc.top) - m_nOriginY) * m_nZoom / 100);
    rc.bottom = static_cast<long>((static_cast<long long>(rc.bottom) - m_nOriginY) * m_nZoom / 100);
    if (rc.left > rc.right)
        std::swap(rc.left, rc.right);
    if (rc.top > rc.bottom)
        std::swap(rc.top, rc.bottom);
    InflateRect(&rc, 2, 2);
    InvalidateRect(rc, true);
}

DisplayObject* ObjectChild::FindAt(long vx, long vy) const
{
    return m_pGrid->FindAt(vx, vy);
}

DisplayObject* ObjectChild::ObjectsInRect(const RECT& rc)
{
    return m_pGrid->Next(rc);
}

DisplayObject* ObjectChild::FindDisplayObject(UIObject* pObject, classType nClass)
{
    if (!pObject)
        return nullptr;
    for (ListIterator it(pObject->GetDisplayObjects()); it; ++it)
    {
        DisplayObject* pObj = static_cast<DisplayObject*>(&it.current());
        if (pObj->isA() == nClass)
            return pObj;
    }
    return nullptr;
}

DisplayObject* ObjectChild::FindOwnDisplayObject(UIObject* pObject, classType nClass)
{
    if (!pObject)
        return nullptr;
    for (ListIterator it(pObject->GetDisplayObjects()); it; ++it)
    {
        DisplayObject* pObj = static_cast<DisplayObject*>(&it.current());
        if (pObj->isA() == nClass && pObj->GetPane() == static_cast<DisplayPane*>(this))
            return pObj;
    }
    return nullptr;
}

void ObjectChild::GetObjectsExtent(long& left, long& top, long& right, long& bottom) const
{
    left = top = 0x7FFFFFFF;
    right = bottom = static_cast<long>(0x80000001);
    for (int i = 0; i < m_Display.GetCount(); ++i)
    {
        InsertArray& layer = m_Display.Layer(i);
        for (int j = 0; j < static_cast<int>(layer.getItemsInContainer()); ++j)
        {
            const RECT& rc = static_cast<DisplayObject&>(layer[j]).GetRect();
            left = std::min(left, rc.left);
            top = std::min(top, rc.top);
            right = std::max(right, rc.right);
            bottom = std::max(bottom, rc.bottom);
        }
    }
}

int ObjectChild::RemoveObjectDisplays(UIObject* pObject, bool bDeselect, bool bRepaint)
{
    int nRemoved = 0;
    for (int nLayer = 0; nLayer < m_Display.GetCount(); ++nLayer)
    {
        InsertArray& layer = m_Display.Layer(nLayer);
        for (int i = static_cast<int>(layer.getItemsInContainer()) - 1; i >= 0; --i)
        {
            if (i >= static_cast<int>(layer.getItemsInContainer()))
                continue;
            DisplayObject* pObj = static_cast<DisplayObject*>(&layer[i]);
            if (!pObj->Shows(pObject))
                continue;
            if (bDeselect && pObj->GetObject() != pObject && pObj->GetObject())
                Deselect(pObj->GetObject(), true);
            if (m_pPressed == pObj)
                m_pPressed = nullptr;
            if (GetDragState().pPressed == pObj)
                GetDragState().pPressed = nullptr;
            RemoveDisplayObject(nLayer, i, bRepaint);
            ++nRemoved;
        }
    }
    if (bDeselect && nRemoved > 0)
        Deselect(pObject, true);
    return nRemoved;
}

void ObjectChild::ObjectNotify(UIObject* pObject, int nKind, unsigned)
{
    if (!pObject)
        return;
    switch (nKind)
    {
    case OBJECT_REPAINT:
        for (ListIterator it(pObject->GetDisplayObjects()); it; ++it)
        {
            DisplayObject* pObj = static_cast<DisplayObject*>(&it.current());
            if (pObj->GetPane() == static_cast<DisplayPane*>(this))
                InvalidateObject(pObj);
        }
        break;
    case OBJECT_REBUILD:
        if (RemoveObjectDisplays(pObject, false, false) > 0)
            AddDisplayObjects(pObject, true);
        break;
    case OBJECT_CHANGING:
        RemoveObjectDisplays(pObject, true, true);
        break;
    case OBJECT_ADDED:
        AddDisplayObjects(pObject, false);
        break;
    case OBJECT_REMOVE:
        RemoveObjectDisplays(pObject, false, true);
        break;
    case OBJECT_REBUILD_REPAINT:
        AddDisplayObjects(pObject, true);
        break;
    default:
        break;
    }
}

void ObjectChild::NotifyChildren(UIObject* pObject, int nKind, int nFlags)
{
    GetModelObserver().NotifyChildren(pObject, nKind, nFlags);
}

void ObjectChild::ShowPage(Page* pPage)
{
    if (UIPageFrame* pFrame = GetPageFrame())
        pFrame->ShowPage(pPage);
}

void ObjectChild::Relayout()
{
    ClearDisplayObjects();
    List* pItems = GetItemList();
    if (!pItems || !HWindow)
    {
        if (HWindow)
            Invalidate(true);
        return;
    }
    const LayoutElement& e = *m_pElement;
    long cw, ch, gx, gy;
    ModelToView(e.nCellWidth, e.nCellHeight, cw, ch);
    ModelToView(e.nGapX, e.nGapY, gx, gy);
    const bool bColumns = (e.nStyle & LE_COLUMNS) != 0;
    RECT rcClient = GetClientRect();
    POINT ptSize = {rcClient.right, rcClient.bottom};
    DeviceToLogical(ptSize);
    POINT ptOrg = {0, 0};
    DeviceToLogical(ptOrg);
    const long nPaneW = ptSize.x - ptOrg.x, nPaneH = ptSize.y - ptOrg.y;
    long x = std::max(gx, 0L), y = std::max(gy, 0L);
    int nRows = 1, nColumns = 0;
    bool bFirst = true;
    for (ListIterator it(*pItems); it; ++it)
    {
        UIObject* pItem = static_cast<UIObject*>(&it.current());
        if (!pItem->IsShownInPalette())
            continue;
        RECT rcCell = {x, y, x + cw, y + ch};
        DisplayObject* pObj = CreateItemObject(pItem, rcCell);
        if (!pObj)
        {
            ShowMessageId(IDS_PANE_NODISPLAYOBJ, nullptr, MB_ICONEXCLAMATION);
            break;
        }
        AddDisplayObject(pObj);
        if (!bColumns)
        {
            x += cw + gx;
            if (bFirst)
                ++nColumns;
            if (nPaneW < x + cw + std::min(gx, 0L))
            {
                x = std::max(gx, 0L);
                y += ch + gy;
                ++nRows;
                bFirst = false;
            }
        }
        else
        {
            y += ch + gy;
            if (bFirst)
                ++nRows;
            if (nPaneH < y + ch + std::min(gy, 0L))
            {
                y = std::max(gy, 0L);
                x += cw + gx;
                ++nColumns;
                bFirst = false;
            }
        }
    }
    SetScrollRange(m_pVBar, ch + gy, nRows);
    SetScrollRange(m_pHBar, cw + gx, nColumns);
    Invalidate(true);
}

void ObjectChild::Paint(HDC hDC, bool, RECT& rect)
{
    HCURSOR hOld = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    RECT rc = rect;
    DPtoLP(hDC, reinterpret_cast<POINT*>(&rc), 2);
    DrawOffset none = {0, 0, 0, 0};
    if (m_pGrid->CellCount(rc) < 5)
    {
        while (DisplayObject* pObj = m_pGrid->Next(rc))
            pObj->Draw(hDC, &none, &rc);
    }
    else
    {
        for (int i = 0; i < m_Display.GetCount(); ++i)
        {
            InsertArray& layer = m_Display.Layer(i);
            for (int j = 0; j < static_cast<int>(layer.getItemsInContainer()); ++j)
            {
                DisplayObject* pObj = static_cast<DisplayObject*>(&layer[j]);
                if (pObj->Intersects(rc))
                    pObj->Draw(hDC, &none, &rc);
            }
        }
    }
    ::SetCursor(hOld ? hOld : ::LoadCursor(nullptr, IDC_ARROW));
}

void ObjectChild::ShowObject(UIObject* pObject, bool bSelect)
{
    DisplayObject* pObj = FindOwnDisplayObject(pObject, PX_CLASS_POWERBLOCKOBJECT);
    if (!pObj || !HWindow)
        return;
    RECT rcClient = GetClientRect();
    POINT c0 = {rcClient.left, rcClient.top}, c1 = {rcClient.right, rcClient.bottom};
    DeviceToLogical(c0);
    DeviceToLogical(c1);
    const long nVisW = c1.x - c0.x, nVisH = c1.y - c0.y;
    const long vx0 = GetHScrollPos() * m_nHLine, vy0 = GetVScrollPos() * m_nVLine;
    const RECT& rb = pObj->GetRect();
    if (rb.left >= vx0 && rb.top >= vy0 && rb.right <= vx0 + nVisW && rb.bottom <= vy0 + nVisH)
    {
        if (bSelect)
            Select(pObject, true, 1);
        return;
    }
    m_nOriginX = std::max(0L, rb.left - (nVisW - (rb.right - rb.left)) / 2);
    m_nOriginY = std::max(0L, rb.top - (nVisH - (rb.bottom - rb.top)) / 2);
    if (HDC hDC = GetPaneDC())
    {
        SetWindowOrgEx(hDC, m_nOriginX, m_nOriginY, nullptr);
        ReleasePaneDC(hDC);
    }
    if (m_pHBar && m_nHLine > 0)
        m_pHBar->SetPosition(static_cast<int>(m_nOriginX / m_nHLine));
    if (m_pVBar && m_nVLine > 0)
        m_pVBar->SetPosition(static_cast<int>(m_nOriginY / m_nVLine));
    if (bSelect)
        Select(pObject, true, 1);
    Invalidate(true);
}

// ---- selection ---------------------------------------------------------------

bool ObjectChild::Select(UIObject* pObject, bool bExclusive, int nHow)
{
    if (nHow != 1 || !pObject)
        return false;
    UIObject* pFirst = m_Selection.First();
    bool bKeep = false;
    if (pFirst)
    {
        const classType a = pObject->isA(), b = pFirst->isA();
        if (KeepsSelection() && a == b)
            bKeep = true;
        else if ((a == PX_CLASS_POWERBLOCK && b == PX_CLASS_TEXTUI) || (a == PX_CLASS_TEXTUI && b == PX_CLASS_POWERBLOCK))
            bKeep = true;
        if (!bKeep)
            ClearSelection();
    }
    if (!pObject->IsSelectable())
        return false;
    if (m_Selection.Holds(pObject))
    {
        if (!bExclusive)
        {
            Deselect(pObject, true);
            return false;
        }
        if (m_Selection.Count() == 1)
        {
            m_nSecondClick = 1;
            ObjectNotify(pObject, OBJECT_REPAINT, 0);
        }
        return true;
    }
    if (bExclusive)
        ClearSelection();
    if (m_Selection.Count() == 1)
    {
        m_nSecondClick = 0;
        ObjectNotify(m_Selection.First(), OBJECT_REPAINT, 0);
    }
    m_Selection.add(*pObject);
    return true;
}

void ObjectChild::Deselect(UIObject* pObject, bool)
{
    if (!m_Selection.Holds(pObject))
        return;
    m_Selection.detach(*pObject);
    // An object leaves the selection also when it is deleted or cut, not
    // only on a click: the commands that need it must grey at once.
    PXWinApp::UpdateCommandUI();
}

void ObjectChild::ClearSelection()
{
    m_Selection.flush();
    m_nSecondClick = 0;
    PXWinApp::UpdateCommandUI();
}

UIMDIChildWindow* ObjectChild::GetMDIChild() const
{
    return dynamic_cast<UIMDIChildWindow*>(GetParentO());
}

void ObjectChild::GetObjectOffset(const DragState* pState, long& dx, long& dy) const
{
    dx = dy = 0;
    if (!pState || !pState->pPressed)
        return;
    const RECT& rc = pState->pPressed->GetRect();
    dx = pState->ptStart.x - rc.left;
    dy = pState->ptStart.y - rc.top;
}

LRESULT ObjectChild::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg)
    {
    case WM_UI_WINDOWKIND:
        return UI_KIND_PANE | UI_KIND_OBJECTPANE;
    case WM_PLT_DROP:
        return OnPaletteDrop(wParam, lParam);
    case WM_PLT_DRAGOVER:
        return OnPaletteDragOver(lParam);
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE && m_nMode != MODE_IDLE && m_nMode != MODE_TEXTEDIT)
        {
            CancelMode();
            return 0;
        }
        break;
    case WM_CANCELMODE:
        CancelMode();
        break;
    case WM_CAPTURECHANGED:
        // Another window took the mouse from a running mode.
        if (!m_bReleasing && m_nMode != MODE_IDLE && m_nMode != MODE_TEXTEDIT &&
            reinterpret_cast<HWND>(lParam) != HWindow)
            CancelMode();
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == EN_KILLFOCUS && m_nMode == MODE_TEXTEDIT)
        {
            EndTextEdit();
            return 0;
        }
        break;
    case WM_DESTROY:
        if (m_nMode != MODE_IDLE)
            CancelMode();
        GetBandList().ForgetWindow(HWindow);
        break;
    default:
        break;
    }
    return ChildWindow::WindowProc(msg, wParam, lParam);
}
