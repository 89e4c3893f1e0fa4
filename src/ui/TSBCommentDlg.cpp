// The comment dialog.
#include "TSBCommentDlg.h"
#include "CommentDlgRes.h"
#include "Page.h"
#include "Program.h"

#include <cstring>
#include <vector>

TSBCommentDlg::TSBCommentDlg(TWindow* pParent, char* pszBuffer)
    : TDialog(pParent, TResId(IDD_SBCOMMENT)), m_pszBuffer(pszBuffer),
      m_pEdit(new TEdit(this, IDC_SBCOMMENT_TEXT, PX_COMMENT_SIZE))
{
}

void TSBCommentDlg::TransferData(TTransferDirection direction)
{
    if (!m_pszBuffer)
        return;
    if (direction == tdSetData)
        m_pEdit->SetText(m_pszBuffer);
    else
        m_pEdit->GetText(m_pszBuffer, PX_COMMENT_SIZE);
}

namespace
{
// Runs the dialog over a copy of the comment; true and the new text on
// "Done".
bool EditComment(TWindow* pParent, UINT nCaption, const char* pszComment, std::vector<char>& buffer)
{
    buffer.assign(PX_COMMENT_SIZE, '\0');
    if (pszComment)
        std::strncpy(buffer.data(), pszComment, PX_COMMENT_SIZE - 1);
    TSBCommentDlg dlg(pParent, buffer.data());
    dlg.SetCaption(CString(MAKEINTRESOURCEA(nCaption)));
    return dlg.Execute() == IDOK;
}
}

int EditSuperBlockComment(TWindow* pParent, Page* pPage)
{
    std::vector<char> buffer;
    if (!pPage || !EditComment(pParent, IDS_UI_SBCOMMENTCAPTION, pPage->GetComment(), buffer))
        return 0;
    pPage->SetComment(buffer.data());
    return 1;
}

int EditProgramComment(TWindow* pParent, Program* pProgram)
{
    std::vector<char> buffer;
    if (!pProgram || !EditComment(pParent, IDS_UI_PROGCOMMENTCAPTION, pProgram->GetComment(), buffer))
        return 0;
    pProgram->SetComment(buffer.data());
    return 1;
}
