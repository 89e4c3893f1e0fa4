// The main frame's registry of open page windows and the operations the
// program model calls on it as its observer: fanning a model change out to
// every open window, the window captions, the command states, the status
// line.
#ifndef UIMDIFRAME_H
#define UIMDIFRAME_H

#include "PXafx.h"
#include "ModelObserver.h"
#include "UIPageWindow.h"
#include "owl/TMDIFrame.h"

#include <vector>

class UIObject;
class Program;
class Page;

// The frame's status line.
class UIStatusLine
{
public:
    virtual ~UIStatusLine() {}
    // Level 0 plain text, 2 progress, 3 error (reset after 4000 ms); none
    // clears the line; with bUpdate it paints at once.
    virtual void SetText(int nLevel, const char* pszText, bool bUpdate) = 0;
};

class UIMDIFrame : public TMDIFrame, public ModelObserver
{
public:
    // The frame over the MDI client, titled with the application's name,
    // with the menu "MAINMENU".
    explicit UIMDIFrame(TMDIClient& client, TModule* pModule = nullptr);
    // Stops being the model's observer when it is the installed one.
    ~UIMDIFrame() override;

    const char* GetClassName() override { return "UIFRAME"; }

    // A page window opened: appended to the list, counted in its program's
    // open windows, captions refreshed.
    void AddChild(UIPageWindow* pChild);
    // A page window closing: taken out of the list, captions refreshed.
    void CloseChild(UIPageWindow* pChild);
    int GetChildCount() const { return static_cast<int>(m_Children.size()); }

    // Calls ObjectChanged of every listed window, in list order.
    void NotifyChildren(UIObject* pObject, int nKind, int nFlags) override;
    // Every listed window's caption: its program file's name without
    // directory and extension, with " *" while the program is modified; set
    // only when it differs.
    void RefreshCaptions() override;
    // The application's command states (UIApp::RefreshCommandStates).
    void RefreshCommandStates() override;
    // The first listed window showing the page, or none.
    UIPageWindow* FindChildForPage(Page* pPage) const;
    // Shows the text on the status line, at the error level when bHighlight.
    void SetStatusText(const char* pszText, int bHighlight) override;
    void SetStatusLine(UIStatusLine* pStatusLine) { m_pStatusLine = pStatusLine; }

    // The caption of a program's windows.
    static CString CaptionFor(Program* pProgram);

private:
    UIMDIFrame(const UIMDIFrame&) = delete;
    UIMDIFrame& operator=(const UIMDIFrame&) = delete;

    std::vector<UIPageWindow*> m_Children;
    UIStatusLine* m_pStatusLine;
};

#endif
