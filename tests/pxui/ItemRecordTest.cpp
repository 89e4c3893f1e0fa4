// Item records in an application's lists: committing the list creates,
// renames and deletes their symbols in the application model.
#include "PXUITestSupport.h"
#include "PXFaxItem.h"
#include "PXFieldValue.h"
#include "PXRecArray.h"
#include "PXResPermItem.h"
#include "PXUserApp.h"
#include "PXVoiceItem.h"
#include "PXWinApp.h"
#include "plexmodel.h"

#include <memory>
#include <string>

namespace {

// An open application "Items" shown in the active window, over a program
// of the application model.
class ItemLists : public RegisteredController
{
protected:
    void SetUp() override
    {
        RegisteredController::SetUp();
        s_pszProgram = "C:\\progs\\Items.ed";
        program = kvrAddProgram(nullptr, 0);
        ASSERT_NE(nullptr, program);
        kvrActivateProgram(program);
        userApp = new PXUserApp(s_pszProgram);
        app->AddUserApp(userApp);
    }
    void TearDown() override
    {
        RegisteredController::TearDown();
        kvrRemoveProgram(program);
    }

    // Adds a record through an edit of the list field and commits the
    // application; answers the commit's result.
    int AddThroughList(WORD wListField, PXSoftRec* pNew)
    {
        PXRecArray edit(PXFieldValue(wListField, userApp).GetRecArray());
        edit.Add(pNew);
        PXFieldValue(wListField, userApp).SetRecArray(edit);
        return userApp->Commit();
    }
    int RemoveThroughList(WORD wListField, int nIndex)
    {
        PXRecArray edit(PXFieldValue(wListField, userApp).GetRecArray());
        edit.RemoveAt(nIndex);
        PXFieldValue(wListField, userApp).SetRecArray(edit);
        return userApp->Commit();
    }
    PXObArray& Stored(WORD wListField)
    {
        return *static_cast<PXObArray*>(userApp->GetFieldMem(wListField));
    }
    static PXSoftRec* NewVoice(const char* pszName, short sId, const char* pszDescription)
    {
        PXSoftRec* pRec = PXSoftRec::Create(22801, FALSE);
        PXFieldValue(25300, pRec).SetText(pszName);
        PXFieldValue(25301, pRec).SetInt16(sId);
        PXFieldValue(25302, pRec).SetText(pszDescription);
        return pRec;
    }

    kvrHandleType* program = nullptr;
    PXUserApp* userApp = nullptr;
};

} // namespace

TEST_F(ItemLists, AddedVoiceItemBecomesASymbolAndLeavesWithIt)
{
    ASSERT_EQ(1, AddThroughList(25251, NewVoice("Welcome", 12, "Hello there")));
    ASSERT_EQ(1, Stored(25251).GetSize());
    PXVoiceItem* pItem = dynamic_cast<PXVoiceItem*>(static_cast<PXSoftRec*>(Stored(25251).GetAt(0)));
    ASSERT_NE(nullptr, pItem);
    Symbol* pSym = kvrFindSymbol("Welcome");
    ASSERT_NE(nullptr, pSym);
    EXPECT_EQ(pSym, pItem->GetSymbol());
    EXPECT_EQ(12, pSym->ItemNumber);
    kvrItemData* pData = static_cast<kvrItemData*>(pSym->Variable);
    ASSERT_NE(nullptr, pData);
    EXPECT_STREQ("Hello there", pData->description);
    EXPECT_EQ(0, pData->mediaKind);
    EXPECT_EQ("No", std::string(*PXFieldValue(25303, pItem).GetText()));

    // An edit through the list renames the symbol and replaces the text.
    {
        PXRecArray edit(PXFieldValue(25251, userApp).GetRecArray());
        PXFieldValue(25300, edit.GetAt(0)).SetText("Greeting");
        PXFieldValue(25302, edit.GetAt(0)).SetText("New text");
        PXFieldValue(25251, userApp).SetRecArray(edit);
    }
    ASSERT_EQ(1, userApp->Commit());
    EXPECT_EQ(nullptr, kvrFindSymbol("Welcome"));
    ASSERT_EQ(pSym, kvrFindSymbol("Greeting"));
    EXPECT_STREQ("New text", static_cast<kvrItemData*>(pSym->Variable)->description);

    ASSERT_EQ(1, RemoveThroughList(25251, 0));
    EXPECT_EQ(0, Stored(25251).GetSize());
    EXPECT_EQ(nullptr, kvrFindSymbol("Greeting"));
}

