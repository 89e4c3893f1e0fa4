// Ids of the soft definitions and of the texts they name. The field,
// variable and kind names are in the definition tables themselves (*.pxdef);
// the texts below are in PXSdoDefStrings.rc.
#ifndef PXSDODEFRES_H
#define PXSDODEFRES_H

// Record types (record definition ids)
#define IDR_SDO_SEGMENT         22001
#define IDR_SDO_SENTENCE        22002
#define IDR_SDO_USERFUNC        22003
#define IDR_SDO_USERAPP         22004
#define IDR_SDO_VOICEITEM       22801
#define IDR_SDO_FAXITEM         22802
#define IDR_SDO_SERVERREC       22803
#define IDR_SDO_SYSPROMPTROW    22804
#define IDR_SDO_RESPERMROW      22805
#define IDR_SDO_LANGUAGEROW     22806
#define IDR_SDO_RESPERMITEM     22807
#define IDR_SDO_VOLUMEROW       22808
#define IDR_SDO_AUTOSAVE        22809
#define IDR_SDO_PBV_FIRST       23001   // variable sets of the block types
#define IDR_SDO_PBV_OUTPUTROW   23024   // output row of a block record
#define IDR_SDO_PBV_OBSOLETE    23026
#define IDR_SDO_PBV_LAST        23026

// Property-sheet definitions of the application records
#define IDR_SDO_SHEET_SERVERREC 18001
#define IDR_SDO_SHEET_USERAPP   18002

// Verification messages of the record definitions
#define IDS_DEF_PWDMISMATCH     8054    // "... does not match the confirmation for '%1'."
#define IDS_DEF_FIELDBLANK      8055
#define IDS_DEF_RANGE3000       8056
#define IDS_DEF_RANGE5          8073
#define IDS_DEF_RANGE13         8075
#define IDS_DEF_TOBLANK         8076
#define IDS_DEF_FROMBLANK       8077
#define IDS_DEF_NOPERIOD        8078
#define IDS_DEF_NOPASSWORD      8079
#define IDS_DEF_PWDTOOSHORT     8108
#define IDS_DEF_SAVEINTERVAL    8118

// Captions set by the reactions of the dialog definitions
#define IDS_DEF_DEFINEVOICE     1002
#define IDS_DEF_VOICEITEMS      1003
#define IDS_DEF_DEFINEFAX       1005
#define IDS_DEF_FAXITEMS        1006
#define IDS_DEF_SAVEAS          1007
#define IDS_DEF_OPEN            1008
#define IDS_DEF_NEW             1009
#define IDS_DEF_IMPORT          1010
#define IDS_DEF_UNDOIMPORT      1011
#define IDS_DEF_LOCKS           1012
#define IDS_DEF_DELETE          1022

// Output names that check boxes of the block pages write their state to
#define IDS_DEF_OUT_ATTENDANT   30990
#define IDS_DEF_OUT_PASSWORD1   30991
#define IDS_DEF_OUT_PASSWORD2   30992
#define IDS_DEF_OUT_PASSWORD3   30993
#define IDS_DEF_OUT_PASSWORD4   30994
#define IDS_DEF_OUT_PASSWORD5   30995

#endif
