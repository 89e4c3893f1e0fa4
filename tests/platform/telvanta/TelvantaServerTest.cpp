// The four server components driven through COM as the login and
// client-server libraries drive them, against the test directory that
// scripts/test starts and the storage folder it maps to drive T:.
#include "TelvantaTestSupport.h"

#include <cstdio>
#include <thread>

namespace {

const wchar_t kServer[] = L"127.0.0.1";
const wchar_t kVersion[] = L"5.3.1";
const wchar_t kAddress[] = L"10.0.0.5";
const wchar_t kAccount[] = L"rowelbisqu";
const wchar_t kCompanion[] = L"_KWTZBHoym_";

class Telvanta : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        CoInitialize(nullptr);
        s_registered = TvRegisterComponents();
        s_ready = TvReadTestEnv(s_env);
        if (s_ready)
            TvWriteConfig(s_env);
    }
    static void TearDownTestSuite() { CoUninitialize(); }

    void SetUp() override
    {
        ASSERT_EQ(0u, s_registered) << "regsvr32 telvanta.dll";
        ASSERT_TRUE(s_ready) << "the test directory's settings are missing (run through scripts/test)";
        TvWriteConfig(s_env);
    }
    void TearDown() override { TvWriteConfig(s_env); }

    std::wstring Suffix() const { return s_env.suffix; }

    HRESULT MakeBean(ComPtr<ILDAPBean>& bean)
    {
        return TvCreate(TELVANTA_PROGID_LDAPBEAN, IID_ILDAPBean, bean);
    }

    HRESULT Login(ILDAPBean* bean, const std::wstring& user, const std::wstring& password,
                  const std::wstring& location = L"2", const std::wstring& ctx = L"",
                  const std::wstring& version = kVersion)
    {
        CallLimit limit("Login");
        return bean->Login(1, Bstr(kServer), 389, 636, Bstr(L""), Bstr(Suffix()), Bstr(user), Bstr(location),
                           Bstr(password), ctx.empty() ? nullptr : static_cast<BSTR>(Bstr(ctx)), 1, Bstr(version),
                           Bstr(kAddress));
    }

    // An administrator's login, as the login library makes it; its context.
    std::wstring AdminLogin(ComPtr<ILDAPBean>& bean, const std::wstring& user = L"4001",
                            const std::wstring& password = L"135790")
    {
        EXPECT_EQ(S_OK, MakeBean(bean));
        EXPECT_EQ(S_OK, Login(bean.Get(), user, password));
        Bstr ctx;
        EXPECT_EQ(S_OK, bean->GetContextID(ctx.Out()));
        return ctx.Text();
    }

    HRESULT Search(ILDAPBean* bean, const std::wstring& filter, const std::wstring& attrs,
                   const std::wstring& ctx = L"", const std::wstring& sort = L"", const std::wstring& base = L"")
    {
        CallLimit limit("Search");
        return bean->Search(Bstr(base.empty() ? Suffix() : base), 2, Bstr(filter), Bstr(attrs), 0, Bstr(sort), 0,
                            Bstr(ctx));
    }

    HRESULT Lock(ILDAPBean* bean, long app, const std::wstring& pc, const std::wstring& user,
                 const std::wstring& ctx, long unlock = 0)
    {
        std::wstring filter = unlock ? L"(&(objectclass=APPLICATION)(apppreviousvernum=65535))"
                                     : L"(&(objectclass=APPLICATION)(volumeid=1)(lockingpc=" + pc + L")(lockinguser=" +
                                           user + L"))";
        CallLimit limit("LockApplication");
        return bean->LockApplication(Bstr(Suffix()), 2, 1, app, Bstr(filter), unlock, Bstr(ctx));
    }

    HRESULT Modify(ILDAPBean* bean, const std::wstring& dn, const std::wstring& values, const std::wstring& ctx)
    {
        CallLimit limit("ModifyEntry");
        return bean->ModifyEntry(Bstr(dn), Bstr(values), Bstr(ctx));
    }

    HRESULT Add(ILDAPBean* bean, const std::wstring& dn, const std::wstring& values, const std::wstring& ctx)
    {
        CallLimit limit("AddEntry");
        Bstr out;
        return bean->AddEntry(Bstr(ctx), Bstr(dn), Bstr(values), out.Out());
    }

    HRESULT Delete(ILDAPBean* bean, const std::wstring& dn, const std::wstring& ctx)
    {
        CallLimit limit("DeleteEntry");
        return bean->DeleteEntry(Bstr(dn), Bstr(ctx));
    }

    static TvTestEnv s_env;
    static bool s_ready;
    static DWORD s_registered;
};

TvTestEnv Telvanta::s_env;
bool Telvanta::s_ready = false;
DWORD Telvanta::s_registered = 1;

std::wstring LocalTemp(const wchar_t* name)
{
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + name;
}

std::string ReadAll(const std::wstring& path)
{
    std::string data;
    FILE* f = _wfopen(path.c_str(), L"rb");
    if (!f)
        return "<missing>";
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof(buf), f)) > 0)
        data.append(buf, n);
    fclose(f);
    return data;
}

void WriteAll(const std::wstring& path, const std::string& data)
{
    FILE* f = _wfopen(path.c_str(), L"wb");
    ASSERT_TRUE(f != nullptr);
    fwrite(data.data(), 1, data.size(), f);
    fclose(f);
}

} // namespace

TEST_F(Telvanta, ComponentsAreRegisteredByProgIdWithDualInterfaces)
{
    const struct { const wchar_t* progId; const IID* iid; } classes[] = {
        { TELVANTA_PROGID_LDAPBEAN, &IID_ILDAPBean },
        { TELVANTA_PROGID_CONFIGWIZARD, &IID_IAOSConfigWizard },
        { TELVANTA_PROGID_FILETRANSFER, &IID_IAOSFileTransfer },
        { TELVANTA_PROGID_PWDENCODER, &IID_IPwdEncoder },
    };
    for (const auto& c : classes) {
        ComPtr<IDispatch> object;
        ASSERT_EQ(S_OK, TvCreate(c.progId, *c.iid, object)) << c.progId;
        UINT count = 99;
        EXPECT_EQ(S_OK, object->GetTypeInfoCount(&count));
        EXPECT_EQ(0u, count);
        ComPtr<IDispatch> dispatch;
        EXPECT_EQ(S_OK, object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch.Out())));
        ComPtr<ISupportErrorInfo> support;
        ASSERT_EQ(S_OK, object->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(support.Out())));
        EXPECT_EQ(S_OK, support->InterfaceSupportsErrorInfo(*c.iid));
    }
}

TEST_F(Telvanta, AnonymousLoginFindsOnlyWhereUsersLive)
{
    ComPtr<ILDAPBean> bean;
    ASSERT_EQ(S_OK, MakeBean(bean));
    ASSERT_EQ(S_OK, Login(bean.Get(), L"", L"", L"2"));
    Bstr ctx;
    EXPECT_TRUE(FAILED(bean->GetContextID(ctx.Out())));

    ASSERT_EQ(S_OK, Search(bean.Get(), L"(&(locationname=Branch)(objectclass=NETWLOCATION))", L"locationid"));
    EXPECT_EQ(std::vector<std::wstring>{ L"7" }, TvRows(bean.Get()));

    // Nothing else of the directory, and no change.
    ASSERT_EQ(S_OK, Search(bean.Get(), L"(objectclass=APPPROFILE)", L"appname"));
    EXPECT_TRUE(TvRows(bean.Get()).empty());
    EXPECT_TRUE(FAILED(Add(bean.Get(), L"rplid=99," + Suffix(), L"rplname~{value}~X", L"")));
    EXPECT_TRUE(TvHasCode(TvErrorsOf(bean.Get()), TVC_INSUFFICIENT_ACCESS));
}

