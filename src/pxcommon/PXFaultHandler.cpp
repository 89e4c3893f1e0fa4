// The fault reporter and the message-box helpers.
#include "PXafx.h"

#include <stdio.h>
#include <string.h>

namespace {

PXFaultHandlerObj* g_pWinApp = nullptr;
HWND g_hMainWindow = nullptr;

// Reports made before the controller exists, or after it is gone.
PXFaultHandlerObj& PlainReporter()
{
    static PXFaultHandlerObj s_reporter;
    return s_reporter;
}

// The program's name, the caption of every box of the helpers.
CString ProgramName()
{
    CString str;
    if (!str.LoadStringA(IDS_PX_PROGRAMNAME))
        str = "Plexwright";
    return str;
}

// printf into a buffer of PX_MESSAGE_TEXT_MAX characters, cutting what does
// not fit.
void FormatBounded(char* pszOut, const char* pszFormat, va_list args)
{
    int n = _vsnprintf(pszOut, PX_MESSAGE_TEXT_MAX, pszFormat, args);
    if (n < 0 || n >= PX_MESSAGE_TEXT_MAX)
        pszOut[PX_MESSAGE_TEXT_MAX] = '\0';
}

// A window that can own a box: the given one while it exists, else none.
HWND OwnerOrNone(HWND hWnd)
{
    return (hWnd && IsWindow(hWnd)) ? hWnd : nullptr;
}

void ShowFormatted(HWND hOwner, const char* pszFormat, UINT uStyle, va_list args)
{
    char szText[PX_MESSAGE_TEXT_MAX + 1];
    FormatBounded(szText, pszFormat ? pszFormat : "", args);
    PXMessageBox(OwnerOrNone(hOwner), szText, ProgramName(), uStyle);
}

int ShowFromTable(HWND hOwner, unsigned nId, UINT uStyle, va_list args)
{
    // The text comes from the program's own module: a window made from
    // another module's template must not lose the program's messages.
    char szFormat[PX_MESSAGE_TEXT_MAX + 1];
    if (nId > 0xFFFF || LoadStringA(PXGetResourceHandle(), nId, szFormat, sizeof(szFormat)) <= 0)
        return -1;
    char szText[PX_MESSAGE_TEXT_MAX + 1];
    FormatBounded(szText, szFormat, args);
    return PXMessageBox(OwnerOrNone(hOwner), szText, ProgramName(), uStyle);
}

} // namespace

// ---------------------------------------------------------------------------
// PXArgList

PXArgList::PXArgList(unsigned nId, ...)
    : m_nId(nId), m_pszText(nullptr)
{
    CString strFormat;
    if (!strFormat.LoadStringA(nId))
    {
        // A message without a text still tells the user which one it was.
        CString strMissing;
        if (strMissing.LoadStringA(IDS_PX_NOMESSAGE))
        {
            DWORD_PTR args[1] = { nId };
            char* psz = nullptr;
            if (FormatMessageA(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER |
                                   FORMAT_MESSAGE_ARGUMENT_ARRAY,
                               static_cast<const char*>(strMissing), 0, 0,
                               reinterpret_cast<LPSTR>(&psz), 0,
                               reinterpret_cast<va_list*>(args)) != 0 && psz)
            {
                m_pszText = psz;
                return;
            }
            if (psz)
                LocalFree(psz);
        }
        char szMissing[32];
        wsprintfA(szMissing, "Message %u", nId);
        SetText(szMissing);
        return;
    }

    va_list args;
    va_start(args, nId);
    char* psz = nullptr;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                             static_cast<const char*>(strFormat), 0, 0,
                             reinterpret_cast<LPSTR>(&psz), 0, &args);
    va_end(args);
    if (n != 0 && psz)
    {
        m_pszText = psz;
        return;
    }
    if (psz)
        LocalFree(psz);
    SetText(strFormat);
}

PXArgList::~PXArgList()
{
    if (m_pszText)
        LocalFree(m_pszText);
}

void PXArgList::SetText(const char* psz)
{
    size_t nLen = strlen(psz);
    m_pszText = static_cast<char*>(LocalAlloc(LMEM_FIXED, nLen + 1));
    if (!m_pszText)
        PXTHROW_XMEM(0);
    memcpy(m_pszText, psz, nLen + 1);
}

// ---------------------------------------------------------------------------
// PXFaultHandlerObj

PXFaultHandlerObj::PXFaultHandlerObj()
    : Parent(nullptr)
{
}

PXFaultHandlerObj::~PXFaultHandlerObj()
{
    if (g_pWinApp == this)
        g_pWinApp = nullptr;
}

void PXFaultHandlerObj::LoadCaption()
{
    m_strCaption = ProgramName();
}

void PXFaultHandlerObj::SetParent(HWND hParent)
{
    Parent = hParent;
    PXASSERT(Parent!=0);
}

