// The demo records: placed in the current and previous month, pictures through the store callback,
// linked invoices visible through the procedures, seeded once, and nothing left on failure.
#include "DemoData.h"
#include "DatabaseFixture.h"

#include <gmock/gmock.h>

namespace tkv::host {
namespace {

class DemoDataTest : public ::testing::Test {
protected:
    void SetUp() override { db_ = std::make_unique<HostDatabase>(folder_.File("demo.db")); }
    std::int64_t Count(const std::string& table) {
        return db_->Select("SELECT count(*) FROM " + table).rows.at(0).at(0).AsInt64();
    }
    DemoPictureStore Store() {
        return [this](const TDemoPicture& picture, std::int32_t& ord, std::string& name) {
            const int number = picture.Number;
            stored_.push_back(number);
            ord = 100 + number;
            name = "demo" + std::to_string(number) + ".jpg";
            return true;
        };
    }

    testing::TempFolder folder_;
    std::unique_ptr<HostDatabase> db_;
    std::vector<int> stored_;
    const TDateTime today_ = EncodeDate(2026, 3, 18) + 0.6;
};

TEST_F(DemoDataTest, SeedsEveryKindOfRecordOnce) {
    EXPECT_TRUE(SeedDemoData(*db_, today_, Store()));
    EXPECT_EQ(Count("btype"), 5);
    EXPECT_EQ(Count("ptype"), 8);
    EXPECT_EQ(Count("etype"), 4);
    EXPECT_EQ(Count("ktype"), 2);
    EXPECT_EQ(Count("TK_Voice"), 3);
    EXPECT_EQ(Count("TK_Image"), kDemoPictureCount);
    EXPECT_EQ(stored_, (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(Count("RetailBillIndex WHERE billtype = 151"), 5);
    EXPECT_EQ(Count("RetailBillIndex WHERE SS_ID > 0"), 1);
    EXPECT_EQ(Count("t_tempVoiceLink"), 0);
    EXPECT_FALSE(SeedDemoData(*db_, today_, Store()));
    EXPECT_EQ(Count("btype"), 5);
}

TEST_F(DemoDataTest, BillsLieInThisAndThePreviousMonthUpToToday) {
    SeedDemoData(*db_, today_, Store());
    const TDateTime lastMonth = EncodeDate(2026, 2, 1);
    EXPECT_EQ(Count("BillIndex WHERE billdate < " + std::to_string(lastMonth)), 0);
    EXPECT_EQ(Count("BillIndex WHERE billdate >= " + std::to_string(EncodeDate(2026, 3, 19))), 0);
    EXPECT_EQ(Count("BillIndex WHERE billdate >= " + std::to_string(EncodeDate(2026, 3, 1))),
              5); // 1, 5, 9, 13, 17
    EXPECT_EQ(Count("BillIndex WHERE billdate < " + std::to_string(EncodeDate(2026, 3, 1))), 4);
    EXPECT_EQ(Count("BillIndex b WHERE totalmoney <> (SELECT sum(taxtotal) FROM BuyBill d WHERE d.billid = "
                    "b.billid)"),
              0);
}

TEST_F(DemoDataTest, LinkedInvoicesShowInTheListsWithTheirPictures) {
    SeedDemoData(*db_, today_, Store());
    const ProcedureResult links =
        db_->Call("Zk_TkGetJobLink", {"@brec", "@prec", "@jobname", "@VoiceCode", "@begindate", "@enddate"},
                  {OleVariant(0), OleVariant(0), OleVariant(""), OleVariant(""),
                   OleVariant(EncodeDate(2026, 2, 1)), OleVariant(today_)});
    EXPECT_GE(links.rows.RowCount(), 3);
    EXPECT_EQ(links.rows.Value(0, "ImageCount").AsInteger(), 2);
    const ProcedureResult pool = db_->Call(
        "zk_TkGetVoiceCodeImage", {"@voicecode", "@brec", "@voiceid", "@voicedate", "@bfullname"},
        {OleVariant("31000001"), OleVariant(0), OleVariant(0), OleVariant::Date(today_), OleVariant("")});
    ASSERT_EQ(pool.rows.RowCount(), 2);
    EXPECT_EQ(pool.rows.Value(0, "ord").AsInteger(), 101);
    EXPECT_EQ(pool.rows.Value(0, "imgname").AsString(), "demo1.jpg");
}

TEST_F(DemoDataTest, SameDayGivesTheSameRecords) {
    SeedDemoData(*db_, today_, Store());
    testing::TempFolder other;
    HostDatabase second(other.File("demo.db"));
    SeedDemoData(second, today_, Store());
    const std::string sql = "SELECT group_concat(billcode || billdate || totalmoney, ',') FROM "
                            "(SELECT * FROM BillIndex ORDER BY billid)";
    EXPECT_EQ(db_->Select(sql).rows[0][0].AsString(), second.Select(sql).rows[0][0].AsString());
}

TEST_F(DemoDataTest, RefusingStoreLeavesTheDatabaseEmpty) {
    const DemoPictureStore refuse = [](const TDemoPicture& picture, std::int32_t&, std::string&) {
        return picture.Number < 3;
    };
    EXPECT_THROW(SeedDemoData(*db_, today_, refuse), HostError);
    EXPECT_EQ(Count("btype"), 0);
    EXPECT_EQ(Count("TK_Image"), 0);
    EXPECT_EQ(Count("BillIndex"), 0);
}

} // namespace
} // namespace tkv::host
