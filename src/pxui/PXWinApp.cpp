// The application controller: open applications, caption, field provider,
// item checks and the application extensions of soft definitions.
#include "PXWinApp.h"
#include "ClipboardProgram.h"
#include "PXCommandHandler.h"
#include "PXEditorFrame.h"
#include "PXMenu.h"
#include "PXFieldValue.h"
#include "PXRecArray.h"
#include "PXServerRec.h"
#include "PXSoftRec.h"
#include "PXUIClasses.h"
#include "PXUIRes.h"
#include "PXUserApp.h"
#include "PXProgDir.h"
#include "plexmodel.h"

#include <new>

namespace {

PXWinApp* s_pWinApp = nullptr;
HINSTANCE s_hAppInstance = nullptr;
PXCurrentProgramSource s_pfnCurrentProgram = nullptr;
PXEditorFrame* s_pEditorFrame = nullptr;
PXCmdInterface* s_pToolBar = nullptr;

const DWORD PXCAUSE_USER = 0x20000;

// Makes the system cursor current; answers the one it replaced.
HCURSOR SetSystemCursor(const char* pszCursor)
{
    return SetCursor(LoadCursorA(nullptr, pszCursor));
}

} // namespace

HCURSOR SetWaitCursor()
{
    return SetSystemCursor(IDC_WAIT);
}

HCURSOR SetArrowCursor()
{
    return SetSystemCursor(IDC_ARROW);
}

HCURSOR SetCrossCursor()
{
    return SetSystemCursor(IDC_CROSS);
}

HCURSOR SetNoCursor()
{
    return SetSystemCursor(IDC_NO);
}

HINSTANCE GetAppInstance()
{
    return s_hAppInstance;
}

PXWinApp* GetWinApp()
{
    return s_pWinApp;
}

PXWinApp::PXWinApp(HINSTANCE hInstance)
    : m_hInstance(hInstance), m_szLocation(), m_szServerTitle(), m_bStandalone(0), m_bClipBlocks(0), m_bClipVoice(0), m_bClipFax(0),
      m_bClipImports(0), m_bClipResPerm(0), m_pAttachedView(nullptr), m_pUserAppArray(nullptr),
      m_pClipUserApp(nullptr), m_pCommandHandler(nullptr), m_pMainMenu(nullptr)
{
    m_pUserAppArray = new (std::nothrow) PXObArray;
    if (!m_pUserAppArray)
        PXTHROW_XMEM(0);
    m_pCommandHandler = new (std::nothrow) PXCommandHandler;
    if (!m_pCommandHandler)
    {
        delete m_pUserAppArray;
        PXTHROW_XMEM(0);
    }
    PXCmdInterface::SetCommandHandler(m_pCommandHandler);
    s_pWinApp = this;
    s_hAppInstance = hInstance;
    PXRegisterUIClasses();
    PXSoftObj::Init(this);
}

PXWinApp::~PXWinApp()
{
    PXSoftObj::Leave(this);
    delete m_pServerRec;
    m_pServerRec = nullptr;
    delete m_pClipUserApp;
    for (int i = 0; i < m_pUserAppArray->GetSize(); ++i)
        delete m_pUserAppArray->GetAt(i);
    delete m_pUserAppArray;
    // The menu bar is the frame's: it survives its presenter.
    if (m_pMainMenu)
        m_pMainMenu->Detach();
    delete m_pMainMenu;
    if (PXCmdInterface::GetCommandHandler() == m_pCommandHandler)
        PXCmdInterface::SetCommandHandler(nullptr);
    delete m_pCommandHandler;
    if (s_pWinApp == this)
        s_pWinApp = nullptr;
}

// ---------------------------------------------------------------------------
// Command states

void PXWinApp::UpdateCommandUI()
{
    PXWinApp* pWinApp = s_pWinApp;
    if (!pWinApp)
        return;
    pWinApp->m_pCommandHandler->UpdateCommandStates();
    pWinApp->RefreshMainMenu();
    pWinApp->RefreshToolBar();
}

void PXWinApp::RefreshMainMenu()
{
    if (!m_pMainMenu)
    {
        HWND hMain = PXGetMainWindow();
        HMENU hMenuBar = hMain ? ::GetMenu(hMain) : nullptr;
        if (!hMenuBar)
            return;
        m_pMainMenu = new (std::nothrow) PXMainMenu;
        if (!m_pMainMenu)
            PXTHROW_XMEM(0);
        m_pMainMenu->Attach(hMenuBar);
    }
    m_pMainMenu->UpdateState();
}

