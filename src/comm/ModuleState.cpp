// The one module-state object and its unload order.
#include "ModuleState.h"

#include "../toolkit/FormEnvironment.h"
#include "Exception.h"
#include "HtmlHelp.h"

#include <memory>
#include <stdexcept>

namespace tkv {

namespace {
std::unique_ptr<TModuleState> state;
} // namespace

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

namespace {

// The base dialog reads the host interfaces, the owner window and the help request from here.
TFormEnvironment ModuleFormEnvironment() {
    TFormEnvironment env;
    if (TModuleState* s = FindModuleState()) {
        env.MainIntf = s->VNMainintf.Get();
        env.ExistForm = s->VNExistForm.Get();
        env.OwnerHandle = s->OwnerWindow;
    }
    env.ShowHelp = [](WindowHandle caller, const std::string& file, std::uint32_t command,
                      std::uintptr_t data) {
        HtmlHelp(caller, file, command, data);
    };
    return env;
}

} // namespace

void InitializeModuleState() {
    FinalizeModuleState();
    state = std::make_unique<TModuleState>();
    SetFormEnvironmentProvider(ModuleFormEnvironment);
}

void FinalizeModuleState() {
    if (!state)
        return;
    SetFormEnvironmentProvider({});
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
