// The editor's command ids: one number per command, shared by the menu bar
// "MAINMENU", the accelerators "KEYS", the tool bar, the context menus, the
// command-state table and the status-line hints (the string-table entry
// with the command's number). Plain defines: the resource scripts read
// this file too.
#ifndef PXCMDIDS_H
#define PXCMDIDS_H

// File
#define CM_PRINTBLOCKS          51
#define CM_FILEIMPORT           101
#define CM_FILENEW              4128
#define CM_FILEOPEN             4129
#define CM_FILESAVE             4130
#define CM_FILESAVEAS           4131
#define CM_FILECLOSE            4132
#define CM_PRINTFLOW            4135
#define CM_PRINTSETUP           4136
#define CM_PRINTITEMS           4178
#define CM_PRINTSUPERBLOCKS     4225
#define CM_FILEREMOVEIMPORT     4228
#define CM_FILEEXPORT           4203
#define CM_FILEUNDOEXPORT       4229
#define CM_FILEDELETE           4230
#define CM_FILELOCKS            4231
#define CM_FILEPROPERTIES       4232
#define CM_EXIT                 24310

// Edit
#define CM_EDITCUT              4138
#define CM_EDITCOPY             4139
#define CM_EDITPASTE            4140
#define CM_EDITDELETE           4141
#define CM_RENAME               4150
#define CM_REROUTELINE          4154
#define CM_STUBLINE             4174
#define CM_CANCELPASTE          4201
#define CM_BLOCKPROPERTIES      4202
#define CM_TEXTNOTE             4221
#define CM_TEXTNOTEFONT         4222
#define CM_EDITTEXTNOTE         4249
// Reached from the Edit menu (Reroute All Lines) and the Define menu (the
// comments). Configure Block only checks the selection: no menu item
// carries it.
#define CM_CONFIGUREBLOCK       4151
#define CM_REROUTEALLLINES      4168
#define CM_SBCOMMENT            4224
#define CM_PROGRAMCOMMENT       4226

// The Hide/Show Outputs submenu. Its placeholder item (also its status
// hint) and the two commands on all outputs keep their numbers; output j
// of the block has CM_OUTPUTFIRST + j. The outputs' block lies above every
// other command id, so that none of a block's up to 40 outputs takes the
// number of another command.
#define CM_NOBLOCKSELECTED      4096
#define CM_SHOWALLOUTPUTS       4124
#define CM_HIDEALLOUTPUTS       4125
#define CM_OUTPUTFIRST          4300
#define CM_OUTPUTCOUNT          40
#define CM_OUTPUTLAST           (CM_OUTPUTFIRST + CM_OUTPUTCOUNT - 1)
#define CM_NOOUTPUTS            0xFFFF

// View
#define CM_ZOOMIN               4142
#define CM_ZOOMOUT              4143
#define CM_SETZOOM              4144
#define CM_TOOLBAR              4156
#define CM_PALETTE              4162
#define CM_ZOOMNORMAL           4165
#define CM_PAGEGRID             4195
#define CM_FULLSCREEN           4233
#define CM_PAGEUP               4237
#define CM_PAGEDOWN             4238
#define CM_PAGELEFT             4239
#define CM_PAGERIGHT            4240
#define CM_LINEUP               4241
#define CM_LINEDOWN             4242
#define CM_LINELEFT             4243
#define CM_LINERIGHT            4244
#define CM_HOME                 4245
#define CM_TOP                  4246

// Options
#define CM_PRINTFRAME           4196
#define CM_CONFIRMPASTE         4210
#define CM_DEFAULTNOTEFONT      4223
#define CM_AUTONAME             4247
#define CM_AUTOSAVEOPTIONS      4248
#define CM_DIAGLOW              4250
#define CM_DIAGMEDIUM           4251
#define CM_DIAGHIGH             4252
#define CM_DIAGNONE             4253
#define CM_LOGLOW               4254
#define CM_LOGMEDIUM            4255
#define CM_LOGHIGH              4256

// Define
#define CM_VOICEITEMS           4145
#define CM_FAXITEMS             4146

// Pages (View and Define menus) and Find (Edit menu, Ctrl+F)
#define CM_NEWSUPERBLOCK        4169
#define CM_VIEWSUPERBLOCKS      4170
#define CM_DEFINESUPERBLOCKS    4173
#define CM_VIEWVERIFBLOCKS      4176
#define CM_DEFINEVERIFBLOCKS    4177
#define CM_FINDPOWERBLOCK       4179

// View, option and build commands of the View, Options and File menus.
#define CM_SMARTROUTING         4163
#define CM_STATUSLINE           4157
#define CM_LABELSTUBS           4172
#define CM_SNAPTOGRID           4175
#define CM_OLDVARTYPES          4200
#define CM_BLOCKFONT            4158
#define CM_PALETTEFONT          4166
#define CM_OBSOLETEPALETTE      4171
#define CM_BUILD                4167

// Window; the MDI client answers them.
#define CM_CASCADE              24361
#define CM_TILE                 24362
#define CM_REPOSITIONWINDOWS    4199    // puts the palette window back in place

// Help
#define CM_HELPTOPICS           4160
#define CM_ABOUT                4161
#define CM_HELPOVERVIEW         4204
#define CM_HELPUSING            4205
#define CM_TUTORIAL             4234
#define CM_DOCUMENTATION        4235

// Texts of the menu items built in code: 4400-4409.
#define IDS_MENU_NOBLOCK        4400    // "(No block selected)"
#define IDS_MENU_NOOUTPUTS      4401    // "(No outputs)"
#define IDS_MENU_SHOWALL        4402    // "&Show all"
#define IDS_MENU_HIDEALL        4403    // "&Hide all"
#define IDS_MENU_NONE           4404    // "None"
#define IDS_MENU_LOW            4405    // "Low"
#define IDS_MENU_MEDIUM         4406    // "Medium"
#define IDS_MENU_HIGH           4407    // "High"

// The recent programs at the end of the File menu: slot n is 4210 + n.
#define CM_RECENTFIRST          4211
#define CM_RECENTLAST           4220

// Commands the main frame answers: Find PowerBlock, and the debugger's,
// which no menu item carries (there is no debugger to drive).
#define CM_FINDPOWERBLOCK       4179
#define CM_DEBUGFIRST           4182
#define CM_TOGGLEBREAKPOINTS    4189
#define CM_DEBUGLAST            4192
#define CM_RUNPROGRAM           4193
#define CM_DEBUGBUSY            4194

#endif
