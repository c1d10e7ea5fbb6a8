// The libraries under test, loaded with LoadLibrary and reached through GetProcAddress only.
#pragma once

#include "abi/ExistFormAdapter.h"
#include "abi/RawMainintf.h"
#include "abi/TransinfoAdapter.h"

#include <string>

namespace abitest {

struct ProbeLibrary {
    void (*Mainintf)(tkv::abi::RawMainintf* host, VARIANT* out) = nullptr;
    HRESULT (*VariantEcho)(const VARIANT* in, VARIANT* out) = nullptr;
    void (*AnsiEcho)(char* in, char** out) = nullptr;
    void (*Transinfo)(tkv::abi::RawTransinfo* host, VARIANT* out) = nullptr;
    int (*InitBandGrid)(tkv::abi::RawMainintf* host) = nullptr;
    void (*ExistForm)(tkv::abi::RawExistForm* form, tkv::abi::RawReportIntf* report, VARIANT* out) = nullptr;
};

// The four exports of the plug-in, as the host declares them.
struct PluginLibrary {
    HMODULE module = nullptr;
    void(__stdcall* CreatePlugInfo)(void** result) = nullptr;
    void(__stdcall* CreateRetailPlug)(void** result) = nullptr;
    void(__stdcall* TkvjobLink)(char* ErrorMsg) = nullptr;
    void(__stdcall* TkvPrint)(char* ErrorMsg) = nullptr;
};

const ProbeLibrary& Probe();
const PluginLibrary& Plugin();
// Prints what is missing and answers false when a library or an entry point cannot be found.
bool LoadTestLibraries(const std::wstring& folder);

} // namespace abitest