TEST_F(Telvanta, AdministratorLoginGivesAContextAndTheAdminCheckRow)
{
    ComPtr<ILDAPBean> bean;
    std::wstring ctx = AdminLogin(bean);
    ASSERT_EQ(32u, ctx.size());
    ASSERT_EQ(S_OK, Search(bean.Get(), L"(&(usermailboxnum=4001)(locationid=2)(objectclass=TELVANTAUSER))",
                           L"isadministrator,mailboxid", ctx));
    EXPECT_EQ(std::vector<std::wstring>{ L"1~{value}~4001" }, TvRows(bean.Get()));
    // The same mailbox at another location is another user.
    ComPtr<ILDAPBean> branch;
    ASSERT_EQ(S_OK, MakeBean(branch));
    EXPECT_TRUE(FAILED(Login(branch.Get(), L"4001", L"135790", L"7")));
    EXPECT_EQ(S_OK, Login(branch.Get(), L"4001", L"802467", L"7"));
}

TEST_F(Telvanta, LoginRefusalsCarryThePasswordPolicyCodes)
{
    const struct { const wchar_t* user; const wchar_t* password; const wchar_t* version; long code; bool ctx; } cases[] = {
        { L"4001", L"999999", kVersion, TVC_INVALID_CREDENTIALS, false },
        { L"4001", L"", kVersion, TVC_INVALID_CREDENTIALS, false },
        { L"4006", L"791356", kVersion, TVC_ACCOUNT_LOCKED, false },
        { L"4004", L"579134", kVersion, TVC_PASSWORD_EXPIRING, true },
        { L"4005", L"680245", kVersion, TVC_PASSWORD_EXPIRED, true },
        { L"4001", L"135790", L"4.9", TVC_CLIENT_VERSION_REFUSED, false },
        { L"4001", L"135790", L"junk", TVC_CLIENT_VERSION_REFUSED, false },
        { L"9999", L"135790", kVersion, TVC_INVALID_CREDENTIALS, false },
    };
    for (const auto& c : cases) {
        ComPtr<ILDAPBean> bean;
        ASSERT_EQ(S_OK, MakeBean(bean));
        EXPECT_TRUE(FAILED(Login(bean.Get(), c.user, c.password, L"2", L"", c.version))) << c.user;
        std::vector<TvItem> errors = TvErrorsOf(bean.Get());
        EXPECT_TRUE(TvHasCode(errors, c.code)) << c.user << " " << c.password << " " << c.code;
        Bstr ctx;
        EXPECT_EQ(c.ctx, SUCCEEDED(bean->GetContextID(ctx.Out()))) << c.user;
        EXPECT_EQ(c.ctx, ctx.Text().size() == 32) << c.user;
    }
}

TEST_F(Telvanta, RepeatedWrongPasswordsLockTheAccount)
{
    ComPtr<ILDAPBean> bean;
    ASSERT_EQ(S_OK, MakeBean(bean));
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(FAILED(Login(bean.Get(), L"4010", L"000000")));
        EXPECT_TRUE(TvHasCode(TvErrorsOf(bean.Get()), TVC_INVALID_CREDENTIALS)) << i;
    }
    // The fifth failure locks the account; then even the right password is refused.
    EXPECT_TRUE(FAILED(Login(bean.Get(), L"4010", L"000000")));
    EXPECT_TRUE(TvHasCode(TvErrorsOf(bean.Get()), TVC_ACCOUNT_LOCKED));
    EXPECT_TRUE(FAILED(Login(bean.Get(), L"4010", L"146802")));
    EXPECT_TRUE(TvHasCode(TvErrorsOf(bean.Get()), TVC_ACCOUNT_LOCKED));
}

TEST_F(Telvanta, AnExpiredPasswordIsChangedAndTheNextLoginSucceeds)
{
    ComPtr<ILDAPBean> bean;
    ASSERT_EQ(S_OK, MakeBean(bean));
    EXPECT_TRUE(FAILED(Login(bean.Get(), L"4009", L"724680")));
    ASSERT_TRUE(TvHasCode(TvErrorsOf(bean.Get()), TVC_PASSWORD_EXPIRED));
    Bstr ctx;
    ASSERT_EQ(S_OK, bean->GetContextID(ctx.Out()));
    // The change as the login library makes it: new and old password.
    ASSERT_EQ(S_OK, Modify(bean.Get(), L"userid=renew," + Suffix(), L"usermailboxpsswd~{value}~581736~{mv}~724680",
                           ctx.Text()));
    ComPtr<ILDAPBean> again;
    ASSERT_EQ(S_OK, MakeBean(again));
    EXPECT_EQ(S_OK, Login(again.Get(), L"4009", L"581736"));
    EXPECT_TRUE(FAILED(Login(again.Get(), L"4009", L"724680")));
}

TEST_F(Telvanta, PasswordChangesFollowTheRules)
{
    ComPtr<ILDAPBean> bean;
    std::wstring ctx = AdminLogin(bean, L"400800", L"913578");
    std::wstring dn = L"userid=changer," + Suffix();
    const struct { const wchar_t* newPassword; const wchar_t* oldPassword; long code; } refused[] = {
        { L"123", L"913578", TVC_PASSWORD_TOO_SHORT },
        { L"777777", L"913578", TVC_PASSWORD_REPEATED_DIGITS },
        { L"345678", L"913578", TVC_PASSWORD_SEQUENCE },
        { L"987654", L"913578", TVC_PASSWORD_SEQUENCE },
        { L"400800", L"913578", TVC_PASSWORD_IS_MAILBOX },
        { L"592047", L"000000", TVC_INVALID_CREDENTIALS },
    };
    for (const auto& r : refused) {
        EXPECT_TRUE(FAILED(Modify(bean.Get(), dn, std::wstring(L"usermailboxpsswd~{value}~") + r.newPassword +
                                                      L"~{mv}~" + r.oldPassword, ctx)))
            << r.newPassword;
        std::vector<TvItem> errors = TvErrorsOf(bean.Get());
        EXPECT_TRUE(TvHasCode(errors, r.code)) << r.newPassword;
    }
    ASSERT_EQ(S_OK, Modify(bean.Get(), dn, L"usermailboxpsswd~{value}~592047~{mv}~913578", ctx));
    // The directory keeps the last passwords: going back is refused.
    EXPECT_TRUE(FAILED(Modify(bean.Get(), dn, L"usermailboxpsswd~{value}~913578~{mv}~592047", ctx)));
    EXPECT_TRUE(TvHasCode(TvErrorsOf(bean.Get()), TVC_PASSWORD_IN_HISTORY));
    ComPtr<ILDAPBean> again;
    ASSERT_EQ(S_OK, MakeBean(again));
    EXPECT_EQ(S_OK, Login(again.Get(), L"400800", L"592047"));
}

