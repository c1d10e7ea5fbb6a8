// Datapacket reading and writing: every field type, nulls, Chinese text, escaping and rejected packets.
#include "framework/DataPacket.h"
#include "framework/DataSet.h"
#include "framework/DateTime.h"

#include <gtest/gtest.h>

#include <string>

using namespace tkv;

namespace {

const std::string kHead =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?><DATAPACKET Version="2.0">)";

std::string Packet(const std::string& fields, const std::string& rows) {
    return kHead + "<METADATA><FIELDS>" + fields + "</FIELDS><PARAMS/></METADATA><ROWDATA>" + rows +
           "</ROWDATA></DATAPACKET>";
}

void Load(TClientDataSet& ds, const std::string& xml) {
    ds.SetData(PacketToVariant(xml));
}

// Loads the packet, expects EDatabaseError with the given text inside its message, and a dataset
// that is closed and without fields afterwards.
void ExpectRejected(const std::string& xml, const std::string& part) {
    TClientDataSet ds;
    Load(ds, Packet(R"(<FIELD attrname="Old" fieldtype="i4"/>)", R"(<ROW Old="1"/>)"));
    ASSERT_TRUE(ds.Active());
    try {
        Load(ds, xml);
        ADD_FAILURE() << "accepted: " << xml;
    } catch (const EDatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find(part), std::string::npos) << e.what();
    }
    EXPECT_FALSE(ds.Active());
    EXPECT_EQ(ds.FieldCount(), 0);
    EXPECT_EQ(ds.RecordCount(), 0);
    EXPECT_TRUE(ds.GetData().IsNull());
}

// Writes a dataset as a packet and loads it into a fresh dataset.
void RoundTrip(const TClientDataSet& from, TClientDataSet& to) {
    to.SetData(from.GetData());
}

} // namespace

TEST(DataPacket, ReadsFieldsRowsAndNulls) {
    TClientDataSet ds;
    Load(ds,
         Packet(
             R"(<FIELD attrname="ID" fieldtype="i4"/><FIELD attrname="Name" fieldtype="string" WIDTH="20"/>)",
             R"(<ROW ID="1" Name="abc"/><ROW ID="2" RowState="4"/><ROW Name="x"/>)"));
    ASSERT_TRUE(ds.Active());
    ASSERT_EQ(ds.FieldCount(), 2);
    EXPECT_EQ(ds.FieldDefs(1).Name, "Name");
    EXPECT_EQ(ds.FieldDefs(1).DataType, TFieldType::ftString);
    EXPECT_EQ(ds.FieldDefs(1).Size, 20);
    EXPECT_EQ(ds.RecordCount(), 3);
    EXPECT_EQ(ds.RecNo(), 1);
    EXPECT_EQ(ds.FieldByName("id").AsInteger(), 1);
    EXPECT_EQ(ds.FieldByName("NAME").AsString(), "abc");
    ds.Next();
    EXPECT_TRUE(ds.FieldByName("Name").IsNull());
    EXPECT_TRUE(ds.FieldByName("Name").Value().IsNull());
    EXPECT_EQ(ds.FieldByName("Name").AsString(), "");
    ds.Next();
    EXPECT_TRUE(ds.FieldByName("ID").IsNull());
    EXPECT_EQ(ds.FieldByName("ID").AsInteger(), 0);
    EXPECT_FALSE(ds.Eof());
    ds.Next();
    EXPECT_TRUE(ds.Eof());
    EXPECT_EQ(ds.RecNo(), 3);
}

