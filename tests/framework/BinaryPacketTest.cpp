// The binary datapacket: a packet laid out by hand from the format's description, every field type
// with its extremes against the XML form of the same rows, and packets cut short or malformed.
#include "framework/BinaryPacket.h"
#include "framework/DataPacket.h"
#include "framework/DateTime.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

using namespace tkv;

namespace {

OleVariant Bytes(const std::string& s) {
    return OleVariant::ByteArray(OleVariant::Bytes(s.begin(), s.end()));
}

std::string Le(std::uint64_t v, int n) {
    std::string s;
    for (int i = 0; i < n; ++i)
        s += static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
}

std::string Name(const std::string& n) {
    return static_cast<char>(n.size()) + n;
}

// Two fields (ID: 32-bit integer; Name: 8-bit string of width 20), an LCID property, two rows: the
// second has no name. Laid out as the public description of the format gives it.
std::string HandMadePacket() {
    std::string meta;
    meta += Name("ID") + Le(0x00010004, 4) + Le(0, 2) + Le(0, 2);
    meta += Name("Name") + Le(0x00490001, 4) + Le(0, 2) + Le(1, 2);
    meta += Name("WIDTH") + Le(0x00020002, 4) + Le(20, 2);
    meta += Le(1, 2) + Name("LCID") + Le(0x00020004, 4) + Le(2052, 4);
    std::string packet = std::string("\x96\x19\xE0\xBD", 4) + Le(1, 2) + Le(0, 2) + Le(24, 4) + Le(2, 2) +
                         Le(2, 4) + Le(3, 4) + Le(24 + meta.size(), 2) + meta;
    packet += std::string("\0\0", 2) + Le(7, 4) + Name("\xD2\xA9\xC6\xB7 A"); // "药品 A" in code page 936
    packet += std::string("\0\x04", 2) + Le(0xFFFFFFFF, 4);
    return packet;
}

// One row of every type the dataset holds, one of their other extremes, one of nulls and empties.
void EveryType(TClientDataSet& ds) {
    ds.AddFieldDef("i2", TFieldType::ftSmallint);
    ds.AddFieldDef("i4", TFieldType::ftInteger);
    ds.AddFieldDef("w", TFieldType::ftWord);
    ds.AddFieldDef("auto", TFieldType::ftAutoInc);
    ds.AddFieldDef("i8", TFieldType::ftLargeint);
    ds.AddFieldDef("r8", TFieldType::ftFloat);
    ds.AddFieldDef("money", TFieldType::ftCurrency);
    ds.AddFieldDef(TFieldDef{"bcd", TFieldType::ftBCD, 4, 18});
    ds.AddFieldDef("s", TFieldType::ftString, 300);
    ds.AddFieldDef("fc", TFieldType::ftFixedChar, 4);
    ds.AddFieldDef("ws", TFieldType::ftWideString, 10);
    ds.AddFieldDef("memo", TFieldType::ftMemo);
    ds.AddFieldDef("b", TFieldType::ftBoolean);
    ds.AddFieldDef("d", TFieldType::ftDate);
    ds.AddFieldDef("t", TFieldType::ftTime);
    ds.AddFieldDef("dt", TFieldType::ftDateTime);
    ds.AddFieldDef("blob", TFieldType::ftBlob);
    ds.AddFieldDef("vb", TFieldType::ftVarBytes, 8);
    ds.CreateDataSet();
    std::string memo;
    while (memo.size() < 100 * 1024)
        memo += "阿莫西林胶囊 0.25g×24粒\r\n";
    ds.AppendRecord({OleVariant::Smallint(-32768), OleVariant(std::numeric_limits<std::int32_t>::min()),
                     OleVariant(65535), OleVariant(1),
                     OleVariant::Int64(std::numeric_limits<std::int64_t>::min()),
                     OleVariant(-1.7976931348623157e308), OleVariant::Currency(-922337203685477.5),
                     OleVariant::Currency(-99999999999999.9999), OleVariant(std::string(299, 'x') + "药"),
                     OleVariant("ab"), OleVariant("宽字符𠀀"), OleVariant(memo), OleVariant(true),
                     OleVariant::Date(EncodeDate(1, 1, 1)), OleVariant::Date(EncodeTime(0, 0, 0, 0)),
                     OleVariant::Date(EncodeDateTime({1, 1, 1, 0, 0, 0, 1})),
                     OleVariant::ByteArray({0, 0xFF, 0}), OleVariant::ByteArray({})});
    ds.AppendRecord(
        {OleVariant::Smallint(32767), OleVariant(std::numeric_limits<std::int32_t>::max()), OleVariant(0),
         OleVariant(2147483647), OleVariant::Int64(std::numeric_limits<std::int64_t>::max()),
         OleVariant(4.9406564584124654e-324), OleVariant::Currency(922337203685477.5),
         OleVariant::Currency(0.0001), OleVariant("药品"), OleVariant("abcd"), OleVariant("w"),
         OleVariant("短"), OleVariant(false), OleVariant::Date(EncodeDate(9999, 12, 31)),
         OleVariant::Date(EncodeTime(23, 59, 59, 999)),
         OleVariant::Date(EncodeDateTime({9999, 12, 31, 23, 59, 59, 999})),
         OleVariant::ByteArray(OleVariant::Bytes(70000, 0xAB)), OleVariant::ByteArray({1, 2, 3})});
    ds.AppendRecord({OleVariant::Null(), OleVariant(0), OleVariant::Null(), OleVariant::Null(),
                     OleVariant::Null(), OleVariant(0.0), OleVariant::Null(), OleVariant::Currency(0),
                     OleVariant(""), OleVariant(""), OleVariant(""), OleVariant(""), OleVariant::Null(),
                     OleVariant::Date(EncodeDate(1850, 3, 4)), OleVariant::Null(),
                     OleVariant::Date(EncodeDateTime({1850, 3, 4, 18, 30, 15, 250})), OleVariant::Null(),
                     OleVariant::Null()});
}

void ExpectSame(const TClientDataSet& a, const TClientDataSet& b) {
    ASSERT_EQ(a.FieldCount(), b.FieldCount());
    ASSERT_EQ(a.RecordCount(), b.RecordCount());
    for (int f = 0; f < a.FieldCount(); ++f) {
        const std::string& name = a.FieldDefs(f).Name;
        EXPECT_EQ(a.FieldDefs(f).Name, b.FieldDefs(f).Name);
        EXPECT_EQ(a.FieldDefs(f).DataType, b.FieldDefs(f).DataType) << name;
        EXPECT_EQ(a.FieldDefs(f).Size, b.FieldDefs(f).Size) << name;
        for (int r = 0; r < a.RecordCount(); ++r) {
            EXPECT_EQ(a.CellIsNull(r, f), b.CellIsNull(r, f)) << name << " row " << r;
            EXPECT_EQ(a.Cell(r, f), b.Cell(r, f)) << name << " row " << r;
        }
    }
}

std::string Why(const std::string& packet) {
    TClientDataSet ds;
    try {
        ds.SetData(Bytes(packet));
    } catch (const EDatabaseError& e) {
        EXPECT_FALSE(ds.Active());
        EXPECT_EQ(ds.FieldCount(), 0);
        return e.what();
    }
    return "accepted";
}

} // namespace

