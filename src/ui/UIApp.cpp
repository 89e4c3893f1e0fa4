// The application object: options, levels and fonts with their settings
// keys, the resource libraries, the start-up order and the exit.
#include "UIApp.h"
#include "UIFramePages.h"
#include "UIMDIFrame.h"
#include "CUserAppChecker.h"
#include "BitmapObject.h"
#include "BrushObject.h"
#include "FontObject.h"
#include "Icons.h"
#include "ModelObserver.h"
#include "PXImageList.h"
#include "PXMsgBox.h"
#include "PXString.h"
#include "PXWinApp.h"
#include "PXWnd.h"
#include "PaletteMDI.h"
#include "PenObject.h"
#include "TLSMsg.h"
#include "UIRes.h"
#include "bwcc/Bwcc.h"
#include "owl/TDialog.h"
#include "owl/TMDIClient.h"
#include "owl/TModule.h"
#include "owl/TSplashWindow.h"
#include "owl/TXInvalidMainWindow.h"
#include "plexmodel.h"

#include <cstdio>
#include <cstring>
#include <new>

// The model reads these options at the same places.
static_assert(static_cast<DWORD>(UI_OPT_SMARTROUTING) == static_cast<DWORD>(MODEL_OPT_SMARTROUTING), "option bit");
static_assert(static_cast<DWORD>(UI_OPT_LABELSTUBS) == static_cast<DWORD>(MODEL_OPT_LABELSTUBS), "option bit");
static_assert(static_cast<DWORD>(UI_OPT_SNAPTOGRID) == static_cast<DWORD>(MODEL_OPT_SNAPTOGRID), "option bit");

namespace
{
UIApp::CommandRefresh s_pfnCommandRefresh = nullptr;
UIApp::StepTrace s_pfnStepTrace = nullptr;
TSplashWindow* s_pSplash = nullptr;
HANDLE s_hStartupEvent = nullptr;

// The program checker reads the diagnostics level through this.
DWORD DiagLevel()
{
    UIApp* pApp = UIApp::GetApp();
    return pApp ? pApp->TestDiagLevel(0xFFFFFFFF) : 4;
}

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

// The font sections and the fonts they keep, in the order of start and exit.
const struct
{
    const char* pszSection;
    const char* pszFont;
} s_FontSections[] = {
    {"Edit", "powerblock_label"},
    {"Palette", "icon_label"},
    {"TextNote", "default_textnotes"},
};

const char s_szMain[] = "Main";
const char s_szSentenceTypes[] = "User Defined Multimedia Sentence Types";
char s_szSettingsFile[MAX_PATH] = UI_SETTINGS_FILE;
char s_szDialogLibrary[MAX_PATH] = UI_DIALOG_LIBRARY;
char s_szBitmapLibrary[MAX_PATH] = UI_BITMAP_LIBRARY;

// Ranges of the levels; a value outside keeps the default.
const int kMaxLogLevel = 3;
const int kMaxLogInterval = 10000;

void Step(const char* pszStep)
{
    if (s_pfnStepTrace)
        s_pfnStepTrace(pszStep);
}

void WriteInt(const char* pszSection, const char* pszKey, long nValue)
{
    char sz[16];
    std::snprintf(sz, sizeof(sz), "%ld", nValue);
    WritePrivateProfileStringA(pszSection, pszKey, sz, s_szSettingsFile);
}

// A whole number of the settings file, or the default when the key is
// missing or holds no number.
long ReadInt(const char* pszSection, const char* pszKey, long nDefault)
{
    char sz[32] = "";
    GetPrivateProfileStringA(pszSection, pszKey, "", sz, sizeof(sz), s_szSettingsFile);
    char* pEnd = nullptr;
    long n = std::strtol(sz, &pEnd, 10);
    return (pEnd == sz) ? nDefault : n;
}

bool IsSingleDiagBit(long n)
{
    return n == 1 || n == 2 || n == 4 || n == 8;
}

CString LoadText(UINT nId)
{
    CString text;
    text.LoadString(nId);
    return text;
}
}

UIApp::UIApp(const char* pszName, HINSTANCE hInstance, const char* pszCmdLine, HINSTANCE hPrevInstance,
             int nCmdShow)
    : TApplication(pszName, hInstance, hPrevInstance, pszCmdLine, nCmdShow), m_dwOptions(0),
      m_dwDiagLevel(4), m_nLogLevel(3), m_nLogInterval(0), m_nGridStep(34), m_pDialogModule(nullptr),
      m_hPrevDialogLibrary(nullptr), m_bFreeDialogLibrary(false), m_pBitmapModule(nullptr),
      m_hBitmapLibrary(nullptr), m_bFreeBitmapLibrary(false), m_pController(nullptr), m_bSettingsRead(false),
      m_pIconTables(), m_pIcons()
{
    LoadDialogLibrary();
    LoadBitmapLibrary();
    // The whole line: the launch list is read field by field, whatever its
    // length.
    m_strCmdLine = pszCmdLine ? pszCmdLine : "";
    PassSettings();
}

