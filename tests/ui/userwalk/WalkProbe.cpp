// The walk's eyes inside Wine: a console program that reads one request a
// line on its standard input and answers each with one JSON line. Under
// Wine only top-level windows are X windows, so the texts of controls, the
// status line, message boxes and the items of the palette are read here,
// from the editor's windows; it never sends the editor input (the walk
// gives all of that with real X events).
//
//   top                    the visible top-level windows of plexstudio.exe
//   tree HWND              the window and its descendants, one a line
//   find HWND CLASS        the visible descendants of that class
//   text HWND              the window's text
//   item HWND ID           a dialog item: text, enabled, rectangle
//   box HWND               a message box: caption and text
//   list HWND              a list view's items: text and icon rectangle
//   tabs HWND              a tab control's tabs: text, rectangle, the current one
//   lines HWND             a list box's lines
//   client HWND            the client rectangle on the screen
//   hook HWND              follows the menus of the window's thread
//   menu                   the items of the menu the editor showed last
#include "PlexstudioProcess.h"
#include "WalkShared.h"

#include <commctrl.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

namespace
{
std::string Quote(const std::string& text)
{
    std::string out = "\"";
    for (unsigned char c : text)
    {
        if (c == '"' || c == '\\')
        {
            out += '\\';
            out += static_cast<char>(c);
        }
        else if (c < 0x20)
        {
            char sz[8];
            std::snprintf(sz, sizeof(sz), "\\u%04x", c);
            out += sz;
        }
        else if (c >= 0x80)
        {
            // The editor's texts are Latin-1: JSON wants UTF-8.
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
        else
            out += static_cast<char>(c);
    }
    return out + "\"";
}

std::string Handle(HWND hWnd)
{
    return std::to_string(static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hWnd)));
}

HWND ParseHandle(const std::string& text)
{
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoull(text.c_str(), nullptr, 10)));
}

std::string Rect(const RECT& rc)
{
    return "[" + std::to_string(rc.left) + "," + std::to_string(rc.top) + "," + std::to_string(rc.right) + "," +
           std::to_string(rc.bottom) + "]";
}

std::string WindowJson(HWND hWnd)
{
    RECT rc = {};
    GetWindowRect(hWnd, &rc);
    return "{\"hwnd\":" + Handle(hWnd) + ",\"class\":" + Quote(ClassOf(hWnd)) + ",\"text\":" + Quote(TextOf(hWnd)) +
           ",\"rect\":" + Rect(rc) + ",\"enabled\":" + (IsWindowEnabled(hWnd) ? "true" : "false") +
           ",\"id\":" + std::to_string(GetDlgCtrlID(hWnd)) + "}";
}

std::string WindowsJson(const std::vector<HWND>& windows)
{
    std::string out = "[";
    for (size_t i = 0; i < windows.size(); ++i)
        out += (i ? "," : "") + WindowJson(windows[i]);
    return out + "]";
}

// The editor's processes, by their executable's name.
std::vector<DWORD> EditorProcesses()
{
    std::vector<DWORD> ids;
    HANDLE hSnap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (hSnap == INVALID_HANDLE_VALUE)
        return ids;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL bMore = Process32First(hSnap, &entry); bMore; bMore = Process32Next(hSnap, &entry))
        if (lstrcmpiA(entry.szExeFile, "plexstudio.exe") == 0)
            ids.push_back(entry.th32ProcessID);
    CloseHandle(hSnap);
    return ids;
}

std::string Top()
{
    std::vector<HWND> windows;
    for (DWORD dwId : EditorProcesses())
    {
        Started s;
        s.pi.dwProcessId = dwId;
        for (HWND hWnd : TopLevelWindows(s))
            windows.push_back(hWnd);
    }
    return "{\"windows\":" + WindowsJson(windows) + "}";
}

