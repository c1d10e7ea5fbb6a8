// The host's other objects that the plug-in receives: the framework-object interface (each getter
// answers its own distinct object), the report interface (calls recorded) and the retail bill of a
// sale, which the insurance hooks read and whose payment window confirms a settlement's return.
#pragma once

#include "HostUi.h"
#include "Interface/IExistForm.h"
#include "Interface/IVNMainTransinfo.h"

#include <array>
#include <string>
#include <vector>

namespace tkv::host {

class TExistForm : public TInterfacedObject<IExistForm> {
public:
    std::int32_t QueryInterface(const TGUID& iid, void** obj) override;
    HostObject GetBasicFieldConfigClass1() override { return Obj(0); }
    HostObject GetGBasicDataLocalClass1() override { return Obj(1); }
    HostObject GetBasicRecordAll_C1() override { return Obj(2); }
    HostObject GetxwConfigFile1() override { return Obj(3); }
    HostObject GetGGridFieldConfigClass1() override { return Obj(4); }
    HostObject GetSelectCostModeClass3() override { return Obj(5); }
    HostObject GetSelectVchtypeClass1() override { return Obj(6); }
    HostObject GetLimitData1() override { return Obj(7); }
    HostObject GetXwImageManClass1() override { return Obj(8); }
    HostObject GetXwColorManiData1() override { return Obj(9); }
    HostObject GetVchCalcClass1() override { return Obj(10); }
    HostObject GetFavoriteStockHandler1() override { return Obj(11); }
    HostObject GetXwSelfBasicTypeAccess1() override { return Obj(12); }
    HostObject GetXwLayoutAccess1() override { return Obj(13); }
    HostObject GetxwMenuDBHelpher1() override { return Obj(14); }
    HostObject GetxwFuncHandler1() override { return Obj(15); }
    HostObject GetxwFuncRelateHandler1() override { return Obj(16); }
    HostObject GetXwMsgAccess1() override { return Obj(17); }
    HostObject GetxwGridToolsPanelHelper1() override { return Obj(18); }
    HostObject GetxwAssitDataHelper1() override { return Obj(19); }
    HostObject GetXwLogLoad() override { return Obj(20); }
    HostObject GetXwLogAdd() override { return Obj(21); }
    HostObject GetFDateDBHelper() override { return Obj(22); }

    // Getters called, by slot number (0 first), in call order.
    const std::vector<int>& Calls() const { return calls_; }

private:
    HostObject Obj(int slot) {
        calls_.push_back(slot);
        return &objects_[static_cast<std::size_t>(slot)];
    }
    // One distinct, stable address per framework object.
    std::array<char, 23> objects_{};
    std::vector<int> calls_;
};

class TssReport : public TInterfacedObject<IssReportIntf> {
public:
    std::int32_t QueryInterface(const TGUID& iid, void** obj) override;
    void OpenssReport(const std::string& reportName) override {
        calls_.push_back("OpenssReport:" + reportName);
    }
    void AddIntParam(const std::string& name, std::int32_t value) override;
    void AddFloatParam(const std::string& name, double value) override;
    void AddStringParam(const std::string& name, const std::string& value) override;
    const std::vector<std::string>& Calls() const { return calls_; }

private:
    std::vector<std::string> calls_;
};

// A retail sale's bill as the host's retail window holds it.
class TRetailBill : public TInterfacedObject<IVNMainBillTransRetail> {
public:
    // total: the sum of the detail rows' "Total", as the retail window keeps it.
    TRetailBill(IHostUi& ui, std::string billCode, std::int32_t billId, double total, OleVariant detailData,
                OleVariant indexData = OleVariant::Null());

    std::int32_t QueryInterface(const TGUID& iid, void** obj) override;
    // IVNMainTransinfo
    HostObject GetPrintGrid() override { return &printGrid_; }
    void BillPrint() override { ++printed_; }
    void AddPrintInfo(const std::string& name, const OleVariant& value) override;
    // IVNMainTrnas
    void AddPayInfo(const std::string& name, double amount) override;
    void AddPopMenu(const std::string& caption, std::int32_t actionId) override;
    void ClearData() override;
    void DeleteRow(std::int32_t row) override;
    std::int32_t GetBillStatus() override { return status_; }
    double GetTotal() override { return total_; }
    bool SaveAndAudit() override;
    bool SaveDraft() override;
    std::int32_t BillType() override { return 151; }
    // IVNMainBillTransRetail
    std::string GetBillCode() override { return billCode_; }
    HostObject BandGrid() override { return &bandGrid_; }
    OleVariant GetIndexData() override { return indexData_; }
    OleVariant GetDetailData() override { return detailData_; }
    // Shows the payments to be returned and answers whether the user confirmed them.
    bool ShowAcctount(const OleVariant& account) override;
    std::int32_t GetBillID() override { return billId_; }

    // Everything the plug-in did to the bill, in order.
    const std::vector<std::string>& Calls() const { return calls_; }
    int PrintCount() const { return printed_; }

private:
    IHostUi& ui_;
    std::string billCode_;
    std::int32_t billId_;
    double total_;
    OleVariant detailData_, indexData_;
    std::int32_t status_ = 0; // 0 new, 1 draft, 2 saved and audited
    int printed_ = 0;
    char printGrid_ = 0, bandGrid_ = 0;
    std::vector<std::string> calls_;
};

} // namespace tkv::host
