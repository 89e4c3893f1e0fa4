// The server record: the server's lists read through the client library
// into plain row records.
#include "PXServerRec.h"
#include "PXOwnedList.h"
#include "PXAppLink.h"
#include "PXFieldValue.h"
#include "PXRecArray.h"
#include "PXUIRes.h"
#include "PXUIReport.h"
#include "PXUserApp.h"
#include "PXWinApp.h"

#include <string.h>

#include <new>
#include <string>

namespace {

const DWORD PXCAUSE_LISTS = 0x400;

// A text member of a row: at most its size, terminated or not.
CString RowText(const char* pMember, size_t cbMember)
{
    size_t n = 0;
    while (n < cbMember && pMember[n] != '\0')
        ++n;
    return CString(std::string(pMember, n).c_str());
}

#define ROW_TEXT(member) RowText((member), sizeof(member))

PXSoftRecMem* NewRow(WORD wType)
{
    return new PXSoftRecMem(wType);
}

} // namespace

const char* const PXServerRec::s_apszPromptNames[17] = {
    "<beep>",
    "<beep> Selection not recognized",
    "<beep> Please make another choice",
    "Please try again",
    "For help, press star",
    "For more information, press star",
    "Transferring to an attendant",
    "<beep> No operator is available",
    "Please contact your administrator",
    "<beep> That number is busy, try later",
    "<beep> Number cannot be reached",
    "<beep> Your call cannot be completed",
    "<beep> Invalid password",
    "<beep> Invalid password, try again",
    "<beep> Invalid password, transferring",
    "Maximum fax selections reached",
    "Goodbye",
};

PXServerRec::PXServerRec(int nMode)
    : PXSoftRecDataLink(PXREC_SERVER), m_nMode(nMode), m_pApps(nullptr), m_pPrompts(nullptr),
      m_pResPerms(nullptr), m_pLanguages(nullptr), m_pVolumes(nullptr)
{
    try
    {
        m_pApps = PXNewOwnedList();
        m_pPrompts = PXNewOwnedList();
        m_pResPerms = PXNewOwnedList();
        m_pLanguages = PXNewOwnedList();
        m_pVolumes = PXNewOwnedList();

        for (int i = 0; i < 17; ++i)
        {
            PXSoftRecMem* pRow = NewRow(PXREC_SYSTEM_PROMPT_ROW);
            PXFieldValue(PXFIELD_SYSTEM_PROMPT_ROW_NAME, pRow).SetText(s_apszPromptNames[i]);
            pRow->Commit();
            m_pPrompts->InsertAt(i, pRow, 1);
        }
        PXRecArray prompts(m_pPrompts);
        PXFieldValue(PXFIELD_SERVER_SYSTEM_PROMPTS, this).SetRecArray(prompts);

        const PXAppLinkCalls& link = PXAppLink();
        PXResPermRow* pLists = nullptr;
        if (link.pfnResPermToDisplay(&pLists) == 0)
        {
            for (PXResPermRow* p = pLists; p && p->rplid != 0; ++p)
            {
                PXSoftRecMem* pRow = NewRow(PXREC_RESPERM_LIST_ROW);
                PXFieldValue(PXFIELD_RESPERM_LIST_ROW_LISTID, pRow).SetInt32(p->rplid);
                PXFieldValue(PXFIELD_RESPERM_LIST_ROW_NAME, pRow).SetText(ROW_TEXT(p->rplname));
                pRow->Commit();
                m_pResPerms->Add(pRow);
            }
            link.pfnFreeAllocatedMemory(pLists);
            PXRecArray lists(m_pResPerms);
            PXFieldValue(PXFIELD_SERVER_RESPERM_LISTS, this).SetRecArray(lists);
        }
        else if (nMode == -1)
            PXUI_REPORT(IDS_UI_NORESPERMLIST, PXCAUSE_LISTS);

        PXLanguageRow* pLanguages = nullptr;
        if (link.pfnLanguagesToDisplay(&pLanguages) == 0)
        {
            for (PXLanguageRow* p = pLanguages; p && p->customerid != 0; ++p)
            {
                PXSoftRecMem* pRow = NewRow(PXREC_LANGUAGE_ROW);
                PXFieldValue(PXFIELD_LANGUAGE_ROW_GLOBAL_LANGUAGE_ID, pRow).SetInt32(p->vpromptlangid);
                PXFieldValue(PXFIELD_LANGUAGE_ROW_LOCAL_LANGUAGE_ID, pRow).SetInt32(p->locallangid);
                PXFieldValue(PXFIELD_LANGUAGE_ROW_CUSTOMER_ID, pRow).SetInt32(p->customerid);
                PXFieldValue(PXFIELD_LANGUAGE_ROW_CUSTOMER_LANGUAGE_NAME, pRow).SetText(ROW_TEXT(p->locallangname));
                PXFieldValue(PXFIELD_LANGUAGE_ROW_MODIFICATION_NUMBER, pRow).SetInt32(p->modnum);
                pRow->Commit();
                m_pLanguages->Add(pRow);
            }
            link.pfnFreeAllocatedMemory(pLanguages);
            PXRecArray languages(m_pLanguages);
            PXFieldValue(PXFIELD_SERVER_LANGUAGES, this).SetRecArray(languages);
        }
        else if (nMode == -1)
            PXUI_REPORT(IDS_UI_NOLANGUAGELIST, PXCAUSE_LISTS);

        PXVolumeRow* pVolumes = nullptr;
        if (link.pfnVolumeToDisplay(&pVolumes) == 0)
        {
            for (PXVolumeRow* p = pVolumes; p && p->volumenum != 0; ++p)
            {
                PXSoftRecMem* pRow = NewRow(PXREC_VOLUME_ROW);
                PXFieldValue(PXFIELD_VOLUME_ROW_VOLUME_ID, pRow).SetInt32(p->volumenum);
                PXFieldValue(PXFIELD_VOLUME_ROW_VOLUME_NAME, pRow).SetText(ROW_TEXT(p->volumetext));
                pRow->Commit();
                m_pVolumes->Add(pRow);
            }
            link.pfnFreeAllocatedMemory(pVolumes);
            PXRecArray volumes(m_pVolumes);
            PXFieldValue(PXFIELD_SERVER_VOLUMES, this).SetRecArray(volumes);
        }
        else if (nMode != -1 && nMode < 2300)
            PXUI_REPORT(IDS_UI_NOVOLUMELIST, PXCAUSE_LISTS);

        Commit();
    }
    catch (...)
    {
        DropCells();
        PXDeleteOwnedList(m_pApps);
        PXDeleteOwnedList(m_pLanguages);
        PXDeleteOwnedList(m_pResPerms);
        PXDeleteOwnedList(m_pPrompts);
        PXDeleteOwnedList(m_pVolumes);
        throw;
    }
}

