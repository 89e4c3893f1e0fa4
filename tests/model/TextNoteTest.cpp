// Text notes on a page pane: their hints, the in-place editor opened by a
// double click and driven with key messages, and how an edit ends.
#include "DisplayTestSupport.h"
#include "FontObject.h"
#include "PXEdit.h"
#include "PXTextDObj.h"
#include "PXTextUI.h"

#include <string>

namespace
{
class TextNoteTest : public ModelTest
{
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        MakeDrawingTables();
        m_pProgram = NewProgram();
        m_pMain = m_pProgram->GetMainPage();
        m_pNote = new PXTextUI(m_pMain, 100, 500, 100, 300, new FontObject("", "arial", -16, 400, 0));
        m_pMain->AddNote(m_pNote);
        m_pane.AddTextNoteDisplay(m_pNote);
        m_hAccel = CreateAcceleratorTableA(&m_escape, 1);
        m_hOther = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 0, 100, 100,
                                   nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        m_pane.Show();
        Pump();
    }
    void TearDown() override
    {
        m_pane.SetEditedNote(nullptr);
        m_pane.Clear();
        DestroyWindow(m_hOther);
        DestroyAcceleratorTable(m_hAccel);
        delete m_pProgram;
        ModelTest::TearDown();
    }

    PXTextDObj* NoteObject() const
    {
        return static_cast<PXTextDObj*>(m_pane.Find(m_pNote, PX_CLASS_TEXTDOBJ));
    }

    // Opens the editor as a double click on the note does. The pane ends
    // the edit on the focus change or the Escape key only once the test
    // says which note it edits: windows of other programs on the display
    // may take the focus at any time.
    HWND Open()
    {
        PXTextDObj* pObj = NoteObject();
        EXPECT_NE(nullptr, pObj);
        if (!pObj)
            return nullptr;
        EXPECT_TRUE(pObj->Click(0, 0, DO_CLICK_DOUBLE));
        Pump();
        return m_pNote->GetTextBox()->GetEditWindow();
    }

    // The message loop of the program: the accelerators first.
    void Pump()
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            if (!TranslateAcceleratorA(m_pane.GetPaneWindow(), m_hAccel, &msg))
            {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
    }

    void Type(HWND hEdit, const std::string& text)
    {
        for (char ch : text)
            PostMessageA(hEdit, WM_CHAR, static_cast<unsigned char>(ch), 1);
        Pump();
    }

    void Key(HWND hWnd, UINT vk)
    {
        PostMessageA(hWnd, WM_KEYDOWN, vk, 1);
        PostMessageA(hWnd, WM_KEYUP, vk, 0xC0000001);
        Pump();
    }

    static std::string EditText(HWND hEdit)
    {
        int n = GetWindowTextLengthA(hEdit);
        std::string text(static_cast<size_t>(n) + 1, '\0');
        GetWindowTextA(hEdit, &text[0], n + 1);
        text.resize(static_cast<size_t>(n));
        return text;
    }

    ACCEL m_escape = {FVIRTKEY, VK_ESCAPE, PANE_CMD_ENDEDIT};
    HACCEL m_hAccel = nullptr;
    HWND m_hOther = nullptr;
    TestPane m_pane;
    Program* m_pProgram = nullptr;
    Page* m_pMain = nullptr;
    PXTextUI* m_pNote = nullptr;
};
}

TEST_F(TextNoteTest, Hints)
{
    const struct
    {
        std::string text;
        std::string hint;
    } cases[] = {
        {"a\tb\r\nc", "a b  c"},
        {"\nabc", " abc"},
        {"\r\n", "  "},
        {"plain", "plain"},
        {"", ""},
        {std::string(PX_TEXTNOTE_MAX, 'n'), std::string(PX_TEXTNOTE_MAX, 'n')},
    };
    PXTextDObj* pObj = NoteObject();
    ASSERT_NE(nullptr, pObj);
    for (const auto& c : cases)
    {
        m_pNote->SetText(c.text.c_str());
        EXPECT_EQ(c.hint, std::string(pObj->HoverText())) << c.text.substr(0, 10);
    }
    EXPECT_EQ("Moving...", std::string(pObj->DragText()));
    EXPECT_EQ("Drag Text Note to new location or double click to modify text.", std::string(pObj->StatusText()));
    EXPECT_EQ(DO_LAYER_NOTES, pObj->Layer());
    // Edges are in the note.
    const RECT rc = pObj->GetRect();
    EXPECT_TRUE(pObj->Contains(rc.left, rc.top));
    EXPECT_TRUE(pObj->Contains(rc.right, rc.bottom));
    EXPECT_FALSE(pObj->Contains(rc.right + 1, rc.bottom));
    EXPECT_FALSE(pObj->Click(rc.left, rc.top, DO_CLICK_LEFT));
    EXPECT_FALSE(pObj->Click(rc.left, rc.top, DO_CLICK_RIGHTDOUBLE));
}

