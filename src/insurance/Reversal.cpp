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
    ExecuteSQL("Update YBSettlelist_CQ set Deleted = 1 where ID =" + std::to_string(ssid));
    ShowMsg("取消结算操作成功!", "提示");
    return true;
}

} // namespace tkv
