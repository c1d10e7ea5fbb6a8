// The settlement procedures and the plain SQL of the insurance hooks: visit serial numbers,
// the settlement record, finding a settled sale, its payments, and the reversal.
#include "DatabaseFixture.h"

#include <gmock/gmock.h>

namespace tkv::host {
namespace {

using ::testing::HasSubstr;

class InsuranceProceduresTest : public testing::DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        db_->Exec(
            "INSERT INTO atype (rec, typeid, fullname) VALUES (1, '001', '现金'), (2, '002', '医保账户')");
        db_->Exec("INSERT INTO RetailBillIndex (BillID, billcode, billtype, billdate, Total) VALUES "
                  "(501, 'LS-501', 151, ?, 58.5)",
                  {OleVariant::Date(March(25))});
        db_->Exec("INSERT INTO RetailPayInfo (Billid, Arec, Total) VALUES (501, 1, 8.5), (501, 2, 50)");
    }
    testing::Args SettleArgs(const std::string& settleNo) {
        testing::Args args = {
            {"@jzlsh", "20260325000001"}, {"@LoginNO", "L-1"},     {"@LoginType", 10}, {"@PosCode", "POS01"},
            {"@FeeDate", "2026-03-25"},   {"@SettleNo", settleNo}, {"@EName", "张敏"}, {"@CardNo", "C123"},
            {"@CardName", "王五"},        {"@Total", 58.5}};
        for (const char* name :
             {"@TCZF", "@ZHZF", "@GWYBZ", "@XJZF", "@DELPJE", "@LSQFFH", "@Bala", "@YLDZ", "@MZJZ", "@MZYE",
              "@LDYZF", "@YBZF", "@SHZF", "@BNTCLJ", "@BNDELJ", "@TBQFX", "@NDLJ", "@BJMZLJ"})
            args.emplace_back(name, 1.5);
        args.emplace_back("@JsDate", "2026-03-25 09:30:00");
        args.emplace_back("@BCZFQX", 0.0);
        args.emplace_back("@BCFHYBJE", 2);
        args.emplace_back("@DELETE", 0);
        return args;
    }
    std::int32_t Reback(int billid, int ssid, const std::string& when = "2026-03-26 10:00:00") {
        return Call("XF_YBCQ_RebackRetail", {{"@szDate", when}, {"@nBillnumberid", billid}, {"@SS_ID", ssid}})
            .returnValue;
    }
    static const char* FindSql() {
        return "select "
               "r.BillID,r.billcode,r.billtype,y.SettleNo,y.deleted,y.Total,y.CardNo,y.EName,y.ZHZF,y.XJZF,"
               "y.Bala,y.LoginNO,y.ID ssid,y.jzlsh from retailbillindex r,YBSettlelist_CQ y where r.SS_ID "
               "=y.ID  "
               "and r.billtype = 151 and y.deleted = 0 ";
    }
};

TEST_F(InsuranceProceduresTest, VisitSerialNumbersRunPerDay) {
    const ResultRows first = db_->Select("exec GetLSNo_CQ");
    ASSERT_EQ(first.RowCount(), 1);
    EXPECT_EQ(first.Value(0, "YbLSNo").AsString(), "20260325000001");
    EXPECT_EQ(db_->Select("exec GetLSNo_CQ").Value(0, "YbLSNo").AsString(), "20260325000002");
    db_->SetClock([] { return EncodeDate(2026, 3, 26); });
    EXPECT_EQ(db_->Select("EXEC GetLSNo_CQ;").Value(0, "YbLSNo").AsString(), "20260326000001");
}

TEST_F(InsuranceProceduresTest, SettlementRecordIsWrittenAndFoundByBillOrSettlementNumber) {
    const std::int32_t id = Call("InsertSettlelist_CQ", SettleArgs("JS-1")).returnValue;
    ASSERT_GT(id, 0);
    db_->Exec("update RetailBillIndex set SS_ID=" + std::to_string(id) + " where billid=501");

    const ResultRows byBill = db_->Select(std::string(FindSql()) + " and r.Billcode ='LS-501'");
    ASSERT_EQ(byBill.RowCount(), 1);
    EXPECT_EQ(byBill.Value(0, "BillID").AsInteger(), 501);
    EXPECT_EQ(byBill.Value(0, "SettleNo").AsString(), "JS-1");
    EXPECT_EQ(byBill.Value(0, "jzlsh").AsString(), "20260325000001");
    EXPECT_EQ(byBill.Value(0, "EName").AsString(), "张敏");
    EXPECT_EQ(byBill.Value(0, "ssid").AsInteger(), id);
    EXPECT_EQ(byBill.Value(0, "Total").AsDouble(), 58.5);
    EXPECT_EQ(byBill.Value(0, "ZHZF").AsDouble(), 1.5);
    EXPECT_EQ(db_->Select(std::string(FindSql()) + " and y.SettleNo ='JS-1'").RowCount(), 1);
    EXPECT_EQ(db_->Select(std::string(FindSql()) + " and y.SettleNo ='JS-''1'").RowCount(), 0);

    const ResultRows pays = db_->Select("SELECT Arec,Total FROM RetailPayInfo WHERE Billid=501");
    ASSERT_EQ(pays.RowCount(), 2);
    EXPECT_EQ(pays.Value(1, "Arec").AsInteger(), 2);
    EXPECT_EQ(pays.Value(1, "Total").AsDouble(), 50);
}