void PXWinApp::RefreshToolBar()
{
    // The tool bar comes with the main frame's tool-bar strip; before the
    // strip has made it there is nothing to refresh.
    if (s_pToolBar)
        s_pToolBar->UpdateState();
}

void PXWinApp::SetToolBar(PXCmdInterface* pToolBar)
{
    s_pToolBar = pToolBar;
}

PXCmdInterface* PXWinApp::GetToolBar()
{
    return s_pToolBar;
}

void PXWinApp::SetEditorFrame(PXEditorFrame* pFrame)
{
    s_pEditorFrame = pFrame;
}

PXEditorFrame* PXWinApp::GetEditorFrame()
{
    return s_pEditorFrame;
}

BOOL PXWinApp::IsPaletteShown() const
{
    return s_pEditorFrame && s_pEditorFrame->IsPaletteShown();
}

BOOL PXWinApp::IsFullScreen() const
{
    return s_pEditorFrame && s_pEditorFrame->IsFullScreen();
}

BOOL IsEditingTextNote()
{
    return s_pEditorFrame && s_pEditorFrame->IsEditingTextNote();
}

void PXWinApp::LoadCaption()
{
    PXUserApp* pUserApp = GetActiveUserApp();
    if (!pUserApp)
    {
        PXFaultHandlerObj::LoadCaption();
        return;
    }
    CString name = *PXFieldValue(PXFIELD_USER_APP_NAME, pUserApp).GetText();
    CString caption;
    caption.FormatMessage(IDS_PX_APPCAPTION, static_cast<const char*>(name));
    SetCaption(caption);
}

short PXWinApp::GetCustomerProfile()
{
    // The customer profile lives on the server; without a server session
    // (standalone, or no client-server library in this build) the query
    // fails, which gives 0.
    return 0;
}

void PXWinApp::ReportMessage(UINT nMsgId, DWORD dwCause, const char* pszFile, int nLine)
{
    PXArgList message(nMsgId);
    Report(dwCause, PXICON_EXCLAMATION, PXBTN_OK, PXANS_OK, &message, nullptr, 0, pszFile, nLine);
}

int PXWinApp::CheckActiveUserApp(UINT nNoAppMsgId, const char* pszFile, int nLine)
{
    if (GetActiveUserApp())
        return 0;
    ReportMessage(nNoAppMsgId, PXCAUSE_USER, pszFile, nLine);
    return -1;
}

PXUserApp* PXWinApp::NeedActiveUserApp() const
{
    PXUserApp* pUserApp = GetActiveUserApp();
    PXASSERT(pUserApp!=0);
    return pUserApp;
}

// ---------------------------------------------------------------------------
// Open applications

void PXWinApp::AddUserApp(PXUserApp* pUserApp)
{
    PXASSERT(pUserApp!=0);
    if (!m_pUserAppArray->Add(pUserApp))
        PXTHROW_XMEM(0);
}

void PXWinApp::RemoveUserApp(PXUserApp* pUserApp)
{
    for (int i = 0; i < m_pUserAppArray->GetSize(); ++i)
    {
        if (m_pUserAppArray->GetAt(i) == pUserApp)
        {
            m_pUserAppArray->RemoveAt(i);
            delete pUserApp;
            return;
        }
    }
}

PXUserApp* PXWinApp::FindUserAppByName(const char* pszName) const
{
    for (int i = 0; i < m_pUserAppArray->GetSize(); ++i)
    {
        PXUserApp* pUserApp = static_cast<PXUserApp*>(m_pUserAppArray->GetAt(i));
        if (lstrcmpiA(*PXFieldValue(PXFIELD_USER_APP_NAME, pUserApp).GetText(), pszName) == 0)
            return pUserApp;
    }
    return nullptr;
}

PXUserApp* PXWinApp::FindUserAppByID(long lId) const
{
    for (int i = 0; i < m_pUserAppArray->GetSize(); ++i)
    {
        PXUserApp* pUserApp = static_cast<PXUserApp*>(m_pUserAppArray->GetAt(i));
        if (*PXFieldValue(PXFIELD_USER_APP_ID, pUserApp).GetInt32() == lId)
            return pUserApp;
    }
    return nullptr;
}

