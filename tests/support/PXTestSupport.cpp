#include "PXTestSupport.h"

namespace {
MessageBoxRecorder* g_pRecorder = nullptr;
}

MessageBoxRecorder::MessageBoxRecorder()
{
    g_pRecorder = this;
    m_pfnPrev = PXSetMessageBoxHook(&MessageBoxRecorder::Hook);
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    PXSetMessageBoxHook(m_pfnPrev);
    g_pRecorder = nullptr;
}

int MessageBoxRecorder::Hook(HWND hOwner, const char* pszText, const char* pszCaption, UINT uType)
{
    MessageBoxRecorder* p = g_pRecorder;
    p->boxes.push_back(PXShownBox{ hOwner, pszText ? pszText : "", pszCaption ? pszCaption : "", uType });
    if (p->m_answers.empty())
        return p->nDefault;
    int n = p->m_answers.front();
    p->m_answers.pop_front();
    return n;
}
