// Resource ids of the bars around the main frame's MDI client: the tool
// strip with its bitmap buttons and the status line.
#ifndef BARSRES_H
#define BARSRES_H

// The glyphs of the tool-bar buttons: a strip of 16 by 15 cells, 16 colours,
// drawn at build time from res/ToolBarGlyphs.txt.
#define IDB_TOOLBAR                 1001

// Hints of the menu bar's pop-ups, by the pop-up's position in the bar.
// Strings: 2448-2463.
#define IDS_MENU_POPUPFIRST         2448    // "Program management commands." (File)

// Strings: 3472-3487.
#define IDS_STATUS_INITIALIZING     3472    // "Initializing..."

#endif
