// Ids of the dialog resource library pxdlg.dll: the templates of the soft
// dialogs and the controls their definitions name. The control ids are
// fixed by the dialog definitions (src/pxsdo/defs/dialogs.pxdef); labels
// that no definition names use IDC_STATIC.
#ifndef PXDLGRES_H
#define PXDLGRES_H

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
#ifndef IDHELP
#define IDHELP 9
#endif

// Styles shared by the templates.
#define PXDLG_STYLE DS_MODALFRAME | DS_3DLOOK | WS_POPUP | WS_CAPTION | WS_SYSMENU
// Property pages: child dialogs without buttons of their own; the caption
// is the page's tab text.
#define PXDLG_PAGE_STYLE DS_CONTROL | DS_3DLOOK | WS_CHILD | WS_CAPTION
#define PXDLG_LISTVIEW_STYLE LVS_REPORT | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP
#define PXDLG_DROPLIST_STYLE CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP
#define PXDLG_UPDOWN_STYLE UDS_SETBUDDYINT | UDS_AUTOBUDDY | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS
#define PXDLG_IDSHOW_STYLE SS_LEFT | SS_SUNKEN
#define PXDLG_NOTES_STYLE ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL

// Templates
#define IDD_APPCHOOSER 10001        // server application chooser (Save As, Import, New, Open, ...)
#define IDD_APPLOCKS 10003          // locks of the server applications
#define IDD_DEFINEITEMS 10004       // Define Voice Items / Define Fax Items
#define IDD_APPPROPS_GENERAL 10005  // application properties, page 1
#define IDD_APPPROPS_VERIFY 10006   // application properties, page 2
#define IDD_SERVERREC_NEW 10007     // server record sheet, page 1
#define IDD_SERVERREC_OPEN 10008    // server record sheet, page 2
#define IDD_VOICEITEM_NEW 10009
#define IDD_VOICEITEM_MEDIA 10010   // record or import a voice item's recording
#define IDD_VOICEITEM_EDIT 10011
#define IDD_FAXITEM_NEW 10012
#define IDD_FAXITEM_MEDIA 10013     // import a fax item, record or import its voice part
#define IDD_FAXITEM_EDIT 10014
#define IDD_AUTOSAVE 10015          // Auto Save Options
#define IDD_BLOCK_MENU 11001
#define IDD_BLOCK_OUTPUTS 11002     // outputs and notes page of every block sheet
#define IDD_BLOCK_ANNOUNCEMENT 11003
#define IDD_BLOCK_THRUDIAL 11004
#define IDD_BLOCK_GENERAL 11005     // block types without settings of their own
#define IDD_BLOCK_FAXSELECT 11006
#define IDD_BLOCK_LANGUAGE 11007
#define IDD_BLOCK_TIME 11008
#define IDD_BLOCK_EXPRESSVOICE 11009
#define IDD_BLOCK_DATE 11010
#define IDD_BLOCK_EXPRESSFAX 11011
#define IDD_BLOCK_PASSWORD 11012
#define IDD_BLOCK_CALLTRANSFER 11013
#define IDD_BLOCK_SPEECH 11015

// Define Voice Items / Define Fax Items
#define IDC_ITEMS_LIST 101
#define IDC_ITEMS_LABEL 102
#define IDC_ITEMS_ADD 103
#define IDC_ITEMS_EDIT 104
#define IDC_ITEMS_DELETE 105
#define IDC_ITEMS_COPY 106
#define IDC_ITEMS_PASTE 107

// Voice and fax item dialogs
#define IDC_ITEM_ID 2001
#define IDC_ITEM_NAME 2002
#define IDC_ITEM_DESCRIPTION 2003
#define IDC_ITEM_CONFIRMATION 2004
#define IDC_ITEM_IMPORTVOICE 2005
#define IDC_ITEM_IMPORTFAXVOICE 2006
#define IDC_ITEM_IMPORTFAX 2007
#define IDC_ITEM_RECORD 2010
#define IDC_ITEM_RECORDFAXVOICE 2011
#define IDC_ITEM_DELETEFAXVOICE 2012

// Application chooser
#define IDC_APP_NAMELABEL 101
#define IDC_APP_NAME 102
#define IDC_APP_IDLABEL 103
#define IDC_APP_VOLUMELABEL 104
#define IDC_APP_VOLUME 105
#define IDC_APP_LIST 2008
#define IDC_APP_ID 2009

// Application properties
#define IDC_PROP_NAME 102
#define IDC_PROP_COMPLETE 103
#define IDC_PROP_EXPORTED 104
#define IDC_PROP_VOLUME 108
#define IDC_PROP_DESCRIPTION 2003
#define IDC_PROP_IMPORTNAME 2006
#define IDC_PROP_ID 2009
#define IDC_PROP_RECORDNAME 2011
#define IDC_PROP_PASSWORDON 101
#define IDC_PROP_PASSWORD 102
#define IDC_PROP_PASSWORDLABEL 103
#define IDC_PROP_CONFIRM 104
#define IDC_PROP_CONFIRMLABEL 105
#define IDC_PROP_FAXNUMBER 106
#define IDC_PROP_CONTACT 107
#define IDC_PROP_FAXMODIFIABLE 108
#define IDC_PROP_CONFMODIFIABLE 109

// Auto Save Options
#define IDC_AUTOSAVE_ON 101
#define IDC_AUTOSAVE_UPDOWN 102
#define IDC_AUTOSAVE_MINUTES 103

// Block pages
#define IDC_BLOCK_OUTPUTS 301
#define IDC_BLOCK_NOTES 304
#define IDC_BLOCK_PERIOD 3001       // 3001 to 3010: from and to of periods 1 to 5

#endif
