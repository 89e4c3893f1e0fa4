// The main frame's page-window registry, change fan-out, captions and
// status text.
#include "UIMDIFrame.h"
#include "UIApp.h"
#include "Program.h"
#include "owl/TApplication.h"

#include <algorithm>

UIMDIFrame::UIMDIFrame(TMDIClient& client, TModule* pModule)
    : TMDIFrame(GetApplicationObject() ? GetApplicationObject()->GetName() : "", "MAINMENU", client, pModule),
      m_pStatusLine(nullptr)
{
}

UIMDIFrame::~UIMDIFrame()
{
    if (ModelIsObserver(this))
        ModelSetObserver(nullptr);
    m_Children.clear();
}

void UIMDIFrame::AddChild(UIPageWindow* pChild)
{
    PXASSERT(pChild != 0);
    m_Children.push_back(pChild);
    if (Program* pProgram = pChild->GetProgram())
        pProgram->AddOpenWindow(1);
    RefreshCaptions();
}

void UIMDIFrame::CloseChild(UIPageWindow* pChild)
{
    auto it = std::find(m_Children.begin(), m_Children.end(), pChild);
    if (it != m_Children.end())
    {
        m_Children.erase(it);
        if (Program* pProgram = pChild->GetProgram())
            pProgram->AddOpenWindow(-1);
    }
    RefreshCaptions();
}

void UIMDIFrame::NotifyChildren(UIObject* pObject, int nKind, int nFlags)
{
    // A window may close while it is told, itself or another one; walk a
    // copy and tell only those still listed (a closed one may be gone).
    std::vector<UIPageWindow*> children(m_Children);
    for (UIPageWindow* pChild : children)
        if (std::find(m_Children.begin(), m_Children.end(), pChild) != m_Children.end())
            pChild->ObjectChanged(pObject, nKind, nFlags);
}

CString UIMDIFrame::CaptionFor(Program* pProgram)
{
    CString strPath(pProgram->GetName());
    int nSlash = std::max(strPath.ReverseFind('\\'), strPath.ReverseFind('/'));
    CString strFile = nSlash >= 0 ? strPath.Mid(nSlash + 1) : strPath;
    int nDot = strFile.ReverseFind('.');
    if (nDot >= 0)
        strFile = strFile.Left(nDot);
    if (pProgram->IsModified())
        strFile += " *";
    return strFile;
}

void UIMDIFrame::RefreshCaptions()
{
    for (UIPageWindow* pChild : m_Children)
    {
        Program* pProgram = pChild->GetProgram();
        HWND hWnd = pChild->GetHandle();
        if (!pProgram || !hWnd)
            continue;
        CString strCaption = CaptionFor(pProgram);
        char szNow[MAX_PATH + 8] = "";
        ::GetWindowTextA(hWnd, szNow, sizeof(szNow));
        if (strCaption.Compare(szNow) != 0)
            ::SetWindowTextA(hWnd, strCaption);
    }
}

UIPageWindow* UIMDIFrame::FindChildForPage(Page* pPage) const
{
    for (UIPageWindow* pChild : m_Children)
        if (pChild->GetPage() == pPage)
            return pChild;
    return nullptr;
}

void UIMDIFrame::RefreshCommandStates()
{
    UIApp::RefreshCommandStates();
}

void UIMDIFrame::SetStatusText(const char* pszText, int bHighlight)
{
    if (m_pStatusLine)
        m_pStatusLine->SetText(bHighlight ? 3 : 0, pszText, bHighlight != 0);
}
