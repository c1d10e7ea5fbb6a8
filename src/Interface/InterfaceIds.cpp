// Interface identifiers of the plug-in contract. The two that the host asks the plug-in for are the
// contract's own; the others identify the host's tables within this code base.
#include "HostControl.h"
#include "IExistForm.h"
#include "IRetailPlugin.h"
#include "IVNMainTransinfo.h"
#include "IVNMainintf.h"
#include "IVNPlugInfo.h"

namespace tkv {

const TGUID IID_IVNPlugInfo = TGUID::Parse("{3D3F5DAD-09B9-4CB1-972A-66611AC949EE}");
const TGUID IID_IRetailPlugin = TGUID::Parse("{8F4EC49D-172D-4E1A-9D6A-3C5123933F5F}");
const TGUID IID_IVNPlugin = TGUID::Parse("{6B1E3A40-5C2D-4F7E-9A11-0D2C4B5E6F01}");
const TGUID IID_IVNTransPlugin = TGUID::Parse("{6B1E3A40-5C2D-4F7E-9A11-0D2C4B5E6F02}");
const TGUID IID_IRetailBillPlugin = TGUID::Parse("{6B1E3A40-5C2D-4F7E-9A11-0D2C4B5E6F03}");
const TGUID IID_IVNMainintf = TGUID::Parse("{6B1E3A40-5C2D-4F7E-9A11-0D2C4B5E6F10}");
const TGUID IID_IVNMainTransinfo = TGUID::Parse("{6B1E3A40-5C2D-4F7E-9A11-0D2C4B5E6F11}");
const TGUID IID_IVNMainBillTransRetail = TGUID::Parse("{6B1E3A40-5C2D-4F7E-9A11-0D2C4B5E6F12}");
const TGUID IID_IExistForm = TGUID::Parse("{6B1E3A40-5C2D-4F7E-9A11-0D2C4B5E6F13}");
const TGUID IID_IssReportIntf = TGUID::Parse("{6B1E3A40-5C2D-4F7E-9A11-0D2C4B5E6F14}");
const TGUID IID_IHostControl = TGUID::Parse("{6B1E3A40-5C2D-4F7E-9A11-0D2C4B5E6F20}");

} // namespace tkv
