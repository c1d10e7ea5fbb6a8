// Request handling of the simulated insurance service, one function per business code.
#include "InsuranceService.h"

#include "DrugCatalogue.h"
#include "RequestForms.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace tkv::sim {

namespace {

std::vector<std::string> Split(std::string_view text, char sep) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t pos = text.find(sep, start);
        parts.emplace_back(
            text.substr(start, pos == std::string_view::npos ? std::string_view::npos : pos - start));
        if (pos == std::string_view::npos)
            return parts;
        start = pos + 1;
    }
}

bool ParseNumber(const std::string& text, double& out) {
    if (text.empty())
        return false;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && ptr == text.data() + text.size() && std::isfinite(out);
}

double Round2(double v) {
    return std::round(v * 100.0) / 100.0;
}

TSimAnswer Ok(const std::vector<std::string>& data) {
    std::string text = "1";
    for (const auto& d : data)
        text += "|" + d;
    return {0, text};
}

TSimAnswer Refused(const std::string& message) {
    return {0, "0|" + message};
}

using K = TFieldKind;

// The fields of each business code as the service requires them.
const std::vector<TFieldForm> kCardForms = {{"卡号", K::Required}};
const std::vector<TFieldForm> kCardInfoForms = {{"卡号", K::Required}, {"标志", K::Fixed, "1"}};
const std::vector<TFieldForm> kLoginForms = {{"就诊流水号", K::Serial},
                                             {"就诊类别", K::Required},
                                             {"卡号", K::Required},
                                             {"定点机构编码", K::Required},
                                             {"定点机构编码", K::Required},
                                             {"就诊日期", K::Date},
                                             {"病种编码", K::Any},
                                             {"经办人", K::Required},
                                             {"保留", K::Empty},
                                             {"保留", K::Empty},
                                             {"保留", K::Empty},
                                             {"保留", K::Empty},
                                             {"保留", K::Empty},
                                             {"购药标志", K::Any},
                                             {"标志", K::Fixed, "1"}};
const std::vector<TFieldForm> kDetailForms = {{"就诊流水号", K::Serial},
                                              {"零售单号", K::Required},
                                              {"明细时间", K::DateTime},
                                              {"医保编码", K::Any},
                                              {"药品编号", K::Any},
                                              {"药品名称", K::Required},
                                              {"单价", K::Amount},
                                              {"数量", K::Amount},
                                              {"标志", K::Fixed, "0"},
                                              {"序号", K::Fixed, "0000000001"},
                                              {"经办人", K::Required},
                                              {"单位", K::Required},
                                              {"规格", K::Any},
                                              {"剂型", K::Any},
                                              {"保留", K::Empty},
                                              {"金额", K::Amount},
                                              {"定点机构编码", K::Required},
                                              {"定点机构编码", K::Required},
                                              {"科室", K::Fixed, "00001"},
                                              {"保留", K::Empty},
                                              {"保留", K::Empty},
                                              {"保留", K::Empty},
                                              {"标志", K::Fixed, "1"}};
const std::vector<TFieldForm> kWithdrawForms = {
    {"就诊流水号", K::Serial}, {"零售单号", K::Required}, {"标志", K::Fixed, "1"}};
const std::vector<TFieldForm> kPreSettleForms = {
    {"就诊流水号", K::Serial}, {"保留", K::Empty},     {"标志", K::Fixed, "0"}, {"金额", K::Amount},
    {"保留", K::Empty},        {"明细行数", K::Count}, {"标志", K::Fixed, "1"}};
const std::vector<TFieldForm> kSettleForms = {{"就诊流水号", K::Serial}, {"标志", K::Fixed, "0"},
                                              {"标志", K::Fixed, "0"},   {"经办人", K::Required},
                                              {"标志", K::Fixed, "0"},   {"保留", K::Empty},
                                              {"金额", K::Amount},       {"明细行数", K::Count},
                                              {"标志", K::Fixed, "1"},   {"业务类型", K::Fixed, "00169"}};
const std::vector<TFieldForm> kReverseForms = {{"结算号", K::Required},
                                               {"经办人", K::Required},
                                               {"就诊流水号", K::Serial},
                                               {"标志", K::Fixed, "0"},
                                               {"标志", K::Fixed, "1"}};

double Sum(const std::vector<TSimDetail>& details) {
    double sum = 0;
    for (const auto& d : details)
        sum += d.Total;
    return Round2(sum);
}

} // namespace

