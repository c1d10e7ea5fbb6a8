// Settlement, its record, the figures handed to the host, and the withdrawal.
#include "Settlement.h"

#include "../Interface/PlugConsts.h"
#include "../comm/DataAccess.h"
#include "../comm/DateText.h"
#include "../comm/FloatText.h"
#include "../comm/InsuranceBusiness.h"
#include "../comm/InsuranceGateway.h"
#include "../comm/Messages.h"
#include "../comm/ModuleState.h"
#include "../comm/Settings.h"
#include "../comm/StringFunctions.h"
#include "../framework/PlugParams.h"
#include "../plugin/VNPlugTrans.h"
#include "RetailBill.h"
#include "SettleJournal.h"
#include "YBCard.h"

namespace tkv {

namespace {

const std::string kRule47(47, '-');

// The settlement answer's figure lines 1 to 21 by parameter name; line 19 is the date text.
constexpr const char* kFigureParams[] = {"@TCZF",   "@ZHZF",   "@GWYBZ",   "@XJZF",  "@DELPJE", "@LSQFFH",
                                         "@Bala",   "@YLDZ",   "@MZJZ",    "@MZYE",  "@LDYZF",  "@YBZF",
                                         "@SHZF",   "@BNTCLJ", "@BNDELJ",  "@TBQFX", "@NDLJ",   "@BJMZLJ",
                                         "@JsDate", "@BCZFQX", "@BCFHYBJE"};

// Writes the settlement record; answers an empty text when it was written and linked, else why not.
std::string RecordSettlement(TYBCard& card, std::int32_t billId, const std::vector<std::string>& answer) {
    StringArray names = {"@jzlsh",    "@LoginNO", "@LoginType", "@PosCode",  "@FeeDate",
                         "@SettleNo", "@EName",   "@CardNo",    "@CardName", "@Total"};
    VariantArray values = {OleVariant(card.GetXfls()),
                           OleVariant(card.LoginNO()),
                           OleVariant(card.MZtype()),
                           OleVariant(GetConfigValue("PosCode")),
                           OleVariant(Format_Date(Platform().Now())),
                           OleVariant(card.SettleID()),
                           OleVariant(MainIntf().LoginUserName()),
                           OleVariant(card.CardNo()),
                           OleVariant(card.CardName()),
                           OleVariant(card.Total())};
    for (std::size_t line = 1; line <= std::size(kFigureParams); ++line) {
        const std::string name = kFigureParams[line - 1];
        names.push_back(name);
        if (name == "@JsDate")
            values.emplace_back(LineAt(answer, line));
        else
            values.emplace_back(StrToFloatDef(LineAt(answer, line), 0));
    }
    names.emplace_back("@DELETE");
    values.emplace_back(std::int32_t{0});

    std::int32_t recordId = 0;
    try {
        recordId = ExecuteProcByName("InsertSettlelist_CQ", names, values);
    } catch (const std::exception& e) {
        return e.what();
    }
    if (recordId <= 0)
        return "InsertSettlelist_CQ 返回 " + std::to_string(recordId);
    if (billId <= 0)
        return "零售单ID为 " + std::to_string(billId) + "，结算记录 " + std::to_string(recordId) +
               " 没有关联零售单";
    const std::string link = "update RetailBillIndex set SS_ID=" + std::to_string(recordId) +
                             " where billid=" + std::to_string(billId);
    try {
        if (!ExecuteSQL(link))
            return "结算记录 " + std::to_string(recordId) + " 没有关联零售单";
    } catch (const std::exception& e) {
        return "结算记录 " + std::to_string(recordId) + " 没有关联零售单：" + e.what();
    }
    return {};
}

} // namespace

bool ssInit(TVNPlugTrans& trans) {
    std::string error;
    return YBInit(error) == 0;
}

void ssBalaInfo(TVNPlugTrans& trans, const TYBCard* YBCard, OleVariant& Params) {
    TPlugParams params;
    params.Add(C_PLUGSB_Balance_SB, OleVariant(trans.FTotalYB));
    params.Add(C_PLUGSB_Balance_Cash, OleVariant(trans.FTotalCash));
    params.Add(C_PLUGSB_Balance_Bala, OleVariant(trans.FAcctBala));
    params.Add(C_PLUGSB_Balance_NO, OleVariant(YBCard ? YBCard->SettleID() : std::string()));
    Params = params.GetOleParams();
}

OleVariant ssPrintItems(TVNPlugTrans& trans, const TYBCard* YBCard) {
    TPlugParams params;
    params.Add("社保支付金额", OleVariant(trans.FTotalYB));
    params.Add("现金支付金额", OleVariant(trans.FTotalCash));
    params.Add("当前社保余额", OleVariant(trans.FAcctBala));
    if (YBCard) {
        params.Add("社保结算交易号", OleVariant(YBCard->SettleID()));
        params.Add("保险号", OleVariant(YBCard->SHBZH()));
        params.Add("姓名", OleVariant(YBCard->CardName()));
        params.Add("社保卡号", OleVariant(YBCard->CardNo()));
        params.Add("原始社保余额", OleVariant(YBCard->Bala()));
    }
    return params.GetOleParams();
}

bool BeforeSave(TVNPlugTrans& trans, TYBCard* YBCard) {
    if (YBCard == nullptr) {
        ShowMsg("请先读取医保卡", "提示");
        return false;
    }
    ComPtr<IVNMainBillTransRetail> bill = CurrentRetailBill();
    TClientDataSet lines;
    lines.SetData(bill->GetDetailData());
    std::string info, error;
    if (YBJS(YBCard->GetXfls(), MainIntf().LoginUserName(), lines.RecordCount(), YBCard->Total(), info,
             error)) {
        // The service has settled: from here until its record is written the settlement stays in
        // sight, in the card and in the journal.
        YBCard->SetJslist(info);
        YBCard->SetSettled(bill->GetBillCode(), trans.FTotalYB, trans.FTotalCash);
        const TPendingSettlement pending{YBCard->JslistSettleNo(), bill->GetBillCode(),
                                         bill->GetBillID(),        YBCard->GetXfls(),
                                         YBCard->Total(),          trans.FTotalYB,
                                         trans.FTotalCash,         Format_DateTime(Platform().Now())};
        if (!AddToSettleJournal(pending))
            ShowMsg("医保结算日志 " + SettleJournalPath() + " 无法写入。结算号：" + pending.SettleNo +
                        "，请记下这个结算号，保存零售单后核对结算记录。",
                    "提示");
        return true;
    }
    if (ModuleState().ShowLog) {
        AddLog("结算失败,零售单:" + bill->GetBillCode());
        AddLog(kRule47);
    }
    ShowMsg(error.empty() ? std::string("医保结算失败") : error, "提示");
    return false;
}

bool ssBalance(TVNPlugTrans& trans, TYBCard* YBCard) {
    if (YBCard == nullptr || YBCard->Jslist().empty())
        return false;
    const std::vector<std::string> answer = SplitLines(YBCard->Jslist());
    // A settlement is recorded once: a second call answers as the first did and writes nothing.
    if (!YBCard->RecordedSettleID().empty() && YBCard->RecordedSettleID() == LineAt(answer, 0))
        return true;
    const std::int32_t billId = CurrentRetailBill()->GetBillID();
    if (ModuleState().ShowLog)
        AddLog("结算零售单是:" + std::to_string(billId));
    YBCard->SetSettleID(LineAt(answer, 0));
    const std::string failure = RecordSettlement(*YBCard, billId, answer);
    if (failure.empty()) {
        YBCard->SetRecordedSettleID(YBCard->SettleID());
        RemoveFromSettleJournal(YBCard->SettleID());
        return true;
    }
    // The service has settled: the cashier must learn that the database does not know it.
    AddLog("结算记录保存失败,零售单:" + std::to_string(billId) + ",结算号:" + YBCard->SettleID() + "," +
           failure);
    AddLog(kRule47);
    ShowError("医保已经结算，但结算没有记入数据库！\r\n结算号：" + YBCard->SettleID() + "\r\n原因：" +
                  failure,
              "错误");
    return false;
}

bool ssClearEvaluateBalance(TVNPlugTrans& trans, std::unique_ptr<TYBCard>& YBCard) {
    if (!YBCard)
        return false;
    // Only what the service holds is withdrawn: a sale abandoned before any line went up sends
    // nothing, where the service would refuse a withdrawal of a bill it never saw.
    std::string answer, error;
    const std::string uploaded = YBCard->UploadedBill();
    const bool withdrawn = uploaded.empty() || YBBackDetail(YBCard->GetXfls(), uploaded, answer, error);
    if (withdrawn)
        YBCard->SetUploadedBill({});
    trans.ClearPlugInfo();
    if (!withdrawn)
        ShowMsg(error, "提示");
    return withdrawn;
}

} // namespace tkv
