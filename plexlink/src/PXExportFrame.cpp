// The export frame's error-cache mapping and its hook.
#include "PXExportFrame.h"

#include <plexlink.h>

PXFrameHook g_pfnPXFrameHook = nullptr;

int PXMapCachedErrors(int nResult, bool bWithLimit)
{
    CLDAP* pLDAP = CLDAP::Existing();
    if (!pLDAP)
        return nResult;
    static const struct { int nError; int nResult; } kMap[] = {
        {60657, PXRC_SERVER_DISK_FULL},
        {60656, PXRC_DATABASE_FULL},
        {60658, PXRC_MISA_FULL},
        {3, PXRC_APP_LIMIT}};
    const size_t nEntries = bWithLimit ? 4 : 3;
    PXLdapErrorInfo error;
    for (size_t i = 0; i < nEntries; ++i)
        if (pLDAP->FindErrorByCode(kMap[i].nError, &error))
            return kMap[i].nResult;
    return nResult;
}
