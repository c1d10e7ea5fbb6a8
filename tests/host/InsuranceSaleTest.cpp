// A till's road against the simulated insurance service through the stand-in "SiInterface.dll":
// card reading with its dialogs, pre-settlement, settlement, the record in the host database, and
// the faults on the way (price question, failing upload, settlement the database did not take).
#include "InsuranceFixture.h"

#include "toolkit/Edit.h"
#include "toolkit/Keys.h"
#include "toolkit/Label.h"
#include "toolkit/LabelComboBox.h"
#include "ui/headless/FormDriver.h"

#include <gmock/gmock.h>

namespace tkv::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

using InsuranceSaleTest = SimInsuranceFixture;

TEST_F(InsuranceSaleTest, WholeSaleFromCardToTheSettlementRecord) {
    ExpectCard("1000123456");
    OleVariant card;
    ASSERT_TRUE(plug->GetSBCard(card));
    const auto entries = Entries(card);
    ASSERT_EQ(entries.size(), 7u);
    EXPECT_EQ(entries[0].first, "CardNo");
    EXPECT_EQ(entries[0].second.AsString(), "1000123456");
    EXPECT_EQ(entries[1].second.AsString(), "张三");
    EXPECT_EQ(entries[2].first, "CardBm");
    EXPECT_EQ(entries[2].second.AsString(), "");
    EXPECT_EQ(entries[3].second.AsString(), "男");
    EXPECT_EQ(entries[4].first, "CardBala");
    EXPECT_DOUBLE_EQ(entries[4].second.AsDouble(), 1200.5);
    EXPECT_EQ(entries[5].second.AsString(), "重庆山城科技有限公司");
    EXPECT_EQ(entries[6].first, "CardAge");
    EXPECT_EQ(entries[6].second.AsInteger(), 45);
    EXPECT_EQ(Card()->MZtype(), 10);
    EXPECT_EQ(Card()->LoginNO(), "DL20260325000001");

    std::vector<host::TSaleLine> lines = TwoProducts();
    lines.push_back({"", "包装袋", 0.5, 1, 1, 0.5}); // no product: not an insurance line
    ComPtr<host::TRetailBill> bill = NewSale("LS-20260325-101", lines);
    ASSERT_TRUE(plug->ssEvaluateBalance());
    EXPECT_EQ(Requests("04"), 2);
    EXPECT_DOUBLE_EQ(Card()->Total(), 43);
    EXPECT_THAT(LogText(), HasSubstr("输入参数:06|20260325000001||0|43||3|1\r\n"));
    OleVariant figures;
    plug->ssBalaInfo(figures);
    EXPECT_DOUBLE_EQ(Entry(figures, "Balance_sb").AsDouble(), 43);
    EXPECT_DOUBLE_EQ(Entry(figures, "Balance_Cash").AsDouble(), 0);
    EXPECT_DOUBLE_EQ(Entry(figures, "Balance_Bala").AsDouble(), 1157.5);
    EXPECT_EQ(Entry(figures, "Balance_no").AsString(), "");

    OleVariant unused;
    ASSERT_TRUE(plug->BeforeSave(unused));
    Save(*bill.Get(), 0.5, 43);
    ASSERT_TRUE(plug->ssBalance());
    EXPECT_THAT(LogText(), HasSubstr("结算零售单是:" + std::to_string(bill->GetBillID()) + "\r\n"));

    const auto row = session->Database().Select(
        "SELECT y.* FROM YBSettlelist_CQ y JOIN RetailBillIndex r ON r.SS_ID = y.ID WHERE r.BillID = ?",
        {OleVariant(bill->GetBillID())});
    ASSERT_EQ(row.RowCount(), 1);
    EXPECT_EQ(row.Value(0, "jzlsh").AsString(), "20260325000001");
    EXPECT_EQ(row.Value(0, "LoginNO").AsString(), "DL20260325000001");
    EXPECT_EQ(row.Value(0, "LoginType").AsInteger(), 10);
    EXPECT_EQ(row.Value(0, "PosCode").AsString(), "P001");
    EXPECT_EQ(row.Value(0, "FeeDate").AsString(), "2026-03-25");
    EXPECT_EQ(row.Value(0, "SettleNo").AsString(), "JS20260325000001");
    EXPECT_EQ(row.Value(0, "EName").AsString(), "收银员");
    EXPECT_EQ(row.Value(0, "CardNo").AsString(), "1000123456");
    EXPECT_EQ(row.Value(0, "CardName").AsString(), "张三");
    EXPECT_DOUBLE_EQ(row.Value(0, "Total").AsDouble(), 43);
    EXPECT_DOUBLE_EQ(row.Value(0, "ZHZF").AsDouble(), 43);
    EXPECT_DOUBLE_EQ(row.Value(0, "Bala").AsDouble(), 1157.5);
    EXPECT_DOUBLE_EQ(row.Value(0, "YBZF").AsDouble(), 43);
    EXPECT_EQ(row.Value(0, "JsDate").AsString(), "2026-03-25 00:00:00");
    EXPECT_EQ(row.Value(0, "Deleted").AsInteger(), 0);

    const OleVariant items = plug->ssPrintItems();
    std::vector<std::string> names;
    for (const auto& [name, value] : Entries(items))
        names.push_back(name);
    EXPECT_THAT(names, ElementsAre("社保支付金额", "现金支付金额", "当前社保余额", "社保结算交易号", "保险号",
                                   "姓名", "社保卡号", "原始社保余额"));
    EXPECT_EQ(Entry(items, "社保结算交易号").AsString(), "JS20260325000001");
    EXPECT_DOUBLE_EQ(Entry(items, "原始社保余额").AsDouble(), 1200.5);
    EXPECT_TRUE(runner.Failures().empty()) << runner.Failures().front();
    EXPECT_TRUE(Shown().empty()) << Shown().front();
}

