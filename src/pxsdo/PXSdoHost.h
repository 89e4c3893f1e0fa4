// What the soft-data layer asks of the application controller: the module
// definitions come from, the lists that controls show, the attached view
// and help, the application extensions that definitions run, and what the
// records over blocks' variables need (uses of the active application's
// items and lists, the clipboard application, the server's lists). The
// controller implements it and registers itself (PXSoftObj::Init); the
// layer never sees the controller's own class.
#ifndef PXSDOHOST_H
#define PXSDOHOST_H

#include "PXafx.h"

class PXFieldValue;
class PXSoftRec;

class PXSdoHost
{
public:
    virtual ~PXSdoHost() {}

    // The program's own module, from which definitions, icons and image
    // lists are loaded.
    virtual HINSTANCE GetInstance() const = 0;
    virtual BOOL IsStandalone() const = 0;
    // The customer's minimum password length; 0 when the server does not
    // answer.
    virtual short GetCustomerProfile() = 0;
    // Points the handle at the record and field that hold the named list;
    // no record when the list's owner is not there.
    virtual void GetFieldValue(WORD wListId, PXFieldValue& rFieldValue) = 0;

    // The window of the soft dialog that is up, and the program's help.
    virtual void AttachView(void* pView) = 0;
    virtual void DetachView(void* pView) = 0;
    virtual BOOL HasAttachedView() const = 0;
    virtual void ShowHelp(DWORD dwContext) = 0;

    // Application extensions 32000..32007 on the context record: 0 done,
    // 1 after a reported failure or a refused confirmation, -1 without an
    // active application, without a chosen file or after a failed deletion.
    virtual int RecordVoiceItem(PXSoftRec* pContext) = 0;
    virtual int ImportVoiceItem(PXSoftRec* pContext) = 0;
    virtual int ImportFaxItem(PXSoftRec* pContext) = 0;
    virtual int RecordFaxItemVoice(PXSoftRec* pContext) = 0;
    virtual int ImportFaxItemVoice(PXSoftRec* pContext) = 0;
    virtual int RecordSpokenName(PXSoftRec* pContext) = 0;
    virtual int ImportSpokenName(PXSoftRec* pContext) = 0;
    virtual int DeleteFaxItemVoice(PXSoftRec* pContext) = 0;

    // Uses of the active application's items by blocks.
    virtual void AddVoiceItemRef(short sId) = 0;
    virtual void ReleaseVoiceItemRef(short sId) = 0;
    virtual void AddFaxItemRef(short sId) = 0;
    virtual void ReleaseFaxItemRef(short sId) = 0;
    // Copies into the clipboard application.
    virtual int CopyVoiceItemToClipByID(short sId) = 0;
    virtual int CopyFaxItemToClipByID(short sId) = 0;
    virtual int CopyResPermToClipByID(long lListId) = 0;
    // Uses of restriction/permission lists, and the refreshes after a
    // block's lists or language changed.
    virtual int SelectImport(long lListId) = 0;
    virtual int RemoveListEntry(long lListId) = 0;
    virtual int RefreshResPermList() = 0;
    virtual int RefreshImportList() = 0;
    virtual void FreeServerRecord() = 0;
    // Whether the server's restriction/permission lists and languages are
    // known. Only then does a find below 0 mean that the server lacks the
    // list or language; without a server (standalone mode) or before its
    // lists came, a block's settings must stay as they are.
    virtual BOOL HasServerLists() = 0;
    // Index of the list or language among the server's, -1 when absent or
    // when the server's lists are not known.
    virtual int FindResPermList(long lListId) = 0;
    virtual int FindLanguage(long lLanguageId) = 0;

    // The server's application lists behind the application file chooser:
    // fetches the named list from the server again, and hands the data of
    // an application notification to the list's owner. Without a server
    // session there is nothing to fetch or tell.
    virtual void ReloadServerRecord(WORD wListId) { (void)wListId; }
    virtual void SetServerRecordParam(WORD wListId, void* pData)
    {
        (void)wListId;
        (void)pData;
    }
};

#endif
