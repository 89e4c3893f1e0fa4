// User applications: the profile as the client library and the program's
// own copy of the file information hold it, the rows of the server's
// application list, and the local program file.
#include "PXUserApp.h"
#include "PXAppLink.h"
#include "PXFieldValue.h"
#include "Program.h"

#include <stdio.h>
#include <string.h>
#include <time.h>

namespace {

// A text member of a flat record: at most the member's size, whether or not
// it holds a terminator.
CString MemberText(const char* pMember, size_t cbMember)
{
    size_t n = 0;
    while (n < cbMember && pMember[n] != '\0')
        ++n;
    CString strText;
    if (n > 0)
    {
        char* p = strText.GetBuffer(static_cast<int>(n));
        memcpy(p, pMember, n);
        strText.ReleaseBuffer(static_cast<int>(n));
    }
    return strText;
}

#define MEMBER_TEXT(member) MemberText((member), sizeof(member))

// Copies a text into a member, cut to leave room for the terminator; the
// rest of the member is zero.
void SetMember(char* pMember, size_t cbMember, const char* pszText)
{
    memset(pMember, 0, cbMember);
    size_t n = strlen(pszText);
    if (n > cbMember - 1)
        n = cbMember - 1;
    memcpy(pMember, pszText, n);
}

#define SET_MEMBER(member, text) SetMember((member), sizeof(member), (text))

// A broken-down time in the C library's asctime form ("Wed Jan 02
// 02:03:05 1980\n"); a time whose fields are out of range (a row from the
// server may hold anything) gives the empty text rather than whatever a
// library's asctime would make of it.
CString AscTime(const struct tm& t)
{
    static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    if (t.tm_wday < 0 || t.tm_wday > 6 || t.tm_mon < 0 || t.tm_mon > 11 || t.tm_mday < 1 || t.tm_mday > 31
        || t.tm_hour < 0 || t.tm_hour > 23 || t.tm_min < 0 || t.tm_min > 59 || t.tm_sec < 0 || t.tm_sec > 60
        || t.tm_year < -1899 || t.tm_year > 8099)
        return CString();
    char szText[32];
    snprintf(szText, sizeof(szText), "%.3s %.3s%3d %.2d:%.2d:%.2d %d\n", kDays[t.tm_wday], kMonths[t.tm_mon],
             t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, 1900 + t.tm_year);
    return CString(szText);
}

CString NowAscTime()
{
    time_t now = time(nullptr);
    struct tm* pNow = localtime(&now);
    return pNow ? AscTime(*pNow) : CString();
}

long Int32(PXSoftRec* pRec, WORD wField)
{
    return *PXFieldValue(wField, pRec).GetInt32();
}

CString Text(PXSoftRec* pRec, WORD wField)
{
    return *PXFieldValue(wField, pRec).GetText();
}

// A flag field as the server holds it: "Yes" 1, anything else 0; as the
// program's copy holds it: "No" 0, anything else 1.
int FlagForServer(PXSoftRec* pRec, WORD wField)
{
    return Text(pRec, wField) == PXTEXT_YES ? 1 : 0;
}

int FlagForProgram(PXSoftRec* pRec, WORD wField)
{
    return Text(pRec, wField) == PXTEXT_NO ? 0 : 1;
}

} // namespace

PXUserApp::PXUserApp(const PXAppListRow* pRow)
    : PXSoftRecDataLink(PXREC_USER_APP), m_pVoiceItems(nullptr), m_pFaxItems(nullptr), m_pImports(nullptr),
      m_pFunctions(nullptr), m_pResPermItems(nullptr)
{
    PXASSERT(pRow!=0);
    ZeroMemory(m_abStoredPassword, sizeof(m_abStoredPassword));
    try
    {
        CreateLists();
        SetDefaults(pRow ? MEMBER_TEXT(pRow->appname) : CString());
        if (pRow)
        {
            PXFieldValue(PXFIELD_USER_APP_CUSTOMER_NUMBER, this).SetInt32(pRow->customerid);
            PXFieldValue(PXFIELD_USER_APP_ID, this).SetInt32(pRow->appprofid);
            PXFieldValue(PXFIELD_USER_APP_DESCRIPTION, this).SetText(MEMBER_TEXT(pRow->appdescr));
            PXFieldValue(PXFIELD_USER_APP_LOCKING_PC, this).SetText(MEMBER_TEXT(pRow->lockingpc));
            PXFieldValue(PXFIELD_USER_APP_LOCKING_USER, this).SetText(MEMBER_TEXT(pRow->lockinguser));
            PXFieldValue(PXFIELD_USER_APP_MODIFICATION_NUMBER, this).SetInt32(pRow->reserved);
            PXFieldValue(PXFIELD_USER_APP_LOCKING_DATE_TIME, this).SetText(AscTime(pRow->lockingdatetime));
            PXFieldValue(PXFIELD_USER_APP_VOLUME_ID, this).SetInt32(pRow->volumeid);
        }
        Commit();
    }
    catch (...)
    {
        DeleteLists();
        throw;
    }
}