// The till's lines come with their pending changes, in either packet form: a quantity raised after
// the line was added, a line removed, a line added. The service gets the lines the cashier sees.
TEST_F(InsuranceSaleTest, LinesChangedAtTheTillAreSentAsTheCashierSeesThem) {
    for (TPacketForm form : {TPacketForm::Binary, TPacketForm::Xml}) {
        ASSERT_TRUE(ReadCard("1000123456"));
        const std::vector<host::TSaleLine> two = TwoProducts();
        host::TTillLines till;
        till.Add(two[0]);
        till.Add(two[1]);
        till.SetQty(0, 2 * two[0].Qty);
        till.Remove(1);
        till.Add(two[1]);
        const std::vector<host::TSaleLine> shown = till.Shown();
        ASSERT_EQ(shown.size(), 2u);
        const double total = host::SaleTotal(shown);
        const int uploads = Requests("04");
        ComPtr<host::TRetailBill> bill(
            new host::TRetailBill(session->Ui(), "LS-20260325-7", 7, total, till.Packet(form)));
        plug->InitTransPlugin(bill.Get());
        ASSERT_TRUE(plug->ssEvaluateBalance());
        EXPECT_EQ(Requests("04") - uploads, 2);
        EXPECT_DOUBLE_EQ(Card()->Total(), total);
        EXPECT_DOUBLE_EQ(total, 2 * two[0].Total + two[1].Total);
        plug->ssClearEvaluateBalance();
    }
}

// The demo's cold granules have "10g|9袋" as their pack size (规格); the service holds it registered
// with the full-width bar, and checks every field of the line against its catalogue.
TEST_F(InsuranceSaleTest, ASpecificationWithTheSeparatorIsSentFullWidth) {
    ASSERT_TRUE(ReadCard("1000123456"));
    NewSale("LS-20260325-8", {TwoProducts()[0], {"00004", "感冒灵颗粒", 15.5, 1, 1, 15.5}});
    ASSERT_TRUE(plug->ssEvaluateBalance());
    EXPECT_THAT(LogText(), HasSubstr("|盒|10g｜9袋|颗粒剂||15.5|P001|P001|00001||||1\r\n"));
    EXPECT_EQ(Requests("04"), 2);
}

