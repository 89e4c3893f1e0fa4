// The File menu's application commands: the application chooser with its
// checks, and New, Open, Close, Save, Save As, Properties, Import, Remove
// Import, Export, Undo Export, Delete and Locks on the applications of the
// server (or, in standalone mode, on the local program files that the
// client library serves offline).
#include "PXWinApp.h"
#include "PXAppLink.h"
#include "PXEditorFrame.h"
#include "PXFieldValue.h"
#include "PXProgDir.h"
#include "PXRecArray.h"
#include "PXServerRec.h"
#include "PXUIRes.h"
#include "PXUserApp.h"
#include "ModelObserver.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const DWORD PXCAUSE_CHOICE = 0x40000;
const DWORD PXCAUSE_USER = 0x20000;
const DWORD PXCAUSE_SERVER = 0x10000000;

// Option "Confirm PB Deletes" (the menu's "Confirm Paste/Delete").
const DWORD UI_OPTION_CONFIRMDELETE = 0x80;

// The chooser dialogs and their help topics.
const WORD DLG_SAVEAS = 14509, HELP_SAVEAS = 11130;
const WORD DLG_IMPORT = 14510, HELP_IMPORT = 11110;
const WORD DLG_NEW = 14511, HELP_NEW = 11112;
const WORD DLG_OPEN = 14512, HELP_OPEN = 11120;
const WORD DLG_REMOVEIMPORT = 14513, HELP_REMOVEIMPORT = 11111;
const WORD DLG_DELETE = 14514, HELP_DELETE = 11131;
const WORD DLG_LOCKS = 14515, HELP_LOCKS = 11135;

// Delete refused: the application is in use on the server.
const int kDeleteInUse = 24;

const char kRefusedNameChars[] = "\\/:*?\"<>|";

CString FieldText(PXSoftRec* pRec, WORD wField)
{
    return *PXFieldValue(wField, pRec).GetText();
}

long FieldInt(PXSoftRec* pRec, WORD wField)
{
    return *PXFieldValue(wField, pRec).GetInt32();
}

// A plain application record of the chooser.
PXSoftRec* NewEntry(const CString& rName, long lId, long lVolume)
{
    PXSoftRec* pEntry = PXSoftRec::Create(PXREC_USER_APP, FALSE);
    PXFieldValue(PXFIELD_USER_APP_NAME, pEntry).SetText(rName);
    PXFieldValue(PXFIELD_USER_APP_ID, pEntry).SetInt32(lId);
    PXFieldValue(PXFIELD_USER_APP_VOLUME_ID, pEntry).SetInt32(lVolume);
    pEntry->Commit();
    return pEntry;
}

CString Trimmed(const CString& rText)
{
    std::string text = static_cast<const char*>(rText);
    size_t nFirst = text.find_first_not_of(' ');
    if (nFirst == std::string::npos)
        return CString();
    size_t nLast = text.find_last_not_of(' ');
    return CString(text.substr(nFirst, nLast - nFirst + 1).c_str());
}

bool HasNonBlank(const std::string& text)
{
    return text.find_first_not_of(' ') != std::string::npos;
}

bool HasRefusedChar(const CString& rName)
{
    return strpbrk(rName, kRefusedNameChars) != nullptr;
}

// "name|ID|volume", at most 127 characters.
std::string RecentEntry(PXSoftRec* pApp)
{
    char szEntry[128];
    snprintf(szEntry, sizeof(szEntry), "%s|%ld|%ld", static_cast<const char*>(FieldText(pApp, PXFIELD_USER_APP_NAME)),
             FieldInt(pApp, PXFIELD_USER_APP_ID), FieldInt(pApp, PXFIELD_USER_APP_VOLUME_ID));
    return szEntry;
}

void AddRecent(PXSoftRec* pApp)
{
    if (PXEditorFrame* pFrame = PXWinApp::GetEditorFrame())
        pFrame->AddRecentProgram(RecentEntry(pApp).c_str());
}