TEST_F(TextNoteTest, DoubleClickOpensTheEditorTypingAndEscapeCommit)
{
    m_pNote->SetText("");
    m_pProgram->ClearModified();
    const RECT rcView = NoteObject()->GetRect();
    HWND hEdit = Open();
    ASSERT_NE(nullptr, hEdit);
    EXPECT_EQ(m_pane.GetPaneWindow(), GetParent(hEdit));
    // The editor's client area covers the note; the note's display objects
    // are gone while it is edited.
    RECT rcEdit;
    m_pNote->GetTextBox()->GetEdit()->GetRectInParent(&rcEdit);
    const long fx = GetSystemMetrics(SM_CXFRAME), fy = GetSystemMetrics(SM_CYFRAME);
    EXPECT_EQ(rcView.left - fx, rcEdit.left);
    EXPECT_EQ(rcView.top - fy, rcEdit.top);
    EXPECT_EQ(nullptr, NoteObject());
    EXPECT_TRUE(m_pNote->GetTextBox()->HitTestEdit(rcView.left + 2, rcView.top + 2));
    EXPECT_FALSE(m_pNote->GetTextBox()->HitTestEdit(rcView.right + 50, rcView.top));

    Type(hEdit, "Hello\rworld");
    EXPECT_EQ("Hello\r\nworld", EditText(hEdit));
    m_pane.SetEditedNote(m_pNote);
    Key(hEdit, VK_ESCAPE);
    EXPECT_EQ(1, m_pane.GetEditsEnded());
    EXPECT_FALSE(IsWindow(hEdit));
    EXPECT_EQ(nullptr, m_pNote->GetTextBox()->GetEditWindow());
    EXPECT_EQ("Hello\r\nworld", std::string(m_pNote->GetText()));
    EXPECT_TRUE(m_pProgram->IsModified());
    // The note's rectangle comes back where it was (to a model unit), and
    // its display object with it.
    long l, r, t, b;
    m_pNote->GetRect(l, r, t, b);
    EXPECT_NEAR(100, l, 1);
    EXPECT_NEAR(500, r, 1);
    EXPECT_NEAR(100, t, 1);
    EXPECT_NEAR(300, b, 1);
    EXPECT_NE(nullptr, NoteObject());
}

TEST_F(TextNoteTest, TypingStopsAtTheNotesLimitAndLosingTheFocusCommits)
{
    m_pNote->SetText("");
    HWND hEdit = Open();
    ASSERT_NE(nullptr, hEdit);
    EXPECT_EQ(PX_TEXTNOTE_MAX, SendMessageA(hEdit, EM_GETLIMITTEXT, 0, 0));
    Type(hEdit, std::string(PX_TEXTNOTE_MAX + 50, 'x'));
    EXPECT_EQ(PX_TEXTNOTE_MAX, GetWindowTextLengthA(hEdit));
    SetFocus(hEdit);
    m_pane.SetEditedNote(m_pNote);
    if (GetFocus() == hEdit)
        SetFocus(m_hOther);
    else
    {
        // Another program on the display holds the focus: the editor is
        // told it lost it as the system would tell it.
        SendMessageA(hEdit, WM_KILLFOCUS, reinterpret_cast<WPARAM>(m_hOther), 0);
    }
    Pump();
    EXPECT_EQ(1, m_pane.GetEditsEnded());
    EXPECT_FALSE(IsWindow(hEdit));
    EXPECT_EQ(std::string(PX_TEXTNOTE_MAX, 'x'), std::string(m_pNote->GetText()));
}