void PXUserApp::SetFromProfile(const PXAppProfileInfo& p, bool bFromServer)
{
    PXFieldValue(PXFIELD_USER_APP_CUSTOMER_NUMBER, this).SetInt32(bFromServer ? 1 : p.customerid);
    PXFieldValue(PXFIELD_USER_APP_ID, this).SetInt32(p.appprofid);
    PXFieldValue(PXFIELD_USER_APP_VERSION_NUMBER, this).SetInt32(p.appvernum);
    PXFieldValue(PXFIELD_USER_APP_MEDIA_TYPE, this).SetInt32(p.appmediatype);
    PXFieldValue(PXFIELD_USER_APP_DESCRIPTION, this).SetText(MEMBER_TEXT(p.appdescr));
    PXFieldValue(PXFIELD_USER_APP_NAME, this).SetText(MEMBER_TEXT(p.appname));
    // The server says 1 for a recorded name; the program's copy says
    // anything but 0.
    bool bSpoken = bFromServer ? p.spokennamerecorded == 1 : p.spokennamerecorded != 0;
    PXFieldValue(PXFIELD_USER_APP_SPOKEN_NAME_RECORDED, this).SetText(bSpoken ? PXTEXT_YES : PXTEXT_NO);
    PXFieldValue(PXFIELD_USER_APP_SPOKEN_NAME, this).SetText(MEMBER_TEXT(p.appspokenname));
    PXFieldValue(PXFIELD_USER_APP_VERIFICATION_FAX_NUMBER, this).SetText(MEMBER_TEXT(p.verffaxnum));
    PXFieldValue(PXFIELD_USER_APP_VERIFICATION_FAX_NUMBER_MODIFIABLE, this).SetInt32(p.verffaxnummodifiable);
    PXFieldValue(PXFIELD_USER_APP_VERIFICATION_CONTACT, this).SetText(MEMBER_TEXT(p.verfcontactid));
    PXFieldValue(PXFIELD_USER_APP_TELSET_PASSWORD_ON, this).SetInt32(p.updatepsswdneeded);
    memcpy(m_abStoredPassword, p.updatepsswd, sizeof(m_abStoredPassword));
    PXFieldValue(PXFIELD_USER_APP_MONITOR_THRU_DIAL, this).SetInt32(0);
    PXFieldValue(PXFIELD_USER_APP_EXPANSION_DIGITS, this).SetText(MEMBER_TEXT(p.expansiondigits));
    PXFieldValue(PXFIELD_USER_APP_ENFORCE_DIAL, this).SetInt32(p.enforcedial);
    bool bExported = bFromServer ? p.importable == 1 : p.importable != 0;
    PXFieldValue(PXFIELD_USER_APP_EXPORTED, this).SetText(bExported ? PXTEXT_YES : PXTEXT_NO);
    bool bComplete = bFromServer ? p.compiledok == 1 : p.compiledok != 0;
    PXFieldValue(PXFIELD_USER_APP_COMPLETE, this).SetText(bComplete ? PXTEXT_YES : PXTEXT_NO);
    PXFieldValue(PXFIELD_USER_APP_FAX_CONFIRMATION_MODIFIABLE_BY_TELSET, this).SetInt32(p.comfprmtmodifiable);
    PXFieldValue(PXFIELD_USER_APP_LOCKING_PC, this).SetText(MEMBER_TEXT(p.lockingpc));
    PXFieldValue(PXFIELD_USER_APP_LOCKING_USER, this).SetText(MEMBER_TEXT(p.lockinguser));
    PXFieldValue(PXFIELD_USER_APP_VOLUME_ID, this).SetInt32(p.volumeid);
    PXFieldValue(PXFIELD_USER_APP_PREVIOUS_VERSION_NUMBER, this).SetInt32(p.apppreviousvernum);
    PXFieldValue(PXFIELD_USER_APP_RUN_FILE_PATH, this).SetText(MEMBER_TEXT(p.runfilepath));
    PXFieldValue(PXFIELD_USER_APP_RLL_FILE_PATH, this).SetText(MEMBER_TEXT(p.rllfilepath));
    PXFieldValue(PXFIELD_USER_APP_MISA_FILE_PATH, this).SetText(MEMBER_TEXT(p.misafilepath));
    PXFieldValue(PXFIELD_USER_APP_VISIBLE_FLAG, this).SetInt32(p.visible);
    PXFieldValue(PXFIELD_USER_APP_MODIFICATION_NUMBER, this).SetInt32(p.modnum);
}

