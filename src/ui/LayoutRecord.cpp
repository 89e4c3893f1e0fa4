// The layout records of the palette window and the page window, and the
// rules that place windows and panes by them.
#include "LayoutRecord.h"

namespace
{
const LayoutTable s_Table = {
    2,
    {
        {LAYOUT_PALETTE, 0, 0, 200, 0, 1, 4,
         {
             {PANE_GROUPPALETTE, 0, 0, 0, 0, 150, LE_FILLWIDTH, -16, 4, 96, 38, 38, 20, "icon_label", 0, 0, 0},
             {PANE_BLOCKPALETTE, 0, 0, 151, -12, 0, LE_FILLWIDTH | LE_FILLHEIGHT, -16, 6, 96, 38, 38, 20,
              "icon_label", 0, 0, 0},
             {PANE_VSCROLL, PANE_BLOCKPALETTE, -12, 150, 12, 0, LE_RIGHT | LE_FILLHEIGHT, 0, 0, 0, 0, 0, 0, nullptr,
              0, 0, 0},
             {PANE_DIVIDER, 0, 0, 150, -12, 1, LE_FILLWIDTH, 0, 0, 0, 0, 0, 0, nullptr, 0, 0, 0},
             {},
         }},
        {LAYOUT_PAGE, 200, 0, 0, 0, 0, 3,
         {
             {PANE_EDIT, 0, 0, 0, -14, -14, LE_FILLWIDTH | LE_FILLHEIGHT, 4, 2, 53, 29, 256, 10,
              "powerblock_label", 24, 4, 0},
             {PANE_VSCROLL, PANE_EDIT, -14, 0, 14, -14, LE_RIGHT | LE_FILLHEIGHT, 0, 0, 0, 0, 0, 0, nullptr, 0, 0,
              0},
             {PANE_HSCROLL, PANE_EDIT, 0, -14, -14, 14, LE_BOTTOM | LE_FILLWIDTH, 0, 0, 0, 0, 0, 0, nullptr, 0, 0,
              0},
             {},
             {},
         }},
    }};
}

const LayoutTable& GetLayoutTable()
{
    return s_Table;
}

RECT LayoutRecord::ToRectInParent(int W, int H) const
{
    RECT rc;
    long nx = x < 0 ? W + x : x;
    long ny = y < 0 ? H + y : y;
    long nw = w <= 0 ? W + w - nx : w;
    long nh = h <= 0 ? H + h - ny : h;
    SetRect(&rc, nx, ny, nx + nw, ny + nh);
    return rc;
}

RECT LayoutRecord::ToChildRect(const LayoutElement& e, int W, int H, DWORD dwParentStyle)
{
    if (!(dwParentStyle & WS_CHILD))
    {
        W -= 2 * GetSystemMetrics(SM_CXFRAME);
        H -= GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYBORDER);
    }
    return ToClientRect(e, W, H);
}

RECT LayoutRecord::ToClientRect(const LayoutElement& e, int W, int H)
{
    long nx = (e.x < 0 && (e.nStyle & LE_RIGHT)) ? W + e.x : e.x;
    long ny = (e.y < 0 && (e.nStyle & LE_BOTTOM)) ? H + e.y : e.y;
    long nw = (e.w <= 0 && (e.nStyle & LE_FILLWIDTH)) ? W + e.w - nx : e.w;
    long nh = (e.h <= 0 && (e.nStyle & LE_FILLHEIGHT)) ? H + e.h - ny : e.h;
    RECT rc;
    SetRect(&rc, nx, ny, nx + nw, ny + nh);
    return rc;
}

const LayoutElement* LayoutRecord::FindElement(short nType)
{
    const LayoutTable& t = GetLayoutTable();
    for (int r = 0; r < t.nCount; ++r)
        for (int i = 0; i < LAYOUT_MAX_ELEMENTS; ++i)
            if (t.records[r].elements[i].nType == nType && nType != PANE_NONE)
                return &t.records[r].elements[i];
    return nullptr;
}

const LayoutRecord* LayoutRecord::Find(short nId)
{
    const LayoutTable& t = GetLayoutTable();
    for (int r = 0; r < t.nCount; ++r)
        if (t.records[r].nId == nId)
            return &t.records[r];
    return nullptr;
}
