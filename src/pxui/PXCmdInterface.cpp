// The presenters' access to the command-state table.
#include "PXCmdInterface.h"
#include "PXCommandHandler.h"

PXCommandHandler* PXCmdInterface::m_pCmdHandler = nullptr;

bool PXCmdInterface::IsCommandEnabled(int nId)
{
    PXASSERT(m_pCmdHandler!=0);
    return m_pCmdHandler && m_pCmdHandler->IsEnabled(nId);
}

bool PXCmdInterface::IsCommandChecked(int nId)
{
    PXASSERT(m_pCmdHandler!=0);
    return m_pCmdHandler && m_pCmdHandler->IsChecked(nId);
}

void PXCmdInterface::UpdateState()
{
    // Every presenter gives its own items their look.
    PXASSERT(0);
}
