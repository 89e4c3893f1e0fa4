// The soft-object base with the application controller: definitions come
// from the controller's module, and extensions are checked before they run.
#include "PXTestSupport.h"

#include "PXSObj.h"
#include "PXSoftRecMem.h"
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

TEST(SoftObjApp, ExtensionAnswersArePassedOnAsTheTableSays)
{
    // Without an active application every extension reports and answers
    // -1; only the record operations pass that answer on.
    PXSoftRecMem context(32501);
    struct { WORD id; bool stored; } cases[] = {
        { 32000, true }, { 32001, false }, { 32002, true }, { 32003, true },
        { 32004, false }, { 32005, true }, { 32006, false }, { 32007, false },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.id);
        MessageBoxRecorder boxes;
        short sResult = 7;
        PXSoftObj::CallExtension(c.id, &context, &sResult);
        EXPECT_EQ(c.stored ? -1 : 7, sResult);
        EXPECT_EQ(1u, boxes.boxes.size());
        // Without a result the operation still runs.
        PXSoftObj::CallExtension(c.id, &context, nullptr);
        EXPECT_EQ(2u, boxes.boxes.size());
    }
    MessageBoxRecorder none;
    EXPECT_PXASSERT(PXSoftObj::CallExtension(31999, &context, nullptr), "(0)");
    EXPECT_PXASSERT(PXSoftObj::CallExtension(32008, &context, nullptr), "(0)");
    EXPECT_TRUE(none.boxes.empty());
}
