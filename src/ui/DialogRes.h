// Resource ids of the editor's dialog base and the load/save prompt (src/ui).
#ifndef DIALOGRES_H
#define DIALOGRES_H

// Strings: 3248-3263.
#define IDS_DLG_NOTEMPLATE      3248    // "Unable to load dialog."
#define IDS_DLG_ERRORCAPTION    3249    // "Error"
#define IDS_DLG_NOWINHELP       3250    // "Could not load WinHelp program."
#define IDS_DLG_HELPFILE        3251    // "plexstudio.hlp>proc4"

// The Help button of the editor's dialogs.
#define IDC_DLG_HELP            9

// The load/save prompt "DORVO_LS_MSG".
#define IDC_LS_NOMOREWARNINGS   441
#define IDC_LS_MESSAGE          501
#define IDC_LS_HELP             IDC_DLG_HELP

#endif
