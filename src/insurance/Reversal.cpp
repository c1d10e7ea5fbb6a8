// Card, search, payment confirmation, service reversal and the return's record.
#include "Reversal.h"

#include "../comm/DataAccess.h"
#include "../comm/DateText.h"
#include "../comm/InsuranceBusiness.h"
#include "../comm/InsuranceGateway.h"
#include "../comm/Messages.h"
#include "../comm/ModuleState.h"
#include "CardInfo.h"
#include "RetailBill.h"
#include "SelrebackSettleFrm.h"
#include "YBCard.h"

namespace tkv {

bool showSelrebackSettleFrm(std::unique_ptr<TYBCard>& YBCard, std::int32_t& nBillnumberid, std::int32_t& SSID,
                            std::string& SettleID, std::string& LoginNo, std::string& EName,
                            TPlugParams& PayParam) {
    if (GetCard(YBCard) != 0)
        return false;
    CardShow(YBCard.get());
    TSelrebackSettleFrm form;
    if (form.ShowModal() != mrOk)
        return false;
    nBillnumberid = form.nbillnumberid;
    SSID = form.sSSID;
    SettleID = form.sSettle;
    LoginNo = form.sLoginNo;
    EName = form.sEName;
    PayParam.Clear();
    for (int i = 0; i < form.PayParam().Count(); ++i)
        PayParam.Add(form.PayParam().Item(i).ParamName, form.PayParam().Item(i).ParamValue);
    return true;
}

bool CanelBalance(std::unique_ptr<TYBCard>& YBCard) {
    TPlugParams payments;
    std::int32_t billId = 0, ssid = 0;
    std::string settleId, loginNo, operatorName;
    if (!showSelrebackSettleFrm(YBCard, billId, ssid, settleId, loginNo, operatorName, payments))
        return false;
    if (!CurrentRetailBill()->ShowAcctount(payments.GetOleParams()))
        return false;
    std::string error;
    if (!YBCZ(settleId, operatorName, loginNo, error)) {
        ShowMsg(error, "提示");
        return false;
    }
    const std::int32_t recorded = ExecuteProcByName(
        "XF_YBCQ_RebackRetail", {"@szDate", "@nBillnumberid", "@SS_ID"},
        {OleVariant(Format_DateTime(Platform().Now())), OleVariant(billId), OleVariant(ssid)});
    if (recorded != 0) {
        // The service has reversed the settlement; the log keeps which one the database still shows.
        AddLog("取消结算记录失败,零售单ID:" + std::to_string(billId) + ",结算号:" + settleId + ",返回 " +
               std::to_string(recorded));
        AddLog(std::string(47, '-'));
        ShowMsg("取消结算操作失败，已经撤销操作！", "提示");
        return false;
    }
    // The service has reversed and the return is recorded: a record still shown as valid would be
    // found again as a settlement to reverse.
    std::string failure;
    try {
        if (!ExecuteSQL("Update YBSettlelist_CQ set Deleted = 1 where ID =" + std::to_string(ssid)))
            failure = "更新没有执行";
    } catch (const std::exception& e) {
        failure = e.what();
    }
    if (!failure.empty()) {
        AddLog("取消结算后结算记录没有标记删除,结算记录ID:" + std::to_string(ssid) + ",结算号:" + settleId +
               "," + failure);
        AddLog(std::string(47, '-'));
        ShowError("医保已经取消结算，但数据库没有接受结算记录的取消标记！\r\n结算号：" + settleId +
                      "\r\n请通知管理员核对结算记录 " + std::to_string(ssid) +
                      "，必要时把它标记为已取消（YBSettlelist_CQ.Deleted=1）。",
                  "错误");
        return false;
    }
    ShowMsg("取消结算操作成功!", "提示");
    return true;
}

} // namespace tkv
