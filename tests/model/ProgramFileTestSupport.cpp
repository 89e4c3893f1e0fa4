// Shared set-up of the program-file tests.
#include "PXTestSupport.h"
#include "ProgramFileTestSupport.h"

#include "FontObject.h"

#include <direct.h>
#include <stdio.h>

#include <cstring>
#include <map>

std::vector<ProgramFileTest::Prompt> ProgramFileTest::s_prompts;
std::deque<int> ProgramFileTest::s_answers;
bool ProgramFileTest::s_bTickNoMoreWarnings = false;

namespace
{
int AnswerPrompt(short& nMode, const char* pszText)
{
    std::string text = pszText;
    const std::string heading = "Load and Save Error!!\n\n";
    if (text.compare(0, heading.size(), heading) == 0)
        text = text.substr(heading.size());
    ProgramFileTest::s_prompts.push_back({ text, 0 });
    if (ProgramFileTest::s_bTickNoMoreWarnings)
        nMode = LS_PROMPT_CONTINUE;
    if (ProgramFileTest::s_answers.empty())
        return IDOK;
    int n = ProgramFileTest::s_answers.front();
    ProgramFileTest::s_answers.pop_front();
    return n;
}

void PutLong(unsigned char* p, long n)
{
    std::memcpy(p, &n, sizeof(n));
}

void PutText(unsigned char* p, const char* psz)
{
    std::strcpy(reinterpret_cast<char*>(p), psz);
}
} // namespace