void UIApp::LoadDialogLibrary()
{
    // A copy already in the process is used as it is.
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
        PXMessageBox(nullptr, LoadText(IDS_UI_NODIALOGLIB), LoadText(IDS_UI_ERRORCAPTION), MB_OK | MB_ICONSTOP);
    }
}

void UIApp::LoadBitmapLibrary()
{
    HINSTANCE hBitmaps = GetModuleHandleA(s_szBitmapLibrary);
    if (!hBitmaps)
    {
        hBitmaps = LoadLibraryA(s_szBitmapLibrary);
        m_bFreeBitmapLibrary = hBitmaps != nullptr;
    }
    if (!hBitmaps)
        PXMessageBox(nullptr, LoadText(IDS_UI_NOBITMAPLIB), LoadText(IDS_UI_ERRORCAPTION2), 0);
    m_hBitmapLibrary = hBitmaps;
    m_pBitmapModule = new TModule(s_szBitmapLibrary, hBitmaps);
    if (hBitmaps)
    {
        BWCCRegister(hBitmaps);
        // The blocks' pictures on the pages come from it too.
        BitmapObject::SetLibrary(hBitmaps);
    }
}

UIApp::~UIApp()
{
    delete m_pPages;
    m_pPages = nullptr;
    // The page windows went with the frame's window.
    if (m_bOwnDrawingTables)
    {
        delete g_pBrushes;
        g_pBrushes = nullptr;
        delete g_pPens;
        g_pPens = nullptr;
        delete g_pBitmaps;
        g_pBitmaps = nullptr;
    }
    // An application object that never read the settings has nothing of
    // its own to write: it must not put its defaults over the user's.
    if (m_bSettingsRead)
    {
        Step("write options");
        WriteSettings();
        Step("write fonts");
        WriteFontSettings();
    }
    for (Icons*& pIcons : m_pIcons)
    {
        if (Icons::GetCurrent() == pIcons)
            Icons::SetCurrent(nullptr);
        if (Icons::GetObsolete() == pIcons)
            Icons::SetObsolete(nullptr);
        delete pIcons;
        pIcons = nullptr;
    }
    for (IconInfoTable*& pTable : m_pIconTables)
    {
        delete pTable;
        pTable = nullptr;
    }
    if (m_bSettingsRead)
    {
        delete g_pFonts;
        g_pFonts = nullptr;
        if (ReadInt(s_szSentenceTypes, "Number of User Defined Types", 0) == 0)
        {
            Step("seed sentence types");
            WritePrivateProfileStringA(s_szSentenceTypes, "Number of User Defined Types", "0", s_szSettingsFile);
            WritePrivateProfileStringA(s_szSentenceTypes, "User Defined Media 1", "Voice", s_szSettingsFile);
            WritePrivateProfileStringA(s_szSentenceTypes, "User Defined Name 1", "Example", s_szSettingsFile);
            WritePrivateProfileStringA(s_szSentenceTypes, "User Defined Language Table 1", "12", s_szSettingsFile);
        }
    }
    if (s_hStartupEvent)
    {
        CloseHandle(s_hStartupEvent);
        s_hStartupEvent = nullptr;
    }
    if (m_pController)
    {
        UIApp::SetCommandRefresh(nullptr);
        PXSetDiagLevelQuery(nullptr);
        Step("logout");
        m_pController->Logout();
        if (PXGetWinApp() == m_pController)
            PXSetWinApp(nullptr);
        delete m_pController;
        m_pController = nullptr;
    }
    if (m_bUserSettingsRead)
    {
        Step("free user settings");
        kvrFreeUserDefINI();
        m_bUserSettingsRead = false;
    }

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
    delete m_pBitmapModule;
    m_pBitmapModule = nullptr;
    if (m_hBitmapLibrary)
        BitmapObject::SetLibrary(nullptr);
    if (m_hBitmapLibrary && m_bFreeBitmapLibrary)
        FreeLibrary(m_hBitmapLibrary);
    m_hBitmapLibrary = nullptr;
}

