// The soft dialog runtime: notifications, the processing cycle, the control
// factory, transfers, OK and Cancel, and the window of a stand-alone soft
// dialog.
#include "PXSoftDlg.h"
#include "PXSoftCtrl.h"
#include "PXSoftGrp.h"
#include "PXSoftAppChooser.h"
#include "PXSDlgDf.h"
#include "PXSRecDf.h"
#include "PXDlgAcc.h"
#include "PXSoftRec.h"
#include "PXFieldValue.h"
#include "PXRecArray.h"
#include "PXSdoRes.h"
#include "PXSoftPropSheet.h"

#include <owl/TApplication.h>
#include <owl/TFrameWindow.h>

#include <new>

// ---------------------------------------------------------------------------
// Notifications

PXNotification::PXNotification(WORD wCtrlId, WORD wCode, void* pData)
    : m_wCtrlId(wCtrlId), m_wCode(wCode), m_pData(pData)
{
    PXASSERT(wCode>=0x400&&wCode<=0x40E);
}

// ---------------------------------------------------------------------------
// The soft dialog

PXSoftDlg::PXSoftDlg(WORD wDlgDefId, PXSoftRec* pRec, DWORD dwHelpId)
    : m_pQueue(nullptr), m_pNotifArray(nullptr), m_pCtrlMap(nullptr), m_dwHelpId(dwHelpId),
      m_bReady(FALSE), m_bTransferred(FALSE), m_pSoftDlgDef(nullptr), m_pRec(pRec),
      m_bHosted(FALSE), m_pDialog(nullptr), m_nDepth(0), m_pInWork(nullptr)
{
    m_pQueue = new (std::nothrow) PXObQueue;
    m_pNotifArray = new (std::nothrow) PXObArray;
    m_pInWork = new (std::nothrow) PXObArray;
    if (!m_pQueue || !m_pNotifArray || !m_pInWork)
    {
        delete m_pQueue;
        delete m_pNotifArray;
        delete m_pInWork;
        PXTHROW_XMEM(IDS_SDO_NEWSOFTDLG);
    }
    try
    {
        m_pSoftDlgDef = PXSoftDlgDef::Get(wDlgDefId);
    }
    catch (...)
    {
        delete m_pQueue;
        delete m_pNotifArray;
        delete m_pInWork;
        throw;
    }
}

PXSoftDlg::~PXSoftDlg()
{
    if (!m_bHosted)
        delete m_pDialog;
    m_pDialog = nullptr;
    if (m_pCtrlMap)
    {
        int pos = m_pCtrlMap->GetStartPosition();
        while (pos)
        {
            WORD wKey;
            PXObject* pOb;
            m_pCtrlMap->GetNextAssoc(pos, wKey, pOb);
            delete pOb;
        }
        m_pCtrlMap->RemoveAll();
        delete m_pCtrlMap;
    }
    // Whatever a cycle left behind: the list holds every queued one too.
    for (int i = m_pNotifArray->GetSize() - 1; i >= 0; --i)
        delete m_pNotifArray->GetAt(i);
    while (!m_pQueue->IsEmpty())
    {
        PXObject* pOb = m_pQueue->Dequeue();
        BOOL bListed = FALSE;
        for (int i = 0; i < m_pNotifArray->GetSize() && !bListed; ++i)
            bListed = m_pNotifArray->GetAt(i) == pOb;
        if (!bListed)
            delete pOb;
    }
    delete m_pQueue;
    delete m_pNotifArray;
    delete m_pInWork;
    if (m_pSoftDlgDef && m_pSoftDlgDef->Release() == 0)
        delete m_pSoftDlgDef;
}

int PXSoftDlg::Execute(int nMode)
{
    PXASSERT(nMode==1);
    PXDialog* pDialog = new (std::nothrow) PXDialog(nullptr, GetTemplateId(), this);
    if (!pDialog)
        PXTHROW_XMEM(IDS_SDO_NEWSOFTDLG);
    if (!m_bHosted)
        delete m_pDialog;
    m_bHosted = FALSE;
    m_pDialog = pDialog;

    // The owner: the active window, else the application's main window.
    TWindow* pAlias = nullptr;
    HWND hActive = ::GetActiveWindow();
    if (hActive)
    {
        pAlias = new (std::nothrow) TWindow(hActive);
        if (!pAlias)
            PXTHROW_XMEM(IDS_SDO_NEWSOFTDLG);
        pDialog->SetParent(pAlias);
    }
    else if (GetApplicationObject() && GetApplicationObject()->GetMainWindow())
        pDialog->SetParent(GetApplicationObject()->GetMainWindow());

    int nResult = pDialog->Execute();
    // The owner object must not take the dialog object with it.
    pDialog->SetParent(nullptr);
    delete pAlias;
    return nResult;
}