void PXWinApp::SetCurrentProgramSource(PXCurrentProgramSource pfnSource)
{
    s_pfnCurrentProgram = pfnSource;
}

PXUserApp* PXWinApp::GetActiveUserApp() const
{
    const char* pszPath = s_pfnCurrentProgram ? s_pfnCurrentProgram() : nullptr;
    if (!pszPath || m_pUserAppArray->GetSize() == 0)
        return nullptr;
    // The program's file name without folder and extension names its
    // application.
    char szName[_MAX_FNAME];
    _splitpath(pszPath, nullptr, nullptr, szName, nullptr);
    return FindUserAppByName(szName);
}

// ---------------------------------------------------------------------------
// Services for soft dialogs

void PXWinApp::GetFieldValue(WORD wControlId, PXFieldValue& rFieldValue)
{
    WORD wField;
    switch (wControlId)
    {
    case 2301: wField = PXFIELD_USER_APP_FUNCTIONS; break;
    case 2302: wField = PXFIELD_USER_APP_VOICE_ITEMS; break;
    case 2303: wField = PXFIELD_USER_APP_FAX_ITEMS; break;
    case 2314: wField = PXFIELD_USER_APP_IMPORTS; break;
    case 2315: wField = PXFIELD_USER_APP_USED_RES_PERM_LIST; break;
    case 2305: case 2306: case 2307: case 2308: case 2309: case 2310:
    case 2311: case 2312: case 2313: case 2316:
    {
        // The choosers' lists (the applications and the volumes) are those
        // of the record the chooser has just reloaded, whether or not an
        // application is open and in standalone mode too: a chooser runs
        // with no application open, for New and Open. The other lists come
        // with the server session and an active application; without them
        // the handle names no record.
        const bool bChooserList = (wControlId >= 2305 && wControlId <= 2310) || wControlId == 2316;
        PXServerRec* pServerRec = bChooserList ? m_pServerRec : nullptr;
        if (!pServerRec && GetActiveUserApp())
            pServerRec = GetServerRecord(ServerRecordKind(wControlId));
        rFieldValue.SetRecord(pServerRec);
        rFieldValue.SetFieldId(wControlId == 2311   ? PXFIELD_SERVER_SYSTEM_PROMPTS
                               : wControlId == 2312 ? PXFIELD_SERVER_RESPERM_LISTS
                               : wControlId == 2313 ? PXFIELD_SERVER_LANGUAGES
                               : wControlId == 2316 ? PXFIELD_SERVER_VOLUMES
                                                    : PXFIELD_SERVER_APPS);
        return;
    }
    default:
        PXASSERT(0);
    }
    rFieldValue.SetRecord(GetActiveUserApp());
    rFieldValue.SetFieldId(wField);
}

void PXWinApp::AttachView(void* pView)
{
    // The client-server library's attach and detach do nothing and answer
    // 0, so attaching remembers and detaching forgets.
    if (m_pAttachedView)
        DetachView(m_pAttachedView);
    m_pAttachedView = pView;
}

void PXWinApp::DetachView(void*)
{
    m_pAttachedView = nullptr;
}

namespace {

BOOL WINAPI SystemHelp(HWND hWnd, LPCSTR pszFile, UINT uCommand, ULONG_PTR dwData)
{
    return ::WinHelpA(hWnd, pszFile, uCommand, dwData);
}

PXWinApp::HelpCall g_pfnHelp = SystemHelp;

} // namespace

PXWinApp::HelpCall PXWinApp::SetHelpCall(HelpCall pfn)
{
    HelpCall pfnOld = g_pfnHelp;
    g_pfnHelp = pfn ? pfn : SystemHelp;
    return pfnOld;
}

void PXWinApp::ShowHelp(DWORD dwContext)
{
    // The help folder and the file with the window its topics open in.
    static const char szFile[] = "plexstudio.hlp>proc4";
    char szPath[MAX_PATH + sizeof(szFile)];
    PXGetHelpDir(szPath, MAX_PATH);
    lstrcatA(szPath, szFile);
    if (dwContext)
        g_pfnHelp(nullptr, szPath, HELP_CONTEXT, dwContext);
    else
        g_pfnHelp(nullptr, szPath, HELP_CONTENTS, 0);
}

// ---------------------------------------------------------------------------
// Items