void UIApp::InitInstance()
{
    Step("block images");
    PXWndImpl::m_hInstance = GetHandle();
    PXCreateBlockImageLists();

    EnableBWCC(true);
    SplashGauge(55);

    Step("fonts");
    delete g_pFonts;
    g_pFonts = new Fonts(DefaultFontRows);
    // The brushes, pens and bitmaps that page windows draw blocks and lines
    // with.
    if (!g_pBrushes && !g_pPens && !g_pBitmaps)
    {
        g_pBrushes = new Brushes(DefaultBrushRows);
        g_pPens = new Pens(DefaultPenRows);
        g_pBitmaps = new Bitmaps();
        m_bOwnDrawingTables = true;
    }

    Step("settings");
    ReadSettings();
    ReadFontSettings();
    Step("user settings");
    kvrLoadUserDefINI(s_szSettingsFile);
    m_bUserSettingsRead = true;

    Step("controller");
    m_pController = new PXWinApp(GetHandle());
    PXSetWinApp(m_pController);
    UIApp::SetCommandRefresh(PXWinApp::UpdateCommandUI);
    PXSetDiagLevelQuery(DiagLevel);
    TLSMsg::Register();

    Step("main window");
    InitMainWindow();
    TFrameWindow* pMain = GetMainWindow();
    if (!pMain)
        throw TXInvalidMainWindow();
    pMain->SetFlag(wfMainWindow);
    if (!pMain->Create())
        throw TXInvalidMainWindow();
    PXSetMainWindow(pMain->HWindow);
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    ::GetWindowPlacement(pMain->HWindow, &placement);
    ReadPlacement(placement);
    ::SetWindowPlacement(pMain->HWindow, &placement);
    pMain->ShowWindow(static_cast<int>(placement.showCmd));

    Step("accelerators");
    HAccTable = LoadAccelerators("KEYS");

    if (UIMDIFrame* pFrame = dynamic_cast<UIMDIFrame*>(pMain))
        StartEditing(pFrame);
    SplashGauge(100);
    Step("started");
}

void UIApp::StartEditing(UIMDIFrame* pFrame)
{
    Step("login");
    m_pController->Login(m_strCmdLine, m_nLogLevel, m_nLogInterval);
    if (!m_pController->IsStandalone())
    {
        Step("caption");
        CString strCaption;
        strCaption.Format("%s - %s", GetName(), m_pController->GetServerTitle());
        pFrame->SetCaption(strCaption);
    }

    Step("block lists");
    for (int i = 0; i < 2; ++i)
    {
        m_pIconTables[i] = new IconInfoTable();
        kvrGetPowerBlockList(m_pIconTables[i], i, i == 0 ? m_pController->IsServerVersionSupported() : 0);
    }
    kvrSetNotificationMessage(UI_MODEL_NOTIFY_MESSAGE);
    for (int i = 0; i < 2; ++i)
        m_pIcons[i] = new Icons(m_pIconTables[i]);
    Icons::SetCurrent(m_pIcons[0]);
    Icons::SetObsolete(m_pIcons[1]);
    // The frame's palette was made before the blocks were known.
    if (PaletteMDI* pPalette = pFrame->GetPaletteMDI())
    {
        pPalette->SetIcons(m_pIcons[0]);
        pPalette->SetProgram(pFrame->GetCurrentProgram());
        pPalette->UpdateGroupTabs();
    }
    delete m_pPages;
    m_pPages = pFrame->MakeApplicationPages();
    PXWinApp::UpdateCommandUI();

    // Last: the frame, its palette and the session exist for the
    // applications that a crash left open.
    Step("recovery");
    m_pController->RecoverApplications();
}

void UIApp::InitMainWindow()
{
    TMDIClient* pClient = new TMDIClient(this);
    SetMainWindow(new UIMDIFrame(*pClient, this));
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
            {
                // The model offers the obsolete data types from now on.
                Step("old variable types");
                kvrToggleBackTypes();
                bOldTypes = true;
            }
        }
    }
    // The diagnostic level is one bit; a level or interval out of its range
    // would reach the checker and the client library as it stands.
    long nDiag = ReadInt(s_szMain, "Diag Level", 4);
    m_dwDiagLevel = IsSingleDiagBit(nDiag) ? static_cast<DWORD>(nDiag) : 4;
    long nLogLevel = ReadInt(s_szMain, "Log Level", 3);
    m_nLogLevel = (nLogLevel >= 0 && nLogLevel <= kMaxLogLevel) ? static_cast<int>(nLogLevel) : 3;
    long nInterval = ReadInt(s_szMain, "Log Interval", 0);
    m_nLogInterval = (nInterval >= 0 && nInterval <= kMaxLogInterval) ? static_cast<int>(nInterval) : 0;
    m_bSettingsRead = true;
    PassSettings();
    return bOldTypes;
}

void UIApp::WriteSettings() const
{
    for (const OptionKey& key : s_OptionKeys)
        WritePrivateProfileStringA(s_szMain, key.pszKey,
                                   (m_dwOptions & key.dwBit) ? "TRUE" : "FALSE", s_szSettingsFile);
    WriteInt(s_szMain, "Diag Level", static_cast<long>(m_dwDiagLevel));
    WriteInt(s_szMain, "Log Level", m_nLogLevel);
    WriteInt(s_szMain, "Log Interval", m_nLogInterval);
}

