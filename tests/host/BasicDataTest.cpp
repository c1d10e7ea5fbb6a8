// Record selection and basic-data lookup over the basic tables: search by code or name, the
// answer a selector edit receives, field values by record number and type id.
#include "host/BasicData.h"

#include "host/HostUi.h"
#include "host/db/HostDatabase.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

using namespace tkv;
using namespace tkv::host;

class BasicDataTest : public ::testing::Test {
protected:
    sqlite3* db = nullptr;
    void SetUp() override {
        ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
        // The columns of the host's basic tables that the lookups read.
        const char* sql = R"(
            CREATE TABLE btype (rec INTEGER PRIMARY KEY, typeid TEXT, usercode TEXT, fullname TEXT);
            CREATE TABLE ptype (rec INTEGER PRIMARY KEY, typeid TEXT, usercode TEXT, fullname TEXT, standard TEXT,
                                type TEXT, Unit1 TEXT, Unit2 TEXT, Unit3 TEXT, TinyUnit TEXT, ss_dm TEXT);
            CREATE TABLE etype (rec INTEGER PRIMARY KEY, typeid TEXT, usercode TEXT, fullname TEXT);
            CREATE TABLE ktype (rec INTEGER PRIMARY KEY, typeid TEXT, usercode TEXT, fullname TEXT);
            INSERT INTO btype VALUES (1, '00001', 'GYS01', '重庆医药股份有限公司'),
                                     (2, '00002', 'GYS02', '太极集团桐君阁药业'),
                                     (3, '00003', 'YY_100%', '百分之百医药'),
                                     (4, '00004', 'GYS1', '重庆和平药房');
            INSERT INTO ptype VALUES (7, '0000100001', 'AMXL', '阿莫西林胶囊', '0.25g*24', '胶囊剂', '盒', '板', '箱',
                                      '粒', 'X001');
            INSERT INTO etype VALUES (1, '001', 'ZS', '张三');
        )";
        ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    }
    void TearDown() override { sqlite3_close(db); }
};

TEST_F(BasicDataTest, SearchByCodeOrNameExactCodeFirst) {
    TBasicData data(db);
    auto byName = data.Search(btBtype, "重庆");
    ASSERT_EQ(byName.size(), 2u);
    EXPECT_EQ(byName[0].Rec, 1);
    EXPECT_EQ(byName[1].Rec, 4);
    // "GYS1" is one record's code exactly and part of none other: it comes first.
    auto byCode = data.Search(btBtype, "GYS1");
    ASSERT_EQ(byCode.size(), 1u);
    EXPECT_EQ(byCode[0].FullName, "重庆和平药房");
    auto partial = data.Search(btBtype, "GYS");
    ASSERT_EQ(partial.size(), 3u);
    auto exactFirst = data.Search(btBtype, "GYS02");
    ASSERT_EQ(exactFirst.size(), 1u);
    EXPECT_EQ(exactFirst[0].TypeId, "00002");
    EXPECT_EQ(data.Search(btBtype, "").size(), 4u);
    EXPECT_TRUE(data.Search(btBtype, "不存在").empty());
    EXPECT_TRUE(data.Search(btAtype, "x").empty()); // a kind this host keeps none of
}

TEST_F(BasicDataTest, SearchTextIsLiteral) {
    TBasicData data(db);
    EXPECT_EQ(data.Search(btBtype, "%").size(), 1u); // only the code holding a percent sign
    EXPECT_EQ(data.Search(btBtype, "_").size(), 1u);
    EXPECT_TRUE(data.Search(btBtype, "' OR 1=1 --").empty());
    EXPECT_EQ(data.Search(btBtype, "", 2).size(), 2u);
}

