// The libraries under test, loaded with LoadLibrary and reached through GetProcAddress only.
#pragma once

#include "abi/Boundary.h"

#include <string>

namespace abitest {

// The probe's entry points (C convention); host tables travel as the fakes' interface pointers.
struct ProbeLibrary {
    void (*Mainintf)(void* host, VARIANT* out) = nullptr;
    HRESULT (*VariantEcho)(const VARIANT* in, VARIANT* out) = nullptr;
    void (*AnsiEcho)(char* in, char** out) = nullptr;
    void (*Transinfo)(void* host, VARIANT* out) = nullptr;
    int (*InitBandGrid)(void* host) = nullptr;
    void (*ExistForm)(void* form, void* report, VARIANT* out) = nullptr;
    void (*RunPrintManage)(void* host) = nullptr;
    int (*GuardedError)(void* host, int kind, int withRunner, char** shown) = nullptr;
    int (*WriteProfile)(const char* file, const char* section, const char* key, const char* value) = nullptr;
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
