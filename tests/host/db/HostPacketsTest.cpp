// What crosses to the plug-in: result sets as datapackets that a client dataset loads with the
// column names, types and values, and output parameters as a parameter packet.
#include "DatabaseFixture.h"
#include "framework/BinaryPacket.h"
#include "framework/DataPacket.h"
#include "framework/DataSet.h"
#include "framework/Params.h"
#include "host/db/ResultRows.h"

#include <gmock/gmock.h>

#include <algorithm>

namespace tkv::host {
namespace {

class HostPacketsTest : public testing::DatabaseFixture {};

TEST_F(HostPacketsTest, ProcedureRowsLoadIntoADataSetByName) {
    OleVariant packet;
    const std::int32_t rc =
        db_->CallProcedure("ZK_FpSelBillMX", {"@brec", "@begindate", "@enddate"},
                           {OleVariant(1), OleVariant(March(1)), OleVariant(March(31))}, &packet, nullptr);
    EXPECT_EQ(rc, 0);
    TClientDataSet ds;
    ds.SetData(packet);
    ASSERT_EQ(ds.RecordCount(), 2);
    EXPECT_EQ(ds.FieldByName("pfullname").AsString(), "阿莫西林胶囊");
    EXPECT_EQ(ds.FieldByName("buyid").AsInteger(), 1001);
    EXPECT_EQ(ds.FieldByName("billdate").DataType(), TFieldType::ftDateTime);
    EXPECT_EQ(ds.FieldByName("billdate").AsDateTime(), March(10));
    EXPECT_EQ(ds.FieldByName("imageCount").DataType(), TFieldType::ftInteger);
    EXPECT_EQ(ds.FieldByName("taxtotal").AsFloat(), 100);
    ds.Next();
    EXPECT_TRUE(ds.FieldByName("OutFactoryDate").IsNull());
    EXPECT_TRUE(ds.FieldByName("voicecode").IsNull());
}

TEST_F(HostPacketsTest, EmptyResultKeepsItsFields) {
    OleVariant packet;
    db_->CallProcedure("zk_TkGetJobInfo", {"@id"}, {OleVariant(9)}, &packet, nullptr);
    TClientDataSet ds;
    ds.SetData(packet);
    EXPECT_TRUE(ds.Active());
    EXPECT_EQ(ds.RecordCount(), 0);
    EXPECT_GE(ds.FindFieldIndex("jobnumber"), 0);
}

TEST_F(HostPacketsTest, ProcedureWithoutRowsAnswersANullPacket) {
    OleVariant packet = OleVariant(1);
    db_->CallProcedure("zk_deleteJobLink", {"@id"}, {OleVariant(9)}, &packet, nullptr);
    EXPECT_TRUE(packet.IsNull());
}

TEST_F(HostPacketsTest, OutputParametersComeBackByName) {
    const std::int32_t voiceid = NewInvoice("FP-P", March(8), 2);
    OleVariant rows, out;
    db_->CallProcedure(
        "zk_TkGetVoiceCodeImage", {"@voicecode", "@brec", "@voiceid", "@voicedate", "@bfullname"},
        {OleVariant("FP-P"), OleVariant(0), OleVariant(0), OleVariant::Date(March(25)), OleVariant("")},
        &rows, &out);
    ASSERT_TRUE(out.IsArray());
    ASSERT_EQ(out.Elements().size(), 5u);
    const auto& voice = out.Elements()[2].Elements();
    ASSERT_EQ(voice.size(), 7u);
    EXPECT_EQ(voice[0].AsString(), "@voiceid");
    EXPECT_EQ(voice[1].AsInteger(), voiceid);
    EXPECT_EQ(voice[2].AsInteger(), static_cast<int>(TFieldType::ftInteger));
    EXPECT_EQ(voice[3].AsInteger(), static_cast<int>(TParamType::ptInputOutput));
    const auto& date = out.Elements()[3].Elements();
    EXPECT_EQ(date[1].VarType(), varDate);
    EXPECT_EQ(date[1].AsDouble(), March(8));
    EXPECT_EQ(out.Elements()[1].Elements()[1].AsInteger(), 2);
}

TEST_F(HostPacketsTest, OutputPacketUnpacksIntoAParameterList) {
    const std::int32_t voiceid = NewInvoice("FP-Q", March(9), 1);
    OleVariant rows, out;
    db_->CallProcedure(
        "zk_TkGetVoiceCodeImage", {"@voicecode", "@brec", "@voiceid", "@voicedate", "@bfullname"},
        {OleVariant(""), OleVariant(0), OleVariant(voiceid), OleVariant::Date(March(25)), OleVariant("")},
        &rows, &out);
    TParams params;
    ASSERT_TRUE(UnpackParams(out, params));
    EXPECT_EQ(params.ParamByName("@voiceid").Value.AsInteger(), voiceid);
    EXPECT_EQ(params.ParamByName("@voicecode").Value.AsString(), "FP-Q");
    EXPECT_EQ(params.ParamByName("@voicecode").ParamType, TParamType::ptInputOutput);
}

TEST_F(HostPacketsTest, ReturnValueOfASave) {
    OleVariant out = OleVariant(5);
    const std::int32_t id = db_->CallProcedure("zk_TkNewSaveImage", {"@ord", "@filname"},
                                               {OleVariant(4), OleVariant("4.jpg")}, nullptr, &out);
    EXPECT_GT(id, 0);
    EXPECT_TRUE(out.IsNull());
}

TEST_F(HostPacketsTest, QueryAnswersAPacketOrNull) {
    TClientDataSet ds;
    ds.SetData(db_->Query("select fullname from btype where rec=1"));
    EXPECT_EQ(ds.FieldByName("fullname").AsString(), "重庆康源药业有限公司");
    EXPECT_TRUE(db_->Query("update btype set usercode = usercode").IsNull());
    ds.SetData(db_->Query("exec GetLSNo_CQ"));
    EXPECT_EQ(ds.FieldByName("YbLSNo").AsString(), "20260325000001");
}

// The message of the HostError that the query raises; empty when it raises none.
std::string QueryError(HostDatabase& db, const std::string& sql) {
    try {
        db.Query(sql);
    } catch (const HostError& e) {
        return e.what();
    }
    return {};
}

TEST_F(HostPacketsTest, DuplicateColumnNamesAreAClearError) {
    EXPECT_THAT(QueryError(*db_, "select rec, rec from btype"),
                ::testing::HasSubstr("Duplicate field name 'rec'"));
}

TEST_F(HostPacketsTest, CellThatDoesNotFitItsColumnTypeIsAClearError) {
    // The expression column takes the type of its first value; the text below it is not a number.
    EXPECT_THAT(QueryError(*db_, "select 1 as n union all select 'abc'"),
                ::testing::HasSubstr("The result cannot be sent: Field 'n': "));
}

TEST_F(HostPacketsTest, QueryWithoutColumnsStillRuns) {
    EXPECT_TRUE(db_->Query("update btype set usercode = 'X9' where rec = 1").IsNull());
    EXPECT_EQ(db_->Select("select usercode from btype where rec = 1").Value(0, "usercode").AsString(), "X9");
}

// The packet of rows read first, through a dataset of their columns.
OleVariant DataSetPacket(const ResultRows& rows, TPacketForm form) {
    TClientDataSet ds;
    for (const auto& column : rows.columns)
        ds.AddFieldDef(column.name, column.type,
                       column.type == TFieldType::ftString ? std::max(column.size, 1) : 0);
    ds.CreateDataSet();
    for (const auto& row : rows.rows)
        ds.AppendRecord(row);
    return form == TPacketForm::Binary ? BinaryPacketVariant(ds) : ds.GetData();
}

// Packets are written straight from the statement, in either form; they must equal the packet of the
// rows read first, whatever the rows teach late: an expression column null at first, an integer beyond
// 32 bits after small ones, texts with markup and quotes, a number in a text column, a blob.
TEST_F(HostPacketsTest, StreamedPacketEqualsThePacketOfTheRows) {
    db_->Exec("create table mixed (id integer, note text, price real, day datetime, pic blob)");
    db_->Exec("insert into mixed values (1, 'a<b & \"c\"', 1.5, 46000.25, x'00FF'), "
              "(2, 42, null, null, null), (3, '阿莫西林', 2, 46001, x'')");
    const char* sql = "select id, note, price, day, pic, "
                      "case when id > 1 then id * 10000000000 end as big, "
                      "case when id = 3 then 'late' end as late from mixed order by id";
    for (TPacketForm form : {TPacketForm::Xml, TPacketForm::Binary}) {
        sqlite3_stmt* stmt = nullptr;
        ASSERT_EQ(sqlite3_prepare_v2(db_->Handle(), sql, -1, &stmt, nullptr), SQLITE_OK);
        const OleVariant streamed = ReadRowsPacket(stmt, {}, form);
        sqlite3_reset(stmt);
        const OleVariant fromRows = DataSetPacket(ReadRows(stmt), form);
        sqlite3_finalize(stmt);
        EXPECT_EQ(std::string(VariantPacketText(streamed)), std::string(VariantPacketText(fromRows)));

        TClientDataSet ds;
        ds.SetData(streamed);
        EXPECT_EQ(ds.PacketForm(), form);
        EXPECT_EQ(ds.FieldDefs(ds.FindFieldIndex("big")).DataType, TFieldType::ftLargeint);
        EXPECT_EQ(ds.FieldDefs(ds.FindFieldIndex("note")).Size, 12);
        EXPECT_EQ(ds.Cell(0, ds.FindFieldIndex("note")).AsString(), "a<b & \"c\"");
        EXPECT_EQ(ds.Cell(1, ds.FindFieldIndex("note")).AsString(), "42");
        EXPECT_EQ(ds.Cell(2, ds.FindFieldIndex("big")).AsInt64(), 30000000000LL);
        EXPECT_EQ(ds.Cell(2, ds.FindFieldIndex("late")).AsString(), "late");
        EXPECT_EQ(ds.Cell(2, ds.FindFieldIndex("note")).AsString(), "阿莫西林");
        EXPECT_EQ(ds.FieldDefs(ds.FindFieldIndex("day")).DataType, TFieldType::ftDateTime);
    }

    EXPECT_THAT(QueryError(*db_, "select case when id > 1 then 'x' else id end as wide from mixed"),
                ::testing::HasSubstr("Field 'wide': "));
}

} // namespace
} // namespace tkv::host
