// The client-server library's calls of the user applications, answerable
// by tests.
#include "PXAppLink.h"

namespace {

PXAppLinkCalls s_calls = PXAppLinkExports();

} // namespace

PXAppLinkCalls PXAppLinkExports()
{
    PXAppLinkCalls calls = {
        PXFileNew, PXFileOpen, PXFileOpenOnRecovery, PXFileClose, PXEncryptString, PXIsImported,
        PXGetDataFromPW, PXFileImport, PXGetResPermDataFromPW, PXResPermUsed, PXFilesToDisplay,
        PXFilesToPump, PXLanguagesToDisplay, PXResPermToDisplay, PXVolumeToDisplay, PXFreeAllocatedMemory,
        PXFileSave, PXFileSaveAs, PXFileProperties,
    };
    calls.pfnGetUnusedID = PXGetUnusedID;
    calls.pfnFileDelete = PXFileDelete;
    return calls;
}

const PXAppLinkCalls& PXAppLink()
{
    return s_calls;
}

PXAppLinkCalls PXSetAppLink(const PXAppLinkCalls& calls)
{
    PXAppLinkCalls old = s_calls;
    s_calls = calls;
    return old;
}
