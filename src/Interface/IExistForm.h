// The host's framework-object interface (getters in table order) and its report interface.
#pragma once

#include "HostControl.h"
#include "Unknown.h"

#include <string>

namespace tkv {

struct IExistForm : IInterface {
    virtual HostObject GetBasicFieldConfigClass1() = 0;
    virtual HostObject GetGBasicDataLocalClass1() = 0;
    virtual HostObject GetBasicRecordAll_C1() = 0;
    virtual HostObject GetxwConfigFile1() = 0;
    virtual HostObject GetGGridFieldConfigClass1() = 0;
    virtual HostObject GetSelectCostModeClass3() = 0;
    virtual HostObject GetSelectVchtypeClass1() = 0;
    virtual HostObject GetLimitData1() = 0;
    virtual HostObject GetXwImageManClass1() = 0;
    virtual HostObject GetXwColorManiData1() = 0;
    virtual HostObject GetVchCalcClass1() = 0;
    virtual HostObject GetFavoriteStockHandler1() = 0;
    virtual HostObject GetXwSelfBasicTypeAccess1() = 0;
    virtual HostObject GetXwLayoutAccess1() = 0;
    virtual HostObject GetxwMenuDBHelpher1() = 0;
    virtual HostObject GetxwFuncHandler1() = 0;
    virtual HostObject GetxwFuncRelateHandler1() = 0;
    virtual HostObject GetXwMsgAccess1() = 0;
    virtual HostObject GetxwGridToolsPanelHelper1() = 0;
    virtual HostObject GetxwAssitDataHelper1() = 0;
    virtual HostObject GetXwLogLoad() = 0;
    virtual HostObject GetXwLogAdd() = 0;
    virtual HostObject GetFDateDBHelper() = 0;
};

// Every getter in table order, for code that walks the whole table.
using ExistFormGetter = HostObject (IExistForm::*)();
inline constexpr ExistFormGetter kExistFormGetters[] = {
    &IExistForm::GetBasicFieldConfigClass1,
    &IExistForm::GetGBasicDataLocalClass1,
    &IExistForm::GetBasicRecordAll_C1,
    &IExistForm::GetxwConfigFile1,
    &IExistForm::GetGGridFieldConfigClass1,
    &IExistForm::GetSelectCostModeClass3,
    &IExistForm::GetSelectVchtypeClass1,
    &IExistForm::GetLimitData1,
    &IExistForm::GetXwImageManClass1,
    &IExistForm::GetXwColorManiData1,
    &IExistForm::GetVchCalcClass1,
    &IExistForm::GetFavoriteStockHandler1,
    &IExistForm::GetXwSelfBasicTypeAccess1,
    &IExistForm::GetXwLayoutAccess1,
    &IExistForm::GetxwMenuDBHelpher1,
    &IExistForm::GetxwFuncHandler1,
    &IExistForm::GetxwFuncRelateHandler1,
    &IExistForm::GetXwMsgAccess1,
    &IExistForm::GetxwGridToolsPanelHelper1,
    &IExistForm::GetxwAssitDataHelper1,
    &IExistForm::GetXwLogLoad,
    &IExistForm::GetXwLogAdd,
    &IExistForm::GetFDateDBHelper,
};

// Kept by the plug-in, never called.
struct IssReportIntf : IInterface {
    virtual void OpenssReport(const std::string& reportName) = 0;
    virtual void AddIntParam(const std::string& name, std::int32_t value) = 0;
    virtual void AddFloatParam(const std::string& name, double value) = 0;
    virtual void AddStringParam(const std::string& name, const std::string& value) = 0;
};

extern const TGUID IID_IExistForm;
extern const TGUID IID_IssReportIntf;

} // namespace tkv
