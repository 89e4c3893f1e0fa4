// TResId: names a resource by text or by number.
#ifndef OWL_TRESID_H
#define OWL_TRESID_H

#include <windows.h>

class TResId
{
public:
    TResId() : m_psz(nullptr) {}
    TResId(const char* psz) : m_psz(psz) {}
    TResId(int nId) : m_psz(MAKEINTRESOURCEA(nId)) {}

    operator LPCSTR() const { return m_psz; }
    bool IsNull() const { return m_psz == nullptr; }
    bool IsInt() const { return IS_INTRESOURCE(m_psz); }

private:
    LPCSTR m_psz;
};

#endif
