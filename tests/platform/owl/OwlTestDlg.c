/* A resource-only library for the window tests. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE hInst, DWORD reason, LPVOID reserved)
{
    (void)hInst;
    (void)reason;
    (void)reserved;
    return TRUE;
}
