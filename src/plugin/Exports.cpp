// The exports: the two objects of the module state, and the two menu windows.
#include "Exports.h"

#include "../comm/Exception.h"
#include "../comm/ModuleState.h"
#include "PlugParts.h"
#include "VNPlugInfo.h"
#include "VNPlugTrans.h"

namespace tkv {

namespace {

void ShowWindow(const std::function<void()>& show, const char* what) {
    if (!show)
        throw Exception(std::string("窗口没有安装: ") + what);
    show();
}

} // namespace

ComPtr<IVNPlugInfo> CreatePlugInfo() {
    TModuleState& m = ModuleState();
    if (!m.VNPlugInfo)
        m.VNPlugInfo = new TVNPlugInfo;
    return m.VNPlugInfo;
}

ComPtr<IRetailPlugin> CreateRetailPlug() {
    TModuleState& m = ModuleState();
    if (m.VNPlugTrans == nullptr)
        m.VNPlugTrans = new TVNPlugTrans;
    return ComPtr<IRetailPlugin>(m.VNPlugTrans);
}

void TkvjobLink(const std::string& ErrorMsg) {
    ShowWindow(PlugParts().ShowPtypeDZ, "厂家品种发票图片关联管理");
}

void TkvPrint(const std::string& ErrorMsg) {
    ShowWindow(PlugParts().ShowFpImagePrint, "厂家品种发票图片打印");
}

} // namespace tkv