void PXSoftDlg::AttachToPage(PXPropPage* pPage)
{
    PXASSERT(pPage!=0);
    if (!m_bHosted)
        delete m_pDialog;
    m_bHosted = TRUE;
    m_pDialog = static_cast<TWindow*>(pPage);
}

WORD PXSoftDlg::GetTemplateId() const
{
    return m_pSoftDlgDef->GetTemplateID();
}

WORD PXSoftDlg::GetDefId() const
{
    return m_pSoftDlgDef->GetDlgID();
}

// ---------------------------------------------------------------------------
// Controls

PXSoftCtrl* PXSoftDlg::FindSoftCtrl(WORD wCtrlId) const
{
    PXObject* pOb = nullptr;
    if (m_pCtrlMap && m_pCtrlMap->Lookup(wCtrlId, pOb))
        return static_cast<PXSoftCtrl*>(pOb);
    return nullptr;
}

PXSoftCtrl* PXSoftDlg::GetSoftCtrl(WORD wCtrlId)
{
    if (!m_pCtrlMap)
    {
        m_pCtrlMap = new (std::nothrow) PXMapWordToOb;
        if (!m_pCtrlMap)
            PXTHROW_XMEM(IDS_SDO_NEWSOFTDLG);
    }
    PXObject* pOb = nullptr;
    if (m_pCtrlMap->Lookup(wCtrlId, pOb))
        return static_cast<PXSoftCtrl*>(pOb);

    PXStatement* pStatement = m_pSoftDlgDef->FindCtrlStatement(wCtrlId);
    if (!pStatement)
    {
        if (wCtrlId == 0)
            return nullptr;
        if (wCtrlId != GetDefId())
        {
            HWND hDlg = m_pDialog ? m_pDialog->HWindow : nullptr;
            if (!hDlg || !::IsWindow(hDlg) || !::GetDlgItem(hDlg, wCtrlId))
                return nullptr;
        }
    }
    PXSoftCtrl* pCtrl = CreateSoftCtrl(wCtrlId, pStatement);
    try
    {
        m_pCtrlMap->SetAt(wCtrlId, pCtrl);
    }
    catch (...)
    {
        delete pCtrl;
        throw;
    }
    return pCtrl;
}

namespace {

PXSoftDlg::TCtrlFactory g_pfnCtrlFactory = nullptr;

struct CtrlClass
{
    WORD m_wClassWord;
    PXSoftDlg::TCtrlMaker m_pfnMaker;
};
const int MAXCTRLCLASSES = 8;
CtrlClass g_ctrlClasses[MAXCTRLCLASSES];
int g_nCtrlClasses = 0;

PXSoftDlg::TCtrlMaker FindCtrlClass(WORD wClassWord)
{
    for (int i = 0; i < g_nCtrlClasses; ++i)
        if (g_ctrlClasses[i].m_wClassWord == wClassWord)
            return g_ctrlClasses[i].m_pfnMaker;
    return nullptr;
}

} // namespace

void PXSoftDlg::RegisterCtrlClass(WORD wClassWord, TCtrlMaker pfnMaker)
{
    PXASSERT(pfnMaker!=0);
    for (int i = 0; i < g_nCtrlClasses; ++i)
    {
        if (g_ctrlClasses[i].m_wClassWord == wClassWord)
        {
            g_ctrlClasses[i].m_pfnMaker = pfnMaker;
            return;
        }
    }
    PXASSERT(g_nCtrlClasses<MAXCTRLCLASSES);
    g_ctrlClasses[g_nCtrlClasses].m_wClassWord = wClassWord;
    g_ctrlClasses[g_nCtrlClasses].m_pfnMaker = pfnMaker;
    ++g_nCtrlClasses;
}

