// Reaching the retail interface of the bill that the host handed over.
#include "RetailBill.h"

#include "../comm/Exception.h"
#include "../comm/ModuleState.h"

namespace tkv {

ComPtr<IVNMainBillTransRetail> CurrentRetailBill() {
    IVNMainTransinfo* info = ModuleState().VNMainTransinfo.Get();
    void* retail = nullptr;
    if (info == nullptr || info->QueryInterface(IID_IVNMainBillTransRetail, &retail) != S_OK ||
        retail == nullptr)
        throw Exception("主程序没有传入零售单");
    return ComPtr<IVNMainBillTransRetail>::Attach(static_cast<IVNMainBillTransRetail*>(retail));
}

} // namespace tkv
