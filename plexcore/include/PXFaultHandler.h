// The fault reporter and the message-box helpers: the two roads by which a
// fault or a question reaches the user. Both caption their boxes with the
// program's name and show them through the PXMessageBox seam.
//
// Classes: PXArgList (a message with its inserts), PXFaultHandlerObj.
#ifndef PXFAULTHANDLER_H
#define PXFAULTHANDLER_H

#include <windows.h>
#include "PXObject.h"
#include "PXString.h"

// One bit that classifies a fault; chosen by the caller, not shown.
typedef DWORD PXCause;

enum PXIconKind
{
    PXICON_STOP = 0,            // beeps first
    PXICON_EXCLAMATION = 1,
    PXICON_INFORMATION = 2,
    PXICON_QUESTION = 3,
    PXICON_INFORMATION2 = 4
};

enum PXButtonSet
{
    PXBTN_OK = 0,
    PXBTN_OKCANCEL = 1,
    PXBTN_RETRYCANCEL = 2,
    PXBTN_YESNO = 3,
    PXBTN_YESNOCANCEL = 4,
    PXBTN_ABORTRETRYIGNORE = 5
};

enum PXAnswer
{
    PXANS_OK = 0,
    PXANS_CANCEL = 1,
    PXANS_RETRY = 2,
    PXANS_YES = 3,
    PXANS_NO = 4,
    PXANS_ABORT = 5,
    PXANS_IGNORE = 6
};

// A report's message: a string-table entry with "%1"-style inserts (texts
// unless the entry says otherwise, e.g. "%1!d!"), formatted by the system
// message formatter. Made on the caller's stack for one report. An id
// without an entry gives "Message <id>"; an entry that cannot be formatted
// is shown as it stands.
class PXArgList
{
public:
    PXArgList(unsigned nId, ...);
    ~PXArgList();

    unsigned GetId() const { return m_nId; }
    const char* GetText() const { return m_pszText; }

    PXArgList(const PXArgList&) = delete;
    PXArgList& operator=(const PXArgList&) = delete;

private:
    void SetText(const char* psz);

    unsigned m_nId;
    char* m_pszText;        // LocalAlloc'd, freed with LocalFree
};

// The reporter. The application controller derives from it and sets its own
// caption in LoadCaption, which runs at the start of every report.
class PXFaultHandlerObj : public PXObject
{
public:
    PXFaultHandlerObj();
    ~PXFaultHandlerObj() override;

    virtual void LoadCaption();

    void SetParent(HWND hParent);
    HWND GetParent() const { return Parent; }
    void SetCaption(const char* pszCaption);
    const char* GetCaption() const { return m_strCaption; }

    // Shows the message and answers the button pressed. Null message: OK and
    // nothing shown. logMessage and nTrace are accepted for the callers'
    // sake; every caller passes null and 0. When the box cannot be shown the
    // answer is Cancel, or OK for an OK-only box.
    PXAnswer Report(PXCause cause, PXIconKind icon, PXButtonSet buttons, PXAnswer defaultAnswer,
                    PXArgList* pMessage, PXArgList* pLogMessage, int nTrace,
                    const char* pszFile, int nLine);

    // The message-box flags Report uses for these arguments.
    static UINT BoxStyle(PXIconKind icon, PXButtonSet buttons, PXAnswer defaultAnswer);
    // The answer for the system's button id; nFailed when it is none of them.
    static PXAnswer AnswerFor(int nButtonId, PXAnswer nFailed);

    HWND Parent;

private:
    CString m_strCaption;
};

// The controller every report goes through. Until start-up registers the
// controller, and after it is withdrawn (null), this is the program's plain
// reporter, so a report made that early still reaches the user.
PXFaultHandlerObj* PXGetWinApp();
void PXSetWinApp(PXFaultHandlerObj* pApp);

// The application's main window, which owns the boxes of ShowMessage and
// ShowMessageId; none until set, or once the window is gone.
HWND PXGetMainWindow();
void PXSetMainWindow(HWND hWnd);

// Message boxes with a printf-style or string-table text, captioned with the
// program's name whatever caption is passed (it is neither used nor
// written); the style flags go through unchanged. The text is cut to
// PX_MESSAGE_TEXT_MAX characters. String-table texts come from the program's
// own module; an id without an entry shows nothing and answers -1.
#define PX_MESSAGE_TEXT_MAX 511

void ShowMessage(const char* pszFormat, char* pszCaption, unsigned uStyle, ...);
int ShowMessageId(unsigned nId, char* pszCaption, unsigned uStyle, ...);
void ShowMessageFor(HWND hOwner, const char* pszFormat, char* pszCaption, unsigned uStyle, ...);
int ShowMessageIdFor(HWND hOwner, unsigned nId, char* pszCaption, unsigned uStyle, ...);

#endif
