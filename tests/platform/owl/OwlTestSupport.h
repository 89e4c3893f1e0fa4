// Helpers of the window tests: pumping messages, a log of handler calls,
// catching what window procedures stopped at their edge, and building a
// dialog template in memory.
#ifndef OWLTESTSUPPORT_H
#define OWLTESTSUPPORT_H

#include "PXTestSupport.h"
#include "owl/TWindow.h"

#include <string>
#include <vector>

// Dispatches every pending message of the thread.
void Pump();
// Pumps for about the given time.
void PumpFor(DWORD ms);

// What the handlers of the test windows did, in order.
extern std::vector<std::string> g_log;

// Installs an exception handler that records the message and what was
// thrown (the PXException description id, or -1) while it lives.
class ExceptionRecorder
{
public:
    ExceptionRecorder();
    ~ExceptionRecorder();

    struct Caught
    {
        UINT msg;
        int nDescr;
    };
    std::vector<Caught> caught;

private:
    static void Handler(TWindow* pWnd, UINT msg);
    TWindow::TExceptionHandler m_pfnPrev;
};

// Installs a modal hook while it lives.
class ModalHook
{
public:
    explicit ModalHook(TWindow::TModalHook pfn) { m_pfnPrev = TWindow::SetModalHook(pfn); }
    ~ModalHook() { TWindow::SetModalHook(m_pfnPrev); }

private:
    TWindow::TModalHook m_pfnPrev;
};

// An in-memory dialog template: a caption, an edit with the given id and
// OK and Cancel buttons.
class MemoryTemplate
{
public:
    MemoryTemplate(const char* pszCaption, int nEditId);
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    void Align();
    void AddText(const char* psz);
    void AddItem(DWORD style, short x, short y, short cx, short cy, WORD id, WORD classAtom, const char* pszText);

    std::vector<WORD> m_words;
};

#endif