PXServerRec::~PXServerRec()
{
    DropCells();
    PXDeleteOwnedList(m_pApps);
    PXDeleteOwnedList(m_pLanguages);
    PXDeleteOwnedList(m_pResPerms);
    PXDeleteOwnedList(m_pPrompts);
    PXDeleteOwnedList(m_pVolumes);
}

void* PXServerRec::GetFieldMem(WORD wFieldId)
{
    PrepareField(wFieldId);
    switch (wFieldId)
    {
    case PXFIELD_SERVER_VOLUMES: return m_pVolumes;
    case PXFIELD_SERVER_APPS: return m_pApps;
    case PXFIELD_SERVER_SYSTEM_PROMPTS: return m_pPrompts;
    case PXFIELD_SERVER_RESPERM_LISTS: return m_pResPerms;
    case PXFIELD_SERVER_LANGUAGES: return m_pLanguages;
    default:
        PXASSERT(0);
        return nullptr;
    }
}

int PXServerRec::StoreField(WORD wFieldId)
{
    switch (wFieldId)
    {
    case PXFIELD_SERVER_VOLUMES:
    case PXFIELD_SERVER_SYSTEM_PROMPTS:
    case PXFIELD_SERVER_RESPERM_LISTS:
    case PXFIELD_SERVER_LANGUAGES:
        return 1;
    case PXFIELD_SERVER_APPS:
        return PXCommitListField(this, wFieldId);
    default:
        PXASSERT(0);
        return 0;
    }
}

void PXServerRec::AddApplications(PXAppListRow* pRows, int nStart)
{
    int nAt = nStart;
    for (PXAppListRow* p = pRows; p && p->customerid != 0 && p->appprofid != 0; ++p)
        m_pApps->InsertAt(nAt++, new PXUserApp(p), 1);
}

void PXServerRec::LoadApplications()
{
    PXWinApp* pApp = GetWinApp();
    PXUserApp* pActive = pApp ? pApp->GetActiveUserApp() : nullptr;
    long lActiveId = pActive ? *PXFieldValue(PXFIELD_USER_APP_ID, pActive).GetInt32() : 0;
    PXAppListRow* pRows = nullptr;
    const PXAppLinkCalls& link = PXAppLink();
    if (link.pfnFilesToDisplay(&pRows, m_nMode, 1, lActiveId) != 0)
    {
        PXUI_REPORT(IDS_UI_NOAPPLIST, PXCAUSE_LISTS);
        return;
    }
    AddApplications(pRows, 0);
    link.pfnFreeAllocatedMemory(pRows);
    PXRecArray apps(m_pApps);
    PXFieldValue(PXFIELD_SERVER_APPS, this).SetRecArray(apps);
    Commit();
}

void PXServerRec::LoadPumpFiles(int nStart)
{
    PXAppListRow* pRows = nullptr;
    const PXAppLinkCalls& link = PXAppLink();
    if (link.pfnFilesToPump(&pRows) != 0)
    {
        PXUI_REPORT(IDS_UI_NOAPPLIST, PXCAUSE_LISTS);
        return;
    }
    if (nStart < 0 || nStart > m_pApps->GetSize())
        nStart = m_pApps->GetSize();
    AddApplications(pRows, nStart);
    link.pfnFreeAllocatedMemory(pRows);
    PXRecArray apps(m_pApps);
    PXFieldValue(PXFIELD_SERVER_APPS, this).SetRecArray(apps);
    Commit();
}

int PXServerRec::FindResPermList(long lListId)
{
    if (!m_pResPerms)
        return -1;
    PXRecArray lists(m_pResPerms);
    return PXFindRecIndexByInt(PXFIELD_RESPERM_LIST_ROW_LISTID, lListId, lists);
}

int PXServerRec::FindLanguage(long lLocalLanguageId)
{
    if (!m_pLanguages)
        return -1;
    PXRecArray languages(m_pLanguages);
    return PXFindRecIndexByInt(PXFIELD_LANGUAGE_ROW_LOCAL_LANGUAGE_ID, lLocalLanguageId, languages);
}
