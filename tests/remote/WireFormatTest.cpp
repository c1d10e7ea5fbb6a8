// The message format: every variant kind the host and the plug-in exchange survives the trip
// unchanged, and bytes that are no message are refused instead of read past their end.
#include "remote/WireFormat.h"

#include <gtest/gtest.h>

using namespace tkv;
using namespace tkv::remote;

namespace {

TMessage RoundTrip(const TMessage& m) {
    return DecodeMessage(EncodeMessage(m));
}

} // namespace

TEST(WireFormatTest, EveryVariantKindTravelsUnchanged) {
    TMessage m;
    m.Kind = TMessageKind::mkCall;
    m.Name = "OpenProcByName.Outputs";
    m.Values = {OleVariant(),
                OleVariant::Null(),
                OleVariant::Smallint(-7),
                OleVariant(std::int32_t{-2147483647 - 1}),
                OleVariant::Int64(1LL << 40),
                OleVariant(3.25),
                OleVariant::Currency(12.3456),
                OleVariant::Date(45000.5),
                OleVariant(true),
                OleVariant(std::string("厂家品种发票图片关联管理")),
                OleVariant(std::string()),
                OleVariant::ByteArray({0xFF, 0xD8, 0x00, 0xFF}),
                OleVariant::ByteArray({}),
                OleVariant::VarArray({OleVariant("@voiceid"), OleVariant(42),
                                      OleVariant::VarArray({OleVariant::Null(), OleVariant(false)})})};
    const TMessage back = RoundTrip(m);
    EXPECT_EQ(back.Kind, m.Kind);
    EXPECT_EQ(back.Name, m.Name);
    ASSERT_EQ(back.Values.size(), m.Values.size());
    for (std::size_t i = 0; i < m.Values.size(); ++i) {
        EXPECT_EQ(back.Values[i].VarType(), m.Values[i].VarType()) << i;
        EXPECT_TRUE(back.Values[i] == m.Values[i]) << i;
    }
}

TEST(WireFormatTest, ErrorsAndReturnsKeepTheirKind) {
    EXPECT_EQ(RoundTrip({TMessageKind::mkError, "存储过程不存在", {}}).Name, "存储过程不存在");
    EXPECT_EQ(RoundTrip({TMessageKind::mkReturn, "", {OleVariant(1)}}).Kind, TMessageKind::mkReturn);
}

TEST(WireFormatTest, BytesThatAreNoMessageAreRefused) {
    const std::string good =
        EncodeMessage({TMessageKind::mkCall, "GetImage", {OleVariant::ByteArray({1, 2, 3})}});
    // Every shorter prefix is cut short somewhere.
    for (std::size_t n = 0; n < good.size(); ++n)
        EXPECT_THROW(DecodeMessage(good.substr(0, n)), EWireFormat) << n;
    EXPECT_THROW(DecodeMessage(good + "x"), EWireFormat);
    std::string kind = good;
    kind[0] = 9;
    EXPECT_THROW(DecodeMessage(kind), EWireFormat);
    // An array that claims four billion elements is refused before anything is allocated.
    std::string huge = EncodeMessage({TMessageKind::mkCall, "x", {OleVariant::VarArray({})}});
    huge.replace(huge.size() - 4, 4, std::string("\xFF\xFF\xFF\xFF", 4));
    EXPECT_THROW(DecodeMessage(huge), EWireFormat);
}

TEST(WireFormatTest, NestingBeyondAnyPacketIsRefused) {
    OleVariant v = OleVariant(1);
    for (int i = 0; i < 40; ++i)
        v = OleVariant::VarArray({v});
    const std::string bytes = EncodeMessage({TMessageKind::mkCall, "deep", {v}});
    EXPECT_THROW(DecodeMessage(bytes), EWireFormat);
}