TInsuranceService::TInsuranceService() {
    cards_ = {
        {ReaderCardNo, "张三", "男", 45, "500101198101011234", "汉族", "重庆市渝中区解放碑1号", "11", "0",
         "重庆山城科技有限公司", "500100", "1", 1200.5, "##"},
        {"1000654321", "李四", "女", 68, "500103195801021245", "汉族", "重庆市江北区观音桥8号", "21", "0",
         "重庆机床厂", "500105", "1", 356.8, "M01|高血压$M02|糖尿病"},
        {"2000000001", "王小明", "男", 17, "500106200901031236", "土家族", "重庆市沙坪坝区天星桥3号", "42",
         "0", "重庆第八中学", "500106", "2", 80, "##"},
    };
    Reset();
}

void TInsuranceService::Reset() {
    balances_.clear();
    for (const auto& c : cards_)
        balances_[c.CardNo] = c.Balance;
    visits_.clear();
    settlements_.clear();
}

const TSimCard* TInsuranceService::FindCard(const std::string& cardNo) const {
    for (const auto& c : cards_)
        if (c.CardNo == cardNo)
            return &c;
    return nullptr;
}

std::vector<TSimDetail> TInsuranceService::Uploaded(const std::string& visitNo) const {
    auto it = visits_.find(visitNo);
    return it == visits_.end() ? std::vector<TSimDetail>{} : it->second.Details;
}

std::string TInsuranceService::FormatAmount(double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", Round2(value) + 0.0);
    return buf;
}

TInsuranceService::Visit* TInsuranceService::FindVisit(const std::string& visitNo) {
    auto it = visits_.find(visitNo);
    return it == visits_.end() ? nullptr : &it->second;
}

TSimAnswer TInsuranceService::Handle(std::string_view requestLine) {
    if (requestLine.empty())
        return {-1, "请求为空"};
    const std::vector<std::string> parts = Split(requestLine, '|');
    const std::string& code = parts[0];
    const std::vector<std::string> f(parts.begin() + 1, parts.end());
    if (code == "31")
        return parts.size() == 1 ? ReadCard() : Refused("读卡请求不带参数");
    if (code == "07")
        return SpecialDiseases(f);
    if (code == "02")
        return Login(f);
    if (code == "01")
        return CardInfo(f);
    if (code == "04")
        return UploadDetail(f);
    if (code == "10")
        return WithdrawDetails(f);
    if (code == "06")
        return PreSettle(f);
    if (code == "05")
        return Settle(f);
    if (code == "99")
        return Reverse(f);
    return {-1, "不支持的业务代码:" + code};
}

TSimAnswer TInsuranceService::ReadCard() {
    return Ok({ReaderCardNo});
}

TSimAnswer TInsuranceService::SpecialDiseases(const std::vector<std::string>& f) {
    if (std::string error = CheckFields("07", kCardForms, f); !error.empty())
        return Refused(error);
    const TSimCard* card = FindCard(f[0]);
    if (!card)
        return Refused("卡号不存在:" + f[0]);
    return Ok({card->SpecialDiseases});
}

// 1 visit serial number, 2 visit type, 3 card, 4 and 5 service point, 6 date, 7 special disease,
// 8 operator, 9 to 13 empty, 14 "10" for a pharmacy purchase, 15 "1".
TSimAnswer TInsuranceService::Login(const std::vector<std::string>& f) {
    if (std::string error = CheckFields("02", kLoginForms, f); !error.empty())
        return Refused(error);
    const std::string& visitNo = f[0];
    const std::string& type = f[1];
    const std::string& cardNo = f[2];
    const TSimCard* card = FindCard(cardNo);
    if (!card)
        return Refused("卡号不存在:" + cardNo);
    if (type != "10" && type != "13")
        return Refused("就诊类别不正确:" + type);
    if (f[3] != f[4])
        return Refused("定点机构编码不一致:" + f[3] + "," + f[4]);
    if (type == "13") {
        bool known = false;
        for (const auto& entry : Split(card->SpecialDiseases, '$'))
            known = known || (!f[6].empty() && Split(entry, '|')[0] == f[6]);
        if (!known)
            return Refused("该卡没有登记特殊病种:" + f[6]);
    } else if (!f[6].empty()) {
        return Refused("药店购药不带病种编码:" + f[6]);
    }
    if ((type == "10") != (f[13] == "10") || (type != "10" && !f[13].empty()))
        return Refused("就诊类别标志不符");
    Visit& v = visits_[visitNo];
    if (v.Settled)
        return Refused("就诊流水号已结算:" + visitNo);
    if (!v.Details.empty())
        return Refused("就诊流水号已有上传明细:" + visitNo);
    v = Visit{cardNo, type, f[5], "DL" + visitNo, f[3], f[7], {}, {}, false, 0, 0, 0, 0, false};
    return Ok({v.LoginNo, FormatAmount(balances_[cardNo])});
}