BOOL PXWinApp::ItemIdInUse(WORD wListField, WORD wIdField, short sId) const
{
    PXUserApp* pUserApp = GetActiveUserApp();
    if (!pUserApp)
        return FALSE;
    // The items the application holds: its stored list, not the changes a
    // list being committed is about to make.
    PXObArray* pItems = static_cast<PXObArray*>(pUserApp->GetFieldMem(wListField));
    for (int i = 0; i < pItems->GetSize(); ++i)
        if (*PXFieldValue(wIdField, static_cast<PXSoftRec*>(pItems->GetAt(i))).GetInt16() == sId)
            return TRUE;
    return FALSE;
}

BOOL PXWinApp::CheckVoiceItemNameID(const CString& rName, short sId, int& rNameOk, int& rIdOk)
{
    rNameOk = kvrIsNameInUse(rName) ? 0 : 1;
    rIdOk = ItemIdInUse(PXFIELD_USER_APP_VOICE_ITEMS, PXFIELD_VOICE_ITEM_ID, sId) ? 0 : 1;
    return rNameOk && rIdOk;
}

BOOL PXWinApp::CheckFaxItemNameID(const CString& rName, short sId, int& rNameOk, int& rIdOk)
{
    rNameOk = kvrIsNameInUse(rName) ? 0 : 1;
    rIdOk = ItemIdInUse(PXFIELD_USER_APP_FAX_ITEMS, PXFIELD_FAX_ITEM_ID, sId) ? 0 : 1;
    return rNameOk && rIdOk;
}

BOOL PXWinApp::CheckVoiceItem(PXSoftRec* pRec, int& rNameOk, int& rIdOk)
{
    return CheckVoiceItemNameID(*PXFieldValue(PXFIELD_VOICE_ITEM_NAME, pRec).GetText(),
                                *PXFieldValue(PXFIELD_VOICE_ITEM_ID, pRec).GetInt16(), rNameOk,
                                rIdOk);
}

BOOL PXWinApp::CheckFaxItem(PXSoftRec* pRec, int& rNameOk, int& rIdOk)
{
    return CheckFaxItemNameID(*PXFieldValue(PXFIELD_FAX_ITEM_NAME, pRec).GetText(),
                              *PXFieldValue(PXFIELD_FAX_ITEM_ID, pRec).GetInt16(), rNameOk, rIdOk);
}

// The item calls of the client-server library keep the server's media in
// step. Without a server session (standalone mode) the library stores
// nothing and answers 0, and so do these operations.
int PXWinApp::ItemOnServer(UINT nNoAppMsgId, int (PXUserApp::*pfnOperation)(CString, int, CString),
                           const CString& rName, short sId, const CString& rDescription, const char* pszFile,
                           int nLine)
{
    if (CheckActiveUserApp(nNoAppMsgId, pszFile, nLine) != 0)
        return -1;
    PXUserApp* pUserApp = GetActiveUserApp();
    SetWaitCursor();
    int nResult = (pUserApp->*pfnOperation)(rName, sId, rDescription);
    SetArrowCursor();
    // The command states follow the program of the application.
    if (pUserApp->GetProgram())
        UpdateCommandUI();
    return nResult == 0 ? 0 : -1;
}

int PXWinApp::AddVoiceItem(const CString& rName, short sId, const CString& rDescription)
{
    return ItemOnServer(IDS_UI_ADDVOICENOAPP, &PXUserApp::AddVoiceItemOnServer, rName, sId, rDescription, __FILE__,
                        __LINE__);
}

int PXWinApp::DeleteVoiceItem(const CString& rName, short sId, const CString& rDescription)
{
    return ItemOnServer(IDS_UI_DELVOICENOAPP, &PXUserApp::DeleteVoiceItemOnServer, rName, sId, rDescription,
                        __FILE__, __LINE__);
}

int PXWinApp::AddFaxItem(const CString& rName, short sId, const CString& rDescription)
{
    return ItemOnServer(IDS_UI_ADDFAXNOAPP, &PXUserApp::AddFaxItemOnServer, rName, sId, rDescription, __FILE__,
                        __LINE__);
}

int PXWinApp::DeleteFaxItem(const CString& rName, short sId, const CString& rDescription)
{
    return ItemOnServer(IDS_UI_DELFAXNOAPP, &PXUserApp::DeleteFaxItemOnServer, rName, sId, rDescription, __FILE__,
                        __LINE__);
}

void PXWinApp::AddVoiceItemRef(short sId)
{
    NeedActiveUserApp()->AddVoiceItemRef(sId);
}

