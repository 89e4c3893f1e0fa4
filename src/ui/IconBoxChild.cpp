// The tool strip: its record, its buttons, hints and commands.
#include "IconBoxChild.h"
#include "BitButton.h"
#include "BrushObject.h"
#include "PenObject.h"
#include "PXCmdIds.h"
#include "PXToolBar.h"
#include "PXUIMsg.h"
#include "PXWinApp.h"
#include "UIApp.h"
#include "UIMDIFrame.h"

#include <new>

namespace {

#define TS_GAP { TOOLSTRIP_GAP, 0, "", 8, 0, { 0, 0, 0, 0 }, nullptr, 0 }
#define TS_BUTTON(id, bitmap) { TOOLSTRIP_BUTTON, id, "", 23, 22, { 0, 0, 0, 0 }, bitmap, 0 }

} // namespace

const ToolStripRecord g_ToolStripRecord = {
    40, 31, 0, 5, 21,
    {
        TS_GAP,
        TS_BUTTON(CM_FILENEW, "DORVO_TB_NEW_16_16_15"),
        TS_BUTTON(CM_FILEOPEN, "DORVO_TB_OPEN_16_16_15"),
        TS_BUTTON(CM_FILESAVE, "DORVO_TB_SAVE_16_16_15"),
        TS_GAP,
        TS_BUTTON(CM_PRINTFLOW, "DORVO_TB_PRINT_16_16_15"),
        TS_BUTTON(CM_ZOOMIN, "DORVO_TB_ZOOMIN_16_16_15"),
        TS_BUTTON(CM_ZOOMOUT, "DORVO_TB_ZOOMOUT_16_16_15"),
        TS_BUTTON(CM_ZOOMNORMAL, "DORVO_TB_ZOOMNORMAL_16_16_15"),
        TS_GAP,
        TS_BUTTON(CM_EDITCUT, "DORVO_TB_CUT_16_16_15"),
        TS_BUTTON(CM_EDITCOPY, "DORVO_TB_COPY_16_16_15"),
        TS_BUTTON(CM_EDITPASTE, "DORVO_TB_PASTE_16_16_15"),
        TS_GAP,
        TS_BUTTON(CM_EDITDELETE, "DORVO_TB_DELETE_16_16_15"),
        TS_BUTTON(CM_BLOCKPROPERTIES, "DORVO_TB_PROPERTIES_16_16_15"),
        TS_GAP,
        TS_BUTTON(CM_STUBLINE, "DORVO_TB_STUB_16_16_15"),
        TS_BUTTON(CM_TEXTNOTE, "DORVO_TB_TEXT_16_16_15"),
        TS_GAP,
        TS_BUTTON(CM_HELPTOPICS, "DORVO_TB_QUESTION_16_16_15"),
    },
};

IconBoxChild::IconBoxChild(TWindow* pParent, const ToolStripRecord* pRecord, TModule* pModule)
    : TWindow(pParent, nullptr, pModule), m_pRecord(pRecord), m_dwFlags(0), m_pDivider(nullptr),
      m_pToolBar(nullptr)
{
    PXASSERT(pRecord!=0);
    PXASSERT(pRecord->nCount>=0 && pRecord->nCount<=TOOLSTRIP_MAX_ENTRIES);
    Attr.Style = WS_CHILD | WS_CLIPCHILDREN;
    for (int i = 0; i < pRecord->nCount; ++i)
        PXASSERT(pRecord->aEntries[i].nKind==TOOLSTRIP_BUTTON || pRecord->aEntries[i].nKind==TOOLSTRIP_GAP);
    if (g_pPens)
        m_pDivider = g_pPens->Find("divider");

    m_pToolBar = new (std::nothrow) PXToolBar;
    if (!m_pToolBar)
        PXTHROW_XMEM(0);
    PXWinApp::SetToolBar(m_pToolBar);
    m_pToolBar->m_pIconBox = this;

    int x = pRecord->nSpacing;
    int nGlyph = 0;
    for (int i = 0; i < pRecord->nCount; ++i)
    {
        const ToolStripEntry& entry = pRecord->aEntries[i];
        if (entry.nKind == TOOLSTRIP_BUTTON)
            new BitButton(this, entry.nId, entry.pszTitle, x, pRecord->nY, entry.nWidth, entry.nHeight,
                          nGlyph++, pModule);
        x += entry.nWidth + pRecord->nSpacing;
    }
}