void PXUserApp::FillProfile(PXAppProfileInfo& p, bool bForServer)
{
    p.customerid = bForServer ? 1 : Int32(this, PXFIELD_USER_APP_CUSTOMER_NUMBER);
    p.appprofid = Int32(this, PXFIELD_USER_APP_ID);
    p.appvernum = Int32(this, PXFIELD_USER_APP_VERSION_NUMBER);
    p.appmediatype = Int32(this, PXFIELD_USER_APP_MEDIA_TYPE);
    SET_MEMBER(p.appdescr, Text(this, PXFIELD_USER_APP_DESCRIPTION));
    SET_MEMBER(p.appname, Text(this, PXFIELD_USER_APP_NAME));
    p.spokennamerecorded = bForServer ? FlagForServer(this, PXFIELD_USER_APP_SPOKEN_NAME_RECORDED)
                                      : FlagForProgram(this, PXFIELD_USER_APP_SPOKEN_NAME_RECORDED);
    SET_MEMBER(p.appspokenname, Text(this, PXFIELD_USER_APP_SPOKEN_NAME));
    SET_MEMBER(p.verffaxnum, Text(this, PXFIELD_USER_APP_VERIFICATION_FAX_NUMBER));
    p.verffaxnummodifiable = Int32(this, PXFIELD_USER_APP_VERIFICATION_FAX_NUMBER_MODIFIABLE);
    SET_MEMBER(p.verfcontactid, Text(this, PXFIELD_USER_APP_VERIFICATION_CONTACT));
    p.updatepsswdneeded = Int32(this, PXFIELD_USER_APP_TELSET_PASSWORD_ON);
    memcpy(p.updatepsswd, m_abStoredPassword, sizeof(p.updatepsswd));
    p.mntadnthrudial = Int32(this, PXFIELD_USER_APP_MONITOR_THRU_DIAL);
    SET_MEMBER(p.expansiondigits, Text(this, PXFIELD_USER_APP_EXPANSION_DIGITS));
    p.enforcedial = Int32(this, PXFIELD_USER_APP_ENFORCE_DIAL);
    p.importable = bForServer ? FlagForServer(this, PXFIELD_USER_APP_EXPORTED)
                              : FlagForProgram(this, PXFIELD_USER_APP_EXPORTED);
    p.compiledok = bForServer ? FlagForServer(this, PXFIELD_USER_APP_COMPLETE)
                              : FlagForProgram(this, PXFIELD_USER_APP_COMPLETE);
    p.comfprmtmodifiable = Int32(this, PXFIELD_USER_APP_FAX_CONFIRMATION_MODIFIABLE_BY_TELSET);
    SET_MEMBER(p.lockingpc, Text(this, PXFIELD_USER_APP_LOCKING_PC));
    SET_MEMBER(p.lockinguser, Text(this, PXFIELD_USER_APP_LOCKING_USER));
    p.volumeid = Int32(this, PXFIELD_USER_APP_VOLUME_ID);
    p.apppreviousvernum = Int32(this, PXFIELD_USER_APP_PREVIOUS_VERSION_NUMBER);
    SET_MEMBER(p.runfilepath, Text(this, PXFIELD_USER_APP_RUN_FILE_PATH));
    SET_MEMBER(p.rllfilepath, Text(this, PXFIELD_USER_APP_RLL_FILE_PATH));
    SET_MEMBER(p.misafilepath, Text(this, PXFIELD_USER_APP_MISA_FILE_PATH));
    p.visible = Int32(this, PXFIELD_USER_APP_VISIBLE_FLAG);
    p.modnum = Int32(this, PXFIELD_USER_APP_MODIFICATION_NUMBER);
}

void PXUserApp::SetFromFileInfo(const PXFileInfo* pInfo)
{
    if (!pInfo)
        return;
    SetFromProfile(pInfo->profile, true);
    PXFieldValue(PXFIELD_USER_APP_TELSET_MAINTENANCE_PASSWORD, this).SetText(PXPASSWORD_PLACEHOLDER);
    PXFieldValue(PXFIELD_USER_APP_PASSWORD_CONFIRMATION, this).SetText(PXPASSWORD_PLACEHOLDER);
    PXFieldValue(PXFIELD_USER_APP_LOCKING_DATE_TIME, this).SetText(NowAscTime());
    PXFieldValue(PXFIELD_USER_APP_ED_FILE_PATH, this).SetText(MEMBER_TEXT(pInfo->newedfilepath));
    Commit();
}

