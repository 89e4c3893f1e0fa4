// The application object: options, levels and their settings keys.
#include "UIApp.h"
#include "UIMDIFrame.h"
#include "ModelObserver.h"
#include "PXMsgBox.h"
#include "PXString.h"
#include "UIRes.h"
#include "bwcc/Bwcc.h"
#include "owl/TDialog.h"
#include "owl/TModule.h"

#include <cstdio>
#include <cstring>

// The model reads these options at the same places.
static_assert(static_cast<DWORD>(UI_OPT_SMARTROUTING) == static_cast<DWORD>(MODEL_OPT_SMARTROUTING), "option bit");
static_assert(static_cast<DWORD>(UI_OPT_LABELSTUBS) == static_cast<DWORD>(MODEL_OPT_LABELSTUBS), "option bit");
static_assert(static_cast<DWORD>(UI_OPT_SNAPTOGRID) == static_cast<DWORD>(MODEL_OPT_SNAPTOGRID), "option bit");

namespace
{
UIApp::CommandRefresh s_pfnCommandRefresh = nullptr;

struct OptionKey
{
    const char* pszKey;
    DWORD dwBit;
    bool bDefault;
};

// In the order the keys are read at start and written at exit.
const OptionKey s_OptionKeys[] = {
    {"Status Line", UI_OPT_STATUSLINE, true},
    {"Tool Bar", UI_OPT_TOOLBAR, true},
    {"Smart Routing", UI_OPT_SMARTROUTING, true},
    {"Label Stub Gotos", UI_OPT_LABELSTUBS, true},
    {"Confirm PB Deletes", UI_OPT_CONFIRMDELETE, false},
    {"Old Variable Types", UI_OPT_OLDVARTYPES, false},
    {"Snap to Grid", UI_OPT_SNAPTOGRID, true},
    {"Print Grid", UI_OPT_PRINTGRID, true},
    {"Print Frame", UI_OPT_PRINTFRAME, true},
    {"Auto Name", UI_OPT_AUTONAME, false},
};

const char s_szMain[] = "Main";
char s_szSettingsFile[MAX_PATH] = UI_SETTINGS_FILE;
char s_szDialogLibrary[MAX_PATH] = UI_DIALOG_LIBRARY;

void WriteInt(const char* pszKey, long nValue)
{
    char sz[16];
    std::snprintf(sz, sizeof(sz), "%ld", nValue);
    WritePrivateProfileStringA(s_szMain, pszKey, sz, s_szSettingsFile);
}
}

UIApp::UIApp(const char* pszName, HINSTANCE hInstance, const char* pszCmdLine, HINSTANCE hPrevInstance,
             int nCmdShow)
    : TApplication(pszName, hInstance, hPrevInstance, pszCmdLine, nCmdShow), m_dwOptions(0),
      m_dwDiagLevel(4), m_nLogLevel(3), m_nLogInterval(0), m_nGridStep(34), m_pDialogModule(nullptr),
      m_hPrevDialogLibrary(nullptr), m_bFreeDialogLibrary(false)
{
    // The dialog library: a copy already in the process is used as it is.
    HINSTANCE hDialogs = GetModuleHandleA(s_szDialogLibrary);
    if (!hDialogs)
    {
        hDialogs = LoadLibraryA(s_szDialogLibrary);
        m_bFreeDialogLibrary = hDialogs != nullptr;
    }
    if (hDialogs)
    {
        BWCCRegister(hDialogs);
        m_pDialogModule = new TModule(s_szDialogLibrary, hDialogs);
        m_hPrevDialogLibrary = TDialog::SetDialogLibrary(hDialogs);
    }
    else
    {
        CString text;
        CString caption;
        text.LoadString(IDS_UI_NODIALOGLIB);
        caption.LoadString(IDS_UI_ERRORCAPTION);
        PXMessageBox(nullptr, text, caption, MB_OK | MB_ICONSTOP);
    }

    // A longer command line is cut; the launch list never comes near it.
    lstrcpynA(m_szCmdLine, pszCmdLine ? pszCmdLine : "", sizeof(m_szCmdLine));
    PassSettings();
}

UIApp::~UIApp()
{
    if (UIMDIFrame* pFrame = dynamic_cast<UIMDIFrame*>(GetMainWindow()))
        if (ModelIsObserver(pFrame))
            ModelSetObserver(nullptr);
    ModelSetSettings(ModelSettings());
    if (m_pDialogModule)
    {
        HINSTANCE hDialogs = m_pDialogModule->GetHandle();
        // Another application object may have registered its own since.
        if (TDialog::GetDialogLibrary() == hDialogs)
            TDialog::SetDialogLibrary(m_hPrevDialogLibrary);
        delete m_pDialogModule;
        m_pDialogModule = nullptr;
        if (m_bFreeDialogLibrary)
            FreeLibrary(hDialogs);
    }
}