TEST_F(Telvanta, ContextsServeOtherInstancesUntilEnded)
{
    ComPtr<ILDAPBean> bean;
    std::wstring ctx = AdminLogin(bean);
    // Another instance, as the editor's library does with the launch argument.
    ComPtr<ILDAPBean> other;
    ASSERT_EQ(S_OK, MakeBean(other));
    ASSERT_EQ(S_OK, Login(other.Get(), L"4001", L" ", L"2", ctx));
    Bstr otherCtx;
    ASSERT_EQ(S_OK, other->GetContextID(otherCtx.Out()));
    EXPECT_EQ(ctx, otherCtx.Text());
    ComPtr<ILDAPBean> third;
    ASSERT_EQ(S_OK, MakeBean(third));
    ASSERT_EQ(S_OK, Search(third.Get(), L"(&(objectclass=RESTRICTIONPERMISSION))", L"rplname,rplid", ctx));
    EXPECT_EQ(2u, TvRows(third.Get()).size());
    // A login of another user cannot take this context over.
    EXPECT_TRUE(FAILED(Login(other.Get(), L"4002", L" ", L"2", ctx)));

    {
        CallLimit limit("EndContext");
        bean->EndContext(Bstr(ctx));
    }
    EXPECT_TRUE(FAILED(Search(third.Get(), L"(&(objectclass=RESTRICTIONPERMISSION))", L"rplname", ctx)));
    EXPECT_TRUE(TvHasCode(TvErrorsOf(third.Get()), TVC_CONTEXT_INVALID));
    EXPECT_TRUE(FAILED(Login(other.Get(), L"4001", L" ", L"2", ctx)));
    EXPECT_TRUE(FAILED(Search(third.Get(), L"(objectclass=RESTRICTIONPERMISSION)", L"rplid", L"0123456789ABCDEF0123456789ABCDEF")));
}

TEST_F(Telvanta, AContextStopsWorkingWhenItExpires)
{
    TvSetConfigNumber(L"ContextSeconds", 1);
    ComPtr<ILDAPBean> bean;
    std::wstring ctx = AdminLogin(bean);
    ASSERT_EQ(32u, ctx.size());
    Sleep(2500);
    ComPtr<ILDAPBean> other;
    ASSERT_EQ(S_OK, MakeBean(other));
    EXPECT_TRUE(FAILED(Search(other.Get(), L"(objectclass=RESTRICTIONPERMISSION)", L"rplid", ctx)));
    EXPECT_TRUE(TvHasCode(TvErrorsOf(other.Get()), TVC_CONTEXT_INVALID));
    EXPECT_TRUE(FAILED(Login(other.Get(), L"4001", L" ", L"2", ctx)));
    EXPECT_TRUE(FAILED(Search(bean.Get(), L"(objectclass=RESTRICTIONPERMISSION)", L"rplid")));
}

TEST_F(Telvanta, SslAgainstAPlainPortFailsInTime)
{
    // The secure port given is the directory's plain one: the handshake
    // cannot succeed, and the call must come back within its limit.
    TvSetConfigNumber(L"DirectorySslPort", static_cast<DWORD>(_wtoi(s_env.port.c_str())));
    TvSetConfigNumber(L"TimeoutSeconds", 3);
    ComPtr<ILDAPBean> bean;
    ASSERT_EQ(S_OK, MakeBean(bean));
    EXPECT_EQ(S_OK, bean->SetSSL(1));
    EXPECT_TRUE(FAILED(Login(bean.Get(), L"4001", L"135790")));
    EXPECT_FALSE(TvErrorsOf(bean.Get()).empty());
    Bstr ctx;
    EXPECT_TRUE(FAILED(bean->GetContextID(ctx.Out())));
    // Switched off again, the same instance logs in over the plain port.
    EXPECT_EQ(S_OK, bean->SetSSL(0));
    EXPECT_EQ(S_OK, Login(bean.Get(), L"4001", L"135790"));
}

TEST_F(Telvanta, ContextsWorkFromASecondProcess)
{
    ComPtr<ILDAPBean> bean;
    std::wstring ctx = AdminLogin(bean);
    auto runPeer = [&](const std::wstring& context) -> DWORD {
        wchar_t self[MAX_PATH];
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::wstring peer = self;
        peer = peer.substr(0, peer.find_last_of(L'\\') + 1) + L"telvanta_peer.exe";
        return TvRunProcess(peer, L"\"" + peer + L"\" " + context + L" " + Suffix());
    };
    EXPECT_EQ(0u, runPeer(ctx));
    {
        CallLimit limit("EndContext");
        EXPECT_EQ(S_OK, bean->EndContext(Bstr(ctx)));
    }
    EXPECT_EQ(static_cast<DWORD>(TVC_CONTEXT_INVALID), runPeer(ctx));
}

TEST_F(Telvanta, SearchesGiveRowsInTheOrderAskedWithMultipleValues)
{
    ComPtr<ILDAPBean> bean;
    std::wstring ctx = AdminLogin(bean);
    ASSERT_EQ(S_OK, Search(bean.Get(), L"(&(objectclass=LOCALLANGUAGE)(customerid=1)(vpromptlangid>=1))",
                           L"vpromptlangid,locallangid,customerid,locallangname,modnum", ctx, L"vpromptlangid"));
    EXPECT_EQ((std::vector<std::wstring>{ L"3~{value}~3~{value}~1~{value}~English~{value}~1",
                                          L"5~{value}~5~{value}~1~{value}~French~{value}~1",
                                          L"7~{value}~7~{value}~1~{value}~Polish~{value}~1" }),
              TvRows(bean.Get()));
    ASSERT_EQ(S_OK, Search(bean.Get(), L"(&(objectclass=MMFSVOLUME))", L"volumenum", ctx));
    EXPECT_EQ(std::vector<std::wstring>{ L"A_F1~{mv}~A_F2~{mv}~A_F11" }, TvRows(bean.Get()));
    // A missing attribute is an empty value in its place.
    ASSERT_EQ(S_OK, Search(bean.Get(), L"(&(objectclass=NETWLOCATION)(locationid=2))", L"smtpcode,locationname", ctx));
    EXPECT_EQ(std::vector<std::wstring>{ L"~{value}~Head office" }, TvRows(bean.Get()));
    // The user entry's name as the password change looks it up.
    ASSERT_EQ(S_OK, Search(bean.Get(), L"(&(locationid=2)(usermailboxnum=4001)(objectclass=TELVANTAUSER))", L"userid", ctx));
    EXPECT_EQ(std::vector<std::wstring>{ L"admin1" }, TvRows(bean.Get()));
    // Names only: the names of the attributes the entry holds, in their places.
    {
        CallLimit limit("Search");
        ASSERT_EQ(S_OK, bean->Search(Bstr(Suffix()), 2, Bstr(L"(&(objectclass=NETWLOCATION)(locationid=2))"),
                                     Bstr(L"smtpcode,locationname"), 1, Bstr(L""), 0, Bstr(ctx)));
    }
    EXPECT_EQ(std::vector<std::wstring>{ L"~{value}~locationname" }, TvRows(bean.Get()));
    // No match: success and no row.
    ASSERT_EQ(S_OK, Search(bean.Get(), L"(&(objectclass=APPIMP)(impedappid=12))", L"appimpid", ctx));
    EXPECT_TRUE(TvRows(bean.Get()).empty());
}

