// UIPageWindow: a page window as the main frame's registry sees it.
// UIMDIChild, the base of the editor's MDI windows, implements it.
#ifndef UIPAGEWINDOW_H
#define UIPAGEWINDOW_H

#include "PXafx.h"

class UIObject;
class Program;
class Page;

class UIPageWindow
{
public:
    virtual ~UIPageWindow() {}
    // A model object changed: kind an ObjectChange, flags ObjectChangeFlags.
    virtual void ObjectChanged(UIObject* pObject, int nKind, int nFlags) = 0;
    virtual Program* GetProgram() const = 0;
    virtual Page* GetPage() const = 0;
    virtual HWND GetHandle() const = 0;
};

#endif