std::string ListItems(HWND hList)
{
    DWORD dwPid = 0;
    GetWindowThreadProcessId(hList, &dwPid);
    Started s;
    s.pi.hProcess = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, dwPid);
    std::string out = "{\"items\":[";
    if (s.pi.hProcess)
    {
        RemoteBuffer remote(s, sizeof(LVITEMA) + 256);
        const int n = static_cast<int>(SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < n; ++i)
        {
            LVITEMA item = {};
            item.pszText = static_cast<char*>(remote.Address()) + sizeof(LVITEMA);
            item.cchTextMax = 256;
            char szText[256] = "";
            remote.Write(&item, sizeof(item));
            SendMessageA(hList, LVM_GETITEMTEXTA, i, remote.Param());
            remote.Read(szText, sizeof(szText), sizeof(LVITEMA));
            szText[sizeof(szText) - 1] = '\0';
            RECT rc = {};
            rc.left = LVIR_ICON;
            remote.Write(&rc, sizeof(rc));
            SendMessageA(hList, LVM_GETITEMRECT, i, remote.Param());
            remote.Read(&rc, sizeof(rc));
            MapWindowPoints(hList, nullptr, reinterpret_cast<POINT*>(&rc), 2);
            out += std::string(i ? "," : "") + "{\"text\":" + Quote(szText) + ",\"rect\":" + Rect(rc) + "}";
        }
        CloseHandle(s.pi.hProcess);
    }
    return out + "]}";
}

std::string Tabs(HWND hTabs)
{
    DWORD dwPid = 0;
    GetWindowThreadProcessId(hTabs, &dwPid);
    Started s;
    s.pi.hProcess = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, dwPid);
    std::string out = "{\"current\":" + std::to_string(SendMessageA(hTabs, TCM_GETCURSEL, 0, 0)) + ",\"tabs\":[";
    if (s.pi.hProcess)
    {
        RemoteBuffer remote(s, sizeof(TCITEMA) + 256);
        const int n = static_cast<int>(SendMessageA(hTabs, TCM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < n; ++i)
        {
            TCITEMA item = {};
            item.mask = TCIF_TEXT;
            item.pszText = static_cast<char*>(remote.Address()) + sizeof(TCITEMA);
            item.cchTextMax = 256;
            char szText[256] = "";
            remote.Write(&item, sizeof(item));
            SendMessageA(hTabs, TCM_GETITEMA, i, remote.Param());
            remote.Read(szText, sizeof(szText), sizeof(TCITEMA));
            szText[sizeof(szText) - 1] = '\0';
            RECT rc = {};
            remote.Write(&rc, sizeof(rc));
            SendMessageA(hTabs, TCM_GETITEMRECT, i, remote.Param());
            remote.Read(&rc, sizeof(rc));
            MapWindowPoints(hTabs, nullptr, reinterpret_cast<POINT*>(&rc), 2);
            out += std::string(i ? "," : "") + "{\"text\":" + Quote(szText) + ",\"rect\":" + Rect(rc) + "}";
        }
        CloseHandle(s.pi.hProcess);
    }
    return out + "]}";
}

HANDLE g_hMapping = nullptr;
WalkMenuShared* g_pShared = nullptr;
HHOOK g_hHook = nullptr;

std::string Hook(HWND hWnd)
{
    if (!g_pShared)
    {
        g_hMapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(WalkMenuShared),
                                        kWalkMenuMapping);
        if (g_hMapping)
            g_pShared = static_cast<WalkMenuShared*>(MapViewOfFile(g_hMapping, FILE_MAP_WRITE, 0, 0, 0));
        if (!g_pShared)
            return "{\"error\":\"no shared memory\"}";
    }
    HMODULE hDll = LoadLibraryA("plexwalk_hook.dll");
    FARPROC pProc = hDll ? GetProcAddress(hDll, "WalkMenuHook") : nullptr;
    if (!pProc)
        return "{\"error\":\"no hook library\"}";
    if (g_hHook)
        UnhookWindowsHookEx(g_hHook);
    g_hHook = SetWindowsHookExA(WH_CALLWNDPROCRET, reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(pProc)), hDll,
                                GetWindowThreadProcessId(hWnd, nullptr));
    return g_hHook ? "{\"ok\":true}" : "{\"error\":\"SetWindowsHookEx failed " + std::to_string(GetLastError()) + "\"}";
}

