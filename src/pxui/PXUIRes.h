// String-table ids of the application controller and its records.
#ifndef PXUIRES_H
#define PXUIRES_H

#define IDS_UI_OUTOFMEMORY          8003
#define IDS_UI_SERVERNOTAVAILABLE   8115
#define IDS_UI_BLOCKDEFSREFUSED     8116
#define IDS_UI_IMPORTNOAPP          8010
#define IDS_UI_REMOVEIMPORTNOAPP    8012
// The File menu's application commands.
#define IDS_UI_APPIDRANGE           8004
#define IDS_UI_APPNAMENOTFOUND      8005
#define IDS_UI_APPNAMEMISSING       8006
#define IDS_UI_SAVENOAPP            8008
#define IDS_UI_PROPERTIESNOAPP      8009
#define IDS_UI_EXPORTNOAPP          8011
#define IDS_UI_UNDOEXPORTNOAPP      8013
#define IDS_UI_EXPORTEDINCOMPLETE   8023
#define IDS_UI_APPOPENNOOVERWRITE   8024
#define IDS_UI_EXPORTINCOMPLETE     8025
#define IDS_UI_ALREADYEXPORTED      8026
#define IDS_UI_APPNOTEXPORTED       8027
#define IDS_UI_DELETEFAILED         8035
#define IDS_UI_DELETEINUSE          8043
#define IDS_UI_DELETEOPENELSEWHERE  8044
#define IDS_UI_DELETEOPEN           8045
#define IDS_UI_CLOSEREFUSED         8071
#define IDS_UI_DELETEIMPORTED       8083
#define IDS_UI_DELETEASSIGNED       8084
#define IDS_UI_CONFIRMAPPDELETE     8112
#define IDS_UI_BADAPPNAMECHARS      8121
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
#define IDS_UI_IMPORTSNOTSENT       8039
#define IDS_UI_APPNOTLOADED         8041
#define IDS_UI_APPNAMEIDTAKEN       8057
#define IDS_UI_APPNAMETAKEN         8058
#define IDS_UI_APPIDTAKEN           8059
#define IDS_UI_APPLOCKED            8060
#define IDS_UI_RESPERMNOTSENT       8062
#define IDS_UI_SERVERDISKFULL       8063
#define IDS_UI_DATABASEFULL         8064
#define IDS_UI_MISAFULL             8065
#define IDS_UI_NOAPPLIST            8067
#define IDS_UI_NOVOLUMELIST         8068
#define IDS_UI_NOLANGUAGELIST       8069
#define IDS_UI_NORESPERMLIST        8070
#define IDS_UI_APPLIMIT             8109
#define IDS_UI_APPALREADYOPEN       8114
#define IDS_UI_LISTIDREFUSED        8190
#define IDS_UI_NOFREEITEMID         8191
#define IDS_UI_ITEMIDREFUSED        8192
#define IDS_UI_MOVEBETWEENPAGES     8210
#define IDS_UI_PALETTETITLE         8211
#define IDS_UI_PALETTELOADING       8212

// Saving, building, export and properties of a user application.
#define IDS_UI_PROPSNOTSENT         8036
#define IDS_UI_NOTEXPORTED          8037
#define IDS_UI_EXPORTNOTUNDONE      8038
#define IDS_UI_APPNOTSAVED          8040
#define IDS_UI_SAVEASNOTEXPORTED    8080
#define IDS_UI_APPASSIGNED          8081
#define IDS_UI_TARGETLOCKED         8082
#define IDS_UI_UNDOEXPORTIMPORTED   8085
#define IDS_UI_UNDOEXPORTUSED       8117
#define IDS_UI_INCOMPLETENOSERVICE  8240
#define IDS_UI_ALERTCAPTION         8241
#define IDS_UI_APPNOTBUILT          8242

// Imported applications, restriction/permission lists and languages of a
// user application.
#define IDS_UI_IMPORTINUSE          8042
#define IDS_UI_RESPERMMISSING       8102
#define IDS_UI_LANGUAGEMISSING      8103
#define IDS_UI_MOREBLOCKS           8104
#define IDS_UI_IMPORTSELF           8119

// Voice and fax items of a user application on the server.
#define IDS_UI_VOICEITEMNOTDELETED  8029
#define IDS_UI_FAXITEMNOTDELETED    8031

// Recovery at start of the applications a crash left open.
#define IDS_UI_RECOVERAPP           8007

#endif
