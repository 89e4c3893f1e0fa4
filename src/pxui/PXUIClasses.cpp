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
    PXSoftRec::RegisterTypedClass(PXREC_USER_APP, MakeUserApp);
    PXSoftRec::RegisterTypedClass(PXREC_VOICE_ITEM, MakeVoiceItem);
    PXSoftRec::RegisterTypedClass(PXREC_FAX_ITEM, MakeFaxItem);
    PXSoftRec::RegisterTypedClass(PXREC_RESPERM_ITEM, MakeResPermItem);
    PXSoftDlg::RegisterCtrlClass(PXCTRL_VOICEFAXPICKER, MakeVoiceFaxPicker);
}
