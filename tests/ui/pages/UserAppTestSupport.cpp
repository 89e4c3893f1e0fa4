// What the user application tests share.
#include "PXTestSupport.h"
#include "UserAppTestSupport.h"

namespace
{

const char* const kKey = "SOFTWARE\\Zantrel\\Telvanta\\Plexwright";

// The last window of a program asks the controller to close its
// application: the test records it.
bool RecordClose(Program* pProgram)
{
    g_closed.push_back(pProgram);
    return true;
}

} // namespace

std::vector<Program*> g_closed;
int g_nRecoveryResult = 0;
int g_nRecoveries = 0;
PXRecoveryInfo g_recovery;

bool FileExists(const std::string& path)
{
    DWORD dwAttr = GetFileAttributesA(path.c_str());
    return dwAttr != INVALID_FILE_ATTRIBUTES && (dwAttr & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

int __cdecl RecoverOnServer(const PXRecoveryInfo* pRecovery)
{
    ++g_nRecoveries;
    g_recovery = *pRecovery;
    return g_nRecoveryResult;
}

UserAppFixture::UserAppFixture() : m_app("Plexwright", GetModuleHandleA(nullptr), "") {}

void UserAppFixture::SetUp()
{
    ModelTest::SetUp();
    MakeDrawingTables();
    // The frame opens its block palette, which shows the block images.
    if (!m_pIconIL)
        PXCreateBlockImageLists();
    char szTemp[MAX_PATH];
    GetTempPathA(sizeof(szTemp), szTemp);
    // A folder of its own for each test, so that what one test's windows
    // still hold cannot stop the next one.
    static int s_nTest = 0;
    m_dir = std::string(szTemp) + "pxuserapp" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(++s_nTest) + "\\";
    PXRemoveTree(m_dir);
    ASSERT_TRUE(CreateDirectoryA(m_dir.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((m_dir + "default").c_str(), nullptr));
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                             &hKey, nullptr));
    RegSetValueExA(hKey, "ProgDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(m_dir.c_str()),
                   static_cast<DWORD>(m_dir.size() + 1));
    RegCloseKey(hKey);
    ASSERT_EQ(0, PXInitPlexwright(0, 1, 0, nullptr, nullptr, nullptr, 0, nullptr, 0, 0, nullptr, nullptr, 0, 0));

    m_pController.reset(new PXWinApp(GetModuleHandleA(nullptr)));
    m_pController->SetStandalone(TRUE);
    PXSoftObj::Init(m_pController.get());
    PXSetWinApp(m_pController.get());
    m_pFrame = new UIMDIFrame(m_client);
    m_app.SetMainWindow(m_pFrame);
    ASSERT_TRUE(m_pFrame->Create());
    m_pPages.reset(new UIFramePages(*m_pFrame));
    m_pPages->pfnClose = RecordClose;
    g_closed.clear();
    g_nRecoveryResult = 0;
    g_nRecoveries = 0;
    m_oldCalls = PXSetAppLink(PXAppLinkExports());
}

void UserAppFixture::TearDown()
{
    PXSetAppLink(m_oldCalls);
    for (PXUserApp* pUserApp : m_userApps)
        delete pUserApp;
    MessageBoxRecorder boxes;     // a modified program's question
    while (m_pFrame && m_pFrame->GetChildCount() > 0)
    {
        int nBefore = m_pFrame->GetChildCount();
        ::SendMessageA(m_pFrame->GetChild(0)->GetHandle(), WM_CLOSE, 0, 0);
        if (m_pFrame->GetChildCount() == nBefore)
            break;
    }
    m_pPages.reset();
    PXSetWinApp(nullptr);
    m_pController.reset();
    PXTermPlexwright();
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKey);
    PXRemoveTree(m_dir);
    ModelTest::TearDown();
}

void UserAppFixture::WriteProgramFile(const std::string& path, void (*fill)(Program*))
{
    Program* pProgram = NewProgram();
    pProgram->Activate();
    if (fill)
        fill(pProgram);
    ASSERT_EQ(1, PXFileSaveProgram(path.c_str(), pProgram, nullptr));
    delete pProgram;
}

PXUserApp* UserAppFixture::NewUserApp(const char* pszName, long lId)
{
    PXUserApp* pUserApp = new PXUserApp(CString(pszName));
    PXFieldValue(PXFIELD_USER_APP_ID, pUserApp).SetInt32(lId);
    EXPECT_EQ(1, pUserApp->Commit());
    m_userApps.push_back(pUserApp);
    return pUserApp;
}

PXObArray& UserAppFixture::List(PXUserApp* pUserApp, WORD wField)
{
    return *static_cast<PXObArray*>(pUserApp->GetFieldMem(wField));
}

std::string UserAppFixture::Text(PXSoftRec* pRec, WORD wField)
{
    return static_cast<const char*>(*PXFieldValue(wField, pRec).GetText());
}
