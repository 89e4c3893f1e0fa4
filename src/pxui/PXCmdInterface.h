// The base of every presenter of commands (the main menu, the context
// menus, the tool bar): each gives its items the look that the one
// command-state table holds.
#ifndef PXCMDINTERFACE_H
#define PXCMDINTERFACE_H

#include "PXafx.h"

class PXCommandHandler;

class PXCmdInterface : public PXObject
{
public:
    // The table every presenter reads; presenters do not own it.
    static void SetCommandHandler(PXCommandHandler* pHandler) { m_pCmdHandler = pHandler; }
    static PXCommandHandler* GetCommandHandler() { return m_pCmdHandler; }

    // Without a table both answer false.
    static bool IsCommandEnabled(int nId);
    static bool IsCommandChecked(int nId);

    // Gives each command item of the presenter its look from the table.
    virtual void UpdateState();

private:
    static PXCommandHandler* m_pCmdHandler;
};

#endif
