// The installed page-window frame.
#include "UIPageFrame.h"

namespace
{
UIPageFrame* s_pFrame = nullptr;
}

UIPageFrame* SetPageFrame(UIPageFrame* pFrame)
{
    UIPageFrame* pOld = s_pFrame;
    s_pFrame = pFrame;
    return pOld;
}

UIPageFrame* GetPageFrame()
{
    return s_pFrame;
}