// A new, empty application with the ID, Name and Volume ID given.
std::unique_ptr<PXUserApp> NewUserApp(const CString& rName, long lId, long lVolume)
{
    std::unique_ptr<PXUserApp> pApp(new PXUserApp(CString()));
    PXFieldValue(PXFIELD_USER_APP_NAME, pApp.get()).SetText(rName);
    PXFieldValue(PXFIELD_USER_APP_ID, pApp.get()).SetInt32(lId);
    PXFieldValue(PXFIELD_USER_APP_VOLUME_ID, pApp.get()).SetInt32(lVolume);
    pApp->Commit();
    return pApp;
}

// The applications chosen into a server record, in order.
std::vector<PXSoftRec*> ChosenEntries(PXServerRec* pRec)
{
    std::vector<PXSoftRec*> entries;
    PXRecArray* pApps = PXFieldValue(PXFIELD_SERVER_APPS, pRec).GetRecArray();
    for (int i = 0; pApps && i < pApps->GetSize(); ++i)
        entries.push_back(pApps->GetAt(i));
    return entries;
}

// The local program file of an application in the program directory.
std::string LocalProgramPath(const CString& rName)
{
    char szDir[PX_PATH_MAX] = "";
    PXGetProgramDir(szDir, sizeof(szDir));
    return std::string(szDir) + static_cast<const char*>(rName) + ".ed";
}

bool FileExists(const std::string& path)
{
    DWORD dwAttr = GetFileAttributesA(path.c_str());
    return dwAttr != INVALID_FILE_ATTRIBUTES && !(dwAttr & FILE_ATTRIBUTE_DIRECTORY);
}

// Standalone mode: the client library keeps no applications of its own,
// so the deletion is of the local program file and its companions. True
// only when there was a program file and it is gone.
bool DeleteLocalProgram(const CString& rName)
{
    std::string path = LocalProgramPath(rName);
    if (rName.IsEmpty() || HasRefusedChar(rName) || !FileExists(path))
        return false;
    PXDeleteApplicationFiles(path.c_str());
    return !FileExists(path);
}

UINT DeleteMessage(int nResult, DWORD& rdwCause)
{
    rdwCause = PXCAUSE_USER;
    switch (nResult)
    {
    case kDeleteInUse: return IDS_UI_DELETEINUSE;
    case PXRC_DELETE_LOCKED: return IDS_UI_DELETEOPENELSEWHERE;
    case PXRC_DELETE_OPEN: return IDS_UI_DELETEOPEN;
    case PXRC_DELETE_IMPORTED: return IDS_UI_DELETEIMPORTED;
    case PXRC_DELETE_ASSIGNED: return IDS_UI_DELETEASSIGNED;
    default:
        rdwCause = PXCAUSE_SERVER;
        return IDS_UI_DELETEFAILED;
    }
}

} // namespace

// ---------------------------------------------------------------------------
// The chooser

void PXWinApp::FillUnusedID(PXServerRec* pServerRec)
{
    SetWaitCursor();
    int nId = 0;
    int nResult = PXAppLink().pfnGetUnusedID(&nId);
    SetArrowCursor();
    if (nResult != 0)
        return;
    PXRecArray defRecArray(PXFieldValue(PXFIELD_SERVER_APPS, pServerRec).GetRecArray());
    PXASSERT(defRecArray.GetSize()==0);
    defRecArray.Add(NewEntry(CString(), nId, 1));
    PXFieldValue(PXFIELD_SERVER_APPS, pServerRec).SetRecArray(defRecArray);
    pServerRec->Commit();
}

int PXWinApp::ValidateChoice(BOOL bIdCheck, BOOL bNameCheck, PXSoftRec* pEntry)
{
    long lId = FieldInt(pEntry, PXFIELD_USER_APP_ID);
    CString strName = FieldText(pEntry, PXFIELD_USER_APP_NAME);
    if (lId == -1)
    {
        PXFieldValue(PXFIELD_USER_APP_ID, pEntry).SetInt32(0);
        pEntry->Commit();
    }
    if (bIdCheck && !IsValidAppID(lId))
    {
        ReportMessage(IDS_UI_APPIDRANGE, PXCAUSE_CHOICE, __FILE__, __LINE__);
        return 0;
    }
    if (bNameCheck && (lId == -1 || strName.IsEmpty()))
    {
        if (strName.IsEmpty())
            ReportMessage(IDS_UI_APPNAMEMISSING, PXCAUSE_CHOICE, __FILE__, __LINE__);
        else
        {
            PXArgList message(IDS_UI_APPNAMENOTFOUND, static_cast<const char*>(strName));
            Report(PXCAUSE_CHOICE, PXICON_EXCLAMATION, PXBTN_OK, PXANS_OK, &message, nullptr, 0, __FILE__,
                   __LINE__);
        }
        return 0;
    }
    return 1;
}

