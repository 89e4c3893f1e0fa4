// Printing a page.
#include "PrintEdit.h"
#include "classlib/ListIterator.h"
#include "BrushObject.h"
#include "FontObject.h"
#include "Goto.h"
#include "ModelObserver.h"
#include "Page.h"
#include "PaneRes.h"
#include "PowerBlock.h"
#include "PrintState.h"
#include "Program.h"
#include "PXFaultHandler.h"
#include "PXTextDObj.h"
#include "PXTextUI.h"
#include "PXUIMsg.h"
#include "UIApp.h"

#include <algorithm>
#include <cstdio>
#include <new>

namespace
{
// The layout element of the printing pane.
const short kPrintElement = 260;

// a * b / c without overflow, rounded toward zero as integer division.
long MulDivLong(long a, long b, long c)
{
    return c ? static_cast<long>(static_cast<long long>(a) * b / c) : a;
}

int ScreenDpiY()
{
    HDC hDC = GetDC(nullptr);
    const int n = GetDeviceCaps(hDC, LOGPIXELSY);
    ReleaseDC(nullptr, hDC);
    return n > 0 ? n : 96;
}

bool IsBlankText(const char* psz)
{
    for (; psz && *psz; ++psz)
        if (*psz != ' ' && *psz != '\t' && *psz != '\r' && *psz != '\n')
            return false;
    return true;
}
}

PrintEdit::PrintEdit(PrintState* pState, const LayoutElement* pElement, Program* pProgram, Page* pPage, HDC hTarget)
    : EditChild(nullptr, pElement, 0, 0, pProgram, pPage), m_pPrintFont(nullptr), m_pState(pState),
      m_hPrinterDC(hTarget), m_Tile{0, 0}
{
    if (FontObject* pPaneFont = ChildWindow::GetResourceRecord())
        m_pPrintFont = new (std::nothrow) FontObject(pPaneFont->GetName(), *pPaneFont);
    if (!m_hPrinterDC && m_pState)
        m_hPrinterDC = m_pState->make_printer_dc(0);
}

PrintEdit::~PrintEdit()
{
    // The display objects point at the note fonts: they go first.
    ClearDisplayObjects();
    DeleteNoteFonts();
    delete m_pPrintFont;
}

LRESULT PrintEdit::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_UI_WINDOWKIND)
        return UI_KIND_PANE | UI_KIND_OBJECTPANE | UI_KIND_PRINTPANE;
    return EditChild::WindowProc(msg, wParam, lParam);
}

FontObject* PrintEdit::GetResourceRecord()
{
    return m_pPrintFont ? m_pPrintFont : ChildWindow::GetResourceRecord();
}

bool PrintEdit::BuildDisplayObjects()
{
    Page* pPage = GetPage();
    if (!pPage)
    {
        ShowMessageId(IDS_PANE_NOPAGE, nullptr, MB_ICONEXCLAMATION);
        return false;
    }
    ClearDisplayObjects();
    bool bFailed = false;
    for (ListIterator it(pPage->GetNotes()); it && !bFailed; ++it)
    {
        PXTextUI* pNote = static_cast<PXTextUI*>(&it.current());
        if (!IsBlankText(pNote->GetText()))
            bFailed = !AddTextNoteDisplay(pNote, false);
    }
    for (ListIterator it(pPage->GetBlocks()); it && !bFailed; ++it)
        bFailed = !AddBlockDisplays(static_cast<PowerBlock*>(&it.current()), false);
    for (ListIterator it(pPage->GetBlocks()); it && !bFailed; ++it)
    {
        PowerBlock* pBlock = static_cast<PowerBlock*>(&it.current());
        for (ListIterator g(pBlock->GetGotos()); g && !bFailed; ++g)
            bFailed = !AddGotoDisplays(static_cast<Goto*>(&g.current()), false);
    }
    if (bFailed)
        ShowMessageId(IDS_PANE_NODISPLAYOBJ, nullptr, MB_ICONEXCLAMATION);
    return !bFailed;
}

void PrintEdit::MakeNoteFonts(int nPrinterDpi, int nScreenDpi)
{
    for (int nLayer = 0; nLayer < m_Display.GetCount(); ++nLayer)
    {
        InsertArray& layer = m_Display.Layer(nLayer);
        for (int i = 0; i < static_cast<int>(layer.getItemsInContainer()); ++i)
        {
            DisplayObject& obj = static_cast<DisplayObject&>(layer[i]);
            if (obj.isA() != PX_CLASS_TEXTDOBJ)
                continue;
            PXTextDObj& text = static_cast<PXTextDObj&>(obj);
            const FontObject* pFont = text.GetNote()->GetFontObject();
            if (!pFont)
            {
                // A note without a font of its own prints in the print font.
                text.SetDrawFont(m_pPrintFont ? m_pPrintFont->GetFont() : nullptr);
                continue;
            }
            FontObject* pCopy = new (std::nothrow)
                FontObject("", pFont->GetFace(), static_cast<int>(MulDivLong(pFont->GetHeight(), nPrinterDpi, nScreenDpi)),
                           pFont->GetWeight(), pFont->GetItalic(), m_hPrinterDC);
            if (!pCopy)
                continue;
            m_NoteFonts.push_back(pCopy);
            text.SetDrawFont(pCopy->GetFont());
        }
    }
}

