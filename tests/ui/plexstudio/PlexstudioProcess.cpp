// Driving the real editor as a separate process.
#include "PlexstudioProcess.h"

#include <cstdio>

std::string ExeDir()
{
    char szPath[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, szPath, sizeof(szPath));
    std::string path(szPath);
    return path.substr(0, path.find_last_of("\\/") + 1);
}

Started Start(const char* pszArgs)
{
    Started s;
    std::string exe = ExeDir() + "plexstudio.exe";
    std::string line = "\"" + exe + "\"" + (pszArgs && *pszArgs ? std::string(" ") + pszArgs : std::string());
    std::vector<char> buf(line.begin(), line.end());
    buf.push_back('\0');
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    s.bOk = CreateProcessA(exe.c_str(), buf.data(), nullptr, nullptr, FALSE, 0, nullptr, ExeDir().c_str(), &si,
                           &s.pi) != FALSE;
    return s;
}

DWORD WaitForExit(const Started& s, DWORD dwMillis)
{
    if (WaitForSingleObject(s.pi.hProcess, dwMillis) != WAIT_OBJECT_0)
    {
        TerminateProcess(s.pi.hProcess, 99);
        WaitForSingleObject(s.pi.hProcess, 5000);
        return 0xFFFFFFFF;
    }
    DWORD dwCode = 0xFFFFFFFF;
    GetExitCodeProcess(s.pi.hProcess, &dwCode);
    return dwCode;
}

void Close(Started& s)
{
    if (s.pi.hProcess)
        CloseHandle(s.pi.hProcess);
    if (s.pi.hThread)
        CloseHandle(s.pi.hThread);
    s.pi = PROCESS_INFORMATION();
}

std::string ClassOf(HWND hWnd)
{
    char sz[128] = "";
    GetClassNameA(hWnd, sz, sizeof(sz));
    return sz;
}

std::string TextOf(HWND hWnd)
{
    char sz[512] = "";
    // WM_GETTEXT, not GetWindowText: the text of another process's
    // control is asked of the control itself.
    SendMessageTimeoutA(hWnd, WM_GETTEXT, sizeof(sz), reinterpret_cast<LPARAM>(sz), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    return sz;
}

namespace
{
struct TopData
{
    DWORD dwProcessId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND hWnd, LPARAM lParam)
{
    TopData* pData = reinterpret_cast<TopData*>(lParam);
    DWORD dwPid = 0;
    GetWindowThreadProcessId(hWnd, &dwPid);
    if (dwPid == pData->dwProcessId && IsWindowVisible(hWnd))
        pData->found.push_back(hWnd);
    return TRUE;
}

struct ChildData
{
    const char* pszClass;
    bool bVisibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectChild(HWND hWnd, LPARAM lParam)
{
    ChildData* pData = reinterpret_cast<ChildData*>(lParam);
    if ((!pData->bVisibleOnly || IsWindowVisible(hWnd)) && lstrcmpiA(ClassOf(hWnd).c_str(), pData->pszClass) == 0)
        pData->found.push_back(hWnd);
    return TRUE;
}

void Describe(HWND hWnd, int nDepth, std::string& rOut)
{
    RECT rc = {};
    GetWindowRect(hWnd, &rc);
    char sz[256];
    std::snprintf(sz, sizeof(sz), "%*s%s id=%d \"%s\" (%ld,%ld)-(%ld,%ld)%s\n", nDepth * 2, "", ClassOf(hWnd).c_str(),
                  GetDlgCtrlID(hWnd), TextOf(hWnd).substr(0, 40).c_str(), rc.left, rc.top, rc.right, rc.bottom,
                  IsWindowVisible(hWnd) ? "" : " hidden");
    rOut += sz;
    for (HWND hChild = GetWindow(hWnd, GW_CHILD); hChild; hChild = GetWindow(hChild, GW_HWNDNEXT))
        Describe(hChild, nDepth + 1, rOut);
}

BOOL CALLBACK FindStaticText(HWND hWnd, LPARAM lParam)
{
    std::string text = TextOf(hWnd);
    if (lstrcmpiA(ClassOf(hWnd).c_str(), "Static") == 0 && !text.empty())
    {
        *reinterpret_cast<std::string*>(lParam) = text;
        return FALSE;
    }
    return TRUE;
}
}

std::vector<HWND> TopLevelWindows(const Started& s)
{
    TopData data = {s.pi.dwProcessId, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&data));
    return data.found;
}

HWND WaitForWindow(const Started& s, const char* pszClass, DWORD dwMillis, const char* pszCaption)
{
    for (DWORD dwWaited = 0; dwWaited < dwMillis; dwWaited += 100)
    {
        for (HWND hWnd : TopLevelWindows(s))
            if (lstrcmpiA(ClassOf(hWnd).c_str(), pszClass) == 0 && (!pszCaption || TextOf(hWnd) == pszCaption))
                return hWnd;
        if (WaitForSingleObject(s.pi.hProcess, 100) == WAIT_OBJECT_0)
            return nullptr;
    }
    return nullptr;
}

std::vector<HWND> FindDescendants(HWND hParent, const char* pszClass, bool bVisibleOnly)
{
    ChildData data = {pszClass, bVisibleOnly, {}};
    EnumChildWindows(hParent, CollectChild, reinterpret_cast<LPARAM>(&data));
    return data.found;
}

HWND FindDescendant(HWND hParent, const char* pszClass, bool bVisibleOnly)
{
    std::vector<HWND> found = FindDescendants(hParent, pszClass, bVisibleOnly);
    return found.empty() ? nullptr : found.front();
}

std::string DescribeTree(HWND hWnd)
{
    std::string out;
    Describe(hWnd, 0, out);
    return out;
}

std::string MessageText(HWND hBox)
{
    std::string text;
    EnumChildWindows(hBox, FindStaticText, reinterpret_cast<LPARAM>(&text));
    return text;
}

void ReadAndAnswer(HWND hBox, std::string& rText, std::string& rCaption, int nButton)
{
    rCaption = TextOf(hBox);
    rText = MessageText(hBox);
    PostMessageA(hBox, WM_COMMAND, static_cast<WPARAM>(nButton), 0);
}

void Settle(const Started& s, DWORD dwMillis)
{
    WaitForInputIdle(s.pi.hProcess, dwMillis);
    Sleep(100);
}

RemoteBuffer::RemoteBuffer(const Started& s, size_t nSize)
    : m_hProcess(s.pi.hProcess),
      m_pRemote(VirtualAllocEx(s.pi.hProcess, nullptr, nSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))
{
}

RemoteBuffer::~RemoteBuffer()
{
    if (m_pRemote)
        VirtualFreeEx(m_hProcess, m_pRemote, 0, MEM_RELEASE);
}

bool RemoteBuffer::Write(const void* pData, size_t nSize, size_t nOffset)
{
    SIZE_T nDone = 0;
    return m_pRemote &&
           WriteProcessMemory(m_hProcess, static_cast<char*>(m_pRemote) + nOffset, pData, nSize, &nDone) &&
           nDone == nSize;
}

bool RemoteBuffer::Read(void* pData, size_t nSize, size_t nOffset) const
{
    SIZE_T nDone = 0;
    return m_pRemote &&
           ReadProcessMemory(m_hProcess, static_cast<char*>(m_pRemote) + nOffset, pData, nSize, &nDone) &&
           nDone == nSize;
}
