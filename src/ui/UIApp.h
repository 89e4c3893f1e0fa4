// The application object of the editor: option bits, diagnostic and log
// levels, the grid step, the resource libraries, the settings file, the
// start-up order and the way to the main frame. It is the window
// framework's application object; the program's parts reach it through
// UIApp::GetApp. The program model does not: the application installs its
// main frame as the model's observer and hands the model its settings.
#ifndef UIAPP_H
#define UIAPP_H

#include "PXafx.h"
#include "owl/TApplication.h"

class UIMDIFrame;
class TModule;
class TSplashWindow;
class PXWinApp;
class Icons;
struct IconInfoTable;

// Option bits of the application object (section "Main" of the settings).
enum
{
    UI_OPT_SMARTROUTING = 0x0001,
    UI_OPT_STATUSLINE = 0x0004,
    UI_OPT_TOOLBAR = 0x0008,
    UI_OPT_LABELSTUBS = 0x0010,
    UI_OPT_SNAPTOGRID = 0x0020,
    UI_OPT_OLDVARTYPES = 0x0040,
    UI_OPT_CONFIRMDELETE = 0x0080,
    UI_OPT_PRINTGRID = 0x0100,
    UI_OPT_PRINTFRAME = 0x0200,
    UI_OPT_AUTONAME = 0x0400
};

// The resource library with the templates of the soft dialogs.
#define UI_DIALOG_LIBRARY "pxdlg.dll"
// The resource library with the bitmaps.
#define UI_BITMAP_LIBRARY "pxbmp.dll"

// The settings file, named without a path: the profile functions keep it
// in the Windows directory.
#define UI_SETTINGS_FILE "KALVERODIN.INI"

// The model's notification message to the main window (WM_UI_MODELNOTIFY).
#define UI_MODEL_NOTIFY_MESSAGE (WM_USER + 1001)

class UIApp : public TApplication
{
public:
    // Options 0, diagnostic level 4, log level 3, log interval 0, grid step
    // 34. The object becomes the application object until destroyed. It
    // takes the dialog library and the bitmap library (already loaded, else
    // loaded now); without one a message box says so and the program goes
    // on without it. The command line is kept whole for the login.
    UIApp(const char* pszName, HINSTANCE hInstance, const char* pszCmdLine, HINSTANCE hPrevInstance = nullptr,
          int nCmdShow = SW_SHOWNORMAL);
    // Once the settings were read at start: writes the options, levels and
    // fonts back and seeds the sentence-type section; then ends the session
    // and deletes the controller, frees the bitmap library, takes the main
    // frame back from the model.
    ~UIApp() override;

    // The start-up order of the editor (see UIApp.cpp).
    void InitInstance() override;
    // A UIMDIFrame over a new MDI client becomes the main window.
    void InitMainWindow() override;

    // The main window; a UIMDIFrame becomes the model's observer (and the
    // frame it replaces stops being it).
    TFrameWindow* SetMainWindow(TFrameWindow* pWindow) override;

    // The application object as a UIApp, or none.
    static UIApp* GetApp();
    // The application's main window as a UIMDIFrame, or none when there is
    // no main window or it is of another class.
    static UIMDIFrame* GetMainFrame();

    // The dialog library, or none when it could not be loaded.
    TModule* GetDialogModule() const { return m_pDialogModule; }
    // The bitmap library (its handle null when it could not be loaded).
    TModule* GetBitmapModule() const { return m_pBitmapModule; }
    // The libraries' file names: UI_DIALOG_LIBRARY and UI_BITMAP_LIBRARY,
    // or the names a test gives (for the next application object made).
    static const char* DialogLibraryName();
    static void SetDialogLibraryName(const char* pszName);
    static const char* BitmapLibraryName();
    static void SetBitmapLibraryName(const char* pszName);

    // The controller, once InitInstance made it.
    PXWinApp* GetController() const { return m_pController; }

    // Option bits. Without an application object no bit is set.
    static bool IsOptionSet(DWORD dwBit);
    void SetOption(DWORD dwBit, bool bOn);
    DWORD GetOptions() const { return m_dwOptions; }

