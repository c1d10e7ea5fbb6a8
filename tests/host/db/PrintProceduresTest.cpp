// The printing procedures: the bill list with its filters and counts, the pictures of one bill,
// the printed-picture records and the bill print counts.
#include "DatabaseFixture.h"

#include <gmock/gmock.h>

namespace tkv::host {
namespace {

using ::testing::HasSubstr;

class PrintProceduresTest : public testing::DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        // Bill 100: row 1001 with pictures a and b, row 1002 with b; bill 200: row 2001 with c.
        const std::int32_t v1 = NewInvoice("FP-1", March(10));
        const std::int32_t v2 = NewInvoice("FP-2", March(20), 2);
        a_ = NewImage(1, "a.jpg");
        b_ = NewImage(2, "b.jpg");
        c_ = NewImage(3, "c.jpg");
        Link(100, 1001, v1, {b_, a_});
        Link(100, 1002, v1, {b_});
        Link(200, 2001, v2, {c_});
    }
    void Link(int billid, int buyid, std::int32_t voiceid, const std::vector<std::int32_t>& images) {
        const std::string key = "{K-" + std::to_string(buyid) + "}";
        for (auto id : images)
            Call("zk_savetempVoiceLink", {{"@Uid", key}, {"@imageId", id}});
        Call("zk_SaveJobLink",
             {{"@billid", billid}, {"@buyid", buyid}, {"@uid", key}, {"@voiceid", voiceid}});
        db_->Exec("delete from t_tempVoiceLink where uid='" + key + "'");
    }
    testing::Args ListArgs(const std::string& op = ">=", int count = 0, int status = 0, int brec = 0) {
        return {{"@brec", brec},         {"@erec", 0},     {"@billerec", 0},       {"@krec", 0},
                {"@billstatus", status}, {"@PrintTJ", op}, {"@printcount", count}, {"@begindate", March(1)},
                {"@enddate", March(31)}, {"@loginuser", 1}};
    }
    std::vector<std::int32_t> BillIds(const testing::Args& args) {
        const ProcedureResult result = Call("Zk_TkGetBillImageData", args);
        std::vector<std::int32_t> ids;
        for (int r = 0; r < result.rows.RowCount(); ++r)
            ids.push_back(result.rows.Value(r, "billid").AsInteger());
        return ids;
    }
    void PrintBill(const std::string& uid) { Call("zk_TkSaveBillprinttimes", {{"@Uid", uid}}); }

    std::int32_t a_ = 0, b_ = 0, c_ = 0;
};

using Ids = std::vector<std::int32_t>;

TEST_F(PrintProceduresTest, BillListHasEveryGridFieldWithCounts) {
    PrintBill("U100");
    const ProcedureResult result = Call("Zk_TkGetBillImageData", ListArgs());
    ASSERT_EQ(result.rows.RowCount(), 2);
    const ResultRows& rows = result.rows;
    for (const char* column :
         {"billdate", "billcode", "billname", "busercode", "bfullname", "efullname", "billefullname",
          "sfullname", "totalmoney", "Pcount", "ImageCount", "printtimes", "sendway", "explain", "billid",
          "billtype", "uniquebillid", "brec"})
        EXPECT_GE(rows.FindColumn(column), 0) << column;
    EXPECT_EQ(rows.Value(0, "billcode").AsString(), "JH-100");
    EXPECT_EQ(rows.Value(0, "billname").AsString(), "进货单");
    EXPECT_EQ(rows.Value(0, "busercode").AsString(), "GY001");
    EXPECT_EQ(rows.Value(0, "bfullname").AsString(), "重庆康源药业有限公司");
    EXPECT_EQ(rows.Value(0, "efullname").AsString(), "张敏");
    EXPECT_EQ(rows.Value(0, "billefullname").AsString(), "李强");
    EXPECT_EQ(rows.Value(0, "sfullname").AsString(), "主仓库");
    EXPECT_EQ(rows.Value(0, "totalmoney").AsDouble(), 300);
    EXPECT_EQ(rows.Value(0, "Pcount").AsInteger(), 2);
    EXPECT_EQ(rows.Value(0, "ImageCount").AsInteger(), 2);
    EXPECT_EQ(rows.Value(0, "printtimes").AsInteger(), 1);
    EXPECT_EQ(rows.Value(0, "sendway").AsString(), "自提");
    EXPECT_EQ(rows.Value(0, "uniquebillid").AsString(), "U100");
    EXPECT_EQ(rows.Value(0, "brec").AsInteger(), 1);
    EXPECT_EQ(rows.Value(0, "billtype").AsInteger(), 34);
    EXPECT_EQ(rows.Value(1, "ImageCount").AsInteger(), 1);
    EXPECT_EQ(rows.Value(1, "printtimes").AsInteger(), 0);
}

TEST_F(PrintProceduresTest, EachOfTheSixOperatorsComparesThePrintCount) {
    PrintBill("U100");
    PrintBill("U100"); // bill 100 printed twice, bill 200 never
    EXPECT_EQ(BillIds(ListArgs(">=", 2)), Ids{100});
    EXPECT_EQ(BillIds(ListArgs(">", 0)), Ids{100});
    EXPECT_EQ(BillIds(ListArgs("=", 0)), Ids{200});
    EXPECT_EQ(BillIds(ListArgs("<", 2)), Ids{200});
    EXPECT_EQ(BillIds(ListArgs("<=", 2)), (Ids{100, 200}));
    EXPECT_EQ(BillIds(ListArgs("<>", 2)), Ids{200});
}

