// UIFramePages: the main frame as its page windows see it (UIPageFrame),
// over the frame's registry, current program and page; and the maker of
// page windows that the frame's OpenEditWindow calls. What the frame does
// not do itself yet (saving and closing an application, the naming
// dialog of a new block, the palette) goes through calls that the
// application installs; without them a save fails (so that a close keeps
// the window) and a new block is not named.
#ifndef UIFRAMEPAGES_H
#define UIFRAMEPAGES_H

#include "UIPageFrame.h"

class UIMDIFrame;
class UIMDIChild;

class UIFramePages : public UIPageFrame
{
public:
    // Becomes the installed page frame and the frame's maker of page
    // windows; the destructor undoes both.
    explicit UIFramePages(UIMDIFrame& frame);
    ~UIFramePages() override;

    // A page window (layout record 257) in the frame's MDI client, created;
    // none when it cannot be made.
    static UIMDIChild* MakeEditWindow(UIMDIFrame& frame, Program* pProgram, Page* pPage, const char* pszCaption);

    typedef bool (*ProgramCall)(Program* pProgram);
    typedef bool (*NameCall)(HWND hOwner, const char* pszPrompt, char* pszName, int nSize);
    ProgramCall pfnSave = nullptr;
    ProgramCall pfnClose = nullptr;
    NameCall pfnAskName = nullptr;

    void ActivateChild(UIMDIChildWindow* pChild) override;
    void SetCurrentProgram(Program* pProgram) override;
    void SetCurrentPage(Page* pPage) override;
    Program* GetCurrentProgram() const override;
    void CloseChild(UIMDIChildWindow* pChild) override;
    void ShowPage(Page* pPage) override;
    bool IsClosing() const override;
    bool SaveProgram(Program* pProgram) override { return pfnSave && pfnSave(pProgram); }
    void CloseProgram(Program* pProgram) override
    {
        if (pfnClose)
            pfnClose(pProgram);
    }
    bool AskBlockName(HWND hOwner, const char* pszPrompt, char* pszName, int nSize) override
    {
        return pfnAskName && pfnAskName(hOwner, pszPrompt, pszName, nSize);
    }
    // The clipboard program (UIFramePaste.cpp).
    bool ClipboardHasEndBlock() override;
    int PasteClipboard(Page* pPage, ObjectChild* pPane, long mx, long my) override;
    void RefreshPalette(Program* pProgram) override;
    HWND GetPaletteWindow() override;
    void TogglePalette() override;
    // A block moved inside a page pane runs the main frame's image drag
    // with the block's image at the palette's size; its drop moves the
    // block there (or is refused with a message outside the page window).
    // Without the main frame, its MDI client or the image there is no
    // image drag.
    bool BeginImageDrag(int nImage, POINT ptScreen) override;
    void MoveImageDrag(UINT nKeys, POINT ptScreen, ObjectChild* pSource) override;
    void EndImageDrag(POINT ptScreen) override;
    void CancelImageDrag() override;
    // The frame's page-grid cache.
    void GetPageGridSize(long& cx, long& cy) override;
    void SetPageGridSize(long cx, long cy) override;

private:
    UIFramePages(const UIFramePages&) = delete;
    UIFramePages& operator=(const UIFramePages&) = delete;

    UIMDIFrame& m_frame;
    UIPageFrame* m_pOldFrame;
};

#endif