    DWORD TestDiagLevel(DWORD dwBits) const { return m_dwDiagLevel & dwBits; }
    void SetDiagLevel(DWORD dwLevel) { m_dwDiagLevel = dwLevel; }
    int GetLogLevel() const { return m_nLogLevel; }
    void SetLogLevel(int nLevel) { m_nLogLevel = nLevel; }
    bool IsLogLevel(int nLevel) const { return m_nLogLevel == nLevel; }
    int GetLogInterval() const { return m_nLogInterval; }

    // The command states are recomputed by the controller, which installs
    // its refresh here; every change that can change a command's look
    // calls RefreshCommandStates.
    typedef void (*CommandRefresh)();
    static void SetCommandRefresh(CommandRefresh pfn);
    static void RefreshCommandStates();

    // The page grid's step in model units (34 without an application object).
    static int GetGridStep();

    // The command line as kept for the login, whole.
    const char* GetLoginLine() const { return m_strCmdLine; }

    // Start-up: the ten option keys, then the three levels, of section
    // "Main". A level out of its range keeps its default. Answers true when
    // "Old Variable Types" read as set (the caller then tells the
    // application model once).
    bool ReadSettings();
    // Exit: writes the ten option keys and the three levels back.
    void WriteSettings() const;
    // The fonts of sections "Edit", "Palette" and "TextNote": read into the
    // font table at start (an empty face keeps the built-in font), written
    // from it at exit.
    void ReadFontSettings();
    void WriteFontSettings() const;
    // The window placement of section "Main" over the given one: a
    // rectangle that lies on no screen, or is empty, and a show command that
    // is 0 or no show command at all keep the given values; 2 (minimised)
    // becomes 3 (maximised).
    static void ReadPlacement(WINDOWPLACEMENT& rPlacement);

    // The settings file: UI_SETTINGS_FILE, or the name a test gives.
    static const char* SettingsFile();
    static void SetSettingsFile(const char* pszName);

    // A truth value of the settings file: the text upper-cased equals "TRUE".
    static bool ReadTruth(const char* pszSection, const char* pszKey, bool bDefault);

    // The splash window of the start (none without "splash.bmp"), and its
    // gauge; without a splash window SplashGauge does nothing.
    static void SetSplash(TSplashWindow* pSplash);
    static TSplashWindow* GetSplash();
    static void SplashGauge(int nPercent);

    // The start-up event that marks a running instance; the application
    // object closes it at exit.
    static void SetStartupEvent(HANDLE hEvent);

    // Each step of the start and of the exit is told here (tests record the
    // order); answers the previous one.
    typedef void (*StepTrace)(const char* pszStep);
    static StepTrace SetStepTrace(StepTrace pfn);

private:
    UIApp(const UIApp&) = delete;
    UIApp& operator=(const UIApp&) = delete;

    // The options, the grid step and the settings file to the model.
    void PassSettings() const;
    void LoadDialogLibrary();
    void LoadBitmapLibrary();
    // Steps 11 of the start: login, caption, block lists, palette.
    void StartEditing(UIMDIFrame* pFrame);

    DWORD m_dwOptions;
    DWORD m_dwDiagLevel;
    int m_nLogLevel;
    int m_nLogInterval;
    int m_nGridStep;
    CString m_strCmdLine;
    TModule* m_pDialogModule;
    HINSTANCE m_hPrevDialogLibrary;
    bool m_bFreeDialogLibrary;      // loaded by this object, so freed by it
    TModule* m_pBitmapModule;       // made even over a null handle
    HINSTANCE m_hBitmapLibrary;
    bool m_bFreeBitmapLibrary;
    PXWinApp* m_pController;        // owned
    bool m_bSettingsRead;           // the settings are written back only once read
    bool m_bUserSettingsRead = false; // the model read its own settings at start
    IconInfoTable* m_pIconTables[2];   // current and obsolete blocks, owned
    Icons* m_pIcons[2];
    // The page windows' frame over the main frame, with the application
    // commands behind it; owned, made once editing starts.
    class UIFramePages* m_pPages = nullptr;
    bool m_bOwnDrawingTables = false;  // the brushes, pens and bitmaps were made here
};

#endif
