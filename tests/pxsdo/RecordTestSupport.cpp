// The controller of the record tests and their helpers.
#include "RecordTestSupport.h"
#include "PXWinApp.h"

namespace {

BeepRecorder* s_pBeeps = nullptr;

// One controller for the whole run, as the program makes at start-up.
class SoftDataEnvironment : public testing::Environment
{
public:
    void SetUp() override
    {
        m_pApp = new PXWinApp(GetModuleHandleA(nullptr));
        PXSoftObj::Init(m_pApp);
    }
    void TearDown() override
    {
        delete m_pApp;
    }

private:
    PXWinApp* m_pApp = nullptr;
};

testing::Environment* const s_pEnv = testing::AddGlobalTestEnvironment(new SoftDataEnvironment);

} // namespace

BeepRecorder::BeepRecorder()
{
    s_pBeeps = this;
    m_pfnPrev = PXSetMessageBeepHook(Hook);
}

BeepRecorder::~BeepRecorder()
{
    PXSetMessageBeepHook(m_pfnPrev);
    s_pBeeps = nullptr;
}

void BeepRecorder::Hook(UINT)
{
    if (s_pBeeps)
        ++s_pBeeps->nBeeps;
}

void FillRows(PXObArray& rList, int nCount)
{
    for (int i = 0; i < nCount; ++i)
    {
        PXSoftRec* pRow = PXSoftRec::Create(TREC_ROW, FALSE);
        PXFieldValue(TF_NUMBER, pRow).SetInt32(i);
        CString label;
        label.Format("row %d", i);
        PXFieldValue(TF_LABEL, pRow).SetText(label);
        EXPECT_EQ(1, pRow->Commit());
        rList.Add(pRow);
    }
}

long NumberOf(PXSoftRec* pRec)
{
    return *PXFieldValue(TF_NUMBER, pRec).GetInt32();
}
