// Registration of the application's typed records and domain controls with
// the soft-data layer.
#include "PXUIClasses.h"
#include "PXFaxItem.h"
#include "PXResPermItem.h"
#include "PXSoftCtrl.h"
#include "PXSoftDlg.h"
#include "PXSoftPicker.h"
#include "PXUserApp.h"
#include "PXVoiceItem.h"

#include <new>

namespace {

PXSoftRec* MakeUserApp() { return new (std::nothrow) PXUserApp(""); }
PXSoftRec* MakeVoiceItem() { return new (std::nothrow) PXVoiceItem(nullptr); }
PXSoftRec* MakeFaxItem() { return new (std::nothrow) PXFaxItem(nullptr); }
PXSoftRec* MakeResPermItem() { return new (std::nothrow) PXResPermItem(); }

PXSoftCtrl* MakeVoiceFaxPicker(WORD wCtrlId, PXSoftDlg* pSoftDlg, PXStatement* pStatement)
{
    return new (std::nothrow) PXSoftGroupVoiceFaxPicker(wCtrlId, pSoftDlg, pStatement);
}

} // namespace

void PXRegisterUIClasses()
{
    PXSoftRec::RegisterTypedClass(22004, MakeUserApp);
    PXSoftRec::RegisterTypedClass(22801, MakeVoiceItem);
    PXSoftRec::RegisterTypedClass(22802, MakeFaxItem);
    PXSoftRec::RegisterTypedClass(22807, MakeResPermItem);
    PXSoftDlg::RegisterCtrlClass(PXCTRL_VOICEFAXPICKER, MakeVoiceFaxPicker);
}