TEST_F(Telvanta, TheApplicationListComesSortedInPagesOfTheSizeLimit)
{
    ComPtr<ILDAPBean> bean;
    std::wstring ctx = AdminLogin(bean);
    std::vector<long> ids;
    int searches = 0;
    long last = -1;
    for (;;) {
        std::wstring filter = L"(&(objectclass=APPPROFILE)(customerid=2)(visible=1)";
        if (last >= 0)
            filter += L"(!(appprofid<=" + std::to_wstring(last) + L"))";
        filter += L")";
        HRESULT hr = Search(bean.Get(), filter, L"appprofid,customerid,appname", ctx, L"appprofid");
        ++searches;
        std::vector<TvItem> errors = TvErrorsOf(bean.Get());
        ASSERT_TRUE(SUCCEEDED(hr) || TvHasCode(errors, TVC_SIZE_LIMIT));
        for (const std::wstring& row : TvRows(bean.Get())) {
            ids.push_back(_wtol(row.c_str()));
            last = ids.back();
        }
        if (SUCCEEDED(hr))
            break;
        ASSERT_LT(searches, 5);
    }
    EXPECT_EQ(3, searches);
    ASSERT_EQ(250u, ids.size());
    for (size_t i = 0; i < ids.size(); ++i)
        EXPECT_EQ(static_cast<long>(1001 + i), ids[i]);
}

TEST_F(Telvanta, EntriesAreAddedModifiedAndDeleted)
{
    ComPtr<ILDAPBean> bean;
    std::wstring ctx = AdminLogin(bean);
    std::wstring dn = L"appimpid=11+customerid=1+appvernum=1+impedappid=13+impedcustid=1," + Suffix();
    ASSERT_EQ(S_OK, Add(bean.Get(), dn,
                        L"appimpid~{value}~11~{attrib}~customerid~{value}~1~{attrib}~appvernum~{value}~1~{attrib}~"
                        L"impedappid~{value}~13~{attrib}~impedcustid~{value}~1",
                        ctx));
    ASSERT_EQ(S_OK, Search(bean.Get(), L"(&(objectclass=APPIMP)(customerid=1)(appimpid=11)(appvernum=1))",
                           L"impedappid", ctx));
    EXPECT_EQ(std::vector<std::wstring>{ L"13" }, TvRows(bean.Get()));
    EXPECT_TRUE(FAILED(Add(bean.Get(), dn, L"appimpid~{value}~11", ctx)));

    std::wstring service = L"appid=13+sysserviceid=3," + Suffix();
    ASSERT_EQ(S_OK, Add(bean.Get(), service,
                        L"customerid~{value}~1~{attrib}~appname~{value}~Night~{attrib}~mediatype~{value}~1~{attrib}~"
                        L"appserviceidstr~{value}~VANTOR",
                        ctx));
    ASSERT_EQ(S_OK, Modify(bean.Get(), service, L"appname~{value}~Night shift~{attrib}~appdescr~{value}~late", ctx));
    ASSERT_EQ(S_OK, Search(bean.Get(), L"(&(objectclass=APPSERVICE)(appid=13)(sysserviceid=3)(customerid=1))",
                           L"appid,appname,appdescr,appserviceidstr", ctx));
    EXPECT_EQ(std::vector<std::wstring>{ L"13~{value}~Night shift~{value}~late~{value}~VANTOR" }, TvRows(bean.Get()));

    EXPECT_EQ(S_OK, Delete(bean.Get(), dn, ctx));
    EXPECT_EQ(S_OK, Delete(bean.Get(), service, ctx));
    EXPECT_TRUE(FAILED(Delete(bean.Get(), dn, ctx)));
    EXPECT_TRUE(TvHasCode(TvErrorsOf(bean.Get()), TVC_NO_SUCH_OBJECT));
}

TEST_F(Telvanta, ALockIsTakenOnceAndGivenBack)
{
    ComPtr<ILDAPBean> bean;
    std::wstring ctx = AdminLogin(bean);
    // The completion of a lock is its answer code with the two paths.
    EXPECT_TRUE(FAILED(Lock(bean.Get(), 11, L"1.1.1.1", L"4001", ctx)));
    std::vector<TvItem> done = TvErrorsOf(bean.Get());
    ASSERT_TRUE(TvHasCode(done, TVC_COMPLETED));
    EXPECT_EQ(L"apps\\1\\11\\11_1.ED", TvValueOf(done, L"currentedfilepath"));
    EXPECT_EQ(L"apps\\1\\11\\11_2.ED", TvValueOf(done, L"newedfilepath"));
    EXPECT_EQ(L"1", TvValueOf(done, L"appvernum"));
    EXPECT_EQ(std::vector<std::wstring>{ L"apps\\1\\11\\11_2.ED~{value}~apps\\1\\11\\11_1.ED" }, TvRows(bean.Get()));

    // A second locker is refused and told who holds the lock.
    ComPtr<ILDAPBean> rival;
    std::wstring rivalCtx = AdminLogin(rival, L"4002", L"246801");
    EXPECT_TRUE(FAILED(Lock(rival.Get(), 11, L"2.2.2.2", L"4002", rivalCtx)));
    std::vector<TvItem> refused = TvErrorsOf(rival.Get());
    EXPECT_FALSE(TvHasCode(refused, TVC_COMPLETED));
    EXPECT_TRUE(TvHasCode(refused, TVC_LOCKED_BY_OTHER));
    EXPECT_EQ(L"4001", TvValueOf(refused, L"lockinguser"));
    EXPECT_EQ(L"1.1.1.1", TvValueOf(refused, L"lockingpc"));
    // So is the holder himself on another PC.
    EXPECT_TRUE(FAILED(Lock(bean.Get(), 11, L"3.3.3.3", L"4001", ctx)));
    EXPECT_TRUE(TvHasCode(TvErrorsOf(bean.Get()), TVC_LOCKED_BY_OTHER));

    // The application list shows the holder.
    ASSERT_EQ(S_OK, Search(bean.Get(), L"(&(objectclass=APPPROFILE)(customerid=1)(visible=1)(appprofid=11))",
                           L"lockingpc,lockinguser", ctx));
    EXPECT_EQ(std::vector<std::wstring>{ L"1.1.1.1~{value}~4001" }, TvRows(bean.Get()));

    EXPECT_EQ(S_OK, Lock(bean.Get(), 11, L"", L"", ctx, 1));
    // Unlocked, the list shows no holder: both values empty.
    ASSERT_EQ(S_OK, Search(bean.Get(), L"(&(objectclass=APPPROFILE)(customerid=1)(visible=1)(appprofid=11))",
                           L"lockingpc,lockinguser,compiledok", ctx));
    EXPECT_EQ(std::vector<std::wstring>{ L"~{value}~~{value}~1" }, TvRows(bean.Get()));
    EXPECT_TRUE(FAILED(Lock(bean.Get(), 11, L"", L"", ctx, 1)));
    EXPECT_TRUE(FAILED(Lock(rival.Get(), 11, L"2.2.2.2", L"4002", rivalCtx)));
    EXPECT_TRUE(TvHasCode(TvErrorsOf(rival.Get()), TVC_COMPLETED));
    EXPECT_EQ(S_OK, Lock(rival.Get(), 11, L"", L"", rivalCtx, 1));
    EXPECT_TRUE(FAILED(Lock(bean.Get(), 99, L"1.1.1.1", L"4001", ctx)));
    EXPECT_TRUE(TvHasCode(TvErrorsOf(bean.Get()), TVC_NO_SUCH_OBJECT));
}