std::string Menu()
{
    if (!g_pShared)
        return "{\"error\":\"not hooked\"}";
    std::string text(g_pShared->szItems, strnlen(g_pShared->szItems, sizeof(g_pShared->szItems)));
    std::string out = "{\"sequence\":" + std::to_string(g_pShared->nSequence) + ",\"items\":[";
    std::istringstream lines(text);
    bool bFirst = true;
    for (std::string line; std::getline(lines, line);)
    {
        std::vector<std::string> fields;
        std::istringstream parts(line);
        for (std::string field; fields.size() < 3 && std::getline(parts, field, '\t');)
            fields.push_back(field);
        std::string label;
        std::getline(parts, label);
        if (fields.size() < 3)
            continue;
        out += std::string(bFirst ? "" : ",") + "{\"id\":" + fields[0] + ",\"grayed\":" +
               (fields[1] == "1" ? "true" : "false") + ",\"checked\":" + (fields[2] == "1" ? "true" : "false") +
               ",\"text\":" + Quote(label) + "}";
        bFirst = false;
    }
    return out + "]}";
}

std::string Answer(const std::string& line)
{
    std::istringstream in(line);
    std::string verb, arg1, arg2;
    in >> verb >> arg1;
    std::getline(in >> std::ws, arg2);
    const HWND hWnd = ParseHandle(arg1);
    if (verb == "top")
        return Top();
    if (verb == "menu")
        return Menu();
    if (!IsWindow(hWnd))
        return "{\"error\":\"no such window\"}";
    if (verb == "tree")
        return "{\"tree\":" + Quote(DescribeTree(hWnd)) + "}";
    if (verb == "text")
        return "{\"text\":" + Quote(TextOf(hWnd)) + "}";
    if (verb == "find")
        return "{\"windows\":" + WindowsJson(FindDescendants(hWnd, arg2.c_str())) + "}";
    if (verb == "item")
    {
        HWND hItem = GetDlgItem(hWnd, std::atoi(arg2.c_str()));
        return hItem ? WindowJson(hItem) : "{\"error\":\"no such item\"}";
    }
    if (verb == "box")
        return "{\"caption\":" + Quote(TextOf(hWnd)) + ",\"text\":" + Quote(MessageText(hWnd)) + "}";
    if (verb == "list")
        return ListItems(hWnd);
    if (verb == "tabs")
        return Tabs(hWnd);
    if (verb == "lines")
    {
        // LB_GETTEXT is one of the messages Wine carries across processes,
        // as wide text.
        std::string out = "{\"lines\":[";
        const int n = static_cast<int>(SendMessageW(hWnd, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i)
        {
            wchar_t szWide[512] = L"";
            char szText[512] = "";
            if (SendMessageW(hWnd, LB_GETTEXTLEN, i, 0) < static_cast<LRESULT>(512))
                SendMessageW(hWnd, LB_GETTEXT, i, reinterpret_cast<LPARAM>(szWide));
            szWide[511] = L'\0';
            WideCharToMultiByte(CP_ACP, 0, szWide, -1, szText, sizeof(szText), nullptr, nullptr);
            out += std::string(i ? "," : "") + Quote(szText);
        }
        return out + "]}";
    }
    if (verb == "client")
    {
        RECT rc = {};
        GetClientRect(hWnd, &rc);
        MapWindowPoints(hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
        return "{\"rect\":" + Rect(rc) + "}";
    }
    if (verb == "hook")
        return Hook(hWnd);
    return "{\"error\":\"unknown request\"}";
}
}

int main()
{
    char szLine[1024];
    while (std::fgets(szLine, sizeof(szLine), stdin))
    {
        std::string line(szLine);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
        if (line == "quit")
            break;
        std::fputs((Answer(line) + "\n").c_str(), stdout);
        std::fflush(stdout);
    }
    if (g_hHook)
        UnhookWindowsHookEx(g_hHook);
    return 0;
}
