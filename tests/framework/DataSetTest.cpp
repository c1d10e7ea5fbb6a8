// The in-memory dataset: loading rules, building in code, navigation, field access and edits.
#include "framework/DataSet.h"
#include "framework/DataPacket.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace tkv;

namespace {

OleVariant OneFieldPacket(const std::string& name, const std::string& value) {
    return PacketToVariant(
        R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?><DATAPACKET Version="2.0">)"
        R"(<METADATA><FIELDS><FIELD attrname=")" +
        name + R"(" fieldtype="string" WIDTH="10"/></FIELDS></METADATA><ROWDATA><ROW )" + name + "=\"" +
        value + "\"/></ROWDATA></DATAPACKET>");
}

void Build(TClientDataSet& ds) {
    ds.AddFieldDef("ID", TFieldType::ftInteger);
    ds.AddFieldDef("Name", TFieldType::ftString, 20);
    ds.CreateDataSet();
    ds.AppendRecord({OleVariant(1), OleVariant("one")});
    ds.AppendRecord({OleVariant(2), OleVariant("two")});
}

std::string MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const EDatabaseError& e) {
        return e.what();
    }
    return "(no error)";
}

} // namespace

TEST(DataSet, NullOrEmptyPacketLeavesItClosedAndEmpty) {
    for (const OleVariant& packet : {OleVariant::Null(), OleVariant()}) {
        TClientDataSet ds;
        ds.SetData(OneFieldPacket("A", "x"));
        ASSERT_TRUE(ds.Active());
        ds.SetData(packet);
        EXPECT_FALSE(ds.Active());
        EXPECT_EQ(ds.RecordCount(), 0);
        EXPECT_EQ(ds.FieldCount(), 0);
        EXPECT_TRUE(ds.Eof());
        EXPECT_TRUE(ds.GetData().IsNull());
    }
}

TEST(DataSet, ValueThatIsNoPacketIsRejected) {
    TClientDataSet ds;
    ds.SetData(OneFieldPacket("A", "x"));
    EXPECT_EQ(MessageOf([&] { ds.SetData(OleVariant("<DATAPACKET/>")); }),
              "Invalid data packet: expected a byte array, got OleStr");
    EXPECT_FALSE(ds.Active());
    EXPECT_EQ(ds.FieldCount(), 0);
    EXPECT_THROW(ds.SetData(OleVariant(5)), EDatabaseError);
    EXPECT_THROW(ds.SetData(OleVariant::ByteArray({})), EDatabaseError);
}

TEST(DataSet, ReloadDiscardsPreviousFieldsAndRows) {
    TClientDataSet ds;
    ds.SetData(OneFieldPacket("First", "1"));
    ds.SetData(OneFieldPacket("Second", "2"));
    ASSERT_EQ(ds.FieldCount(), 1);
    EXPECT_EQ(ds.FieldDefs(0).Name, "Second");
    EXPECT_EQ(ds.RecordCount(), 1);
    EXPECT_EQ(MessageOf([&] { ds.FieldByName("First"); }), "Field 'First' not found");
    EXPECT_EQ(ds.FieldByName("second").AsString(), "2");
}

TEST(DataSet, LoadingReplacesFieldsDefinedInCode) {
    TClientDataSet ds;
    Build(ds);
    ds.SetData(OneFieldPacket("A", "x"));
    EXPECT_EQ(ds.FieldCount(), 1);
    EXPECT_EQ(ds.RecordCount(), 1);
}

TEST(DataSet, ClosedDatasetRefusesFieldAccess) {
    TClientDataSet ds;
    EXPECT_EQ(MessageOf([&] { ds.FieldByName("ID"); }), "Cannot perform this operation on a closed dataset");
    EXPECT_THROW(ds.First(), EDatabaseError);
    EXPECT_THROW(ds.Cell(0, 0), EDatabaseError);
    EXPECT_TRUE(ds.Eof());
    EXPECT_EQ(ds.RecNo(), 0);
}

TEST(DataSet, NavigatesFirstNextEof) {
    TClientDataSet ds;
    Build(ds);
    ds.First();
    std::string names;
    while (!ds.Eof()) {
        names += ds.FieldByName("name").AsString() + ";";
        ds.Next();
    }
    EXPECT_EQ(names, "one;two;");
    EXPECT_EQ(ds.RecNo(), 2);
    ds.SetRecNo(1);
    EXPECT_FALSE(ds.Eof());
    EXPECT_EQ(ds.Fields(0).AsInteger(), 1);
    EXPECT_THROW(ds.SetRecNo(3), EDatabaseError);
    EXPECT_THROW(ds.SetRecNo(0), EDatabaseError);
    EXPECT_THROW(ds.Fields(2), EDatabaseError);
}

TEST(DataSet, FieldConversions) {
    TClientDataSet ds;
    ds.AddFieldDef("N", TFieldType::ftString, 10);
    ds.AddFieldDef("F", TFieldType::ftFloat);
    ds.AddFieldDef("B", TFieldType::ftBoolean);
    ds.CreateDataSet();
    ds.AppendRecord({OleVariant("42"), OleVariant(2.5), OleVariant(true)});
    EXPECT_EQ(ds.FieldByName("N").AsInteger(), 42);
    EXPECT_EQ(ds.FieldByName("F").AsString(), "2.5");
    EXPECT_EQ(ds.FieldByName("F").AsInteger(), 2);
    EXPECT_TRUE(ds.FieldByName("B").AsBoolean());
    EXPECT_EQ(ds.FieldByName("B").AsString(), "True");
    EXPECT_EQ(ds.FieldByName("N").FieldName(), "N");
    EXPECT_EQ(ds.FieldByName("f").DataType(), TFieldType::ftFloat);
    EXPECT_EQ(ds.FieldByName("f").Index(), 1);
}

