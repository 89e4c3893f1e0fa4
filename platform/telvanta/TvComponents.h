// Makers of the component objects, for the class factory.
#pragma once

#include <unknwn.h>

IUnknown* TvNewLDAPBean();
IUnknown* TvNewConfigWizard();
IUnknown* TvNewFileTransfer();
IUnknown* TvNewPwdEncoder();
