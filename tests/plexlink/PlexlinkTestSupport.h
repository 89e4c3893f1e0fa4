// Helpers of the client library's tests: the library loaded afresh, a
// program directory of the test's own in the registry, files.
#ifndef PLEXLINKTESTSUPPORT_H
#define PLEXLINKTESTSUPPORT_H

#include <windows.h>

#include <plexlink.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

// A loaded copy of a library; unloading it runs its exit (the log closes).
class PlexlinkLib
{
public:
    explicit PlexlinkLib(const char* pszDll = "plexlink.dll");
    ~PlexlinkLib();

    HMODULE Handle() const { return m_hDll; }
    FARPROC Proc(const char* pszName) const;
    template <class F> F Get(const char* pszName) const
    {
        return reinterpret_cast<F>(reinterpret_cast<void (*)()>(Proc(pszName)));
    }
    void Unload();

    // The offline start: no server address, the given log level and interval.
    int InitOffline(int nLogLevel = 0, int nLogInterval = 0);
    // A start with a server address.
    int InitOnline(int nLogLevel, int nLogInterval, const char* pszContextID);

private:
    HMODULE m_hDll;
};

// An export of a loaded library by its name, typed as the header declares it.
#define PXFN(lib, name) (lib).Get<decltype(&name)>(#name)

// A fresh folder under the temporary folder, removed with all it holds.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    const std::string& Path() const { return m_path; }  // with its final backslash

private:
    std::string m_path;
};

// "ProgDir" of the program's key set to a folder while the object lives.
class ProgDirSetting
{
public:
    explicit ProgDirSetting(const std::string& dir);
    ~ProgDirSetting();
};

// Removes "ProgDir" (and the key when nothing else is in it).
void RemoveProgDirSetting();

void WriteTextFile(const std::string& path, const std::string& text);
// The file's content as another program would read it now; false when it
// cannot be opened.
bool ReadTextFile(const std::string& path, std::string& text);
bool FileExists(const std::string& path);

#endif
