// UIMDIChildWindow: a document window of the main frame, placed in the MDI
// client by its layout record and tiled with the panes of the record's
// elements. It fans model changes, object showing and scale re-reading
// out to its panes, and lays them out again when it is resized.
#ifndef UIMDICHILD_H
#define UIMDICHILD_H

#include "owl/TMDIChild.h"
#include "owl/TMDIClient.h"
#include "LayoutRecord.h"
#include "UIMDIFrame.h"

class ChildWindow;
class UIObject;
class Program;
class Page;

class UIMDIChildWindow : public TMDIChild, public UIMDIChild
{
public:
    UIMDIChildWindow(TMDIClient& client, const LayoutRecord* pRecord, const char* pszTitle,
               TWindow* pClientWnd = nullptr);
    ~UIMDIChildWindow() override;

    virtual void RelayoutPanes();
    void ObjectChanged(UIObject* pObject, int nKind, int nFlags) override;
    void ShowObject(UIObject* pObject, bool bSelect) override;
    virtual void RereadScale();
    // The page window's program and page; none for other windows.
    Program* GetProgram() const override { return nullptr; }
    Page* GetPage() const override { return nullptr; }
    HWND GetHandle() const override { return HWindow; }
    // The frame's names for relayout and re-reading.
    void LayoutPanes() override { RelayoutPanes(); }
    void RereadResources() override { RereadScale(); }

    const char* GetClassName() override { return "UIMDI"; }
    void GetWindowClass(WNDCLASSA& wc) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void EvSize(UINT sizeType, int cx, int cy) override;

    const LayoutRecord* GetLayoutRecord() const { return m_pRecord; }
    // The first pane of exactly the class; none.
    template <class T>
    T* FindPane() const
    {
        return FirstChildOfClass<T>(*this);
    }
    int GetPaneCount() const;
    ChildWindow* GetPane(int n) const;

protected:
    // Makes the pane of an element that this class knows (scroll bars and
    // dividers); none for the others.
    ChildWindow* MakePane(const LayoutElement& element);
    void MakePanes();
    void ForEachPane(void (*pfn)(ChildWindow* pPane, void* pData), void* pData);

    const LayoutRecord* m_pRecord;
    int m_nWidth;
    int m_nHeight;
};

#endif
