// TControl: a child control, either made by the program (with its id,
// text, place and creation parameter Attr.Param) or one of a dialog
// template's controls found by its id. Its window class is a system class
// or one the program registered itself (GetClassName); the object is bound
// by subclassing, and its default processing is the class's procedure.
#ifndef OWL_TCONTROL_H
#define OWL_TCONTROL_H

#include "owl/TWindow.h"

class TControl : public TWindow
{
public:
    TControl(TWindow* pParent, int id, const char* pszTitle, int x, int y, int w, int h,
             TModule* pModule = nullptr);
    TControl(TWindow* pParent, int resourceId, TModule* pModule = nullptr);

    // Controls are painted by their class.
    void EvPaint() override { DefaultProcessing(); }
};

#endif
