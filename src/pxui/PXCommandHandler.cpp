// The command-state table and the rules that enable and check its
// commands.
#include "PXCommandHandler.h"
#include "PXCmdIds.h"
#include "PXSObj.h"
#include "PXUserApp.h"
#include "PXWinApp.h"

#include <new>

const WORD PXCommandHandler::s_awCommands[] = {
    CM_FILECLOSE, CM_FILESAVEAS, CM_FILEIMPORT, CM_FILEPROPERTIES, CM_PRINTSETUP, CM_PRINTFLOW,
    CM_PRINTBLOCKS, CM_PRINTITEMS, CM_VOICEITEMS, CM_FAXITEMS, CM_PALETTE, CM_FULLSCREEN, CM_ZOOMIN,
    CM_ZOOMOUT, CM_ZOOMNORMAL, CM_SETZOOM, CM_FILESAVE, CM_FILEREMOVEIMPORT, CM_FILEEXPORT,
    CM_FILEUNDOEXPORT, CM_EDITCUT, CM_EDITCOPY, CM_EDITDELETE, CM_EDITPASTE, CM_RENAME, CM_TEXTNOTE,
    CM_BLOCKPROPERTIES, CM_REROUTELINE, CM_STUBLINE, CM_TEXTNOTEFONT, CM_PAGEUP, CM_PAGEDOWN,
    CM_PAGELEFT, CM_PAGERIGHT, CM_LINEUP, CM_LINEDOWN, CM_LINELEFT, CM_LINERIGHT, CM_HOME, CM_TOP,
    CM_EDITTEXTNOTE,
};
const int PXCommandHandler::s_nCommands = sizeof(s_awCommands) / sizeof(s_awCommands[0]);

bool PXCommandObj::SetEnabled(bool bEnabled)
{
    bool bWasOff = m_bEnabled == 0;
    m_bEnabled = bEnabled ? 1 : 0;
    return bWasOff;
}

bool PXCommandObj::SetChecked(bool bChecked)
{
    bool bWasOff = m_bChecked == 0;
    m_bChecked = bChecked ? 1 : 0;
    return bWasOff;
}

PXCommandHandler::PXCommandHandler() : m_pCommandMap(nullptr)
{
    m_pCommandMap = new (std::nothrow) PXMapWordToOb;
    if (!m_pCommandMap)
        PXTHROW_XMEM(0);
    for (int i = 0; i < s_nCommands; ++i)
    {
        PXCommandObj* pCommand = new (std::nothrow) PXCommandObj;
        if (!pCommand)
            PXTHROW_XMEM(0);
        m_pCommandMap->SetAt(s_awCommands[i], pCommand);
    }
}

PXCommandHandler::~PXCommandHandler()
{
    if (!m_pCommandMap)
        return;
    int nPos = m_pCommandMap->GetStartPosition();
    while (nPos)
    {
        WORD wId;
        PXObject* pCommand;
        m_pCommandMap->GetNextAssoc(nPos, wId, pCommand);
        delete pCommand;
    }
    delete m_pCommandMap;
    m_pCommandMap = nullptr;
}

PXCommandObj* PXCommandHandler::Find(int nId) const
{
    PXASSERT(m_pCommandMap!=0);
    if (!m_pCommandMap || nId < 0 || nId > 0xFFFF)
        return nullptr;
    PXObject* pCommand = nullptr;
    if (!m_pCommandMap->Lookup(static_cast<UINT>(nId), pCommand))
        return nullptr;
    return static_cast<PXCommandObj*>(pCommand);
}

bool PXCommandHandler::IsEnabled(int nId) const
{
    PXCommandObj* pCommand = Find(nId);
    return pCommand && pCommand->IsEnabled();
}

bool PXCommandHandler::IsChecked(int nId) const
{
    PXCommandObj* pCommand = Find(nId);
    return pCommand && pCommand->IsChecked();
}

void PXCommandHandler::SetEnabled(int nId, bool bEnabled)
{
    if (PXCommandObj* pCommand = Find(nId))
        pCommand->SetEnabled(bEnabled);
}

void PXCommandHandler::SetChecked(int nId, bool bChecked)
{
    if (PXCommandObj* pCommand = Find(nId))
        pCommand->SetChecked(bChecked);
}

void PXCommandHandler::UpdateCommandStates()
{
    PXASSERT(m_pCommandMap!=0);
    if (!m_pCommandMap)
        return;
    PXWinApp* pWinApp = GetWinApp();
    PXASSERT(pWinApp!=0);
    if (!pWinApp)
        return;

    SetChecked(CM_PALETTE, pWinApp->IsPaletteShown() != 0);
    SetChecked(CM_FULLSCREEN, pWinApp->IsFullScreen() != 0);

    bool bOpen = false, bComplete = false, bExported = false, bImports = false;
    bool bBlocks = false, bOneBlock = false, bNotes = false, bOneNote = false, bLines = false;
    bool bClipEmpty = true, bEditingNote = false;
    if (PXUserApp* pUserApp = pWinApp->GetActiveUserApp())
    {
        bOpen = true;
        bComplete = pUserApp->IsComplete() != 0;
        bExported = pUserApp->IsExported() != 0;
        bImports = pUserApp->GetImportCount() > 0;
        int nKind = pUserApp->GetSelectionKind();
        int nCount = pUserApp->GetSelectionCount();
        bBlocks = nKind == PXSEL_BLOCKS;
        bOneBlock = bBlocks && nCount == 1;
        bNotes = nKind == PXSEL_NOTES;
        bOneNote = bNotes && nCount == 1;
        bLines = nKind == PXSEL_LINES;
        bClipEmpty = pWinApp->IsClipEmpty() != 0;
        bEditingNote = IsEditingTextNote() != 0;
    }

    static const WORD s_awWhenOpen[] = {
        CM_FILECLOSE, CM_FILESAVEAS, CM_FILEIMPORT, CM_FILEPROPERTIES, CM_PRINTSETUP, CM_PRINTFLOW,
        CM_PRINTBLOCKS, CM_PRINTITEMS, CM_TEXTNOTE, CM_VOICEITEMS, CM_FAXITEMS, CM_ZOOMIN, CM_ZOOMOUT,
        CM_ZOOMNORMAL, CM_SETZOOM, CM_FILESAVE,
    };
    for (WORD wId : s_awWhenOpen)
        SetEnabled(wId, bOpen);
    SetEnabled(CM_PALETTE, true);
    SetEnabled(CM_FULLSCREEN, true);
    SetEnabled(CM_FILEREMOVEIMPORT, bImports);
    SetEnabled(CM_FILEEXPORT, bComplete && !bExported);
    SetEnabled(CM_FILEUNDOEXPORT, bExported);
    SetEnabled(CM_EDITCUT, bBlocks || bNotes);
    SetEnabled(CM_EDITCOPY, bBlocks || bNotes);
    SetEnabled(CM_EDITDELETE, bBlocks || bNotes || bLines);
    SetEnabled(CM_EDITPASTE, bOpen && (!bClipEmpty || bEditingNote));
    SetEnabled(CM_RENAME, bOneBlock);
    SetEnabled(CM_BLOCKPROPERTIES, bOneBlock);
    SetEnabled(CM_REROUTELINE, bLines);
    SetEnabled(CM_STUBLINE, bLines);
    SetEnabled(CM_TEXTNOTEFONT, bNotes);
    for (int nId = CM_PAGEUP; nId <= CM_TOP; ++nId)
        SetEnabled(nId, bOpen);
    SetEnabled(CM_EDITTEXTNOTE, bOneNote);
}