void PXWinApp::ReleaseVoiceItemRef(short sId)
{
    NeedActiveUserApp()->ReleaseVoiceItemRef(sId);
}

void PXWinApp::AddFaxItemRef(short sId)
{
    NeedActiveUserApp()->AddFaxItemRef(sId);
}

void PXWinApp::ReleaseFaxItemRef(short sId)
{
    NeedActiveUserApp()->ReleaseFaxItemRef(sId);
}

PXSoftRec* PXWinApp::NewVoiceItem()
{
    return NeedActiveUserApp()->NewVoiceItemRecord();
}

PXSoftRec* PXWinApp::NewFaxItem()
{
    return NeedActiveUserApp()->NewFaxItemRecord();
}

// ---------------------------------------------------------------------------
// Application extensions

int PXWinApp::RecordVoiceItem(PXSoftRec* pContext)
{
    PXASSERT(pContext!=0);
    return CheckActiveUserApp(IDS_UI_RECORDNOAPP, __FILE__, __LINE__);
}

int PXWinApp::ImportVoiceItem(PXSoftRec* pContext)
{
    PXASSERT(pContext!=0);
    return CheckActiveUserApp(IDS_UI_IMPORTVOICENOAPP, __FILE__, __LINE__);
}

int PXWinApp::ImportFaxItem(PXSoftRec* pContext)
{
    PXASSERT(pContext!=0);
    return CheckActiveUserApp(IDS_UI_IMPORTFAXNOAPP, __FILE__, __LINE__);
}

int PXWinApp::RecordFaxItemVoice(PXSoftRec* pContext)
{
    return RecordVoiceItem(pContext);
}

int PXWinApp::ImportFaxItemVoice(PXSoftRec* pContext)
{
    return ImportVoiceItem(pContext);
}

int PXWinApp::RecordSpokenName(PXSoftRec* pContext)
{
    return RecordVoiceItem(pContext);
}

int PXWinApp::ImportSpokenName(PXSoftRec* pContext)
{
    return ImportVoiceItem(pContext);
}

int PXWinApp::DeleteFaxItemVoice(PXSoftRec* pContext)
{
    PXASSERT(pContext!=0);
    return CheckActiveUserApp(IDS_UI_DELFAXNOAPP, __FILE__, __LINE__);
}

// ---------------------------------------------------------------------------
// Restriction/permission lists and languages used by blocks

int PXWinApp::SelectImport(long lListId)
{
    PXUserApp* pUserApp = GetActiveUserApp();
    if (!pUserApp)
    {
        ReportMessage(IDS_UI_IMPORTNOAPP, PXCAUSE_USER, __FILE__, __LINE__);
        return -1;
    }
    SetSystemCursor(IDC_WAIT);
    pUserApp->AddResPermRef(lListId);
    SetSystemCursor(IDC_ARROW);
    return 0;
}

int PXWinApp::RemoveListEntry(long lListId)
{
    PXUserApp* pUserApp = GetActiveUserApp();
    if (!pUserApp)
    {
        ReportMessage(IDS_UI_REMOVEIMPORTNOAPP, PXCAUSE_USER, __FILE__, __LINE__);
        return -1;
    }
    pUserApp->ReleaseResPermRef(lListId, FALSE);
    return 0;
}

// The server learns the lists in use, and the blocks' languages are checked
// against its own. Without a server session (standalone mode) the library
// answers at once and nothing is checked.
int PXWinApp::RefreshResPermList()
{
    PXUserApp* pUserApp = GetActiveUserApp();
    if (!pUserApp)
    {
        ReportMessage(IDS_UI_IMPORTNOAPP, PXCAUSE_USER, __FILE__, __LINE__);
        return -1;
    }
    pUserApp->SendResPerms(0);
    return 0;
}

int PXWinApp::RefreshImportList()
{
    PXUserApp* pUserApp = GetActiveUserApp();
    if (!pUserApp)
    {
        ReportMessage(IDS_UI_IMPORTNOAPP, PXCAUSE_USER, __FILE__, __LINE__);
        return -1;
    }
    if (pUserApp->GetProgram())
        pUserApp->CheckLanguages();
    return 0;
}

// The server record is fetched through the server session; without one
// (standalone mode) there is none, so nothing is cached and no list is
// known.
PXServerRec* PXWinApp::GetServerRecord(int nKind)
{
    if (m_bStandalone || !m_bServerSession)
        return nullptr;
    if (!m_pServerRec)
        m_pServerRec = new PXServerRec(nKind);
    return m_pServerRec;
}

