// The display object of a text note.
#include "PXTextDObj.h"
#include "ModelRes.h"
#include "PXTextUI.h"

PXTextDObj::PXTextDObj(DisplayPane* pPane, PXTextUI* pNote, const RECT& rc) : DisplayObject(pPane, pNote, rc)
{
    DisplayResources::Get();
}

PXTextUI* PXTextDObj::GetNote() const
{
    return static_cast<PXTextUI*>(m_pObject);
}

bool PXTextDObj::Click(long, long, int nKind)
{
    if (nKind != DO_CLICK_DOUBLE && nKind != DO_CLICK_OPEN)
        return false;
    DisplayPane* pPane = m_pPane;
    PXTextUI* pNote = GetNote();
    POINT pts[2] = {{m_rc.left, m_rc.top}, {m_rc.right, m_rc.bottom}};
    {
        PaneDC dc(pPane);
        if (dc)
            LPtoDP(dc, pts, 2);
    }
    pNote->GetTextBox()->BeginEdit(pPane->GetPaneWindow(), FALSE, pts[0].x, pts[0].y, pts[1].x, pts[1].y,
                                   pPane->GetZoom());
    // This object goes with the note's display objects.
    pPane->ObjectNotify(pNote, 5, 0);
    return true;
}

void PXTextDObj::Draw(HDC hDC, const DrawOffset*, const RECT*)
{
    PXTextBase* pText = GetNote()->GetTextBox();
    UseFont font(hDC, m_hDrawFont ? m_hDrawFont : pText->GetFont());
    const int nBkMode = SetBkMode(hDC, TRANSPARENT);
    if (m_pPane->IsSelected(m_pObject))
        FrameRect(hDC, &m_rc, DisplayResources::Get().hTextNote);
    const COLORREF crText = SetTextColor(hDC, GetSysColor(COLOR_WINDOWTEXT));
    RECT rc = m_rc;
    DrawTextA(hDC, pText->GetText(), -1, &rc, DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK);
    SetTextColor(hDC, crText);
    SetBkMode(hDC, nBkMode);
}

const char* PXTextDObj::HoverText()
{
    // Tabs become blanks; a line feed and the character before it (the
    // carriage return) become two blanks.
    static char s_szHint[PX_TEXTNOTE_MAX + 1];
    const char* pszText = GetNote()->GetText();
    size_t n = 0;
    for (; pszText && pszText[n] && n < PX_TEXTNOTE_MAX; ++n)
    {
        char ch = pszText[n];
        if (ch == '\t')
            ch = ' ';
        else if (ch == '\n')
        {
            ch = ' ';
            if (n > 0)
                s_szHint[n - 1] = ' ';
        }
        s_szHint[n] = ch;
    }
    s_szHint[n] = '\0';
    return s_szHint;
}

const char* PXTextDObj::DragText()
{
    return Text(IDS_DO_MOVING);
}

const char* PXTextDObj::StatusText()
{
    return Text(IDS_DO_NOTESTATUS);
}

bool EndTextNoteEdit(DisplayPane* pPane, PXTextUI* pNote)
{
    PXTextBase* pText = pNote->GetTextBox();
    if (!pText->GetEdit())
        return false;
    RECT rc;
    pText->EndEdit(FALSE, &rc);
    POINT pts[2] = {{rc.left, rc.top}, {rc.right, rc.bottom}};
    {
        PaneDC dc(pPane);
        if (dc)
            DPtoLP(dc, pts, 2);
    }
    long left, top, right, bottom;
    pPane->ViewToModel(pts[0].x, pts[0].y, left, top);
    pPane->ViewToModel(pts[1].x, pts[1].y, right, bottom);
    pNote->SetRect(left, right, top, bottom);
    pPane->ObjectNotify(pNote, 6, 0);
    return true;
}
