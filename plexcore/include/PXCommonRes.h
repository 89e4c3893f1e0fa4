// String-table ids of the foundation library.
#ifndef PXCOMMONRES_H
#define PXCOMMONRES_H

#define IDS_PX_NOMESSAGE    1498    // "Message %1!u!": a report whose text is missing
#define IDS_PX_NODESCR      1499    // description of an exception that names none
#define IDS_PX_NEWSTMTARRAY 1512    // "New StatementArray"
#define IDS_PX_NEWWORDARRAY 1513    // "New WordArray"
#define IDS_PX_NORESOURCE   1553    // "Cannot load resource"
#define IDS_PX_APPCAPTION   8001    // "%1 - Plexwright"
#define IDS_PX_PROGRAMNAME  8002    // "Plexwright"

// Bitmaps of the program.
#define IDB_PX_BLOCKIMAGES  1000    // block image strip: 40-pixel cells, magenta mask

#endif