int PXWinApp::ParseAppNames(const char* pszText, PXRecArray& rArray)
{
    int nAdded = 0;
    std::string gathered;
    bool bLastQuote = false;
    for (const char* p = pszText ? pszText : ""; *p; ++p)
    {
        bLastQuote = *p == '"';
        if (!bLastQuote)
        {
            gathered += *p;
            continue;
        }
        if (HasNonBlank(gathered))
        {
            rArray.Add(NewEntry(CString(gathered.c_str()), -1, -1));
            ++nAdded;
        }
        gathered.clear();
    }
    if (!bLastQuote && HasNonBlank(gathered))
    {
        rArray.Add(NewEntry(CString(gathered.c_str()), -1, -1));
        ++nAdded;
    }
    return nAdded;
}

int PXWinApp::RunAppChooser(WORD wDialogId, WORD wHelpId, BOOL bSeed, BOOL bIdCheck, BOOL bNameCheck,
                            PXUserApp* pTarget, PXServerRec* pOut)
{
    for (;;)
    {
        std::unique_ptr<PXServerRec> pPass(new PXServerRec(-1));
        if (bSeed)
            FillUnusedID(pPass.get());
        int nEnd = pPass->EditInDialog(wDialogId, wHelpId);
        if (nEnd == IDCANCEL)
            return 0;
        if (nEnd != IDOK)
            continue;

        SetWaitCursor();
        if (!bIdCheck && !bNameCheck)
        {
            SetArrowCursor();
            return 1;
        }
        std::vector<PXSoftRec*> chosen = ChosenEntries(pPass.get());
        if (chosen.empty())
        {
            SetArrowCursor();
            continue;
        }
        CString strName = FieldText(chosen[0], PXFIELD_USER_APP_NAME);
        const bool bTyped = FieldInt(chosen[0], PXFIELD_USER_APP_ID) == -1;
        const long lPickedId = FieldInt(chosen[0], PXFIELD_USER_APP_ID);
        const long lPickedVolume = FieldInt(chosen[0], PXFIELD_USER_APP_VOLUME_ID);

        // The reference: every application the server keeps.
        FreeServerRecord();
        PXServerRec reference(-1);
        reference.LoadPumpFiles(0);
        std::vector<PXSoftRec*> known = ChosenEntries(&reference);

        PXRecArray tempArray;
        int numApps = 1;
        if (bTyped)
            numApps = ParseAppNames(strName, tempArray);
        else
            tempArray.Add(NewEntry(Trimmed(strName), -1, -1));
        PXASSERT(tempArray.GetSize() == numApps);

        for (int i = 0; i < tempArray.GetSize(); ++i)
        {
            PXSoftRec* pEntry = tempArray.GetAt(i);
            long lId = lPickedId, lVolume = lPickedVolume, lModNumber = 0;
            if (bTyped)
            {
                lId = lVolume = -1;
                CString strEntry = FieldText(pEntry, PXFIELD_USER_APP_NAME);
                for (PXSoftRec* pKnown : known)
                {
                    if (lstrcmpiA(FieldText(pKnown, PXFIELD_USER_APP_NAME), strEntry) == 0)
                    {
                        lId = FieldInt(pKnown, PXFIELD_USER_APP_ID);
                        lVolume = FieldInt(pKnown, PXFIELD_USER_APP_VOLUME_ID);
                        lModNumber = FieldInt(pKnown, PXFIELD_USER_APP_MODIFICATION_NUMBER);
                        break;
                    }
                }
            }
            PXFieldValue(PXFIELD_USER_APP_ID, pEntry).SetInt32(lId);
            PXFieldValue(PXFIELD_USER_APP_VOLUME_ID, pEntry).SetInt32(lVolume);
            PXFieldValue(PXFIELD_USER_APP_MODIFICATION_NUMBER, pEntry).SetInt32(lModNumber);
            pEntry->Commit();
        }

        // Nothing picked and nothing typed: the dialog again.
        if (tempArray.GetSize() == 0)
        {
            SetArrowCursor();
            continue;
        }
        if (pOut)
        {
            PXRecArray userApps(PXFieldValue(PXFIELD_SERVER_APPS, pOut).GetRecArray());
            PXASSERT(userApps.GetSize() == 0);
            bool bValid = true;
            for (int i = 0; bValid && i < tempArray.GetSize(); ++i)
            {
                PXSoftRec* pEntry = tempArray.GetAt(i);
                bValid = ValidateChoice(bIdCheck, bNameCheck, pEntry) != 0;
                if (bValid)
                {
                    PXSoftRec* pCopy = NewEntry(FieldText(pEntry, PXFIELD_USER_APP_NAME),
                                                FieldInt(pEntry, PXFIELD_USER_APP_ID),
                                                FieldInt(pEntry, PXFIELD_USER_APP_VOLUME_ID));
                    PXFieldValue(PXFIELD_USER_APP_MODIFICATION_NUMBER, pCopy)
                        .SetInt32(FieldInt(pEntry, PXFIELD_USER_APP_MODIFICATION_NUMBER));
                    pCopy->Commit();
                    userApps.Add(pCopy);
                }
            }
            SetArrowCursor();
            if (bValid)
            {
                PXFieldValue(PXFIELD_SERVER_APPS, pOut).SetRecArray(userApps);
                pOut->Commit();
                return 1;
            }
            continue;
        }

        SetArrowCursor();
        if (tempArray.GetSize() > 0 && ValidateChoice(bIdCheck, bNameCheck, tempArray.GetAt(0)))
        {
            if (pTarget)
            {
                PXSoftRec* pEntry = tempArray.GetAt(0);
                PXFieldValue(PXFIELD_USER_APP_ID, pTarget).SetInt32(FieldInt(pEntry, PXFIELD_USER_APP_ID));
                PXFieldValue(PXFIELD_USER_APP_NAME, pTarget).SetText(FieldText(pEntry, PXFIELD_USER_APP_NAME));
                PXFieldValue(PXFIELD_USER_APP_VOLUME_ID, pTarget)
                    .SetInt32(FieldInt(pEntry, PXFIELD_USER_APP_VOLUME_ID));
                pTarget->Commit();
            }
            return 1;
        }
    }
}

