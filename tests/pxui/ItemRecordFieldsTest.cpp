// Every field of the item records, the application and the server's row
// records written and read back through its definition; and the edge cases
// of the item records over their symbols.
#include "PXUITestSupport.h"
#include "PXFaxItem.h"
#include "PXFieldValue.h"
#include "PXRecArray.h"
#include "PXResPermItem.h"
#include "PXUserApp.h"
#include "PXVoiceItem.h"
#include "plexmodel.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

std::string Text(PXSoftRec* pRec, WORD wField)
{
    return static_cast<const char*>(*PXFieldValue(wField, pRec).GetText());
}

// Writes a value fitting each plain field's type, commits, and reads every
// field back from the stored record.
void ExpectFieldsRoundTrip(PXSoftRec* pRec, const std::vector<WORD>& fields)
{
    int n = 0;
    for (WORD wField : fields)
    {
        PXFieldValue value(wField, pRec);
        switch (pRec->GetFieldType(wField))
        {
        case PXST_TEXT: value.SetText(("text " + std::to_string(wField)).c_str()); break;
        case PXST_INT32: value.SetInt32(100000 + wField); break;
        case PXST_INT16: value.SetInt16(static_cast<short>(1 + (n % 3000))); break;
        case PXST_BOOL: value.SetInt32(n % 2); break;
        default: ADD_FAILURE() << "field " << wField << " is no plain field"; break;
        }
        ++n;
    }
    ASSERT_EQ(1, pRec->Commit());
    ASSERT_EQ(0, pRec->GetNbCells());
    n = 0;
    for (WORD wField : fields)
    {
        SCOPED_TRACE(testing::Message() << "field " << wField);
        PXFieldValue value(wField, pRec);
        switch (pRec->GetFieldType(wField))
        {
        case PXST_TEXT: EXPECT_EQ("text " + std::to_string(wField), Text(pRec, wField)); break;
        case PXST_INT32: EXPECT_EQ(100000 + wField, *value.GetInt32()); break;
        case PXST_INT16: EXPECT_EQ(1 + (n % 3000), *value.GetInt16()); break;
        case PXST_BOOL: EXPECT_EQ(n % 2 ? "Yes" : "No", Text(pRec, wField)); break;
        default: break;
        }
        ++n;
    }
}

// An application model program current for the test.
class ItemFields : public RegisteredController
{
protected:
    void SetUp() override
    {
        RegisteredController::SetUp();
        program = kvrAddProgram(nullptr, 0);
        ASSERT_NE(nullptr, program);
        kvrActivateProgram(program);
    }
    void TearDown() override
    {
        RegisteredController::TearDown();
        kvrRemoveProgram(program);
    }

    // A symbol of the model with its item data block (media kind given).
    static Symbol* ItemSymbol(const char* pszName, short sId, short sMedia, short sRefCnt)
    {
        kvrItemData* pData = static_cast<kvrItemData*>(calloc(1, sizeof(kvrItemData)));
        pData->mediaKind = sMedia;
        pData->description = _strdup("text");
        Symbol* pSym = nullptr;
        EXPECT_EQ(1, kvrAddSymbol(&pSym, pszName, 35, 1, sId, 1, 0, pData));
        if (pSym)
            pSym->RefCnt = sRefCnt;
        return pSym;
    }

    kvrHandleType* program = nullptr;
};

} // namespace