TEST_F(BasicDataTest, FieldsByRecordNumberAndTypeId) {
    TBasicData data(db);
    EXPECT_EQ(data.FieldByTypeId(flPFullName, "0000100001"), "阿莫西林胶囊");
    EXPECT_EQ(data.FieldByTypeId(flPUserCode, "0000100001"), "AMXL");
    EXPECT_EQ(data.FieldByTypeId(26, "0000100001"), "盒");
    EXPECT_EQ(data.FieldByTypeId(27, "0000100001"), "板");
    EXPECT_EQ(data.FieldByTypeId(28, "0000100001"), "0.25g*24");
    EXPECT_EQ(data.FieldByTypeId(29, "0000100001"), "胶囊剂");
    EXPECT_EQ(data.FieldByTypeId(73, "0000100001"), "粒");
    EXPECT_EQ(data.FieldByTypeId(117, "0000100001"), "箱");
    EXPECT_FALSE(data.FieldByTypeId(flPFullName, "nope").has_value());
    EXPECT_FALSE(data.FieldByTypeId(flNMemo, "0000100001").has_value());
    EXPECT_EQ(data.FieldByRec(flBFullName, 2), "太极集团桐君阁药业");
    EXPECT_EQ(data.FieldByRec(flEFullName, 1), "张三");
    EXPECT_FALSE(data.FieldByRec(flKFullName, 1).has_value());
    auto r = data.FindByRec(btBtype, 3);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->UserCode, "YY_100%");
    EXPECT_FALSE(data.FindByRec(btBtype, 99).has_value());
}

TEST_F(BasicDataTest, FieldKindsFollowTheFieldBlocks) {
    EXPECT_EQ(TBasicData::TypeOfField(flPFullName), btPtype);
    EXPECT_EQ(TBasicData::TypeOfField(121), btPtype);
    EXPECT_EQ(TBasicData::TypeOfField(122), btBtype);
    EXPECT_EQ(TBasicData::TypeOfField(flKHaveRight), btKtype);
    EXPECT_EQ(TBasicData::TypeOfField(flNMemo), btNo);
}

TEST_F(BasicDataTest, SelectHandlerAnswersTheChosenRecord) {
    TBasicData data(db);
    TScriptedUi ui;
    ComPtr<IRecordSelectHandler> h(NewRecordSelectHandler(data, ui));
    TSelectRequest req;
    req.BasicType = btBtype;
    req.Mode = TSelectMode::smKey;
    req.SearchText = "重庆";
    ui.QueueChoice(1);
    TSelectResult res = h->SelectRecords(req);
    ASSERT_EQ(res.Count, 1);
    ASSERT_EQ(res.Records.size(), 1u);
    EXPECT_EQ(res.Records[0].TypeId, "00004");
    EXPECT_EQ(res.Records[0].Rec, 4);
    EXPECT_EQ(res.Records[0].FullName, "重庆和平药房");
    ASSERT_EQ(ui.Events().size(), 1u);
    EXPECT_EQ(ui.Events()[0].Title, "选择单位");
    EXPECT_EQ(ui.Events()[0].Text, "2");

    ui.QueueChoice(-1); // cancelled
    EXPECT_EQ(h->SelectRecords(req).Count, 0);
    req.SearchText = "没有";
    EXPECT_EQ(h->SelectRecords(req).Count, 0);
    EXPECT_EQ(ui.Events().size(), 2u); // no dialog when nothing matches
}

TEST_F(BasicDataTest, LookupFindsRecordsAndFields) {
    TBasicData data(db);
    ComPtr<IBasicDataLookup> lookup(NewBasicDataLookup(data));
    TBasicRecord r;
    ASSERT_TRUE(lookup->FindByRec(btPtype, 7, r));
    EXPECT_EQ(r.FullName, "阿莫西林胶囊");
    EXPECT_FALSE(lookup->FindByRec(btPtype, 8, r));
    std::string v;
    ASSERT_TRUE(lookup->FieldValue(flBUserCode, 1, v));
    EXPECT_EQ(v, "GYS01");
    EXPECT_FALSE(lookup->FieldValue(flBUserCode, 42, v));
}

TEST_F(BasicDataTest, BrokenTableIsAHostError) {
    sqlite3_exec(db, "DROP TABLE ktype", nullptr, nullptr, nullptr);
    TBasicData data(db);
    EXPECT_THROW(data.Search(btKtype, "x"), HostError);
}

} // namespace