// ---------------------------------------------------------------------------
// The commands

int PXWinApp::FileNew()
{
    std::unique_ptr<PXUserApp> pApp;
    for (;;)
    {
        pApp = NewUserApp(CString(), 0, 0);
        if (!RunAppChooser(DLG_NEW, HELP_NEW, TRUE, TRUE, TRUE, pApp.get(), nullptr))
            return -1;
        if (!HasRefusedChar(FieldText(pApp.get(), PXFIELD_USER_APP_NAME)))
            break;
        ReportMessage(IDS_UI_BADAPPNAMECHARS, PXCAUSE_USER, __FILE__, __LINE__);
    }
    CString strName = FieldText(pApp.get(), PXFIELD_USER_APP_NAME);
    SetWaitCursor();
    // Offline the library copies the template over whatever program file
    // has the name: an application open here, or a program file kept in the
    // program directory, would be lost. The server refuses such a name too.
    if (IsStandalone() && (FindUserAppByName(strName) || FileExists(LocalProgramPath(strName))))
    {
        SetArrowCursor();
        ReportMessage(FindUserAppByName(strName) ? IDS_UI_APPNAMEIDTAKEN : IDS_UI_APPNAMETAKEN, PXCAUSE_USER,
                      __FILE__, __LINE__);
        return 1;
    }
    if (pApp->Open(PXOPEN_NEW) != 0)
    {
        SetArrowCursor();
        return 1;
    }
    AddRecent(pApp.get());
    AddUserApp(pApp.release());
    SetArrowCursor();
    UpdateCommandUI();
    return 0;
}

