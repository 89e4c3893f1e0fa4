// The main frame's MDI client.
#include "UIMDIClient.h"
#include "LayoutRecord.h"
#include "ModelObserver.h"
#include "PXUIMsg.h"
#include "UIPageFrame.h"

LRESULT UIMDIClient::EvCommand(UINT id, HWND hWndCtl, UINT notifyCode)
{
    HWND hFrame = GetParentHandle();
    switch (id)
    {
    case CM_TILECHILDREN:
        if (hFrame)
            ::SendMessageA(hFrame, WM_UI_ARRANGE, 0, 0);
        return 0;
    case CM_CASCADECHILDREN:
        if (hFrame)
            ::SendMessageA(hFrame, WM_UI_ARRANGE, 1, 0);
        return 0;
    case CM_REPOSITIONWINDOWS:
        CmRepositionWindows();
        return 0;
    default:
        return TMDIClient::EvCommand(id, hWndCtl, notifyCode);
    }
}

void UIMDIClient::EvMouseMove(UINT modKeys, POINT pt)
{
    GetModelObserver().SetStatusText(nullptr, 0);
    TMDIClient::EvMouseMove(modKeys, pt);
}

void UIMDIClient::CmRepositionWindows()
{
    UIPageFrame* pFrame = GetPageFrame();
    HWND hPalette = pFrame ? pFrame->GetPaletteWindow() : nullptr;
    if (hPalette && ::IsWindow(hPalette))
    {
        if (::IsZoomed(hPalette) || ::IsIconic(hPalette))
            ::ShowWindow(hPalette, SW_RESTORE);
        RECT rcClient = GetClientRect();
        const LayoutRecord* pRecord = LayoutRecord::Find(LAYOUT_PALETTE);
        RECT rc = pRecord->ToRectInParent(rcClient.right, rcClient.bottom);
        ::SetWindowPos(hPalette, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }
    else if (pFrame)
        pFrame->TogglePalette();
    if (HWND hFrame = GetParentHandle())
        ::SendMessageA(hFrame, WM_UI_ARRANGE, 2, 0);
}
