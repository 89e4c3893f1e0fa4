// Resource ids of the comment dialog (src/ui).
#ifndef COMMENTDLGRES_H
#define COMMENTDLGRES_H

// The dialog template and its edit control.
#define IDD_SBCOMMENT           1
#define IDC_SBCOMMENT_TEXT      101

// Strings: 3406-3407, at the end of the range of src/ui.
#define IDS_UI_SBCOMMENTCAPTION     3406    // "SuperBlock Comment"
#define IDS_UI_PROGCOMMENTCAPTION   3407    // "Program Comment"

#endif