void UIApp::ReadFontSettings()
{
    if (!g_pFonts)
        return;
    for (const auto& section : s_FontSections)
    {
        char szFace[LF_FACESIZE] = "";
        GetPrivateProfileStringA(section.pszSection, "Font Typeface", "", szFace, sizeof(szFace),
                                 s_szSettingsFile);
        if (!szFace[0])
            continue;
        FontObject* pNow = g_pFonts->Find(section.pszFont);
        long nSize = ReadInt(section.pszSection, "Font Size", pNow ? -pNow->GetCharHeight() : -11);
        long nWeight = ReadInt(section.pszSection, "Font Weight", pNow ? pNow->GetWeight() : FW_NORMAL);
        long nItalic = ReadInt(section.pszSection, "Font Italic", pNow ? pNow->GetItalic() : 0);
        // A size or weight no font has keeps the font's own.
        if (nSize < -200 || nSize > 200)
            nSize = pNow ? -pNow->GetCharHeight() : -11;
        if (nWeight < 0 || nWeight > 1000)
            nWeight = pNow ? pNow->GetWeight() : FW_NORMAL;
        FontObject* pFont = new FontObject(section.pszFont, szFace, static_cast<int>(nSize),
                                           static_cast<int>(nWeight), nItalic ? 1 : 0);
        g_pFonts->Add(pFont, TRUE);
    }
}

void UIApp::WriteFontSettings() const
{
    if (!g_pFonts)
        return;
    for (const auto& section : s_FontSections)
    {
        FontObject* pFont = g_pFonts->Find(section.pszFont);
        if (!pFont)
            continue;
        WritePrivateProfileStringA(section.pszSection, "Font Typeface", pFont->GetFace(), s_szSettingsFile);
        WriteInt(section.pszSection, "Font Size", -pFont->GetCharHeight());
        WriteInt(section.pszSection, "Font Weight", pFont->GetWeight());
        WriteInt(section.pszSection, "Font Italic", pFont->GetItalic() ? 1 : 0);
    }
}

void UIApp::ReadPlacement(WINDOWPLACEMENT& rPlacement)
{
    RECT rc = rPlacement.rcNormalPosition;
    rc.left = ReadInt(s_szMain, "left", rc.left);
    rc.top = ReadInt(s_szMain, "top", rc.top);
    rc.right = ReadInt(s_szMain, "right", rc.right);
    rc.bottom = ReadInt(s_szMain, "bottom", rc.bottom);
    // A window placed where no screen is now could never be reached.
    if (rc.right > rc.left && rc.bottom > rc.top && MonitorFromRect(&rc, MONITOR_DEFAULTTONULL))
        rPlacement.rcNormalPosition = rc;
    long nShow = ReadInt(s_szMain, "WinState", static_cast<long>(rPlacement.showCmd));
    if (nShow == SW_SHOWMINIMIZED)
        nShow = SW_SHOWMAXIMIZED;
    if (nShow > 0 && nShow <= SW_MAX && nShow != SW_HIDE)
        rPlacement.showCmd = static_cast<UINT>(nShow);
    if (rPlacement.showCmd == 0 || rPlacement.showCmd == SW_SHOWMINIMIZED || rPlacement.showCmd == SW_MINIMIZE)
        rPlacement.showCmd = SW_SHOWNORMAL;
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

const char* UIApp::BitmapLibraryName()
{
    return s_szBitmapLibrary;
}

void UIApp::SetBitmapLibraryName(const char* pszName)
{
    lstrcpynA(s_szBitmapLibrary, pszName && *pszName ? pszName : UI_BITMAP_LIBRARY, sizeof(s_szBitmapLibrary));
}

void UIApp::SetSplash(TSplashWindow* pSplash)
{
    s_pSplash = pSplash;
}

TSplashWindow* UIApp::GetSplash()
{
    return s_pSplash;
}

void UIApp::SplashGauge(int nPercent)
{
    if (!s_pSplash)
        return;
    if (s_pSplash->IsWindow())
        s_pSplash->SetPercentDone(nPercent);
    char sz[16];
    std::snprintf(sz, sizeof(sz), "splash %d", nPercent);
    Step(sz);
}

void UIApp::SetStartupEvent(HANDLE hEvent)
{
    s_hStartupEvent = hEvent;
}

UIApp::StepTrace UIApp::SetStepTrace(StepTrace pfn)
{
    StepTrace pfnOld = s_pfnStepTrace;
    s_pfnStepTrace = pfn;
    return pfnOld;
}
