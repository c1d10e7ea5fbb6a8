// Library entry of TkvfpPlug.dll: the shared memory manager is bound before anything of the plug-in
// runs (a library that cannot bind it refuses to load: strings could not cross the boundary), the
// scanner's path texts are released through it, then the module state is created and the insurance
// settlement is plugged into the transaction object. An explicit unload finalises the state, which
// releases the host references, and unbinds the manager; at process exit the host's objects may
// already be gone, so nothing is called then.
#include "../association/PictureScan.h"
#include "../comm/ModuleState.h"
#include "../insurance/RetailInsuranceHooks.h"
#include "AnsiString.h"
#include "BorlandMemory.h"
#include "Boundary.h"
#include "Guard.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        DisableThreadLibraryCalls(instance);
        if (!tkv::abi::BindBorlandMemory())
            return FALSE;
        tkv::SetScanTextRelease(tkv::abi::AnsiRelease);
        if (!tkv::abi::GuardedSilently(
                [] {
                    tkv::InitializeModuleState();
                    tkv::InstallInsuranceHooks();
                    return true;
                },
                false)) {
            tkv::abi::UnbindBorlandMemory();
            return FALSE;
        }
        return TRUE;
    case DLL_PROCESS_DETACH:
        if (!reserved) {
            tkv::abi::GuardedSilently(
                [] {
                    tkv::FinalizeModuleState();
                    return true;
                },
                false);
            tkv::abi::UnbindBorlandMemory();
        }
        break;
    default:
        break;
    }
    return TRUE;
}
