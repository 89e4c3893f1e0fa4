// A cursor over one word-coded definition resource (RCDATA): the 16-bit
// words are read in order, and reading never passes the last word.
#ifndef PXRESNAV_H
#define PXRESNAV_H

#include "PXafx.h"

class PXResNav
{
public:
    // Finds, loads and locks the RCDATA resource; PXException 1553 when any
    // step fails. The current word is word 0.
    PXResNav(WORD wResourceId, HINSTANCE hModule);
    ~PXResNav();

    PXResNav(const PXResNav&) = delete;
    PXResNav& operator=(const PXResNav&) = delete;

    WORD GetCurrentToken();
    // Moves to the next word and answers it; at the last word answers 0 and
    // stays there.
    WORD GetNextToken();
    // The next word without moving; 0 at the last word.
    WORD PeekNextToken();

    WORD GetResourceId() const { return m_wResourceId; }
    // Index of the current word, for error texts and tests.
    int GetWordIndex() const { return static_cast<int>(m_pwPos - m_pwStart); }

private:
    bool IsLastWord() const { return m_pwPos + 1 >= m_pwStart + m_dwSize / 2; }

    HGLOBAL m_hResource;
    WORD m_wResourceId;
    const WORD* m_pwPos;
    const WORD* m_pwStart;
    DWORD m_dwSize;
    HINSTANCE m_hModule;
};

#endif
