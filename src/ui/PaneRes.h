// Resource ids of the page windows and their panes (src/ui).
#ifndef PANERES_H
#define PANERES_H

// Strings: 3680-3711.
#define IDS_PANE_NOEDITCHILD    3680    // "Edit child window not found in Edit MDI window."
#define IDS_PANE_NOMEMDIALOG    3681    // "Out of memory:  unable to create dialog box."
#define IDS_PANE_NOCHILD        3682    // "Unable to create child window (type %d)."
#define IDS_PANE_BADACTIVATE    3683    // "Unexpected error:  MDI activate message references unknown window."
#define IDS_PANE_NOPAGEWINDOW   3684    // "Select window containing a program before executing this command."
#define IDS_PANE_NODISPLAYOBJ   3685    // "Out of memory:  unable to create display object."
#define IDS_PANE_NOPAGE         3686    // "Edit child window contents are undefined.\n"
#define IDS_PANE_MOVEPAGES      3687    // "Can not move ZirirAradur between pages."
#define IDS_PANE_NOMEMBLOCK     3688    // "Out of memory:  unable to create new PowerBlock."
#define IDS_PANE_NOMEMSCROLL    3689    // "Out of memory:  unable to create scroll bar control."
#define IDS_PANE_NOMEMBAND      3690    // "Out of memory:  unable to create banding object."
#define IDS_PANE_ENDINMAIN      3691    // "The clipboard contains an End Block, which cannot be added to Main."
#define IDS_PANE_ENDINVERIFY    3692    // "The clipboard contains an End Block, which cannot be added to verification blocks."
#define IDS_PANE_SAVECHANGES    3693    // "Save changes to %.120s?"
#define IDS_PANE_ADDBLOCK       3694    // "Add %.50s Block"
#define IDS_PANE_CAPTION        3695    // "Plexwright"
#define IDS_PANE_PRINTNOMEM     3696    // "Error allocating memory for print job."
#define IDS_PANE_PRINTTOOSMALL  3697    // "The printer's page is too small to print on."
#define IDS_PANE_BADDRAG        3698    // "Unsupported dragging operation."

#endif
