// TSBCommentDlg: the dialog in which the comment of a SuperBlock page (or
// of a program) is edited, and the two edits the page pane runs with it.
#ifndef TSBCOMMENTDLG_H
#define TSBCOMMENTDLG_H

#include "owl/TDialog.h"
#include "owl/TEdit.h"

class Page;
class Program;

// The characters a comment buffer holds, its NUL included.
#define PX_COMMENT_SIZE 0x7fff

class TSBCommentDlg : public TDialog
{
public:
    // The caller's buffer of PX_COMMENT_SIZE characters: shown when the
    // dialog opens, filled (at most PX_COMMENT_SIZE - 1 characters) on
    // "Done".
    TSBCommentDlg(TWindow* pParent, char* pszBuffer);

    void TransferData(TTransferDirection direction) override;

    TEdit* GetEdit() const { return m_pEdit; }

private:
    char* m_pszBuffer;          // not owned
    TEdit* m_pEdit;             // a child of the dialog
};

// The page's SuperBlock comment in the dialog captioned "SuperBlock
// Comment": 1 when "Done" stored it, else 0 (nothing changes).
int EditSuperBlockComment(TWindow* pParent, Page* pPage);
// The program's comment in the dialog captioned "Program Comment"; as
// above.
int EditProgramComment(TWindow* pParent, Program* pProgram);

#endif