TEST(DataPacket, EveryFieldTypeRoundTrips) {
    TClientDataSet ds;
    ds.AddFieldDef("i2", TFieldType::ftSmallint);
    ds.AddFieldDef("i4", TFieldType::ftInteger);
    ds.AddFieldDef("w", TFieldType::ftWord);
    ds.AddFieldDef("auto", TFieldType::ftAutoInc);
    ds.AddFieldDef("i8", TFieldType::ftLargeint);
    ds.AddFieldDef("r8", TFieldType::ftFloat);
    ds.AddFieldDef("money", TFieldType::ftCurrency);
    TFieldDef bcd;
    bcd.Name = "bcd";
    bcd.DataType = TFieldType::ftBCD;
    bcd.Size = 4;
    bcd.Precision = 18;
    ds.AddFieldDef(bcd);
    ds.AddFieldDef("s", TFieldType::ftString, 20);
    ds.AddFieldDef("fc", TFieldType::ftFixedChar, 4);
    ds.AddFieldDef("ws", TFieldType::ftWideString, 10);
    ds.AddFieldDef("memo", TFieldType::ftMemo);
    ds.AddFieldDef("b", TFieldType::ftBoolean);
    ds.AddFieldDef("d", TFieldType::ftDate);
    ds.AddFieldDef("t", TFieldType::ftTime);
    ds.AddFieldDef("dt", TFieldType::ftDateTime);
    ds.AddFieldDef("blob", TFieldType::ftBlob);
    ds.AddFieldDef("bytes", TFieldType::ftBytes, 3);
    ds.CreateDataSet();
    const TDateTime when = EncodeDateTime({2017, 8, 7, 13, 5, 9, 123});
    ds.AppendRecord({OleVariant::Smallint(-32768), OleVariant(-2147483647 - 1), OleVariant(65535),
                     OleVariant(7), OleVariant::Int64(9007199254740993LL), OleVariant(0.1 + 0.2),
                     OleVariant::Currency(12.5), OleVariant::Currency(12.5), OleVariant("abc"),
                     OleVariant("ab"), OleVariant("宽字符"), OleVariant("line1\nline2"), OleVariant(true),
                     OleVariant::Date(EncodeDate(2017, 8, 7)), OleVariant::Date(EncodeTime(13, 5, 9, 5)),
                     OleVariant::Date(when), OleVariant::ByteArray({0, 0xFF, 0x10}),
                     OleVariant::ByteArray({1, 2, 3})});
    ds.AppendRecord(std::vector<OleVariant>(ds.FieldCount(), OleVariant::Null()));

    const std::string text(VariantPacketText(ds.GetData()));
    EXPECT_NE(text.find(R"(<FIELD attrname="ws" fieldtype="string.uni" WIDTH="20"/>)"), std::string::npos)
        << text;
    EXPECT_NE(text.find(R"(bcd="12.5000")"), std::string::npos);
    EXPECT_NE(text.find(R"(dt="20170807T13:05:09123")"), std::string::npos);
    EXPECT_NE(text.find(R"(d="20170807")"), std::string::npos);
    EXPECT_NE(text.find(R"(t="13:05:09005")"), std::string::npos);
    EXPECT_NE(text.find(R"(b="TRUE")"), std::string::npos);
    EXPECT_NE(text.find(R"(blob="00FF10")"), std::string::npos);

    TClientDataSet copy;
    RoundTrip(ds, copy);
    ASSERT_EQ(copy.FieldCount(), ds.FieldCount());
    ASSERT_EQ(copy.RecordCount(), 2);
    for (int f = 0; f < ds.FieldCount(); ++f) {
        EXPECT_EQ(copy.FieldDefs(f).Name, ds.FieldDefs(f).Name);
        EXPECT_EQ(copy.FieldDefs(f).DataType, ds.FieldDefs(f).DataType) << ds.FieldDefs(f).Name;
        EXPECT_EQ(copy.FieldDefs(f).Size, ds.FieldDefs(f).Size) << ds.FieldDefs(f).Name;
        EXPECT_EQ(copy.FieldDefs(f).Precision, ds.FieldDefs(f).Precision) << ds.FieldDefs(f).Name;
        EXPECT_EQ(copy.Cell(0, f), ds.Cell(0, f)) << ds.FieldDefs(f).Name;
        EXPECT_TRUE(copy.CellIsNull(1, f)) << ds.FieldDefs(f).Name;
    }
    EXPECT_EQ(copy.Cell(0, 0).VarType(), varInteger);
    EXPECT_EQ(copy.Cell(0, 4).VarType(), varInt64);
    EXPECT_EQ(copy.Cell(0, 5).AsDouble(), 0.1 + 0.2); // shortest text still reads back exactly
    EXPECT_EQ(copy.Cell(0, 6).VarType(), varCurrency);
    EXPECT_EQ(copy.Cell(0, 15).VarType(), varDate);
    EXPECT_EQ(copy.FieldByName("dt").AsDateTime(), ds.Cell(0, 15).AsDateTime());
}

