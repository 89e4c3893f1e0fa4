// The block catalogue: every block type the model offers, grouped for the
// palette, with its outputs and the variables that its settings record
// binds by name. Edit here to change what blocks exist.
//
// Outputs: name, flags (KVR_OUTPUT_GROUP a group output, NEVERSHOWN),
// group key, whether it may stay unconnected, and the variable that must
// be set for the output to apply (0: it always applies). An output named
// "Rotary" is connected by the model to the page's Rotary Dial block.
//
// Variables: name, symbol type, storage, storage size, initial number.
#include "BlockCatalogue.h"

namespace kvr {

#define COUNT(a) (int)(sizeof(a) / sizeof((a)[0]))
#define OUTS(a) a, COUNT(a)
#define VARS(a) a, COUNT(a)
#define NO_OUTS nullptr, 0
#define NO_VARS nullptr, 0

const GroupDef g_Groups[] = {
//  id             name                  code    description                                      bitmap          hidden kind
    { GRP_SYSTEM,    "System",             "SYS",  "Blocks every program or page starts with",     "GRP_SYSTEM",    1, 0 },
    { GRP_PROMPTS,   "Prompts and Menus",  "PRM",  "Play prompts and take the caller's choices",  "GRP_PROMPTS",   0, 0 },
    { GRP_ROUTING,   "Call Routing",       "RTE",  "Route calls by time, date, number and password", "GRP_ROUTING", 0, 0 },
    { GRP_MESSAGING, "Messaging",          "MSG",  "Voice messaging and item maintenance",        "GRP_MESSAGING", 0, 0 },
    { GRP_FAX,       "Fax",                "FAX",  "Send, select and maintain fax items",         "GRP_FAX",       0, 0 },
    { GRP_ADVANCED,  "Advanced",           "ADV",  "Custom commands",                             "GRP_ADVANCED",  0, 0 },
    { GRP_OBSOLETE,  "Obsolete",           "OBS",  "Blocks that newer servers no longer run",     "GRP_OBSOLETE",  0, 1 },
};
const int g_nGroups = COUNT(g_Groups);

// ---- Outputs ------------------------------------------------------------

static const OutDef kBeginOuts[] = {
    { "Start",          0, 0, OUT_REQUIRED, nullptr },
};
static const OutDef kRotaryDialOuts[] = {
    { "Done",           0, 0, OUT_REQUIRED, nullptr },
};
static const OutDef kDoneRotaryOuts[] = {
    { "Done",           0, 0, OUT_REQUIRED, nullptr },
    { "Rotary",         0, 0, OUT_OPTIONAL, nullptr },
};
static const OutDef kDoneOuts[] = {
    { "Done",           0, 0, OUT_REQUIRED, nullptr },
};
static const OutDef kCallTransferOuts[] = {
    { "Busy",           0, 0, OUT_OPTIONAL, nullptr },
    { "No answer",      0, 0, OUT_OPTIONAL, nullptr },
    { "Transferred",    KVR_OUTPUT_NEVERSHOWN, 0, OUT_OPTIONAL, nullptr },
    { "Rotary",         0, 0, OUT_OPTIONAL, nullptr },
};
static const OutDef kDayControlOuts[] = {
    { "Weekdays",       KVR_OUTPUT_GROUP, 1, OUT_OPTIONAL, nullptr },
    { "Monday",         0, 1, OUT_REQUIRED, nullptr },
    { "Tuesday",        0, 1, OUT_REQUIRED, nullptr },
    { "Wednesday",      0, 1, OUT_REQUIRED, nullptr },
    { "Thursday",       0, 1, OUT_REQUIRED, nullptr },
    { "Friday",         0, 1, OUT_REQUIRED, nullptr },
    { "Weekend",        KVR_OUTPUT_GROUP, 2, OUT_OPTIONAL, nullptr },
    { "Saturday",       0, 2, OUT_REQUIRED, nullptr },
    { "Sunday",         0, 2, OUT_REQUIRED, nullptr },
};
static const OutDef kFaxSendOuts[] = {
    { "Sent",           0, 0, OUT_REQUIRED, nullptr },
    { "Failed",         0, 0, OUT_REQUIRED, nullptr },
};
static const OutDef kRemoteActivationOuts[] = {
    { "Done",           0, 0, OUT_REQUIRED, nullptr },
    { "Invalid",        0, 0, OUT_OPTIONAL, nullptr },
};
static const OutDef kMenuOuts[] = {
    { "Choices",        KVR_OUTPUT_GROUP, 1, OUT_OPTIONAL, nullptr },
    { "1",              0, 1, OUT_OPTIONAL, nullptr },
    { "2",              0, 1, OUT_OPTIONAL, nullptr },
    { "3",              0, 1, OUT_OPTIONAL, nullptr },
    { "4",              0, 1, OUT_OPTIONAL, nullptr },
    { "5",              0, 1, OUT_OPTIONAL, nullptr },
    { "6",              0, 1, OUT_OPTIONAL, nullptr },
    { "7",              0, 1, OUT_OPTIONAL, nullptr },
    { "8",              0, 1, OUT_OPTIONAL, nullptr },
    { "9",              0, 1, OUT_OPTIONAL, nullptr },
    { "0",              0, 1, OUT_OPTIONAL, nullptr },
    { "*",              0, 1, OUT_OPTIONAL, nullptr },
    { "#",              0, 1, OUT_OPTIONAL, nullptr },
    { "No response",    0, 0, OUT_REQUIRED, "Max no responses" },
    { "Invalid choice", 0, 0, OUT_REQUIRED, "Max invalid choices" },
    { "Rotary",         0, 0, OUT_OPTIONAL, nullptr },
};
static const OutDef kThruDialOuts[] = {
    { "Busy",           0, 0, OUT_OPTIONAL, nullptr },
    { "No answer",      0, 0, OUT_OPTIONAL, nullptr },
    { "Invalid number", 0, 0, OUT_REQUIRED, nullptr },
    { "Rotary",         0, 0, OUT_OPTIONAL, nullptr },
};
static const OutDef kTimeControlOuts[] = {
    { "Period 1",       0, 0, OUT_REQUIRED, "Time period 1 - From" },
    { "Period 2",       0, 0, OUT_REQUIRED, "Time period 2 - From" },
    { "Period 3",       0, 0, OUT_REQUIRED, "Time period 3 - From" },
    { "Period 4",       0, 0, OUT_REQUIRED, "Time period 4 - From" },
    { "Period 5",       0, 0, OUT_REQUIRED, "Time period 5 - From" },
    { "Other times",    0, 0, OUT_REQUIRED, nullptr },
};
static const OutDef kDateControlOuts[] = {
    { "Period 1",       0, 0, OUT_REQUIRED, "Date period 1 - From" },
    { "Period 2",       0, 0, OUT_REQUIRED, "Date period 2 - From" },
    { "Period 3",       0, 0, OUT_REQUIRED, "Date period 3 - From" },
    { "Period 4",       0, 0, OUT_REQUIRED, "Date period 4 - From" },
    { "Period 5",       0, 0, OUT_REQUIRED, "Date period 5 - From" },
    { "Other dates",    0, 0, OUT_REQUIRED, nullptr },
};
static const OutDef kPasswordCheckOuts[] = {
    { "Password 1",     0, 0, OUT_REQUIRED, "Password Check 1" },
    { "Password 2",     0, 0, OUT_REQUIRED, "Password Check 2" },
    { "Password 3",     0, 0, OUT_REQUIRED, "Password Check 3" },
    { "Password 4",     0, 0, OUT_REQUIRED, "Password Check 4" },
    { "Password 5",     0, 0, OUT_REQUIRED, "Password Check 5" },
    { "Invalid password", 0, 0, OUT_REQUIRED, nullptr },
};
// The attendant output applies while the caller may transfer to one; the
// block's settings page turns it on and off with that check box.
static const OutDef kFaxSelectOuts[] = {
    { "Done",           0, 0, OUT_REQUIRED, nullptr },
    { "Attendant",      0, 0, OUT_REQUIRED, "Allow transfer to an attendant" },
    { "Rotary",         0, 0, OUT_OPTIONAL, nullptr },
};
static const OutDef kSpeechOuts[] = {
    { "Done",           0, 0, OUT_REQUIRED, nullptr },
    { "Not recognized", 0, 0, OUT_OPTIONAL, nullptr },
    { "Rotary",         0, 0, OUT_OPTIONAL, nullptr },
};
static const OutDef kCustomCmdOuts[] = {
    { "Done",           0, 0, OUT_REQUIRED, nullptr },
    { "Error",          0, 0, OUT_OPTIONAL, nullptr },
};

// ---- Variables ------------------------------------------------------------
// Item numbers and texts are kept as text; numbers and choices in place.

#define ITEM(n)   { n, KVR_SYM_ITEM,    KVR_MEM_CHAR,  8,  0 }
#define CHOICE(n) { n, KVR_SYM_NUMBER,  KVR_MEM_INT16, 2,  0 }
#define NUM32(n, d) { n, KVR_SYM_NUMBER, KVR_MEM_INT32, 4, d }
#define NUMTEXT(n) { n, KVR_SYM_NUMBER, KVR_MEM_CHAR,  16, 0 }
#define TEXTVAR(n) { n, KVR_SYM_TEXT,    KVR_MEM_CHAR,  32, 0 }
#define TIME(n)   { n, KVR_SYM_TIME,    KVR_MEM_CHAR,  16, 0 }
#define DATE(n)   { n, KVR_SYM_DATE,    KVR_MEM_CHAR,  16, 0 }

// An announcement plays one voice item of the application.
static const VarDef kAnnouncementVars[] = {
    ITEM("Voice Item"),
};
// A transfer goes to the attendant (0) or to an extension (1).
static const VarDef kCallTransferVars[] = {
    CHOICE("Transfer to"),
    NUMTEXT("Extension number"),
    NUM32("Number of rings", 4),
    ITEM("Transfer prompt"),
};
static const VarDef kMenuVars[] = {
    ITEM("Menu choices"),
    CHOICE("Max no responses"),
    NUM32("Max number of no responses", 3),
    ITEM("No response"),
    CHOICE("Max invalid choices"),
    NUM32("Max number of invalid choices", 3),
    ITEM("Invalid choice"),
    CHOICE("Replay main after no response"),
    CHOICE("Replay main after invalid"),
};
static const VarDef kThruDialVars[] = {
    ITEM("Thru-Dial greeting"),
    CHOICE("Dialing options"),
    CHOICE("Use Fixed Length Numbers"),
    NUM32("Number length", 4),
    NUMTEXT("Left pad for fixed length nums"),
    { "Restriction/permission list", KVR_SYM_RESPERM, KVR_MEM_INT32, 4, 0 },
};
static const VarDef kFaxSelectVars[] = {
    ITEM("Fax Item"),
    CHOICE("Allow transfer to an attendant"),
};
static const VarDef kLanguageSelectVars[] = {
    { "System prompt", KVR_SYM_NUMBER, KVR_MEM_INT16, 2, -1 },
};
static const VarDef kTimeControlVars[] = {
    TIME("Time period 1 - From"), TIME("Time period 1 - To"),
    TIME("Time period 2 - From"), TIME("Time period 2 - To"),
    TIME("Time period 3 - From"), TIME("Time period 3 - To"),
    TIME("Time period 4 - From"), TIME("Time period 4 - To"),
    TIME("Time period 5 - From"), TIME("Time period 5 - To"),
};
static const VarDef kDateControlVars[] = {
    DATE("Date period 1 - From"), DATE("Date period 1 - To"),
    DATE("Date period 2 - From"), DATE("Date period 2 - To"),
    DATE("Date period 3 - From"), DATE("Date period 3 - To"),
    DATE("Date period 4 - From"), DATE("Date period 4 - To"),
    DATE("Date period 5 - From"), DATE("Date period 5 - To"),
};
static const VarDef kPasswordCheckVars[] = {
    ITEM("Password Voice Item"),
    NUM32("Maximum Password Entries", 3),
    CHOICE("Password Check 1"), TEXTVAR("Password Entry 1"), TEXTVAR("Confirmation Entry 1"),
    CHOICE("Password Check 2"), TEXTVAR("Password Entry 2"), TEXTVAR("Confirmation Entry 2"),
    CHOICE("Password Check 3"), TEXTVAR("Password Entry 3"), TEXTVAR("Confirmation Entry 3"),
    CHOICE("Password Check 4"), TEXTVAR("Password Entry 4"), TEXTVAR("Confirmation Entry 4"),
    CHOICE("Password Check 5"), TEXTVAR("Password Entry 5"), TEXTVAR("Confirmation Entry 5"),
};
// The caller selects the mailbox (0), or the block names one (1).
static const VarDef kExpressMessagingVars[] = {
    CHOICE("Mailbox selection options"),
    NUMTEXT("Mailbox number"),
};
static const VarDef kSpeechVars[] = {
    CHOICE("Use paced speech recognition"),
};

// ---- Block types ------------------------------------------------------------

// The SuperBlock call: not a palette block (the program's SuperBlock
// groups offer one per page); it names the page it calls.
const BlockDef g_SuperCallDef = {
    KVR_PB_SUPERCALL, "SuperBlock", "Calls a SuperBlock of the program", "PB_SUPERCALL", GRP_SYSTEM, 0,
    OUTS(kDoneOuts), NO_VARS };

const BlockDef g_Blocks[] = {
//  type  name                               description                                     bitmap           group          newer outputs                       variables
    { 142, "Begin",                           "Where the call enters the page",               "PB_BEGIN",      GRP_SYSTEM,    0, OUTS(kBeginOuts),            NO_VARS },
    { 396, "End",                             "Ends the call",                                "PB_END",        GRP_SYSTEM,    0, NO_OUTS,                     NO_VARS },
    { 401, "Continue",                        "Continues in the importing application",       "PB_CONTINUE",   GRP_SYSTEM,    0, NO_OUTS,                     NO_VARS },
    { 408, "Rotary Dial",                     "Serves callers without touch tones",           "PB_ROTARY",     GRP_SYSTEM,    0, OUTS(kRotaryDialOuts),       NO_VARS },
    { 181, "Exit",                            "Returns from a SuperBlock or Verification Block", "PB_EXIT",    GRP_SYSTEM,    0, NO_OUTS,                     NO_VARS },
    { 409, "Imported Application",            "Runs an imported application",                 "PB_IMPORTED",   GRP_SYSTEM,    0, OUTS(kDoneOuts),             NO_VARS },
    { 393, "Announcement",                    "Plays a voice item",                           "PB_ANNOUNCE",   GRP_PROMPTS,   0, OUTS(kDoneRotaryOuts),       VARS(kAnnouncementVars) },
    { 402, "Menu",                            "Plays choices and branches on the key pressed", "PB_MENU",      GRP_PROMPTS,   0, OUTS(kMenuOuts),             VARS(kMenuVars) },
    { 403, "Language Select",                 "Sets the system prompting language",           "PB_LANGUAGE",   GRP_PROMPTS,   0, OUTS(kDoneRotaryOuts),       VARS(kLanguageSelectVars) },
    { 394, "Call Transfer",                   "Transfers the call to an attendant",           "PB_TRANSFER",   GRP_ROUTING,   0, OUTS(kCallTransferOuts),     VARS(kCallTransferVars) },
    { 405, "Thru-Dial",                       "Lets the caller dial an extension",            "PB_THRUDIAL",   GRP_ROUTING,   0, OUTS(kThruDialOuts),         VARS(kThruDialVars) },
    { 395, "Day Control",                     "Branches on the day of the week",              "PB_DAY",        GRP_ROUTING,   0, OUTS(kDayControlOuts),       NO_VARS },
    { 406, "Time Control",                    "Branches on the time of day",                  "PB_TIME",       GRP_ROUTING,   0, OUTS(kTimeControlOuts),      VARS(kTimeControlVars) },
    { 410, "Date Control",                    "Branches on the date",                         "PB_DATE",       GRP_ROUTING,   0, OUTS(kDateControlOuts),      VARS(kDateControlVars) },
    { 411, "Password Check",                  "Branches on the password entered",             "PB_PASSWORD",   GRP_ROUTING,   0, OUTS(kPasswordCheckOuts),    VARS(kPasswordCheckVars) },
    { 397, "Express Voice Messaging",         "Takes a voice message",                        "PB_EXPRVOICE",  GRP_MESSAGING, 0, OUTS(kDoneRotaryOuts),       VARS(kExpressMessagingVars) },
    { 404, "Multimedia Messaging",            "Takes a message in any medium",                "PB_MULTIMEDIA", GRP_MESSAGING, 0, OUTS(kDoneRotaryOuts),       NO_VARS },
    { 414, "Speech Activated (SA) Messaging", "Takes messages by spoken commands",            "PB_SPEECH",     GRP_MESSAGING, 1, OUTS(kSpeechOuts),           VARS(kSpeechVars) },
    { 400, "Remote Activation",               "Switches features on or off from a telephone", "PB_REMOTE",     GRP_MESSAGING, 0, OUTS(kRemoteActivationOuts), NO_VARS },
    { 407, "Voice Item Maintenance",          "Records voice items from a telephone",         "PB_VIM",        GRP_MESSAGING, 0, OUTS(kDoneOuts),             NO_VARS },
    { 398, "Fax Send",                        "Sends a fax",                                  "PB_FAXSEND",    GRP_FAX,       0, OUTS(kFaxSendOuts),          NO_VARS },
    { 413, "Fax Select",                      "Lets the caller pick a fax item",              "PB_FAXSELECT",  GRP_FAX,       0, OUTS(kFaxSelectOuts),        VARS(kFaxSelectVars) },
    { 412, "Express Fax Messaging",           "Takes a fax message",                          "PB_EXPRFAX",    GRP_FAX,       0, OUTS(kDoneRotaryOuts),       VARS(kExpressMessagingVars) },
    { 399, "Fax Item Maintenance",            "Replaces fax items from a telephone",          "PB_FIM",        GRP_FAX,       0, OUTS(kDoneRotaryOuts),       NO_VARS },
    { 415, "Custom Commands",                 "Runs the server's custom commands",            "PB_CUSTOMCMD",  GRP_ADVANCED,  1, OUTS(kCustomCmdOuts),        NO_VARS },
    { 289, "Obsolete",                        "A block type the server no longer runs",       "PB_OBSOLETE",   GRP_OBSOLETE,  0, NO_OUTS,                     NO_VARS },
};
const int g_nBlocks = COUNT(g_Blocks);

} // namespace kvr