void PrintEdit::DeleteNoteFonts()
{
    for (FontObject* pFont : m_NoteFonts)
        delete pFont;
    m_NoteFonts.clear();
}

bool PrintEdit::AnyObjectIn(const RECT& rc) const
{
    for (int nLayer = 0; nLayer < m_Display.GetCount(); ++nLayer)
    {
        InsertArray& layer = m_Display.Layer(nLayer);
        for (int i = 0; i < static_cast<int>(layer.getItemsInContainer()); ++i)
            if (static_cast<DisplayObject&>(layer[i]).Intersects(rc))
                return true;
    }
    return false;
}

bool PrintEdit::BeginTile()
{
    return m_pState && m_pState->new_page();
}

void PrintEdit::EndTile()
{
    if (m_pState)
        m_pState->end_page();
}

int PrintEdit::PrintPages()
{
    HDC hDC = m_hPrinterDC;
    if (!hDC)
        return 0;
    const int nHorzRes = DeviceCaps(HORZRES);
    const int nVertRes = DeviceCaps(VERTRES);
    const int nDpiX = DeviceCaps(LOGPIXELSX);
    const int nDpiY = DeviceCaps(LOGPIXELSY);
    SetMapMode(hDC, MM_ANISOTROPIC);
    SetWindowExtEx(hDC, 1000, 1000, nullptr);
    SetViewportExtEx(hDC, 1000, 1000, nullptr);
    SetViewportOrgEx(hDC, 0, 0, nullptr);
    const int nScreenDpi = ScreenDpiY();

    if (FontObject* pPaneFont = ChildWindow::GetResourceRecord())
    {
        FontObject* pFont = new (std::nothrow)
            FontObject("", pPaneFont->GetFace(),
                       -static_cast<int>(MulDivLong(pPaneFont->GetCharHeight(), nDpiY, nScreenDpi)),
                       pPaneFont->GetWeight(), pPaneFont->GetItalic(), hDC);
        if (pFont)
        {
            delete m_pPrintFont;
            m_pPrintFont = pFont;
        }
    }
    if (m_pPrintFont)
        SelectObject(hDC, m_pPrintFont->GetFont());
    ReadScale();
    if (!BuildDisplayObjects())
        return 0;

    const long nTextLine = m_Metrics.nTextLine;
    m_Tile.cx = nHorzRes - nDpiX;
    m_Tile.cy = nVertRes - nDpiY - nTextLine;
    if (m_Tile.cx <= 0 || m_Tile.cy <= 0)
    {
        // A tile of no size would never reach the page's edge.
        ShowMessageId(IDS_PANE_PRINTTOOSMALL, nullptr, MB_ICONEXCLAMATION);
        ClearDisplayObjects();
        return -1;
    }
    MakeNoteFonts(nDpiY, nScreenDpi);

    long left, top, right, bottom;
    GetObjectsExtent(left, top, right, bottom);
    if (right < 0)
        right = m_Tile.cx;
    if (bottom < 0)
        bottom = m_Tile.cy;

    const RECT rcPrintable = {nDpiX / 2, nDpiY / 2, m_Tile.cx + nDpiX / 2, m_Tile.cy + nDpiY / 2};
    int nPages = 0;
    bool bStopped = false;
    int nRow = 1;
    for (long y = 0; y < bottom && !bStopped; y += m_Tile.cy, ++nRow)
    {
        int nColumn = 1;
        for (long x = 0; x < right && !bStopped; x += m_Tile.cx, ++nColumn)
        {
            const RECT rcTile = {x, y, x + m_Tile.cx, y + m_Tile.cy};
            if (!AnyObjectIn(rcTile))
                continue;
            if (!BeginTile())
            {
                bStopped = true;
                break;
            }
            ++nPages;
            if (DrawTile(rcPrintable, x, y))
            {
                SetWindowOrgEx(hDC, 0, 0, nullptr);
                const RECT rcHeader = {nDpiX / 2, nDpiY / 4, m_Tile.cx, nDpiY / 4 + nTextLine};
                DrawHeader(rcHeader, nColumn, nRow);
            }
            EndTile();
        }
    }
    ClearDisplayObjects();
    DeleteNoteFonts();
    return nPages;
}

