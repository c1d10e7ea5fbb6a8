// Date texts and iif.
#include "comm/DateText.h"
#include "framework/DateTime.h"

#include <gtest/gtest.h>

namespace tkv {
namespace {

TEST(DateText, FormatDateDropsTheTime) {
    const TDateTime t = EncodeDateTime({2017, 8, 7, 13, 5, 9});
    EXPECT_EQ(Format_Date(t), "2017-08-07");
    EXPECT_EQ(Format_Date(EncodeDateTime({2017, 8, 7, 23, 59, 59, 999})), "2017-08-07");
}

TEST(DateText, FormatDateTimeIsTwentyFourHour) {
    EXPECT_EQ(Format_DateTime(EncodeDateTime({2017, 8, 7, 13, 5, 9})), "2017-08-07 13:05:09");
    EXPECT_EQ(Format_DateTime(EncodeDate(2001, 1, 2)), "2001-01-02 00:00:00");
}

TEST(DateText, FourDigitYears) {
    EXPECT_EQ(Format_Date(EncodeDate(999, 3, 4)), "0999-03-04");
}

TEST(DateText, IifChoosesByTheCondition) {
    EXPECT_EQ(iif(true, std::string("a"), std::string("b")), "a");
    EXPECT_EQ(iif(false, std::string("a"), std::string("b")), "b");
    EXPECT_EQ(iif(true, 1, 2), 1);
    EXPECT_EQ(iif(false, 1, 2), 2);
}

} // namespace
} // namespace tkv
