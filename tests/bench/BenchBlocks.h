// What the benchmarks share: a block of a type placed on a page, as the
// page pane adds one; none when the type is unknown or the model refuses it.
#ifndef BENCHBLOCKS_H
#define BENCHBLOCKS_H

#include "Icons.h"
#include "Page.h"
#include "PowerBlock.h"

inline PowerBlock* MakeBlock(Page* pPage, int nType, const char* pszName, long x, long y)
{
    PowerBlockIcon* pIcon = Icons::GetCurrent()->FindByType(nType);
    if (!pIcon)
        return nullptr;
    int nRetry = 1;
    PowerBlock* pBlock = new PowerBlock(pPage, pszName, pIcon->GetInfo(), pIcon, x, y, &nRetry, nullptr, 0, nullptr);
    if (!pBlock->HasHandle())
    {
        delete pBlock;
        return nullptr;
    }
    pPage->AddObject(pBlock);
    return pBlock;
}

#endif