PXSoftDlg::TCtrlFactory PXSoftDlg::SetCtrlFactory(TCtrlFactory pfnFactory)
{
    TCtrlFactory pfnOld = g_pfnCtrlFactory;
    g_pfnCtrlFactory = pfnFactory;
    return pfnOld;
}

PXSoftCtrl* PXSoftDlg::CreateSoftCtrl(WORD wCtrlId, PXStatement* pStatement)
{
    PXSoftCtrl* pCtrl = nullptr;
    if (pStatement && g_pfnCtrlFactory)
        pCtrl = g_pfnCtrlFactory(wCtrlId, this, pStatement);
    if (pCtrl)
        return pCtrl;
    if (!pStatement)
        pCtrl = new (std::nothrow) PXSoftPlainCtrl(wCtrlId, this, nullptr);
    else
    {
        switch (pStatement->GetParam(1))
        {
        case PXCTRL_BITMAPBUTTON:
            pCtrl = new (std::nothrow) PXSoftBitmapButton(wCtrlId, this, pStatement);
            break;
        case PXCTRL_LISTVIEW:
            pCtrl = new (std::nothrow) PXSoftListView(wCtrlId, this, pStatement);
            break;
        case PXCTRL_EDIT:
            pCtrl = new (std::nothrow) PXSoftEdit(wCtrlId, this, pStatement);
            break;
        case PXCTRL_COMBOBOX:
            pCtrl = new (std::nothrow) PXSoftComboBox(wCtrlId, this, pStatement);
            break;
        case PXCTRL_GROUP:
            pCtrl = new (std::nothrow) PXSoftGroupCtrl(wCtrlId, this, pStatement);
            break;
        case PXCTRL_GROUPRADIO:
            pCtrl = new (std::nothrow) PXSoftGroupRadio(wCtrlId, this, pStatement);
            break;
        case PXCTRL_EDITUPDOWN:
            pCtrl = new (std::nothrow) PXSoftGroupEditUpDown(wCtrlId, this, pStatement);
            break;
        case PXCTRL_APPLFILECOMBO:
            pCtrl = new (std::nothrow) PXSoftGroupApplFileCombo(wCtrlId, this, pStatement);
            break;
        default:
        {
            // The domain controls come from the application; a class word
            // that nobody registered is a definition this program cannot run.
            TCtrlMaker pfnMaker = FindCtrlClass(pStatement->GetParam(1));
            if (!pfnMaker)
                PXASSERT(0);
            pCtrl = pfnMaker(wCtrlId, this, pStatement);
            break;
        }
        }
    }
    if (!pCtrl)
        PXTHROW_XMEM(IDS_SDO_NEWSOFTDLG);
    return pCtrl;
}

PXSoftCtrl* PXSoftDlg::GetGroupCtrl(WORD wCtrlId)
{
    WORD wGroupId = m_pSoftDlgDef->FindGroupOfSubCtrl(wCtrlId);
    if (!wGroupId)
        return nullptr;
    return GetSoftCtrl(wGroupId);
}

PXStatement* PXSoftDlg::GetDataLink(WORD wCtrlId) const
{
    PXSection* pSection = m_pSoftDlgDef->GetDlgDataLinkSection();
    if (!pSection)
        return nullptr;
    int n = pSection->GetNbStatements(PXKIND_BODY);
    for (int i = 0; i < n; ++i)
    {
        PXStatement* pS = pSection->GetStatement(PXKIND_BODY, i);
        if (pS->GetType() == PXTOK_DATALINK && pS->GetParam(0) == wCtrlId)
            return pS;
    }
    return nullptr;
}

WORD PXSoftDlg::GetDataLinkField(WORD wCtrlId) const
{
    PXStatement* pLink = GetDataLink(wCtrlId);
    return pLink ? pLink->GetParam(1) : 0;
}

// ---------------------------------------------------------------------------
// The processing cycle

BOOL PXSoftDlg::IsListed(const PXObArray* pArray, const PXObject* pOb)
{
    for (int i = 0; i < pArray->GetSize(); ++i)
        if (pArray->GetAt(i) == pOb)
            return TRUE;
    return FALSE;
}

void PXSoftDlg::Unlist(PXObArray* pArray, const PXObject* pOb)
{
    for (int i = pArray->GetSize() - 1; i >= 0; --i)
        if (pArray->GetAt(i) == pOb)
            pArray->RemoveAt(i);
}