bool PrintEdit::DrawTile(const RECT& rcPrintable, long x, long y)
{
    HDC hDC = m_hPrinterDC;
    const RECT rcTile = {x, y, x + m_Tile.cx, y + m_Tile.cy};
    // The tile's view point (x, y) lands on the printable rectangle's corner.
    SetWindowOrgEx(hDC, x - rcPrintable.left, y - rcPrintable.top, nullptr);
    bool bDrawn = false;
    for (int nLayer = 0; nLayer < m_Display.GetCount(); ++nLayer)
    {
        const int nSaved = SaveDC(hDC);
        IntersectClipRect(hDC, rcTile.left, rcTile.top, rcTile.right, rcTile.bottom);
        InsertArray& layer = m_Display.Layer(nLayer);
        for (int i = 0; i < static_cast<int>(layer.getItemsInContainer()); ++i)
        {
            DisplayObject& obj = static_cast<DisplayObject&>(layer[i]);
            if (!obj.Intersects(rcTile))
                continue;
            obj.Draw(hDC, nullptr, &rcTile);
            bDrawn = true;
        }
        RestoreDC(hDC, nSaved);
    }
    if (ModelIsOptionSet(UI_OPT_PRINTFRAME))
    {
        SetWindowOrgEx(hDC, 0, 0, nullptr);
        BrushObject* pBrush = g_pBrushes ? g_pBrushes->Find("powerblock_border") : nullptr;
        HBRUSH hBrush = pBrush ? pBrush->GetBrush() : static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        FrameRect(hDC, &rcPrintable, hBrush);
    }
    return bDrawn;
}

void PrintEdit::DrawHeader(const RECT& rc, int nColumn, int nRow)
{
    char szHeader[300];
    const char* pszProgram = GetProgram() ? GetProgram()->GetName() : "";
    const char* pszPage = GetPage() ? GetPage()->GetName() : "";
    snprintf(szHeader, sizeof szHeader, "%.120s (%.80s)     Page %c-%d", pszProgram ? pszProgram : "",
             pszPage ? pszPage : "", 'A' + (nRow - 1) % 26, nColumn);
    HDC hDC = m_hPrinterDC;
    HGDIOBJ hOld = m_pPrintFont ? SelectObject(hDC, m_pPrintFont->GetFont()) : nullptr;
    const int nBkMode = SetBkMode(hDC, TRANSPARENT);
    RECT rcText = rc;
    DrawTextA(hDC, szHeader, -1, &rcText, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    SetBkMode(hDC, nBkMode);
    if (hOld)
        SelectObject(hDC, hOld);
}

void EditChild::GetPageSize(ObjectChild* pPane, long& nWidth, long& nHeight, int bGridFlag)
{
    nWidth = nHeight = 0;
    PrintState state(PXGetMainWindow());
    HDC hDC = state.get_printer_dc(bGridFlag ? 2 : 1);
    FontObject* pPaneFont = pPane ? pPane->GetResourceRecord() : nullptr;
    if (!hDC || !pPaneFont)
        return;
    const int nDpiY = GetDeviceCaps(hDC, LOGPIXELSY);
    FontObject font("", pPaneFont->GetFace(),
                    -static_cast<int>(MulDivLong(pPaneFont->GetCharHeight(), nDpiY, ScreenDpiY())),
                    pPaneFont->GetWeight(), pPaneFont->GetItalic(), hDC);
    const long h = font.GetCharHeight();
    const long w = font.GetAveCharWidth();
    if (h <= 0 || w <= 0)
        return;
    const long nPrintWidth = GetDeviceCaps(hDC, HORZRES) - GetDeviceCaps(hDC, LOGPIXELSX);
    const long nPrintHeight = GetDeviceCaps(hDC, VERTRES) - h - nDpiY;
    // A page with no room left gives no page grid.
    if (nPrintWidth <= 0 || nPrintHeight <= 0)
        return;
    nWidth = (nPrintWidth * 16 + w) / (2 * w);
    nHeight = (nPrintHeight * 16 + h) / (2 * h);
}

// ---- the editor's print commands -------------------------------------------

int PrintPage(Page* pPage, ObjectChild* pScreenPane)
{
    PrintState state(PXGetMainWindow());
    const LayoutElement* pElement = LayoutRecord::FindElement(kPrintElement);
    if (!pElement || !pPage)
        return 0;
    if (pScreenPane)
        pScreenPane->ClearDisplayObjects();
    PrintEdit* pPrint = new (std::nothrow) PrintEdit(&state, pElement, pPage->GetProgram(), pPage);
    if (!pPrint)
    {
        ShowMessageId(IDS_PANE_PRINTNOMEM, nullptr, MB_ICONEXCLAMATION);
        return 0;
    }
    int nPages = 0;
    if (state.status() == PrintState::ok && state.begin_job("Application flow"))
    {
        nPages = pPrint->PrintPages();
        state.end_job();
    }
    delete pPrint;
    return nPages;
}

bool PrinterAvailable()
{
    PrintState state(PXGetMainWindow());
    return state.status() == PrintState::ok;
}

void PrinterSetup()
{
    PrintState state(PXGetMainWindow());
    state.setup();
}

void PrinterCleanup()
{
    PrintState state(PXGetMainWindow());
    state.cleanup(0);
}

HDC GetPrinterDC()
{
    PrintState state(PXGetMainWindow());
    return state.get_printer_dc(0);
}