TEST_F(Telvanta, TwoLockersAtOnceGetOneLock)
{
    std::wstring ctxs[2];
    for (int i = 0; i < 2; ++i) {
        ComPtr<ILDAPBean> bean;
        ctxs[i] = AdminLogin(bean);
    }
    long completed[2] = {}, refused[2] = {};
    auto locker = [&](int i) {
        CoInitialize(nullptr);
        {
            ComPtr<ILDAPBean> bean;
            if (SUCCEEDED(MakeBean(bean))) {
                std::wstring pc = i ? L"5.5.5.5" : L"6.6.6.6";
                Lock(bean.Get(), 14, pc, L"4001", ctxs[i]);
                std::vector<TvItem> errors = TvErrorsOf(bean.Get());
                completed[i] = TvHasCode(errors, TVC_COMPLETED);
                refused[i] = TvHasCode(errors, TVC_LOCKED_BY_OTHER);
            }
        }
        CoUninitialize();
    };
    std::thread a(locker, 0), b(locker, 1);
    a.join();
    b.join();
    EXPECT_EQ(1, completed[0] + completed[1]);
    EXPECT_EQ(1, refused[0] + refused[1]);
    ComPtr<ILDAPBean> bean;
    std::wstring ctx = AdminLogin(bean);
    EXPECT_EQ(S_OK, Lock(bean.Get(), 14, L"", L"", ctx, 1));
}

TEST_F(Telvanta, ANewApplicationIsCreatedCommittedAndCleanedUpAfterItsDeletion)
{
    ComPtr<ILDAPBean> bean;
    std::wstring ctx = AdminLogin(bean);
    long app = 0;
    {
        ComPtr<IAOSConfigWizard> wizard;
        ASSERT_EQ(S_OK, TvCreate(TELVANTA_PROGID_CONFIGWIZARD, IID_IAOSConfigWizard, wizard));
        CallLimit limit("GetUnusedAppID");
        ASSERT_EQ(S_OK, wizard->Connect(Bstr(ctx), Bstr(L"32"), Bstr(kServer)));
        ASSERT_EQ(S_OK, wizard->GetUnusedAppID(Bstr(ctx), Bstr(L"admin1"), 1, &app));
    }
    std::wstring appText = std::to_wstring(app);
    std::wstring dn = L"appid=" + appText + L"+customerid=1," + Suffix();
    EXPECT_TRUE(FAILED(Add(bean.Get(), dn,
                           L"volumeid~{value}~2~{attrib}~lockingpc~{value}~1.1.1.1~{attrib}~lockinguser~{value}~4001~{attrib}~"
                           L"appname~{value}~Fresh",
                           ctx)));
    std::vector<TvItem> created = TvErrorsOf(bean.Get());
    ASSERT_TRUE(TvHasCode(created, TVC_COMPLETED));
    std::wstring folder = L"apps\\1\\" + appText + L"\\" + appText;
    EXPECT_EQ(folder + L"_2.ED", TvValueOf(created, L"newedfilepath"));

    ASSERT_EQ(S_OK, Search(bean.Get(), L"(&(objectclass=APPPROFILE)(appprofid=" + appText + L")(customerid=1))",
                           L"appname,appvernum,visible,compiledok,lockinguser,apppreviousvernum", ctx));
    EXPECT_EQ(std::vector<std::wstring>{ L"Fresh~{value}~1~{value}~0~{value}~0~{value}~4001~{value}~65535" },
              TvRows(bean.Get()));

    // A commit by another user is refused; the holder's gives a new version.
    ComPtr<ILDAPBean> rival;
    std::wstring rivalCtx = AdminLogin(rival, L"4002", L"246801");
    EXPECT_TRUE(FAILED(Modify(rival.Get(), dn, L"lockinguser~{value}~4002~{attrib}~lockingpc~{value}~2.2.2.2", rivalCtx)));
    EXPECT_FALSE(TvHasCode(TvErrorsOf(rival.Get()), TVC_COMPLETED));
    EXPECT_TRUE(FAILED(Modify(bean.Get(), dn, L"lockinguser~{value}~4001~{attrib}~lockingpc~{value}~1.1.1.1", ctx)));
    std::vector<TvItem> committed = TvErrorsOf(bean.Get());
    ASSERT_TRUE(TvHasCode(committed, TVC_COMPLETED));
    EXPECT_EQ(folder + L"_2.ED", TvValueOf(committed, L"currentedfilepath"));
    EXPECT_EQ(folder + L"_3.ED", TvValueOf(committed, L"newedfilepath"));
    ASSERT_EQ(S_OK, Search(bean.Get(), L"(&(objectclass=APPPROFILE)(appprofid=" + appText +
                                           L")(customerid=1)(visible=0)(apppreviousvernum=1))",
                           L"appvernum,appname", ctx));
    EXPECT_EQ(std::vector<std::wstring>{ L"2~{value}~Fresh" }, TvRows(bean.Get()));
    ASSERT_EQ(S_OK, Search(bean.Get(), L"(&(objectclass=APPPROFILE)(appprofid=" + appText + L")(visible=1))",
                           L"appvernum", ctx));
    EXPECT_EQ(std::vector<std::wstring>{ L"1" }, TvRows(bean.Get()));

    // Deleted, then cleaned up: no profile is left.
    EXPECT_EQ(S_OK, Delete(bean.Get(), dn, ctx));
    {
        ComPtr<IAOSConfigWizard> wizard;
        ASSERT_EQ(S_OK, TvCreate(TELVANTA_PROGID_CONFIGWIZARD, IID_IAOSConfigWizard, wizard));
        CallLimit limit("CleanUpDeleted");
        ASSERT_EQ(S_OK, wizard->Connect(Bstr(ctx), Bstr(L"32"), Bstr(kServer)));
        EXPECT_EQ(S_OK, wizard->CleanUpDeleted(Bstr(ctx), Bstr(L"admin1"), 0));
    }
    ASSERT_EQ(S_OK, Search(bean.Get(), L"(&(objectclass=APPPROFILE)(appprofid=" + appText + L"))", L"appvernum", ctx));
    EXPECT_TRUE(TvRows(bean.Get()).empty());
}

TEST_F(Telvanta, TheApplicationLimitAnswersCode3)
{
    TvWriteConfig(s_env, 0, 5);
    ComPtr<ILDAPBean> bean;
    std::wstring ctx = AdminLogin(bean);
    EXPECT_TRUE(FAILED(Add(bean.Get(), L"appid=777+customerid=1," + Suffix(),
                           L"lockingpc~{value}~1.1.1.1~{attrib}~lockinguser~{value}~4001~{attrib}~appname~{value}~Over",
                           ctx)));
    std::vector<TvItem> errors = TvErrorsOf(bean.Get());
    EXPECT_TRUE(TvHasCode(errors, TVC_APP_LIMIT));
    EXPECT_FALSE(TvHasCode(errors, TVC_COMPLETED));
}

