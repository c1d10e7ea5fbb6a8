// The data text of an insurance answer and the joining of request fields.
#include "comm/InsuranceGateway.h"

#include <gtest/gtest.h>

namespace tkv {
namespace {

std::string Data(std::string answer, const std::string& code, bool expected) {
    EXPECT_EQ(GetBussOutData(answer, code), expected) << answer;
    return answer;
}

TEST(GetBussOutData, FieldsAsLinesOrJoinedForSpecialDiseases) {
    EXPECT_EQ(Data("1|DL01|356.8", "02", true), "DL01\r\n356.8\r\n");
    EXPECT_EQ(Data("1|M01|高血压$M02|糖尿病", "07", true), "M01|高血压$M02|糖尿病|");
    EXPECT_EQ(Data("1", "02", true), "");
    EXPECT_EQ(Data("1", "07", true), "");
}

TEST(GetBussOutData, TrailingEmptyFieldSurvivesAsABlank) {
    EXPECT_EQ(Data("1|a|", "02", true), "a\r\n \r\n");
    EXPECT_EQ(Data("1|a|", "07", true), "a| |");
}

TEST(GetBussOutData, StatusOtherThanOneIsAFailureWithTheErrorFields) {
    EXPECT_EQ(Data("0|卡号不存在", "02", false), "卡号不存在\r\n");
    EXPECT_EQ(Data("0|卡号不存在", "07", false), "卡号不存在\r\n");
    EXPECT_EQ(Data("x|not a number", "02", false), "not a number\r\n");
    EXPECT_EQ(Data("2|a|b", "02", false), "a\r\nb\r\n");
    EXPECT_EQ(Data(" 1|a", "02", true), "a\r\n");
}

TEST(GetBussOutData, EmptyAnswerIsAFailureLeftAsItIs) {
    EXPECT_EQ(Data("", "02", false), "");
}

TEST(GetBussOutData, LineBreaksInsideFieldsSplitThemToo) {
    EXPECT_EQ(Data("1|a\r\nb|c", "02", true), "a\r\nb\r\nc\r\n");
}

TEST(FormatInputData, SeparatorExceptBeforeTheFirstNonEmptyText) {
    std::string line;
    FormatInputData("", line);
    FormatInputData("a", line);
    FormatInputData("", line);
    FormatInputData("b", line);
    EXPECT_EQ(line, "a||b");
    FormatInputData("c", line, true);
    EXPECT_EQ(line, "a||b;c");
}

} // namespace
} // namespace tkv