int PXWinApp::FileOpen(const char* pszRecentEntry)
{
    if (pszRecentEntry)
    {
        // "name|ID|volume": a missing ID reads 1, a missing volume 0.
        std::string entry = pszRecentEntry;
        std::vector<std::string> tokens;
        size_t nStart = 0;
        for (;;)
        {
            size_t nBar = entry.find('|', nStart);
            tokens.push_back(entry.substr(nStart, nBar == std::string::npos ? std::string::npos : nBar - nStart));
            if (nBar == std::string::npos)
                break;
            nStart = nBar + 1;
        }
        long lId = tokens.size() > 1 ? atol(tokens[1].c_str()) : 1;
        long lVolume = tokens.size() > 2 ? atol(tokens[2].c_str()) : 0;
        std::unique_ptr<PXUserApp> pApp = NewUserApp(CString(tokens[0].c_str()), lId, lVolume);
        SetWaitCursor();
        int nResult = OpenChosen(pApp.get());
        SetArrowCursor();
        if (nResult == 1)
            return 1;
        if (nResult == 0)
        {
            AddUserApp(pApp.release());
            UpdateCommandUI();
        }
        return 0;
    }

    std::unique_ptr<PXServerRec> pRec(new PXServerRec(-1));
    if (!RunAppChooser(DLG_OPEN, HELP_OPEN, FALSE, FALSE, TRUE, nullptr, pRec.get()))
        return -1;
    SetWaitCursor();
    for (PXSoftRec* pEntry : ChosenEntries(pRec.get()))
    {
        std::unique_ptr<PXUserApp> pApp =
            NewUserApp(FieldText(pEntry, PXFIELD_USER_APP_NAME), FieldInt(pEntry, PXFIELD_USER_APP_ID),
                       FieldInt(pEntry, PXFIELD_USER_APP_VOLUME_ID));
        if (OpenChosen(pApp.get()) != 0)
        {
            SetArrowCursor();
            return 1;
        }
        AddRecent(pApp.get());
        AddUserApp(pApp.release());
    }
    SetArrowCursor();
    UpdateCommandUI();
    return 0;
}

int PXWinApp::OpenChosen(PXUserApp* pApp)
{
    // The server refuses an application open in this workspace (and Open
    // reports it); offline nothing would: the program's window would get a
    // second application.
    if (IsStandalone() && FindUserAppByName(FieldText(pApp, PXFIELD_USER_APP_NAME)))
    {
        ReportMessage(IDS_UI_APPALREADYOPEN, PXCAUSE_USER, __FILE__, __LINE__);
        return -1;
    }
    return pApp->Open(PXOPEN_EXISTING);
}

int PXWinApp::FileClose()
{
    PXUserApp* pApp = GetActiveUserApp();
    if (!pApp)
        return -1;
    SetWaitCursor();
    if (pApp->Close() != 0)
    {
        SetArrowCursor();
        ReportMessage(IDS_UI_CLOSEREFUSED, PXCAUSE_SERVER, __FILE__, __LINE__);
        // The application stays open; its program is kept locally.
        pApp->Build(0);
        return 1;
    }
    RemoveUserApp(pApp);
    SetArrowCursor();
    UpdateCommandUI();
    StopAutoSaveIfIdle();
    return 0;
}

int PXWinApp::FileSave()
{
    PXUserApp* pApp = GetActiveUserApp();
    if (!pApp)
    {
        ReportMessage(IDS_UI_SAVENOAPP, PXCAUSE_USER, __FILE__, __LINE__);
        return -1;
    }
    if (pApp->IsExported() && !pApp->IsComplete())
    {
        PXArgList message(IDS_UI_EXPORTEDINCOMPLETE);
        Report(PXCAUSE_USER, PXICON_QUESTION, PXBTN_OK, PXANS_OK, &message, nullptr, 0, __FILE__, __LINE__);
        return -1;
    }
    SetWaitCursor();
    int nResult = pApp->Save(1);
    SetArrowCursor();
    UpdateCommandUI();
    return nResult;
}

