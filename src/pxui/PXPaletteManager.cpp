// The palette manager's state: each run starts docked with these values.
#include "PXPaletteManager.h"
#include "PXWnd.h"

PXPaletteManager::PXPaletteManager(PXMainFrame* pFrame)
    : m_pFrame(pFrame), m_pPalette(nullptr), m_pInnerWnd(nullptr), m_bFloating(false), m_ptFloat{300, 300},
      m_ptDocked{0, 0}, m_sizeFloat{526, 244}, m_sizeDocked{213, 200}
{
}

PXPaletteManager::~PXPaletteManager()
{
}