TEST(DataPacket, ChineseTextAndSpecialCharactersRoundTrip) {
    TClientDataSet ds;
    ds.AddFieldDef("名称", TFieldType::ftWideString, 50);
    ds.AddFieldDef("Bill No", TFieldType::ftString, 50); // not an XML name
    ds.CreateDataSet();
    const std::string tricky = "a\"b'c<d>e&f\r\ng\th\x01 end ";
    ds.AppendRecord({OleVariant("厂家品种发票图片"), OleVariant(tricky)});
    TClientDataSet copy;
    RoundTrip(ds, copy);
    ASSERT_EQ(copy.RecordCount(), 1);
    EXPECT_EQ(copy.FieldByName("名称").AsString(), "厂家品种发票图片");
    EXPECT_EQ(copy.FieldByName("bill no").AsString(), tricky);
    EXPECT_EQ(copy.FieldDefs(1).Name, "Bill No");
}

TEST(DataPacket, EmptyRowDataOpensWithNoRecords) {
    for (const std::string rows : {"<ROWDATA></ROWDATA>", "<ROWDATA/>", "<ROWDATA>\n  </ROWDATA>"}) {
        TClientDataSet ds;
        Load(ds, kHead + R"(<METADATA><FIELDS><FIELD attrname="ID" fieldtype="i4"/></FIELDS></METADATA>)" +
                     rows + "</DATAPACKET>");
        EXPECT_TRUE(ds.Active()) << rows;
        EXPECT_EQ(ds.FieldCount(), 1);
        EXPECT_EQ(ds.RecordCount(), 0);
        EXPECT_TRUE(ds.IsEmpty());
        EXPECT_TRUE(ds.Eof());
        EXPECT_EQ(ds.RecNo(), 0);
        EXPECT_TRUE(ds.FieldByName("ID").IsNull());
    }
}

TEST(DataPacket, UnusualShapeIsReadAsWholeDocument) {
    // A comment in the rows and an element after ROWDATA: still a valid packet.
    TClientDataSet ds;
    Load(ds, kHead + R"(<METADATA><FIELDS><FIELD attrname="ID" fieldtype="i4"/></FIELDS></METADATA>)"
                     R"(<ROWDATA><!-- <ROW ID="9"/> --><ROW ID="1"/></ROWDATA><EXTRA/></DATAPACKET>)");
    ASSERT_EQ(ds.RecordCount(), 1);
    EXPECT_EQ(ds.FieldByName("ID").AsInteger(), 1);
}

TEST(DataPacket, ManyRowsSpanSeveralChunks) {
    std::string rows;
    const int count = 30000;
    for (int i = 0; i < count; ++i)
        rows += "<ROW ID=\"" + std::to_string(i) + "\" Name=\"第" + std::to_string(i) +
                "行 some padding text\"/>\n";
    TClientDataSet ds;
    Load(ds, Packet(R"(<FIELD attrname="ID" fieldtype="i4"/><FIELD attrname="Name" fieldtype="string.uni"/>)",
                    rows));
    ASSERT_EQ(ds.RecordCount(), count);
    ds.SetRecNo(count);
    EXPECT_EQ(ds.FieldByName("ID").AsInteger(), count - 1);
    EXPECT_EQ(ds.FieldByName("Name").AsString(), "第" + std::to_string(count - 1) + "行 some padding text");
    ds.SetRecNo(12345);
    EXPECT_EQ(ds.FieldByName("ID").AsInteger(), 12344);
}