void PXFaultHandlerObj::SetCaption(const char* pszCaption)
{
    m_strCaption = pszCaption;
}

UINT PXFaultHandlerObj::BoxStyle(PXIconKind icon, PXButtonSet buttons, PXAnswer defaultAnswer)
{
    PXASSERT(static_cast<unsigned>(icon) <= PXICON_INFORMATION2);
    PXASSERT(static_cast<unsigned>(buttons) <= PXBTN_ABORTRETRYIGNORE);

    static const UINT s_iconFlags[] = {
        MB_ICONHAND, MB_ICONEXCLAMATION, MB_ICONASTERISK, MB_ICONQUESTION, MB_ICONASTERISK
    };
    struct ButtonRow
    {
        UINT uFlags;
        int nSecond;        // default answer that makes the second button the default
        int nThird;         // ... the third; -1 none
    };
    static const ButtonRow s_buttons[] = {
        { MB_OK, -1, -1 },
        { MB_OKCANCEL, PXANS_CANCEL, -1 },
        { MB_RETRYCANCEL, PXANS_CANCEL, -1 },
        { MB_YESNO, PXANS_NO, -1 },
        { MB_YESNOCANCEL, PXANS_NO, PXANS_CANCEL },
        { MB_ABORTRETRYIGNORE, PXANS_RETRY, PXANS_IGNORE },
    };

    const ButtonRow& row = s_buttons[buttons];
    UINT uStyle = s_iconFlags[icon] | row.uFlags;
    if (defaultAnswer == row.nSecond)
        uStyle |= MB_DEFBUTTON2;
    else if (defaultAnswer == row.nThird)
        uStyle |= MB_DEFBUTTON3;
    return uStyle;
}

PXAnswer PXFaultHandlerObj::AnswerFor(int nButtonId, PXAnswer nFailed)
{
    switch (nButtonId)
    {
    case IDOK: return PXANS_OK;
    case IDCANCEL: return PXANS_CANCEL;
    case IDRETRY: return PXANS_RETRY;
    case IDYES: return PXANS_YES;
    case IDNO: return PXANS_NO;
    case IDABORT: return PXANS_ABORT;
    case IDIGNORE: return PXANS_IGNORE;
    default: return nFailed;
    }
}

PXAnswer PXFaultHandlerObj::Report(PXCause cause, PXIconKind icon, PXButtonSet buttons,
                                   PXAnswer defaultAnswer, PXArgList* pMessage,
                                   PXArgList* pLogMessage, int nTrace,
                                   const char* pszFile, int nLine)
{
    LoadCaption();
    if (!pMessage)
        return PXANS_OK;

    UINT uStyle = BoxStyle(icon, buttons, defaultAnswer);
    if (icon == PXICON_STOP)
        PXMessageBeep(MB_ICONHAND);
    const char* pszText = pMessage->GetText();
    int nButton = PXMessageBox(GetActiveWindow(), pszText ? pszText : "", m_strCaption, uStyle);
    return AnswerFor(nButton, buttons == PXBTN_OK ? PXANS_OK : PXANS_CANCEL);
}

// ---------------------------------------------------------------------------
// The controller and the main window

PXFaultHandlerObj* PXGetWinApp()
{
    return g_pWinApp ? g_pWinApp : &PlainReporter();
}

void PXSetWinApp(PXFaultHandlerObj* pApp)
{
    g_pWinApp = pApp;
}

HWND PXGetMainWindow()
{
    return OwnerOrNone(g_hMainWindow);
}

void PXSetMainWindow(HWND hWnd)
{
    g_hMainWindow = hWnd;
}

// ---------------------------------------------------------------------------
// Message-box helpers

void ShowMessage(const char* pszFormat, char* pszCaption, unsigned uStyle, ...)
{
    va_list args;
    va_start(args, uStyle);
    ShowFormatted(PXGetMainWindow(), pszFormat, uStyle, args);
    va_end(args);
}

int ShowMessageId(unsigned nId, char* pszCaption, unsigned uStyle, ...)
{
    va_list args;
    va_start(args, uStyle);
    int n = ShowFromTable(PXGetMainWindow(), nId, uStyle, args);
    va_end(args);
    return n;
}

void ShowMessageFor(HWND hOwner, const char* pszFormat, char* pszCaption, unsigned uStyle, ...)
{
    va_list args;
    va_start(args, uStyle);
    ShowFormatted(hOwner, pszFormat, uStyle, args);
    va_end(args);
}

int ShowMessageIdFor(HWND hOwner, unsigned nId, char* pszCaption, unsigned uStyle, ...)
{
    va_list args;
    va_start(args, uStyle);
    int n = ShowFromTable(hOwner, nId, uStyle, args);
    va_end(args);
    return n;
}
