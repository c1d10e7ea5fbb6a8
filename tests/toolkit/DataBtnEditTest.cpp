#include "toolkit/DataBtnEdit.h"
#include "toolkit/Form.h"

#include <gtest/gtest.h>

using namespace tkv;

namespace {

// Types the text at the caret and answers the text afterwards.
std::string TypeInto(TDataBtnEdit& edit, const std::string& text) {
    for (char32_t ch : DecodeUtf8(text))
        edit.KeyPress(ch);
    return edit.Text();
}

TDataBtnEdit& PrintCountEdit(TForm& form) {
    auto& edit = form.Make<TDataBtnEdit>("edit_printcount");
    TDataTypes& t = edit.GetDataTypes();
    t.ValueType = vtInteger;
    t.Length = 3;
    t.Digital = 0;
    t.MaxValue = 1000;
    t.MinValue = 0;
    t.Positive = true;
    edit.SetText("0");
    return edit;
}

} // namespace

TEST(DataBtnEdit, PrintCountEditRefusesFifthDigit) {
    TForm form;
    auto& edit = PrintCountEdit(form);
    EXPECT_EQ(edit.GetText(), "0");
    edit.SelectAll();
    EXPECT_EQ(TypeInto(edit, "12345"), "1234");
}

TEST(DataBtnEdit, IntegerMinusOnlyInFirstPosition) {
    TForm form;
    auto& edit = PrintCountEdit(form);
    edit.SelectAll();
    EXPECT_EQ(TypeInto(edit, "12-"), "12");
    edit.SetSelStart(0);
    char32_t minus = U'-';
    edit.KeyPress(minus);
    EXPECT_EQ(edit.Text(), "-12");
    edit.SetSelStart(0);
    minus = U'-';
    edit.KeyPress(minus);
    EXPECT_EQ(minus, 0u) << "a second minus is refused";
    EXPECT_EQ(edit.Text(), "-12");
    char32_t digit = U'5';
    edit.SetSelStart(0);
    edit.KeyPress(digit);
    EXPECT_EQ(edit.Text(), "-12") << "no digit in front of the minus sign";
}

TEST(DataBtnEdit, IntegerRefusesLettersAndPoint) {
    TForm form;
    auto& edit = PrintCountEdit(form);
    edit.SelectAll();
    EXPECT_EQ(TypeInto(edit, "1a.2"), "12");
}

TEST(DataBtnEdit, IntegerLimitCountsTheMinusSign) {
    TForm form;
    auto& edit = PrintCountEdit(form);
    edit.SelectAll();
    EXPECT_EQ(TypeInto(edit, "-1234"), "-123");
}

TEST(DataBtnEdit, BackspaceAlwaysAllowedAtTheLimit) {
    TForm form;
    auto& edit = PrintCountEdit(form);
    edit.SelectAll();
    TypeInto(edit, "1000");
    char32_t back = VK_BACK;
    edit.KeyPress(back);
    EXPECT_EQ(edit.Text(), "100");
}

TEST(DataBtnEdit, DoubleAcceptsOnePointWithDigitalPlaces) {
    TForm form;
    auto& edit = form.Make<TDataBtnEdit>("e");
    edit.GetDataTypes().ValueType = vtDouble;
    edit.GetDataTypes().Digital = 2;
    EXPECT_EQ(TypeInto(edit, "12.345"), "12.34");
    EXPECT_EQ(TypeInto(edit, "."), "12.34");
    edit.SetText("");
    EXPECT_EQ(TypeInto(edit, "-3.5-"), "-3.5");
}

TEST(DataBtnEdit, DoubleNoTotalFollowsTheSameRules) {
    TForm form;
    auto& edit = form.Make<TDataBtnEdit>("e");
    edit.GetDataTypes().ValueType = vtDoubleNoTotal;
    edit.GetDataTypes().Digital = 0;
    EXPECT_EQ(TypeInto(edit, "7.5"), "75") << "no decimal point without decimal places";
}

TEST(DataBtnEdit, SetTextFormatsByValueType) {
    TForm form;
    auto& edit = form.Make<TDataBtnEdit>("e");
    edit.GetDataTypes().ValueType = vtDouble;
    edit.GetDataTypes().Digital = 2;
    edit.SetText("3.14159");
    EXPECT_EQ(edit.Text(), "3.14");
    edit.SetText("");
    EXPECT_EQ(edit.Text(), "") << "may stay empty";
    edit.SetCanLeaveEmpty(false);
    edit.SetText("");
    EXPECT_EQ(edit.Text(), "0.00");
    edit.GetDataTypes().ValueType = vtInteger;
    edit.SetText("007");
    EXPECT_EQ(edit.Text(), "7");
    EXPECT_THROW(edit.SetText("12a"), std::invalid_argument);
    EXPECT_THROW(edit.SetText("1.5"), std::invalid_argument);
    EXPECT_EQ(edit.Text(), "7");
}

TEST(DataBtnEdit, StringEditTakesAnythingUpToMaxLength) {
    TForm form;
    auto& edit = form.Make<TDataBtnEdit>("e");
    edit.SetMaxLength(3);
    EXPECT_EQ(TypeInto(edit, "发票ab"), "发票a");
    edit.SetReadOnly(true);
    edit.SetText("");
    EXPECT_EQ(TypeInto(edit, "x"), "");
}

TEST(DataBtnEdit, TypingFiresChange) {
    TForm form;
    auto& edit = form.Make<TDataBtnEdit>("e");
    int changes = 0;
    edit.OnChange = [&](TComponent&) {
        ++changes;
    };
    edit.GetDataTypes().ValueType = vtInteger;
    TypeInto(edit, "1x2");
    EXPECT_EQ(changes, 2);
}