TEST_F(ItemLists, VoiceItemWhoseNameOrIdIsTakenIsRefused)
{
    ASSERT_EQ(1, AddThroughList(25251, NewVoice("Welcome", 12, "")));
    struct { const char* name; short id; } cases[] = { { "Welcome", 13 }, { "Other", 12 } };
    for (auto& c : cases)
    {
        MessageBoxRecorder boxes;
        EXPECT_EQ(1, AddThroughList(25251, NewVoice(c.name, c.id, "")));
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ("The system could not add the voice item on the server.\r\n"
                  "Please check the connection to the server and try again.", boxes.boxes[0].text);
        EXPECT_EQ(1, Stored(25251).GetSize());
    }
    EXPECT_EQ(nullptr, kvrFindSymbol("Other"));
}

// A fax item refused the same way is reported too, never dropped from the
// list without a word.
TEST_F(ItemLists, FaxItemWhoseNameOrIdIsTakenIsRefusedWithAMessage)
{
    auto newFax = [](const char* pszName, short sId) {
        PXSoftRec* pRec = PXSoftRec::Create(22802, FALSE);
        PXFieldValue(25320, pRec).SetText(pszName);
        PXFieldValue(25321, pRec).SetInt16(sId);
        PXFieldValue(25322, pRec).SetText("");
        PXFieldValue(25323, pRec).SetText("");
        return pRec;
    };
    ASSERT_EQ(1, AddThroughList(25252, newFax("Form", 7)));
    struct { const char* name; short id; } cases[] = { { "Form", 8 }, { "Other", 7 } };
    for (auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        MessageBoxRecorder boxes;
        EXPECT_EQ(1, AddThroughList(25252, newFax(c.name, c.id)));
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ("The system could not add the fax item on the server.\r\n"
                  "Please check the connection to the server and try again.", boxes.boxes[0].text);
        EXPECT_EQ(1, Stored(25252).GetSize());
    }
    EXPECT_EQ(nullptr, kvrFindSymbol("Other"));
}

TEST_F(ItemLists, VoiceItemIdOutOfRangeIsRefusedByItsDefinition)
{
    PXSoftRec* pRec = NewVoice("Bad", 3001, "");
    MessageBoxRecorder boxes;
    EXPECT_EQ(0, pRec->Commit());
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("The field 'ID' must be between 1 and 3000.", boxes.boxes[0].text);
    delete pRec;
}

TEST_F(ItemLists, ConnectedFaxItemJoinsAndLeavesWithoutTheModel)
{
    PXSoftRec* pFax = PXSoftRec::Create(22802, FALSE);
    PXFieldValue(25320, pFax).SetText("Brochure");
    PXFieldValue(25321, pFax).SetInt16(4);
    PXFieldValue(25325, pFax).SetInt32(1);
    ASSERT_EQ(1, AddThroughList(25252, pFax));
    ASSERT_EQ(1, Stored(25252).GetSize());
    EXPECT_EQ(nullptr, kvrFindSymbol("Brochure"));
    ASSERT_EQ(1, RemoveThroughList(25252, 0));
    EXPECT_EQ(0, Stored(25252).GetSize());
}

TEST_F(ItemLists, FaxItemKeepsItsConfirmationText)
{
    PXSoftRec* pFax = PXSoftRec::Create(22802, FALSE);
    PXFieldValue(25320, pFax).SetText("Price list");
    PXFieldValue(25321, pFax).SetInt16(5);
    PXFieldValue(25322, pFax).SetText("Prices");
    PXFieldValue(25323, pFax).SetText("Thank you");
    ASSERT_EQ(1, AddThroughList(25252, pFax));
    Symbol* pSym = kvrFindSymbol("Price list");
    ASSERT_NE(nullptr, pSym);
    kvrItemData* pData = static_cast<kvrItemData*>(pSym->Variable);
    EXPECT_EQ(3, pData->mediaKind);
    EXPECT_STREQ("Prices", pData->description);
    ASSERT_NE(nullptr, pData->confirm);
    EXPECT_STREQ("Thank you", pData->confirm->description);
    EXPECT_EQ(3, pData->confirm->mediaKind);

    // An item read back over its symbol shows the same values.
    PXFaxItem again(pSym);
    EXPECT_EQ("Thank you", std::string(*PXFieldValue(25323, &again).GetText()));
    EXPECT_EQ(5, *PXFieldValue(25321, &again).GetInt16());
}

