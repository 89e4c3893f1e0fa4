// BitButton: the window-framework control over one "BITBUTTON" window of
// the tool strip. It is made as a child of the strip before the strip's
// window exists, and the framework creates it with the strip.
#ifndef BITBUTTON_H
#define BITBUTTON_H

#include "BitButtonClass.h"
#include "owl/TControl.h"

class BitButton : public TControl
{
public:
    // A push button with the command id as its id; its glyph is cell
    // nGlyph of the tool-bar strip, drawn over the whole face (no font of
    // its own, split 10).
    BitButton(TWindow* pParent, int nId, const char* pszTitle, int x, int y, int nWidth, int nHeight,
               int nGlyph, TModule* pModule = nullptr);

    const char* GetClassName() override { return BITBUTTON_CLASS; }

    const BitButtonCreate& GetCreateState() const { return m_create; }

private:
    BitButtonCreate m_create;   // the window's creation parameter
};

#endif
