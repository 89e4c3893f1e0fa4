// The Telvanta server's in-process COM components as their clients see them:
// ProgIDs, class and interface ids, and the interfaces with their operations
// in vtable order. Every interface is dual: the IDispatch operations come
// first, then the custom ones. Texts are BSTRs, results HRESULTs.
#pragma once

#include <windows.h>
#include <oaidl.h>

#define TELVANTA_PROGID_LDAPBEAN     L"Telvanta.LDAPBean"
#define TELVANTA_PROGID_CONFIGWIZARD L"Telvanta.AOSClient_ConfigWizard"
#define TELVANTA_PROGID_FILETRANSFER L"Telvanta.AOSClient_FileTransfer"
#define TELVANTA_PROGID_PWDENCODER   L"Telvanta.PwdEncoder"

// Codes of the error collection and of the admin service's "code#text".
enum TelvantaCode : long {
    TVC_SIZE_LIMIT = 4,                 // a page of a search is full: more rows follow
    TVC_NO_SUCH_OBJECT = 32,
    TVC_INVALID_CREDENTIALS = 49,
    TVC_INSUFFICIENT_ACCESS = 50,
    TVC_PASSWORD_EXPIRING = 36110,      // the password is about to expire
    TVC_ACCOUNT_LOCKED = 54732,         // login refused: ask the administrator
    TVC_PASSWORD_EXPIRED = 54734,       // only a password change is allowed
    TVC_PASSWORD_REPEATED_DIGITS = 54736,
    TVC_PASSWORD_SEQUENCE = 54737,
    TVC_PASSWORD_IS_MAILBOX = 54738,
    TVC_PASSWORD_TOO_SHORT = 54740,
    TVC_PASSWORD_IN_HISTORY = 54742,
    TVC_DATABASE_FULL = 60656,
    TVC_DISK_FULL = 60657,
    TVC_MISA_FULL = 60658,
    TVC_CLIENT_VERSION_REFUSED = 60687,
    TVC_COMPLETED = 60775,              // lock, new application or commit done: values follow
    TVC_LOCKED_BY_OTHER = 60776,        // another PC or user holds the lock
    TVC_CONTEXT_INVALID = 60780,        // no such login, or it has ended or expired
    TVC_BAD_REQUEST = 60790,            // a value or path the server refuses
    TVC_APP_LIMIT = 3,                  // the server holds no more applications
};

// {8C4612D9-93CD-4569-996F-86F94C64E366}
static const CLSID CLSID_TelvantaLDAPBean =
    { 0x8C4612D9, 0x93CD, 0x4569, { 0x99, 0x6F, 0x86, 0xF9, 0x4C, 0x64, 0xE3, 0x66 } };
// {4DB18A36-224B-46BA-8FD2-F34C36C8F4AD}
static const CLSID CLSID_TelvantaConfigWizard =
    { 0x4DB18A36, 0x224B, 0x46BA, { 0x8F, 0xD2, 0xF3, 0x4C, 0x36, 0xC8, 0xF4, 0xAD } };
// {0299AB83-A14E-4941-A942-0D8D7E954C5B}
static const CLSID CLSID_TelvantaFileTransfer =
    { 0x0299AB83, 0xA14E, 0x4941, { 0xA9, 0x42, 0x0D, 0x8D, 0x7E, 0x95, 0x4C, 0x5B } };
// {E62C740E-1023-4E00-88DD-480F553C3FB9}
static const CLSID CLSID_TelvantaPwdEncoder =
    { 0xE62C740E, 0x1023, 0x4E00, { 0x88, 0xDD, 0x48, 0x0F, 0x55, 0x3C, 0x3F, 0xB9 } };

// {6662CAB1-6237-11D4-A679-00C04F5C0826}
static const IID IID_ILDAPBean =
    { 0x6662CAB1, 0x6237, 0x11D4, { 0xA6, 0x79, 0x00, 0xC0, 0x4F, 0x5C, 0x08, 0x26 } };
// {1D44B542-E594-11D4-A699-00C04F5C0826}
static const IID IID_IAOSConfigWizard =
    { 0x1D44B542, 0xE594, 0x11D4, { 0xA6, 0x99, 0x00, 0xC0, 0x4F, 0x5C, 0x08, 0x26 } };
// {16D8C380-3381-11D5-99C8-A696BC993F21}
static const IID IID_IAOSFileTransfer =
    { 0x16D8C380, 0x3381, 0x11D5, { 0x99, 0xC8, 0xA6, 0x96, 0xBC, 0x99, 0x3F, 0x21 } };
// {F6EC8808-18B6-4960-9490-4C4D565AF678}
static const IID IID_IPwdEncoder =
    { 0xF6EC8808, 0x18B6, 0x4960, { 0x94, 0x90, 0x4C, 0x4D, 0x56, 0x5A, 0xF6, 0x78 } };
// {9B9F30B8-F51E-4371-9AE7-6C1B667749A0}
static const IID IID_ILDAPErrors =
    { 0x9B9F30B8, 0xF51E, 0x4371, { 0x9A, 0xE7, 0x6C, 0x1B, 0x66, 0x77, 0x49, 0xA0 } };
// {AC37A313-D81F-482C-897F-2AC9EE6ED748}
static const IID IID_ILDAPError =
    { 0xAC37A313, 0xD81F, 0x482C, { 0x89, 0x7F, 0x2A, 0xC9, 0xEE, 0x6E, 0xD7, 0x48 } };
