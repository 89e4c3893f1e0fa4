// Ids of the soft dialog tests: templates, definitions, fields and texts.
#ifndef SOFTDLGTESTRES_H
#define SOFTDLGTESTRES_H

// Dialog templates.
#define TDLG_FULL           600     // every kind of control
#define TDLG_SMALL          601     // a few controls

// Record definitions.
#define TREC_DLG            32001   // the record the dialogs edit
#define TREC_OPTION         32002   // a row of its option list

// Dialog definitions.
#define TDEF_FULL           32501   // controls, groups, links and reactions
#define TDEF_PLAIN          32502   // no Notification section; a combo box with 0x000C
#define TDEF_BROKEN         32503   // controls that the template contradicts
#define TDEF_SETUPPOSTS     32504   // a control whose set-up posts; no DataLink section

// Fields.
#define DF_CHECK            32101
#define DF_PASSWORD         32102
#define DF_CONFIRM          32103
#define DF_TIME             32104
#define DF_EXTENSION        32105
#define DF_MODE             32106
#define DF_DELAY            32107
#define DF_FUNCTION         32108
#define DF_VOICE            32109
#define DF_OPTIONS          32110
#define DF_NIGHT            32111
#define DF_OPTNAME          32201
#define DF_OPTFLAG          32202

// Texts.
#define DS_NIGHTSERVICE     32301
#define DS_READY            32310
#define DS_CAPTIONSET       32311
#define DS_BYREACTION       32312
#define DS_CAPTION          32313
#define DS_CLICKED          32314
#define DS_KINDTEN          32315
#define DS_KINDELEVEN       32316

// Controls.
#define IDC_CHECK           101
#define IDC_PASSWORD        102
#define IDC_CONFIRM         103
#define IDC_TIME            104
#define IDC_EXTENSION       105
#define IDC_RADIO0          110
#define IDC_RADIO1          111
#define IDC_RADIO2          112
#define IDC_DELAY           120
#define IDC_DELAYSPIN       121
#define IDC_FUNCTION        130
#define IDC_VOICE           131
#define IDC_OPTIONS         140
#define IDC_NIGHT           150
#define IDC_LABEL           160
#define IDC_SETTEXT         170
#define IDC_OTHER           171
#define IDC_APPNOTIFY       2008
#define IDC_RADIOGROUP      300
#define IDC_DELAYGROUP      301
#define IDC_EDITGROUP       302
#define IDC_BADUPDOWN       303
#define IDC_PICKER          304

#endif