TEST_F(PrintProceduresTest, AnyOtherOperatorIsRefused) {
    for (const char* op : {"", "=>", "!=", "==", " >=", "> 0 OR 1=1 --", "'"})
        EXPECT_THAT(CallError("Zk_TkGetBillImageData", ListArgs(op)), HasSubstr("@PrintTJ must be one of"))
            << op;
}

TEST_F(PrintProceduresTest, StatusSupplierHandlerMakerAndStoreFilter) {
    EXPECT_EQ(BillIds(ListArgs(">=", 0, 1)), Ids{100});
    EXPECT_EQ(BillIds(ListArgs(">=", 0, 2)), Ids{}); // bill 300 is audited but in April
    EXPECT_EQ(BillIds(ListArgs(">=", 0, 3)), Ids{200});
    EXPECT_EQ(BillIds(ListArgs(">=", 0, 0, 2)), Ids{200});
    auto args = ListArgs();
    args[1].second = 2; // handler
    EXPECT_EQ(BillIds(args), Ids{200});
    args = ListArgs();
    args[2].second = 2; // bill maker
    EXPECT_EQ(BillIds(args), Ids{100});
    args = ListArgs();
    args[3].second = 2; // store
    EXPECT_EQ(BillIds(args), Ids{200});
    EXPECT_THAT(CallError("Zk_TkGetBillImageData", ListArgs(">=", 0, 4)),
                HasSubstr("@billstatus must be 0 to 3"));
}

TEST_F(PrintProceduresTest, DateRangeIsWholeDays) {
    auto args = ListArgs();
    args[7].second = March(20) + 0.9;
    args[8].second = March(20);
    EXPECT_EQ(BillIds(args), Ids{200});
    args[7].second = EncodeDate(2026, 4, 1);
    args[8].second = EncodeDate(2026, 4, 30);
    EXPECT_EQ(BillIds(args), Ids{300});
}

TEST_F(PrintProceduresTest, PicturesOfOneBillAreDistinctInLinkOrder) {
    const ProcedureResult result = Call("zk_TkGetOneBillImage", {{"@billid", 100}, {"@billtype", 34}});
    ASSERT_EQ(result.rows.RowCount(), 2);
    EXPECT_EQ(result.rows.Value(0, "imageid").AsInteger(), b_);
    EXPECT_EQ(result.rows.Value(0, "ord").AsInteger(), 2);
    EXPECT_EQ(result.rows.Value(0, "imgname").AsString(), "b.jpg");
    EXPECT_EQ(result.rows.Value(1, "imageid").AsInteger(), a_);
    EXPECT_EQ(Call("zk_TkGetOneBillImage", {{"@billid", 100}, {"@billtype", 11}}).rows.RowCount(), 0);
    EXPECT_EQ(Call("zk_TkGetOneBillImage", {{"@billid", 300}, {"@billtype", 34}}).rows.RowCount(), 0);
}

TEST_F(PrintProceduresTest, PrintedPicturesAreRecordedPerSupplierAndDay) {
    const OleVariant today = OleVariant::Date(March(25));
    Call("zk_TkSaveBPirntImage", {{"@brec", 1}, {"@printdate", today}, {"@imageid", std::to_string(a_)}});
    Call("zk_TkSaveBPirntImage", {{"@brec", 1}, {"@printdate", today}, {"@imageid", std::to_string(a_)}});
    Call("zk_TkSaveBPirntImage",
         {{"@brec", 1}, {"@printdate", OleVariant::Date(March(25) + 0.6)}, {"@imageid", std::to_string(b_)}});
    const ProcedureResult printed = Call("zk_TkGetBPirntImage", {{"@brec", 1}, {"@printdate", today}});
    ASSERT_EQ(printed.rows.RowCount(), 2);
    EXPECT_EQ(printed.rows.Value(0, "imageid").AsInteger(), a_);
    EXPECT_EQ(printed.rows.Value(1, "imageid").AsInteger(), b_);
    EXPECT_EQ(Call("zk_TkGetBPirntImage", {{"@brec", 2}, {"@printdate", today}}).rows.RowCount(), 0);
    EXPECT_EQ(Call("zk_TkGetBPirntImage", {{"@brec", 1}, {"@printdate", OleVariant::Date(March(26))}})
                  .rows.RowCount(),
              0);
}

TEST_F(PrintProceduresTest, PrintedPictureIdMustBeANumber) {
    EXPECT_THAT(
        CallError("zk_TkSaveBPirntImage",
                  {{"@brec", 1}, {"@printdate", OleVariant::Date(March(25))}, {"@imageid", "1; drop"}}),
        HasSubstr("'1; drop' is not a picture id"));
    EXPECT_EQ(Scalar("SELECT count(*) FROM TK_BillPrintImage"), 0);
}

TEST_F(PrintProceduresTest, PrintCountOfAnUnknownBillIsRefused) {
    EXPECT_THAT(CallError("zk_TkSaveBillprinttimes", {{"@Uid", "U999"}}),
                HasSubstr("no bill with unique id 'U999'"));
    EXPECT_EQ(Scalar("SELECT count(*) FROM TK_BillPrintTimes"), 0);
}

} // namespace
} // namespace tkv::host