void PXWinApp::FreeServerRecord()
{
    delete m_pServerRec;
    m_pServerRec = nullptr;
}

void PXWinApp::ReloadServerRecord(WORD wListId)
{
    if (wListId == 2314)
        return;
    PXASSERT(wListId>=2305 && wListId<=2310);
    FreeServerRecord();
    if (!m_bStandalone && !m_bServerSession)
        return;
    // Made here rather than through GetServerRecord, which keeps the lists
    // unknown in standalone mode for the blocks' checks.
    m_pServerRec = new PXServerRec(ServerRecordKind(wListId));
    m_pServerRec->LoadApplications();
}

void PXWinApp::SetServerRecordParam(WORD wListId, void* pData)
{
    if (wListId == 2314)
        return;
    PXASSERT(wListId>=2305 && wListId<=2310);
    if (PXServerRec* pServerRec = GetServerRecord(-1))
        pServerRec->LoadPumpFiles(static_cast<int>(reinterpret_cast<INT_PTR>(pData)));
}

int PXWinApp::ServerRecordKind(WORD wListId)
{
    switch (wListId)
    {
    case 2305: return 2;
    case 2306: return 1;
    case 2307: return 6;
    case 2308: return 3;
    case 2309: return 4;
    case 2310: return 5;
    default: return -1;
    }
}

BOOL PXWinApp::HasServerLists()
{
    return GetServerRecord(-1) != nullptr;
}

int PXWinApp::FindResPermList(long lListId)
{
    PXServerRec* pServerRec = GetServerRecord(-1);
    return pServerRec ? pServerRec->FindResPermList(lListId) : -1;
}

int PXWinApp::FindLanguage(long lLanguageId)
{
    PXServerRec* pServerRec = GetServerRecord(-1);
    return pServerRec ? pServerRec->FindLanguage(lLanguageId) : -1;
}

// ---------------------------------------------------------------------------
// Clipboard application

// The clipboard application, made over the active application's name when
// the first copy needs it; it carries the ID of the application copied
// from last.
PXUserApp* PXWinApp::ClipUserApp(PXUserApp* pActive)
{
    CString name = *PXFieldValue(PXFIELD_USER_APP_NAME, pActive).GetText();
    if (!m_pClipUserApp)
    {
        m_pClipUserApp = new (std::nothrow) PXUserApp(name);
        if (!m_pClipUserApp)
            PXTHROW_XMEM(0);
        // The constructor reads a path: a name with a dot keeps it here.
        PXFieldValue(PXFIELD_USER_APP_NAME, m_pClipUserApp).SetText(name);
    }
    PXFieldValue(PXFIELD_USER_APP_ID, m_pClipUserApp)
        .SetInt32(*PXFieldValue(PXFIELD_USER_APP_ID, pActive).GetInt32());
    m_pClipUserApp->Commit();
    return m_pClipUserApp;
}

// A plain copy of the item joins the clipboard application's list; being
// connected, it registers nothing in the application model and nothing on
// the server.
int PXWinApp::CopyItemToClip(PXSoftRec* pItem, WORD wType, WORD wList, WORD wInUse, WORD wConnected,
                             BOOL bResetInUse)
{
    PXASSERT(pItem!=0);
    PXUserApp* pUserApp = GetActiveUserApp();
    if (!pUserApp)
        return -1;
    PXUserApp* pClip = ClipUserApp(pUserApp);
    PXSoftRec* pCopy = PXSoftRec::Create(wType, FALSE);
    try
    {
        pCopy->CopyFrom(*pItem);
        PXFieldValue(wConnected, pCopy).SetInt32(1);
        if (wInUse && bResetInUse && *PXFieldValue(wInUse, pCopy).GetText() == PXTEXT_YES)
            PXFieldValue(wInUse, pCopy).SetText(PXTEXT_NO);
        pCopy->Commit();
    }
    catch (...)
    {
        delete pCopy;
        throw;
    }
    PXRecArray edit(PXFieldValue(wList, pClip).GetRecArray());
    edit.Add(pCopy);
    PXFieldValue(wList, pClip).SetRecArray(edit);
    pClip->Commit();
    // An item's name is told to the model's clipboard, which then lists
    // its clashes with a paste's target.
    if (wType != PXREC_RESPERM_ITEM)
        kvrAddSymToClipboard(*PXFieldValue(wType == PXREC_FAX_ITEM ? PXFIELD_FAX_ITEM_NAME : PXFIELD_VOICE_ITEM_NAME,
                                           pItem).GetText());
    return 0;
}

