// The reversal of a settled sale: card, search by bill or settlement number, the host's payment
// window, the service's reversal and the return's record; and the searches that find nothing.
#include "InsuranceFixture.h"

#include "toolkit/Edit.h"
#include "toolkit/RadioButton.h"

#include <gmock/gmock.h>

namespace tkv::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class InsuranceReversalTest : public SimInsuranceFixture {
protected:
    // The card-number window and the card window of the reversal's card reading.
    void ExpectReversalCard() {
        ExpectCard("1000123456");
        runner.Expect("TCardShowFrm", [](TFormDriver& d) { d.Click("btnOK"); });
    }
    void ExpectSearch(THeadlessRunner::TScript script) {
        runner.Expect("TSelrebackSettleFrm", std::move(script));
    }
    void ExpectSearchByBill(const std::string& code) {
        ExpectSearch([code](TFormDriver& d) {
            d.SetText("reBill", code);
            d.Click("btnOK");
        });
    }
    // The reversal from a fresh message list.
    bool Reverse() {
        session->Ui().ClearEvents();
        NewSale("LS-BACK", {});
        return plug->CanelBalance();
    }
    std::int32_t Deleted(std::int32_t billId) {
        return session->Database()
            .Select("SELECT y.Deleted AS d FROM YBSettlelist_CQ y JOIN RetailBillIndex r ON r.SS_ID = y.ID "
                    "WHERE r.BillID = ?",
                    {OleVariant(billId)})
            .Value(0, "d")
            .AsInteger();
    }
};

TEST_F(InsuranceReversalTest, FoundByBillNumberReversedAndRecorded) {
    const std::int32_t billId = SellAndRecord("LS-RV1");
    ExpectReversalCard();
    ExpectSearchByBill("LS-RV1");
    EXPECT_TRUE(Reverse());
    EXPECT_TRUE(runner.Failures().empty()) << runner.Failures().front();
    EXPECT_THAT(Shown(), ElementsAre(":1=0; 2=43", "提示:取消结算操作成功!"));
    EXPECT_EQ(Deleted(billId), 1);
    EXPECT_EQ(Count("SELECT count(*) AS n FROM YBRebackRetail_CQ WHERE BillID = " + std::to_string(billId)),
              1);
    EXPECT_THAT(LogText(),
                HasSubstr("输入参数:99|JS20260325000001|收银员|20260325000001|0|1\r\n接口调用成功:0"));
}

TEST_F(InsuranceReversalTest, FoundBySettlementNumber) {
    const std::int32_t billId = SellAndRecord("LS-RV2");
    ExpectReversalCard();
    ExpectSearch([](TFormDriver& d) {
        EXPECT_FALSE(d.Get<TEdit>("reSettle").Enabled());
        d.SetText("reBill", "typed first");
        d.Click("rbCode");
        EXPECT_FALSE(d.Get<TEdit>("reBill").Enabled());
        EXPECT_EQ(d.Get<TEdit>("reBill").Text(), "");
        EXPECT_EQ(d.Form().ActiveControl(), &d.Get<TEdit>("reSettle"));
        d.SetText("reSettle", "JS20260325000001");
        d.Click("btnOK");
    });
    EXPECT_TRUE(Reverse());
    EXPECT_EQ(Deleted(billId), 1);
}

TEST_F(InsuranceReversalTest, QuoteInTheBillNumberIsSearchedLiterally) {
    const std::int32_t billId = SellAndRecord("LS'Q");
    ExpectReversalCard();
    ExpectSearch([](TFormDriver& d) {
        d.SetText("reBill", "x' or '1'='1");
        d.Click("btnOK");
        EXPECT_TRUE(d.Form().Visible());
        d.SetText("reBill", "LS'Q");
        d.Click("btnOK");
    });
    EXPECT_TRUE(Reverse());
    EXPECT_EQ(Shown().front(), "提示:未找到此单据！");
    EXPECT_EQ(Deleted(billId), 1);
}

TEST_F(InsuranceReversalTest, AlreadyReversedSettlementIsNotFound) {
    SellAndRecord("LS-RV3");
    ExpectReversalCard();
    ExpectSearchByBill("LS-RV3");
    ASSERT_TRUE(Reverse());
    ExpectReversalCard();
    ExpectSearch([](TFormDriver& d) {
        d.SetText("reBill", "LS-RV3");
        d.Click("btnOK");
        d.Click("btnClose");
    });
    EXPECT_FALSE(Reverse());
    EXPECT_THAT(Shown(), ElementsAre("提示:未找到此单据！"));
    EXPECT_EQ(Count("SELECT count(*) AS n FROM YBRebackRetail_CQ"), 1);
}