int PXWinApp::FileSaveAs()
{
    PXUserApp* pApp = GetActiveUserApp();
    if (!pApp)
    {
        ReportMessage(IDS_UI_SAVENOAPP, PXCAUSE_USER, __FILE__, __LINE__);
        return -1;
    }
    if (pApp->IsExported() && !pApp->IsComplete())
    {
        ReportMessage(IDS_UI_EXPORTEDINCOMPLETE, PXCAUSE_USER, __FILE__, __LINE__);
        return -1;
    }
    std::unique_ptr<PXUserApp> pTarget = NewUserApp(CString(), 0, 0);
    for (;;)
    {
        if (!RunAppChooser(DLG_SAVEAS, HELP_SAVEAS, TRUE, TRUE, TRUE, pTarget.get(), nullptr))
            return -1;
        CString strName = FieldText(pTarget.get(), PXFIELD_USER_APP_NAME);
        if (HasRefusedChar(strName))
        {
            ReportMessage(IDS_UI_BADAPPNAMECHARS, PXCAUSE_USER, __FILE__, __LINE__);
            continue;
        }
        // Offline every application has the same ID: only the name tells
        // them apart.
        bool bOpen = FindUserAppByName(strName) != nullptr ||
                     (!IsStandalone() && FindUserAppByID(FieldInt(pTarget.get(), PXFIELD_USER_APP_ID)));
        if (!bOpen)
            break;
        PXArgList message(IDS_UI_APPOPENNOOVERWRITE);
        if (Report(PXCAUSE_USER, PXICON_EXCLAMATION, PXBTN_OKCANCEL, PXANS_OK, &message, nullptr, 0, __FILE__,
                   __LINE__) != PXANS_OK)
            return -1;
    }
    SetWaitCursor();
    int nResult = pApp->SaveAs(pTarget.get());
    SetArrowCursor();
    // Listed only once it is there.
    if (nResult == 0)
        AddRecent(pTarget.get());
    UpdateCommandUI();
    return nResult == 0 ? 0 : 1;
}

int PXWinApp::FileProperties()
{
    PXUserApp* pApp = GetActiveUserApp();
    if (!pApp)
    {
        ReportMessage(IDS_UI_PROPERTIESNOAPP, PXCAUSE_USER, __FILE__, __LINE__);
        return -1;
    }
    SetWaitCursor();
    pApp->EditProperties(1);
    SetArrowCursor();
    UpdateCommandUI();
    return 0;
}

int PXWinApp::FileImport()
{
    if (CheckActiveUserApp(IDS_UI_IMPORTNOAPP, __FILE__, __LINE__) != 0)
        return -1;
    std::unique_ptr<PXServerRec> pRec(new PXServerRec(-1));
    if (!RunAppChooser(DLG_IMPORT, HELP_IMPORT, FALSE, FALSE, TRUE, nullptr, pRec.get()))
        return -1;
    SetWaitCursor();
    for (PXSoftRec* pEntry : ChosenEntries(pRec.get()))
    {
        // The import list takes the application over when it is imported.
        std::unique_ptr<PXUserApp> pImport =
            NewUserApp(FieldText(pEntry, PXFIELD_USER_APP_NAME), FieldInt(pEntry, PXFIELD_USER_APP_ID),
                       FieldInt(pEntry, PXFIELD_USER_APP_VOLUME_ID));
        PXUserApp* pActive = GetActiveUserApp();
        if (pActive && pActive->AddImport(pImport.get()) == 0)
            pImport.release();
    }
    SetArrowCursor();
    UpdateCommandUI();
    return 0;
}

int PXWinApp::FileRemoveImport()
{
    if (CheckActiveUserApp(IDS_UI_REMOVEIMPORTNOAPP, __FILE__, __LINE__) != 0)
        return -1;
    std::unique_ptr<PXServerRec> pRec(new PXServerRec(-1));
    if (!RunAppChooser(DLG_REMOVEIMPORT, HELP_REMOVEIMPORT, FALSE, FALSE, TRUE, nullptr, pRec.get()))
        return -1;
    SetWaitCursor();
    std::unique_ptr<PXUserApp> pScratch = NewUserApp(CString(), 0, 0);
    for (PXSoftRec* pEntry : ChosenEntries(pRec.get()))
    {
        PXFieldValue(PXFIELD_USER_APP_ID, pScratch.get()).SetInt32(FieldInt(pEntry, PXFIELD_USER_APP_ID));
        PXFieldValue(PXFIELD_USER_APP_NAME, pScratch.get()).SetText(FieldText(pEntry, PXFIELD_USER_APP_NAME));
        PXFieldValue(PXFIELD_USER_APP_VOLUME_ID, pScratch.get())
            .SetInt32(FieldInt(pEntry, PXFIELD_USER_APP_VOLUME_ID));
        pScratch->Commit();
        if (PXUserApp* pActive = GetActiveUserApp())
            pActive->RemoveImport(pScratch.get());
    }
    SetArrowCursor();
    UpdateCommandUI();
    return 0;
}