void ProgramFileTest::SetUp()
{
    ModelTest::SetUp();
    char szTemp[MAX_PATH];
    char szName[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    GetTempFileNameA(szTemp, "pxf", 0, szName);
    DeleteFileA(szName);
    CreateDirectoryA(szName, nullptr);
    m_dir = szName;
    _getcwd(m_szOldDir, MAX_PATH);
    _chdir(m_dir.c_str());
    m_pfnOldRunner = LSSetPromptRunner(AnswerPrompt);
    s_prompts.clear();
    s_answers.clear();
    s_bTickNoMoreWarnings = false;
    LSSetReportCount(0);
    PXSetBatchError(0);
    PXFileSetServerVersion("");
}

void ProgramFileTest::TearDown()
{
    LSSetPromptRunner(m_pfnOldRunner);
    _chdir(m_szOldDir);
    PXRemoveTree(m_dir);
    ModelTest::TearDown();
}

Program* ProgramFileTest::VariedProgram()
{
    Program* pProgram = NewProgram();
    Page* pMain = pProgram->GetMainPage();
    PowerBlock* pBegin = pMain->FindBlockByName("Begin");
    PowerBlock* pEnd = pMain->FindBlockByName("End");
    PowerBlock* pMenu = AddBlock(pMain, 402, "Menu1", 300, 100);
    PowerBlock* pDays = AddBlock(pMain, 395, "Days", 600, 40);
    PowerBlock* pHello = AddBlock(pMain, 393, "Hello", 900, 300);
    PowerBlock* pFax = AddBlock(pMain, 398, "Fax, send", 120, 700);

    pMenu->SetDescription("Main menu, first level ~, with\r\nbreaks\nlone\rand ^Enter^ text");
    pDays->SetFlags(0x100);
    pDays->SetExpanded(9, true);
    pDays->SetExpanded(33, true);
    pDays->SetExpanded(1, true);
    pHello->SetFlags(0x40);

    pBegin->Connect(pMenu, "Start", 0);
    Goto* pOne = pMenu->Connect(pHello, "1", 0);
    pMenu->Connect(pDays, "2", 0);
    pHello->Connect(pEnd, "Done", 0);
    pDays->Connect(pEnd, "Monday", 0);
    Goto* pSent = pFax->Connect(pHello, "Sent", 0);
    if (pOne)
    {
        pOne->SetColor(0x00123456);
        pOne->SetFlag(GOTO_FLAG_HANDEDIT | GOTO_FLAG_LABELSTUB);
        pOne->AddSegment(340, 120, 340, 200);
        pOne->AddSegment(340, 200, -20, 200);
        pOne->AddSegment(-20, 200, -20, 305);
    }
    if (pSent)
    {
        pSent->SetColor(255);
        pSent->AddSegment(150, 720, 150, 720);
    }
    // Stubs: offsets, and one of them hidden.
    Array& stubs = pMenu->GetGotoBlocks();
    for (int i = 0; i < static_cast<int>(stubs.getItemsInContainer()); ++i)
    {
        GotoBlock& stub = static_cast<GotoBlock&>(stubs[i]);
        stub.SetOffset(7 * i - 3);
        if (i == 4)
            stub.SetShown(false);
    }

    Page* pSub = new Page(pProgram, "Sub", PX_PAGE_SUPERBLOCK, 0);
    pProgram->AddPage(pSub);
    EXPECT_EQ(1, pSub->AddDefaultBlocks(PX_PAGE_SUPERBLOCK));
    PowerBlock* pGreet = AddBlock(pSub, 393, "Greet", 400, 400);
    if (PowerBlock* pSubBegin = pSub->FindBlockByName("Begin"))
        pSubBegin->Connect(pGreet, "Start", 0);
    Page* pCheck = new Page(pProgram, "Check", PX_PAGE_VERIFICATION, 0);
    pProgram->AddPage(pCheck);
    EXPECT_EQ(1, pCheck->AddDefaultBlocks(PX_PAGE_VERIFICATION));

    PXTextUI* pNote = new PXTextUI(pMain, 10, 300, 20, 90, new FontObject("", "Arial", -13, 700, 1));
    pNote->SetText("Note, with commas,, a tilde ~, a caret ^ and\r\nlines\nof\rall kinds");
    pMain->AddNote(pNote);
    PXTextUI* pLong = new PXTextUI(pSub, -5, 500, 600, 900, new FontObject("", "Courier New", -20, 400, 0));
    std::string text;
    for (int i = 0; text.size() < PX_TEXTNOTE_MAX; ++i)
        text += static_cast<char>('a' + i % 26);
    text[100] = ',';
    text[PX_TEXTNOTE_MAX - 1] = 'Z';
    pLong->SetText(text.c_str());
    pSub->AddNote(pLong);

    unsigned char* pInfo = pProgram->GetFileInfo();
    PutLong(pInfo + 0, 1);
    PutLong(pInfo + 4, 4711);
    PutLong(pInfo + 8, 12);
    PutLong(pInfo + 12, 3);
    PutText(pInfo + 16, "Sales line, east ~ side");
    PutText(pInfo + 272, "SALES");
    PutLong(pInfo + 336, 1);
    PutText(pInfo + 340, "_9999");
    PutText(pInfo + 371, "5551234");
    PutLong(pInfo + 392, 1);
    PutText(pInfo + 396, "contact");
    PutLong(pInfo + 428, 1);
    const unsigned char password[8] = { 0x01, 0xFF, 0x80, 0x7F, 0x00, 0x10, 0x20, 0xFE };
    std::memcpy(pInfo + 432, password, 8);
    PutLong(pInfo + 440, 1);
    PutText(pInfo + 444, "12345678");
    PutLong(pInfo + 464, 1);
    PutLong(pInfo + 468, 1);
    PutLong(pInfo + 472, 0);
    PutLong(pInfo + 476, 1);
    PutText(pInfo + 480, "PC-42");
    PutText(pInfo + 511, "admin");
    PutLong(pInfo + 588, 9);
    PutLong(pInfo + 592, 11);
    PutText(pInfo + 596, "C:\\run\\sales.run");
    PutText(pInfo + 697, "C:\\rll\\sales.rll");
    PutText(pInfo + 798, "C:\\misa\\sales.misa");
    PutLong(pInfo + 900, 1);
    PutLong(pInfo + 904, -77);
    PutText(pInfo + 908, "C:\\Zantrel\\Dorvo\\Uprog\\SALES.ed");
    pProgram->SetZoom(62);
    return pProgram;
}

namespace
{
std::map<std::string, Page*> PagesByName(Program* pProgram)
{
    std::map<std::string, Page*> m;
    ListIterator it(pProgram->GetPages());
    while (it)
    {
        Page& page = static_cast<Page&>(it++);
        m[page.GetName()] = &page;
    }
    return m;
}

void ExpectSameBlocks(PowerBlock* a, PowerBlock* b)
{
    SCOPED_TRACE(a->GetName());
    EXPECT_EQ(a->PeekID(), b->PeekID());
    EXPECT_STREQ(a->GetDescription(), b->GetDescription());
    EXPECT_EQ(a->GetX(), b->GetX());
    EXPECT_EQ(a->GetY(), b->GetY());
    EXPECT_EQ(a->GetFlags() & ~0x7L, b->GetFlags());
    EXPECT_EQ(a->GetType(), b->GetType());
    EXPECT_STREQ(a->GetCustomType(), b->GetCustomType());
    EXPECT_EQ(0, std::memcmp(a->GetVisibleSet(), b->GetVisibleSet(), PB_SET_BYTES));
    EXPECT_EQ(0, std::memcmp(a->GetExpandedSet(), b->GetExpandedSet(), PB_SET_BYTES));
    Array& sa = a->GetGotoBlocks();
    Array& sb = b->GetGotoBlocks();
    ASSERT_EQ(sa.getItemsInContainer(), sb.getItemsInContainer());
    for (int i = 0; i < static_cast<int>(sa.getItemsInContainer()); ++i)
    {
        GotoBlock& x = static_cast<GotoBlock&>(sa[i]);
        GotoBlock& y = static_cast<GotoBlock&>(sb[i]);
        EXPECT_STREQ(x.GetOutputName(), y.GetOutputName()) << i;
        EXPECT_EQ(x.GetOffset(), y.GetOffset()) << i;
        EXPECT_EQ(x.IsShown(), y.IsShown()) << i;
    }
    EXPECT_EQ(a->GetGotos().getItemsInContainer(), b->GetGotos().getItemsInContainer());
    ListIterator it(a->GetGotos());
    while (it)
    {
        Goto& ga = static_cast<Goto&>(it++);
        SCOPED_TRACE(ga.GetOutputName());
        Goto* gb = b->FindGoto(ga.GetOutputName());
        ASSERT_NE(nullptr, gb);
        EXPECT_EQ(ga.PeekID(), gb->PeekID());
        EXPECT_EQ(ga.GetColor(), gb->GetColor());
        EXPECT_EQ(ga.GetFlags(), gb->GetFlags());
        ASSERT_NE(nullptr, gb->GetTarget());
        EXPECT_STREQ(ga.GetTarget()->GetName(), gb->GetTarget()->GetName());
        ASSERT_EQ(ga.GetSegmentCount(), gb->GetSegmentCount());
        for (int i = 0; i < ga.GetSegmentCount(); ++i)
        {
            Segment* x = ga.GetSegment(i);
            Segment* y = gb->GetSegment(i);
            EXPECT_EQ(x->m_nFromX, y->m_nFromX);
            EXPECT_EQ(x->m_nFromY, y->m_nFromY);
            EXPECT_EQ(x->m_nToX, y->m_nToX);
            EXPECT_EQ(x->m_nToY, y->m_nToY);
        }
    }
}
} // namespace

void ExpectSamePrograms(Program* pExpected, Program* pActual, bool bCurrent)
{
    ASSERT_NE(nullptr, pActual);
    if (bCurrent)
    {
        EXPECT_EQ(0, std::memcmp(pExpected->GetFileInfo(), pActual->GetFileInfo(), PX_PROGRAM_FILEINFO_SIZE));
        EXPECT_EQ(pExpected->GetZoom(), pActual->GetZoom());
    }
    EXPECT_EQ(pExpected->PeekID(), pActual->PeekID());
    EXPECT_GE(pActual->GetIDCounter(), pExpected->GetIDCounter());
    std::map<std::string, Page*> a = PagesByName(pExpected);
    std::map<std::string, Page*> b = PagesByName(pActual);
    ASSERT_EQ(a.size(), b.size());
    for (auto& entry : a)
    {
        SCOPED_TRACE(entry.first);
        Page* pa = entry.second;
        ASSERT_TRUE(b.count(entry.first));
        Page* pb = b[entry.first];
        EXPECT_EQ(pa->PeekID(), pb->PeekID());
        EXPECT_EQ(pa->GetKind(), pb->GetKind());
        EXPECT_EQ(pa->GetBlocks().getItemsInContainer(), pb->GetBlocks().getItemsInContainer());
        ListIterator blocks(pa->GetBlocks());
        while (blocks)
        {
            PowerBlock& block = static_cast<PowerBlock&>(blocks++);
            PowerBlock* pOther = pb->FindBlockByName(block.GetName());
            ASSERT_NE(nullptr, pOther) << block.GetName();
            ExpectSameBlocks(&block, pOther);
        }
        ASSERT_EQ(pa->GetNotes().getItemsInContainer(), pb->GetNotes().getItemsInContainer());
        ListIterator na(pa->GetNotes());
        while (na)
        {
            PXTextUI& note = static_cast<PXTextUI&>(na++);
            long l, r, t, bo;
            note.GetRect(l, r, t, bo);
            PXTextUI* pMatch = nullptr;
            ListIterator nb(pb->GetNotes());
            while (nb && !pMatch)
            {
                PXTextUI& other = static_cast<PXTextUI&>(nb++);
                long l2, r2, t2, b2;
                other.GetRect(l2, r2, t2, b2);
                if (l == l2 && r == r2 && t == t2 && bo == b2)
                    pMatch = &other;
            }
            ASSERT_NE(nullptr, pMatch);
            EXPECT_STREQ(note.GetText(), pMatch->GetText());
            ASSERT_NE(nullptr, pMatch->GetFontObject());
            EXPECT_STREQ(note.GetFontObject()->GetFace(), pMatch->GetFontObject()->GetFace());
            EXPECT_EQ(note.GetFontObject()->GetHeight(), pMatch->GetFontObject()->GetHeight());
            EXPECT_EQ(note.GetFontObject()->GetWeight(), pMatch->GetFontObject()->GetWeight());
            if (bCurrent)
            {
                EXPECT_EQ(note.GetFontObject()->GetItalic(), pMatch->GetFontObject()->GetItalic());
            }
        }
    }
}

void ExpectEditorInModel(Program* pProgram)
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
            ListIterator gotos(block.GetGotos());
            while (gotos)
            {
                Goto& line = static_cast<Goto&>(gotos++);
                ASSERT_NE(nullptr, line.GetTarget()) << block.GetName();
                EXPECT_EQ(&page, line.GetTarget()->GetPage());
                EXPECT_TRUE(page.GetBlocks().hasMember(*line.GetTarget()));
                EXPECT_EQ(&block, line.GetBlock());
                int nIndex = block.ModelIndexOf(line.GetOutputName());
                if (nIndex >= 0)
                {
                    EXPECT_EQ(line.GetTarget()->GetHandle(), kvrGetGotoConnection(block.GetHandle(), nIndex))
                        << block.GetName() << "." << line.GetOutputName();
                }
            }
            for (int i = 0; i < static_cast<int>(block.GetGotoBlocks().getItemsInContainer()); ++i)
                EXPECT_EQ(&block, static_cast<GotoBlock&>(block.GetGotoBlocks()[i]).GetOwner());
        }
    }
    // What the editor dropped the model does not keep.
    EXPECT_EQ(nPages, kvrGetTreeSize(KVR_SYM_PAGE));
    EXPECT_EQ(nBlocks, kvrGetTreeSize(KVR_SYM_POWERBLOCK));
}

