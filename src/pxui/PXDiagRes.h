// String-table ids of the program diagnostics.
#ifndef PXDIAGRES_H
#define PXDIAGRES_H

#define IDS_DIAG_LOOPCAPTION   8201
#define IDS_DIAG_WARNING       8202
#define IDS_DIAG_LOOPDESCR     8203
#define IDS_DIAG_LOOPAREAS     8204
#define IDS_DIAG_DISABLE       8205
#define IDS_DIAG_CAPTION       8206
#define IDS_DIAG_UNREACHABLE   8207

#endif
