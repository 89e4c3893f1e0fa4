// The soft-object base with the application controller: definitions come
// from the controller's module, and extensions are checked before they run.
#include "PXTestSupport.h"

#include "PXSObj.h"
#include "PXWinApp.h"

namespace {

class ControllerEnvironment : public testing::Environment
{
public:
    void SetUp() override
    {
        m_pApp = new PXWinApp(GetModuleHandleA(nullptr));
        PXSoftObj::Init(m_pApp);
    }
    PXWinApp* m_pApp = nullptr;
};

ControllerEnvironment* const g_pEnv =
    static_cast<ControllerEnvironment*>(testing::AddGlobalTestEnvironment(new ControllerEnvironment));

} // namespace

TEST(SoftObjApp, ModuleIsTheControllersInstance)
{
    ASSERT_EQ(g_pEnv->m_pApp, PXSoftObj::GetApp());
    EXPECT_EQ(g_pEnv->m_pApp->m_hInstance, PXSoftObj::GetModule());
}

TEST(SoftObjApp, ExtensionsNeedAContextAndAKnownId)
{
    short sResult = 7;
    EXPECT_PXASSERT(PXSoftObj::CallExtension(32000, nullptr, &sResult), "(pContext!=0)");
    EXPECT_PXASSERT(PXSoftObj::CallExtension(32008, nullptr, &sResult), "(pContext!=0)");
    EXPECT_EQ(7, sResult);
}
