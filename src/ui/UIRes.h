// Resource ids of the editor's application object (src/ui).
#ifndef UIRES_H
#define UIRES_H

// Strings: 3392-3407.
#define IDS_UI_NODIALOGLIB      3392    // "Unable to load application dialog module."
#define IDS_UI_ERRORCAPTION     3393    // "Error"

#endif