// Each unit of the sale line names its own unit of the product record; the service takes the line
// only when the price fits the unit it is named in.
TEST_F(InsuranceSaleTest, EachUnitOfTheLineIsNamedAsTheProductRecordNamesIt) {
    ASSERT_TRUE(ReadCard("1000123456"));
    NewSale("LS-UNITS", {{"00001", "阿莫西林胶囊", 12.5, 1, 1, 12.5},
                         {"00001", "阿莫西林胶囊", 6.25, 1, 2, 6.25},
                         {"00001", "阿莫西林胶囊", 125, 1, 3, 125},
                         {"00001", "阿莫西林胶囊", 0.52, 10, 101, 5.2},
                         {"00001", "阿莫西林胶囊", 12.5, 2, 7, 25}});
    ASSERT_TRUE(plug->ssEvaluateBalance()) << Shown().back();
    for (const char* unit : {"|12.5|1|0|0000000001|收银员|盒|", "|6.25|1|0|0000000001|收银员|板|",
                             "|125|1|0|0000000001|收银员|中盒|", "|0.52|10|0|0000000001|收银员|粒|",
                             "|12.5|2|0|0000000001|收银员|盒|"})
        EXPECT_THAT(LogText(), HasSubstr(unit));
}

TEST_F(InsuranceSaleTest, ARepeatedPreSettlementWithdrawsTheEarlierLinesFirstAndARecordIsWrittenOnce) {
    ASSERT_TRUE(ReadCard("1000123456"));
    ComPtr<host::TRetailBill> bill = NewSale("LS-20260325-9", TwoProducts());
    ASSERT_TRUE(plug->ssEvaluateBalance());
    const int withdrawals = Requests("10");
    ASSERT_TRUE(plug->ssEvaluateBalance());
    EXPECT_EQ(Requests("10"), withdrawals + 1);
    EXPECT_EQ(Requests("04"), 4);

    OleVariant unused;
    ASSERT_TRUE(plug->BeforeSave(unused));
    Save(*bill.Get(), 0, 43);
    ASSERT_TRUE(plug->ssBalance());
    ASSERT_TRUE(plug->ssBalance());
    EXPECT_EQ(Count("SELECT count(*) AS n FROM YBSettlelist_CQ y JOIN RetailBillIndex r ON r.SS_ID = y.ID "
                    "WHERE r.BillID = " +
                    std::to_string(bill->GetBillID())),
              1);
    EXPECT_EQ(Count("SELECT count(*) AS n FROM YBSettlelist_CQ WHERE SettleNo = 'JS20260325000001'"), 1);
}

TEST_F(InsuranceSaleTest, PriceExactly1000AsksNothingAbove1000AsksAndNoStopsBeforeSending) {
    session->Database().Exec(
        "INSERT INTO ptype (rec, typeid, usercode, fullname, standard, type, Unit1, ss_dm) "
        "VALUES (95, '00095', 'SP095', '人血白蛋白', '10g(20%,50ml)', '注射剂', '瓶', "
        "'XB05AAR017B002010100009')");
    ASSERT_TRUE(ReadCard("1000123456"));
    NewSale("LS-P1", {{"00095", "人血白蛋白", 1000, 1, 1, 1000}});
    ASSERT_TRUE(plug->ssEvaluateBalance());
    EXPECT_TRUE(Shown().empty());

    ASSERT_TRUE(ReadCard("1000123456"));
    session->Ui().QueueAnswer(false);
    NewSale("LS-P2", {{"00095", "人血白蛋白", 1000.01, 1, 1, 1000.01}});
    const int uploads = Requests("04");
    EXPECT_FALSE(plug->ssEvaluateBalance());
    EXPECT_THAT(Shown(), ElementsAre("选择:药品人血白蛋白单价操作1000，是否继续结算？"));
    EXPECT_EQ(Requests("04"), uploads);
}

