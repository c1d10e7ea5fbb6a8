#include "ToolkitFixture.h"
#include "framework/DateTime.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Form.h"
#include "toolkit/LabelComboBox.h"
#include "toolkit/LabelDateEdit.h"
#include "toolkit/PathSelectEdit.h"
#include "toolkit/PictureSlot.h"
#include "toolkit/RadioButton.h"
#include "toolkit/ScrollBar.h"
#include "toolkit/Timer.h"
#include "ui/headless/FormDriver.h"

#include <gtest/gtest.h>

using namespace tkv;
using namespace tkv::test;

TEST_F(ToolkitTest, PathEditDropsOneTrailingSeparator) {
    TForm form;
    auto& path = form.Make<TPathSelectEdit>("PathEdit");
    int changes = 0;
    path.OnChange = [&](TComponent&) {
        ++changes;
    };
    runner.AnswerFolder("C:\\");
    runner.AnswerFolder("D:\\export\\");
    runner.AnswerFolder("/tmp/out");
    EXPECT_TRUE(path.DoSelectPath());
    EXPECT_EQ(path.GetPath(), "C:");
    EXPECT_TRUE(path.PerformButtonClick());
    EXPECT_EQ(path.GetPath(), "D:\\export");
    path.PerformDblClick();
    EXPECT_EQ(path.GetPath(), "/tmp/out");
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(runner.Dialogs().size(), 3u);
    EXPECT_EQ(runner.Dialogs()[0].Kind, TMessageKind::mkFolderBrowser);
}

TEST_F(ToolkitTest, PathEditCancelChangesNothing) {
    TForm form;
    auto& path = form.Make<TPathSelectEdit>("PathEdit");
    path.SetPath("E:\\pics");
    int changes = 0;
    path.OnChange = [&](TComponent&) {
        ++changes;
    };
    runner.CancelFolder();
    EXPECT_FALSE(path.DoSelectPath());
    EXPECT_EQ(path.GetPath(), "E:\\pics");
    EXPECT_EQ(changes, 0);
}

TEST_F(ToolkitTest, ComboBoxItemsAndIndex) {
    TForm form;
    auto& combo = form.Make<TLabelComboBox>("cbox_billstatus");
    combo.SetItems({"全部", "已过账", "已审核", "未审核"});
    EXPECT_EQ(combo.Style(), TComboBoxStyle::csDropDownList);
    EXPECT_EQ(combo.ItemIndex(), -1);
    EXPECT_EQ(combo.Text(), "");
    int changes = 0;
    combo.OnChange = [&](TComponent&) {
        ++changes;
    };
    combo.SetItemIndex(2);
    EXPECT_EQ(combo.Text(), "已审核");
    EXPECT_EQ(changes, 0) << "setting the index in code fires no change";
    combo.SetItemIndex(9);
    EXPECT_EQ(combo.ItemIndex(), -1);
    EXPECT_TRUE(combo.ChooseItem("未审核"));
    EXPECT_EQ(combo.ItemIndex(), 3);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(combo.ChooseItem("其他"));
}

TEST_F(ToolkitTest, DateEditKeepsWholeDays) {
    TForm form;
    auto& date = form.Make<TLabelDateEdit>("Begindate");
    EXPECT_FALSE(date.AllowBlank());
    EXPECT_EQ(date.DateMode(), TDateMode::dmComboBox);
    EXPECT_EQ(date.LabelSpacing(), 3);
    date.SetDate(EncodeDate(2017, 8, 7) + 0.75);
    EXPECT_DOUBLE_EQ(date.GetDate(), EncodeDate(2017, 8, 7));
    EXPECT_EQ(date.Text(), "2017-08-07");
    date.SetDateReadOnly(true);
    EXPECT_FALSE(date.ChooseDate(EncodeDate(2018, 1, 1)));
    EXPECT_DOUBLE_EQ(date.GetDate(), EncodeDate(2017, 8, 7));
}

TEST_F(ToolkitTest, ScrollBarClampsPosition) {
    TForm form;
    auto& bar = form.Make<TScrollBar>("ScrollBar1");
    int changes = 0;
    bar.OnChange = [&](TComponent&) {
        ++changes;
    };
    bar.SetMax(2);
    bar.SetPosition(5);
    EXPECT_EQ(bar.Position(), 2);
    bar.SetMax(0);
    EXPECT_EQ(bar.Position(), 0) << "a lower maximum pulls the position down";
    EXPECT_EQ(changes, 2);
}

TEST_F(ToolkitTest, RadioButtonsOfOneContainerExcludeEachOther) {
    TForm form;
    auto& a = form.Make<TRadioButton>("rb_Bill");
    auto& b = form.Make<TRadioButton>("rb_Detail");
    a.SetChecked(true);
    b.PerformClick();
    EXPECT_FALSE(a.Checked());
    EXPECT_TRUE(b.Checked());
    // Tab reaches the group at its checked button only.
    EXPECT_EQ(form.TabSequence(), std::vector<TControl*>{&b});
}

TEST_F(ToolkitTest, DriverActsOnPlainControls) {
    TForm form;
    auto& check = form.Make<TCheckBox>("chk");
    auto& slot = form.Make<TPictureSlot>("Image1");
    auto& menu = form.Make<TPopupMenu>("PopupMenu1");
    auto& timer = form.Make<TTimer>("Timer1");
    std::vector<std::string> log;
    menu.Add("查看", [&](TComponent&) { log.push_back("view " + std::to_string(slot.PictureNo())); });
    slot.OnDblClick = [&](TComponent&) {
        log.push_back("dbl");
    };
    timer.OnTimer = [&](TComponent&) {
        log.push_back("timer");
    };
    runner.Expect([&](TFormDriver& d) {
        d.Check("chk", true);
        d.DblClick("Image1");
        slot.SetPictureNo(3);
        slot.SetPopupMenu(&menu);
        d.ContextMenu("Image1", "查看");
        d.FireTimer("Timer1");
        timer.SetEnabled(false);
        d.FireTimer("Timer1");
        slot.Clear();
        d.ContextMenu("Image1", "查看"); // an empty slot shows no menu: the script stops here
        log.push_back("not reached");
    });
    form.ShowModal();
    EXPECT_TRUE(check.Checked());
    EXPECT_EQ(log, (std::vector<std::string>{"dbl", "view 3", "timer"}));
    EXPECT_EQ(runner.Failures(), std::vector<std::string>{"control Image1 shows no context menu"});
}

TEST_F(ToolkitTest, DuplicateComponentNamesAreRefused) {
    TForm form;
    form.Make<TCheckBox>("chk");
    EXPECT_THROW(form.Make<TCheckBox>("chk"), std::invalid_argument);
    form.Make<TCheckBox>("");
    form.Make<TCheckBox>("");
    EXPECT_EQ(form.ComponentCount(), 3);
}

TEST_F(ToolkitTest, ExitHandlerEndingEarlyKeepsTheFocus) {
    TForm form;
    auto& a = form.Make<TCheckBox>("a");
    form.Make<TCheckBox>("b");
    a.OnExit = [](TComponent&) {
        throw std::runtime_error("请先输入");
    };
    runner.Expect([&](TFormDriver& d) {
        d.Focus("a");
        d.Focus("b");
        EXPECT_EQ(form.ActiveControl(), &a);
    });
    form.ShowModal();
    EXPECT_EQ(runner.Texts(TMessageKind::mkErrorBox), std::vector<std::string>{"请先输入"});
}
