// The Hide/Show Outputs submenu of one PowerBlock: an item per optional
// output, checked while the output's stub is shown, and the commands on
// all outputs.
#ifndef PXGOTOMENU_H
#define PXGOTOMENU_H

#include "PXMenu.h"
#include "plexmodel.h"

class PXGotoMenu : public PXMenu
{
public:
    explicit PXGotoMenu(PowerBlock* pBlock);
    virtual ~PXGotoMenu() {}

    // Fills the attached popup.
    void Build();

    // The output a command of the submenu stands for, or -1.
    static int OutputOfCommand(UINT uId);
    // Whether the popup is a Hide/Show Outputs submenu: the placeholder it
    // starts with, or the items a build gives it.
    static bool IsOutputsMenu(HMENU hMenu);
    // The main frame's work when the submenu opens: the items of the one
    // PowerBlock selected in the active page pane, or the greyed
    // placeholder. False when the popup is not this submenu.
    static bool InitPopup(HMENU hMenu);
    // The one PowerBlock selected in the active application's page pane,
    // or none.
    static PowerBlock* GetSingleSelectedBlock();

    // The application model's answer on an output (its bit
    // KVR_OUT_APPLICABLE marks an output that may be shown or hidden);
    // tests answer it for blocks the model's catalogue does not have.
    // Answers the previous query.
    typedef int (*OutputQuery)(int nType, kvrHandleType* hBlock, const char* pszOutput);
    static OutputQuery SetOutputQuery(OutputQuery pfnQuery);

    PowerBlock* pPB;
};

#endif
