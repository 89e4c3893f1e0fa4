// The one report function of program-file loads and saves. Every problem
// with a record is logged to "kvrlslog.txt" (the first 49 of the program's
// run) and, by the caller's prompt mode, continues, stops or asks the user
// whether to go on.
#ifndef LSREPORT_H
#define LSREPORT_H

#include "PXafx.h"

// Prompt modes, owned by the load or save and passed by reference.
enum
{
    LS_PROMPT_ASK = 0,
    LS_PROMPT_CONTINUE = 1,
    LS_PROMPT_STOP = 3
};

// TRUE to continue the load or save, FALSE to stop it.
BOOL LSReportError(short& nPromptMode, const char* pszText, int nCode);

// Asks the user with the load/save prompt: answers IDOK (Continue) or
// IDCANCEL (Abort), and changes the prompt mode as the prompt's check box
// does. The program's prompt dialog installs itself here; tests answer it.
typedef int (*LSPromptRunner)(short& nPromptMode, const char* pszText);
LSPromptRunner LSSetPromptRunner(LSPromptRunner pfnRunner);

// The number of reports of this run (saturates at 32767), and a way for
// tests to put the count where they need it.
short LSGetReportCount();
void LSSetReportCount(short nCount);

// The log of the reports, in the working directory.
#define LS_LOG_FILE "kvrlslog.txt"

#endif