TEST_F(InsuranceSaleTest, UploadFailingInTheMiddleWithdrawsTwiceAndKeepsTheFirstTwoTotals) {
    session->Database().Exec("INSERT INTO ptype (rec, typeid, usercode, fullname, Unit1, ss_dm) "
                             "VALUES (90, '00090', 'SP090', '未对照药品', '盒', '')");
    ASSERT_TRUE(ReadCard("1000123456"));
    NewSale("LS-U1", {{"00001", "阿莫西林胶囊", 12.5, 2, 1, 25},
                      {"00090", "未对照药品", 3, 1, 1, 3},
                      {"00002", "板蓝根颗粒", 18, 1, 1, 18}});
    EXPECT_FALSE(plug->ssEvaluateBalance());
    EXPECT_EQ(Requests("04"), 2);
    EXPECT_EQ(Requests("10"), 2);
    EXPECT_EQ(Requests("06"), 0);
    EXPECT_DOUBLE_EQ(Card()->Total(), 28);
    EXPECT_THAT(Shown(), ElementsAre("提示:上传明细失败！", "错误:药品[未对照药品]未对照医保编码\r\n"));
}

TEST_F(InsuranceSaleTest, SaleWithoutInsuranceLinesShowsAnEmptyErrorAndWithdrawsOnce) {
    ASSERT_TRUE(ReadCard("1000123456"));
    NewSale("LS-E1", {{"", "包装袋", 0.5, 1, 1, 0.5}});
    EXPECT_FALSE(plug->ssEvaluateBalance());
    EXPECT_EQ(Requests("04"), 0);
    EXPECT_EQ(Requests("10"), 1);
    EXPECT_THAT(Shown(), ElementsAre("错误:"));
}

TEST_F(InsuranceSaleTest, ProductIdWithAQuoteFindsItsInsuranceCode) {
    session->Database().Exec(
        "INSERT INTO ptype (rec, typeid, usercode, fullname, standard, type, Unit1, ss_dm) "
        "SELECT 91, 'Q''1', 'SP091', fullname, standard, type, Unit1, ss_dm FROM ptype "
        "WHERE typeid = '00001'");
    ASSERT_TRUE(ReadCard("1000123456"));
    NewSale("LS-Q1", {{"Q'1", "阿莫西林胶囊", 12.5, 1, 1, 12.5}});
    ASSERT_TRUE(plug->ssEvaluateBalance());
    EXPECT_THAT(LogText(),
                HasSubstr("|XJ01CAA040E001010100254|SP091|阿莫西林胶囊|12.5|1|0|0000000001|收银员|"));
}

// From a successful settlement until its record is written, no hook drops it: each tells the
// cashier the settlement and keeps it, and the next ssBalance records it.
TEST_F(InsuranceSaleTest, ASettlementWaitingForItsRecordIsKeptByEveryHookThatWouldDropIt) {
    ASSERT_TRUE(ReadCard("1000123456"));
    ComPtr<host::TRetailBill> bill = NewSale("LS-F1", TwoProducts());
    ASSERT_TRUE(plug->ssEvaluateBalance());
    OleVariant unused;
    ASSERT_TRUE(plug->BeforeSave(unused));
    const int uploads = Requests("04"), withdrawals = Requests("10");
    const std::string told =
        "提示:医保已经结算，结算还没有记入数据库：\r\n结算号：JS20260325000001\r\n零售单："
        "LS-F1\r\n结算金额：43，医保支付：43，现金支付：0\r\n请先保存这张零售单，结算随它记入数据库。";
    EXPECT_FALSE(plug->ssEvaluateBalance());
    EXPECT_EQ(Shown().back(), told);
    EXPECT_FALSE(plug->ssClearEvaluateBalance());
    EXPECT_FALSE(plug->ClearCardInfo());
    OleVariant card;
    EXPECT_FALSE(plug->GetSBCard(card));
    EXPECT_EQ(Shown().back(), told);
    EXPECT_EQ(Requests("04"), uploads);
    EXPECT_EQ(Requests("10"), withdrawals);
    EXPECT_DOUBLE_EQ(Trans().FTotalYB, 43);
    // The host's save of another bill is refused; its second save of this one goes through
    // without a second settlement, which the service would refuse.
    const int settlements = Requests("05");
    NewSale("LS-F2", TwoProducts());
    EXPECT_FALSE(plug->BeforeSave(unused));
    EXPECT_EQ(Shown().back(), told);
    plug->InitTransPlugin(bill.Get());
    EXPECT_TRUE(plug->BeforeSave(unused));
    EXPECT_EQ(Requests("05"), settlements);

    Save(*bill.Get(), 0, 43);
    ASSERT_TRUE(plug->ssBalance());
    EXPECT_EQ(Count("SELECT count(*) AS n FROM YBSettlelist_CQ WHERE SettleNo = 'JS20260325000001'"), 1);
    EXPECT_TRUE(plug->ClearCardInfo());
}

