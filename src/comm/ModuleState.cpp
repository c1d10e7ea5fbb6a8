// The one module-state object and its unload order.
#include "ModuleState.h"

#include "Exception.h"

#include <memory>
#include <stdexcept>

namespace tkv {

namespace {
std::unique_ptr<TModuleState> state;
}

void TModuleState::Finalize() {
    VNPlugTrans = nullptr;
    VNPlugInfo.Reset();
    VNReportIntf.Reset();
    if (InsuranceLibrary != nullptr) {
        Platform().FreeLibrary(InsuranceLibrary);
        InsuranceLibrary = nullptr;
    }
    LastErrorMsg.clear();
    VNReportIntf.Reset();
    VNPlugInfo.Reset();
    VNExistForm.Reset();
    VNMainTransinfo.Reset();
    VNMainintf.Reset();
}

void InitializeModuleState() {
    FinalizeModuleState();
    state = std::make_unique<TModuleState>();
}

void FinalizeModuleState() {
    if (!state)
        return;
    state->Finalize();
    state.reset();
}

TModuleState& ModuleState() {
    if (!state)
        throw std::logic_error("the plug-in module state is not initialised");
    return *state;
}

TModuleState* FindModuleState() {
    return state.get();
}

IVNMainintf& MainIntf() {
    IVNMainintf* intf = ModuleState().VNMainintf.Get();
    if (intf == nullptr)
        throw Exception("主程序接口尚未初始化");
    return *intf;
}

} // namespace tkv
