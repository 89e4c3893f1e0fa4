// Resource ids of the hand-written record, dialog and property-sheet
// definitions of the definition tests.
#ifndef DEFKINDSTESTRES_H
#define DEFKINDSTESTRES_H

#define IDR_REC_GOOD                32001
#define IDR_REC_NO_END_WORD         32002
#define IDR_REC_VERIFY_BEFORE_DATA  32003
#define IDR_REC_TWO_REFS            32004
#define IDR_REC_DATA_FIRST          32005
#define IDR_REC_NO_DATA             32006
#define IDR_REC_DIALOG_SECTION      32007
#define IDR_REC_NO_SRSTYLE          32008
#define IDR_REC_BAD_FIELD           32009
#define IDR_REC_NO_REFS_STATEMENTS  32010

#define IDR_DLG_GOOD                32101
#define IDR_DLG_EMPTY_CONTROLS      32102
#define IDR_DLG_DDL_FIRST           32103
#define IDR_DLG_NOTIF_FIRST         32104
#define IDR_DLG_CONTROLS_FIRST      32105
#define IDR_DLG_NO_CONTROLS         32106
#define IDR_DLG_DATA_SECTION        32107
#define IDR_DLG_TWO_REFS            32108

#define IDR_SHEET_GOOD              32201
#define IDR_SHEET_TWO_REFS          32202
#define IDR_SHEET_CONTROLS          32203

#define IDR_MISSING                 32999

#endif