// {BD97FA20-0EDC-477E-945C-FB2A0C5F898B}
static const IID IID_IKeyCode =
    { 0xBD97FA20, 0x0EDC, 0x477E, { 0x94, 0x5C, 0xFB, 0x2A, 0x0C, 0x5F, 0x89, 0x8B } };

// One error item: code and level, then attribute, text 1 and text 2.
struct ILDAPError : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get_Code(long* plCode) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Level(long* plLevel) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Attribute(BSTR* pbstr) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Text1(BSTR* pbstr) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Text2(BSTR* pbstr) = 0;
};

// The errors of the component's last failed operation, in their order.
struct ILDAPErrors : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get__NewEnum(IUnknown** ppunk) = 0;   // not offered
    virtual HRESULT STDMETHODCALLTYPE Add(long lCode, long lLevel, BSTR bstrAttribute,
                                          BSTR bstrText1, BSTR bstrText2) = 0;
    virtual HRESULT STDMETHODCALLTYPE Clear() = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Count(long* plCount) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Item(long lIndex, ILDAPError** ppItem) = 0;
};

// The directory client. ctx names a login made by Login.
struct ILDAPBean : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE AddEntry(BSTR bstrCtx, BSTR bstrDN, BSTR bstrAttrVals,
                                               BSTR* pbstrOut) = 0;
    virtual HRESULT STDMETHODCALLTYPE Search(BSTR bstrBase, long lScope, BSTR bstrFilter,
                                             BSTR bstrAttrs, short nNamesOnly, BSTR bstrSortAttr,
                                             long lReserved, BSTR bstrCtx) = 0;
    virtual HRESULT STDMETHODCALLTYPE NextRow(BSTR* pbstrRow) = 0;
    virtual HRESULT STDMETHODCALLTYPE ModifyEntry(BSTR bstrDN, BSTR bstrAttrVals, BSTR bstrCtx) = 0;
    virtual HRESULT STDMETHODCALLTYPE DeleteEntry(BSTR bstrDN, BSTR bstrCtx) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetContextID(BSTR* pbstrCtx) = 0;
    virtual HRESULT STDMETHODCALLTYPE EndContext(BSTR bstrCtx) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetErrors(ILDAPErrors** ppErrors) = 0;
    virtual HRESULT STDMETHODCALLTYPE LockApplication(BSTR bstrBase, long lScope, long lCustomerId,
                                                      long lAppId, BSTR bstrFilter, long lUnlock,
                                                      BSTR bstrCtx) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetSSL(long lOn) = 0;
    virtual HRESULT STDMETHODCALLTYPE Login(long lVersion, BSTR bstrServer, long lPort,
                                            long lSSLPort, BSTR bstrCertDbDir, BSTR bstrSuffix,
                                            BSTR bstrUser, BSTR bstrLocation, BSTR bstrPassword,
                                            BSTR bstrCtx, long lFlags, BSTR bstrClientVersion,
                                            BSTR bstrClientAddress) = 0;
};

// The key-code object of the admin service.
struct IKeyCode : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get_KeyCode(BSTR* pbstr) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_SystemName(BSTR* pbstr) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_SwitchType(short* pnType) = 0;
};

// The admin service: Connect, one operation, Release.
struct IAOSConfigWizard : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE Connect(BSTR bstrCtx, BSTR bstrCode, BSTR bstrServer) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetUnusedAppID(BSTR bstrCtx, BSTR bstrUser, long lRequest,
                                                     long* plAppId) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetKeyCode(BSTR bstrCtx, BSTR bstrUser, IKeyCode** ppKey) = 0;
    virtual HRESULT STDMETHODCALLTYPE StartVersionManager(BSTR bstrCtx, BSTR bstrUser, long l1,
                                                          long l2) = 0;
    virtual HRESULT STDMETHODCALLTYPE CleanUpDeleted(BSTR bstrCtx, BSTR bstrUser, long l1) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetLdapSuffix(BSTR* pbstrSuffix) = 0;
};

// File copies between the server's storage and the client.
struct IAOSFileTransfer : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE Connect(BSTR bstrCtx, BSTR bstrCode, BSTR bstrAccount,
                                              BSTR bstrCompanion, BSTR bstrServer) = 0;
    virtual HRESULT STDMETHODCALLTYPE ReceiveFile(BSTR bstrCtx, BSTR bstrUser, BSTR bstrServerPath,
                                                  BSTR bstrLocalPath) = 0;
    virtual HRESULT STDMETHODCALLTYPE SendFile(BSTR bstrCtx, BSTR bstrUser, BSTR bstrLocalPath,
                                               BSTR bstrServerPath) = 0;
    virtual HRESULT STDMETHODCALLTYPE SendMediaRecord(BSTR bstrCtx, BSTR bstrUser, BSTR bstrLocalPath,
                                                      BSTR bstrServerFolder, long lRecord,
                                                      long lKind, long lMode) = 0;
    virtual HRESULT STDMETHODCALLTYPE ReceiveTimeStamp(BSTR bstrCtx, BSTR bstrUser,
                                                       BSTR bstrLocalStampFile,
                                                       BSTR bstrServerPath) = 0;
    virtual HRESULT STDMETHODCALLTYPE CompareTimeStamp(BSTR bstrCtx, BSTR bstrUser,
                                                       BSTR bstrLocalStampFile,
                                                       BSTR bstrServerPath, long* plSame) = 0;
};

struct IPwdEncoder : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE Encode(BSTR bstrPassword, BSTR* pbstrEncoded) = 0;
};
