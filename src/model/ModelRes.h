// Resource ids of the program model (src/model).
#ifndef MODELRES_H
#define MODELRES_H

// Strings: 3216-3231.
#define IDS_MODEL_NOFONT        3216    // "Unable to create font %s"
#define IDS_MODEL_NOBRUSH       3217    // "Unable to create brush %s"
#define IDS_MODEL_NOPEN         3218    // "Unable to create pen %s"
#define IDS_MODEL_NOBITMAP      3219    // "Error loading bitmap %s"
#define IDS_MODEL_BADBITMAP     3220    // "Can not access bitmap for icon %s"

// Messages of the model; their numbers are the program's message numbers.
#define IDS_MODEL_NOMEMGROUP        36  // "Out of memory:  error updating SuperBlock group."
#define IDS_MODEL_NOMEMDEFAULTS     37  // "Out of memory:  unable to create default ZirirAradur ..."
#define IDS_MODEL_NODEFAULTGOTO     38  // "Unable to create default Goto for new program."
#define IDS_MODEL_NOREGDEFAULTS     39  // "Unable to register default ZirirAradur."
#define IDS_MODEL_GOTOEXISTS        40  // "A goto already exists from the selected starting point. ..."
#define IDS_MODEL_NOMEMGOTO         41  // "Out of memory:  error creating goto object."
#define IDS_MODEL_GOTOFAILED        42  // "Error creating goto object."
#define IDS_MODEL_NODELETEEXIT      44  // "You cannot delete the End PowerBlock from a Verification Block."
#define IDS_MODEL_NOMEMINFO         45  // "Out of memory:  error updating powerblock information."
#define IDS_MODEL_NOMEMSEGMENT      46  // "Out of memory:  error creating goto line segments. ..."
#define IDS_MODEL_NOMEMGROUPICON    47  // "Out of memory:  error creating group icon."
#define IDS_MODEL_NOMEMICON         48  // "Out of memory:  error creating powerblock icon."

// Strings: 3232-3247.
#define IDS_MODEL_NOPROGRAM         3232    // the model refused a new program
#define IDS_MODEL_NOPAGE            3233    // the model refused a new page
#define IDS_MODEL_NOMOVEEND         3234    // "Can not move first or last segments in a goto line."
#define IDS_MODEL_NOJOIN            3235    // "Segments must be in same direction and aligned ..."
#define IDS_MODEL_SUPERGROUP        3236    // "SuperBlocks"
#define IDS_MODEL_VERIFYGROUP       3237    // "Verification Blocks"
#define IDS_MODEL_ROUTING           3244    // "Routing goto lines."
#define IDS_MODEL_NOMEMROUTE        3245    // "Out of memory while routing goto.  ..."
#define IDS_MODEL_NOMEMBLOCK        3246    // "Error allocating memory."

// Display objects. Strings: 3360-3375.
#define IDS_DO_MOVING           3360    // "Moving..."
#define IDS_DO_BLOCKSTATUS      3361    // "Drag Block to new location or double click to edit properties."
#define IDS_DO_CONNECTTOBLOCK   3362    // "Click to connect selected output to this Block."
#define IDS_DO_SELECTBLOCK      3363    // "Select Block to connect to."
#define IDS_DO_CONNECTOUTPUT    3364    // "Click to connect this output to a Block."
#define IDS_DO_REROUTING        3365    // "Manually rerouting line..."
#define IDS_DO_CONNECTEDTO      3366    // "Connected to: %s / %s"
#define IDS_DO_BREAKLINE        3367    // "Double click to break line into separate segments for rerouting."
#define IDS_DO_CLICKAGAIN       3368    // "Click again to break line into smaller lines or drag line ..."
#define IDS_DO_JOINLINE         3369    // "Double click to remove break and join line segments."
#define IDS_DO_ADDREMOVE        3370    // "Click again to add/remove line segments for rerouting."
#define IDS_DO_NOTESTATUS       3371    // "Drag Text Note to new location or double click to modify text."
#define IDS_DO_NEWBLOCKDRAG     3372    // "Dragging new Block..."
#define IDS_DO_NEWBLOCKHINT     3373    // "Drag new Block to the desired location in the workspace."
#define IDS_MODEL_NOMEMBRANCH   57      // "Out of memory:  Error creating PowerBlock branches."

// Program files. Strings: 3264-3311.
#define IDS_FILE_BADHEADER           3264
#define IDS_FILE_PAGESAVE            3265
#define IDS_FILE_BLOCKSAVE           3266
#define IDS_FILE_CONNSAVE            3267
#define IDS_FILE_PAGELOAD            3268
#define IDS_FILE_BLOCKLOAD           3269
#define IDS_FILE_CONNLOAD            3270
#define IDS_FILE_NOTELOAD            3271
#define IDS_FILE_OBSOLETEGOTO        3272
#define IDS_FILE_NOOPEN              3273
#define IDS_FILE_NOMEMICONS          3274
#define IDS_FILE_NOMEMPROGRAM        3275
#define IDS_FILE_READERROR           3276
#define IDS_FILE_BADRECORD           3277
#define IDS_FILE_NOMEMRECORD         3278
#define IDS_FILE_NOMEMBLOCK          3279
#define IDS_FILE_BACKUPLOCKED        3280
#define IDS_FILE_WRITEERROR          3281
#define IDS_FILE_ERRORCAPTION        3282
#define IDS_FILE_WARNINGCAPTION      3283
#define IDS_FILE_CAPPAGE             3284
#define IDS_FILE_CAPBLOCK            3285
#define IDS_FILE_CAPBLOCKHANDLE      3286
#define IDS_FILE_CAPSTUB             3287
#define IDS_FILE_CAPGOTO             3288
#define IDS_FILE_CAPCONNECTION       3289
#define IDS_FILE_CAPSEGMENT          3290
#define IDS_FILE_BATCHERROR          3291
#define IDS_FILE_BATCHNOOPEN         3292
#define IDS_FILE_BATCHNOMEMPROGRAM   3293
#define IDS_FILE_BATCHNOMEMRECORD    3294
#define IDS_FILE_BATCHOBSOLETEGOTO   3295
#define IDS_MODEL_IMPORTSELF         8107
#define IDS_FILE_INCONSISTENT        58  // "Input file is inconsistant and can not be read."

#endif
