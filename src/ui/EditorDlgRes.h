// Resource ids of the editor's dialogs (src/ui): the block-name, save-name,
// zoom and About dialogs, the Find dialog and the page dialogs. Their
// templates are named by text ("NAMEPB", "SCALE", ...).
#ifndef EDITORDLGRES_H
#define EDITORDLGRES_H

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// "NAMEPB"
#define IDC_NAMEPB_NAME         101
// "SAVEAS"
#define IDC_SAVEAS_NAME         100
#define IDC_SAVEAS_LIST         101
#define IDC_SAVEAS_DESCR        102
// "SCALE"
#define IDC_SCALE_CURRENT       204
#define IDC_SCALE_NEW           205
// "ABOUT"
#define IDC_ABOUT_BUILD         102

// "FINDPOWERBLOCK"
#define IDC_FIND_TYPE           103
#define IDC_FIND_PATTERN        104
#define IDC_FIND_RESULTS        105
#define IDC_FIND_ALL            106
#define IDC_FIND_SEARCH         107
#define IDC_FIND_INCOMPLETE     108
#define IDC_FIND_BYTYPE         109
#define IDC_FIND_ONEPAGE        110
#define IDC_FIND_ALLPAGES       111
#define IDC_FIND_PAGE           112
#define IDC_FIND_BYVARIABLE     113
#define IDC_FIND_VARIABLE       114
#define IDC_FIND_PICKVARIABLE   115
#define IDC_FIND_BYSENTENCE     116
#define IDC_FIND_PICKSENTENCE   117
#define IDC_FIND_SENTENCE       118
#define IDC_FIND_CALLING        120
#define IDC_FIND_CALLED         121

// "NAMEPAGE"
#define IDC_NAMEPAGE_NAME       100
#define IDC_NAMEPAGE_PROMPT     103
// "VIEWPAGES" and "DEFINEPAGES"
#define IDC_PAGES_LIST          100
#define IDC_PAGES_ADD           101
#define IDC_PAGES_EDIT          102
#define IDC_PAGES_DELETE        103
#define IDC_PAGES_RENAME        104
#define IDC_PAGES_COPY          105
#define IDC_PAGES_LABEL         106
#define IDC_PAGES_EXPORT        107
#define IDC_PAGES_PASTE         108

// Messages of the page dialogs; their numbers are the program's message
// numbers.
#define IDS_PAGES_SELECTDELETE  1       // "Please select an item to delete."
#define IDS_PAGES_SELECTEDIT    5       // "Please select an item to edit."
#define IDS_PAGES_SELECTRENAME  6       // "Please select an item to rename."
#define IDS_PAGES_INUSE         7       // "This block cannot be delete because it is still in use."
#define IDS_PAGES_NOMEMORY      8       // "Out of memory: unable to create new object."
#define IDS_PAGES_SELECTVIEW    9       // "Please select a block to view or press Cancel."

// Strings: 3600-3663.
#define IDS_EDLG_BADFILENAME    3600    // "Invalid filename."
#define IDS_EDLG_OVERWRITE      3601    // "That file already exists. Do you wish to overwrite it?"
#define IDS_EDLG_WARNING        3602    // "Warning"
#define IDS_EDLG_NOCREATE       3603    // "Could not create the file."
#define IDS_EDLG_BADZOOM        3604    // "     Invalid Entry  \n    Please try again"
#define IDS_EDLG_BUILD          3605    // "Plexwright for Telvanta (Build %s)"
#define IDS_EDLG_ERROR          3606    // "Error"

#define IDS_FIND_CAPTION        3616    // "Find Power Block : %s"
#define IDS_FIND_TOOMANYPAGES   3617    // "More than 250 Super Blocks exist only 250 will be displayed"

#define IDS_PAGES_SBPROMPT      3624    // "Enter new SuperBlock name:"
#define IDS_PAGES_SBADD         3625    // "Add New SuperBlock"
#define IDS_PAGES_VBPROMPT      3626    // "Enter new Verification Block name:"
#define IDS_PAGES_VBADD         3627    // "Add New Verification Block"
#define IDS_PAGES_NAMEINUSE     3628    // "A Symbol with this name already exists."
#define IDS_PAGES_SBVIEW        3629    // "View SuperBlock"
#define IDS_PAGES_VBVIEW        3630    // "View Verification Block"
#define IDS_PAGES_SBDEFINE      3631    // "Define SuperBlocks"
#define IDS_PAGES_VBDEFINE      3632    // "Define Verification Blocks"
#define IDS_PAGES_SBAVAILABLE   3633    // "Available SuperBlocks"
#define IDS_PAGES_VBAVAILABLE   3634    // "Available Verification Blocks"
#define IDS_PAGES_EXPORT        3635    // "Export"
#define IDS_PAGES_INTERNAL      3636    // "Internal"
#define IDS_PAGES_ASKDELETE     3637    // "Are you sure you want to delete %s?"
#define IDS_PAGES_RENAMING      3638    // "Renaming %s."
#define IDS_PAGES_SELECTCOPY    3639    // "Please select a block to copy."
#define IDS_PAGES_NOCOPY        3640    // "You must first select a superblock or verification block to copy."
#define IDS_PAGES_EMPTYNAME     3641    // "Please enter a name."
#define IDS_PAGES_NORENAME      3642    // "The page cannot be renamed to %s."

#endif
