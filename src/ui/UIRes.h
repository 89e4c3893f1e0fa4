// Resource ids of the editor's application object (src/ui).
#ifndef UIRES_H
#define UIRES_H

// Strings of the main frame.
#define IDS_UI_NOEDITCHILD          19      // "Edit child window not found in Edit MDI window."
#define IDS_UI_INCOMPLETEBUILD      22      // "The program contains incomplete ZirirAradur.  Would you like to build anyway?"
#define IDS_UI_SELECTPROGRAMWINDOW  33      // "Select window containing a program before executing this command."
#define IDS_UI_SELECTSCALEWINDOW    34      // "Select window to Scale before executing command."

// Strings: 3392-3407.
#define IDS_UI_NODIALOGLIB      3392    // "Unable to load application dialog module."
#define IDS_UI_ERRORCAPTION     3393    // "Error"
#define IDS_UI_NOBITMAPLIB      3394    // "Unable to load application bitmap module."
#define IDS_UI_ERRORCAPTION2    3395    // "Error!"
#define IDS_UI_ONEINSTANCE      3396    // "Cannot run more than one instance of Plexwright."
#define IDS_UI_PROGRAMNAME      3397    // "Plexwright"
#define IDS_UI_RECENTLABEL      3398    // "&%d ": the number of recent items 1 to 9
#define IDS_UI_RECENTLABEL10    3399    // "%d&%d ": the number of recent item 10 (1, 0)
#define IDS_UI_RUNNOTSAVED      3400    // "You need to save and build the program before you run it."
#define IDS_UI_RUNOLDER         3401    // "The Run File You Requested To Run, %s, Is Older Than ..."
#define IDS_UI_RUNOLDERCAPTION  3402    // "Warning!"
#define IDS_UI_PAGECAPTION      3403    // "%s - %s": a page window's program and page
// The main frame's save of the active program.
#define IDS_UI_READONLYPROGRAM  3410    // "Program is set to read only cannot save over."

// The frame's View, Options and Build commands.
#define IDS_UI_SAVEBEFOREBUILD  21      // "Program must be saved before building."
#define IDS_UI_CANNOTBUILD      3411    // "This application contains incomplete blocks and cannot be built"
#define IDS_UI_NOPRINTER        3412    // "There is no printer to print on.\nPlease create a default printer."
#define IDS_UI_NOPAGEGRID       8051    // "The system could not display the page grid.\nPlease create a default printer."

// The program's name, which the application model's product name replaces.
#define IDS_UI_APPNAME          10001

#endif
