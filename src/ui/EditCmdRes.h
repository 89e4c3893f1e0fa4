// Resource ids of the frame's Edit menu commands (UIMDIFrameEdit.cpp). The
// numbers below 100 are the program's message numbers.
#ifndef EDITCMDRES_H
#define EDITCMDRES_H

// Messages.
#define IDS_EDIT_SELECTGOTO         20  // "Select a goto line before using this command."
#define IDS_EDIT_SELECTBLOCK        23  // "Select a PowerBlock before using this command."
#define IDS_EDIT_ONEBLOCK           24  // "Only one PowerBlock can be configured at a time."
#define IDS_EDIT_NORENAMEBEGIN      25  // "You can not rename the Start Block."
#define IDS_EDIT_NORENAMEEXIT       26  // "You can not rename End Block ... in a Verification Block."
#define IDS_EDIT_NOMEMDIALOG        27  // "Out of memory:  unable to create dialog box."
#define IDS_EDIT_NODELETEBEGIN      43  // "You cannot delete the Start Block."
#define IDS_EDIT_ASKDELETE          64  // "Are you sure you want to remove the selected objects?"
#define IDS_EDIT_ASKPASTE           65  // "Are you sure you want to paste the copied objects?"
#define IDS_EDIT_NOCUTEND           66  // "You cannot cut the End Block."
#define IDS_EDIT_NOCUTROTARY        67  // "You cannot cut the Rotary Dial Block."
#define IDS_EDIT_NOCUTCONTINUE      68  // "You cannot cut the Continue Block."
#define IDS_EDIT_NOCUTBEGIN         69  // "You cannot cut the Start Block."
#define IDS_EDIT_NODELETEROTARY     70  // "You cannot delete the Rotary Dial Block."
#define IDS_EDIT_NODELETECONTINUE   71  // "You cannot delete the Continue Block."
#define IDS_EDIT_NODELETEEND        72  // "You cannot delete the End Block."
#define IDS_EDIT_NORENAMEROTARY     73  // "You cannot rename the Rotary Dial Block."
#define IDS_EDIT_NORENAMEEND        74  // "You cannot rename the End Block."
#define IDS_EDIT_NORENAMECONTINUE   75  // "You cannot rename the Continue Block."
#define IDS_EDIT_NOCOPYBEGIN        76  // "You cannot copy the Start Block."
#define IDS_EDIT_NOCOPYEND          77  // "You cannot copy the End Block."
#define IDS_EDIT_NOCOPYROTARY       78  // "You cannot copy the Rotary Dial Block."
#define IDS_EDIT_NOCOPYCONTINUE     79  // "You cannot copy the Continue Block."

// Strings: 3744-3759.
#define IDS_EDIT_SELECTCUT          3744    // "You must select the blocks you wish to cut."
#define IDS_EDIT_SELECTCOPY         3745    // "You must select the powerblocks you wish to copy!"
#define IDS_EDIT_CLIPEMPTY          3746    // "The clipboard is empty!"
#define IDS_EDIT_CLIPNOTBLOCKS      3747    // "The last cut/copy operation was not a powerblock!"
#define IDS_EDIT_RENAMECAPTION      3748    // "Rename Block %.50s"

#endif
