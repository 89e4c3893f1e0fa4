// String-table ids of the application controller and its records.
#ifndef PXUIRES_H
#define PXUIRES_H

#define IDS_UI_OUTOFMEMORY          8003
#define IDS_UI_IMPORTNOAPP          8010
#define IDS_UI_REMOVEIMPORTNOAPP    8012
#define IDS_UI_ADDVOICENOAPP        8014
#define IDS_UI_DELVOICENOAPP        8015
#define IDS_UI_ADDFAXNOAPP          8016
#define IDS_UI_DELFAXNOAPP          8017
#define IDS_UI_RECORDNOAPP          8018
#define IDS_UI_IMPORTVOICENOAPP     8019
#define IDS_UI_IMPORTFAXNOAPP       8020
#define IDS_UI_VOICEITEMNOTADDED    8028
#define IDS_UI_FAXITEMNOTADDED      8030
#define IDS_UI_VOICEIDREFUSED       8046
#define IDS_UI_VOICENAMEREFUSED     8047
#define IDS_UI_FAXIDREFUSED         8048
#define IDS_UI_FAXNAMEREFUSED       8049
#define IDS_UI_VOICELEFTASNEW       8086
#define IDS_UI_FAXLEFTASNEW         8087
#define IDS_UI_LISTIDREFUSED        8190
#define IDS_UI_NOFREEITEMID         8191
#define IDS_UI_ITEMIDREFUSED        8192

#endif