TEST(DataSet, BuildingRules) {
    TClientDataSet ds;
    EXPECT_EQ(MessageOf([&] { ds.CreateDataSet(); }), "Cannot create a dataset without fields");
    ds.AddFieldDef("ID", TFieldType::ftInteger);
    EXPECT_EQ(MessageOf([&] { ds.AddFieldDef("id", TFieldType::ftString); }), "Duplicate field name 'id'");
    EXPECT_THROW(ds.AddFieldDef("", TFieldType::ftString), EDatabaseError);
    EXPECT_THROW(ds.AddFieldDef("V", TFieldType::ftVariant), EDatabaseError);
    EXPECT_THROW(ds.AppendRecord({OleVariant(1)}), EDatabaseError); // closed
    ds.CreateDataSet();
    EXPECT_TRUE(ds.Active());
    EXPECT_TRUE(ds.IsEmpty());
    EXPECT_THROW(ds.AddFieldDef("X", TFieldType::ftInteger), EDatabaseError);
    EXPECT_EQ(MessageOf([&] {
                  ds.AppendRecord({OleVariant(1), OleVariant(2)});
              }),
              "AppendRecord: 2 values for 1 fields");
}

TEST(DataSet, FailedAppendAddsNothing) {
    TClientDataSet ds;
    ds.AddFieldDef("Name", TFieldType::ftString, 10);
    ds.AddFieldDef("ID", TFieldType::ftInteger);
    ds.CreateDataSet();
    ds.AppendRecord({OleVariant("kept"), OleVariant(1)});
    const std::string msg = MessageOf([&] { ds.AppendRecord({OleVariant("lost"), OleVariant("abc")}); });
    EXPECT_EQ(msg.rfind("Field 'ID': ", 0), 0u) << msg;
    EXPECT_EQ(ds.RecordCount(), 1);
    EXPECT_EQ(ds.RecNo(), 1);
    EXPECT_EQ(ds.FieldByName("Name").AsString(), "kept");
    TClientDataSet copy;
    copy.SetData(ds.GetData());
    EXPECT_EQ(copy.RecordCount(), 1);
}

TEST(DataSet, AppendRecordMovesToNewRecord) {
    TClientDataSet ds;
    Build(ds);
    EXPECT_EQ(ds.RecNo(), 2);
    EXPECT_EQ(ds.FieldByName("ID").AsInteger(), 2);
}

TEST(DataSet, SmallintAndWordRangesAreChecked) {
    TClientDataSet ds;
    ds.AddFieldDef("S", TFieldType::ftSmallint);
    ds.AddFieldDef("W", TFieldType::ftWord);
    ds.CreateDataSet();
    EXPECT_THROW(ds.AppendRecord({OleVariant(40000), OleVariant(1)}), EDatabaseError);
    EXPECT_THROW(ds.AppendRecord({OleVariant(1), OleVariant(-1)}), EDatabaseError);
    ds.AppendRecord({OleVariant(-32768), OleVariant(65535)});
    EXPECT_EQ(ds.Cell(0, 1).AsInteger(), 65535);
}

TEST(DataSet, SetCellEditsAndClearsValues) {
    TClientDataSet ds;
    Build(ds);
    ds.SetCell(0, 1, OleVariant("uno"));
    ds.SetCell(1, 0, OleVariant::Null());
    EXPECT_EQ(ds.Cell(0, 1).AsString(), "uno");
    EXPECT_TRUE(ds.CellIsNull(1, 0));
    EXPECT_EQ(ds.Cell(1, 1).AsString(), "two");
    EXPECT_THROW(ds.SetCell(2, 0, OleVariant(1)), EDatabaseError);
    EXPECT_THROW(ds.SetCell(0, 2, OleVariant(1)), EDatabaseError);
    EXPECT_THROW(ds.SetCell(0, 0, OleVariant("x")), EDatabaseError);
    EXPECT_EQ(ds.Cell(0, 0).AsInteger(), 1);
}

TEST(DataSet, RepeatedTextEditsKeepEveryValue) {
    // Edits leave old text behind in the column's storage until it is packed; values must survive that.
    TClientDataSet ds;
    ds.AddFieldDef("T", TFieldType::ftWideString);
    ds.CreateDataSet();
    for (int i = 0; i < 50; ++i)
        ds.AppendRecord({OleVariant("row" + std::to_string(i))});
    for (int round = 0; round < 200; ++round)
        ds.SetCell(round % 50, 0, OleVariant(std::string(100, static_cast<char>('a' + round % 26))));
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(ds.Cell(i, 0).AsString(), std::string(100, static_cast<char>('a' + (150 + i) % 26))) << i;
}

TEST(DataSet, CloseDropsRowsAndCreateDataSetReopensEmpty) {
    TClientDataSet ds;
    Build(ds);
    ds.Close();
    EXPECT_FALSE(ds.Active());
    EXPECT_EQ(ds.RecordCount(), 0);
    EXPECT_TRUE(ds.GetData().IsNull());
    ds.CreateDataSet();
    EXPECT_EQ(ds.FieldCount(), 2);
    EXPECT_EQ(ds.RecordCount(), 0);
}
