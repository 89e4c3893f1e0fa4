// EditMDI: the window that edits one page of a program, holding the page
// editing pane with its two scroll bars. Its program is shared by all
// windows of the program; the last of them deletes it.
#ifndef EDITMDI_H
#define EDITMDI_H

#include "UIMDIChildWindow.h"

class EditChild;

class EditMDI : public UIMDIChildWindow
{
public:
    EditMDI(TMDIClient& client, const LayoutRecord* pRecord, Program* pProgram, Page* pPage, const char* pszTitle);
    // The frame is told (it counts the window out of its program's open
    // windows); the last window of a program deletes it.
    ~EditMDI() override;

    void ObjectChanged(UIObject* pObject, int nKind, int nFlags) override;
    Program* GetProgram() const override { return m_pProgram; }
    Page* GetPage() const override { return m_pPage; }
    void EvMDIActivate(HWND hWndActivated, HWND hWndDeactivated) override;
    // The closing question. Only the last window of a program asks it and
    // closes the program's application; a window whose page was removed
    // closes without a word.
    bool CanClose() override;

    // Another window of the program with that number closed.
    void AdjustIndexOnRemove(int nNumber) override;
    int GetWindowNumber() const override { return m_nNumber; }
    int GetEditZoom() const override;
    // The command states follow the edit pane's selection and in-place
    // text edit through these.
    BOOL IsEditingTextNote() const override;
    int GetSelectionCount() const override;
    UIObject* GetSelectedObject(int nIndex) const override;
    EditChild* GetEditPane() const;

private:
    Program* m_pProgram;    // shared; the last window deletes it
    Page* m_pPage;          // the program's
    int m_nNumber;
    bool m_bPageRemoved;
};

#endif
