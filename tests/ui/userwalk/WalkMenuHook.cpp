// Loaded into the editor by the walk's probe as the hook of the editor's
// window thread: once the editor has prepared a drop-down menu for showing
// (WM_INITMENUPOPUP handled), the items as the user sees them, with their
// greyed and checked states, are copied where the probe reads them. A menu
// of another process cannot be read from outside under Wine, and the
// editor sets its menu states only when a menu opens.
#include "WalkShared.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace
{
void Describe(HMENU hMenu, std::string& rOut)
{
    const int nItems = GetMenuItemCount(hMenu);
    for (int i = 0; i < nItems; ++i)
    {
        char szText[256] = "";
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = szText;
        info.cch = sizeof(szText);
        if (!GetMenuItemInfoA(hMenu, static_cast<UINT>(i), TRUE, &info) || (info.fType & MFT_SEPARATOR))
            continue;
        char szLine[400];
        std::snprintf(szLine, sizeof(szLine), "%u\t%d\t%d\t%s\n", info.wID, (info.fState & MFS_GRAYED) ? 1 : 0,
                      (info.fState & MFS_CHECKED) ? 1 : 0, szText);
        rOut += szLine;
    }
}

void Publish(HMENU hMenu)
{
    HANDLE hMapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, kWalkMenuMapping);
    if (!hMapping)
        return;
    if (WalkMenuShared* pShared =
            static_cast<WalkMenuShared*>(MapViewOfFile(hMapping, FILE_MAP_WRITE, 0, 0, sizeof(WalkMenuShared))))
    {
        std::string text;
        Describe(hMenu, text);
        const size_t nCopy = text.size() < sizeof(pShared->szItems) - 1 ? text.size() : sizeof(pShared->szItems) - 1;
        memcpy(pShared->szItems, text.data(), nCopy);
        pShared->szItems[nCopy] = '\0';
        InterlockedIncrement(&pShared->nSequence);
        UnmapViewOfFile(pShared);
    }
    CloseHandle(hMapping);
}
}

extern "C" __declspec(dllexport) LRESULT CALLBACK WalkMenuHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION)
    {
        const CWPRETSTRUCT* pMsg = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (pMsg->message == WM_INITMENUPOPUP && !HIWORD(pMsg->lParam))
            Publish(reinterpret_cast<HMENU>(pMsg->wParam));
    }
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}
