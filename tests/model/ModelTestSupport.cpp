// Shared set-up of the program-model tests.
#include "ModelTestSupport.h"
#include "bwcc/Bwcc.h"
#include "owl/TDialog.h"

IconInfoTable* ModelTest::s_pTable = nullptr;
Icons* ModelTest::s_pIcons = nullptr;

void ModelTest::SetUpTestSuite()
{
    if (s_pIcons)
        return;
    // The block property sheets' page templates, as the editor loads them.
    HINSTANCE hDialogs = LoadLibraryA("pxdlg.dll");
    ASSERT_NE(nullptr, hDialogs);
    BWCCRegister(hDialogs);
    TDialog::SetDialogLibrary(hDialogs);
    s_pTable = new IconInfoTable();
    ASSERT_GT(kvrGetPowerBlockList(s_pTable, 0, 1), 0);
    s_pIcons = new Icons(s_pTable);
    Icons::SetCurrent(s_pIcons);
}

void ModelTest::SetUp()
{
    // A settings file of these tests' own: other test programs running at
    // the same time write theirs.
    ModelSettings settings;
    settings.strSettingsFile = "PXMODELTEST.INI";
    ModelSetSettings(settings);
    m_pOldObserver = ModelSetObserver(&m_observer);
    Page::ForgetDefaultPositions();
}

void ModelTest::TearDown()
{
    ModelSetObserver(m_pOldObserver);
    ModelSetSettings(ModelSettings());
}

Program* ModelTest::NewProgram()
{
    Program* pProgram = new Program("Untitled", 0);
    EXPECT_TRUE(pProgram->HasHandle());
    Page* pMain = new Page(pProgram, "Main", PX_PAGE_MAIN, 0);
    EXPECT_TRUE(pMain->HasHandle());
    pProgram->AddPage(pMain);
    EXPECT_EQ(1, pMain->AddMainDefaultBlocks());
    return pProgram;
}

PowerBlockIcon* ModelTest::IconOf(int nType)
{
    return s_pIcons->FindByType(nType);
}

PowerBlock* ModelTest::AddBlock(Page* pPage, int nType, const char* pszName, long x, long y)
{
    PowerBlockIcon* pIcon = IconOf(nType);
    EXPECT_NE(nullptr, pIcon) << "type " << nType;
    if (!pIcon)
        return nullptr;
    int nRetry = 1;
    PowerBlock* pBlock = new PowerBlock(pPage, pszName, pIcon->GetInfo(), pIcon, x, y, &nRetry, nullptr, 0, nullptr);
    EXPECT_TRUE(pBlock->HasHandle()) << pszName;
    EXPECT_EQ(0, nRetry);
    if (!pBlock->HasHandle())
    {
        delete pBlock;
        return nullptr;
    }
    pPage->AddObject(pBlock);
    // As the page pane does after a drop: the model leads a new block's
    // "Rotary" output to the page's Rotary Dial block.
    pBlock->SyncGotos(0, 0, 0);
    return pBlock;
}

int ModelTest::CountBlocks(Program* pProgram)
{
    int n = 0;
    ListIterator pages(pProgram->GetPages());
    while (pages)
        n += static_cast<Page&>(pages++).GetBlocks().getItemsInContainer();
    return n;
}

std::string QualifiedName(Page* pPage, PowerBlock* pBlock)
{
    if (pPage->GetKind() == PX_PAGE_MAIN)
        return pBlock->GetName();
    return std::string(pPage->GetName()) + "$" + pBlock->GetName();
}

void ExpectModelMatches(Program* pProgram)
{
    pProgram->Activate();
    int nPages = 0, nBlocks = 0;
    ListIterator pages(pProgram->GetPages());
    while (pages)
    {
        Page& page = static_cast<Page&>(pages++);
        ++nPages;
        EXPECT_EQ(page.GetHandle(), kvrFindPage(page.GetName())) << "page " << page.GetName();
        ListIterator blocks(page.GetBlocks());
        while (blocks)
        {
            PowerBlock& block = static_cast<PowerBlock&>(blocks++);
            ++nBlocks;
            EXPECT_EQ(block.GetHandle(), kvrFindPowerBlock(QualifiedName(&page, &block).c_str(), 1, 0))
                << "block " << block.GetName();
            // Every plain output: the editor's goto and the model's connection agree.
            int n = 0;
            for (int i = 0; i < block.GetOutputCount(); ++i)
            {
                const PBOutputEntry& entry = block.GetInfo()->outputs[i];
                if (entry.flags & KVR_OUTPUT_GROUP)
                    continue;
                Goto* pGoto = block.FindGoto(entry.name);
                kvrHandleType* hEditor = pGoto && pGoto->GetTarget() ? pGoto->GetTarget()->GetHandle() : nullptr;
                EXPECT_EQ(hEditor, kvrGetGotoConnection(block.GetHandle(), n))
                    << block.GetName() << "." << entry.name;
                if (pGoto)
                {
                    EXPECT_FALSE(pGoto->HasFlag(GOTO_FLAG_GROUP)) << block.GetName() << "." << entry.name;
                }
                ++n;
            }
            // Targets lie on the same page.
            ListIterator gotos(block.GetGotos());
            while (gotos)
            {
                Goto& line = static_cast<Goto&>(gotos++);
                ASSERT_NE(nullptr, line.GetTarget());
                EXPECT_EQ(&page, line.GetTarget()->GetPage());
                EXPECT_TRUE(page.GetBlocks().hasMember(*line.GetTarget()));
                EXPECT_NE(nullptr, block.FindOutput(line.GetOutputName()));
            }
        }
    }
    EXPECT_EQ(nPages, kvrGetTreeSize(KVR_SYM_PAGE));
    EXPECT_EQ(nBlocks, kvrGetTreeSize(KVR_SYM_POWERBLOCK));
}
