// The streaming packet writer: the same text as a dataset's packet, variant conversions, and the
// field checks a dataset makes.
#include "framework/DataPacket.h"
#include "framework/DataSet.h"
#include "framework/DateTime.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tkv;

namespace {

std::vector<TFieldDef> EveryType() {
    auto def = [](std::string name, TFieldType type, int size = 0, int precision = 0) {
        TFieldDef d;
        d.Name = std::move(name);
        d.DataType = type;
        d.Size = size;
        d.Precision = precision;
        return d;
    };
    return {def("s", TFieldType::ftString, 20),    def("fc", TFieldType::ftFixedChar, 4),
            def("w", TFieldType::ftWideString, 5), def("i2", TFieldType::ftSmallint),
            def("i4", TFieldType::ftInteger),      def("u2", TFieldType::ftWord),
            def("ai", TFieldType::ftAutoInc),      def("i8", TFieldType::ftLargeint),
            def("b", TFieldType::ftBoolean),       def("r8", TFieldType::ftFloat),
            def("cur", TFieldType::ftCurrency),    def("bcd", TFieldType::ftBCD, 2, 12),
            def("d", TFieldType::ftDate),          def("t", TFieldType::ftTime),
            def("dt", TFieldType::ftDateTime),     def("bytes", TFieldType::ftBytes, 3),
            def("vb", TFieldType::ftVarBytes, 8),  def("blob", TFieldType::ftBlob),
            def("memo", TFieldType::ftMemo),       def("单价 (元)", TFieldType::ftFloat)};
}

std::vector<std::vector<OleVariant>> SomeRows() {
    const TDateTime when = EncodeDateTime(DateParts{2025, 3, 10, 13, 5, 7, 45});
    return {
        {OleVariant("阿莫西林 <0.25g> & \"胶囊\"\r\n"),
         OleVariant("ABCD"),
         OleVariant("宽字"),
         OleVariant::Smallint(-32768),
         OleVariant(2147483647),
         OleVariant(65535),
         OleVariant(7),
         OleVariant::Int64(-9007199254740993LL),
         OleVariant(true),
         OleVariant(0.1),
         OleVariant::Currency(12.5),
         OleVariant(3.14159),
         OleVariant::Date(EncodeDate(1, 1, 1)),
         OleVariant::Date(when - DateOf(when)),
         OleVariant::Date(when),
         OleVariant::ByteArray({0, 0xAB, 0xFF}),
         OleVariant::ByteArray({}),
         OleVariant::ByteArray({1, 2}),
         OleVariant("多行\n备注"),
         OleVariant(-1.5e300)},
        {OleVariant::Null(),
         OleVariant(),
         OleVariant::Null(),
         OleVariant::Null(),
         OleVariant::Null(),
         OleVariant::Null(),
         OleVariant::Null(),
         OleVariant::Null(),
         OleVariant(false),
         OleVariant::Null(),
         OleVariant::Null(),
         OleVariant::Null(),
         OleVariant::Date(EncodeDate(9999, 12, 31)),
         OleVariant::Null(),
         OleVariant::Null(),
         OleVariant::Null(),
         OleVariant::Null(),
         OleVariant::Null(),
         OleVariant(""),
         OleVariant::Null()},
    };
}

std::string Written(const std::vector<TFieldDef>& fields, const std::vector<std::vector<OleVariant>>& rows) {
    DataPacketWriter writer;
    for (const auto& f : fields)
        writer.AddField(f);
    writer.BeginRows();
    for (const auto& row : rows) {
        writer.BeginRow();
        for (const auto& v : row)
            writer.Value(v);
        writer.EndRow();
    }
    return std::string(VariantPacketText(writer.Finish()));
}

TEST(DataPacketWriter, WritesWhatTheDataSetWrites) {
    TClientDataSet ds;
    for (const auto& f : EveryType())
        ds.AddFieldDef(f);
    ds.CreateDataSet();
    for (const auto& row : SomeRows())
        ds.AppendRecord(row);
    const std::string fromDataSet = WriteDataPacket(ds);
    EXPECT_EQ(Written(EveryType(), SomeRows()), fromDataSet);

    TClientDataSet back;
    back.SetData(PacketToVariant(fromDataSet));
    EXPECT_EQ(WriteDataPacket(back), fromDataSet);
}

TEST(DataPacketWriter, TypedCellsTakeTheFieldsForm) {
    DataPacketWriter writer;
    writer.AddField({"d", TFieldType::ftDateTime, 0, 0});
    writer.AddField({"m", TFieldType::ftBCD, 2, 10});
    writer.AddField({"h", TFieldType::ftBlob, 0, 0});
    writer.AddField({"n", TFieldType::ftInteger, 0, 0});
    writer.BeginRows(16);
    writer.BeginRow();
    writer.Float(EncodeDateTime(DateParts{2025, 6, 1, 23, 59, 59, 999}));
    writer.Float(2.5);
    writer.Text("\x01\xFE");
    writer.Null();
    writer.EndRow();
    const std::string text(VariantPacketText(writer.Finish()));
    EXPECT_NE(text.find(R"(<ROW d="20250601T23:59:59999" m="2.50" h="01FE"/>)"), std::string::npos) << text;
}

TEST(DataPacketWriter, ValuesConvertAsTheDataSetConvertsThem) {
    auto one = [](TFieldType type, const OleVariant& value) {
        DataPacketWriter writer;
        writer.AddField({"v", type, 0, 0});
        writer.BeginRows();
        writer.BeginRow();
        writer.Value(value);
        writer.EndRow();
        const std::string text(VariantPacketText(writer.Finish()));
        const std::size_t at = text.find("<ROW ");
        return text.substr(at, text.find("/>", at) - at);
    };
    EXPECT_EQ(one(TFieldType::ftInteger, OleVariant("42")), R"(<ROW v="42")");
    EXPECT_EQ(one(TFieldType::ftString, OleVariant(7)), R"(<ROW v="7")");
    EXPECT_THROW(one(TFieldType::ftInteger, OleVariant("abc")), EVariantError);
    EXPECT_THROW(one(TFieldType::ftSmallint, OleVariant(40000)), EVariantError);
    EXPECT_THROW(one(TFieldType::ftWord, OleVariant(-1)), EVariantError);
}

TEST(DataPacketWriter, RejectsFieldsADataSetRejects) {
    DataPacketWriter writer;
    writer.AddField({"Name", TFieldType::ftString, 10, 0});
    EXPECT_THROW(writer.AddField({"NAME", TFieldType::ftInteger, 0, 0}), EDatabaseError);
    EXPECT_THROW(writer.AddField({"", TFieldType::ftInteger, 0, 0}), EDatabaseError);
    EXPECT_THROW(writer.AddField({"x", TFieldType::ftUnknown, 0, 0}), EDatabaseError);
    EXPECT_EQ(writer.FieldCount(), 1u);
}

} // namespace

