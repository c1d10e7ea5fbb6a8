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

// An integer edit of -1000 to 1000: four digits and a sign.
TDataBtnEdit& IntegerEdit(TForm& form) {
    auto& edit = form.Make<TDataBtnEdit>("e");
    TDataTypes& t = edit.GetDataTypes();
    t.ValueType = vtInteger;
    t.MaxValue = 1000;
    t.MinValue = -1000;
    return edit;
}

} // namespace

// The print count edit: three characters, no sign, nothing above its maximum of 1000.
TEST(DataBtnEdit, PrintCountEditKeepsToItsLengthSignAndRange) {
    TForm form;
    auto& edit = PrintCountEdit(form);
    EXPECT_EQ(edit.GetText(), "0");
    edit.SelectAll();
    EXPECT_EQ(TypeInto(edit, "9999"), "999");
    edit.SelectAll();
    EXPECT_EQ(TypeInto(edit, "-5"), "5");
    // A longer edit of the same range refuses the digit that passes the maximum.
    edit.GetDataTypes().Length = 0;
    edit.SelectAll();
    EXPECT_EQ(TypeInto(edit, "1001"), "100");
    EXPECT_EQ(TypeInto(edit, "0"), "1000");
}

// Below a negative minimum the edit stops as it stops above the maximum.
TEST(DataBtnEdit, ANegativeMinimumIsKept) {
    TForm form;
    auto& edit = IntegerEdit(form);
    edit.GetDataTypes().MinValue = -50;
    EXPECT_EQ(TypeInto(edit, "-51"), "-5");
    edit.GetDataTypes().Positive = true;
    edit.SetText("");
    EXPECT_EQ(TypeInto(edit, "-7"), "7");
}

TEST(DataBtnEdit, IntegerMinusOnlyInFirstPosition) {
    TForm form;
    auto& edit = IntegerEdit(form);
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
    auto& edit = IntegerEdit(form);
    edit.SelectAll();
    EXPECT_EQ(TypeInto(edit, "1a.2"), "12");
}

TEST(DataBtnEdit, IntegerLimitCountsTheMinusSign) {
    TForm form;
    auto& edit = IntegerEdit(form);
    edit.SelectAll();
    EXPECT_EQ(TypeInto(edit, "-1234"), "-123");
}

TEST(DataBtnEdit, BackspaceAlwaysAllowedAtTheLimit) {
    TForm form;
    auto& edit = IntegerEdit(form);
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
