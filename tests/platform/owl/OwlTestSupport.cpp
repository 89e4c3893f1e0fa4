#include "OwlTestSupport.h"

std::vector<std::string> g_log;

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void PumpFor(DWORD ms)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < ms)
    {
        Pump();
        Sleep(5);
    }
    Pump();
}

namespace {
ExceptionRecorder* g_pExRec = nullptr;
}

ExceptionRecorder::ExceptionRecorder()
{
    g_pExRec = this;
    m_pfnPrev = TWindow::SetExceptionHandler(&ExceptionRecorder::Handler);
}

ExceptionRecorder::~ExceptionRecorder()
{
    TWindow::SetExceptionHandler(m_pfnPrev);
    g_pExRec = nullptr;
}

void ExceptionRecorder::Handler(TWindow*, UINT msg)
{
    int nDescr = -1;
    try {
        throw;
    } catch (PXException& x) {
        nDescr = static_cast<int>(x.m_nDescr);
    } catch (...) {
    }
    if (g_pExRec)
        g_pExRec->caught.push_back(Caught{ msg, nDescr });
}

MemoryTemplate::MemoryTemplate(const char* pszCaption, int nEditId)
{
    // DLGTEMPLATE: style (2 words), exstyle (2), item count, x, y, cx, cy
    DWORD style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT;
    m_words.push_back(LOWORD(style));
    m_words.push_back(HIWORD(style));
    m_words.push_back(0);
    m_words.push_back(0);
    m_words.push_back(3);
    m_words.push_back(0);
    m_words.push_back(0);
    m_words.push_back(160);
    m_words.push_back(60);
    m_words.push_back(0);      // no menu
    m_words.push_back(0);      // the system dialog class
    AddText(pszCaption);
    m_words.push_back(8);      // font size
    AddText("MS Sans Serif");
    AddItem(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, 4, 4, 150, 12,
            static_cast<WORD>(nEditId), 0x0081, "");
    AddItem(WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP, 4, 40, 50, 14, IDOK, 0x0080, "OK");
    AddItem(WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, 60, 40, 50, 14, IDCANCEL, 0x0080, "Cancel");
}

void MemoryTemplate::Align()
{
    if (m_words.size() % 2)
        m_words.push_back(0);
}

void MemoryTemplate::AddText(const char* psz)
{
    for (; *psz; ++psz)
        m_words.push_back(static_cast<unsigned char>(*psz));
    m_words.push_back(0);
}

void MemoryTemplate::AddItem(DWORD style, short x, short y, short cx, short cy, WORD id, WORD classAtom,
                             const char* pszText)
{
    Align();
    m_words.push_back(LOWORD(style));
    m_words.push_back(HIWORD(style));
    m_words.push_back(0);
    m_words.push_back(0);
    m_words.push_back(static_cast<WORD>(x));
    m_words.push_back(static_cast<WORD>(y));
    m_words.push_back(static_cast<WORD>(cx));
    m_words.push_back(static_cast<WORD>(cy));
    m_words.push_back(id);
    m_words.push_back(0xFFFF);
    m_words.push_back(classAtom);
    AddText(pszText);
    m_words.push_back(0);      // no creation data
}