namespace {

// Rows written first, the fields' sizes and types learnt from them set afterwards.
TEST(DataPacketWriter, FieldsSettledAfterTheRowsReachTheMetadata) {
    DataPacketWriter writer;
    writer.AddField({"name", TFieldType::ftString, 1, 0});
    writer.AddField({"qty", TFieldType::ftInteger, 0, 0});
    writer.AddField({"later", TFieldType::ftString, 1, 0});
    writer.BeginRows();
    writer.BeginRow();
    writer.Text("阿莫西林胶囊");
    writer.Integer(5);
    writer.Null();
    writer.EndRow();
    writer.SetFieldType(2, TFieldType::ftDateTime); // no cell of it is written yet
    writer.BeginRow();
    writer.Text("x");
    writer.Integer(5000000000LL);
    writer.Float(EncodeDate(2025, 6, 1));
    writer.EndRow();
    writer.SetFieldType(1, TFieldType::ftLargeint);
    writer.SetFieldSize(0, 18);

    TClientDataSet ds;
    ds.SetData(writer.Finish());
    ASSERT_EQ(ds.RecordCount(), 2);
    EXPECT_EQ(ds.FieldDefs(0).Size, 18);
    EXPECT_EQ(ds.FieldDefs(1).DataType, TFieldType::ftLargeint);
    EXPECT_EQ(ds.FieldDefs(2).DataType, TFieldType::ftDateTime);
    EXPECT_EQ(ds.Cell(1, 1).AsInt64(), 5000000000LL);
    EXPECT_DOUBLE_EQ(ds.Cell(1, 2).AsDateTime(), EncodeDate(2025, 6, 1));
    EXPECT_TRUE(ds.CellIsNull(0, 2));
}

TEST(DataPacketWriter, WrittenCellsKeepTheirFieldsForm) {
    DataPacketWriter writer;
    writer.AddField({"n", TFieldType::ftInteger, 0, 0});
    writer.AddField({"d", TFieldType::ftDateTime, 0, 0});
    writer.BeginRows();
    writer.BeginRow();
    writer.Integer(1);
    writer.Float(EncodeDate(2025, 6, 1));
    writer.EndRow();
    EXPECT_THROW(writer.SetFieldType(0, TFieldType::ftString), EDatabaseError);
    EXPECT_THROW(writer.SetFieldType(1, TFieldType::ftFloat), EDatabaseError);
    EXPECT_THROW(writer.SetFieldType(1, TFieldType::ftUnknown), EDatabaseError);
    EXPECT_NO_THROW(writer.SetFieldType(0, TFieldType::ftLargeint));
}

TEST(DataPacketWriter, ACellBeyondTheLastFieldIsRefused) {
    DataPacketWriter writer;
    writer.AddField({"n", TFieldType::ftInteger, 0, 0});
    writer.BeginRows();
    writer.BeginRow();
    writer.Integer(1);
    EXPECT_THROW(writer.Integer(2), EDatabaseError);
    EXPECT_THROW(writer.Value(OleVariant("x")), EDatabaseError);
}

} // namespace