// The plug-in loaded again after a process that ended between the settlement and its record shows
// the settlement once, with what is needed to record or reverse it.
TEST_F(InsuranceSaleTest, TheJournalKeepsASettlementAcrossAnEndedProcess) {
    ASSERT_TRUE(ReadCard("1000123456"));
    NewSale("LS-J1", TwoProducts());
    ASSERT_TRUE(plug->ssEvaluateBalance());
    OleVariant unused;
    ASSERT_TRUE(plug->BeforeSave(unused));
    ASSERT_TRUE(std::filesystem::exists(DataFolder() / "cqybJournal.DAT"));

    plug = nullptr;
    module.reset(); // the plug-in unloaded with its state, the files stay
    module = std::make_unique<TModuleScope>();
    InstallInsuranceHooks();
    plug = CreateRetailPlug();
    plug->InitPlugin(session->Main());
    session->Ui().ClearEvents();
    plug->CheckCanUseSS();
    plug->CheckCanUseSS();
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_THAT(Shown().front(),
                HasSubstr("上次有一笔医保结算没有记入数据库：\r\n结算号：JS20260325000001\r\n零售单：LS-J1"));
    EXPECT_THAT(Shown().front(),
                HasSubstr("就诊流水号：20260325000001\r\n结算金额：43，医保支付：43，现金支付：0"));
    EXPECT_THAT(Shown().front(), HasSubstr("InsertSettlelist_CQ"));
}