int PXUserApp::FillFileInfo(PXFileInfo* pInfo)
{
    // Nothing of what the buffer held before goes to the server.
    memset(pInfo, 0, sizeof(*pInfo));
    FillProfile(pInfo->profile, true);
    SET_MEMBER(pInfo->newedfilepath, Text(this, PXFIELD_USER_APP_ED_FILE_PATH));

    int nResult = 0;
    CString strPassword = Text(this, PXFIELD_USER_APP_TELSET_MAINTENANCE_PASSWORD);
    if (Int32(this, PXFIELD_USER_APP_TELSET_PASSWORD_ON) != 0 && strPassword != PXPASSWORD_PLACEHOLDER)
    {
        CString strConfirmation = Text(this, PXFIELD_USER_APP_PASSWORD_CONFIRMATION);
        PXASSERT((const CString&)strPassword==(const CString&)strConfirmation);
        unsigned char abEncrypted[8] = {0};
        nResult = PXAppLink().pfnEncryptString(strPassword, abEncrypted);
        // A password that could not be encrypted never reaches the server
        // as whatever the buffer held: the stored one stays in force.
        if (nResult == 0)
            memcpy(pInfo->profile.updatepsswd, abEncrypted, sizeof(abEncrypted));
    }
    return nResult;
}

void PXUserApp::FillFileRequest(PXFileRequest* pRequest)
{
    memset(pRequest, 0, sizeof(*pRequest));
    pRequest->customerid = 1;
    pRequest->appprofid = Int32(this, PXFIELD_USER_APP_ID);
    SET_MEMBER(pRequest->appname, Text(this, PXFIELD_USER_APP_NAME));
    pRequest->volumeid = Int32(this, PXFIELD_USER_APP_VOLUME_ID);
}

void PXUserApp::StoreInProgram()
{
    PXASSERT(m_pProgram!=0);
    if (!m_pProgram)
        return;
    PXFileInfoCopy copy;
    memcpy(&copy, m_pProgram->GetFileInfo(), sizeof(copy));
    // The lock time is not the fields' to write: it keeps what the copy
    // held. Every other byte is written, the gaps zero.
    struct tm lockTime = copy.profile.lockingdatetime;
    memset(&copy, 0, sizeof(copy));
    FillProfile(copy.profile, false);
    copy.profile.lockingdatetime = lockTime;
    CString strPath = Text(this, PXFIELD_USER_APP_ED_FILE_PATH);
    size_t n = strlen(strPath);
    memcpy(copy.newedfilepath, strPath, n < sizeof(copy.newedfilepath) ? n : sizeof(copy.newedfilepath));
    memcpy(m_pProgram->GetFileInfo(), &copy, sizeof(copy));
}

void PXUserApp::LoadFromProgram()
{
    PXASSERT(m_pProgram!=0);
    if (!m_pProgram)
        return;
    PXFileInfoCopy copy;
    memcpy(&copy, m_pProgram->GetFileInfo(), sizeof(copy));
    SetFromProfile(copy.profile, false);
    char szPath[PX_COPY_PATH_LEN + 1];
    PXFileInfoCopyPath(&copy, szPath, sizeof(szPath));
    PXFieldValue(PXFIELD_USER_APP_ED_FILE_PATH, this).SetText(szPath);
}

int PXUserApp::QueryImported(int* pnImported)
{
    return PXAppLink().pfnIsImported(1, Int32(this, PXFIELD_USER_APP_ID), pnImported);
}

BOOL PXUserApp::IsModified()
{
    PXASSERT(m_pProgram!=0);
    return m_pProgram && m_pProgram->IsModified() ? TRUE : FALSE;
}

void PXUserApp::SetModified()
{
    PXASSERT(m_pProgram!=0);
    if (m_pProgram)
        m_pProgram->SetModified();
}

void PXUserApp::SetZoom(int nPercent)
{
    PXASSERT(m_pProgram!=0);
    if (m_pProgram)
        m_pProgram->SetZoom(nPercent);
}

int PXUserApp::GetZoom()
{
    PXASSERT(m_pProgram!=0);
    return m_pProgram ? m_pProgram->GetZoom() : 100;
}

void PXUserApp::GetEdFileName(CString& rOut)
{
    char szDir[MAX_PATH] = "";
    PXGetProgramDir(szDir, sizeof(szDir));
    rOut = CString(szDir) + Text(this, PXFIELD_USER_APP_NAME) + ".ed";
}

void PXUserApp::DeleteLocalFiles(CString strName)
{
    // The files are found by the name before the last dot: a Name such as
    // "Sales.v2" must not name the files of "Sales".
    CString strFile = strName.IsEmpty() ? Text(this, PXFIELD_USER_APP_NAME) : strName;
    PXDeleteApplicationFiles(strFile + ".ed");
}