TEST_F(TextNoteTest, TheEditorShowsTheTextAtThePanesZoomAndFreesItsFont)
{
    m_pNote->SetText("Some text");
    for (int nZoom : {50, 100, 200})
    {
        m_pane.SetZoom(nZoom);
        m_pane.Clear();
        m_pane.AddTextNoteDisplay(m_pNote);
        HWND hEdit = Open();
        ASSERT_NE(nullptr, hEdit);
        EXPECT_EQ("Some text", EditText(hEdit));
        HFONT hFont = reinterpret_cast<HFONT>(SendMessageA(hEdit, WM_GETFONT, 0, 0));
        ASSERT_NE(nullptr, hFont);
        EXPECT_EQ(hFont, m_pNote->GetTextBox()->GetEditFont());
        LOGFONTA lf;
        ASSERT_NE(0, GetObjectA(hFont, sizeof(lf), &lf));
        EXPECT_EQ(-16 * nZoom / 100, lf.lfHeight) << nZoom;
        m_pane.SetEditedNote(m_pNote);
        Key(hEdit, VK_ESCAPE);
        EXPECT_FALSE(IsWindow(hEdit));
        // The editor's font went with it.
        EXPECT_EQ(0u, GetObjectType(hFont)) << nZoom;
        EXPECT_EQ(nullptr, m_pNote->GetTextBox()->GetEditFont());
        m_pane.SetEditedNote(nullptr);
    }
}

TEST_F(TextNoteTest, EndEditKeepsAtLeastFourFramesAndStoresWhereAsked)
{
    const long fx = GetSystemMetrics(SM_CXFRAME), fy = GetSystemMetrics(SM_CYFRAME);
    PXTextBase& text = *m_pNote->GetTextBox();
    // Without an editor nothing happens.
    RECT rc = {1, 2, 3, 4};
    text.EndEdit(FALSE, &rc);
    EXPECT_EQ(1, rc.left);

    ASSERT_EQ(1, text.BeginEdit(m_pane.GetPaneWindow(), FALSE, 50, 60, 250, 160, 100));
    // A second call leaves the open editor as it is.
    HWND hEdit = text.GetEditWindow();
    EXPECT_EQ(1, text.BeginEdit(m_pane.GetPaneWindow(), FALSE, 0, 0, 10, 10, 100));
    EXPECT_EQ(hEdit, text.GetEditWindow());
    MoveWindow(hEdit, 40, 30, 2, 2, TRUE);
    text.EndEdit(FALSE, &rc);
    EXPECT_EQ(40 + fx, rc.left);
    EXPECT_EQ(30 + fy, rc.top);
    EXPECT_EQ(4 * fx, rc.right - rc.left);
    EXPECT_EQ(4 * fy, rc.bottom - rc.top);

    // With its own rectangle: opened over it and stored back into it.
    text.SetRect(20, 220, 30, 130);
    ASSERT_EQ(1, text.BeginEdit(m_pane.GetPaneWindow(), TRUE, 0, 0, 0, 0, 100));
    RECT rcEdit;
    text.GetEdit()->GetRectInParent(&rcEdit);
    EXPECT_EQ(20 - fx, rcEdit.left);
    EXPECT_EQ(220 + fx, rcEdit.right);
    MoveWindow(text.GetEditWindow(), 100, 100, 300, 200, TRUE);
    text.EndEdit(TRUE, nullptr);
    long l, r, t, b;
    text.GetRect(l, r, t, b);
    EXPECT_EQ(100 + fx, l);
    EXPECT_EQ(400 - fx, r);
    EXPECT_EQ(100 + fy, t);
    EXPECT_EQ(300 - fy, b);
}

TEST_F(TextNoteTest, ANoteThatGoesTakesItsEditorAlong)
{
    HWND hEdit = Open();
    ASSERT_NE(nullptr, hEdit);
    m_pane.SetEditedNote(nullptr);
    m_pMain->RemoveNote(m_pNote);
    m_pNote = nullptr;
    Pump();
    EXPECT_FALSE(IsWindow(hEdit));
}
