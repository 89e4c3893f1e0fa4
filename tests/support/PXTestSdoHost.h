// A host of the soft-data layer for tests that stand in for the application
// controller: every service answers as a controller without an active
// application and without a server would, quietly; a test overrides what it
// watches. For tests that link the soft-data layer (pxsdo).
#ifndef PXTESTSDOHOST_H
#define PXTESTSDOHOST_H

#include "PXSdoHost.h"

class PXTestSdoHost : public PXSdoHost
{
public:
    HINSTANCE GetInstance() const override { return GetModuleHandleA(nullptr); }
    BOOL IsStandalone() const override { return TRUE; }
    short GetCustomerProfile() override { return 0; }
    void GetFieldValue(WORD, PXFieldValue&) override {}
    void AttachView(void*) override {}
    void DetachView(void*) override {}
    BOOL HasAttachedView() const override { return FALSE; }
    void ShowHelp(DWORD) override {}
    int RecordVoiceItem(PXSoftRec*) override { return -1; }
    int ImportVoiceItem(PXSoftRec*) override { return -1; }
    int ImportFaxItem(PXSoftRec*) override { return -1; }
    int RecordFaxItemVoice(PXSoftRec*) override { return -1; }
    int ImportFaxItemVoice(PXSoftRec*) override { return -1; }
    int RecordSpokenName(PXSoftRec*) override { return -1; }
    int ImportSpokenName(PXSoftRec*) override { return -1; }
    int DeleteFaxItemVoice(PXSoftRec*) override { return -1; }
    void AddVoiceItemRef(short) override {}
    void ReleaseVoiceItemRef(short) override {}
    void AddFaxItemRef(short) override {}
    void ReleaseFaxItemRef(short) override {}
    int CopyVoiceItemToClipByID(short) override { return -1; }
    int CopyFaxItemToClipByID(short) override { return -1; }
    int CopyResPermToClipByID(long) override { return -1; }
    int SelectImport(long) override { return -1; }
    int RemoveListEntry(long) override { return -1; }
    int RefreshResPermList() override { return -1; }
    int RefreshImportList() override { return -1; }
    void FreeServerRecord() override {}
    BOOL HasServerLists() override { return FALSE; }
    int FindResPermList(long) override { return -1; }
    int FindLanguage(long) override { return -1; }
};

#endif