IconBoxChild::~IconBoxChild()
{
    if (PXWinApp::GetToolBar() == m_pToolBar)
        PXWinApp::SetToolBar(nullptr);
    delete m_pToolBar;
}

void IconBoxChild::GetWindowClass(WNDCLASSA& wc)
{
    TWindow::GetWindowClass(wc);
    // The background is the brush "iconbox_background" of the brush table,
    // looked up when the strip is erased (WindowProc).
    wc.hbrBackground = nullptr;
}

UIMDIFrame* IconBoxChild::StatusFrame() const
{
    if (UIMDIFrame* pFrame = dynamic_cast<UIMDIFrame*>(GetParentO()))
        return pFrame;
    return UIApp::GetMainFrame();
}

void IconBoxChild::Show(bool bOn)
{
    ShowWindow(bOn ? SW_SHOWNA : SW_HIDE);
    if (bOn)
        m_dwFlags |= FLAG_SHOWN;
    else
        m_dwFlags &= ~FLAG_SHOWN;
    if (HWND hFrame = GetParentHandle())
        ::SendMessageA(hFrame, WM_UI_RELAYOUT, 0, 0);
}

void IconBoxChild::Layout(RECT& rcFree)
{
    if (!IsShown())
        return;
    SetWindowPos(nullptr, rcFree.left, rcFree.top, rcFree.right - rcFree.left, m_pRecord->nHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    rcFree.top += m_pRecord->nHeight;
}

LRESULT IconBoxChild::EvCommand(UINT id, HWND hWndCtl, UINT notifyCode)
{
    if (notifyCode == BITBUTTON_HOVER)
    {
        char szHint[MAX_HINT + 1];
        if (GetModule()->LoadString(id, szHint, sizeof(szHint)) > 0)
            if (UIMDIFrame* pFrame = StatusFrame())
                pFrame->SetStatusText(szHint, 0);
        return 0;
    }
    HWND hFrame = GetParentHandle();
    if (!hFrame)
        return 0;
    return ::SendMessageA(hFrame, WM_COMMAND, id, 1);
}

void IconBoxChild::EvMouseMove(UINT, POINT)
{
    if (UIMDIFrame* pFrame = StatusFrame())
        pFrame->SetStatusText(nullptr, 0);
}

LRESULT IconBoxChild::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_ERASEBKGND)
    {
        HDC hDC = reinterpret_cast<HDC>(wParam);
        BrushObject* pBrush = g_pBrushes ? g_pBrushes->Find("iconbox_background") : nullptr;
        RECT rc = GetClientRect();
        ::FillRect(hDC, &rc, pBrush ? pBrush->GetBrush() : ::GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    if (msg == WM_PRINTCLIENT && wParam)
    {
        // The strip drawn into a context of the caller's.
        WindowProc(WM_ERASEBKGND, wParam, 0);
        RECT rc = GetClientRect();
        Paint(reinterpret_cast<HDC>(wParam), true, rc);
        return 0;
    }
    return TWindow::WindowProc(msg, wParam, lParam);
}

void IconBoxChild::Paint(HDC hDC, bool, RECT&)
{
    RECT rc = GetClientRect();
    int nWidth = rc.right - rc.left;
    // The lower divider on the strip's last row, where it shows.
    int nBottom = rc.bottom - rc.top - 1;
    HPEN hDivider = m_pDivider ? m_pDivider->GetPen() : static_cast<HPEN>(::GetStockObject(BLACK_PEN));
    HGDIOBJ hOld = ::SelectObject(hDC, hDivider);
    ::MoveToEx(hDC, 0, nBottom, nullptr);
    ::LineTo(hDC, nWidth, nBottom);
    ::MoveToEx(hDC, 1, 0, nullptr);
    ::LineTo(hDC, nWidth - 2, 0);
    ::SelectObject(hDC, ::GetStockObject(WHITE_PEN));
    ::MoveToEx(hDC, 1, 1, nullptr);
    ::LineTo(hDC, nWidth - 2, 1);
    ::SelectObject(hDC, hOld);
}
