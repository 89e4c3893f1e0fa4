// Ids of the item picker tests' own record, dialog definition, templates
// and texts.
#ifndef PICKERTESTRES_H
#define PICKERTESTRES_H

// The record the pickers edit: one INT16 field per picker.
#define TREC_PICK           31501
#define TF_PICK_A           31511   // voice: "<none>", "<default system prompt>", new
#define TF_PICK_B           31512   // voice: "<default system prompt>", new
#define TF_PICK_C           31513   // fax: new
#define TF_PICK_D           31514   // voice: "<none>", new

// The page of pickers: its definition and template.
#define TDLG_PICK           31521
#define TTPL_PICK           31531

// Groups and their members (combo box, ID, button).
#define IDG_A               1301
#define IDC_A_COMBO         301
#define IDC_A_ID            302
#define IDC_A_BUTTON        303
#define IDG_B               1303
#define IDC_B_COMBO         311
#define IDC_B_ID            312
#define IDC_B_BUTTON        313
#define IDG_C               1305
#define IDC_C_COMBO         321
#define IDC_C_ID            322
#define IDC_C_BUTTON        323
#define IDG_D               1307
#define IDC_D_COMBO         331
#define IDC_D_ID            332
#define IDC_D_BUTTON        333
#define IDC_A_LABEL         307     // a label of group A
#define IDC_SWITCH          304     // check box: enables and disables group A
#define IDC_BUTTONSTATE     305     // shows the last state group A's button posted

// Pickers that the definition or the template gets wrong: the default
// prompt with fax items, a combo box that sorts itself, a combo box that is
// not a drop-down list.
#define TDLG_BADPICK        31522
#define TTPL_BADPICK        31532
#define IDG_FAXDEFAULT      1401
#define IDG_SORTED          1403
#define IDG_DROPDOWN        1405

// A picker without fixed entries: only the items (the first group of the
// wrong pickers' template, whose combo box is right).
#define TDLG_BAREPICK       31523
#define IDG_BARE            1407

#define IDS_T_ENABLED       31541
#define IDS_T_DISABLED      31542

#endif
