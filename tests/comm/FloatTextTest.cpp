// Amounts in the shortest general form, and answer fields read as numbers with a default.
#include "comm/FloatText.h"

#include <gtest/gtest.h>

namespace tkv {
namespace {

TEST(FloatToStr, ShortestGeneralForm) {
    EXPECT_EQ(FloatToStr(12.5), "12.5");
    EXPECT_EQ(FloatToStr(10), "10");
    EXPECT_EQ(FloatToStr(0.1 + 0.2), "0.3");
    EXPECT_EQ(FloatToStr(-0.0), "0");
    EXPECT_EQ(FloatToStr(-3.25), "-3.25");
    EXPECT_EQ(FloatToStr(1000.01), "1000.01");
    EXPECT_EQ(FloatToStr(123456789012345.0), "123456789012345");
    EXPECT_EQ(FloatToStr(0.0001), "0.0001");
}

TEST(FloatToStr, ExponentBeyondFifteenDigitsOrBelowTenThousandth) {
    EXPECT_EQ(FloatToStr(1e15), "1E15");
    EXPECT_EQ(FloatToStr(0.00001), "1E-5");
    EXPECT_EQ(FloatToStr(1.5e-7), "1.5E-7");
}

TEST(StrToFloatDef, NumbersAndEverythingElse) {
    EXPECT_EQ(StrToFloatDef("12.5", 0), 12.5);
    EXPECT_EQ(StrToFloatDef(" -3 ", 0), -3);
    EXPECT_EQ(StrToFloatDef("+4", 0), 4);
    EXPECT_EQ(StrToFloatDef("1E3", 0), 1000);
    EXPECT_EQ(StrToFloatDef(".5", 0), 0.5);
    EXPECT_EQ(StrToFloatDef("", 7), 7);
    EXPECT_EQ(StrToFloatDef(" ", 7), 7);
    EXPECT_EQ(StrToFloatDef("12,5", 7), 7);
    EXPECT_EQ(StrToFloatDef("1.2.3", 7), 7);
    EXPECT_EQ(StrToFloatDef("inf", 7), 7);
    EXPECT_EQ(StrToFloatDef("nan", 7), 7);
    EXPECT_EQ(StrToFloatDef("1e999", 7), 7);
    EXPECT_EQ(StrToFloatDef("2026-03-25", 7), 7);
}

TEST(StrToIntDef, IntegersAndEverythingElse) {
    EXPECT_EQ(StrToIntDef("45", 0), 45);
    EXPECT_EQ(StrToIntDef("  -7", 0), -7);
    EXPECT_EQ(StrToIntDef("$1F", 0), 31);
    EXPECT_EQ(StrToIntDef("0x10", 0), 16);
    EXPECT_EQ(StrToIntDef("", 10), 10);
    EXPECT_EQ(StrToIntDef("1 ", 10), 10);
    EXPECT_EQ(StrToIntDef("--1", 10), 10);
    EXPECT_EQ(StrToIntDef("1.5", 10), 10);
    EXPECT_EQ(StrToIntDef("OK", 10), 10);
    EXPECT_EQ(StrToIntDef("2147483647", 10), 2147483647);
    EXPECT_EQ(StrToIntDef("2147483648", 10), 10);
    EXPECT_EQ(StrToIntDef("-2147483648", 10), -2147483647 - 1);
}

} // namespace
} // namespace tkv