TEST_F(ItemFields, EveryPlainFieldOfEachRecordGoesThroughItsDefinition)
{
    struct
    {
        WORD wType;
        std::vector<WORD> fields;
    } records[] = {
        {22801, {25300, 25301, 25302, 25304, 25305}},
        {22802, {25320, 25321, 25322, 25323, 25325, 25326}},
        {22807, {25378, 25379, 25380, 25381}},
        {22804, {25370}},
        {22805, {25371, 25372}},
        {22806, {25373, 25374, 25375, 25376, 25377}},
        {22808, {25400, 25401}},
        {22004, {25256, 25254, 25255, 25261, 25257, 25262, 25263, 25264, 25265, 25266, 25271, 25272, 25273,
                 25274, 25275, 25258, 25259, 25260, 25276, 25278, 25279, 25280, 25281, 25283, 25282, 25284,
                 25285}},
    };
    for (auto& r : records)
    {
        SCOPED_TRACE(testing::Message() << "record " << r.wType);
        bool bTyped = r.wType == 22801 || r.wType == 22802 || r.wType == 22807 || r.wType == 22004;
        std::unique_ptr<PXSoftRec> pRec(bTyped ? PXSoftRec::Create(r.wType, TRUE) : new PXSoftRecMem(r.wType));
        ASSERT_NE(nullptr, pRec);
        EXPECT_EQ(r.wType, pRec->GetTypeId());
        ExpectFieldsRoundTrip(pRec.get(), r.fields);
    }
    // The password fields of the application, with the password on: the
    // two must agree.
    PXUserApp ua("");
    ExpectFieldsRoundTrip(&ua, {25267});
    PXFieldValue(25268, &ua).SetText("abcdefgh");
    PXFieldValue(25269, &ua).SetText("abcdefgh");
    ASSERT_EQ(1, ua.Commit());
    EXPECT_EQ("abcdefgh", Text(&ua, 25268));
}

TEST_F(ItemFields, InUseFollowsTheSymbolsUsesAndReadsNoWithoutASymbol)
{
    struct { short sRefCnt; const char* pszInUse; } cases[] = {{2, "Yes"}, {1, "Yes"}, {0, "No"}};
    int n = 0;
    for (auto& c : cases)
    {
        std::string voiceName = "Voice" + std::to_string(n), faxName = "Fax" + std::to_string(n);
        Symbol* pVoice = ItemSymbol(voiceName.c_str(), static_cast<short>(10 + n), 0, c.sRefCnt);
        Symbol* pFax = ItemSymbol(faxName.c_str(), static_cast<short>(20 + n), 3, c.sRefCnt);
        ++n;
        PXVoiceItem voice(pVoice);
        PXFaxItem fax(pFax);
        EXPECT_EQ(c.pszInUse, Text(&voice, 25303)) << c.sRefCnt;
        EXPECT_EQ(c.pszInUse, Text(&fax, 25324)) << c.sRefCnt;
    }
    // Records of the factory have no symbol: In use reads "No" rather than
    // failing a check.
    std::unique_ptr<PXSoftRec> pVoice(PXSoftRec::Create(22801, TRUE));
    std::unique_ptr<PXSoftRec> pFax(PXSoftRec::Create(22802, TRUE));
    EXPECT_EQ("No", Text(pVoice.get(), 25303));
    EXPECT_EQ("No", Text(pFax.get(), 25324));
}

TEST_F(ItemFields, UsesCountDownToZeroAndNoFurther)
{
    Symbol* pVoiceSym = ItemSymbol("Welcome", 1, 0, 1);
    Symbol* pFaxSym = ItemSymbol("Form", 2, 3, 1);
    PXVoiceItem voice(pVoiceSym);
    PXFaxItem fax(pFaxSym);
    for (int i = 0; i < 3; ++i)
    {
        voice.ChangeRefCount(false);
        fax.ChangeRefCount(false);
    }
    EXPECT_EQ(0, pVoiceSym->RefCnt);
    EXPECT_EQ(0, pFaxSym->RefCnt);
    EXPECT_EQ("No", Text(&voice, 25303));
    EXPECT_EQ("No", Text(&fax, 25324));
    voice.ChangeRefCount(true);
    fax.ChangeRefCount(true);
    EXPECT_EQ(1, pVoiceSym->RefCnt);
    EXPECT_EQ("Yes", Text(&fax, 25324));
}

TEST_F(ItemFields, AFaxItemOverASymbolWithoutConfirmationGetsAnEmptyOne)
{
    Symbol* pSym = ItemSymbol("Form", 2, 3, 0);
    PXFaxItem fax(pSym);
    kvrItemData* pData = static_cast<kvrItemData*>(pSym->Variable);
    ASSERT_NE(nullptr, pData->confirm);
    EXPECT_EQ(3, pData->confirm->mediaKind);
    EXPECT_EQ("", Text(&fax, 25323));
    EXPECT_EQ("text", Text(&fax, 25322));
}

