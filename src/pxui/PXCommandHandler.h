// The command-state table: for each command whose look depends on the
// state of the application, whether it is enabled and whether it carries a
// check mark. Recomputed in one pass; the menus and the tool bar read it.
#ifndef PXCOMMANDHANDLER_H
#define PXCOMMANDHANDLER_H

#include "PXafx.h"

// The state of one command.
class PXCommandObj : public PXObject
{
public:
    PXCommandObj() : m_bEnabled(0), m_bChecked(0) {}

    // Store the flag; true when it was false before.
    bool SetEnabled(bool bEnabled);
    bool SetChecked(bool bChecked);
    bool IsEnabled() const { return m_bEnabled != 0; }
    bool IsChecked() const { return m_bChecked != 0; }

private:
    BYTE m_bEnabled;
    BYTE m_bChecked;
};

class PXCommandHandler : public PXObject
{
public:
    // Every command of the table, disabled and unchecked.
    PXCommandHandler();
    ~PXCommandHandler() override;

    // An id outside the table reads disabled and unchecked, and setting
    // its flags does nothing.
    bool IsEnabled(int nId) const;
    bool IsChecked(int nId) const;
    void SetEnabled(int nId, bool bEnabled);
    void SetChecked(int nId, bool bChecked);

    // Recomputes every flag from the application controller, the active
    // application and its page pane.
    void UpdateCommandStates();

    // The commands of the table, in the order the table is made.
    static const WORD s_awCommands[];
    static const int s_nCommands;

private:
    PXCommandObj* Find(int nId) const;

    PXMapWordToOb* m_pCommandMap;   // owned, with its state objects
};

#endif
