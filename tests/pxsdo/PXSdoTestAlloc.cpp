// Replaces the no-throw operator new of the test executable so that tests can
// make one chosen allocation fail.
#include "PXSdoTestAlloc.h"

#include <cstdlib>
#include <new>

namespace {
int g_nFailAfter = -1;
}

void FailNothrowAllocationAfter(int nSkip)
{
    g_nFailAfter = nSkip;
}

void ResetNothrowAllocation()
{
    g_nFailAfter = -1;
}

void* operator new(std::size_t n, const std::nothrow_t&) noexcept
{
    if (g_nFailAfter == 0)
    {
        g_nFailAfter = -1;
        return nullptr;
    }
    if (g_nFailAfter > 0)
        --g_nFailAfter;
    return std::malloc(n ? n : 1);
}

void operator delete(void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}
