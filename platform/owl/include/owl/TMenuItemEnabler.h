// TMenuItemEnabler: the enabler of one item of a pop-up menu, by position.
#ifndef OWL_TMENUITEMENABLER_H
#define OWL_TMENUITEMENABLER_H

#include <windows.h>

#include "owl/TCommandEnabler.h"

class TMenuItemEnabler : public TCommandEnabler
{
public:
    TMenuItemEnabler(HMENU hMenu, UINT id, UINT nPos)
        : TCommandEnabler(id), m_hMenu(hMenu), m_nPos(nPos) {}

    void Enable(bool enable = true) override;
    void SetCheck(int state) override;

private:
    HMENU m_hMenu;
    UINT m_nPos;
};

#endif