TEST(DataPacket, ErrorInLaterChunkReportsRowAndLeavesDatasetEmpty) {
    std::string rows;
    for (int i = 0; i < 20000; ++i)
        rows += "<ROW ID=\"" + std::to_string(i) + "\"/>";
    rows += R"(<ROW ID="x1"/>)";
    ExpectRejected(Packet(R"(<FIELD attrname="ID" fieldtype="i4"/>)", rows),
                   "value 'x1' of field 'ID' in row 20001 is not a valid i4");
}

TEST(DataPacket, RejectsUnusablePackets) {
    const std::string idField = R"(<FIELD attrname="ID" fieldtype="i4"/>)";
    ExpectRejected("not xml at all", "Invalid data packet");
    ExpectRejected(kHead + "<METADATA><FIELDS>", "Invalid data packet");
    ExpectRejected(R"(<OTHER><ROWDATA/></OTHER>)", "missing DATAPACKET element");
    ExpectRejected(kHead + "<ROWDATA/></DATAPACKET>", "missing METADATA element");
    ExpectRejected(kHead + "<METADATA/><ROWDATA/></DATAPACKET>", "missing FIELDS element");
    ExpectRejected(kHead + "<METADATA><FIELDS>" + idField + "</FIELDS></METADATA></DATAPACKET>",
                   "missing ROWDATA element");
    ExpectRejected(Packet(R"(<FIELD attrname="X" fieldtype="r16"/>)", ""),
                   "field 'X' has unknown fieldtype 'r16'");
    ExpectRejected(Packet(R"(<FIELD fieldtype="i4"/>)", ""), "field 1 has no attrname");
    ExpectRejected(Packet(idField + R"(<FIELD attrname="id" fieldtype="i4"/>)", ""), "duplicate field 'id'");
    ExpectRejected(Packet(idField, R"(<ROW ID="abc"/>)"),
                   "value 'abc' of field 'ID' in row 1 is not a valid i4");
    ExpectRejected(Packet(idField, R"(<ROW ID="1"/><ROW ID="99999999999"/>)"), "in row 2 is not a valid i4");
    ExpectRejected(Packet(idField, R"(<ROW ID=""/>)"), "value '' of field 'ID'");
    ExpectRejected(Packet(idField, R"(<ROW Other="1"/>)"), "row 1 has unknown field 'Other'");
    ExpectRejected(Packet(idField, R"(<ROW ID="1" ID="2"/>)"), "Invalid data packet");
    ExpectRejected(Packet(idField, R"(<ROW ID="1" id="2"/>)"), "row 1 repeats field 'ID'");
    ExpectRejected(Packet(idField, R"(<RECORD ID="1"/>)"), "unexpected element 'RECORD' in ROWDATA");
    ExpectRejected(Packet(idField, R"(text)"), "unexpected text in ROWDATA");
    ExpectRejected(Packet(idField, R"(<ROW ID="1"><ROW ID="2"/></ROW>)"), "row 1 has nested content");
    ExpectRejected(Packet(idField, R"(<ROW ID="1")"), "Invalid data packet");
    ExpectRejected(Packet(R"(<FIELD attrname="B" fieldtype="boolean"/>)", R"(<ROW B="yes"/>)"),
                   "value 'yes' of field 'B' in row 1 is not a valid boolean");
    ExpectRejected(Packet(R"(<FIELD attrname="D" fieldtype="date"/>)", R"(<ROW D="20170230"/>)"),
                   "value '20170230' of field 'D' in row 1 is not a valid date");
    ExpectRejected(Packet(R"(<FIELD attrname="D" fieldtype="dateTime"/>)", R"(<ROW D="20170807 13:05:09"/>)"),
                   "not a valid dateTime");
    ExpectRejected(Packet(R"(<FIELD attrname="T" fieldtype="time"/>)", R"(<ROW T="25:00:00000"/>)"),
                   "not a valid time");
    ExpectRejected(Packet(R"(<FIELD attrname="S" fieldtype="i2"/>)", R"(<ROW S="40000"/>)"),
                   "not a valid i2");
    ExpectRejected(Packet(R"(<FIELD attrname="R" fieldtype="r8"/>)", R"(<ROW R="1,5"/>)"), "not a valid r8");
    ExpectRejected(Packet(R"(<FIELD attrname="H" fieldtype="bin.hex"/>)", R"(<ROW H="ABC"/>)"),
                   "not a valid bin.hex");
}