std::string ReadWholeFile(const std::string& path)
{
    std::string bytes;
    FILE* fp = fopen(path.c_str(), "rb");
    if (!fp)
        return bytes;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof(buf), fp)) > 0)
        bytes.append(buf, n);
    fclose(fp);
    return bytes;
}

void WriteWholeFile(const std::string& path, const std::string& bytes)
{
    FILE* fp = fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, fp) << path;
    fwrite(bytes.data(), 1, bytes.size(), fp);
    fclose(fp);
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t p = 0;
    while (p < text.size())
    {
        size_t q = text.find('\n', p);
        if (q == std::string::npos)
            q = text.size();
        std::string line = text.substr(p, q - p);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        p = q + 1;
    }
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

std::vector<std::string> SplitRecord(const std::string& line)
{
    // "[a,b~,c,]": fields a and "b~,c".
    std::vector<std::string> fields;
    std::string body = line.substr(1, line.size() - 2);
    std::string field;
    for (size_t i = 0; i < body.size(); ++i)
    {
        if (body[i] == ',' && !(i > 0 && body[i - 1] == '~'))
        {
            fields.push_back(field);
            field.clear();
        }
        else
            field += body[i];
    }
    return fields;
}

std::string JoinRecord(const std::vector<std::string>& fields)
{
    std::string line = "[";
    for (const std::string& f : fields)
        line += f + ",";
    return line + "]";
}