BOOL PXSoftDlg::PostNotification(PXNotification* pNotification)
{
    PXASSERT(pNotification!=0);
    // The same notification twice in one cycle would be a chain of
    // reactions without end: the second one is dropped.
    for (int i = 0; i < m_pNotifArray->GetSize(); ++i)
        if (*static_cast<PXNotification*>(m_pNotifArray->GetAt(i)) == *pNotification)
        {
            delete pNotification;
            return FALSE;
        }
    if (!m_pNotifArray->Add(pNotification))
    {
        delete pNotification;
        PXTHROW_XMEM(IDS_SDO_NEWSOFTDLG);
    }
    int nBefore = m_pQueue->GetSize();
    m_pQueue->Enqueue(pNotification);
    if (m_pQueue->GetSize() == nBefore)
    {
        m_pNotifArray->RemoveAt(m_pNotifArray->GetSize() - 1);
        delete pNotification;
        PXTHROW_XMEM(IDS_SDO_NEWSOFTDLG);
    }
    return TRUE;
}

BOOL PXSoftDlg::PostNotification(WORD wCtrlId, WORD wCode, void* pData)
{
    PXNotification* pN = new (std::nothrow) PXNotification(wCtrlId, wCode, pData);
    if (!pN)
        PXTHROW_XMEM(IDS_SDO_NEWSOFTDLG);
    return PostNotification(pN);
}

void PXSoftDlg::CleanUpCycle()
{
    // Notifications that a drain further out still works on are only
    // taken off the list; their drain deletes them.
    for (int i = m_pNotifArray->GetSize() - 1; i >= 0; --i)
    {
        PXObject* pOb = m_pNotifArray->GetAt(i);
        m_pNotifArray->RemoveAt(i);
        if (!IsListed(m_pInWork, pOb))
            delete pOb;
    }
    PXASSERT(m_pQueue->IsEmpty());
    PXASSERT(m_pNotifArray->GetSize()==0);
}

void PXSoftDlg::ProcessOne(PXNotification* pN)
{
    if (pN->GetCode() == PXN_READY)
    {
        if (GetApp())
            GetApp()->AttachView(m_pDialog);
        m_bReady = TRUE;
        SetupControls();
        TransferToControls(FieldToCtrl);
        m_bTransferred = TRUE;
        // The transfers' notifications are done with. One still queued (a
        // set-up posted it and no transfer drained the queue) is not: this
        // drain takes it next, and the cycle's clean-up deletes it.
        for (int i = m_pNotifArray->GetSize() - 1; i >= 0; --i)
        {
            PXObject* pOb = m_pNotifArray->GetAt(i);
            if (IsListed(m_pQueue, pOb))
                continue;
            m_pNotifArray->RemoveAt(i);
            if (!IsListed(m_pInWork, pOb))
                delete pOb;
        }
    }
    if (!m_bReady)
        return;
    PXSoftCtrl* pCtrl = GetSoftCtrl(pN->GetCtrlID());
    if (!pCtrl)
        return;
    PXSoftCtrl* pGroup = GetGroupCtrl(pN->GetCtrlID());
    pCtrl->PreNotify(pN);
    if (pGroup)
        pGroup->PreNotify(pN);
    if (m_bTransferred)
        pCtrl->SyncToField();
    HandleNotification(pN);
    pCtrl->PostNotify(pN);
    if (pGroup)
        pGroup->PostNotify(pN);
}

void PXSoftDlg::ProcessQueue()
{
    ++m_nDepth;
    try
    {
        while (!m_pQueue->IsEmpty())
        {
            PXNotification* pN = static_cast<PXNotification*>(m_pQueue->Dequeue());
            if (!m_pInWork->Add(pN))
                PXTHROW_XMEM(IDS_SDO_NEWSOFTDLG);
            try
            {
                ProcessOne(pN);
            }
            catch (...)
            {
                Unlist(m_pInWork, pN);
                if (!IsListed(m_pNotifArray, pN))
                    delete pN;
                throw;
            }
            Unlist(m_pInWork, pN);
            // A ready notification, or one a nested clean-up took off the
            // list, is this drain's to delete.
            if (pN->GetCode() == PXN_READY)
                Unlist(m_pNotifArray, pN);
            if (!IsListed(m_pNotifArray, pN))
                delete pN;
        }
    }
    catch (...)
    {
        // A cycle that failed is over: what it left queued is dropped.
        if (--m_nDepth == 0)
        {
            while (!m_pQueue->IsEmpty())
                m_pQueue->Dequeue();
            CleanUpCycle();
        }
        throw;
    }
    --m_nDepth;
    CleanUpCycle();
}

