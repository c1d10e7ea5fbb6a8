// The plug-in description and its menu declarations.
#include "VNPlugInfo.h"

#include "../comm/ModuleState.h"
#include "../comm/Paths.h"
#include "PlugParts.h"
#include "VNPlugTrans.h"

namespace tkv {

std::int32_t TVNPlugInfo::QueryInterface(const TGUID& iid, void** obj) {
    if (iid == IID_IVNPlugInfo || iid == IID_IUnknown) {
        *obj = static_cast<IVNPlugInfo*>(this);
        AddRef();
        return S_OK;
    }
    *obj = nullptr;
    return E_NOINTERFACE;
}

bool TVNPlugInfo::PlugConfig() {
    if (TVNPlugTrans* trans = ModuleState().VNPlugTrans)
        return trans->ssConfig();
    // The host may configure before it asks for the transaction object; the settings window needs
    // none of its state.
    return CreateInsuranceHooks()->ssConfig();
}

std::string TVNPlugInfo::GetUpdateSQLFilePath() {
    return AddBackSlash(DataPath()) + "TkvUpgrade.SQL";
}

std::string TVNPlugInfo::PlunParentMenuInfo() {
    return "$$tkvmenu#10007=28,1,Tkv厂家发票管理\r\n";
}

std::string TVNPlugInfo::PlunMenuInfo() {
    return "10007=厂家品种发票图片关联管理,TkvjobLink\r\n"
           "10007=厂家品种发票图片打印,TkvPrint\r\n";
}

} // namespace tkv
