// String ids of the application-model library.
#ifndef PLEXMODELRES_H
#define PLEXMODELRES_H

#define IDS_KVR_BADBLOCKNAME   100
#define IDS_KVR_BLOCKINUSE     101
#define IDS_KVR_BADPAGENAME    102
#define IDS_KVR_PAGEINUSE      103
#define IDS_KVR_UNKNOWNTYPE    104
#define IDS_KVR_NOPAGE         105
#define IDS_KVR_BADLINE        106
#define IDS_KVR_NOMODELPART    107
#define IDS_KVR_READING        108
#define IDS_KVR_WRITING        109
#define IDS_KVR_PICKVARIABLE   110
#define IDS_KVR_PICKSENTENCE   111
#define IDS_KVR_NOVALUE        112
#define IDS_KVR_DEFAULTPROMPT  113

// The pickers' dialog "KVRPICK".
#define IDC_KVR_PICKLIST       100

#endif
