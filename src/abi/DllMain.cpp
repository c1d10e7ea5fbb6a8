// Library entry: the shared memory manager is bound before anything of the plug-in runs, and a
// library that cannot bind it refuses to load (strings could not cross the boundary).
#include "BorlandMemory.h"
#include "Boundary.h"

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
