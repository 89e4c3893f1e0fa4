// The controller's session: the launch argument list's fields, the start
// of the client-server library in standalone and server mode, the title
// with the server version, the failed start that ends the process with a
// non-zero code, the logout, and the version comparison.
#include "PXUITestSupport.h"
#include "PXWinApp.h"
#include "plexmodel.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

// What the library was called with, and what it answers.
struct InitCall
{
    int n1, nCustomer, nRunThrough;
    std::string password, system, server;
    bool bNullSystem, bNullServer;
    int n7;
    std::string user;
    int nLogLevel, nLogInterval;
    std::string context, location;
    int nSslPort, nSslLevel;
};
std::vector<InitCall> g_inits;
int g_nInitResult = 0;
int g_nVersionResult = 0;
const char* g_pszVersion = "1.06.04";
int g_nVersionCalls = 0;
int g_nTermResult = 0;
int g_nTerms = 0;

int FakeInit(int n1, int nCustomer, int nRunThrough, const char* pszPassword, const char* pszSystem,
             const char* pszServer, int n7, const char* pszUser, int nLogLevel, int nLogInterval,
             const char* pszContext, const char* pszLocation, int nSslPort, int nSslLevel)
{
    g_inits.push_back({n1, nCustomer, nRunThrough, pszPassword ? pszPassword : "(null)",
                       pszSystem ? pszSystem : "", pszServer ? pszServer : "", pszSystem == nullptr,
                       pszServer == nullptr, n7, pszUser ? pszUser : "(null)", nLogLevel, nLogInterval,
                       pszContext ? pszContext : "(null)", pszLocation ? pszLocation : "(null)", nSslPort,
                       nSslLevel});
    return g_nInitResult;
}

int FakeTerm()
{
    ++g_nTerms;
    return g_nTermResult;
}

int FakeVersion(int, int, char* pszOut)
{
    ++g_nVersionCalls;
    if (g_pszVersion)
        lstrcpyA(pszOut, g_pszVersion);
    return g_nVersionResult;
}

// The process end after a failed login, as a test sees it.
struct ProcessEnded
{
    int nCode;
};
void ThrowExit(int nCode)
{
    throw ProcessEnded{nCode};
}

class Login : public RegisteredController
{
protected:
    void SetUp() override
    {
        RegisteredController::SetUp();
        g_inits.clear();
        g_nInitResult = 0;
        g_nVersionResult = 0;
        g_pszVersion = "1.06.04";
        g_nVersionCalls = 0;
        g_nTermResult = 0;
        g_nTerms = 0;
        m_oldCalls = PXWinApp::SetLinkCalls(PXLinkCalls{FakeInit, FakeTerm, FakeVersion});
        m_pfnOldExit = PXWinApp::SetExitCall(ThrowExit);
    }
    void TearDown() override
    {
        PXWinApp::SetExitCall(m_pfnOldExit);
        PXWinApp::SetLinkCalls(m_oldCalls);
        RegisteredController::TearDown();
    }

    PXLinkCalls m_oldCalls;
    PXWinApp::ExitCall m_pfnOldExit;
};

// A launch list as the login library writes it: 18 fields joined by " : ".
const char s_szServerLine[] =
    "plexlogin : Oslo : Fjord : 3 : srv.example : 389 : 6 : seven : 4711 : 9 : 12 : 11 : ENC : LOC9 : CTX-SECRET"
    " : 636 : 2 : 17";

} // namespace

TEST_F(Login, AnEmptyCommandLineIsStandaloneWithTheOfflineArguments)
{
    app->Login("", 2, 5);
    EXPECT_TRUE(app->IsStandalone());
    EXPECT_TRUE(app->IsServerVersionSupported());
    ASSERT_EQ(1u, g_inits.size());
    const InitCall& c = g_inits[0];
    EXPECT_EQ(0, c.n1);
    EXPECT_EQ(0, c.nCustomer);
    EXPECT_EQ(0, c.nRunThrough);
    EXPECT_EQ("", c.password);
    EXPECT_TRUE(c.bNullSystem);
    EXPECT_TRUE(c.bNullServer);
    EXPECT_EQ(0, c.n7);
    EXPECT_EQ("", c.user);
    EXPECT_EQ(2, c.nLogLevel);
    EXPECT_EQ(5, c.nLogInterval);
    EXPECT_EQ("2", c.context);
    EXPECT_EQ("2", c.location);
    EXPECT_EQ(636, c.nSslPort);
    EXPECT_EQ(0, c.nSslLevel);
    EXPECT_EQ(0, g_nVersionCalls);
    EXPECT_STREQ("", app->GetServerTitle());
}