TEST_F(Telvanta, TheErrorCollectionHoldsTheLastFailure)
{
    ComPtr<ILDAPBean> bean;
    std::wstring ctx = AdminLogin(bean);
    EXPECT_TRUE(FAILED(Delete(bean.Get(), L"rplid=12345," + Suffix(), ctx)));
    ComPtr<ILDAPErrors> errors;
    ASSERT_EQ(S_OK, bean->GetErrors(errors.Out()));
    long count = 0;
    ASSERT_EQ(S_OK, errors->get_Count(&count));
    ASSERT_EQ(1, count);
    ComPtr<ILDAPError> item;
    ASSERT_EQ(S_OK, errors->get_Item(0, item.Out()));
    long code = 0, level = 0;
    Bstr text1;
    EXPECT_EQ(S_OK, item->get_Code(&code));
    EXPECT_EQ(S_OK, item->get_Level(&level));
    EXPECT_EQ(S_OK, item->get_Text1(text1.Out()));
    EXPECT_EQ(TVC_NO_SUCH_OBJECT, code);
    EXPECT_EQ(1, level);
    EXPECT_FALSE(text1.Text().empty());
    ComPtr<ILDAPError> none;
    EXPECT_EQ(E_INVALIDARG, errors->get_Item(1, none.Out()));
    EXPECT_EQ(E_INVALIDARG, errors->get_Item(-1, none.Out()));
    // A later failure replaces the list; the collection handed out earlier
    // keeps what it held.
    EXPECT_TRUE(FAILED(Search(bean.Get(), L"(objectclass=APPLICATION", L"appid", ctx)));
    std::vector<TvItem> now = TvErrorsOf(bean.Get());
    ASSERT_EQ(1u, now.size());
    EXPECT_EQ(TVC_BAD_REQUEST, now[0].code);
    ASSERT_EQ(S_OK, errors->get_Count(&count));
    EXPECT_EQ(1, count);
}

TEST_F(Telvanta, HostileValuesAreEscapedOrRefused)
{
    ComPtr<ILDAPBean> bean;
    ASSERT_EQ(S_OK, MakeBean(bean));
    // A user id of filter metacharacters finds nobody.
    for (const wchar_t* user : { L"*)(uid=*", L"*", L"4001)(|(usermailboxnum=*", L"4001\\" }) {
        EXPECT_TRUE(FAILED(Login(bean.Get(), user, L"135790"))) << user;
        EXPECT_TRUE(TvHasCode(TvErrorsOf(bean.Get()), TVC_INVALID_CREDENTIALS)) << user;
    }
    EXPECT_TRUE(FAILED(Login(bean.Get(), L"4001", L"135790", L"*")));
    EXPECT_TRUE(FAILED(Login(bean.Get(), std::wstring(5000, L'4'), L"135790")));
    EXPECT_TRUE(TvHasCode(TvErrorsOf(bean.Get()), TVC_BAD_REQUEST));
    EXPECT_TRUE(FAILED(Login(bean.Get(), L"4001", std::wstring(5000, L'1'))));
    EXPECT_TRUE(TvHasCode(TvErrorsOf(bean.Get()), TVC_BAD_REQUEST));

    std::wstring ctx = AdminLogin(bean);
    // DN values with metacharacters name no other entry.
    EXPECT_TRUE(FAILED(Modify(bean.Get(), L"userid=*)(uid=*," + Suffix(),
                              L"usermailboxpsswd~{value}~592047~{mv}~135790", ctx)));
    EXPECT_TRUE(FAILED(Modify(bean.Get(), L"userid=admin1+uid=plain," + Suffix(),
                              L"usermailboxpsswd~{value}~592047~{mv}~135790", ctx)));
    EXPECT_TRUE(FAILED(Delete(bean.Get(), L"rplid=6,o=elsewhere", ctx)));
    EXPECT_TRUE(FAILED(Delete(bean.Get(), L"uid=plain," + Suffix(), ctx)));
    EXPECT_TRUE(FAILED(Delete(bean.Get(), L"tvctxid=" + ctx + L",ou=contexts," + Suffix(), ctx)));
    EXPECT_TRUE(FAILED(Add(bean.Get(), L"cn=intruder," + Suffix(), L"cn~{value}~intruder", ctx)));
    EXPECT_TRUE(FAILED(Modify(bean.Get(), L"rplid=6," + Suffix(), L"userPassword~{value}~x", ctx)));
    EXPECT_TRUE(FAILED(Modify(bean.Get(), L"rplid=6," + Suffix(), L"objectClass~{value}~TELVANTAUSER", ctx)));
    EXPECT_TRUE(FAILED(Modify(bean.Get(), L"rplid=6," + Suffix(), L"rplname~{value}~" + std::wstring(5000, L'x'), ctx)));
    // The server's own entries and secrets never answer a search.
    EXPECT_TRUE(FAILED(Search(bean.Get(), L"(objectclass=*)", L"userPassword", ctx)));
    EXPECT_TRUE(FAILED(Search(bean.Get(), L"(objectclass=*)", L"uid", ctx, L"", L"ou=contexts," + Suffix())));
    ASSERT_EQ(S_OK, Search(bean.Get(), L"(|(objectclass=TVCONTEXT)(objectclass=pwdPolicy)(cn=aos))", L"cn", ctx));
    EXPECT_TRUE(TvRows(bean.Get()).empty());
    EXPECT_TRUE(FAILED(Search(bean.Get(), L"(uid=*)(uid=*)", L"uid", ctx)));
    // A lock filter's values are values, not more filter.
    EXPECT_TRUE(FAILED(Lock(bean.Get(), 12, L"1.1.1.1", L"4001)(lockinguser=*", ctx)));
    EXPECT_TRUE(FAILED(Lock(bean.Get(), 12, L"1.1.1.1", std::wstring(100, L'u'), ctx)));
    EXPECT_TRUE(TvHasCode(TvErrorsOf(bean.Get()), TVC_BAD_REQUEST));
}

