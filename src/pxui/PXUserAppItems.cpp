// User applications: their voice and fax items added to and deleted from
// the server, the voice part of a fax item taken away, and the spoken name.
// After each change on the server the program is saved locally and stays
// modified, so that the application is still offered for saving.
#include "PXUserApp.h"
#include "PXAppLink.h"
#include "PXFieldValue.h"
#include "PXUIRes.h"
#include "Program.h"

#include <stdio.h>
#include <string.h>

namespace {

const DWORD PXCAUSE_SERVER = 0x10000000;
const short SPOKEN_NAME_ID = 9999;
const char kSpokenName[] = "Spoken name";

void ReportItem(int nResult, UINT nMsgId, const char* pszFile, int nLine)
{
    switch (nResult)
    {
    case PXRC_SERVER_DISK_FULL: nMsgId = IDS_UI_SERVERDISKFULL; break;
    case PXRC_DATABASE_FULL: nMsgId = IDS_UI_DATABASEFULL; break;
    case PXRC_MISA_FULL: nMsgId = IDS_UI_MISAFULL; break;
    default: break;
    }
    PXArgList message(nMsgId);
    PXGetWinApp()->Report(PXCAUSE_SERVER, PXICON_EXCLAMATION, PXBTN_OK, PXANS_OK, &message, nullptr, 0, pszFile,
                          nLine);
}

// The record the library takes: the name and the description cut to their
// fields.
void FillItemInfo(PXItemInfo& rInfo, const char* pszName, int nId, int nKind, const char* pszDescription)
{
    memset(&rInfo, 0, sizeof(rInfo));
    rInfo.itemid = static_cast<unsigned short>(nId);
    rInfo.itemkind = static_cast<unsigned short>(nKind);
    lstrcpynA(rInfo.itemname, pszName ? pszName : "", sizeof(rInfo.itemname));
    lstrcpynA(rInfo.itemdescr, pszDescription ? pszDescription : "", sizeof(rInfo.itemdescr));
}

} // namespace

int PXUserApp::ManipulateItem(int nOperation, int nKind, const char* pszName, int nId, const char* pszDescription,
                              UINT nFailMsgId)
{
    PXItemInfo info;
    FillItemInfo(info, pszName, nId, nKind, pszDescription);
    int nResult = PXAppLink().pfnManipulateItem(1, *PXFieldValue(PXFIELD_USER_APP_ID, this).GetInt32(),
                                                nOperation, &info);
    if (nResult != 0)
    {
        ReportItem(nResult, nFailMsgId, __FILE__, __LINE__);
        return nResult;
    }
    SaveAfterItemChange();
    return 0;
}

void PXUserApp::SaveAfterItemChange()
{
    if (!m_pProgram)
        return;
    Save(0);
    m_pProgram->SetModified();
}

int PXUserApp::AddVoiceItemOnServer(CString name, int nId, CString description)
{
    return ManipulateItem(PX_ITEM_ADD, PX_ITEMKIND_VOICE, name, nId, description, IDS_UI_VOICEITEMNOTADDED);
}

int PXUserApp::DeleteVoiceItemOnServer(CString name, int nId, CString description)
{
    return ManipulateItem(PX_ITEM_DELETE, PX_ITEMKIND_VOICE, name, nId, description, IDS_UI_VOICEITEMNOTDELETED);
}

int PXUserApp::AddFaxItemOnServer(CString name, int nId, CString description)
{
    return ManipulateItem(PX_ITEM_ADD, PX_ITEMKIND_FAX, name, nId, description, IDS_UI_FAXITEMNOTADDED);
}

int PXUserApp::DeleteFaxItemOnServer(CString name, int nId, CString description)
{
    return ManipulateItem(PX_ITEM_DELETE, PX_ITEMKIND_FAX, name, nId, description, IDS_UI_FAXITEMNOTDELETED);
}

int PXUserApp::DeleteFaxItemVoice(PXSoftRec* pFaxItem)
{
    PXASSERT(pFaxItem!=0);
    if (!pFaxItem)
        return PXRC_FAILURE;
    return ManipulateItem(PX_ITEM_RESETVOICE, PX_ITEMKIND_FAX, *PXFieldValue(PXFIELD_FAX_ITEM_NAME, pFaxItem).GetText(),
                          *PXFieldValue(PXFIELD_FAX_ITEM_ID, pFaxItem).GetInt16(),
                          *PXFieldValue(PXFIELD_FAX_ITEM_DESCRIPTION, pFaxItem).GetText(), IDS_UI_FAXITEMNOTDELETED);
}

void PXUserApp::AddSpokenName()
{
    PXItemInfo info;
    FillItemInfo(info, kSpokenName, SPOKEN_NAME_ID, PX_ITEMKIND_VOICE, kSpokenName);
    int nResult = PXAppLink().pfnManipulateItem(1, *PXFieldValue(PXFIELD_USER_APP_ID, this).GetInt32(), PX_ITEM_ADD,
                                                &info);
    if (nResult != 0)
    {
        ReportItem(nResult, IDS_UI_VOICEITEMNOTADDED, __FILE__, __LINE__);
        return;
    }
    char szPath[512];
    snprintf(szPath, sizeof(szPath), "%s\\_R%d",
             static_cast<const char*>(*PXFieldValue(PXFIELD_USER_APP_MISA_FILE_PATH, this).GetText()), SPOKEN_NAME_ID);
    PXFieldValue(PXFIELD_USER_APP_SPOKEN_NAME_RECORDED, this).SetText(PXTEXT_YES);
    PXFieldValue(PXFIELD_USER_APP_SPOKEN_NAME, this).SetText(szPath);
    Commit();
    SaveAfterItemChange();
}

BOOL PXUserApp::IsSpokenNameRecorded()
{
    return *PXFieldValue(PXFIELD_USER_APP_SPOKEN_NAME_RECORDED, this).GetText() != PXTEXT_NO;
}