TEST_F(InsuranceSaleTest, SettlementTheDatabaseDidNotTakeIsToldWithItsNumber) {
    ASSERT_TRUE(ReadCard("1000123456"));
    ComPtr<host::TRetailBill> bill = NewSale("LS-R1", TwoProducts());
    ASSERT_TRUE(plug->ssEvaluateBalance());
    OleVariant unused;
    ASSERT_TRUE(plug->BeforeSave(unused));
    Save(*bill.Get(), 0, 43);
    session->Database().Exec("CREATE TRIGGER refuse BEFORE INSERT ON YBSettlelist_CQ "
                             "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    const std::int64_t before = Settlements();
    EXPECT_FALSE(plug->ssBalance());
    EXPECT_EQ(Settlements(), before);
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_THAT(Shown()[0],
                HasSubstr("错误:医保已经结算，但结算没有记入数据库！\r\n结算号：JS20260325000001"));
    EXPECT_THAT(Shown()[0], HasSubstr("disk full"));
    EXPECT_THAT(LogText(), HasSubstr("结算记录保存失败,零售单:" + std::to_string(bill->GetBillID()) +
                                     ",结算号:JS20260325000001,"));
}

TEST_F(InsuranceSaleTest, SettlementOfABillWithoutIdIsToldInsteadOfLeftUnlinked) {
    ASSERT_TRUE(ReadCard("1000123456"));
    NewSale("LS-R2", TwoProducts(), 0);
    ASSERT_TRUE(plug->ssEvaluateBalance());
    OleVariant unused;
    ASSERT_TRUE(plug->BeforeSave(unused));
    EXPECT_FALSE(plug->ssBalance());
    EXPECT_THAT(Shown().back(), HasSubstr("结算号：JS20260325000001"));
    EXPECT_EQ(
        Count(
            "SELECT count(*) AS n FROM RetailBillIndex WHERE SS_ID = (SELECT max(ID) FROM YBSettlelist_CQ)"),
        0);
}

TEST_F(InsuranceSaleTest, NoSettlementAnswerRecordsNothing) {
    const std::int64_t before = Settlements();
    EXPECT_FALSE(plug->ssBalance()); // no card yet
    ASSERT_TRUE(ReadCard("1000123456"));
    NewSale("LS-N1", TwoProducts());
    EXPECT_FALSE(plug->ssBalance()); // card read, not settled
    ASSERT_TRUE(plug->ssEvaluateBalance());
    OleVariant unused;
    ASSERT_TRUE(plug->BeforeSave(unused));
    EXPECT_EQ(Settlements(), before); // settled, not yet recorded
}

TEST_F(InsuranceSaleTest, FailedSettlementIsLoggedWithTheBillNumber) {
    ASSERT_TRUE(ReadCard("1000123456"));
    NewSale("LS-S1", TwoProducts());
    OleVariant unused;
    EXPECT_FALSE(plug->BeforeSave(unused)); // not pre-settled
    EXPECT_THAT(Shown(), ElementsAre("提示:未预结算,不能结算\r\n"));
    EXPECT_THAT(LogText(), HasSubstr("结算失败,零售单:LS-S1\r\n" + std::string(47, '-') + "\r\n"));
}

TEST_F(InsuranceSaleTest, AbandonedPreSettlementIsWithdrawnAndTheCardForgotten) {
    EXPECT_FALSE(plug->ssClearEvaluateBalance()); // no card object yet
    ASSERT_TRUE(ReadCard("1000123456"));
    NewSale("LS-C1", TwoProducts());
    ASSERT_TRUE(plug->ssEvaluateBalance());
    EXPECT_TRUE(plug->ssClearEvaluateBalance());
    EXPECT_EQ(Requests("10"), 1);
    EXPECT_EQ(Card()->CardNo(), "");
    EXPECT_DOUBLE_EQ(Trans().FTotalYB, 0);
    EXPECT_EQ(Trans().FBalanceRetvalue, "");
}

TEST_F(InsuranceSaleTest, SpecialDiseaseOutpatientChoosesTheDiseaseAndLogsInWithIt) {
    runner.Expect("TFormVipPass", [](TFormDriver& d) {
        d.SetText("edtCardNo", "1000654321");
        d.Click("rbTBMZ");
        d.Click("btnOK");
    });
    runner.Expect("TSelectTSB", [](TFormDriver& d) {
        auto& list = d.Get<TLabelComboBox>("cbTSB");
        EXPECT_THAT(list.Items(), ElementsAre("高血压", "糖尿病"));
        d.Click("btnOK"); // nothing chosen yet
        d.ChooseItem("cbTSB", "糖尿病");
        d.Click("btnOK");
    });
    OleVariant card;
    ASSERT_TRUE(plug->GetSBCard(card));
    EXPECT_TRUE(runner.Failures().empty()) << runner.Failures().front();
    EXPECT_THAT(Shown(), ElementsAre("提示:请选择特殊病种"));
    EXPECT_EQ(Card()->MZtype(), 13);
    ASSERT_EQ(Card()->TSBList().Count(), 2);
    EXPECT_EQ(Card()->TSBList().Objects(1).Code, "M02");
    EXPECT_THAT(LogText(),
                HasSubstr("输入参数:02|20260325000001|13|1000654321|P001|P001|2026-03-25|M02|收银员|"));
    EXPECT_EQ(Entry(card, "CardName").AsString(), "李四");
}

TEST_F(InsuranceSaleTest, CardWithoutSpecialDiseasesKeepsTheWindowOpenWithoutLogin) {
    runner.Expect("TFormVipPass", [](TFormDriver& d) {
        d.SetText("edtCardNo", "1000123456");
        d.Click("rbTBMZ");
        d.Click("btnOK");
        EXPECT_TRUE(d.Form().Visible());
        d.Click("btnCancel");
    });
    OleVariant card = OleVariant("untouched");
    EXPECT_FALSE(plug->GetSBCard(card));
    EXPECT_EQ(card.AsString(), "untouched");
    EXPECT_THAT(Shown(),
                ElementsAre("提示:输入错误:该卡号没有特殊病种，不能选择特病门诊", "错误:刷卡操作被终止"));
    EXPECT_EQ(Requests("02"), 0);
}

TEST_F(InsuranceSaleTest, UnknownCardIsRefusedAndTheCardCleared) {
    runner.Expect("TFormVipPass", [](TFormDriver& d) {
        d.SetText("edtCardNo", "  ");
        d.Click("btnOK");
        d.SetText("edtCardNo", " 999 ");
        d.Click("btnOK");
        d.Click("btnCancel");
    });
    OleVariant card;
    EXPECT_FALSE(plug->GetSBCard(card));
    EXPECT_THAT(Shown(), ElementsAre("提示:请输入医保卡号", "提示:输入错误:卡号不存在:999\r\n",
                                     "错误:刷卡操作被终止"));
    EXPECT_EQ(Card()->Xfls(), "");
}

TEST_F(InsuranceSaleTest, EnterReadsTheCardWhenTheEditIsEmptyAndConfirmsOtherwise) {
    runner.Expect("TFormVipPass", [](TFormDriver& d) {
        EXPECT_EQ(d.Form().ActiveControl(), &d.Get<TEdit>("edtCardNo"));
        d.PressKey("edtCardNo", VK_RETURN);
        EXPECT_EQ(d.Get<TEdit>("edtCardNo").Text(), "1000123456");
        d.PressKey("edtCardNo", VK_RETURN);
    });
    OleVariant card;
    EXPECT_TRUE(plug->GetSBCard(card));
    EXPECT_EQ(Entry(card, "CardNo").AsString(), "1000123456");
}

TEST_F(InsuranceSaleTest, CtrlF4ReadsTheCard) {
    runner.Expect("TFormVipPass", [](TFormDriver& d) {
        d.PressKey(115, ssCtrl);
        EXPECT_EQ(d.Get<TEdit>("edtCardNo").Text(), "1000123456");
        d.PressKey(115);
        d.Click("btnOK");
    });
    OleVariant card;
    EXPECT_TRUE(plug->GetSBCard(card));
    EXPECT_EQ(Requests("31"), 0); // the card reader's request is logged without a code
    EXPECT_THAT(LogText(), HasSubstr("业务代码:\r\n输入参数:31\r\n"));
}

TEST_F(InsuranceSaleTest, OneVisitSerialNumberPerCardReading) {
    ASSERT_TRUE(ReadCard("1000123456"));
    const std::int64_t drawn = Count("SELECT count(*) AS n FROM YBLSNo_CQ");
    EXPECT_EQ(Card()->GetXfls(), "20260325000001");
    EXPECT_EQ(Card()->GetXfls(), "20260325000001");
    EXPECT_EQ(Count("SELECT count(*) AS n FROM YBLSNo_CQ"), drawn);
    ASSERT_TRUE(ReadCard("1000123456"));
    EXPECT_EQ(Card()->GetXfls(), "20260325000002");
}

TEST_F(InsuranceSaleTest, CardWindowShowsTheCardAndNothingBeforeAReading) {
    plug->ShowSBCard();
    EXPECT_EQ(runner.ShownForms(), 0);
    ASSERT_TRUE(ReadCard("1000654321"));
    runner.Expect("TCardShowFrm", [](TFormDriver& d) {
        EXPECT_EQ(d.Get<TLabel>("lblName").Caption(), "李四");
        EXPECT_EQ(d.Get<TLabel>("lblSex").Caption(), "女");
        EXPECT_EQ(d.Get<TLabel>("lblAge").Caption(), "68");
        EXPECT_EQ(d.Get<TLabel>("lblRYLB").Caption(), "退休");
        EXPECT_EQ(d.Get<TLabel>("lblUnit").Caption(), "重庆机床厂");
        EXPECT_EQ(d.Get<TLabel>("lblBala").Caption(), "356.8");
        d.Click("btnOK");
    });
    plug->ShowSBCard();
    EXPECT_TRUE(runner.Failures().empty()) << runner.Failures().front();
    EXPECT_EQ(runner.ShownForms(), 2);
}

} // namespace
} // namespace tkv::test
