// TSelrebackSettleFrm: the search window "查询_请输入零售单号或医保结算号" of the reversal. It finds a
// settled, not yet reversed retail sale by its bill number or its insurance settlement number and
// keeps the identifiers of the settlement and the payments of the sale.
#pragma once

#include "../framework/DataSet.h"
#include "../framework/PlugParams.h"
#include "../toolkit/ActionButton.h"
#include "../toolkit/Edit.h"
#include "../toolkit/ParentForm.h"
#include "../toolkit/RadioButton.h"

#include <cstdint>
#include <string>

namespace tkv {

class TSelrebackSettleFrm : public TParentForm {
public:
    TSelrebackSettleFrm();
    std::string ClassName() const override { return "TSelrebackSettleFrm"; }

    TActionButton* btnOK;    // "确定"
    TActionButton* btnClose; // "关闭"
    TRadioButton* rbBill;    // "零 售 单 号"
    TEdit* reBill;
    TEdit* reSettle;
    TRadioButton* rbCode; // "医保 结算号"

    // The settlement found.
    std::int32_t nbillnumberid = 0;
    std::string sSettle;
    std::string sLoginNo;
    std::string sEName;
    std::int32_t sSSID = 0;
    // Payments of the sale: account record id in decimal -> amount.
    const TPlugParams& PayParam() const { return FPayParam; }

    void btnOKClick();
    void rbBillClick();
    void rbCodeClick();

private:
    TClientDataSet FDataSet;
    TPlugParams FPayParam;
};

} // namespace tkv
