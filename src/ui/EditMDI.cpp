// The page windows.
#include "EditMDI.h"
#include "EditChild.h"
#include "Page.h"
#include "PaneRes.h"
#include "Program.h"
#include "PXFaultHandler.h"
#include "PXMsgBox.h"
#include "PXWinApp.h"
#include "UIPageFrame.h"

#include <algorithm>
#include <cstdio>
#include <new>

EditMDI::EditMDI(TMDIClient& client, const LayoutRecord* pRecord, Program* pProgram, Page* pPage,
                 const char* pszTitle)
    : UIMDIChildWindow(client, pRecord, pszTitle), m_pProgram(pProgram), m_pPage(pPage),
      m_nNumber(pProgram ? pProgram->GetOpenWindows() + 1 : 1), m_bPageRemoved(false)
{
    for (int i = 0; i < LAYOUT_MAX_ELEMENTS; ++i)
    {
        const LayoutElement& e = pRecord->elements[i];
        if (e.nType != PANE_EDIT)
            continue;
        if (!new (std::nothrow) EditChild(this, &e, m_nWidth, m_nHeight, pProgram, pPage))
            ShowMessageId(IDS_PANE_NOCHILD, nullptr, MB_ICONEXCLAMATION, static_cast<int>(e.nType));
    }
}

EditMDI::~EditMDI()
{
    UIPageFrame* pFrame = GetPageFrame();
    if (pFrame)
        pFrame->CloseChild(this);
    if (m_pProgram)
    {
        if (m_pProgram->GetOpenWindows() <= 0)
        {
            if (pFrame && pFrame->GetCurrentProgram() == m_pProgram)
                pFrame->SetCurrentProgram(nullptr);
            // The panes let go of the program's objects before it goes.
            while (NumChildren() > 0)
                delete GetChild(NumChildren() - 1);
            delete m_pProgram;
            m_pProgram = nullptr;
            m_pPage = nullptr;
        }
    }
}

int EditMDI::GetEditZoom() const
{
    EditChild* pPane = GetEditPane();
    return pPane ? pPane->GetZoom() : -1;
}

BOOL EditMDI::IsEditingTextNote() const
{
    EditChild* pPane = GetEditPane();
    return pPane && pPane->GetMouseMode() == MODE_TEXTEDIT ? TRUE : FALSE;
}

int EditMDI::GetSelectionCount() const
{
    EditChild* pPane = GetEditPane();
    return pPane ? pPane->GetSelectionCount() : 0;
}

UIObject* EditMDI::GetSelectedObject(int nIndex) const
{
    EditChild* pPane = GetEditPane();
    return pPane ? pPane->GetSelectedObject(nIndex) : nullptr;
}

EditChild* EditMDI::GetEditPane() const
{
    return FindPane<EditChild>();
}

void EditMDI::AdjustIndexOnRemove(int nNumber)
{
    if (nNumber < m_nNumber)
        --m_nNumber;
}

void EditMDI::ObjectChanged(UIObject* pObject, int nKind, int nFlags)
{
    if (!pObject || !pObject->IsProgramObject())
        return;
    if (static_cast<ProgramObject*>(pObject)->GetPage() != m_pPage)
        return;
    if (pObject == m_pPage)
    {
        if (nKind == OBJECT_CHANGING)
        {
            // The page is going: the window closes without a question.
            m_bPageRemoved = true;
            CloseWindow(0);
        }
        else
            RelayoutPanes();
        return;
    }
    UIMDIChildWindow::ObjectChanged(pObject, nKind, nFlags);
}

void EditMDI::EvMDIActivate(HWND hWndActivated, HWND hWndDeactivated)
{
    if (hWndActivated == HWindow)
    {
        if (m_pProgram)
            m_pProgram->Activate();
        if (m_pPage)
            m_pPage->Activate();
        if (UIPageFrame* pFrame = GetPageFrame())
        {
            pFrame->SetCurrentProgram(m_pProgram);
            pFrame->SetCurrentPage(m_pPage);
        }
    }
    else if (hWndDeactivated != HWindow)
        ShowMessageId(IDS_PANE_BADACTIVATE, nullptr, MB_ICONEXCLAMATION);
    PXWinApp::UpdateCommandUI();
    UIMDIChildWindow::EvMDIActivate(hWndActivated, hWndDeactivated);
}

bool EditMDI::CanClose()
{
    UIPageFrame* pFrame = GetPageFrame();
    if (pFrame && pFrame->IsClosing())
        pFrame->ActivateChild(this);
    if (m_bPageRemoved)
        return true;
    if (!pFrame)
        return false;
    // Other windows of the program stay open: the program stays too.
    if (m_pProgram && m_pProgram->GetOpenWindows() > 1)
        return true;
    if (m_pProgram && m_pProgram->IsModified())
    {
        CString strPath(m_pProgram->GetName());
        int nSlash = std::max(strPath.ReverseFind('\\'), strPath.ReverseFind('/'));
        CString strFile = nSlash >= 0 ? strPath.Mid(nSlash + 1) : strPath;
        int nDot = strFile.ReverseFind('.');
        if (nDot >= 0)
            strFile = strFile.Left(nDot);
        char szFormat[64] = "", szCaption[32] = "", szText[200];
        LoadStringA(PXGetResourceHandle(), IDS_PANE_SAVECHANGES, szFormat, sizeof(szFormat));
        LoadStringA(PXGetResourceHandle(), IDS_PANE_CAPTION, szCaption, sizeof(szCaption));
        std::snprintf(szText, sizeof(szText), szFormat, static_cast<const char*>(strFile));
        const int nAnswer =
            PXMessageBox(HWindow, szText, szCaption, MB_YESNOCANCEL | MB_ICONQUESTION | MB_SYSTEMMODAL);
        if (nAnswer == IDCANCEL || nAnswer == 0)
            return false;
        if (nAnswer == IDYES && !pFrame->SaveProgram(m_pProgram))
            return false;
    }
    if (m_pProgram)
        pFrame->CloseProgram(m_pProgram);
    return true;
}
