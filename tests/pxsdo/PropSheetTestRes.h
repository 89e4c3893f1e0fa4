// Ids of the property-sheet tests: a record edited on two pages, its
// sheet, the pages' dialog definitions and templates, and their texts.
#ifndef PROPSHEETTESTRES_H
#define PROPSHEETTESTRES_H

// The record type; its name is the sheet's caption.
#define TPS_REC             31700
#define TPS_SHEET           31710

// Fields (their ids are their names' string ids).
#define TPS_NAME            31701   // TEXT, page 1, must not be empty
#define TPS_START           31702   // TIME, page 1
#define TPS_NOTE            31703   // TEXT, page 2

// Page dialog definitions, their help ids and their templates.
#define TPS_PAGE1           31720
#define TPS_PAGE2           31721
#define TPS_HELP1           5101
#define TPS_HELP2           5102
#define TPS_TPL_PAGE1       31730
#define TPS_TPL_PAGE2       31731

// Controls.
#define TPS_IDC_NAME        101
#define TPS_IDC_START       102
#define TPS_IDC_NOTE        201
#define TPS_IDC_OPTION      202     // enabled on page 2 only while a name is given

// The message of the record's verification.
#define TPS_MSG_NONAME      31790

#endif
