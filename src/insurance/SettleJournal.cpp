// The journal of settlements waiting for their record, and what the cashier is told of them.
#include "SettleJournal.h"

#include "../comm/FloatText.h"
#include "../comm/InsuranceBusiness.h"
#include "../comm/Messages.h"
#include "../comm/ModuleState.h"
#include "../comm/Paths.h"
#include "../platform/Platform.h"
#include "../platform/WholeFile.h"
#include "YBCard.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace tkv {

namespace {

constexpr std::size_t kFields = 8;

std::string Line(const TPendingSettlement& s) {
    std::string line = RequestField(s.SettleNo);
    for (const std::string& field : {s.BillCode, std::to_string(s.BillId), s.Jzlsh, FloatToStr(s.Total),
                                     FloatToStr(s.YBPay), FloatToStr(s.Cash), s.Time})
        line += "|" + RequestField(field);
    return Platform().Utf8ToAnsi(line);
}

bool Parse(const std::string& ansi, TPendingSettlement& s) {
    std::vector<std::string> f;
    std::stringstream in(Platform().AnsiToUtf8(ansi));
    for (std::string part; std::getline(in, part, '|');)
        f.push_back(part);
    if (f.size() != kFields || f[0].empty())
        return false;
    s = {f[0],
         f[1],
         static_cast<std::int32_t>(StrToFloatDef(f[2], 0)),
         f[3],
         StrToFloatDef(f[4], 0),
         StrToFloatDef(f[5], 0),
         StrToFloatDef(f[6], 0),
         f[7]};
    return true;
}

bool Write(const std::vector<TPendingSettlement>& settlements) {
    const std::string path = SettleJournalPath();
    if (settlements.empty()) {
        std::error_code ec;
        std::filesystem::remove(Utf8Path(path), ec);
        return !ec;
    }
    std::string bytes;
    for (const auto& s : settlements)
        bytes += Line(s) + "\r\n";
    std::string folder = DataPath();
    CheckDir(folder);
    return WriteFileWhole(Utf8Path(path), bytes);
}

std::string Amounts(double total, double ybPay, double cash) {
    return "结算金额：" + FloatToStr(total) + "，医保支付：" + FloatToStr(ybPay) + "，现金支付：" +
           FloatToStr(cash);
}

} // namespace

std::string SettleJournalPath() {
    return AddBackSlash(DataPath()) + "cqybJournal.DAT";
}

std::vector<TPendingSettlement> ReadSettleJournal() {
    std::vector<TPendingSettlement> out;
    std::ifstream in(Utf8Path(SettleJournalPath()), std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        TPendingSettlement s;
        if (Parse(line, s))
            out.push_back(std::move(s));
    }
    return out;
}

bool AddToSettleJournal(const TPendingSettlement& settlement) {
    std::vector<TPendingSettlement> all = ReadSettleJournal();
    std::erase_if(all, [&](const TPendingSettlement& s) { return s.SettleNo == settlement.SettleNo; });
    all.push_back(settlement);
    return Write(all);
}

bool RemoveFromSettleJournal(const std::string& settleNo) {
    std::vector<TPendingSettlement> all = ReadSettleJournal();
    const std::size_t before = all.size();
    std::erase_if(all, [&](const TPendingSettlement& s) { return s.SettleNo == settleNo; });
    return all.size() == before || Write(all);
}

bool SettlementPending(const TYBCard* card) {
    if (!card || card->Jslist().empty())
        return false;
    return card->RecordedSettleID() != card->JslistSettleNo();
}

bool KeepPendingSettlement(const TYBCard* card) {
    if (!SettlementPending(card))
        return false;
    ShowMsg("医保已经结算，结算还没有记入数据库：\r\n结算号：" + card->JslistSettleNo() + "\r\n零售单：" +
                card->SettledBill() + "\r\n" +
                Amounts(card->Total(), card->SettledYBPay(), card->SettledCash()) +
                "\r\n请先保存这张零售单，结算随它记入数据库。",
            "提示");
    return true;
}

void ShowSettleJournalOnce() {
    TModuleState& m = ModuleState();
    if (m.SettleJournalShown)
        return;
    m.SettleJournalShown = true;
    for (const TPendingSettlement& s : ReadSettleJournal())
        ShowMsg("上次有一笔医保结算没有记入数据库：\r\n结算号：" + s.SettleNo + "\r\n零售单：" + s.BillCode +
                    "（ID " + std::to_string(s.BillId) + "）\r\n就诊流水号：" + s.Jzlsh + "\r\n" +
                    Amounts(s.Total, s.YBPay, s.Cash) + "\r\n结算时间：" + s.Time +
                    "\r\n请通知管理员按结算号补记结算记录（InsertSettlelist_CQ），或到医保中心冲正这笔结算；"
                    "处理后删除 " +
                    SettleJournalPath() + " 中的这一行。",
                "提示");
}

} // namespace tkv
