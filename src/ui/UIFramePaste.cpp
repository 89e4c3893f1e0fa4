// The paste of the clipboard at a point of a page pane: the clashing names
// and item numbers resolved with the user, the items, lists and imports
// that the copied blocks use brought into the target application, then
// the blocks, their pages and gotos and the text notes pasted, the pane
// selecting what came.
#include "UIFramePages.h"
#include "ClipboardProgram.h"
#include "ObjectChild.h"
#include "Page.h"
#include "Program.h"
#include "PXWinApp.h"
#include "TConflictResolveObj.h"
#include "plexmodel.h"

#include <vector>

namespace
{
// The pane selects each pasted object.
class PaneSelection : public PasteSelection
{
public:
    explicit PaneSelection(ObjectChild* pPane) : m_pPane(pPane) {}
    void AddPasted(UIObject* pObject) override
    {
        if (m_pPane && pObject)
            m_pPane->Select(pObject, false, 1);
    }

private:
    ObjectChild* m_pPane;
};
}

bool UIFramePages::ClipboardHasEndBlock()
{
    ClipboardProgram* pClip = GetClipboardProgram();
    return pClip && pClip->HasEndBlock();
}

int UIFramePages::PasteClipboard(Page* pPage, ObjectChild* pPane, long mx, long my)
{
    ClipboardProgram* pClip = GetClipboardProgram();
    Program* pProgram = pPage ? pPage->GetProgram() : nullptr;
    if (!pClip || !pProgram)
        return 1;
    // The model answers for the target program and page.
    pPage->Activate();
    int nCount = kvrGetAllNameConflicts(nullptr, 0);
    std::vector<TClipInfo*> list(nCount > 0 ? nCount : 0);
    if (nCount > 0)
        nCount = kvrGetAllNameConflicts(list.data(), nCount);
    TConflictResolveObj resolver(list.data(), nCount > 0 ? nCount : 0);
    if (nCount > 0 && resolver.ResolveAll() != PX_RESOLVE_DONE)
        return -1;

    PXWinApp* pApp = GetWinApp();
    if (pApp && pApp->GetActiveUserApp())
    {
        // A refused item stops the items; the blocks still come.
        if (pApp->PasteVoiceItemsFromClip(&resolver) != 1)
            pApp->PasteFaxItemsFromClip(&resolver);
        pApp->PasteImportsFromClip();
        pApp->PasteResPermFromClip();
        pPage->Activate();
    }
    if (pPane)
        pPane->ClearSelection();
    PaneSelection selection(pPane);
    pClip->SetPastePoint(mx, my);
    int nResult = pClip->Paste(pPage, &selection, 0);
    if (nResult == 0)
        pClip->PasteNotes(pPage, &selection);
    return nResult;
}
