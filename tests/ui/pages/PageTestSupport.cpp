// The page-window tests' frame and helpers.
#include "PageTestSupport.h"
#include "../../model/DisplayTestSupport.h"
#include "PowerBlockObject.h"
#include "PXSObj.h"
#include "PXWinApp.h"
#include "UIMDIClient.h"

#include <algorithm>
#include <cstring>

PageTestFrame::PageTestFrame(TMDIClient& client) : TMDIFrame("Page test frame", TResId(), client)
{
    Attr.Style = WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN;
    Attr.ExStyle = WS_EX_TOPMOST;
    Attr.X = 0;
    Attr.Y = 0;
    Attr.W = 1000;
    Attr.H = 720;
}

PageTestFrame::~PageTestFrame()
{
}

EditMDI* PageTestFrame::OpenEditWindow(Program* pProgram, Page* pPage, bool bMaximise)
{
    const LayoutRecord* pRecord = LayoutRecord::Find(LAYOUT_PAGE);
    EditMDI* pWindow = new EditMDI(*GetClientWindow(), pRecord, pProgram, pPage, "page");
    if (!pWindow->Create())
        return nullptr;
    children.push_back(pWindow);
    pProgram->AddOpenWindow(1);
    if (bMaximise)
        ::SendMessageA(GetClientWindow()->HWindow, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(pWindow->HWindow), 0);
    ActivateChild(pWindow);
    pWindow->RelayoutPanes();
    return pWindow;
}

void PageTestFrame::ActivateChild(UIMDIChildWindow* pChild)
{
    if (!pChild || !pChild->HWindow)
        return;
    ::SendMessageA(GetClientWindow()->HWindow, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pChild->HWindow), 0);
}

void PageTestFrame::CloseChild(UIMDIChildWindow* pChild)
{
    auto it = std::find(children.begin(), children.end(), pChild);
    if (it == children.end())
        return;
    EditMDI* pClosed = *it;
    children.erase(it);
    pClosed->GetProgram()->AddOpenWindow(-1);
    for (EditMDI* pOther : children)
        if (pOther->GetProgram() == pClosed->GetProgram())
            pOther->AdjustIndexOnRemove(pClosed->GetWindowNumber());
}

bool PageTestFrame::SaveProgram(Program* pProgram)
{
    savedPrograms.push_back(pProgram);
    if (bSaveSucceeds)
        pProgram->ClearModified();
    return bSaveSucceeds;
}

bool PageTestFrame::AskBlockName(HWND, const char* pszPrompt, char* pszName, int nSize)
{
    prompts.push_back(pszPrompt);
    if (names.empty())
        return false;
    lstrcpynA(pszName, names.front().c_str(), nSize);
    names.pop_front();
    return true;
}

int PageTestFrame::PasteClipboard(Page* pPage, ObjectChild* pPane, long mx, long my)
{
    pastes.push_back({pPage, pPane, mx, my});
    return 0;
}

void PageTestFrame::NotifyChildren(UIObject* pObject, int nKind, int nFlags)
{
    std::vector<EditMDI*> windows(children);
    for (EditMDI* pWindow : windows)
        if (std::find(children.begin(), children.end(), pWindow) != children.end())
            pWindow->ObjectChanged(pObject, nKind, nFlags);
}

// ---- fixture -----------------------------------------------------------------

void PageTest::SetUp()
{
    ModelTest::SetUp();
    MakeDrawingTables();
    app.reset(new PXWinApp(GetModuleHandleA(nullptr)));
    PXSoftObj::Init(app.get());
    PXSetWinApp(app.get());
    client.reset(new UIMDIClient());
    frame = new PageTestFrame(*client);
    ASSERT_TRUE(frame->Create());
    ::ShowWindow(frame->HWindow, SW_SHOW);
    ::SetForegroundWindow(frame->HWindow);
    pOldObserver = ModelSetObserver(frame);
    SetPageFrame(frame);
    Flush();
}

void PageTest::TearDown()
{
    SetPageFrame(nullptr);
    ModelSetObserver(pOldObserver);
    // The windows go with the frame; a window still open deletes its
    // program when it is the program's last.
    if (frame)
    {
        frame->Destroy();
        delete frame;
        frame = nullptr;
    }
    client.release();   // the frame's child, deleted with it
    PXSetWinApp(nullptr);
    app.reset();
    Flush();
    ModelTest::TearDown();
}

EditMDI* PageTest::OpenProgram(Program** ppProgram)
{
    Program* pProgram = NewProgram();
    pProgram->ClearModified();
    if (ppProgram)
        *ppProgram = pProgram;
    EditMDI* pWindow = frame->OpenEditWindow(pProgram, pProgram->GetMainPage());
    Flush();
    return pWindow;
}

void PageTest::Press(ObjectChild* pPane, POINT pt, UINT nKeys)
{
    ::SendMessageA(pPane->HWindow, WM_LBUTTONDOWN, nKeys | MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
}

void PageTest::Move(ObjectChild* pPane, POINT pt, UINT nKeys)
{
    ::SendMessageA(pPane->HWindow, WM_MOUSEMOVE, nKeys, MAKELPARAM(pt.x, pt.y));
}

void PageTest::Release(ObjectChild* pPane, POINT pt, UINT nKeys)
{
    ::SendMessageA(pPane->HWindow, WM_LBUTTONUP, nKeys, MAKELPARAM(pt.x, pt.y));
}

void PageTest::Click(ObjectChild* pPane, POINT pt, UINT nKeys)
{
    Press(pPane, pt, nKeys);
    Release(pPane, pt, nKeys);
}

void PageTest::Flush()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

POINT PageTest::DevicePoint(ObjectChild* pPane, long vx, long vy)
{
    POINT pt = {vx, vy};
    pPane->LogicalToDevice(pt);
    return pt;
}

POINT PageTest::PointOf(ObjectChild* pPane, PowerBlock* pBlock)
{
    DisplayObject* pObj = pPane->FindOwnDisplayObject(pBlock, PX_CLASS_POWERBLOCKOBJECT);
    EXPECT_NE(nullptr, pObj);
    if (!pObj)
        return {0, 0};
    const RECT& rc = static_cast<PowerBlockObject*>(pObj)->GetIconBox();
    return DevicePoint(pPane, (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
}

std::vector<UINT> g_beeps;

void RecordBeep(UINT uType)
{
    g_beeps.push_back(uType);
}

bool CloseProgram(Program*)
{
    return true;
}