TEST(DataPacket, LongValueInMessageIsCutAtCharacterBoundary) {
    const std::string longText(30, 'x');
    try {
        TClientDataSet ds;
        Load(ds, Packet(R"(<FIELD attrname="ID" fieldtype="i4"/>)",
                        "<ROW ID=\"" + longText + "中文中文中文\"/>"));
        FAIL();
    } catch (const EDatabaseError& e) {
        const std::string msg = e.what();
        EXPECT_NE(msg.find("'" + longText + "中文中...'"), std::string::npos) << msg;
    }
}

TEST(DataPacket, ReadsDateTimeTexts) {
    TClientDataSet ds;
    Load(ds, Packet(R"(<FIELD attrname="DT" fieldtype="dateTime"/><FIELD attrname="T" fieldtype="time"/>)"
                    R"(<FIELD attrname="F" fieldtype="fixed" DECIMALS="2" WIDTH="10"/>)",
                    R"(<ROW DT="20170807T13:05:09000" T="08:30:00" F="12.5000"/><ROW DT="20170807"/>)"));
    EXPECT_EQ(ds.FieldByName("DT").AsDateTime(), EncodeDateTime({2017, 8, 7, 13, 5, 9, 0}));
    EXPECT_EQ(ds.FieldByName("T").AsDateTime(), EncodeTime(8, 30, 0));
    EXPECT_EQ(ds.FieldByName("F").AsFloat(), 12.5);
    EXPECT_EQ(ds.FieldDefs(2).DataType, TFieldType::ftBCD);
    EXPECT_EQ(ds.FieldDefs(2).Size, 2);
    EXPECT_EQ(ds.FieldDefs(2).Precision, 10);
    ds.Next();
    EXPECT_EQ(ds.FieldByName("DT").AsDateTime(), EncodeDate(2017, 8, 7));
}

TEST(DataPacket, ByteOrderMarkIsSkipped) {
    TClientDataSet ds;
    Load(ds, "\xEF\xBB\xBF" + Packet(R"(<FIELD attrname="ID" fieldtype="i4"/>)", R"(<ROW ID="5"/>)"));
    EXPECT_EQ(ds.FieldByName("ID").AsInteger(), 5);
}

TEST(DataPacket, FieldTypeNames) {
    bool known = false;
    EXPECT_EQ(DataPacketFieldType("i4", known), TFieldType::ftInteger);
    EXPECT_TRUE(known);
    EXPECT_EQ(DataPacketFieldType("r8", "Money", known), TFieldType::ftCurrency);
    EXPECT_EQ(DataPacketFieldType("bin.hex", "Text", known), TFieldType::ftMemo);
    EXPECT_EQ(DataPacketFieldType("nonsense", known), TFieldType::ftUnknown);
    EXPECT_FALSE(known);
    EXPECT_STREQ(DataPacketTypeName(TFieldType::ftWideString), "string.uni");
    EXPECT_STREQ(DataPacketTypeName(TFieldType::ftDateTime), "dateTime");
}

TEST(DataPacket, VariantCarriesText) {
    const OleVariant v = PacketToVariant("<x/>");
    EXPECT_TRUE(v.IsByteArray());
    EXPECT_EQ(VariantPacketText(v), "<x/>");
    EXPECT_THROW(VariantPacketText(OleVariant("<x/>")), EDatabaseError);
}
