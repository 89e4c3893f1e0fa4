// The main frame's Edit menu commands: cut, copy, paste and delete of the
// selected blocks, notes and lines, renaming a block, its property sheet and
// its shown outputs, rerouting and stubbing lines, text notes and their
// font, the comments of a SuperBlock page and of the program; and Esc, which
// gives up a pending paste.
#include "UIMDIFrame.h"
#include "ClipboardProgram.h"
#include "DisplayObject.h"
#include "DrawHelpers.h"
#include "EditChild.h"
#include "EditCmdRes.h"
#include "EditMDI.h"
#include "FontObject.h"
#include "Goto.h"
#include "ModelObserver.h"
#include "Page.h"
#include "PaneRes.h"
#include "PowerBlock.h"
#include "Program.h"
#include "PXCmdIds.h"
#include "PXFaultHandler.h"
#include "PXMsgBox.h"
#include "PXTextUI.h"
#include "PXUIMsg.h"
#include "PXWinApp.h"
#include "TNamePBDialog.h"
#include "TSBCommentDlg.h"
#include "UIApp.h"
#include "UIRes.h"
#include "classlib/ListIterator.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace
{
// The cause of the reports on protected blocks.
const PXCause kCauseEdit = 0x20000;
// The busy-cursor hook's cursor: IDC_WAIT.
const int kWaitCursor = 32514;

// The blocks the editing commands protect, with what each command says.
struct ProtectedBlock
{
    int nType;
    UINT nDelete;
    UINT nCut;
    UINT nCopy;
    UINT nRename;
};
const ProtectedBlock s_Protected[] = {
    {KVR_PB_BEGIN, IDS_EDIT_NODELETEBEGIN, IDS_EDIT_NOCUTBEGIN, IDS_EDIT_NOCOPYBEGIN, IDS_EDIT_NORENAMEBEGIN},
    {KVR_PB_END, IDS_EDIT_NODELETEEND, IDS_EDIT_NOCUTEND, IDS_EDIT_NOCOPYEND, IDS_EDIT_NORENAMEEND},
    {KVR_PB_CONTINUE, IDS_EDIT_NODELETECONTINUE, IDS_EDIT_NOCUTCONTINUE, IDS_EDIT_NOCOPYCONTINUE,
     IDS_EDIT_NORENAMECONTINUE},
    {KVR_PB_ROTARY, IDS_EDIT_NODELETEROTARY, IDS_EDIT_NOCUTROTARY, IDS_EDIT_NOCOPYROTARY,
     IDS_EDIT_NORENAMEROTARY},
};

const ProtectedBlock* ProtectionOf(const PowerBlock* pBlock)
{
    for (const ProtectedBlock& entry : s_Protected)
        if (entry.nType == pBlock->GetType())
            return &entry;
    return nullptr;
}

// A message on a protected block, through the fault reporter.
void ReportBlock(UINT nId, PXIconKind icon, const char* pszFile, int nLine)
{
    PXArgList message(nId);
    PXGetWinApp()->Report(kCauseEdit, icon, PXBTN_OK, PXANS_OK, &message, nullptr, 0, pszFile, nLine);
}
#define EDIT_REPORT(id) ReportBlock((id), PXICON_EXCLAMATION, __FILE__, __LINE__)

// While a note is edited in place, the editor's window; otherwise none.
HWND NoteEditorWindow(EditChild* pPane)
{
    if (pPane->GetMouseMode() != MODE_TEXTEDIT)
        return nullptr;
    PXTextUI* pNote = pPane->GetEditedTextNote();
    return pNote && pNote->GetTextBox() ? pNote->GetTextBox()->GetEditWindow() : nullptr;
}

// The selection as it stands, so that it may change while objects go.
std::vector<UIObject*> SelectionCopy(EditChild* pPane)
{
    std::vector<UIObject*> objects;
    SelectedList& selection = pPane->GetSelection();
    for (int i = 0; i < selection.Count(); ++i)
        objects.push_back(selection.At(i));
    return objects;
}

// Whether the object is still on the page: a removal may have taken it
// along (the lines that end at a removed block, the lines of a group).
// Only addresses are compared; a freed object is never touched.
bool IsStillOnPage(Page* pPage, const UIObject* pObject)
{
    for (ListIterator b(pPage->GetBlocks()); b; ++b)
    {
        PowerBlock& block = static_cast<PowerBlock&>(b.current());
        if (&block == pObject)
            return true;
        for (ListIterator g(block.GetGotos()); g; ++g)
            if (&g.current() == pObject)
                return true;
        Array& stubs = block.GetGotoBlocks();
        for (int i = stubs.lowerBound(); i <= stubs.upperBound(); ++i)
            if (&stubs[i] == pObject)
                return true;
    }
    for (ListIterator n(pPage->GetNotes()); n; ++n)
        if (&n.current() == pObject)
            return true;
    return false;
}

// The one selected block of a command on a single block: none (after
// message 23 or 24) when the selection is anything else.
PowerBlock* SingleSelectedBlock(EditChild* pPane)
{
    UIObject* pFirst = pPane->GetFirstSelected();
    if (!pFirst || pFirst->isA() != PX_CLASS_POWERBLOCK)
    {
        ShowMessageId(IDS_EDIT_SELECTBLOCK, nullptr, MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }
    if (pPane->GetSelectionCount() > 1)
    {
        ShowMessageId(IDS_EDIT_ONEBLOCK, nullptr, MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }
    return static_cast<PowerBlock*>(pFirst);
}

// The selection sorted for Cut and Copy: the blocks and notes to copy;
// protected blocks are reported (and, for Cut, taken out of the
// selection). True when a block was refused.
bool SortForCopy(EditChild* pPane, bool bCut, std::vector<PowerBlock*>& blocks, std::vector<PXTextUI*>& notes)
{
    bool bRefused = false;
    for (UIObject* pObject : SelectionCopy(pPane))
    {
        if (pObject->isA() == PX_CLASS_POWERBLOCK)
        {
            PowerBlock* pBlock = static_cast<PowerBlock*>(pObject);
            if (const ProtectedBlock* pEntry = ProtectionOf(pBlock))
            {
                EDIT_REPORT(bCut ? pEntry->nCut : pEntry->nCopy);
                if (bCut)
                    pPane->Deselect(pBlock, true);
                bRefused = true;
            }
            else
                blocks.push_back(pBlock);
        }
        else if (pObject->isA() == PX_CLASS_TEXTUI)
            notes.push_back(static_cast<PXTextUI*>(pObject));
    }
    return bRefused;
}

// Copies the blocks and notes into the clipboard program. With
// bStopOnRefusal the notes are not copied when the model refused the
// blocks. The first refusal, or 0.
int CopyToClipboard(Page* pPage, std::vector<PowerBlock*>& blocks, const std::vector<PXTextUI*>& notes,
                    bool bStopOnRefusal)
{
    ClipboardProgram* pClip = GetClipboardProgram();
    if (!pClip)
        return -1;
    SetBusyCursor(3, 0, kWaitCursor);
    pClip->Clear();
    if (PXWinApp* pController = GetWinApp())
        pController->BeginClipCopy();
    int nResult = 0;
    if (!blocks.empty())
        nResult = pClip->CopyBlocks(blocks, pPage);
    if (!notes.empty() && (nResult == 0 || !bStopOnRefusal))
    {
        int nNotes = pClip->CopyNotes(notes, pPage, blocks.empty() ? 0 : static_cast<int>(blocks.size()));
        if (nResult == 0)
            nResult = nNotes;
    }
    SetBusyCursor(2, 0, 0);
    return nResult;
}

// The frame and the pane repaint at once.
void RepaintNow(UIMDIFrame& frame, EditChild* pPane)
{
    if (frame.HWindow)
        ::UpdateWindow(frame.HWindow);
    if (pPane->HWindow)
        ::UpdateWindow(pPane->HWindow);
}
}

// ---------------------------------------------------------------------------
// Delete, Cut, Copy, Paste, Esc

void UIMDIFrame::CmEditDelete()
{
    DeleteSelection();
}

void UIMDIFrame::DeleteSelection()
{
    EditMDI* pWindow = nullptr;
    EditChild* pPane = ActivePaneOrHint(IDS_UI_SELECTPROGRAMWINDOW, &pWindow);
    if (!pPane)
        return;
    if (pPane->GetMouseMode() == MODE_TEXTEDIT)
    {
        if (HWND hEditor = NoteEditorWindow(pPane))
        {
            ::SendMessageA(hEditor, WM_KEYDOWN, VK_DELETE, 0);
            ::SendMessageA(hEditor, WM_KEYUP, VK_DELETE, 0);
        }
        return;
    }
    Page* pPage = pWindow->GetPage();
    const std::vector<UIObject*> objects = SelectionCopy(pPane);
    if (objects.empty() || !pPage)
        return;
    SetBusyCursor(3, 0, kWaitCursor);
    if (UIApp::IsOptionSet(UI_OPT_CONFIRMDELETE) &&
        ShowMessageId(IDS_EDIT_ASKDELETE, nullptr, MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
    {
        SetBusyCursor(2, 0, 0);
        return;
    }
    for (UIObject* pObject : objects)
    {
        // An earlier removal may have taken this one with it.
        if (!IsStillOnPage(pPage, pObject))
            continue;
        switch (pObject->isA())
        {
        case PX_CLASS_POWERBLOCK:
        {
            PowerBlock* pBlock = static_cast<PowerBlock*>(pObject);
            if (pBlock->CanDelete())
            {
                NotifyChildren(pBlock, OBJECT_CHANGING, OBJECT_INCOMING_GOTOS | OBJECT_OWN_GOTOS);
                pPage->RemoveBlock(pBlock);
                ::SendMessageA(HWindow, WM_UI_BLOCKCHANGED, 0, 1);
            }
            else if (const ProtectedBlock* pEntry = ProtectionOf(pBlock))
                EDIT_REPORT(pEntry->nDelete);
            // A refused End block of a Verification Block has had its message.
            break;
        }
        case PX_CLASS_TEXTUI:
        {
            PXTextUI* pNote = static_cast<PXTextUI*>(pObject);
            NotifyChildren(pNote, OBJECT_CHANGING, OBJECT_INCOMING_GOTOS | OBJECT_OWN_GOTOS);
            pPage->RemoveNote(pNote);
            ::SendMessageA(HWindow, WM_UI_BLOCKCHANGED, 0, 1);
            break;
        }
        case PX_CLASS_GOTO:
        {
            Goto* pGoto = static_cast<Goto*>(pObject);
            NotifyChildren(pGoto, OBJECT_CHANGING, 0);
            PowerBlock* pOwner = pGoto->GetBlock();
            if (pGoto->HasFlag(GOTO_FLAG_FROMMODEL) || !pOwner)
                break;
            // The line of a group output takes its members' lines along:
            // their display objects go first, and those of the block's
            // other lines come back afterwards.
            const bool bGroup = pGoto->HasFlag(GOTO_FLAG_GROUP);
            std::vector<Goto*> others;
            if (bGroup)
                for (ListIterator g(pOwner->GetGotos()); g; ++g)
                    if (&g.current() != pGoto)
                    {
                        others.push_back(static_cast<Goto*>(&g.current()));
                        NotifyChildren(others.back(), OBJECT_REMOVE, 0);
                    }
            pOwner->RemoveGotoWithGroup(pGoto);
            for (Goto* pOther : others)
                if (IsStillOnPage(pPage, pOther))
                    NotifyChildren(pOther, OBJECT_ADDED, 0);
            ::SendMessageA(HWindow, WM_UI_BLOCKCHANGED, 0, 1);
            break;
        }
        case PX_CLASS_GOTOBLOCK:
            PXMessageBeep(MB_ICONEXCLAMATION);
            break;
        default:
            break;
        }
    }
    SetBusyCursor(2, 0, 0);
}

void UIMDIFrame::CmEditCut()
{
    EditMDI* pWindow = nullptr;
    EditChild* pPane = ActivePaneOrHint(IDS_UI_SELECTPROGRAMWINDOW, &pWindow);
    if (!pPane)
        return;
    if (pPane->GetMouseMode() == MODE_TEXTEDIT)
    {
        if (HWND hEditor = NoteEditorWindow(pPane))
            ::SendMessageA(hEditor, WM_CUT, 0, 0);
        return;
    }
    std::vector<PowerBlock*> blocks;
    std::vector<PXTextUI*> notes;
    const bool bRefused = SortForCopy(pPane, true, blocks, notes);
    if (blocks.empty() && notes.empty())
    {
        if (!bRefused)
        {
            ShowMessageId(IDS_EDIT_SELECTCUT, nullptr, MB_OK | MB_ICONEXCLAMATION);
            return;
        }
    }
    else if (CopyToClipboard(pWindow->GetPage(), blocks, notes, true) != 0)
        return;     // what could not be copied stays
    // What was copied goes, and the lines selected with it.
    DeleteSelection();
}

void UIMDIFrame::CmEditCopy()
{
    EditMDI* pWindow = nullptr;
    EditChild* pPane = ActivePaneOrHint(IDS_UI_SELECTPROGRAMWINDOW, &pWindow);
    if (!pPane)
        return;
    if (pPane->GetMouseMode() == MODE_TEXTEDIT)
    {
        if (HWND hEditor = NoteEditorWindow(pPane))
            ::SendMessageA(hEditor, WM_COPY, 0, 0);
        return;
    }
    std::vector<PowerBlock*> blocks;
    std::vector<PXTextUI*> notes;
    const bool bRefused = SortForCopy(pPane, false, blocks, notes);
    if (blocks.empty() && notes.empty())
    {
        if (!bRefused)
            ShowMessageId(IDS_EDIT_SELECTCOPY, nullptr, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CopyToClipboard(pWindow->GetPage(), blocks, notes, false);
}

void UIMDIFrame::CmEditPaste()
{
    EditMDI* pWindow = nullptr;
    EditChild* pPane = ActivePaneOrHint(IDS_UI_SELECTPROGRAMWINDOW, &pWindow);
    if (!pPane)
        return;
    if (pPane->GetMouseMode() == MODE_TEXTEDIT)
    {
        if (HWND hEditor = NoteEditorWindow(pPane))
            ::SendMessageA(hEditor, WM_PASTE, 0, 0);
        return;
    }
    ClipboardProgram* pClip = GetClipboardProgram();
    Page* pClipPage = pClip ? pClip->GetClipboardPage() : nullptr;
    if (!pClip || pClip->GetSourceProgramID() == PX_CLIP_NOSOURCE || !pClipPage ||
        (pClipPage->GetBlocks().getItemsInContainer() == 0 && pClipPage->GetNotes().getItemsInContainer() == 0))
    {
        ShowMessageId(IDS_EDIT_CLIPEMPTY, nullptr, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (kvrCanIPaste(0) == 0)
    {
        ShowMessageId(IDS_EDIT_CLIPNOTBLOCKS, nullptr, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    Page* pPage = pWindow->GetPage();
    if (pClip->HasEndBlock() && pPage)
    {
        if (pPage->GetKind() == PX_PAGE_MAIN)
        {
            ShowMessageId(IDS_PANE_ENDINMAIN, nullptr, MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        if (pPage->GetKind() == PX_PAGE_VERIFICATION)
        {
            ShowMessageId(IDS_PANE_ENDINVERIFY, nullptr, MB_OK | MB_ICONEXCLAMATION);
            return;
        }
    }
    if (UIApp::IsOptionSet(UI_OPT_CONFIRMDELETE) &&
        ShowMessageId(IDS_EDIT_ASKPASTE, nullptr, MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return;
    pPane->ClearSelection();
    pPane->BeginPasteAtPoint();
}

void UIMDIFrame::CmCancelPaste()
{
    EditMDI* pWindow = dynamic_cast<EditMDI*>(GetActiveEditWindow());
    EditChild* pPane = pWindow ? pWindow->GetEditPane() : nullptr;
    if (pPane && pPane->GetMouseMode() == MODE_PASTE)
        pPane->PasteAt(0, 0, 2);
}

// ---------------------------------------------------------------------------
// One block: Rename, Block Properties, Configure Block, Hide/Show Outputs

void UIMDIFrame::CmRename()
{
    EditMDI* pWindow = nullptr;
    EditChild* pPane = ActivePaneOrHint(IDS_UI_SELECTPROGRAMWINDOW, &pWindow);
    if (!pPane)
        return;
    PowerBlock* pBlock = SingleSelectedBlock(pPane);
    if (!pBlock)
        return;
    if (const ProtectedBlock* pEntry = ProtectionOf(pBlock))
    {
        EDIT_REPORT(pEntry->nRename);
        return;
    }
    Page* pPage = pBlock->GetPage();
    if (pBlock->GetType() == KVR_PB_EXIT && pPage && pPage->GetKind() == PX_PAGE_VERIFICATION)
    {
        ReportBlock(IDS_EDIT_NORENAMEEXIT, PXICON_STOP, __FILE__, __LINE__);
        return;
    }
    char szFormat[64] = "";
    ::LoadStringA(TModule::GetExeModule().GetHandle(), IDS_EDIT_RENAMECAPTION, szFormat, sizeof(szFormat));
    char szCaption[128] = "";
    std::snprintf(szCaption, sizeof(szCaption), szFormat, pBlock->GetName());
    char szName[PX_BLOCKNAME_SIZE] = "";
    std::snprintf(szName, sizeof(szName), "%s", pBlock->GetName());
    for (;;)
    {
        TNamePBDialog dlg(this, szName, szCaption, true);
        const int nAnswer = dlg.Execute();
        if (nAnswer == -1)
        {
            ShowMessageId(IDS_EDIT_NOMEMDIALOG, nullptr, MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        if (nAnswer != IDOK)
            return;
        int nRetry = 0;
        if (pBlock->Rename(szName, &nRetry))
        {
            pWindow->LayoutPanes();
            return;
        }
        if (!nRetry)
            return;
    }
}

void UIMDIFrame::CmBlockProperties()
{
    EditMDI* pWindow = nullptr;
    EditChild* pPane = ActivePaneOrHint(IDS_UI_SELECTPROGRAMWINDOW, &pWindow);
    if (!pPane)
        return;
    PowerBlock* pBlock = SingleSelectedBlock(pPane);
    if (!pBlock)
        return;
    int nChanged = 0;
    pBlock->EditProperties(nChanged);
    if (nChanged)
    {
        pWindow->ObjectChanged(pBlock, OBJECT_CHANGING, OBJECT_OWN_GOTOS);
        pBlock->SyncGotos(0, 1, 0);
        pWindow->ObjectChanged(pBlock, OBJECT_ADDED, OBJECT_OWN_GOTOS);
    }
    else
        pWindow->ObjectChanged(pBlock, OBJECT_REPAINT, 0);
}

void UIMDIFrame::CmConfigureBlock()
{
    if (EditChild* pPane = ActivePaneOrHint(IDS_UI_SELECTPROGRAMWINDOW))
        SingleSelectedBlock(pPane);
}

void UIMDIFrame::CmHideShowOutput(UINT nId)
{
    EditMDI* pWindow = nullptr;
    EditChild* pPane = ActivePaneOrHint(IDS_UI_SELECTPROGRAMWINDOW, &pWindow);
    if (!pPane)
        return;
    EndNoteEdit(pPane);
    PowerBlock* pBlock = SingleSelectedBlock(pPane);
    if (!pBlock || !pBlock->GetInfo())
        return;
    // The stubs follow the block's outputs one for one.
    Array& stubs = pBlock->GetGotoBlocks();
    const int nStubs = static_cast<int>(stubs.getItemsInContainer());
    const int nOutputs = std::min(pBlock->GetOutputCount(), nStubs);
    auto setShown = [&](int j, bool bShown) {
        GotoBlock& stub = static_cast<GotoBlock&>(stubs[stubs.lowerBound() + j]);
        stub.SetShown(bShown);
        pBlock->SetVisible(pBlock->GetInfo()->outputs[j].number, bShown);
    };
    if (nId == CM_SHOWALLOUTPUTS || nId == CM_HIDEALLOUTPUTS)
    {
        for (int j = 0; j < nOutputs; ++j)
            setShown(j, nId == CM_SHOWALLOUTPUTS);
    }
    else
    {
        const int j = static_cast<int>(nId) - CM_OUTPUTFIRST;
        if (j < 0 || j >= nOutputs)
            return;     // no such output: nothing changes
        setShown(j, !static_cast<GotoBlock&>(stubs[stubs.lowerBound() + j]).IsShown());
    }
    pBlock->SetModified();
    NotifyChildren(pBlock, OBJECT_CHANGING, OBJECT_OWN_GOTOS);
    NotifyChildren(pBlock, OBJECT_ADDED, OBJECT_OWN_GOTOS);
    // Its own place again: the block's lines are marked for routing.
    pBlock->SetPosition(pBlock->GetX(), pBlock->GetY());
    NotifyChildren(pBlock, OBJECT_REBUILD, 0);
    pPane->RouteGotoLines();
    RepaintNow(*this, pPane);
}

// ---------------------------------------------------------------------------
// Lines: Reroute Line, Reroute All Lines, Stub/Restore Line

void UIMDIFrame::CmRerouteLine()
{
    EditChild* pPane = ActivePaneOrHint(IDS_UI_SELECTPROGRAMWINDOW);
    if (!pPane)
        return;
    bool bFound = false;
    for (UIObject* pObject : SelectionCopy(pPane))
        if (pObject->isA() == PX_CLASS_GOTO)
        {
            Goto* pGoto = static_cast<Goto*>(pObject);
            pGoto->ClearFlag(GOTO_FLAG_HANDEDIT);
            pGoto->MarkForReroute();
            bFound = true;
        }
    if (bFound)
        pPane->RouteGotoLines();
    else
        ShowMessageId(IDS_EDIT_SELECTGOTO, nullptr, MB_OK | MB_ICONEXCLAMATION);
}

void UIMDIFrame::CmRerouteAllLines()
{
    EditMDI* pWindow = nullptr;
    EditChild* pPane = ActivePaneOrHint(IDS_UI_SELECTPROGRAMWINDOW, &pWindow);
    if (!pPane || !pWindow->GetPage())
        return;
    SetBusyCursor(3, 0, kWaitCursor);
    for (ListIterator b(pWindow->GetPage()->GetBlocks()); b; ++b)
        for (ListIterator g(static_cast<PowerBlock&>(b.current()).GetGotos()); g; ++g)
        {
            Goto& line = static_cast<Goto&>(g.current());
            line.ClearFlag(GOTO_FLAG_HANDEDIT);
            line.MarkForReroute();
        }
    pPane->RouteGotoLines();
    SetBusyCursor(2, 0, 0);
}

void UIMDIFrame::CmStubLine()
{
    EditChild* pPane = ActivePaneOrHint(IDS_UI_SELECTPROGRAMWINDOW);
    if (!pPane)
        return;
    UIObject* pFirst = pPane->GetFirstSelected();
    if (!pFirst || pFirst->isA() != PX_CLASS_GOTO)
    {
        ShowMessageId(IDS_EDIT_SELECTGOTO, nullptr, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const bool bLabel = UIApp::IsOptionSet(UI_OPT_LABELSTUBS);
    for (UIObject* pObject : SelectionCopy(pPane))
    {
        if (pObject->isA() != PX_CLASS_GOTO)
            continue;
        Goto* pGoto = static_cast<Goto*>(pObject);
        if (pGoto->HasFlag(GOTO_FLAG_STUB | GOTO_FLAG_LABELSTUB))
            pGoto->ClearFlag(GOTO_FLAG_STUB | GOTO_FLAG_LABELSTUB);
        else
            pGoto->SetFlag(bLabel ? GOTO_FLAG_LABELSTUB : GOTO_FLAG_STUB);
        pGoto->MarkForReroute();
        pGoto->ClearFlag(GOTO_FLAG_HANDEDIT);
        NotifyChildren(pGoto, OBJECT_REBUILD, 0);
    }
}

// ---------------------------------------------------------------------------
// Text notes and comments

void UIMDIFrame::CmCreateTextNote()
{
    EditChild* pPane = ActivePaneOrHint(IDS_UI_SELECTPROGRAMWINDOW);
    if (!pPane)
        return;
    EndNoteEdit(pPane);
    pPane->BeginTextNote();
}

void UIMDIFrame::CmTextNoteFont()
{
    EditMDI* pWindow = nullptr;
    EditChild* pPane = ActivePaneOrHint(IDS_UI_SELECTPROGRAMWINDOW, &pWindow);
    if (!pPane)
        return;
    EndNoteEdit(pPane);
    std::vector<PXTextUI*> notes;
    for (UIObject* pObject : SelectionCopy(pPane))
        if (pObject->isA() == PX_CLASS_TEXTUI)
            notes.push_back(static_cast<PXTextUI*>(pObject));
    if (notes.empty())
    {
        PXMessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    const FontObject* pStart = notes.front()->GetFontObject();
    if (!pStart && g_pFonts)
        pStart = g_pFonts->Find("default_textnotes");
    if (!pStart)
    {
        PXMessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    // Cancel changes nothing.
    FontObject* pChosen = FontObject::Choose(pStart, HWindow);
    if (!pChosen)
        return;
    for (PXTextUI* pNote : notes)
    {
        FontObject* pFont = new FontObject("", *pChosen);
        pNote->SetFontObject(pFont);
        pNote->GetTextBox()->SetFont(pFont->GetFont());
        pNote->SetModified();
    }
    delete pChosen;
    RelayoutChildren();
    if (Program* pProgram = pWindow->GetProgram())
        pProgram->SetModified();
}

void UIMDIFrame::CmEditTextNote()
{
    EditChild* pPane = ActivePaneOrHint(IDS_UI_SELECTPROGRAMWINDOW);
    if (!pPane)
        return;
    UIObject* pFirst = pPane->GetFirstSelected();
    if (pPane->GetSelectionCount() != 1 || !pFirst || pFirst->isA() != PX_CLASS_TEXTUI)
        return;
    PXTextUI* pNote = static_cast<PXTextUI*>(pFirst);
    // Each pane showing the note opens its editor over it.
    std::vector<ObjectChild*> panes;
    for (ListIterator it(pNote->GetDisplayObjects()); it; ++it)
    {
        DisplayObject* pObj = static_cast<DisplayObject*>(&it.current());
        ObjectChild* pShowing = dynamic_cast<ObjectChild*>(pObj->GetPane());
        if (pShowing && std::find(panes.begin(), panes.end(), pShowing) == panes.end())
            panes.push_back(pShowing);
    }
    for (ObjectChild* pShowing : panes)
        pShowing->BeginNoteEdit(pNote);
}

void UIMDIFrame::CmSuperBlockComment()
{
    EditMDI* pWindow = nullptr;
    EditChild* pPane = ActivePaneOrHint(IDS_UI_SELECTPROGRAMWINDOW, &pWindow);
    if (!pPane || !pWindow->GetPage())
        return;
    EndNoteEdit(pPane);
    if (EditSuperBlockComment(pPane, pWindow->GetPage()) && pWindow->GetProgram())
        pWindow->GetProgram()->SetModified();
}

void UIMDIFrame::CmProgramComment()
{
    EditMDI* pWindow = nullptr;
    EditChild* pPane = ActivePaneOrHint(IDS_UI_SELECTPROGRAMWINDOW, &pWindow);
    if (!pPane || !pWindow->GetProgram())
        return;
    if (EditProgramComment(pPane, pWindow->GetProgram()))
        pWindow->GetProgram()->SetModified();
}