TEST_F(ItemFields, AListNameIsCutToTheSymbolsNameField)
{
    PXResPermItem entry;
    PXFieldValue(25380, &entry).SetText("RP3");
    PXFieldValue(25378, &entry).SetInt32(3);
    ASSERT_EQ(1, entry.Commit());
    ASSERT_EQ(1, entry.Insert());
    Symbol* pSym = entry.GetSymbol();
    ASSERT_NE(nullptr, pSym);
    EXPECT_EQ(1, pSym->RefCnt);

    std::string longName(100, 'x');
    PXFieldValue(25380, &entry).SetText(longName.c_str());
    ASSERT_EQ(1, entry.Commit());
    EXPECT_EQ(std::string(KVR_SYMBOL_NAME_SIZE - 1, 'x'), std::string(pSym->Name));
    EXPECT_EQ(1, pSym->RefCnt);     // the field after the name is untouched
    EXPECT_EQ(1, entry.Remove());
    EXPECT_EQ(nullptr, entry.GetSymbol());
}

TEST_F(ItemFields, AListEntryWhoseNameTheModelRefusesJoinsWithoutASymbol)
{
    Symbol* pTaken = ItemSymbol("RP4", 9, 0, 0);
    PXResPermItem entry;
    PXFieldValue(25380, &entry).SetText("RP4");
    PXFieldValue(25378, &entry).SetInt32(4);
    ASSERT_EQ(1, entry.Commit());
    EXPECT_EQ(1, entry.Insert());
    EXPECT_EQ(nullptr, entry.GetSymbol());
    EXPECT_EQ(pTaken, kvrFindSymbol("RP4"));
    EXPECT_EQ(0, pTaken->RefCnt);
    EXPECT_EQ(1, entry.Remove());
    EXPECT_EQ(pTaken, kvrFindSymbol("RP4"));
}

TEST_F(ItemFields, ListsOfAnApplicationAreBuiltFromTheModelsSymbols)
{
    ItemSymbol("Welcome", 1, 0, 2);
    ItemSymbol("Form", 2, 3, 0);
    ItemSymbol("Odd", 3, 5, 0);                 // neither voice nor fax
    Symbol* pHidden = ItemSymbol("Hidden", 4, 0, 0);
    pHidden->ExclFlags2 = 1;
    Symbol* pBare = nullptr;                    // an item without its data
    ASSERT_EQ(1, kvrAddSymbol(&pBare, "Bare", 35, 1, 5, 1, 0, nullptr));
    kvrListData* pList = static_cast<kvrListData*>(calloc(1, sizeof(kvrListData)));
    pList->listId = 8;
    pList->useCount = 3;
    Symbol* pListSym = nullptr;
    ASSERT_EQ(1, kvrAddSymbol(&pListSym, "RP8", 21, 1, 8, 1, 0, pList));
    Symbol* pBareList = nullptr;
    ASSERT_EQ(1, kvrAddSymbol(&pBareList, "RP9", 21, 1, 9, 1, 0, nullptr));

    PXUserApp ua("C:\\p\\App.ed");
    ua.LoadItems(0);
    ua.LoadItems(1);
    PXObArray& voice = *static_cast<PXObArray*>(ua.GetFieldMem(25251));
    PXObArray& fax = *static_cast<PXObArray*>(ua.GetFieldMem(25252));
    ASSERT_EQ(1, voice.GetSize());
    EXPECT_EQ("Welcome", Text(static_cast<PXSoftRec*>(voice.GetAt(0)), 25300));
    EXPECT_EQ("Yes", Text(static_cast<PXSoftRec*>(voice.GetAt(0)), 25303));
    ASSERT_EQ(1, fax.GetSize());
    EXPECT_EQ("Form", Text(static_cast<PXSoftRec*>(fax.GetAt(0)), 25320));

    // Uses counted through the application.
    ua.AddVoiceItemRef(1);
    EXPECT_EQ(3, kvrFindSymbol("Welcome")->RefCnt);
    ua.ReleaseFaxItemRef(2);
    EXPECT_EQ(0, kvrFindSymbol("Form")->RefCnt);

    // The list symbols need a bound program.
    Program* pNone = nullptr;
    ua.SetProgram(pNone);
    EXPECT_PXASSERT(ua.LoadResPermItems(), "m_pProgram!=0");
    kvrDeleteSymbol("Bare", 35);
    kvrDeleteSymbol("RP9", 21);
}