TEST_F(Login, AServerLineGivesTheFieldsTheirArgumentsAndTheTitleItsVersion)
{
    app->Login(s_szServerLine, 3, 0);
    EXPECT_FALSE(app->IsStandalone());
    ASSERT_EQ(1u, g_inits.size());
    const InitCall& c = g_inits[0];
    EXPECT_EQ(6, c.n1);
    EXPECT_EQ(12, c.nCustomer);
    EXPECT_EQ(389, c.nRunThrough);
    EXPECT_EQ("ENC", c.password);
    EXPECT_EQ("Fjord", c.system);
    EXPECT_EQ("srv.example", c.server);
    EXPECT_EQ(0, c.n7);          // the last field has no separator after it
    EXPECT_EQ("4711", c.user);
    EXPECT_EQ("CTX-SECRET", c.context);
    EXPECT_EQ("LOC9", c.location);
    EXPECT_EQ(636, c.nSslPort);
    EXPECT_EQ(2, c.nSslLevel);
    EXPECT_EQ(1, g_nVersionCalls);
    EXPECT_STREQ("Oslo", app->GetLocation());
    EXPECT_STREQ("Fjord (Telvanta Server Version 1.06.04)", app->GetServerTitle());
    EXPECT_STREQ("1.06.04", PXGetServerVersionText());
    EXPECT_TRUE(app->IsServerVersionSupported());
}

TEST_F(Login, TheModelsBlockDefinitionsFollowTheServerVersionInServerModeOnly)
{
    ASSERT_EQ(KVR_OK, kvrUpdatePowerblockDefinitions("1.00"));
    g_pszVersion = "1.07b";
    MessageBoxRecorder boxes;
    app->Login(s_szServerLine, 3, 0);
    EXPECT_STREQ("1.07b", kvrGetPowerblockDefinitionsVersion());
    EXPECT_TRUE(boxes.boxes.empty());

    // Standalone: no version query, the definitions stay.
    ASSERT_EQ(KVR_OK, kvrUpdatePowerblockDefinitions("1.00"));
    g_nVersionCalls = 0;
    app->Login("", 3, 0);
    EXPECT_EQ(0, g_nVersionCalls);
    EXPECT_STREQ("1.00", kvrGetPowerblockDefinitionsVersion());
}

