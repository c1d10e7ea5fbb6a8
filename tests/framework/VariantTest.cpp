#include "framework/Variant.h"
#include "framework/DateTime.h"

#include <gtest/gtest.h>

#include <limits>

using namespace tkv;

TEST(Variant, ConversionsFollowFrameworkRules) {
    EXPECT_EQ(OleVariant().AsInteger(), 0);
    EXPECT_EQ(OleVariant("42").AsInteger(), 42);
    EXPECT_EQ(OleVariant(2.5).AsInteger(), 2); // half to even
    EXPECT_EQ(OleVariant(3.5).AsInteger(), 4);
    EXPECT_EQ(OleVariant(true).AsInteger(), -1);
    EXPECT_THROW(OleVariant::Null().AsInteger(), EVariantError);
    EXPECT_THROW(OleVariant("12a").AsInteger(), EVariantError);
    EXPECT_THROW(OleVariant(3e10).AsInteger(), EVariantError);
    EXPECT_EQ(OleVariant(1.5).AsString(), "1.5");
    EXPECT_EQ(VarToStr(OleVariant::Null()), "");
    EXPECT_EQ(OleVariant::Date(EncodeDate(2017, 8, 7)).AsString(), "2017-08-07");
}

TEST(Variant, ConversionErrorNamesBothTypes) {
    try {
        OleVariant::Null().AsString();
        FAIL();
    } catch (const EVariantError& e) {
        EXPECT_STREQ(e.what(), "Could not convert variant of type (Null) into type (OleStr)");
    }
}

TEST(Variant, ByteArraysKeepTypeAndBounds) {
    OleVariant v = OleVariant::ByteArray({1, 2, 3});
    EXPECT_EQ(v.VarType(), varArray | varByte);
    EXPECT_EQ(v.LowBound(), 0);
    EXPECT_EQ(v.HighBound(), 2);
    EXPECT_EQ(OleVariant::ByteArray({}).HighBound(), -1);
    EXPECT_THROW(OleVariant(1).AsBytes(), EVariantError);
}

TEST(DateTime, EncodesAndDecodesAroundTheEpoch) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(2017, 8, 7), 42954.0);
    const DateParts p = DecodeDateTime(EncodeDate(2017, 8, 7) + EncodeTime(13, 5, 9));
    EXPECT_EQ(p.year, 2017);
    EXPECT_EQ(p.month, 8);
    EXPECT_EQ(p.day, 7);
    EXPECT_EQ(p.hour, 13);
    EXPECT_EQ(p.minute, 5);
    EXPECT_EQ(p.second, 9);
    const DateParts before = DecodeDateTime(-1.25);
    EXPECT_EQ(before.day, 29);
    EXPECT_EQ(before.hour, 6);
    EXPECT_THROW(EncodeDate(2023, 2, 29), std::invalid_argument);
    EXPECT_EQ(DecodeDateTime(EncodeDate(2024, 2, 29)).day, 29);
    EXPECT_EQ(StartOfMonth(EncodeDate(2024, 3, 17) + 0.5), EncodeDate(2024, 3, 1));
}

TEST(DateTime, DatesOutsideTheYearsOneTo9999AreRefused) {
    EXPECT_EQ(DecodeDateTime(EncodeDate(1, 1, 1)).year, 1);
    EXPECT_EQ(DecodeDateTime(EncodeDate(1, 1, 1) - 0.5).hour, 12);
    EXPECT_EQ(DecodeDateTime(EncodeDate(9999, 12, 31) + 0.75).year, 9999);
    for (double v : {EncodeDate(1, 1, 1) - 1.0, EncodeDate(9999, 12, 31) + 1.0, 1.5e43, -1.5e43,
                     std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()})
        EXPECT_THROW(DecodeDateTime(v), EVariantError) << v;
    // A date variant from the host with such a value has no text.
    EXPECT_THROW(OleVariant::Date(1.5e43).AsString(), EVariantError);
    EXPECT_EQ(VarToStr(OleVariant::Date(EncodeDate(2024, 2, 29))), "2024-02-29");
}