TEST_F(InsuranceReversalTest, DeclinedPaymentsReverseNothing) {
    const std::int32_t billId = SellAndRecord("LS-RV4");
    ExpectReversalCard();
    ExpectSearchByBill("LS-RV4");
    session->Ui().QueueConfirmation(false);
    const int reversals = Requests("99");
    EXPECT_FALSE(Reverse());
    EXPECT_EQ(Requests("99"), reversals);
    EXPECT_EQ(Deleted(billId), 0);
}

TEST_F(InsuranceReversalTest, TwoPaymentsOnOneAccountPassTheLaterAmount) {
    SellAndRecord("LS-RV5", {{2, 10}, {2, 33}});
    ExpectReversalCard();
    ExpectSearchByBill("LS-RV5");
    EXPECT_TRUE(Reverse());
    EXPECT_EQ(Shown().front(), ":2=33");
}

TEST_F(InsuranceReversalTest, ServiceRefusalIsShownAndNothingWritten) {
    // The demo's settled sale belongs to no visit the service knows.
    const std::string code = session->Database()
                                 .Select("SELECT billcode AS c FROM RetailBillIndex WHERE BillID = 5001")
                                 .Value(0, "c")
                                 .AsString();
    ExpectReversalCard();
    ExpectSearchByBill(code);
    EXPECT_FALSE(Reverse());
    EXPECT_EQ(Shown().back(), "提示:结算号不存在:JS0001\r\n");
    EXPECT_EQ(Deleted(5001), 0);
}

TEST_F(InsuranceReversalTest, ReturnTheDatabaseRefusesIsToldAndLogged) {
    const std::int32_t billId = SellAndRecord("LS-RV6");
    const std::string ssid = std::to_string(
        Count("SELECT SS_ID AS n FROM RetailBillIndex WHERE BillID = " + std::to_string(billId)));
    session->Database().Exec("INSERT INTO YBRebackRetail_CQ (BillID, SS_ID, RebackDate) VALUES (" +
                             std::to_string(billId) + ", " + ssid + ", 0)");
    ExpectReversalCard();
    ExpectSearchByBill("LS-RV6");
    EXPECT_FALSE(Reverse());
    EXPECT_EQ(Shown().back(), "提示:取消结算操作失败，已经撤销操作！");
    EXPECT_EQ(Deleted(billId), 0);
    EXPECT_THAT(LogText(), HasSubstr("取消结算记录失败,零售单ID:" + std::to_string(billId) +
                                     ",结算号:JS20260325000001,返回 3"));
}

TEST_F(InsuranceReversalTest, ARecordTheDatabaseDoesNotMarkDeletedIsToldWithTheSettlementNumber) {
    const std::int32_t billId = SellAndRecord("LS-RV7");
    const std::string ssid = std::to_string(
        Count("SELECT SS_ID AS n FROM RetailBillIndex WHERE BillID = " + std::to_string(billId)));
    // The return's procedure marks the record itself; the plug-in's own update after it is refused.
    session->Database().Exec("CREATE TRIGGER keep BEFORE UPDATE OF Deleted ON YBSettlelist_CQ "
                             "WHEN OLD.Deleted = 1 BEGIN SELECT RAISE(ABORT, 'record locked'); END");
    ExpectReversalCard();
    ExpectSearchByBill("LS-RV7");
    EXPECT_FALSE(Reverse());
    EXPECT_EQ(Shown().back(), "错误:医保已经取消结算，但数据库没有接受结算记录的取消标记！\r\n结算号："
                              "JS20260325000001\r\n请通知管理员核对结算记录 " +
                                  ssid + "，必要时把它标记为已取消（YBSettlelist_CQ.Deleted=1）。");
    EXPECT_THAT(LogText(),
                HasSubstr("取消结算后结算记录没有标记删除,结算记录ID:" + ssid + ",结算号:JS20260325000001,"));
}

TEST_F(InsuranceReversalTest, AbandonedCardOrClosedSearchEndsTheReversal) {
    runner.Expect("TFormVipPass", [](TFormDriver& d) { d.Click("btnCancel"); });
    EXPECT_FALSE(Reverse());
    EXPECT_THAT(Shown(), ElementsAre("错误:刷卡操作被终止"));
    ExpectReversalCard();
    ExpectSearch([](TFormDriver& d) { d.Click("btnClose"); });
    EXPECT_FALSE(Reverse());
    EXPECT_TRUE(Shown().empty());
    EXPECT_FALSE(plug->IsNeedRetailBack());
}

} // namespace
} // namespace tkv::test