// 1 card number, 2 "1". The data lines: name, sex, age, id number, nation, address, person
// category, civil servant flag, employer, agency, then further lines of the card's record.
TSimAnswer TInsuranceService::CardInfo(const std::vector<std::string>& f) {
    if (std::string error = CheckFields("01", kCardInfoForms, f); !error.empty())
        return Refused(error);
    const TSimCard* c = FindCard(f[0]);
    if (!c)
        return Refused("卡号不存在:" + f[0]);
    return Ok({c->Name,
               c->Sex,
               std::to_string(c->Age),
               c->IdNo,
               c->Nation,
               c->Address,
               c->Category,
               c->CivilServant,
               c->Unit,
               c->Agency,
               "0",
               "0",
               "0",
               "0",
               "0",
               "0",
               "0",
               "0",
               c->InsuredKind,
               "0",
               "LG" + c->CardNo,
               "0",
               "重庆市医保中心"});
}

// The 23 fields of one sale line: 1 visit, 2 bill number, 3 time, 4 insurance code, 5 user code,
// 6 name, 7 price, 8 quantity, 9 "0", 10 "0000000001", 11 operator, 12 unit, 13 pack size,
// 14 dosage form, 15 empty, 16 line total, 17 and 18 service point, 19 "00001", 20 to 22 empty,
// 23 "1". The line must match the drug's catalogue entry.
TSimAnswer TInsuranceService::UploadDetail(const std::vector<std::string>& f) {
    if (std::string error = CheckFields("04", kDetailForms, f); !error.empty())
        return Refused(error);
    Visit* v = FindVisit(f[0]);
    if (!v)
        return Refused("就诊流水号未登记:" + f[0]);
    if (v->Settled)
        return Refused("就诊已结算,不能上传明细");
    if (f[16] != v->PosCode || f[17] != v->PosCode)
        return Refused("定点机构编码与登记时不符:" + f[16]);
    if (f[10] != v->Operator)
        return Refused("经办人与登记时不符:" + f[10]);
    if (f[3].empty())
        return Refused("药品[" + f[5] + "]未对照医保编码");
    const TCatalogueDrug* drug = FindCatalogueDrug(f[3]);
    if (!drug)
        return Refused("医保编码[" + f[3] + "]不在医保目录中");
    TSimDetail d{f[1], f[3], f[5]};
    ParseNumber(f[6], d.Price);
    ParseNumber(f[7], d.Qty);
    ParseNumber(f[15], d.Total);
    if (d.Price < 0 || d.Qty <= 0)
        return Refused("药品[" + f[5] + "]单价或数量不正确");
    if (std::fabs(Round2(d.Price * d.Qty) - Round2(d.Total)) > 0.011)
        return Refused("药品[" + f[5] + "]金额与单价数量不符");
    if (std::string error = CheckAgainstCatalogue(*drug, f[5], f[12], f[13], f[11], d.Price); !error.empty())
        return Refused(error);
    for (std::size_t i = 0; i < f.size(); ++i)
        if (i != 2) // the upload time
            d.Key += f[i] + '\n';
    for (const auto& held : v->Details)
        if (held.Key == d.Key)
            return Refused("药品[" + f[5] + "]明细重复上传,零售单:" + f[1]);
    v->Details.push_back(d);
    v->Bills.insert(f[1]);
    v->PreSettled = false;
    return Ok({});
}

// 1 visit, 2 bill number, 3 "1": withdraws every uploaded line of that bill.
TSimAnswer TInsuranceService::WithdrawDetails(const std::vector<std::string>& f) {
    if (std::string error = CheckFields("10", kWithdrawForms, f); !error.empty())
        return Refused(error);
    Visit* v = FindVisit(f[0]);
    if (!v)
        return Refused("就诊流水号未登记:" + f[0]);
    if (v->Settled)
        return Refused("就诊已结算,不能撤销明细");
    if (!v->Bills.contains(f[1]))
        return Refused("零售单[" + f[1] + "]没有上传过明细");
    std::size_t removed = 0;
    std::erase_if(v->Details, [&](const TSimDetail& d) { return d.BillNo == f[1] && ++removed; });
    v->PreSettled = false;
    return Ok({std::to_string(removed)});
}

