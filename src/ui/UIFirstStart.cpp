// The first start: see UIFirstStart.h.
//
// Everywhere else the program's registry key is only read, as the client
// library and the login library read it. This file is the one place that
// writes it: there is no separate installer, so the editor sets up on its
// own start what those readers expect to find, and it never changes a
// value that someone put there before.
//
// Left out on purpose: "datadir" (the root of the certificate folders of
// the servers' SSL connections) belongs to the setup of a server
// connection, which a standalone start does not make; "IncludeDir" has no
// reader in this program; and the environment variable "KVR" only names
// the folder that an unnamed ("Untitled") program is first saved in, while
// the applications of New and Open carry full paths in the program
// directory.
#include "UIFirstStart.h"
#include "UIFirstStartRes.h"
#include "Icons.h"
#include "Page.h"
#include "Program.h"
#include "ProgramFile.h"
#include "PXProgDir.h"
#include "PXRegKey.h"
#include "PXString.h"
#include "plexmodel.h"

#include <memory>
#include <string>

namespace
{
const char s_szProgDir[] = "ProgDir";
const char s_szBinDir[] = "BinDir";
const char s_szHelpDir[] = "HelpDir";
const char s_szVersion[] = "Plexwright Version";
const char s_szTemplate[] = "default\\default.ed";
const char s_szTemplateName[] = "Template";

std::string WithBackslash(std::string dir)
{
    if (!dir.empty() && dir.back() != '\\' && dir.back() != '/')
        dir += '\\';
    return dir;
}

bool IsDirectory(const std::string& path)
{
    const DWORD dwAttr = GetFileAttributesA(path.c_str());
    return dwAttr != INVALID_FILE_ATTRIBUTES && (dwAttr & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsFile(const std::string& path)
{
    const DWORD dwAttr = GetFileAttributesA(path.c_str());
    return dwAttr != INVALID_FILE_ATTRIBUTES && (dwAttr & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Makes the directory and those above it that are missing; true when it is
// there afterwards.
bool MakeDirectories(const std::string& dir)
{
    std::string path = WithBackslash(dir);
    if (path.size() >= MAX_PATH)
        return false;
    // Each backslash after the root ends one level: "C:\", "\\server\share\"
    // and "\" are not made.
    size_t nFrom = 0;
    if (path.size() >= 3 && path[1] == ':')
        nFrom = 3;
    else if (path.compare(0, 2, "\\\\") == 0)
    {
        size_t nServer = path.find('\\', 2);
        nFrom = nServer == std::string::npos ? path.size() : path.find('\\', nServer + 1);
        nFrom = nFrom == std::string::npos ? path.size() : nFrom + 1;
    }
    else if (path[0] == '\\')
        nFrom = 1;
    for (size_t nAt = path.find('\\', nFrom); nAt != std::string::npos; nAt = path.find('\\', nAt + 1))
    {
        const std::string level = path.substr(0, nAt);
        if (!IsDirectory(level) && !CreateDirectoryA(level.c_str(), nullptr) && !IsDirectory(level))
            return false;
    }
    return IsDirectory(path);
}

// The palette's current blocks for as long as the template is made: the
// editor has not made its own yet at this point of the start.
class TemplateBlocks
{
public:
    TemplateBlocks() : m_pBefore(Icons::GetCurrent())
    {
        if (m_pBefore)
            return;
        m_pTable.reset(new IconInfoTable());
        if (kvrGetPowerBlockList(m_pTable.get(), 0, 1) <= 0)
            return;
        m_pIcons.reset(new Icons(m_pTable.get()));
        Icons::SetCurrent(m_pIcons.get());
    }
    ~TemplateBlocks()
    {
        if (m_pIcons && Icons::GetCurrent() == m_pIcons.get())
            Icons::SetCurrent(m_pBefore);
    }
    bool IsReady() const { return Icons::GetCurrent() != nullptr; }

private:
    TemplateBlocks(const TemplateBlocks&) = delete;
    TemplateBlocks& operator=(const TemplateBlocks&) = delete;

    Icons* m_pBefore;
    std::unique_ptr<IconInfoTable> m_pTable;    // declared first: the icons point into it
    std::unique_ptr<Icons> m_pIcons;
};

// Writes the empty application with the program file writer, so that it is
// exactly what the editor's own New and Open read.
bool WriteTemplate(const std::string& path)
{
    TemplateBlocks blocks;
    if (!blocks.IsReady())
        return false;
    bool bWritten = false;
    {
        Program program(s_szTemplateName, 0);
        Page* pMain = new Page(&program, "Main", PX_PAGE_MAIN, 0);
        program.AddPage(pMain);
        bWritten = pMain->AddMainDefaultBlocks() == 1 && PXFileSaveProgram(path.c_str(), &program, nullptr) == 1;
    }
    // The positions were read for this start's settings; the editor's own
    // settings come later and are read again for its first new page.
    Page::ForgetDefaultPositions();
    return bWritten && IsFile(path);
}

std::string ExecutableDir()
{
    char szPath[MAX_PATH] = "";
    DWORD n = GetModuleFileNameA(nullptr, szPath, sizeof(szPath));
    if (n == 0 || n >= sizeof(szPath))
        return std::string();
    std::string path(szPath, n);
    size_t nSlash = path.find_last_of("\\/");
    return nSlash == std::string::npos ? std::string() : path.substr(0, nSlash);
}
}

UIInstallation UIThisInstallation()
{
    UIInstallation installation;
    installation.strKey = PX_REGKEY_PLEXWRIGHT;
    // The editor's own listings already fall back on this folder when
    // "ProgDir" is missing, while the client library has no fall-back: the
    // value makes both use the same folder, inside the Wine prefix's (or
    // the machine's) drive C, which every prefix has.
    installation.strProgDir = PX_DEFAULT_PROGDIR;
    // The help file and the executables ship beside the editor, wherever
    // the build or the copy put it.
    const std::string exeDir = ExecutableDir();
    installation.strBinDir = exeDir;
    installation.strHelpDir = WithBackslash(exeDir);
    CString version;
    version.LoadString(IDS_UI_PRODUCTVERSION);
    installation.strVersion = static_cast<const char*>(version);
    return installation;
}

unsigned UIPutInstallationInPlace(const UIInstallation& installation)
{
    unsigned nFaults = 0;
    std::string progDir;
    {
        PXRegKey key;
        if (!key.Create(HKEY_LOCAL_MACHINE, installation.strKey.c_str()))
            nFaults |= UI_FIRSTSTART_KEY;
        const struct
        {
            const char* pszName;
            const std::string& value;
        } values[] = {
            {s_szProgDir, installation.strProgDir},
            {s_szBinDir, installation.strBinDir},
            {s_szHelpDir, installation.strHelpDir},
            {s_szVersion, installation.strVersion},
        };
        for (const auto& value : values)
        {
            // A value of ours with nothing to say is left out rather than
            // written empty: an empty value would stand for a decision.
            if (key.IsOpen() && !key.HasValue(value.pszName) && !value.value.empty() &&
                !key.SetString(value.pszName, value.value.c_str()))
                nFaults |= UI_FIRSTSTART_KEY;
        }
        // The directory that the readers will use: the value as it stands.
        if (!key.IsOpen() || !key.GetString(s_szProgDir, progDir))
            progDir = installation.strProgDir;
    }

    // An empty "ProgDir" puts the program files in the current folder: no
    // folder of our own to set up.
    if (progDir.empty())
        return nFaults;
    progDir = WithBackslash(progDir);
    const std::string templatePath = progDir + s_szTemplate;
    if (IsFile(templatePath))
        return nFaults;
    if (!MakeDirectories(progDir + "default"))
        return nFaults | UI_FIRSTSTART_PROGDIR;
    if (!WriteTemplate(templatePath))
        nFaults |= UI_FIRSTSTART_TEMPLATE;
    return nFaults;
}