void PXSoftDlg::HandleNotification(PXNotification* pNotification)
{
    PXNotifStatement probe;
    probe.SetType(PXTOK_NOTIF);
    probe.SetParam(0, pNotification->GetCtrlID());
    probe.SetParam(1, pNotification->GetCode());
    PXSection* pSection = m_pSoftDlgDef->FindSection(PXSECT_NOTIFICATION, probe);
    if (!pSection)
        return;
    PXStatementPos* pPos = nullptr;
    pSection->GetFirstPos(PXKIND_BODY, m_pRec, pPos, TRUE);
    try
    {
        while (pPos)
        {
            RunStatement(pSection->GetStatementAt(PXKIND_BODY, pPos));
            pSection->GetNextPos(PXKIND_BODY, m_pRec, pPos);
        }
    }
    catch (...)
    {
        delete pPos;
        throw;
    }
}

void PXSoftDlg::RunStatement(PXStatement* pS)
{
    switch (pS->GetType())
    {
    case PXTOK_REACTION:
    {
        WORD wTarget = pS->GetParam(0);
        if (wTarget == GetDefId())
        {
            PXASSERT(pS->GetParam(1)==PXREACT_SETTEXT);
            CString text;
            text.LoadString(pS->GetOptParam(0));
            ::SetWindowTextA(GetDlgHWND(), text);
            PostNotification(GetDefId(), PXN_CHANGED, nullptr);
            break;
        }
        // A target that names neither a soft control nor a window of the
        // template has nothing to react.
        PXSoftCtrl* pCtrl = GetSoftCtrl(wTarget);
        if (pCtrl)
            pCtrl->React(this, pS);
        break;
    }
    case PXTOK_EXTENSION:
        CallExtension(pS->GetParam(0), m_pRec, nullptr);
        break;
    default:
        PXASSERT(0);
    }
}

PXStatement* PXSoftDlg::GetSoftControlStatement(int i) const
{
    PXSection* pSection = m_pSoftDlgDef->GetSoftControlSection();
    if (!pSection || i >= pSection->GetNbStatements(PXKIND_BODY))
        return nullptr;
    PXStatement* pS = pSection->GetStatement(PXKIND_BODY, i);
    PXASSERT(pS->GetType()==PXTOK_PLAINCTRL||pS->GetType()==PXTOK_GROUPCTRL);
    return pS;
}

void PXSoftDlg::SetupControls()
{
    for (int i = 0; PXStatement* pS = GetSoftControlStatement(i); ++i)
    {
        PXSoftCtrl* pCtrl = GetSoftCtrl(pS->GetParam(0));
        if (pCtrl)
            pCtrl->SetUp();
    }
}

void PXSoftDlg::RefreshControls()
{
    for (int i = 0; PXStatement* pS = GetSoftControlStatement(i); ++i)
    {
        PXSoftCtrl* pCtrl = GetSoftCtrl(pS->GetParam(0));
        if (pCtrl)
            pCtrl->Refresh();
    }
}

int PXSoftDlg::TransferToControls(int nDirection)
{
    PXASSERT(nDirection==FieldToCtrl);
    PXSection* pSection = m_pSoftDlgDef->GetDlgDataLinkSection();
    if (!pSection)
        return 0;
    int nCount = 0;
    int n = pSection->GetNbStatements(PXKIND_BODY);
    for (int i = 0; i < n; ++i)
    {
        PXStatement* pS = pSection->GetStatement(PXKIND_BODY, i);
        if (pS->GetType() != PXTOK_DATALINK)
            continue;
        PXSoftCtrl* pCtrl = GetSoftCtrl(pS->GetParam(0));
        PXASSERT(pCtrl!=0);
        pCtrl->Transfer(FieldToCtrl);
        ProcessQueue();
        ++nCount;
    }
    return nCount;
}

