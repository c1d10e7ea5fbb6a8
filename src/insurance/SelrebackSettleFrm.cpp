// The reversal's search: query by bill or settlement number, then the sale's payments.
#include "SelrebackSettleFrm.h"

#include "../comm/DataAccess.h"
#include "../comm/Messages.h"
#include "../comm/StringFunctions.h"

namespace tkv {

TSelrebackSettleFrm::TSelrebackSettleFrm() {
    SetCaption("查询_请输入零售单号或医保结算号");
    SetBorderStyle(TBorderStyle::bsDialog);
    SetClientSize(350, 136);
    btnOK = &Make<TActionButton>("btnOK", XwPanel1);
    btnOK->SetCaption("确定");
    btnOK->SetBounds(168, 8, 75, 25);
    btnOK->OnClick = [this](TComponent&) {
        btnOKClick();
    };
    btnClose = &Make<TActionButton>("btnClose", XwPanel1);
    btnClose->SetCaption("关闭");
    btnClose->SetModalResult(mrCancel);
    btnClose->SetBounds(252, 8, 75, 25);
    rbBill = &Make<TRadioButton>("rbBill");
    rbBill->SetCaption("零 售 单 号");
    rbBill->SetBounds(24, 24, 96, 17);
    rbBill->SetChecked(true);
    rbBill->OnClick = [this](TComponent&) {
        rbBillClick();
    };
    reBill = &Make<TEdit>("reBill");
    reBill->SetBounds(124, 22, 200, 20);
    reSettle = &Make<TEdit>("reSettle");
    reSettle->SetBounds(124, 56, 200, 20);
    reSettle->SetEnabled(false);
    rbCode = &Make<TRadioButton>("rbCode");
    rbCode->SetCaption("医保 结算号");
    rbCode->SetBounds(24, 58, 96, 17);
    rbCode->OnClick = [this](TComponent&) {
        rbCodeClick();
    };
    Create();
}

void TSelrebackSettleFrm::rbBillClick() {
    reBill->SetEnabled(true);
    reSettle->SetText(std::string());
    reSettle->SetEnabled(false);
    SetActiveControl(reBill);
}

void TSelrebackSettleFrm::rbCodeClick() {
    reSettle->SetEnabled(true);
    reBill->SetText(std::string());
    reBill->SetEnabled(false);
    SetActiveControl(reSettle);
}

void TSelrebackSettleFrm::btnOKClick() {
    std::string sql =
        "select r.BillID,r.billcode,r.billtype,y.SettleNo,y.deleted,y.Total,y.CardNo,y.EName,y.ZHZF,"
        "y.XJZF,y.Bala,y.LoginNO,y.ID ssid,y.jzlsh from retailbillindex r,YBSettlelist_CQ y where "
        "r.SS_ID =y.ID  and r.billtype = 151 and y.deleted = 0 ";
    if (rbBill->Checked())
        sql += " and r.Billcode =" + QuotedStr(reBill->Text());
    else
        sql += " and y.SettleNo =" + QuotedStr(reSettle->Text());
    OpenSQL(sql, FDataSet);
    FDataSet.First();
    if (FDataSet.Eof()) {
        ShowMsg("未找到此单据！", "提示");
        return;
    }
    nbillnumberid = FDataSet.FieldByName("BillID").AsInteger();
    sSettle = FDataSet.FieldByName("SettleNo").AsString();
    sLoginNo = FDataSet.FieldByName("jzlsh").AsString();
    sEName = FDataSet.FieldByName("EName").AsString();
    sSSID = FDataSet.FieldByName("ssid").AsInteger();
    OpenSQL("SELECT Arec,Total FROM RetailPayInfo WHERE Billid=" + std::to_string(nbillnumberid), FDataSet);
    for (FDataSet.First(); !FDataSet.Eof(); FDataSet.Next())
        FPayParam.Add(std::to_string(FDataSet.FieldByName("Arec").AsInteger()),
                      OleVariant(FDataSet.FieldByName("Total").AsFloat()));
    SetModalResult(mrOk);
}

} // namespace tkv
