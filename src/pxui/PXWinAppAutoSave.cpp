// The controller's protection of unsaved work: the auto-save timer's tick,
// which writes the active application's program to its local file, the
// Options menu's Auto Save Options command, and the offer at start to
// reopen each application whose local program file a crash left behind.
#include "PXWinApp.h"
#include "PXFieldValue.h"
#include "PXProgDir.h"
#include "PXUIRes.h"
#include "PXUserApp.h"
#include "ModelObserver.h"
#include "ProgramFile.h"

#include <stdio.h>
#include <stdlib.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const DWORD PXCAUSE_RECOVERY = 0x8000000;

const WORD DLG_AUTOSAVE = 14520, HELP_AUTOSAVE = 11163;

const char kSection[] = "Main";
const char kEnabledKey[] = "Auto Save Enabled";
const char kIntervalKey[] = "Auto Save Interval";

const char* SettingsFile()
{
    return GetModelSettings().strSettingsFile;
}

} // namespace

int PXWinApp::OnAutoSaveTimer()
{
    PXUserApp* pUserApp = GetActiveUserApp();
    if (!pUserApp)
        return -1;
    // A load that asks the user runs the message loop: the copy waits for
    // the next tick rather than begin a save inside it.
    if (PXFileIsBusy())
        return 0;
    if (pUserApp->IsModified())
    {
        pUserApp->SaveRecoveryCopy();
        // The copy is only for recovery: the server has not seen the
        // changes, so the administrator must still be asked to save them.
        pUserApp->SetModified();
    }
    UpdateCommandUI();
    return 0;
}

void PXWinApp::StopAutoSaveIfIdle()
{
    if (m_pUserAppArray->GetSize() != 0)
        return;
    if (HWND hMain = PXGetMainWindow())
        ::KillTimer(hMain, PXAUTOSAVE_TIMER);
}

int PXWinApp::AutoSaveOptions()
{
    const char* pszSettings = SettingsFile();
    char szEnabled[128] = "";
    ::GetPrivateProfileStringA(kSection, kEnabledKey, "TRUE", szEnabled, sizeof(szEnabled), pszSettings);
    const bool bWasOn = ::lstrcmpiA(szEnabled, "TRUE") == 0;
    const long lRead = static_cast<int>(::GetPrivateProfileIntA(kSection, kIntervalKey, 10, pszSettings));

    // The values read go into the record's storage, not merely into its
    // cells: Cancel drops the cells and must find them there. They are not
    // verified here: an interval the dialog would refuse can only come from
    // the settings file, and the dialog shows it for correction.
    std::unique_ptr<PXSoftRec> pRec(PXSoftRec::Create(PXREC_AUTO_SAVE, FALSE));
    PXFieldValue(PXFIELD_AUTO_SAVE_ENABLED, pRec.get()).SetInt32(bWasOn ? 1 : 0);
    pRec->StoreField(PXFIELD_AUTO_SAVE_ENABLED);
    PXFieldValue(PXFIELD_AUTO_SAVE_MINUTES, pRec.get()).SetInt32(lRead);
    pRec->StoreField(PXFIELD_AUTO_SAVE_MINUTES);
    pRec->DropCells();

    // OK or Cancel, what the record holds is written back.
    pRec->EditInDialog(DLG_AUTOSAVE, HELP_AUTOSAVE);
    const bool bOn = *PXFieldValue(PXFIELD_AUTO_SAVE_ENABLED, pRec.get()).GetInt32() == 1;
    const long lInterval = *PXFieldValue(PXFIELD_AUTO_SAVE_MINUTES, pRec.get()).GetInt32();

    char szInterval[16];
    snprintf(szInterval, sizeof(szInterval), "%ld", lInterval);
    ::WritePrivateProfileStringA(kSection, kEnabledKey, bOn ? "TRUE" : "FALSE", pszSettings);
    ::WritePrivateProfileStringA(kSection, kIntervalKey, szInterval, pszSettings);
    if (bOn)
    {
        // The timer's own start reads the keys just written and keeps the
        // period within the dialog's bounds.
        if (m_pUserAppArray->GetSize() > 0)
            StartAutoSaveTimer();
    }
    else if (bWasOn)
    {
        if (HWND hMain = PXGetMainWindow())
            ::KillTimer(hMain, PXAUTOSAVE_TIMER);
    }
    UpdateCommandUI();
    return 0;
}

int PXWinApp::RecoverApplications()
{
    // Standalone mode works on the user's own program files: none of them
    // is a left-over.
    if (IsStandalone())
        return 0;

    // The listing is read whole before any application opens, so that
    // nothing an open does in the program directory (only one listing
    // runs at a time) changes which files are offered.
    std::vector<std::string> paths;
    char szPath[PX_PATH_MAX];
    for (int bFound = PXFindFirstApplication(szPath); bFound; bFound = PXFindNextApplication(szPath))
        paths.push_back(szPath);

    for (const std::string& path : paths)
    {
        char szName[_MAX_FNAME] = "";
        _splitpath(path.c_str(), nullptr, nullptr, szName, nullptr);
        PXArgList question(IDS_UI_RECOVERAPP, szName);
        if (Report(PXCAUSE_RECOVERY, PXICON_QUESTION, PXBTN_YESNO, PXANS_YES, &question, nullptr, 0, __FILE__,
                   __LINE__) != PXANS_YES)
            continue;   // the file stays; the next start offers it again
        // Made over the path, so that a name with a dot keeps it.
        std::unique_ptr<PXUserApp> pUserApp(new PXUserApp(CString(path.c_str())));
        SetWaitCursor();
        int nOpened = pUserApp->Open(PXOPEN_RECOVER);
        SetArrowCursor();
        // A failed open has reported and left the file for another try.
        if (nOpened == 0)
            AddUserApp(pUserApp.release());
    }
    UpdateCommandUI();
    return 0;
}
