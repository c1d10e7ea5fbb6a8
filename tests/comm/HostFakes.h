// Stand-ins for the host's other interfaces (retail bill, framework objects, report), counted like
// the host's objects, and a wrapper that logs every Release so that tests can check the order.
#pragma once

#include "Interface/IExistForm.h"
#include "Interface/IVNMainTransinfo.h"

#include <gmock/gmock.h>

#include <string>
#include <vector>

namespace tkv::test {

template <class Interface> class TCountedQuery : public TInterfacedObject<Interface> {
public:
    explicit TCountedQuery(const TGUID& iid) : iid_(iid) {}
    std::int32_t QueryInterface(const TGUID& iid, void** obj) override {
        if (iid == IID_IUnknown || iid == iid_) {
            *obj = static_cast<Interface*>(this);
            this->AddRef();
            return S_OK;
        }
        *obj = nullptr;
        return E_NOINTERFACE;
    }

private:
    TGUID iid_;
};

class TMockRetailBill : public TCountedQuery<IVNMainBillTransRetail> {
public:
    TMockRetailBill() : TCountedQuery(IID_IVNMainBillTransRetail) {}
    MOCK_METHOD(HostObject, GetPrintGrid, (), (override));
    MOCK_METHOD(void, BillPrint, (), (override));
    MOCK_METHOD(void, AddPrintInfo, (const std::string&, const OleVariant&), (override));
    MOCK_METHOD(void, AddPayInfo, (const std::string&, double), (override));
    MOCK_METHOD(void, AddPopMenu, (const std::string&, std::int32_t), (override));
    MOCK_METHOD(void, ClearData, (), (override));
    MOCK_METHOD(void, DeleteRow, (std::int32_t), (override));
    MOCK_METHOD(std::int32_t, GetBillStatus, (), (override));
    MOCK_METHOD(double, GetTotal, (), (override));
    MOCK_METHOD(bool, SaveAndAudit, (), (override));
    MOCK_METHOD(bool, SaveDraft, (), (override));
    MOCK_METHOD(std::int32_t, BillType, (), (override));
    MOCK_METHOD(std::string, GetBillCode, (), (override));
    MOCK_METHOD(HostObject, BandGrid, (), (override));
    MOCK_METHOD(OleVariant, GetIndexData, (), (override));
    MOCK_METHOD(OleVariant, GetDetailData, (), (override));
    MOCK_METHOD(bool, ShowAcctount, (const OleVariant&), (override));
    MOCK_METHOD(std::int32_t, GetBillID, (), (override));
};

class TFakeExistForm : public TCountedQuery<IExistForm> {
public:
    TFakeExistForm() : TCountedQuery(IID_IExistForm) {}
    HostObject GetBasicFieldConfigClass1() override { return nullptr; }
    HostObject GetGBasicDataLocalClass1() override { return nullptr; }
    HostObject GetBasicRecordAll_C1() override { return nullptr; }
    HostObject GetxwConfigFile1() override { return nullptr; }
    HostObject GetGGridFieldConfigClass1() override { return nullptr; }
    HostObject GetSelectCostModeClass3() override { return nullptr; }
    HostObject GetSelectVchtypeClass1() override { return nullptr; }
    HostObject GetLimitData1() override { return nullptr; }
    HostObject GetXwImageManClass1() override { return nullptr; }
    HostObject GetXwColorManiData1() override { return nullptr; }
    HostObject GetVchCalcClass1() override { return nullptr; }
    HostObject GetFavoriteStockHandler1() override { return nullptr; }
    HostObject GetXwSelfBasicTypeAccess1() override { return nullptr; }
    HostObject GetXwLayoutAccess1() override { return nullptr; }
    HostObject GetxwMenuDBHelpher1() override { return nullptr; }
    HostObject GetxwFuncHandler1() override { return nullptr; }
    HostObject GetxwFuncRelateHandler1() override { return nullptr; }
    HostObject GetXwMsgAccess1() override { return nullptr; }
    HostObject GetxwGridToolsPanelHelper1() override { return nullptr; }
    HostObject GetxwAssitDataHelper1() override { return nullptr; }
    HostObject GetXwLogLoad() override { return nullptr; }
    HostObject GetXwLogAdd() override { return nullptr; }
    HostObject GetFDateDBHelper() override { return nullptr; }
};

class TFakeReport : public TCountedQuery<IssReportIntf> {
public:
    TFakeReport() : TCountedQuery(IID_IssReportIntf) {}
    void OpenssReport(const std::string&) override {}
    void AddIntParam(const std::string&, std::int32_t) override {}
    void AddFloatParam(const std::string&, double) override {}
    void AddStringParam(const std::string&, const std::string&) override {}
};

// Logs its name at every Release.
template <class Base> class TReleaseLogged : public Base {
public:
    template <class... BaseArgs>
    TReleaseLogged(std::vector<std::string>& log, std::string name, BaseArgs&&... baseArgs)
        : Base(std::forward<BaseArgs>(baseArgs)...), log_(&log), name_(std::move(name)) {}
    std::uint32_t Release() override {
        log_->push_back(name_);
        return Base::Release();
    }

private:
    std::vector<std::string>* log_;
    std::string name_;
};

} // namespace tkv::test