TEST_F(InsuranceProceduresTest, SettlementRecordKeepsEveryFigure) {
    const std::int32_t id = Call("InsertSettlelist_CQ", SettleArgs("JS-2")).returnValue;
    const ResultRows row = db_->Select("SELECT * FROM YBSettlelist_CQ WHERE ID = ?", {id});
    EXPECT_EQ(row.Value(0, "LoginType").AsInteger(), 10);
    EXPECT_EQ(row.Value(0, "PosCode").AsString(), "POS01");
    EXPECT_EQ(row.Value(0, "FeeDate").AsString(), "2026-03-25");
    EXPECT_EQ(row.Value(0, "CardName").AsString(), "王五");
    EXPECT_EQ(row.Value(0, "BJMZLJ").AsDouble(), 1.5);
    EXPECT_EQ(row.Value(0, "JsDate").AsString(), "2026-03-25 09:30:00");
    EXPECT_EQ(row.Value(0, "BCFHYBJE").AsDouble(), 2);
    EXPECT_EQ(row.Value(0, "Deleted").AsInteger(), 0);
}

TEST_F(InsuranceProceduresTest, SettlementRecordWithTextForAFigureIsRefused) {
    testing::Args args = SettleArgs("JS-3");
    args[12].second = "abc"; // @GWYBZ
    EXPECT_THAT(CallError("InsertSettlelist_CQ", args),
                HasSubstr("@GWYBZ expects a number, not the text 'abc'"));
    EXPECT_EQ(Scalar("SELECT count(*) FROM YBSettlelist_CQ"), 0);
}

TEST_F(InsuranceProceduresTest, ReversalOfASettledSaleSucceedsOnce) {
    const std::int32_t id = Call("InsertSettlelist_CQ", SettleArgs("JS-4")).returnValue;
    db_->Exec("update RetailBillIndex set SS_ID=" + std::to_string(id) + " where billid=501");
    EXPECT_EQ(Reback(501, id), 0);
    EXPECT_EQ(Scalar("SELECT count(*) FROM YBRebackRetail_CQ WHERE BillID = 501"), 1);
    EXPECT_EQ(Reback(501, id), 2);
    db_->Exec("Update YBSettlelist_CQ set Deleted = 1 where ID =" + std::to_string(id));
    EXPECT_EQ(db_->Select(std::string(FindSql()) + " and r.Billcode ='LS-501'").RowCount(), 0);
}

TEST_F(InsuranceProceduresTest, RecordedReversalCancelsItsSettlementAtOnce) {
    const std::int32_t id = Call("InsertSettlelist_CQ", SettleArgs("JS-6")).returnValue;
    db_->Exec("update RetailBillIndex set SS_ID=" + std::to_string(id) + " where billid=501");
    EXPECT_EQ(Reback(501, id + 1), 1);
    EXPECT_EQ(Scalar("SELECT Deleted FROM YBSettlelist_CQ WHERE ID = " + std::to_string(id)), 0);
    EXPECT_EQ(Reback(501, id), 0);
    // Found no more even when the separate update of the settlement record never comes.
    EXPECT_EQ(Scalar("SELECT Deleted FROM YBSettlelist_CQ WHERE ID = " + std::to_string(id)), 1);
    EXPECT_EQ(db_->Select(std::string(FindSql()) + " and r.Billcode ='LS-501'").RowCount(), 0);
}

TEST_F(InsuranceProceduresTest, SaleReturnedBeforeIsNotRecordedTwice) {
    const std::int32_t id = Call("InsertSettlelist_CQ", SettleArgs("JS-7")).returnValue;
    db_->Exec("update RetailBillIndex set SS_ID=" + std::to_string(id) + " where billid=501");
    EXPECT_EQ(Reback(501, id), 0);
    db_->Exec("Update YBSettlelist_CQ set Deleted = 0 where ID =" + std::to_string(id));
    EXPECT_EQ(Reback(501, id), 3);
    EXPECT_EQ(Scalar("SELECT count(*) FROM YBRebackRetail_CQ"), 1);
}

TEST_F(InsuranceProceduresTest, ReversalOfAnUnsettledOrCancelledSaleFails) {
    EXPECT_EQ(Reback(501, 0), 1);
    EXPECT_EQ(Reback(999, 1), 1);
    const std::int32_t id = Call("InsertSettlelist_CQ", SettleArgs("JS-5")).returnValue;
    db_->Exec("update RetailBillIndex set SS_ID=" + std::to_string(id) + " where billid=501");
    EXPECT_EQ(Reback(501, id + 1), 1);
    db_->Exec("Update YBSettlelist_CQ set Deleted = 1 where ID =" + std::to_string(id));
    EXPECT_EQ(Reback(501, id), 2);
    EXPECT_EQ(Scalar("SELECT count(*) FROM YBRebackRetail_CQ"), 0);
}

TEST_F(InsuranceProceduresTest, ReversalDateMustBeADateAndTime) {
    EXPECT_THAT(CallError("XF_YBCQ_RebackRetail",
                          {{"@szDate", "2026-02-30 10:00:00"}, {"@nBillnumberid", 501}, {"@SS_ID", 1}}),
                HasSubstr("is not a date and time"));
    EXPECT_THAT(CallError("XF_YBCQ_RebackRetail",
                          {{"@szDate", "2026-03-26"}, {"@nBillnumberid", 501}, {"@SS_ID", 1}}),
                HasSubstr("is not a date and time"));
}

TEST_F(InsuranceProceduresTest, ProductInsuranceCodeByTypeId) {
    EXPECT_EQ(db_->Select("select ss_dm from ptype where typeid='00002'").Value(0, "ss_dm").AsString(),
              "ZA01BA");
    EXPECT_EQ(db_->Select("select ss_dm from ptype where typeid=''").RowCount(), 0);
}

} // namespace
} // namespace tkv::host
