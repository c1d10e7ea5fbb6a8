// Loading of the probe library and of TkvfpPlug.dll.
#include "TestLibraries.h"

#include <cstdio>

namespace abitest {
namespace {

ProbeLibrary probe;
PluginLibrary plugin;

template <class F> bool Bind(HMODULE m, const char* name, F& fn) {
    fn = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m, name)));
    if (!fn)
        std::printf("entry point %s is missing\n", name);
    return fn != nullptr;
}

} // namespace

const ProbeLibrary& Probe() {
    return probe;
}
const PluginLibrary& Plugin() {
    return plugin;
}

bool LoadTestLibraries(const std::wstring& folder) {
    HMODULE p = LoadLibraryW((folder + L"TkvAbiProbe.dll").c_str());
    if (!p) {
        std::printf("TkvAbiProbe.dll cannot be loaded (%lu)\n", GetLastError());
        return false;
    }
    bool ok =
        Bind(p, "TkvProbeMainintf", probe.Mainintf) & Bind(p, "TkvProbeVariantEcho", probe.VariantEcho) &
        Bind(p, "TkvProbeAnsiEcho", probe.AnsiEcho) & Bind(p, "TkvProbeTransinfo", probe.Transinfo) &
        Bind(p, "TkvProbeExistForm", probe.ExistForm) & Bind(p, "TkvProbeInitBandGrid", probe.InitBandGrid) &
        Bind(p, "TkvProbeRunPrintManage", probe.RunPrintManage) &
        Bind(p, "TkvProbeGuardedError", probe.GuardedError) &
        Bind(p, "TkvProbeWriteProfile", probe.WriteProfile);
#ifdef TKV_HAVE_PRODUCT_DLL
    plugin.module = LoadLibraryW((folder + L"TkvfpPlug.dll").c_str());
    if (!plugin.module) {
        std::printf("TkvfpPlug.dll cannot be loaded (%lu)\n", GetLastError());
        return false;
    }
    ok = ok & Bind(plugin.module, "CreatePlugInfo", plugin.CreatePlugInfo) &
         Bind(plugin.module, "CreateRetailPlug", plugin.CreateRetailPlug) &
         Bind(plugin.module, "TkvjobLink", plugin.TkvjobLink) &
         Bind(plugin.module, "TkvPrint", plugin.TkvPrint);
#endif
    return ok;
}

} // namespace abitest