int PXWinApp::BeginClipCopy()
{
    delete m_pClipUserApp;
    m_pClipUserApp = nullptr;
    m_bClipVoice = m_bClipFax = m_bClipImports = m_bClipResPerm = 0;
    if (ClipboardProgram* pClip = GetClipboardProgram())
        pClip->Clear();
    m_bClipBlocks = 1;
    UpdateCommandUI();
    return 0;
}

int PXWinApp::CopyVoiceItemsToClip(PXSoftRec* pItem, BOOL bResetInUse)
{
    int nResult = CopyItemToClip(pItem, PXREC_VOICE_ITEM, PXFIELD_USER_APP_VOICE_ITEMS,
                                 PXFIELD_VOICE_ITEM_IN_USE, PXFIELD_VOICE_ITEM_CONNECTED, bResetInUse);
    if (nResult == 0)
        m_bClipVoice = 1;
    return nResult;
}

int PXWinApp::CopyFaxItemsToClip(PXSoftRec* pItem, BOOL bResetInUse)
{
    int nResult = CopyItemToClip(pItem, PXREC_FAX_ITEM, PXFIELD_USER_APP_FAX_ITEMS,
                                 PXFIELD_FAX_ITEM_IN_USE, PXFIELD_FAX_ITEM_CONNECTED, bResetInUse);
    if (nResult == 0)
        m_bClipFax = 1;
    return nResult;
}

// Only the copy is marked connected: the application's own entry must
// still leave the model when its last use goes.
int PXWinApp::CopyResPermToClip(PXSoftRec* pList)
{
    int nResult = CopyItemToClip(pList, PXREC_RESPERM_ITEM, PXFIELD_USER_APP_USED_RES_PERM_LIST, 0,
                                 PXFIELD_RESPERM_ITEM_CONNECTED, FALSE);
    if (nResult == 0)
        m_bClipResPerm = 1;
    return nResult;
}

// A block may name an item that its application no longer has (a program
// file written elsewhere): then nothing is copied, and the copy of the
// blocks goes on.
int PXWinApp::CopyItemToClipByID(short sId, WORD wList, WORD wIdField, BOOL bFax)
{
    PXUserApp* pUserApp = GetActiveUserApp();
    if (!pUserApp)
        return -1;
    // Blocks that share an item bring it once: a second copy would be
    // pasted twice and refused the second time.
    if (FindClipItem(bFax ? 3 : 0, sId, ""))
        return 0;
    PXRecArray items(static_cast<PXObArray*>(pUserApp->GetFieldMem(wList)));
    int nItemIndex = PXFindRecIndexByInt(wIdField, sId, items);
    if (nItemIndex < 0)
        return -1;
    PXSoftRec* pItem = static_cast<PXSoftRec*>(static_cast<PXObArray*>(pUserApp->GetFieldMem(wList))->GetAt(nItemIndex));
    return bFax ? CopyFaxItemsToClip(pItem, FALSE) : CopyVoiceItemsToClip(pItem, FALSE);
}

int PXWinApp::CopyVoiceItemToClipByID(short sId)
{
    return CopyItemToClipByID(sId, PXFIELD_USER_APP_VOICE_ITEMS, PXFIELD_VOICE_ITEM_ID, FALSE);
}

int PXWinApp::CopyFaxItemToClipByID(short sId)
{
    return CopyItemToClipByID(sId, PXFIELD_USER_APP_FAX_ITEMS, PXFIELD_FAX_ITEM_ID, TRUE);
}

int PXWinApp::CopyResPermToClipByID(long lListId)
{
    PXUserApp* pUserApp = GetActiveUserApp();
    if (!pUserApp)
        return -1;
    int nIndex = pUserApp->FindResPermItem(lListId);
    if (nIndex < 0)
        return 0;
    PXObArray* pLists = static_cast<PXObArray*>(pUserApp->GetFieldMem(PXFIELD_USER_APP_USED_RES_PERM_LIST));
    return CopyResPermToClip(static_cast<PXSoftRec*>(pLists->GetAt(nIndex)));
}
