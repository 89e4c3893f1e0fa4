// Driving the real editor as a separate process, as a user would: it is
// started and waited for, its windows are found on the desktop by class,
// caption or control id, commands reach its frame as menu picks do, and
// its dialogs and message boxes are read and answered with messages.
#ifndef PLEXSTUDIOPROCESS_H
#define PLEXSTUDIOPROCESS_H

#include <windows.h>

#include <string>
#include <vector>

struct Started
{
    PROCESS_INFORMATION pi = {};
    bool bOk = false;
};

// The folder of the test program, where plexstudio.exe lies too.
std::string ExeDir();
// Starts plexstudio.exe with the arguments, in the test program's folder.
Started Start(const char* pszArgs = "");
// The exit code, or 0xFFFFFFFF when the process had to be ended after the
// wait.
DWORD WaitForExit(const Started& s, DWORD dwMillis = 30000);
void Close(Started& s);

std::string ClassOf(HWND hWnd);
std::string TextOf(HWND hWnd);

// A visible top-level window of the process of that class (and with that
// caption, when one is given), waited for; none when the process ended or
// the time ran out.
HWND WaitForWindow(const Started& s, const char* pszClass, DWORD dwMillis = 30000, const char* pszCaption = nullptr);
// The visible top-level windows of the process.
std::vector<HWND> TopLevelWindows(const Started& s);
// The first descendant of that class (visible ones only, when asked).
HWND FindDescendant(HWND hParent, const char* pszClass, bool bVisibleOnly = true);
std::vector<HWND> FindDescendants(HWND hParent, const char* pszClass, bool bVisibleOnly = true);
// The descendants and their classes, texts and rectangles, one a line:
// what a failed step prints.
std::string DescribeTree(HWND hWnd);

// The text of a message box's first non-empty static control.
std::string MessageText(HWND hBox);
// The text and caption of a message box, which is then answered with the
// button (IDOK unless told).
void ReadAndAnswer(HWND hBox, std::string& rText, std::string& rCaption, int nButton = IDOK);

// Memory in the started process, for the messages of common controls that
// pass a pointer: the control reads and writes it there.
class RemoteBuffer
{
public:
    RemoteBuffer(const Started& s, size_t nSize);
    ~RemoteBuffer();
    void* Address() const { return m_pRemote; }
    LPARAM Param() const { return reinterpret_cast<LPARAM>(m_pRemote); }
    bool Write(const void* pData, size_t nSize, size_t nOffset = 0);
    bool Read(void* pData, size_t nSize, size_t nOffset = 0) const;

private:
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    HANDLE m_hProcess;
    void* m_pRemote;
};

// Waits until the process waits for input again: its messages are handled.
void Settle(const Started& s, DWORD dwMillis = 10000);

#endif
