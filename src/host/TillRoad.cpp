// The till road: settings, card, pre-settlement, settlement, record and reversal, with the database
// rows each step leaves.
#include "TillRoad.h"

#include "RetailSale.h"
#include "comm/ModuleState.h"
#include "comm/Paths.h"
#include "comm/Settings.h"
#include "framework/DateTime.h"
#include "framework/PlugParams.h"
#include "ui/headless/FormDriver.h"
#include "ui/headless/HeadlessRunner.h"

#include <cstdio>
#include <filesystem>

namespace tkv::host {

namespace {

std::string Number(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    return buf;
}

void ExpectCard(THeadlessRunner& runner, const std::string& cardNo) {
    runner.Expect("TFormVipPass", [cardNo](TFormDriver& d) {
        d.SetText("edtCardNo", cardNo);
        d.Click("btnOK");
    });
}

// "name=value; ..." of a named-parameter packet.
std::string Packet(const OleVariant& packet) {
    return PlugParamsText(packet);
}

} // namespace

bool RunTillRoad(THostSession& session, IRetailPlugin& plug, const std::string& libraryPath,
                 const TTillReport& report) {
    THeadlessRunner runner;
    HostDatabase& db = session.Database();
    bool ok = true;
    auto check = [&](bool passed, const std::string& title, const std::string& text) {
        report.Step(title, (passed ? "" : "失败: ") + text);
        ok = ok && passed;
        return passed;
    };

    runner.Expect("TConfigSetFrm", [libraryPath](TFormDriver& d) {
        d.Check("chlLog", true);
        d.SetText("RzEdit3", "P001");
        d.SetText("RzEdit1", libraryPath);
        d.Click("BitBtn1");
    });
    if (!check(plug.ssConfig(), "医保设置", SettingsFilePath()))
        return false;
    report.Line("FileName=" + GetConfigValue("FileName") + ", PosCode=" + GetConfigValue("PosCode") +
                ", YBLog=" + GetConfigValue("YBLog"));
    if (!check(plug.CheckCanUseSS() && plug.ssInit(), "医保初始化", "CheckCanUseSS, ssInit"))
        return false;

    ExpectCard(runner, "1000123456");
    OleVariant card;
    if (!check(plug.GetSBCard(card), "读卡", "GetSBCard"))
        return false;
    report.Line(Packet(card));

    const std::int32_t billId = NextRetailBillId(db);
    const std::string code = RetailBillCode(db.Now(), billId);
    // The lines come as the till holds them while the sale is rung up: a quantity raised after the
    // line was added, a line removed again; the service must get what the cashier sees.
    const TTillLines till = DemoTillLines();
    const std::vector<TSaleLine> lines = till.Shown();
    ComPtr<TRetailBill> bill(
        new TRetailBill(session.Ui(), code, billId, SaleTotal(lines), till.Packet(db.PacketForm())));
    plug.InitTransPlugin(bill.Get());
    if (!check(plug.ssEvaluateBalance(), "预结算",
               "零售单 " + code + ", 3 行 (1 行改数量, 1 行已删除), 2 行医保药品, 合计 " +
                   Number(SaleTotal(lines))))
        return false;
    OleVariant figures;
    plug.ssBalaInfo(figures);
    report.Line(Packet(figures));

    OleVariant unused;
    if (!check(plug.BeforeSave(unused), "结算", "BeforeSave"))
        return false;
    double account = 0; // the insurance share, paid from the personal account
    for (const auto& e : figures.Elements())
        if (VarToStr(e.Elements().at(0)) == "Balance_sb")
            account = e.Elements().at(1).AsDouble();
    // The first save fails after the settlement: the host does not call ssBalance, and the
    // cashier's next step (a new sale) must not drop the settlement.
    report.Line("主程序第一次保存零售单出错 (医保已结算, 没有调用 ssBalance)");
    if (!check(!plug.ClearCardInfo(), "新单", "ClearCardInfo 保留未记入数据库的结算"))
        return false;
    if (!check(plug.BeforeSave(unused), "再次保存", "BeforeSave 不再发送结算, 沿用已有的结算"))
        return false;
    SaveRetailSale(db, billId, code, db.Now(), 41, {{1, 41 - account}, {2, account}});
    report.Line("主程序再次保存零售单 BillID=" + std::to_string(billId) + ", 现金 " + Number(41 - account) +
                ", 医保个人账户 " + Number(account));
    if (!check(plug.ssBalance(), "结算记录", "ssBalance"))
        return false;
    const ResultRows record = db.Select(
        "SELECT y.ID, y.SettleNo, y.jzlsh, y.Total, y.ZHZF, y.XJZF, y.Bala, y.Deleted FROM YBSettlelist_CQ y "
        "JOIN RetailBillIndex r ON r.SS_ID = y.ID WHERE r.BillID = ?",
        {OleVariant(billId)});
    if (!check(record.RowCount() == 1, "数据库", "YBSettlelist_CQ 与 RetailBillIndex"))
        return false;
    const std::string ssid = VarToStr(record.Value(0, "ID"));
    report.Line(
        "YBSettlelist_CQ ID=" + ssid + " SettleNo=" + VarToStr(record.Value(0, "SettleNo")) +
        " jzlsh=" + VarToStr(record.Value(0, "jzlsh")) + " Total=" + VarToStr(record.Value(0, "Total")) +
        " ZHZF=" + VarToStr(record.Value(0, "ZHZF")) + " XJZF=" + VarToStr(record.Value(0, "XJZF")) +
        " Bala=" + VarToStr(record.Value(0, "Bala")) + " Deleted=" + VarToStr(record.Value(0, "Deleted")));
    report.Line("RetailBillIndex BillID=" + std::to_string(billId) + " billcode=" + code + " SS_ID=" + ssid);
    report.Line("打印项目: " + Packet(plug.ssPrintItems()));

    ExpectCard(runner, "1000123456");
    runner.Expect("TCardShowFrm", [](TFormDriver& d) { d.Click("btnOK"); });
    runner.Expect("TSelrebackSettleFrm", [code](TFormDriver& d) {
        d.SetText("reBill", code);
        d.Click("btnOK");
    });
    if (!check(plug.CanelBalance(), "退单", "CanelBalance, 按零售单号 " + code))
        return false;
    const ResultRows reback = db.Select(
        "SELECT b.ID, b.BillID, y.Deleted FROM YBRebackRetail_CQ b JOIN YBSettlelist_CQ y ON y.ID = b.SS_ID "
        "WHERE b.SS_ID = ?",
        {OleVariant(std::stoi(ssid))});
    if (!check(reback.RowCount() == 1, "数据库", "YBRebackRetail_CQ"))
        return false;
    report.Line("YBRebackRetail_CQ ID=" + VarToStr(reback.Value(0, "ID")) +
                " BillID=" + VarToStr(reback.Value(0, "BillID")) + " SS_ID=" + ssid +
                "; YBSettlelist_CQ ID=" + ssid + " Deleted=" + VarToStr(reback.Value(0, "Deleted")));

    for (const auto& e : session.Ui().Events())
        report.Line(e.Kind == TUiEventKind::ConfirmPayments ? "主程序退款确认: " + e.Text
                                                            : "主程序显示: " + e.Title + " " + e.Text);
    for (const std::string& failure : runner.Failures())
        check(false, "窗口脚本", failure);
    const std::string log = AddBackSlash(DataPath()) + "cqybPross.log";
    std::error_code ec;
    report.Step("医保日志",
                log + ", " + std::to_string(std::filesystem::file_size(Utf8Path(log), ec)) + " 字节");
    return ok;
}

} // namespace tkv::host