TEST_F(Telvanta, TheAdminServiceAnswersItsOperations)
{
    ComPtr<ILDAPBean> bean;
    std::wstring ctx = AdminLogin(bean);
    ComPtr<IAOSConfigWizard> wizard;
    ASSERT_EQ(S_OK, TvCreate(TELVANTA_PROGID_CONFIGWIZARD, IID_IAOSConfigWizard, wizard));
    CallLimit limit("admin service");
    // During the login: no context, only the suffix.
    ASSERT_EQ(S_OK, wizard->Connect(Bstr(L""), Bstr(L"32"), Bstr(kServer)));
    Bstr suffix;
    ASSERT_EQ(S_OK, wizard->GetLdapSuffix(suffix.Out()));
    EXPECT_EQ(Suffix(), suffix.Text());
    long id = 0;
    EXPECT_TRUE(FAILED(wizard->GetUnusedAppID(Bstr(L""), Bstr(L"admin1"), 1, &id)));
    EXPECT_EQ(0u, TvServiceError().find(L"60780#"));

    ASSERT_EQ(S_OK, wizard->Connect(Bstr(ctx), Bstr(L"32"), Bstr(kServer)));
    long first = 0, second = 0;
    ASSERT_EQ(S_OK, wizard->GetUnusedAppID(Bstr(ctx), Bstr(L"admin1"), 1, &first));
    ASSERT_EQ(S_OK, wizard->GetUnusedAppID(Bstr(ctx), Bstr(L"admin1"), 1, &second));
    EXPECT_GE(first, 300);
    EXPECT_EQ(first + 1, second);
    EXPECT_TRUE(FAILED(wizard->GetUnusedAppID(Bstr(ctx), Bstr(L"admin1"), -1, &id)));
    ComPtr<IKeyCode> key;
    ASSERT_EQ(S_OK, wizard->GetKeyCode(Bstr(ctx), Bstr(L"admin1"), key.Out()));
    short type = 0;
    EXPECT_EQ(S_OK, key->get_SwitchType(&type));
    EXPECT_EQ(1, type);
    EXPECT_EQ(S_OK, wizard->StartVersionManager(Bstr(ctx), Bstr(L"admin1"), 0, 0));
    EXPECT_EQ(S_OK, wizard->CleanUpDeleted(Bstr(ctx), Bstr(L"admin1"), 0));
    // Only for the user of the context.
    EXPECT_TRUE(FAILED(wizard->CleanUpDeleted(Bstr(ctx), Bstr(L"plain"), 0)));
    EXPECT_EQ(0u, TvServiceError().find(L"50#"));
    EXPECT_TRUE(FAILED(wizard->StartVersionManager(Bstr(ctx), Bstr(L"*"), 0, 0)));

    ComPtr<IAOSConfigWizard> refused;
    ASSERT_EQ(S_OK, TvCreate(TELVANTA_PROGID_CONFIGWIZARD, IID_IAOSConfigWizard, refused));
    EXPECT_TRUE(FAILED(refused->Connect(Bstr(ctx), Bstr(L"31"), Bstr(kServer))));
    std::wstring description = TvServiceError();
    ASSERT_NE(std::wstring::npos, description.find(L'#'));
    EXPECT_EQ(L"50", description.substr(0, description.find(L'#')));
    EXPECT_TRUE(FAILED(refused->Connect(Bstr(L"FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"), Bstr(L"32"), Bstr(kServer))));
    EXPECT_EQ(0u, TvServiceError().find(L"60780#"));
    EXPECT_TRUE(FAILED(refused->GetLdapSuffix(suffix.Out())));

    EXPECT_EQ(S_OK, bean->EndContext(Bstr(ctx)));
    EXPECT_TRUE(FAILED(wizard->StartVersionManager(Bstr(ctx), Bstr(L"admin1"), 0, 0)));
    EXPECT_EQ(0u, TvServiceError().find(L"60780#"));
}