// 1 visit, 2 empty, 3 "0", 4 amount, 5 empty, 6 row count, 7 "1". Data lines: 0 visit, 1 insurance
// share, 2 account payment, 3 cash share, 4 pooled fund payment, 5 amount, 6 balance after the sale.
// The row count is the bill's, which may hold lines that are not insurance lines.
TSimAnswer TInsuranceService::PreSettle(const std::vector<std::string>& f) {
    if (std::string error = CheckFields("06", kPreSettleForms, f); !error.empty())
        return Refused(error);
    Visit* v = FindVisit(f[0]);
    if (!v)
        return Refused("就诊流水号未登记:" + f[0]);
    if (v->Settled) // its account share is spent: figures computed again would be wrong
        return Refused("就诊已经结算");
    if (v->Details.empty())
        return Refused("没有上传明细");
    if (std::stoul(f[5]) < v->Details.size())
        return Refused("明细行数" + f[5] + "少于上传明细" + std::to_string(v->Details.size()) + "行");
    double amount = 0;
    ParseNumber(f[3], amount);
    const double uploaded = Sum(v->Details);
    if (std::fabs(uploaded - Round2(amount)) > 0.005)
        return Refused("预结算金额" + FormatAmount(amount) + "与上传明细金额" + FormatAmount(uploaded) +
                       "不符");
    const double balance = balances_[v->CardNo];
    v->Amount = Round2(amount);
    v->Pooled = v->Type == "13" ? Round2(amount * 0.6) : 0.0;
    v->Account = std::min(balance, Round2(amount - v->Pooled));
    v->Cash = Round2(amount - v->Pooled - v->Account);
    v->PreSettled = true;
    return Ok({f[0], FormatAmount(v->Pooled + v->Account), FormatAmount(v->Account), FormatAmount(v->Cash),
               FormatAmount(v->Pooled), FormatAmount(v->Amount), FormatAmount(balance - v->Account)});
}

// 1 visit, 2 "0", 3 "0", 4 operator, 5 "0", 6 empty, 7 amount, 8 row count, 9 "1", 10 "00169".
// Data lines: 0 settlement number, 1 to 21 the figures of the settlement record (19 the date).
TSimAnswer TInsuranceService::Settle(const std::vector<std::string>& f) {
    if (std::string error = CheckFields("05", kSettleForms, f); !error.empty())
        return Refused(error);
    Visit* v = FindVisit(f[0]);
    if (!v)
        return Refused("就诊流水号未登记:" + f[0]);
    if (v->Settled)
        return Refused("就诊已经结算");
    if (!v->PreSettled)
        return Refused("未预结算,不能结算");
    if (f[3] != v->Operator)
        return Refused("经办人与登记时不符:" + f[3]);
    if (std::stoul(f[7]) < v->Details.size())
        return Refused("明细行数" + f[7] + "少于上传明细" + std::to_string(v->Details.size()) + "行");
    double amount = 0;
    ParseNumber(f[6], amount);
    if (std::fabs(Round2(amount) - v->Amount) > 0.005 || std::fabs(Sum(v->Details) - v->Amount) > 0.005)
        return Refused("结算金额与预结算金额不符");
    double& balance = balances_[v->CardNo];
    balance = Round2(balance - v->Account);
    v->Settled = true;
    const std::string settleNo = "JS" + f[0];
    settlements_[settleNo] = Settlement{f[0], v->CardNo, f[3], v->Account, false};
    const std::string z = "0";
    return Ok({settleNo,
               FormatAmount(v->Pooled),
               FormatAmount(v->Account),
               z,
               FormatAmount(v->Cash),
               z,
               z,
               FormatAmount(balance),
               z,
               z,
               z,
               z,
               FormatAmount(v->Pooled + v->Account),
               z,
               FormatAmount(v->Pooled),
               z,
               z,
               FormatAmount(v->Amount),
               z,
               v->Date + " 00:00:00",
               z,
               FormatAmount(v->Pooled + v->Account)});
}

// 1 settlement number, 2 operator of the settlement, 3 visit serial number, 4 "0", 5 "1".
TSimAnswer TInsuranceService::Reverse(const std::vector<std::string>& f) {
    if (std::string error = CheckFields("99", kReverseForms, f); !error.empty())
        return Refused(error);
    auto it = settlements_.find(f[0]);
    if (it == settlements_.end())
        return Refused("结算号不存在:" + f[0]);
    if (it->second.Reversed)
        return Refused("该结算已经撤销:" + f[0]);
    if (it->second.VisitNo != f[2])
        return Refused("结算号与就诊流水号不符");
    if (it->second.Operator != f[1])
        return Refused("经办人与结算时不符:" + f[1]);
    it->second.Reversed = true;
    balances_[it->second.CardNo] = Round2(balances_[it->second.CardNo] + it->second.Account);
    return Ok({});
}

} // namespace tkv::sim
