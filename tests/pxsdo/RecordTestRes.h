// Ids of the record tests' own definitions, fields and texts.
#ifndef RECORDTESTRES_H
#define RECORDTESTRES_H

// Record types.
#define TREC_ALL            31001   // one field of every type, a list of rows
#define TREC_ROW            31002   // a row: refused above 100
#define TREC_CHAR           31030   // a text stored as characters
#define TREC_WARN           31020   // two warnings, style other than 0x2201
#define TREC_SILENT         31021   // a silent refusal
#define TREC_STOPFIRST      31022   // two refusals, stop at the first
#define TREC_INSERTS        31023   // messages with name and text inserts
#define TREC_COMPOSED_FIRST 31040   // 31040.. one composed message each
#define TREC_COMPOSED_LAST  31048

// Fields (their ids are their names' string ids).
#define TF_INT16            31101
#define TF_INT32            31102
#define TF_TEXT             31103
#define TF_BOOL             31104
#define TF_TIME             31105
#define TF_DATE             31106
#define TF_ROWS             31107
#define TF_BOOLSTR          31108
#define TF_NUMBER           31201
#define TF_LABEL            31202
#define TF_COUNT            31301
#define TF_CODE             31302
#define TF_OTHER            31303
#define TF_NOTE             31401

// Texts.
#define TS_TOOLARGE         31900
#define TS_WARN10           31901
#define TS_WARN20           31902
#define TS_NAMEANDTEXT      31903
#define TS_TEXTOF           31904
#define TS_ABC              31910
#define TS_XYZ              31911

#endif
