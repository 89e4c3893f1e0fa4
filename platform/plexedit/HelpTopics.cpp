// The help topics of the editor's dialogs and their context numbers in
// the help file "plexstudio.hlp".
#include "plexedit.h"

#include <windows.h>

namespace {

struct HelpTopic
{
    const char* pszName;
    unsigned nContext;
};

const HelpTopic g_Topics[] = {
    { "Add block", 1010 },
    { "Rename block", 1020 },
    { "Rename", 1030 },
    { "View Options", 1040 },
    { "Find PowerBlock", 1050 },
    { "View SuperBlock", 1060 },
    { "View Verification Block", 1070 },
    { "Define SuperBlocks", 1080 },
    { "Define Verification Blocks", 1090 },
};

} // namespace

extern "C" unsigned FindHelpID(const char* pszTopic)
{
    if (!pszTopic || !*pszTopic)
        return 0;
    for (const HelpTopic& topic : g_Topics)
        if (lstrcmpiA(topic.pszName, pszTopic) == 0)
            return topic.nContext;
    return 0;
}
