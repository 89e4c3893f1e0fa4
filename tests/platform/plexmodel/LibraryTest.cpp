// The imported libraries of a program: importing, listing, removing, use
// by imported-application blocks, and the lines of the model's file part.
#include "PlexModelTest.h"

#include <string>
#include <vector>

namespace {

std::vector<std::string> Libraries(kvrHandleType* prog)
{
    char names[8][KVR_MAX_RLL_NAME];
    int n = kvrGetRLList(prog, names, 8);
    std::vector<std::string> list;
    for (int i = 0; i < n && i < 8; ++i)
        list.push_back(names[i]);
    return list;
}

} // namespace

TEST_F(ModelTest, LibrariesAreImportedListedAndRemoved)
{
    EXPECT_EQ(0, kvrGetRLList(m_prog, nullptr, 0));
    EXPECT_NE(0, kvrImportRLL(m_prog, "Orders.12", nullptr));
    EXPECT_NE(0, kvrImportRLL(m_prog, "Billing.7", nullptr));
    EXPECT_EQ((std::vector<std::string>{"Orders.12", "Billing.7"}), Libraries(m_prog));

    // Refused: again (in any case), empty, too long, no program.
    std::string tooLong(KVR_MAX_RLL_NAME, 'x');
    EXPECT_EQ(0, kvrImportRLL(m_prog, "ORDERS.12", nullptr));
    EXPECT_EQ(0, kvrImportRLL(m_prog, "", nullptr));
    EXPECT_EQ(0, kvrImportRLL(m_prog, nullptr, nullptr));
    EXPECT_EQ(0, kvrImportRLL(m_prog, tooLong.c_str(), nullptr));
    EXPECT_EQ(0, kvrImportRLL(nullptr, "Other.1", nullptr));
    EXPECT_EQ(2, kvrGetRLList(m_prog, nullptr, 0));

    // Only as many names as asked for are copied.
    char one[1][KVR_MAX_RLL_NAME] = {};
    EXPECT_EQ(2, kvrGetRLList(m_prog, one, 1));
    EXPECT_STREQ("Orders.12", one[0]);

    // An imported-application block runs a library.
    EXPECT_EQ(0, kvrRLLInUse(m_prog, "Orders.12"));
    Block(KVR_PB_IMPORTED, "RunOrders", "Orders.12");
    EXPECT_EQ(1, kvrRLLInUse(m_prog, "ORDERS.12"));
    EXPECT_EQ(0, kvrRLLInUse(m_prog, "Billing.7"));

    // Removal is told the name in upper case.
    EXPECT_EQ(KVR_OK, kvrRemoveRLL(m_prog, "BILLING.7"));
    EXPECT_NE(KVR_OK, kvrRemoveRLL(m_prog, "BILLING.7"));
    EXPECT_EQ((std::vector<std::string>{"Orders.12"}), Libraries(m_prog));
}

TEST_F(ModelTest, LibrariesTravelWithTheModelsPartOfTheFile)
{
    ASSERT_NE(0, kvrImportRLL(m_prog, "Orders.12", nullptr));
    ASSERT_NE(0, kvrImportRLL(m_prog, "Bill|ing.7", nullptr));
    TempFile file;
    file.Put("{FileHeader}\n{EndofFileHeader}\n");
    ASSERT_EQ(KVR_OK, kvrWriteProgram(file.f, file.f, 0));
    file.Put("{Program}\n");
    std::string text = file.Text();
    EXPECT_NE(std::string::npos, text.find("Library|Orders.12\n"));

    kvrHandleType* back = kvrAddProgram(nullptr, 0);
    std::rewind(file.f);
    char line[256];
    std::fgets(line, sizeof(line), file.f);
    std::fgets(line, sizeof(line), file.f);
    EXPECT_EQ(KVR_OK, kvrReadProgram(file.f, file.f, KVR_PROMPT_ASK, nullptr));
    EXPECT_EQ((std::vector<std::string>{"Orders.12", "Bill|ing.7"}), Libraries(back));
    kvrRemoveProgram(back);
}

TEST_F(ModelTest, ImportingAllTakesTheLibrariesTheBlocksRun)
{
    ASSERT_NE(0, kvrImportRLL(m_prog, "Orders.12", nullptr));
    Block(KVR_PB_IMPORTED, "RunOrders", "ORDERS.12");
    Block(KVR_PB_IMPORTED, "RunBilling", "Billing.7");
    Block(KVR_PB_IMPORTED, "RunBillingAgain", "Billing.7");
    Block(402, "Menu1");
    // Only the library no list holds yet is added, once.
    EXPECT_EQ(1, kvrImportAllRLLs(m_prog, nullptr));
    EXPECT_EQ((std::vector<std::string>{"Orders.12", "Billing.7"}), Libraries(m_prog));
    EXPECT_EQ(0, kvrImportAllRLLs(m_prog, nullptr));
    EXPECT_EQ(0, kvrImportAllRLLs(nullptr, nullptr));
}
