// The boundary test host: loads the stand-in memory manager and the libraries under test from its
// own folder, runs every case and ends with the line "N passed, M failed".
#include "Check.h"
#include "HostStrings.h"
#include "TestLibraries.h"

#include <windows.h>

namespace abitest {

std::wstring HostFolder() {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

} // namespace abitest

int main() {
    const std::wstring folder = abitest::HostFolder();
    if (!abitest::BindHostMemory(folder)) {
        std::printf("borlndmm.dll is missing beside the test host\n0 passed, 1 failed\n");
        return 1;
    }
    if (!abitest::LoadTestLibraries(folder)) {
        std::printf("0 passed, 1 failed\n");
        return 1;
    }
    return abitest::RunAll();
}
