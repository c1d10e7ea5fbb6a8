// The getters hand the host's framework objects through as they are; the report calls convert
// their texts.
#include "ExistFormAdapter.h"

#include "AnsiString.h"
#include "HostAdapter.h"

namespace tkv::abi {
namespace {

class ExistFormAdapter final : public TInterfacedObject<IExistForm> {
public:
    explicit ExistFormAdapter(RawExistForm* raw) : host_(raw) {}

    std::int32_t QueryInterface(const TGUID& iid, void** obj) override {
        if (iid == IID_IExistForm || iid == IID_IUnknown) {
            AddRef();
            *obj = static_cast<IExistForm*>(this);
            return S_OK;
        }
        *obj = nullptr;
        return E_NOINTERFACE;
    }

    HostObject GetBasicFieldConfigClass1() override { return V()->GetBasicFieldConfigClass1(O()); }
    HostObject GetGBasicDataLocalClass1() override { return V()->GetGBasicDataLocalClass1(O()); }
    HostObject GetBasicRecordAll_C1() override { return V()->GetBasicRecordAll_C1(O()); }
    HostObject GetxwConfigFile1() override { return V()->GetxwConfigFile1(O()); }
    HostObject GetGGridFieldConfigClass1() override { return V()->GetGGridFieldConfigClass1(O()); }
    HostObject GetSelectCostModeClass3() override { return V()->GetSelectCostModeClass3(O()); }
    HostObject GetSelectVchtypeClass1() override { return V()->GetSelectVchtypeClass1(O()); }
    HostObject GetLimitData1() override { return V()->GetLimitData1(O()); }
    HostObject GetXwImageManClass1() override { return V()->GetXwImageManClass1(O()); }
    HostObject GetXwColorManiData1() override { return V()->GetXwColorManiData1(O()); }
    HostObject GetVchCalcClass1() override { return V()->GetVchCalcClass1(O()); }
    HostObject GetFavoriteStockHandler1() override { return V()->GetFavoriteStockHandler1(O()); }
    HostObject GetXwSelfBasicTypeAccess1() override { return V()->GetXwSelfBasicTypeAccess1(O()); }
    HostObject GetXwLayoutAccess1() override { return V()->GetXwLayoutAccess1(O()); }
    HostObject GetxwMenuDBHelpher1() override { return V()->GetxwMenuDBHelpher1(O()); }
    HostObject GetxwFuncHandler1() override { return V()->GetxwFuncHandler1(O()); }
    HostObject GetxwFuncRelateHandler1() override { return V()->GetxwFuncRelateHandler1(O()); }
    HostObject GetXwMsgAccess1() override { return V()->GetXwMsgAccess1(O()); }
    HostObject GetxwGridToolsPanelHelper1() override { return V()->GetxwGridToolsPanelHelper1(O()); }
    HostObject GetxwAssitDataHelper1() override { return V()->GetxwAssitDataHelper1(O()); }
    HostObject GetXwLogLoad() override { return V()->GetXwLogLoad(O()); }
    HostObject GetXwLogAdd() override { return V()->GetXwLogAdd(O()); }
    HostObject GetFDateDBHelper() override { return V()->GetFDateDBHelper(O()); }

private:
    const RawExistFormVtbl* V() const { return host_.Vtbl(); }
    RawObject* O() const { return host_.Object(); }

    HostReference<RawExistForm> host_;
};

class ReportIntfAdapter final : public TInterfacedObject<IssReportIntf> {
public:
    explicit ReportIntfAdapter(RawReportIntf* raw) : host_(raw) {}

    std::int32_t QueryInterface(const TGUID& iid, void** obj) override {
        if (iid == IID_IssReportIntf || iid == IID_IUnknown) {
            AddRef();
            *obj = static_cast<IssReportIntf*>(this);
            return S_OK;
        }
        *obj = nullptr;
        return E_NOINTERFACE;
    }

    void OpenssReport(const std::string& reportName) override {
        AnsiArg n(reportName);
        V()->OpenssReport(O(), n.Get());
    }
    void AddIntParam(const std::string& name, std::int32_t value) override {
        AnsiArg n(name);
        V()->AddIntParam(O(), n.Get(), value);
    }
    void AddFloatParam(const std::string& name, double value) override {
        AnsiArg n(name);
        V()->AddFloatParam(O(), n.Get(), value);
    }
    void AddStringParam(const std::string& name, const std::string& value) override {
        AnsiArg n(name), v(value);
        V()->AddStringParam(O(), n.Get(), v.Get());
    }

private:
    const RawReportIntfVtbl* V() const { return host_.Vtbl(); }
    RawObject* O() const { return host_.Object(); }

    HostReference<RawReportIntf> host_;
};

} // namespace

ComPtr<IExistForm> WrapExistForm(RawExistForm* raw) {
    if (!raw)
        return nullptr;
    return ComPtr<IExistForm>(new ExistFormAdapter(raw));
}

ComPtr<IssReportIntf> WrapReportIntf(RawReportIntf* raw) {
    if (!raw)
        return nullptr;
    return ComPtr<IssReportIntf>(new ReportIntfAdapter(raw));
}

} // namespace tkv::abi