int PXSoftDlg::ValidateControls(int bQuiet)
{
    PXSection* pSection = m_pSoftDlgDef->GetDlgDataLinkSection();
    if (!pSection)
        return 1;
    int n = pSection->GetNbStatements(PXKIND_BODY);
    for (int i = 0; i < n; ++i)
    {
        PXStatement* pS = pSection->GetStatement(PXKIND_BODY, i);
        if (pS->GetType() != PXTOK_DATALINK)
            continue;
        PXSoftCtrl* pCtrl = GetSoftCtrl(pS->GetParam(0));
        PXASSERT(pCtrl!=0);
        if (pCtrl->Validate(bQuiet) != 1)
            return 0;
    }
    return 1;
}

int PXSoftDlg::EndDialog(int nId)
{
    int nResult = 1;
    try
    {
        switch (nId)
        {
        case IDOK:
            nResult = ValidateControls(0) == 1 ? m_pRec->Commit() : 0;
            break;
        case IDCANCEL:
            m_pRec->DropCells();
            nResult = 1;
            break;
        default:
            PXASSERT(0);
        }
    }
    catch (...)
    {
        if (GetApp())
            GetApp()->DetachView(m_pDialog);
        throw;
    }
    if (GetApp())
        GetApp()->DetachView(m_pDialog);
    return nResult;
}

void PXSoftDlg::SetRecordSetCheck(WORD wCtrlId, int nKind, short sValue)
{
    PXStatement* pLink = GetDataLink(wCtrlId);
    PXASSERT(pLink!=0);
    PXASSERT(pLink->HasStyle(0x0002));
    PXMultiLineStatement* pBlock = static_cast<PXMultiLineStatement*>(pLink);
    PXASSERT(pBlock->GetNbStatements(PXKIND_BODY)==2);
    PXStatement* pFirst = pBlock->GetStatement(PXKIND_BODY, 0);
    PXStatement* pLast = pBlock->GetStatement(PXKIND_BODY, 1);
    PXASSERT(pFirst->GetType()==PXTOK_PARAM&&pLast->GetType()==PXTOK_PARAM);
    PXASSERT(nKind==1);

    PXFieldValue list(pFirst->GetParam(0), m_pRec);
    PXRecArray edit(list.GetRecArray());
    int nIndex = PXFindRecIndexByStringId(pFirst->GetOptParam(0), pFirst->GetOptParam(1), edit);
    PXASSERT(nIndex!=-1);
    PXFieldValue(pLast->GetParam(0), edit.GetAt(nIndex)).SetInt16(sValue);
    list.SetRecArray(edit);
}

// ---------------------------------------------------------------------------
// Windows

HWND PXSoftDlg::GetDlgHWND() const
{
    PXASSERT(m_pDialog!=0);
    HWND hWnd = m_pDialog->HWindow;
    PXASSERT(::IsWindow(hWnd));
    return hWnd;
}

HWND PXSoftDlg::GetCtrlHWND(WORD wCtrlId) const
{
    HWND hWnd = ::GetDlgItem(GetDlgHWND(), wCtrlId);
    PXASSERT(::IsWindow(hWnd));
    return hWnd;
}

BOOL PXSoftDlg::WinCtrlHasStyle(WORD wCtrlId, DWORD dwMask) const
{
    return WinCtrlHasStyle(GetCtrlHWND(wCtrlId), dwMask);
}

BOOL PXSoftDlg::WinCtrlHasStyle(HWND hWnd, DWORD dwMask)
{
    PXASSERT(dwMask!=0);
    DWORD dwStyle = static_cast<DWORD>(::GetWindowLongA(hWnd, GWL_STYLE));
    return (dwStyle & dwMask) == dwMask;
}

void PXSoftDlg::ShowHelp() const
{
    if (GetApp())
        GetApp()->ShowHelp(m_dwHelpId);
}

// ---------------------------------------------------------------------------
// The notifier

