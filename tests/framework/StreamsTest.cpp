// Memory streams and byte-array variants: bounds, positions and values that are not byte arrays.
#include "framework/Streams.h"

#include <gtest/gtest.h>

using namespace tkv;

TEST(Streams, StreamToVariantCopiesWholeStreamAndLeavesItAtEnd) {
    TMemoryStream s;
    const std::uint8_t data[] = {0xFF, 0xD8, 0x00, 0x42};
    s.Write(data, sizeof data);
    s.SetPosition(2); // the whole stream is taken whatever the position
    const OleVariant v = StreamToVariant(s);
    ASSERT_TRUE(v.IsByteArray());
    EXPECT_EQ(v.LowBound(), 0);
    EXPECT_EQ(v.HighBound(), 3);
    EXPECT_EQ(v.AsBytes(), (OleVariant::Bytes{0xFF, 0xD8, 0x00, 0x42}));
    EXPECT_EQ(s.Position(), 4u);
}

TEST(Streams, EmptyStreamGivesEmptyByteArray) {
    TMemoryStream s;
    const OleVariant v = StreamToVariant(s);
    ASSERT_TRUE(v.IsByteArray());
    EXPECT_EQ(v.HighBound(), -1);
    EXPECT_EQ(s.Position(), 0u);
}

TEST(Streams, OleVariantToStreamPositionsAtEnd) {
    auto s = OleVariantToStream(OleVariant::ByteArray({1, 2, 3}));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->Size(), 3u);
    EXPECT_EQ(s->Position(), 3u);
    s->SetPosition(0);
    std::uint8_t buf[8] = {};
    EXPECT_EQ(s->Read(buf, sizeof buf), 3u);
    EXPECT_EQ(buf[2], 3);
    EXPECT_EQ(s->Read(buf, sizeof buf), 0u);
    auto empty = OleVariantToStream(OleVariant::ByteArray({}));
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->Size(), 0u);
}

TEST(Streams, ValuesThatAreNotByteArraysGiveNoStream) {
    EXPECT_EQ(OleVariantToStream(OleVariant::Null()), nullptr);
    EXPECT_EQ(OleVariantToStream(OleVariant()), nullptr);
    EXPECT_EQ(OleVariantToStream(OleVariant("bytes")), nullptr);
    EXPECT_EQ(OleVariantToStream(OleVariant::VarArray({OleVariant(1), OleVariant(2)})), nullptr);
}

TEST(Streams, WriteOverwritesAndExtends) {
    TMemoryStream s;
    s.Write("abcdef", 6);
    s.SetPosition(4);
    s.Write("XYZ", 3);
    EXPECT_EQ(s.Size(), 7u);
    s.SetPosition(9);
    s.Write("!", 1);
    ASSERT_EQ(s.Size(), 10u);
    EXPECT_EQ(std::string(s.Bytes().begin(), s.Bytes().end()), std::string("abcdXYZ\0\0!", 10));
    s.SetPosition(20);
    char c;
    EXPECT_EQ(s.Read(&c, 1), 0u);
}
