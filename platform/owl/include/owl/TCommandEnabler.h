// TCommandEnabler: what a command enabler asks of the handler of one
// command: whether it is enabled and checked. Handled once the handler said
// anything.
#ifndef OWL_TCOMMANDENABLER_H
#define OWL_TCOMMANDENABLER_H

#include <windows.h>

class TCommandEnabler
{
public:
    explicit TCommandEnabler(UINT id) : m_nId(id), m_bHandled(false) {}
    virtual ~TCommandEnabler() {}

    UINT GetId() const { return m_nId; }
    bool GetHandled() const { return m_bHandled; }

    virtual void Enable(bool enable = true) { m_bHandled = true; }
    // 0 unchecked, 1 checked.
    virtual void SetCheck(int state) { m_bHandled = true; }

protected:
    UINT m_nId;
    bool m_bHandled;
};

#endif
