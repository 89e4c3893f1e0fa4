// The application's classes that the soft-data layer makes on its behalf:
// the typed records of the record factory and the domain controls of soft
// dialogs.
#ifndef PXUICLASSES_H
#define PXUICLASSES_H

// Registers them with the soft-data layer; the controller calls it when it
// is made, and calling it again changes nothing.
void PXRegisterUIClasses();

#endif