void PXNotifier::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg)
    {
    case WM_NOTIFY:
    {
        NMHDR* pHdr = reinterpret_cast<NMHDR*>(lParam);
        if (!pHdr)
            return;
        switch (static_cast<int>(pHdr->code))
        {
        case static_cast<int>(PSN_QUERYCANCEL):
        case static_cast<int>(PSN_RESET):
        case static_cast<int>(PSN_APPLY):
            return;
        case static_cast<int>(PSN_HELP):
            ShowHelp();
            return;
        case static_cast<int>(PSN_KILLACTIVE):
        case static_cast<int>(PSN_SETACTIVE):
            PostAndProcess(static_cast<int>(pHdr->code), m_pSoftDlg->GetDefId(), nullptr);
            return;
        default:
            PostAndProcess(WM_NOTIFY, static_cast<WORD>(pHdr->idFrom), pHdr);
            return;
        }
    }
    case WM_INITDIALOG:
        PostAndProcess(WM_INITDIALOG, m_pSoftDlg->GetDefId(), nullptr);
        return;
    case WM_COMMAND:
        PostAndProcess(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<void*>(lParam));
        return;
    case PXWM_APPNOTIFY:
        if (PXSoftObj::GetApp() && PXSoftObj::GetApp()->HasAttachedView())
            PostAndProcess(PXN_APPNOTIFY, PXAPPNOTIFY_CTRLID, reinterpret_cast<void*>(lParam));
        return;
    default:
        return;
    }
}

BOOL PXNotifier::Accept(int nKind, WORD wCtrlId, void* pData)
{
    if (m_bBusy)
        return FALSE;
    if (wCtrlId == m_pSoftDlg->GetDefId())
    {
        switch (nKind)
        {
        case static_cast<int>(PSN_KILLACTIVE):
            m_bActive = FALSE;
            return FALSE;
        case static_cast<int>(PSN_SETACTIVE):
            if (m_bActive)
                return FALSE;
            m_bActive = TRUE;
            return TRUE;
        case WM_INITDIALOG:
            m_bActive = TRUE;
            return TRUE;
        default:
            return FALSE;
        }
    }
    PXSoftCtrl* pGroup = m_pSoftDlg->GetGroupCtrl(wCtrlId);
    if (pGroup)
    {
        int nAnswer = pGroup->AcceptMessage(wCtrlId, nKind, pData);
        if (nAnswer == 1)
            return TRUE;
        if (nAnswer == 0)
            return FALSE;
    }
    PXSoftCtrl* pCtrl = m_pSoftDlg->GetSoftCtrl(wCtrlId);
    return pCtrl && pCtrl->AcceptMessage(wCtrlId, nKind, pData) == 1;
}

void PXNotifier::Translate(int nKind, PXNotification& rN, void* pData)
{
    if (rN.GetCtrlID() == m_pSoftDlg->GetDefId())
    {
        PXASSERT(nKind==static_cast<int>(PSN_SETACTIVE)||nKind==WM_INITDIALOG);
        rN.SetCode(PXN_READY);
        return;
    }
    switch (nKind)
    {
    case BN_CLICKED:
    {
        HWND hCtrl = m_pSoftDlg->GetCtrlHWND(rN.GetCtrlID());
        // The button's type is a number, not a set of bits: group boxes
        // and owner-drawn buttons share bits with the check boxes.
        DWORD dwType = static_cast<DWORD>(::GetWindowLongA(hCtrl, GWL_STYLE)) & BS_TYPEMASK;
        if (dwType == BS_AUTOCHECKBOX)
            rN.SetCode(::SendMessageA(hCtrl, BM_GETCHECK, 0, 0) == 1 ? PXN_CHECKED : PXN_UNCHECKED);
        else
        {
            // Three-state check boxes are not supported.
            PXASSERT(dwType!=BS_AUTO3STATE);
            rN.SetCode(PXN_CLICKED);
        }
        break;
    }
    case 1:
    case EN_CHANGE:
        rN.SetCode(PXN_CHANGED);
        break;
    case EN_SETFOCUS:
        rN.SetCode(PXN_SETFOCUS);
        break;
    case EN_KILLFOCUS:
        rN.SetCode(PXN_KILLFOCUS);
        break;
    case WM_NOTIFY:
    {
        NMHDR* pHdr = static_cast<NMHDR*>(pData);
        rN.SetCode(0);
        if (!pHdr)
            break;
        switch (static_cast<int>(pHdr->code))
        {
        case static_cast<int>(LVN_GETDISPINFOA):
            rN.SetCode(PXN_DISPINFO);
            rN.SetData(pHdr);
            break;
        case static_cast<int>(LVN_COLUMNCLICK):
            rN.SetCode(PXN_COLUMNCLICK);
            rN.SetData(pHdr);
            break;
        case static_cast<int>(LVN_ITEMCHANGED):
            if (reinterpret_cast<NMLISTVIEW*>(pHdr)->uChanged == LVIF_STATE)
                rN.SetCode(PXN_ITEMCHANGED);
            break;
        case static_cast<int>(NM_DBLCLK):
            rN.SetCode(PXN_DOUBLECLICK);
            break;
        default:
            break;
        }
        break;
    }
    case PXN_APPNOTIFY:
        rN.SetCode(PXN_APPNOTIFY);
        rN.SetData(pData);
        break;
    default:
        rN.SetCode(static_cast<WORD>(nKind));
        break;
    }
}