TEST_F(Telvanta, FilesTravelBetweenTheStorageAndTheClient)
{
    ComPtr<ILDAPBean> bean;
    std::wstring ctx = AdminLogin(bean);
    ComPtr<IAOSFileTransfer> files;
    ASSERT_EQ(S_OK, TvCreate(TELVANTA_PROGID_FILETRANSFER, IID_IAOSFileTransfer, files));
    CallLimit limit("file transfer");
    ASSERT_EQ(S_OK, files->Connect(Bstr(ctx), Bstr(L"32"), Bstr(kAccount), Bstr(kCompanion), Bstr(kServer)));

    std::wstring local = LocalTemp(L"tv_main.ed");
    DeleteFileW(local.c_str());
    ASSERT_EQ(S_OK, files->ReceiveFile(Bstr(ctx), Bstr(L"admin1"), Bstr(L"apps\\1\\10\\10_1.ED"), Bstr(local)));
    EXPECT_EQ("program Main menu version 1\n", ReadAll(local));

    WriteAll(local, "program Main menu version 2\n");
    ASSERT_EQ(S_OK, files->SendFile(Bstr(ctx), Bstr(L"admin1"), Bstr(local), Bstr(L"apps\\\\1\\\\10\\\\10_2.ED")));
    EXPECT_EQ("program Main menu version 2\n", ReadAll(L"T:\\apps\\1\\10\\10_2.ED"));

    WriteAll(local, "voice");
    ASSERT_EQ(S_OK, files->SendMediaRecord(Bstr(ctx), Bstr(L"admin1"), Bstr(local), Bstr(L"media\\M10"), 5, 2, 2));
    EXPECT_EQ("voice", ReadAll(L"T:\\media\\M10\\R5.VOX"));
    ASSERT_EQ(S_OK, files->SendMediaRecord(Bstr(ctx), Bstr(L"admin1"), Bstr(local), Bstr(L"media\\M10"), 6, 1, 2));
    EXPECT_EQ("voice", ReadAll(L"T:\\media\\M10\\R6.FAX"));
    EXPECT_TRUE(FAILED(files->SendMediaRecord(Bstr(ctx), Bstr(L"admin1"), Bstr(local), Bstr(L"media\\M10"), 0, 2, 2)));
    EXPECT_TRUE(FAILED(files->SendMediaRecord(Bstr(ctx), Bstr(L"admin1"), Bstr(local), Bstr(L"media\\M10"), 7, 3, 2)));

    // The server copies a version's media file to another file id.
    ASSERT_EQ(S_OK, Modify(bean.Get(), L"mmfsfileid=M10,appprofid=10,appvernum=1," + Suffix(),
                           L"mmfsfileid~{value}~M10~{attrib}~appprofid~{value}~10~{attrib}~appvernum~{value}~1~{attrib}~"
                           L"destmmfsfileid~{value}~M99~{attrib}~destappprofid~{value}~99~{attrib}~destappvernum~{value}~1",
                           ctx));
    EXPECT_EQ("voice", ReadAll(L"T:\\media\\M99\\R5.VOX"));
    EXPECT_EQ("voice", ReadAll(L"T:\\media\\M99\\R6.FAX"));
    EXPECT_TRUE(FAILED(Modify(bean.Get(), L"mmfsfileid=M10,appprofid=10,appvernum=1," + Suffix(),
                              L"destmmfsfileid~{value}~..\\x", ctx)));
    EXPECT_TRUE(FAILED(Modify(bean.Get(), L"mmfsfileid=M404,appprofid=10,appvernum=1," + Suffix(),
                              L"destmmfsfileid~{value}~M98", ctx)));
    EXPECT_TRUE(TvHasCode(TvErrorsOf(bean.Get()), TVC_NO_SUCH_OBJECT));

    // Time stamps: the server file's last write.
    std::wstring stamp = LocalTemp(L"tv_stamp.txt");
    ASSERT_EQ(S_OK, files->ReceiveTimeStamp(Bstr(ctx), Bstr(L"admin1"), Bstr(stamp), Bstr(L"apps\\1\\10\\10_1.ED")));
    long same = -1;
    ASSERT_EQ(S_OK, files->CompareTimeStamp(Bstr(ctx), Bstr(L"admin1"), Bstr(stamp), Bstr(L"apps\\1\\10\\10_1.ED"), &same));
    EXPECT_EQ(1, same);
    ASSERT_EQ(S_OK, files->CompareTimeStamp(Bstr(ctx), Bstr(L"admin1"), Bstr(stamp), Bstr(L"apps\\1\\10\\10_2.ED"), &same));
    HANDLE h = CreateFileW(L"T:\\apps\\1\\10\\10_1.ED", FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    FILETIME old = { 0x12345678, 0x01D00000 };
    SetFileTime(h, nullptr, nullptr, &old);
    CloseHandle(h);
    ASSERT_EQ(S_OK, files->CompareTimeStamp(Bstr(ctx), Bstr(L"admin1"), Bstr(stamp), Bstr(L"apps\\1\\10\\10_1.ED"), &same));
    EXPECT_EQ(0, same);

    // Failures: a missing server file leaves no local copy behind.
    std::wstring missing = LocalTemp(L"tv_missing.ed");
    DeleteFileW(missing.c_str());
    EXPECT_TRUE(FAILED(files->ReceiveFile(Bstr(ctx), Bstr(L"admin1"), Bstr(L"apps\\1\\10\\nothing.ED"), Bstr(missing))));
    EXPECT_EQ(0u, TvServiceError().find(L"32#"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(missing.c_str()));
    // Another drive of the server is a folder of the storage, not the client's.
    EXPECT_TRUE(FAILED(files->ReceiveFile(Bstr(ctx), Bstr(L"admin1"), Bstr(L"C:\\windows\\win.ini"), Bstr(missing))));
    EXPECT_EQ(0u, TvServiceError().find(L"32#"));
    for (const wchar_t* path : { L"..\\..\\windows\\win.ini", L"C:..\\windows\\win.ini", L"\\apps\\1\\10\\10_1.ED",
                                 L"apps\\1\\..\\..\\..\\x", L"d:\\..\\..\\x" }) {
        EXPECT_TRUE(FAILED(files->ReceiveFile(Bstr(ctx), Bstr(L"admin1"), Bstr(path), Bstr(missing)))) << path;
        EXPECT_EQ(0u, TvServiceError().find(L"60790#")) << path;
        EXPECT_TRUE(FAILED(files->SendFile(Bstr(ctx), Bstr(L"admin1"), Bstr(local), Bstr(path)))) << path;
    }
    EXPECT_TRUE(FAILED(files->SendFile(Bstr(L"0123"), Bstr(L"admin1"), Bstr(local), Bstr(L"apps\\x.ED"))));
}

TEST_F(Telvanta, TheLoginLibraryFetchesFilesWithoutAContextButSendsNothing)
{
    ComPtr<IAOSFileTransfer> files;
    ASSERT_EQ(S_OK, TvCreate(TELVANTA_PROGID_FILETRANSFER, IID_IAOSFileTransfer, files));
    CallLimit limit("file transfer");
    EXPECT_TRUE(FAILED(files->Connect(Bstr(L""), Bstr(L""), Bstr(L"someone"), Bstr(kCompanion), Bstr(kServer))));
    ASSERT_EQ(S_OK, files->Connect(Bstr(L""), Bstr(L""), Bstr(kAccount), Bstr(kCompanion), Bstr(kServer)));
    // The server's certificate and its time stamp, as the login library gets them.
    const wchar_t certificate[] = L"d:\\zantrel\\ssl\\Telvanta.cer";
    std::wstring cer = LocalTemp(L"tv_Telvanta.cer"), ts = LocalTemp(L"tv_Telvanta.ts");
    ASSERT_EQ(S_OK, files->ReceiveFile(Bstr(L""), Bstr(L""), Bstr(certificate), Bstr(cer)));
    EXPECT_EQ("Telvanta test server certificate\n", ReadAll(cer));
    ASSERT_EQ(S_OK, files->ReceiveTimeStamp(Bstr(L""), Bstr(L""), Bstr(ts), Bstr(certificate)));
    long same = 0;
    ASSERT_EQ(S_OK, files->CompareTimeStamp(Bstr(L""), Bstr(L""), Bstr(ts), Bstr(certificate), &same));
    EXPECT_EQ(1, same);
    std::wstring local = LocalTemp(L"tv_fetch.ed");
    ASSERT_EQ(S_OK, files->ReceiveFile(Bstr(L""), Bstr(L""), Bstr(L"apps\\1\\11\\11_1.ED"), Bstr(local)));
    EXPECT_EQ("program Sales version 1\n", ReadAll(local));
    EXPECT_TRUE(FAILED(files->SendFile(Bstr(L""), Bstr(L""), Bstr(local), Bstr(L"apps\\1\\11\\11_9.ED"))));
    EXPECT_EQ(0u, TvServiceError().find(L"50#"));
}

TEST_F(Telvanta, StorageFullIsAnsweredWithItsCode)
{
    ComPtr<ILDAPBean> setup;
    std::wstring ctx = AdminLogin(setup);
    std::wstring local = LocalTemp(L"tv_full.ed");
    WriteAll(local, "full");
    for (DWORD code : { 60656u, 60657u, 60658u }) {
        TvWriteConfig(s_env, code);
        ComPtr<ILDAPBean> bean;
        ASSERT_EQ(S_OK, MakeBean(bean));
        EXPECT_TRUE(FAILED(Modify(bean.Get(), L"rplid=6," + Suffix(), L"rplname~{value}~Full", ctx)));
        EXPECT_TRUE(TvHasCode(TvErrorsOf(bean.Get()), static_cast<long>(code)));
        // Reading still works.
        EXPECT_EQ(S_OK, Search(bean.Get(), L"(&(objectclass=RESTRICTIONPERMISSION)(rplid=6))", L"rplname", ctx));
        EXPECT_EQ(std::vector<std::wstring>{ L"RPL 1" }, TvRows(bean.Get()));

        ComPtr<IAOSFileTransfer> files;
        ASSERT_EQ(S_OK, TvCreate(TELVANTA_PROGID_FILETRANSFER, IID_IAOSFileTransfer, files));
        CallLimit limit("file transfer");
        ASSERT_EQ(S_OK, files->Connect(Bstr(ctx), Bstr(L"32"), Bstr(kAccount), Bstr(kCompanion), Bstr(kServer)));
        EXPECT_TRUE(FAILED(files->SendFile(Bstr(ctx), Bstr(L"admin1"), Bstr(local), Bstr(L"apps\\1\\12\\12_5.ED"))));
        EXPECT_EQ(0u, TvServiceError().find(std::to_wstring(code) + L"#"));
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(L"T:\\apps\\1\\12\\12_5.ED"));
        EXPECT_TRUE(FAILED(files->SendMediaRecord(Bstr(ctx), Bstr(L"admin1"), Bstr(local), Bstr(L"media\\M12"), 1, 2, 2)));
    }
}

TEST_F(Telvanta, ThePasswordEncoderNeverShowsThePassword)
{
    ComPtr<IPwdEncoder> encoder;
    ASSERT_EQ(S_OK, TvCreate(TELVANTA_PROGID_PWDENCODER, IID_IPwdEncoder, encoder));
    Bstr a, b, c;
    ASSERT_EQ(S_OK, encoder->Encode(Bstr(L"135790"), a.Out()));
    ASSERT_EQ(S_OK, encoder->Encode(Bstr(L"135790"), b.Out()));
    ASSERT_EQ(S_OK, encoder->Encode(Bstr(L"135791"), c.Out()));
    EXPECT_EQ(a.Text(), b.Text());
    EXPECT_NE(a.Text(), c.Text());
    EXPECT_EQ(0u, a.Text().find(L"TV1$"));
    EXPECT_EQ(68u, a.Text().size());
    EXPECT_EQ(std::wstring::npos, a.Text().find(L"135790"));
    Bstr refused;
    EXPECT_TRUE(FAILED(encoder->Encode(Bstr(L""), refused.Out())));
    EXPECT_TRUE(refused.IsNull());
    EXPECT_TRUE(FAILED(encoder->Encode(Bstr(std::wstring(200, L'1')), refused.Out())));
    EXPECT_EQ(E_POINTER, encoder->Encode(Bstr(L"1"), nullptr));
}
