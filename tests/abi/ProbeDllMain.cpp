// Entry of the probe library: binds the shared memory manager as the product does.
#include "abi/BorlandMemory.h"
#include "abi/Boundary.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        DisableThreadLibraryCalls(instance);
        return tkv::abi::BindBorlandMemory() ? TRUE : FALSE;
    case DLL_PROCESS_DETACH:
        // At process exit the manager may already be gone; only an explicit unload releases it.
        if (!reserved)
            tkv::abi::UnbindBorlandMemory();
        break;
    default:
        break;
    }
    return TRUE;
}
