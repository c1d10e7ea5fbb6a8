// Binds the shared memory manager's allocation entry points by their framework names.
#include "BorlandMemory.h"

#include "Boundary.h"

#include <new>
#include <string>

namespace tkv::abi {
namespace {

using GetMemFn = RegisterFn<void*, std::int32_t>;
using FreeMemFn = RegisterFn<std::int32_t, void*>;

HMODULE memoryManager = nullptr;
GetMemFn getMem = nullptr;
FreeMemFn freeMem = nullptr;

HMODULE LoadFromHostFolder() {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (n > 0 && n < MAX_PATH) {
        std::wstring folder(path, n);
        folder.resize(folder.find_last_of(L"\\/") + 1);
        if (HMODULE m = LoadLibraryW((folder + L"borlndmm.dll").c_str()))
            return m;
    }
    return LoadLibraryW(L"borlndmm.dll");
}

} // namespace

bool BindBorlandMemory() {
    if (memoryManager)
        return true;
    HMODULE m = LoadFromHostFolder();
    if (!m)
        return false;
    auto get =
        reinterpret_cast<GetMemFn>(reinterpret_cast<void*>(GetProcAddress(m, "@Borlndmm@SysGetMem$qqri")));
    auto free =
        reinterpret_cast<FreeMemFn>(reinterpret_cast<void*>(GetProcAddress(m, "@Borlndmm@SysFreeMem$qqrpv")));
    if (!get || !free) {
        FreeLibrary(m);
        return false;
    }
    memoryManager = m;
    getMem = get;
    freeMem = free;
    return true;
}

void UnbindBorlandMemory() {
    if (memoryManager)
        FreeLibrary(memoryManager);
    memoryManager = nullptr;
    getMem = nullptr;
    freeMem = nullptr;
}

bool BorlandMemoryBound() {
    return memoryManager != nullptr;
}

void* BorlandGetMem(std::size_t size) {
    if (!getMem || size > 0x7FFFFFF0u)
        throw std::bad_alloc();
    void* p = getMem(static_cast<std::int32_t>(size));
    if (!p)
        throw std::bad_alloc();
    return p;
}

void BorlandFreeMem(void* p) {
    if (p && freeMem)
        freeMem(p);
}

} // namespace tkv::abi
