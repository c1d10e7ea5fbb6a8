// Price question, detail upload with withdrawal on failure, and the pre-settlement request.
#include "PreSettlement.h"

#include "../comm/DataAccess.h"
#include "../comm/DateText.h"
#include "../comm/FloatText.h"
#include "../comm/InsuranceBusiness.h"
#include "../comm/InsuranceGateway.h"
#include "../comm/Messages.h"
#include "../comm/ModuleState.h"
#include "../comm/Settings.h"
#include "../comm/StringFunctions.h"
#include "../plugin/VNPlugTrans.h"
#include "RetailBill.h"
#include "YBCard.h"

namespace tkv {

namespace {

// Which unit the line's quantity is in: 2 the second, 3 the third, 101 the smallest, else the first.
TFieldsList UnitField(std::int32_t unit) {
    switch (unit) {
    case 2:
        return flPUnit2;
    case 3:
        return flPunit3;
    case 101:
        return flPTinyUnit;
    default:
        return flPUnit1;
    }
}

// The 23 request fields of one sale line.
std::string DetailLine(const TClientDataSet& lines, const std::string& visitNo, const std::string& billCode,
                       const std::string& posCode, const std::string& operatorName) {
    IVNMainintf& host = MainIntf();
    const std::string typeId = lines.FieldByName("typeid").AsString();
    std::string detail;
    for (const std::string& field :
         {visitNo,
          billCode,
          Format_DateTime(Platform().Now()),
          TypeidToSSDM(typeId),
          host.GetBasicLocalValue(flPUserCode, typeId),
          host.GetBasicLocalValue(flPFullName, typeId),
          FloatToStr(lines.FieldByName("Price").AsFloat()),
          FloatToStr(lines.FieldByName("Qty").AsFloat()),
          std::string("0"),
          std::string("0000000001"),
          operatorName,
          host.GetBasicLocalValue(UnitField(lines.FieldByName("Unit").AsInteger()), typeId),
          host.GetBasicLocalValue(flPStandard, typeId),
          host.GetBasicLocalValue(flPType, typeId),
          std::string(),
          FloatToStr(lines.FieldByName("Total").AsFloat()),
          posCode,
          posCode,
          std::string("00001"),
          std::string(),
          std::string(),
          std::string(),
          std::string("1")})
        FormatInputData(RequestField(field), detail);
    return detail;
}

} // namespace

std::string TypeidToSSDM(const std::string& typeId) {
    if (typeId.empty())
        return {};
    TClientDataSet ds;
    OpenSQL("select ss_dm from ptype where typeid=" + QuotedStr(typeId), ds);
    ds.First();
    return ds.Eof() ? std::string() : ds.FieldByName("ss_dm").AsString();
}

bool ssEvaluateBalance(TVNPlugTrans& trans, TYBCard* YBCard) {
    if (YBCard == nullptr) {
        ShowMsg("请先读取医保卡", "提示");
        return false;
    }
    const std::string posCode = GetConfigValue("PosCode");
    ComPtr<IVNMainBillTransRetail> bill = CurrentRetailBill();
    TClientDataSet lines;
    lines.SetData(bill->GetDetailData());
    trans.FBalanceRetvalue.clear();
    double total = 0;

    for (lines.First(); !lines.Eof(); lines.Next()) {
        if (lines.FieldByName("Price").AsFloat() > 1000 &&
            !YesOrNo("药品" + lines.FieldByName("FullName").AsString() + "单价操作1000，是否继续结算？",
                     "选择"))
            return false;
    }

    const std::string billCode = bill->GetBillCode();
    const std::string visitNo = YBCard->GetXfls();
    if (visitNo.empty()) {
        ShowError(kNoVisitNumber, "错误");
        return false;
    }
    const std::string operatorName = MainIntf().LoginUserName();
    bool uploaded = false;
    std::string uploadError, answer, ignored;
    auto withdraw = [&] {
        if (YBBackDetail(visitNo, billCode, answer, ignored))
            YBCard->SetUploadedBill({});
    };
    // Lines of an earlier upload (a pre-settlement repeated after a failed "06" or a changed sale) go
    // first, so that the service never holds a bill's lines twice.
    if (!YBCard->UploadedBill().empty()) {
        std::string withdrawError;
        if (!YBBackDetail(visitNo, YBCard->UploadedBill(), answer, withdrawError)) {
            ShowError(withdrawError, "错误");
            return false;
        }
        YBCard->SetUploadedBill({});
    }
    for (lines.First(); !lines.Eof(); lines.Next()) {
        if (lines.FieldByName("typeid").AsString().empty())
            continue;
        const std::string detail = DetailLine(lines, visitNo, billCode, posCode, operatorName);
        total += lines.FieldByName("Total").AsFloat();
        uploaded = YBAddDetail(detail, answer, uploadError);
        if (uploaded)
            YBCard->SetUploadedBill(billCode);
        if (!uploaded) {
            ShowMsg("上传明细失败！", "提示");
            withdraw();
            break;
        }
    }
    YBCard->SetTotal(total);
    if (!uploaded) {
        ShowError(uploadError, "错误");
        withdraw();
        return false;
    }

    std::string info, error;
    if (!YBYJS(visitNo, lines.RecordCount(), info, total, error)) {
        ShowError(error, "错误");
        return false;
    }
    trans.FBalanceRetvalue = info;
    const std::vector<std::string> split = SplitLines(info);
    trans.FTotalYB = StrToFloatDef(LineAt(split, 1), 0);
    trans.FTotalCash = StrToFloatDef(LineAt(split, 3), 0);
    trans.FAcctBala = StrToFloatDef(LineAt(split, 6), 0);
    return true;
}

} // namespace tkv