TEST(BinaryPacket, ReadsAPacketLaidOutAsTheFormatIsDescribed) {
    TClientDataSet ds;
    ds.SetData(Bytes(HandMadePacket()));
    EXPECT_EQ(ds.PacketForm(), TPacketForm::Binary);
    ASSERT_EQ(ds.RecordCount(), 2);
    EXPECT_EQ(ds.FieldDefs(0).DataType, TFieldType::ftInteger);
    EXPECT_EQ(ds.FieldDefs(1).DataType, TFieldType::ftString);
    EXPECT_EQ(ds.FieldDefs(1).Size, 20);
    EXPECT_EQ(ds.FieldByName("ID").AsInteger(), 7);
    EXPECT_EQ(ds.FieldByName("Name").AsString(), "药品 A");
    ds.Next();
    EXPECT_EQ(ds.FieldByName("ID").AsInteger(), -1);
    EXPECT_TRUE(ds.FieldByName("Name").IsNull());
}

TEST(BinaryPacket, EveryFieldTypeLoadsAsItsXmlForm) {
    TClientDataSet built;
    EveryType(built);
    const OleVariant binary = BinaryPacketVariant(built);
    ASSERT_TRUE(IsBinaryPacket(VariantPacketText(binary)));

    TClientDataSet fromXml, fromBinary;
    fromXml.SetData(built.GetData());
    fromBinary.SetData(binary);
    EXPECT_EQ(fromXml.PacketForm(), TPacketForm::Xml);
    EXPECT_EQ(fromBinary.PacketForm(), TPacketForm::Binary);
    ExpectSame(fromXml, fromBinary);
    ExpectSame(built, fromBinary);

    // Handed back, the packet keeps the binary form and the same rows.
    const OleVariant again = fromBinary.GetData();
    ASSERT_TRUE(IsBinaryPacket(VariantPacketText(again)));
    TClientDataSet reloaded;
    reloaded.SetData(again);
    ExpectSame(built, reloaded);
}