void PXNotifier::PostAndProcess(int nKind, WORD wCtrlId, void* pData)
{
    if (!Accept(nKind, wCtrlId, pData))
        return;
    PXNotification* pN = new (std::nothrow) PXNotification;
    if (!pN)
        PXTHROW_XMEM(IDS_SDO_NEWSOFTDLG);
    pN->SetCtrlID(wCtrlId);
    try
    {
        Translate(nKind, *pN, pData);
    }
    catch (...)
    {
        delete pN;
        throw;
    }
    m_bBusy = TRUE;
    try
    {
        m_pSoftDlg->PostNotification(pN);
        m_pSoftDlg->ProcessQueue();
    }
    catch (...)
    {
        m_bBusy = FALSE;
        throw;
    }
    m_bBusy = FALSE;
}

void PXNotifier::ShowHelp()
{
    m_pSoftDlg->ShowHelp();
}

// ---------------------------------------------------------------------------
// The window of a stand-alone soft dialog

PXDialog::PXDialog(TWindow* pParent, WORD wTemplateId, PXSoftDlg* pSoftDlg)
    : TDialog(pParent, TResId(wTemplateId)), PXNotifier(pSoftDlg)
{
}

void PXDialog::SetupWindow()
{
    TDialog::SetupWindow();
    // Centred on the desktop; size and Z order stay.
    RECT rcDesk;
    ::GetWindowRect(::GetDesktopWindow(), &rcDesk);
    RECT rc = GetWindowRect();
    int x = ::MulDiv(rcDesk.right - rcDesk.left, 1, 2) - ::MulDiv(rc.right - rc.left, 1, 2);
    int y = ::MulDiv(rcDesk.bottom - rcDesk.top, 1, 2) - ::MulDiv(rc.bottom - rc.top, 1, 2);
    ::SetWindowPos(HWindow, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT PXDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COMMAND && HIWORD(wParam) == 0)
    {
        WORD wId = LOWORD(wParam);
        if (wId == IDOK || wId == IDCANCEL)
        {
            if (!m_pSoftDlg->EndDialog(wId))
                return 0;
            // The record is committed or its cells dropped: what the
            // controls still send while the window closes (a combo box
            // losing the focus) must not write into it again.
            m_bBusy = TRUE;
            return TDialog::WindowProc(msg, wParam, lParam);
        }
        if (wId == IDHELP)
            ShowHelp();
    }
    LRESULT r = TDialog::WindowProc(msg, wParam, lParam);
    OnMessage(msg, wParam, lParam);
    return r;
}

// ---------------------------------------------------------------------------
// Editing a record in its dialog

PXSoftDlg* PXSoftRecDef::CreateSoftDlg(PXSoftRec* pRec, WORD wDlgId, WORD wHelpId) const
{
    if (wDlgId == 0)
    {
        wDlgId = GetSoftDlgID();
        wHelpId = GetHelpID();
    }
    else
    {
        WORD nHelpID = wHelpId;
        PXASSERT(nHelpID!=0);
    }
    PXSoftDlg* pSoftDlg = new (std::nothrow) PXSoftDlg(wDlgId, pRec, wHelpId);
    if (!pSoftDlg)
        PXTHROW_XMEM(IDS_SDO_NEWSOFTDLG);
    return pSoftDlg;
}

int PXSoftRec::EditInDialog(WORD wDlgId, WORD wHelpId)
{
    PXSoftDlg* pSoftDlg = GetDef()->CreateSoftDlg(this, wDlgId, wHelpId);
    int nResult;
    try
    {
        SetModified();
        nResult = pSoftDlg->Execute(1);
    }
    catch (...)
    {
        delete pSoftDlg;
        throw;
    }
    delete pSoftDlg;
    return nResult;
}