int PXWinApp::FileExport()
{
    PXUserApp* pApp = GetActiveUserApp();
    UINT nRefusal = !pApp                  ? IDS_UI_EXPORTNOAPP
                    : !pApp->IsComplete()  ? IDS_UI_EXPORTINCOMPLETE
                    : pApp->IsExported()   ? IDS_UI_ALREADYEXPORTED
                                           : 0;
    if (nRefusal)
    {
        ReportMessage(nRefusal, PXCAUSE_USER, __FILE__, __LINE__);
        return -1;
    }
    SetWaitCursor();
    pApp->Export();
    SetArrowCursor();
    UpdateCommandUI();
    return 0;
}

int PXWinApp::FileUndoExport()
{
    PXUserApp* pApp = GetActiveUserApp();
    if (!pApp)
    {
        ReportMessage(IDS_UI_UNDOEXPORTNOAPP, PXCAUSE_USER, __FILE__, __LINE__);
        return -1;
    }
    if (!pApp->IsExported())
    {
        ReportMessage(IDS_UI_APPNOTEXPORTED, PXCAUSE_USER, __FILE__, __LINE__);
        return -1;
    }
    int nImported = 0;
    if (pApp->QueryImported(&nImported) != 0)
    {
        ReportMessage(IDS_UI_EXPORTNOTUNDONE, PXCAUSE_USER, __FILE__, __LINE__);
        return -1;
    }
    if (nImported)
    {
        ReportMessage(IDS_UI_UNDOEXPORTIMPORTED, PXCAUSE_USER, __FILE__, __LINE__);
        return -1;
    }
    SetWaitCursor();
    pApp->UndoExport();
    SetArrowCursor();
    UpdateCommandUI();
    return 0;
}


int PXWinApp::FileDelete()
{
    std::unique_ptr<PXServerRec> pRec(new PXServerRec(-1));
    if (!RunAppChooser(DLG_DELETE, HELP_DELETE, FALSE, FALSE, TRUE, nullptr, pRec.get()))
        return -1;
    SetWaitCursor();
    for (PXSoftRec* pEntry : ChosenEntries(pRec.get()))
    {
        CString strName = FieldText(pEntry, PXFIELD_USER_APP_NAME);
        if (ModelIsOptionSet(UI_OPTION_CONFIRMDELETE))
        {
            PXArgList question(IDS_UI_CONFIRMAPPDELETE, static_cast<const char*>(strName));
            if (Report(PXCAUSE_USER, PXICON_QUESTION, PXBTN_YESNO, PXANS_NO, &question, nullptr, 0, __FILE__,
                       __LINE__) != PXANS_YES)
            {
                SetArrowCursor();
                return 1;
            }
        }
        int nResult;
        if (IsStandalone() && FindUserAppByName(strName))
            nResult = PXRC_DELETE_OPEN;
        else
        {
            nResult = PXAppLink().pfnFileDelete(1, FieldInt(pEntry, PXFIELD_USER_APP_ID), strName,
                                                FieldInt(pEntry, PXFIELD_USER_APP_MODIFICATION_NUMBER));
            // Offline the library answers 0 and deletes nothing: the local
            // program file goes here, and a deletion that found none failed.
            if (nResult == 0 && IsStandalone() && !DeleteLocalProgram(strName))
                nResult = PXRC_FAILURE;
        }
        if (nResult != 0)
        {
            SetArrowCursor();
            DWORD dwCause;
            UINT nMsgId = DeleteMessage(nResult, dwCause);
            PXArgList message(nMsgId, static_cast<const char*>(strName));
            Report(dwCause, PXICON_EXCLAMATION, PXBTN_OK, PXANS_OK, &message, nullptr, 0, __FILE__, __LINE__);
            return 1;
        }
    }
    SetArrowCursor();
    UpdateCommandUI();
    return 0;
}

int PXWinApp::FileLocks()
{
    RunAppChooser(DLG_LOCKS, HELP_LOCKS, FALSE, FALSE, FALSE, nullptr, nullptr);
    UpdateCommandUI();
    return 0;
}