TEST(BinaryPacket, APacketCutAnywhereIsRefusedAndNeverReadPastItsEnd) {
    TClientDataSet small;
    small.AddFieldDef("ID", TFieldType::ftInteger);
    small.AddFieldDef(TFieldDef{"Amount", TFieldType::ftBCD, 2, 12});
    small.AddFieldDef("Name", TFieldType::ftWideString, 8);
    small.AddFieldDef("Memo", TFieldType::ftMemo);
    small.CreateDataSet();
    small.AppendRecord({OleVariant(1), OleVariant::Currency(12.34), OleVariant("名称"), OleVariant("备注")});
    const OleVariant packet = BinaryPacketVariant(small);
    const std::string_view whole = VariantPacketText(packet);
    for (std::size_t n = 4; n < whole.size(); ++n) {
        // An exact-size copy, so that a read past the end is a heap overflow under AddressSanitizer.
        const std::string cut(whole.substr(0, n));
        EXPECT_NE(Why(cut).find("Invalid data packet"), std::string::npos) << n;
    }
    EXPECT_NE(Why(std::string(whole) + "x").find("1 bytes follow the last row"), std::string::npos);
}

TEST(BinaryPacket, RefusesWhatItCannotRead) {
    const std::string good = HandMadePacket();
    auto with = [&](std::size_t at, const std::string& bytes) {
        std::string p = good;
        p.replace(at, bytes.size(), bytes);
        return Why(p);
    };
    EXPECT_NE(Why("\x96\x19\xE0\xBD").find("cut short in its header"), std::string::npos);
    EXPECT_NE(with(4, Le(9, 2)).find("version 9 is not supported"), std::string::npos);
    EXPECT_NE(with(18, Le(0, 4)).find("holds no field descriptions"), std::string::npos);
    EXPECT_NE(with(14, Le(1000000, 4)).find("gives 1000000 rows"), std::string::npos);
    EXPECT_NE(with(22, Le(30, 2)).find("puts its rows at byte 30"), std::string::npos);
    EXPECT_NE(with(27, Le(0x000E0000, 4)).find("field 'ID' is a nested table, which the dataset cannot hold"),
              std::string::npos);
    const std::size_t firstRow = good.size() - 19;
    EXPECT_NE(with(firstRow, std::string("\x10", 1)).find("row 1 has the unknown state 16"),
              std::string::npos);
    EXPECT_NE(with(firstRow + 1, std::string("\x08", 1)).find("keeps field 'Name' unchanged"),
              std::string::npos);
    EXPECT_NE(with(firstRow + 1, std::string("\x03", 1)).find("the status 3"), std::string::npos);
    // Text that is neither form names the XML reader's complaint, as before.
    EXPECT_NE(Why("not a packet").find("Invalid data packet"), std::string::npos);
}