TEST_F(ItemLists, ResPermItemCountsItsUses)
{
    PXSoftRec* pList = PXSoftRec::Create(22807, FALSE);
    PXFieldValue(25378, pList).SetInt32(6);
    PXFieldValue(25380, pList).SetText("RPL 1");
    ASSERT_EQ(1, AddThroughList(25286, pList));
    Symbol* pSym = kvrFindSymbol("RPL 1");
    ASSERT_NE(nullptr, pSym);
    EXPECT_EQ(1, pSym->RefCnt);
    EXPECT_EQ(6, pSym->ItemNumber);
    EXPECT_EQ(6, static_cast<kvrListData*>(pSym->Variable)->listId);

    {
        PXRecArray edit(PXFieldValue(25286, userApp).GetRecArray());
        PXFieldValue(25379, edit.GetAt(0)).SetInt32(3);
        PXFieldValue(25286, userApp).SetRecArray(edit);
    }
    ASSERT_EQ(1, userApp->Commit());
    EXPECT_EQ(3, pSym->RefCnt);
    EXPECT_EQ(3, static_cast<kvrListData*>(pSym->Variable)->useCount);

    ASSERT_EQ(1, RemoveThroughList(25286, 0));
    EXPECT_EQ(nullptr, kvrFindSymbol("RPL 1"));
}

// The model numbers a list's symbol in 16 bits: a list whose number does
// not fit is refused with a message instead of being numbered as another.
TEST_F(ItemLists, AListNumberBeyondSixteenBitsIsRefused)
{
    MessageBoxRecorder boxes;
    PXSoftRec* pFar = PXSoftRec::Create(22807, FALSE);
    PXFieldValue(25378, pFar).SetInt32(70000);
    PXFieldValue(25380, pFar).SetText("RPL far");
    AddThroughList(25286, pFar);
    EXPECT_EQ(nullptr, kvrFindSymbol("RPL far"));
    EXPECT_EQ(0, Stored(25286).GetSize());
    ASSERT_EQ(1u, boxes.boxes.size());

    // A list already in the model keeps its number.
    PXSoftRec* pList = PXSoftRec::Create(22807, FALSE);
    PXFieldValue(25378, pList).SetInt32(6);
    PXFieldValue(25380, pList).SetText("RPL 1");
    ASSERT_EQ(1, AddThroughList(25286, pList));
    Symbol* pSym = kvrFindSymbol("RPL 1");
    ASSERT_NE(nullptr, pSym);
    PXSoftRec* pStored = static_cast<PXSoftRec*>(Stored(25286).GetAt(0));
    PXFieldValue(25378, pStored).SetInt32(70000);
    EXPECT_EQ(0, pStored->StoreField(25378));
    EXPECT_EQ(6, pSym->ItemNumber);
    EXPECT_EQ(6, static_cast<kvrListData*>(pSym->Variable)->listId);
    EXPECT_EQ(2u, boxes.boxes.size());
}

// Item numbers are 16-bit: with every one taken there is no next number,
// and no new item is made.
TEST_F(ItemLists, NoNewItemWhenEveryItemNumberIsTaken)
{
    PXObArray& items = Stored(25251);
    for (int nId = 1; nId <= 0x7FFF; ++nId)
    {
        PXSoftRec* pRec = PXSoftRec::Create(22801, FALSE);
        PXFieldValue(25301, pRec).SetInt16(static_cast<short>(nId));
        ASSERT_EQ(1, items.Add(pRec));
    }
    EXPECT_EQ(0, userApp->NextVoiceItemID());
    MessageBoxRecorder boxes;
    EXPECT_EQ(nullptr, app->NewVoiceItem());
    EXPECT_EQ(1u, boxes.boxes.size());

    // One number free again: it is the next.
    delete items.GetAt(0x7FFE);
    items.RemoveAt(0x7FFE);
    EXPECT_EQ(0x7FFF, userApp->NextVoiceItemID());
    std::unique_ptr<PXSoftRec> fresh(app->NewVoiceItem());
    ASSERT_NE(nullptr, fresh);
    EXPECT_EQ(0x7FFF, *PXFieldValue(25301, fresh.get()).GetInt16());
}

