// The transaction object: host interfaces into the module state, the per-sale figures, and the
// hooks that do not belong to the insurance settlement.
#include "VNPlugTrans.h"

#include "../comm/ModuleState.h"
#include "../comm/Settings.h"
#include "Exports.h"
#include "PlugParts.h"

namespace tkv {

TVNPlugTrans::TVNPlugTrans() : FBGFuncs(std::make_unique<TBGFuncs>()), FHooks(CreateInsuranceHooks()) {
    SetGlobalFieldFuncs(FBGFuncs.get());
    ModuleState().ShowLog = GetConfigValue("YBLog") != "0";
    Clear();
}

TVNPlugTrans::~TVNPlugTrans() {
    if (GlobalFieldFuncs() == FBGFuncs.get())
        SetGlobalFieldFuncs(nullptr);
    // A later CreateRetailPlug then makes a new object instead of handing out a dead one.
    if (TModuleState* m = FindModuleState(); m != nullptr && m->VNPlugTrans == this)
        m->VNPlugTrans = nullptr;
}

std::int32_t TVNPlugTrans::QueryInterface(const TGUID& iid, void** obj) {
    if (iid == IID_IRetailPlugin || iid == IID_IUnknown) {
        *obj = static_cast<IRetailPlugin*>(this);
        AddRef();
        return S_OK;
    }
    *obj = nullptr;
    return E_NOINTERFACE;
}

std::string TVNPlugTrans::GetLastError() {
    return ModuleState().LastErrorMsg;
}

std::int32_t TVNPlugTrans::GetLastErrorID() {
    return ModuleState().LastErrorCode;
}

void TVNPlugTrans::InitPlugin(IVNMainintf* mainIntf) {
    TModuleState& m = ModuleState();
    if (!m.VNMainintf)
        m.VNMainintf = mainIntf;
    if (m.VNMainintf)
        m.OwnerWindow = m.VNMainintf->AppHandle();
}

void TVNPlugTrans::InitTransPlugin(IVNMainTransinfo* transInfo) {
    ModuleState().VNMainTransinfo = transInfo;
}

void TVNPlugTrans::InitExistInterFace(IExistForm* AExistForm) {
    TModuleState& m = ModuleState();
    if (!m.VNExistForm)
        m.VNExistForm = AExistForm;
}

void TVNPlugTrans::InitReportInterFace(IssReportIntf* ssReportIntf) {
    TModuleState& m = ModuleState();
    if (!m.VNReportIntf)
        m.VNReportIntf = ssReportIntf;
}

void TVNPlugTrans::ClearPlugInfo() {
    ClearCardInfo();
    Clear();
    TModuleState& m = ModuleState();
    m.LastErrorCode = 0;
    m.LastErrorMsg.clear();
}

void TVNPlugTrans::ssPtypeDz() {
    TkvjobLink(std::string());
}

bool TVNPlugTrans::ssInit() {
    FIsInit = true;
    return FHooks->ssInit(*this);
}

void TVNPlugTrans::Clear() {
    FTotalCash = 0;
    FTotalYB = 0;
    FAcctBala = 0;
    FBalanceRetvalue.clear();
}

} // namespace tkv