TFrameWindow* UIApp::SetMainWindow(TFrameWindow* pWindow)
{
    TFrameWindow* pOld = TApplication::SetMainWindow(pWindow);
    UIMDIFrame* pOldFrame = dynamic_cast<UIMDIFrame*>(pOld);
    if (ModelIsObserver(pOldFrame))
        ModelSetObserver(nullptr);
    if (UIMDIFrame* pFrame = dynamic_cast<UIMDIFrame*>(pWindow))
        ModelSetObserver(pFrame);
    return pOld;
}

void UIApp::PassSettings() const
{
    ModelSettings settings;
    settings.dwOptions = m_dwOptions;
    settings.nGridStep = m_nGridStep;
    settings.strSettingsFile = s_szSettingsFile;
    ModelSetSettings(settings);
}

UIApp* UIApp::GetApp()
{
    return dynamic_cast<UIApp*>(GetApplicationObject());
}

UIMDIFrame* UIApp::GetMainFrame()
{
    TApplication* pApp = GetApplicationObject();
    return pApp ? dynamic_cast<UIMDIFrame*>(pApp->GetMainWindow()) : nullptr;
}

bool UIApp::IsOptionSet(DWORD dwBit)
{
    UIApp* pApp = GetApp();
    return pApp && (pApp->m_dwOptions & dwBit) != 0;
}

void UIApp::SetOption(DWORD dwBit, bool bOn)
{
    if (bOn)
        m_dwOptions |= dwBit;
    else
        m_dwOptions &= ~dwBit;
    PassSettings();
}

int UIApp::GetGridStep()
{
    UIApp* pApp = GetApp();
    return pApp ? pApp->m_nGridStep : 34;
}

bool UIApp::ReadTruth(const char* pszSection, const char* pszKey, bool bDefault)
{
    char szValue[128];
    GetPrivateProfileStringA(pszSection, pszKey, bDefault ? "TRUE" : "FALSE", szValue,
                             sizeof(szValue), s_szSettingsFile);
    CharUpperA(szValue);
    return std::strcmp(szValue, "TRUE") == 0;
}

bool UIApp::ReadSettings()
{
    bool bOldTypes = false;
    for (const OptionKey& key : s_OptionKeys)
    {
        if (ReadTruth(s_szMain, key.pszKey, key.bDefault))
        {
            m_dwOptions |= key.dwBit;
            if (key.dwBit == UI_OPT_OLDVARTYPES)
                bOldTypes = true;
        }
    }
    m_dwDiagLevel = GetPrivateProfileIntA(s_szMain, "Diag Level", 4, s_szSettingsFile);
    m_nLogLevel = static_cast<int>(GetPrivateProfileIntA(s_szMain, "Log Level", 3, s_szSettingsFile));
    m_nLogInterval = static_cast<int>(GetPrivateProfileIntA(s_szMain, "Log Interval", 0, s_szSettingsFile));
    PassSettings();
    return bOldTypes;
}

void UIApp::WriteSettings() const
{
    for (const OptionKey& key : s_OptionKeys)
        WritePrivateProfileStringA(s_szMain, key.pszKey,
                                   (m_dwOptions & key.dwBit) ? "TRUE" : "FALSE", s_szSettingsFile);
    WriteInt("Diag Level", static_cast<long>(m_dwDiagLevel));
    WriteInt("Log Level", m_nLogLevel);
    WriteInt("Log Interval", m_nLogInterval);
}

void UIApp::SetCommandRefresh(CommandRefresh pfn)
{
    s_pfnCommandRefresh = pfn;
}

void UIApp::RefreshCommandStates()
{
    if (s_pfnCommandRefresh)
        s_pfnCommandRefresh();
}

const char* UIApp::SettingsFile()
{
    return s_szSettingsFile;
}

void UIApp::SetSettingsFile(const char* pszName)
{
    lstrcpynA(s_szSettingsFile, pszName && *pszName ? pszName : UI_SETTINGS_FILE, sizeof(s_szSettingsFile));
    if (UIApp* pApp = GetApp())
        pApp->PassSettings();
}

const char* UIApp::DialogLibraryName()
{
    return s_szDialogLibrary;
}

void UIApp::SetDialogLibraryName(const char* pszName)
{
    lstrcpynA(s_szDialogLibrary, pszName && *pszName ? pszName : UI_DIALOG_LIBRARY, sizeof(s_szDialogLibrary));
}