TEST_F(Login, AVersionTheModelRefusesIsReportedAndTheLoginGoesOn)
{
    ASSERT_EQ(KVR_OK, kvrUpdatePowerblockDefinitions("1.00"));
    g_pszVersion = "unknown";
    MessageBoxRecorder boxes;
    app->Login(s_szServerLine, 3, 0);
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("The PowerBlock definitions could not be matched to server version 'unknown'. "
              "The definitions in use stay as they are.",
              boxes.boxes[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes.boxes[0].uType & MB_ICONMASK);
    EXPECT_STREQ("1.00", kvrGetPowerblockDefinitionsVersion());
    EXPECT_STREQ("Fjord (Telvanta Server Version unknown)", app->GetServerTitle());
    EXPECT_FALSE(app->IsStandalone());
}

TEST_F(Login, AFailedVersionQueryLeavesTheTitleAndTheLoginGoesOn)
{
    g_nVersionResult = 73;
    g_pszVersion = nullptr;
    PXLinkCalls calls{FakeInit, FakeTerm, FakeVersion};
    PXWinApp::SetLinkCalls(calls);
    ASSERT_EQ(KVR_OK, kvrUpdatePowerblockDefinitions("1.00"));
    app->Login(s_szServerLine, 3, 0);
    EXPECT_STREQ("Fjord", app->GetServerTitle());
    EXPECT_STREQ("1.00", kvrGetPowerblockDefinitionsVersion());
}

TEST_F(Login, FieldsAreReadAsTheListWritesThem)
{
    PXLaunchArgs args;
    // Blanks beyond the separator's own belong to a text field; numbers
    // are trimmed and read with their leading digits.
    PXWinApp::ReadLaunchArgs("  p : loc  : sys : x :  host : 12ab : 0 : 7 : user", args);
    EXPECT_EQ("loc ", std::string(args.strLocation));
    EXPECT_EQ("sys", std::string(args.strSystemName));
    EXPECT_EQ(" host", std::string(args.strServer));
    EXPECT_EQ(12, args.lServerPort);
    // No separator left: the field is empty, whatever text remains.
    EXPECT_EQ("", std::string(args.strUserId));
    EXPECT_EQ(0, args.lCustomerId);

    // A line far longer than any fixed buffer is read whole.
    std::string longLine = "p : " + std::string(3000, 'L') + " : " + std::string(600, 'S') + " : 1 : host : 5";
    PXWinApp::ReadLaunchArgs(longLine.c_str(), args);
    EXPECT_EQ(3000, args.strLocation.GetLength());
    EXPECT_EQ(600, args.strSystemName.GetLength());
    EXPECT_EQ("host", std::string(args.strServer));
}

TEST_F(Login, ALineOfBlanksIsServerModeWithEmptyFields)
{
    app->Login("   ", 3, 0);
    EXPECT_FALSE(app->IsStandalone());
    ASSERT_EQ(1u, g_inits.size());
    EXPECT_FALSE(g_inits[0].bNullServer);
    EXPECT_EQ("", g_inits[0].server);
}

TEST_F(Login, LongFieldsAreCutToTheirBuffersAndTheTitleStaysTerminated)
{
    std::string line = "p : " + std::string(400, 'L') + " : " + std::string(300, 'S') + " : 1 : host : 5";
    app->Login(line.c_str(), 3, 0);
    EXPECT_EQ(254u, std::strlen(app->GetLocation()));
    EXPECT_EQ(254u, std::strlen(app->GetServerTitle()));
    EXPECT_EQ(std::string(254, 'S'), app->GetServerTitle());
}

TEST_F(Login, AFailedStartReportsAndEndsTheProcessWithANonZeroCode)
{
    for (int nResult : {60, 73, 35})
    {
        g_nInitResult = nResult;
        MessageBoxRecorder boxes;
        int nCode = -1;
        try
        {
            app->Login("", 3, 0);
        }
        catch (const ProcessEnded& e)
        {
            nCode = e.nCode;
        }
        EXPECT_EQ(PX_EXIT_LOGINFAILED, nCode) << nResult;
        EXPECT_NE(0, nCode);
        ASSERT_EQ(1u, boxes.boxes.size()) << nResult;
        EXPECT_EQ("Server not available.Please check connection.", boxes.boxes[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes.boxes[0].uType & MB_ICONMASK);
    }
    // Without the library's calls the start fails the same way.
    PXWinApp::SetLinkCalls(PXLinkCalls{nullptr, nullptr, nullptr});
    MessageBoxRecorder boxes;
    EXPECT_THROW(app->Login("", 3, 0), ProcessEnded);
    EXPECT_EQ(1u, boxes.boxes.size());
}

TEST_F(Login, LogoutEndsTheSessionAndAnswersWhetherTheLibraryFailed)
{
    EXPECT_FALSE(app->Logout());
    EXPECT_EQ(1, g_nTerms);
    g_nTermResult = 60;
    EXPECT_TRUE(app->Logout());
}

TEST(VersionStrings, CompareAsTheServerNumbersThem)
{
    const struct
    {
        const char* a;
        const char* b;
        int nResult;
    } cases[] = {
        {"1.06.04", "1.6.4", 0},   {"1.06", "1.06.04", 2},     {"1.06a", "1.06.01", 1},
        {"1.06a", "1.06.02", 2},   {"04.04.04.02", "1.06.04", 1}, {"", "1.06.04", 2},
        {"1.06A", "1.06.26", 1},   {"2", "1.99.99", 1},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.nResult, CompareVersionStrings(c.a, c.b)) << c.a << " vs " << c.b;
        // The comparison runs the same way both ways.
        int nBack = c.nResult == 0 ? 0 : 3 - c.nResult;
        EXPECT_EQ(nBack, CompareVersionStrings(c.b, c.a)) << c.b << " vs " << c.a;
    }
    PXVersion v = ParseVersionString("1.06a");
    EXPECT_EQ(1, v.nMajor);
    EXPECT_EQ(6, v.nMinor);
    EXPECT_EQ(1, v.nBuild);
    EXPECT_EQ(1, v.nLetter);
    v = ParseVersionString("1.06 Z");
    EXPECT_EQ(52, v.nBuild);
}

TEST_F(Login, AnOldServerVersionIsNotSupported)
{
    g_pszVersion = "1.06.03";
    app->Login(s_szServerLine, 3, 0);
    EXPECT_FALSE(app->IsServerVersionSupported());
}