TEST_F(ItemLists, UsesOfAVoiceItemShowInUse)
{
    ASSERT_EQ(1, AddThroughList(25251, NewVoice("Menu", 3, "")));
    PXVoiceItem* pItem = static_cast<PXVoiceItem*>(Stored(25251).GetAt(0));
    pItem->ChangeRefCount(true);
    EXPECT_EQ("Yes", std::string(*PXFieldValue(25303, pItem).GetText()));
    pItem->ChangeRefCount(false);
    pItem->ChangeRefCount(false);
    EXPECT_EQ(0, pItem->GetSymbol()->RefCnt);
    EXPECT_EQ("No", std::string(*PXFieldValue(25303, pItem).GetText()));
}

// A fax item counts its uses as a voice item does: a release at no use
// leaves it at none instead of ending the program.
TEST_F(ItemLists, UsesOfAFaxItemShowInUse)
{
    PXSoftRec* pRec = PXSoftRec::Create(22802, FALSE);
    PXFieldValue(25320, pRec).SetText("Form");
    PXFieldValue(25321, pRec).SetInt16(4);
    PXFieldValue(25322, pRec).SetText("");
    PXFieldValue(25323, pRec).SetText("");
    ASSERT_EQ(1, AddThroughList(25252, pRec));
    PXFaxItem* pItem = static_cast<PXFaxItem*>(Stored(25252).GetAt(0));
    pItem->ChangeRefCount(true);
    EXPECT_EQ("Yes", std::string(*PXFieldValue(25324, pItem).GetText()));
    pItem->ChangeRefCount(false);
    pItem->ChangeRefCount(false);
    EXPECT_EQ(0, pItem->GetSymbol()->RefCnt);
    EXPECT_EQ("No", std::string(*PXFieldValue(25324, pItem).GetText()));
    app->ReleaseFaxItemRef(4);
    EXPECT_EQ(0, pItem->GetSymbol()->RefCnt);
}

TEST_F(ItemLists, ControllerCountsUsesAndNumbersNewItems)
{
    ASSERT_EQ(1, AddThroughList(25251, NewVoice("One", 1, "")));
    ASSERT_EQ(1, AddThroughList(25251, NewVoice("Three", 3, "")));
    EXPECT_TRUE(userApp->HasVoiceItemID(3));
    EXPECT_FALSE(userApp->HasVoiceItemID(2));
    EXPECT_EQ(2, userApp->NextVoiceItemID());
    EXPECT_EQ(1, userApp->NextFaxItemID());
    std::unique_ptr<PXSoftRec> fresh(app->NewVoiceItem());
    EXPECT_EQ(22801, fresh->GetTypeId());
    EXPECT_EQ(2, *PXFieldValue(25301, fresh.get()).GetInt16());
    std::unique_ptr<PXSoftRec> freshFax(app->NewFaxItem());
    EXPECT_EQ(1, *PXFieldValue(25321, freshFax.get()).GetInt16());

    Symbol* pThree = kvrFindSymbol("Three");
    ASSERT_NE(nullptr, pThree);
    app->AddVoiceItemRef(3);
    app->AddVoiceItemRef(3);
    EXPECT_EQ(2, pThree->RefCnt);
    app->ReleaseVoiceItemRef(3);
    EXPECT_EQ(1, pThree->RefCnt);
    app->AddVoiceItemRef(99);       // no such item: nothing
    app->AddFaxItemRef(3);          // no fax items: nothing
    EXPECT_EQ(1, pThree->RefCnt);
    EXPECT_EQ(0, kvrFindSymbol("One")->RefCnt);

    s_pszProgram = nullptr;
    EXPECT_PXASSERT(app->AddVoiceItemRef(3), "(pUserApp!=0)");
    EXPECT_PXASSERT(app->NewVoiceItem(), "(pUserApp!=0)");
}

