// Loading the plug-in and reading its description.
#include "PluginLibrary.h"

#include "abi/AnsiString.h"
#include "abi/WideString.h"

#include <stdexcept>

namespace tkv::workbench {

namespace {

template <class Fn> Fn Export(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

const PlugInfoVtbl* Info(RawObject* o) {
    return reinterpret_cast<const PlugInfoVtbl*>(o->lpVtbl);
}

const RetailPluginVtbl* Retail(RawObject* o) {
    return reinterpret_cast<const RetailPluginVtbl*>(o->lpVtbl);
}

void Release(RawObject* o) {
    if (o)
        reinterpret_cast<const abi::RawUnknownVtbl*>(o->lpVtbl)->Release(o);
}

template <class Slot> std::string WideText(Slot slot, RawObject* o) {
    abi::BstrSlot r;
    slot(r.Out(), o);
    return r.Utf8();
}

template <class Slot> std::string AnsiText(Slot slot, RawObject* o) {
    abi::AnsiSlot r;
    slot(r.Out(), o);
    return r.Utf8();
}

} // namespace

TPluginLibrary::TPluginLibrary(const std::wstring& path) {
    module_ = LoadLibraryW(path.c_str());
    if (!module_)
        throw std::runtime_error("插件无法加载: " + abi::WideToUtf8(path.c_str(), path.size()) + " (错误 " +
                                 std::to_string(GetLastError()) + ")");
    for (const char* name : {"CreatePlugInfo", "CreateRetailPlug", "TkvjobLink", "TkvPrint"})
        if (!GetProcAddress(module_, name))
            throw std::runtime_error(std::string("插件缺少导出函数 ") + name);
}

TPluginLibrary::~TPluginLibrary() {
    Release(retail_);
    Release(plugInfo_);
    if (module_)
        FreeLibrary(module_);
}

TPluginDescription TPluginLibrary::Describe() {
    if (!plugInfo_)
        Export<CreatePlugInfoFn>(module_, "CreatePlugInfo")(&plugInfo_);
    if (!plugInfo_)
        throw std::runtime_error("CreatePlugInfo 没有返回插件说明");
    const PlugInfoVtbl* v = Info(plugInfo_);
    TPluginDescription d;
    d.KeyName = WideText(v->GetKeyName, plugInfo_);
    d.ProcName = WideText(v->GetPlugProcName, plugInfo_);
    d.Name = WideText(v->GetPlugName, plugInfo_);
    d.Text = WideText(v->GetPlugText, plugInfo_);
    d.Date = WideText(v->GetPlugDate, plugInfo_);
    d.Version = WideText(v->GetPlugVersion, plugInfo_);
    d.IsAuto = v->GetPlugIsAuto(plugInfo_) != 0;
    d.AutoRun = v->PlugAutoRun(plugInfo_);
    d.UpdateSqlPath = WideText(v->GetUpdateSQLFilePath, plugInfo_);
    d.ParentMenus = AnsiText(v->PlunParentMenuInfo, plugInfo_);
    d.MenuEntries = AnsiText(v->PlunMenuInfo, plugInfo_);
    return d;
}

void TPluginLibrary::Initialise(const std::string& procName, abi::RawMainintf* main,
                                abi::RawExistForm* existForm, abi::RawReportIntf* report) {
    auto create = Export<CreateRetailPlugFn>(module_, procName.c_str());
    if (!create)
        throw std::runtime_error("插件缺少导出函数 " + procName);
    create(&retail_);
    if (!retail_)
        throw std::runtime_error(procName + " 没有返回插件对象");
    const RetailPluginVtbl* v = Retail(retail_);
    v->InitPlugin(retail_, main);
    v->InitExistInterFace(retail_, existForm);
    v->InitReportInterFace(retail_, report);
}

bool TPluginLibrary::RunMenuExport(const std::string& name) {
    auto run = Export<MenuEventFn>(module_, name.c_str());
    if (!run)
        return false;
    run(nullptr);
    return true;
}

} // namespace tkv::workbench
