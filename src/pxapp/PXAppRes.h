// Resource ids of the program-file support (src/pxapp).
#ifndef PXAPPRES_H
#define PXAPPRES_H

// Strings: 3200-3215.
#define IDS_LS_ERRORHEADING     3200    // "Load and Save Error!!\n\n"
#define IDS_LS_NOPROMPT         3201    // "No prompt to ask: stopped."

#endif