// A new name that the model refuses (another item's name) is reported; the
// item and its symbol keep the old name, so the list never shows a name the
// program file does not have.
TEST_F(ItemLists, RenameToANameInUseIsReportedAndKeepsTheOldName)
{
    struct
    {
        WORD list, type, name, id, description;
        const char* first;
        const char* second;
        const char* taken;      // the second item is renamed to this
        const char* message;
    } kinds[] = {
        { 25251, 22801, 25300, 25301, 25302, "Hello", "Goodbye", "Hello",
          "The specified voice item name is either invalid or currently in use." },
        { 25252, 22802, 25320, 25321, 25322, "Order form", "Price list", "Hello",
          "The specified fax item name is either invalid or currently in use." },
    };
    for (auto& k : kinds)
    {
        SCOPED_TRACE(k.type);
        const char* names[] = { k.first, k.second };
        for (short i = 0; i < 2; ++i)
        {
            PXSoftRec* pRec = PXSoftRec::Create(k.type, FALSE);
            PXFieldValue(k.name, pRec).SetText(names[i]);
            PXFieldValue(k.id, pRec).SetInt16(static_cast<short>(i + 1));
            PXFieldValue(k.description, pRec).SetText("");
            if (k.type == 22802)
                PXFieldValue(25323, pRec).SetText("");
            ASSERT_EQ(1, AddThroughList(k.list, pRec));
        }
        Symbol* pSecond = kvrFindSymbol(k.second);
        ASSERT_NE(nullptr, pSecond);

        MessageBoxRecorder boxes;
        {
            PXRecArray edit(PXFieldValue(k.list, userApp).GetRecArray());
            PXFieldValue(k.name, edit.GetAt(1)).SetText(k.taken);
            PXFieldValue(k.list, userApp).SetRecArray(edit);
        }
        userApp->Commit();
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ(k.message, boxes.boxes[0].text);
        EXPECT_EQ(pSecond, kvrFindSymbol(k.second));
        EXPECT_STREQ(k.second, pSecond->Name);
        PXSoftRec* pStored = static_cast<PXSoftRec*>(Stored(k.list).GetAt(1));
        EXPECT_EQ(k.second, std::string(*PXFieldValue(k.name, pStored).GetText()));

        // A later commit has nothing left to rename.
        EXPECT_EQ(1, userApp->Commit());
        EXPECT_EQ(1u, boxes.boxes.size());
    }
}

TEST_F(ItemLists, RenameKeepsEveryCharacterTheModelAllowsAndRefusesLongerNames)
{
    ASSERT_EQ(1, AddThroughList(25251, NewVoice("Welcome", 12, "")));
    Symbol* pSym = kvrFindSymbol("Welcome");
    ASSERT_NE(nullptr, pSym);
    PXSoftRec* pStored = static_cast<PXSoftRec*>(Stored(25251).GetAt(0));

    // The longest name the model holds arrives there whole.
    const std::string longest(KVR_SYMBOL_NAME_SIZE - 1, 'v');
    {
        PXRecArray edit(PXFieldValue(25251, userApp).GetRecArray());
        PXFieldValue(25300, edit.GetAt(0)).SetText(longest.c_str());
        PXFieldValue(25251, userApp).SetRecArray(edit);
    }
    MessageBoxRecorder boxes;
    EXPECT_EQ(1, userApp->Commit());
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(longest, std::string(pSym->Name));
    EXPECT_EQ(pSym, kvrFindSymbol(longest.c_str()));
    EXPECT_EQ(longest, std::string(*PXFieldValue(25300, pStored).GetText()));

    // One character more is refused as a bad name: the model and the record
    // keep the name they had, instead of a cut one.
    const std::string tooLong(KVR_SYMBOL_NAME_SIZE, 'w');
    {
        PXRecArray edit(PXFieldValue(25251, userApp).GetRecArray());
        PXFieldValue(25300, edit.GetAt(0)).SetText(tooLong.c_str());
        PXFieldValue(25251, userApp).SetRecArray(edit);
    }
    userApp->Commit();
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("The specified voice item name is either invalid or currently in use.", boxes.boxes[0].text);
    EXPECT_EQ(longest, std::string(pSym->Name));
    EXPECT_EQ(longest, std::string(*PXFieldValue(25300, pStored).GetText()));
}
