// Change notification: every shown property reaches the form's observer once per real change,
// from whichever code made it, while the window's own event slots keep working.
#include "ToolkitFixture.h"
#include "framework/DataSet.h"
#include "toolkit/BandGrid.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/FramePanel.h"
#include "toolkit/LabelComboBox.h"
#include "toolkit/LabelDateEdit.h"
#include "toolkit/PictureSlot.h"
#include "toolkit/RadioButton.h"
#include "toolkit/RadioGroup.h"
#include "toolkit/ScrollBar.h"
#include "toolkit/SelectorEdit.h"
#include "toolkit/Timer.h"

#include <gtest/gtest.h>

using namespace tkv;
using namespace tkv::test;

namespace {

struct Change {
    TComponent* Component;
    TProperty Property;
    bool operator==(const Change&) const = default;
};

class RecordingObserver : public IFormObserver {
public:
    void PropertyChanged(TComponent* component, TProperty property) override {
        changes.push_back({component, property});
    }
    int Count(TComponent* component, TProperty property) const {
        int n = 0;
        for (const auto& c : changes)
            n += c.Component == component && c.Property == property;
        return n;
    }
    std::vector<Change> changes;
};

class FormObserverTest : public ToolkitTest {
protected:
    FormObserverTest() { form.SetObserver(&observer); }
    TForm form;
    RecordingObserver observer;
};

std::unique_ptr<TClientDataSet> Rows(int n) {
    auto ds = std::make_unique<TClientDataSet>();
    ds->AddFieldDef("billcode", TFieldType::ftString, 20);
    ds->CreateDataSet();
    for (int i = 0; i < n; ++i)
        ds->AppendRecord({OleVariant("B" + std::to_string(i))});
    return ds;
}

} // namespace

TEST_F(FormObserverTest, ControlPropertiesNotifyOncePerRealChange) {
    auto& edit = form.Make<TEdit>("edit");
    observer.changes.clear();
    edit.SetCaption("发票号码*");
    edit.SetCaption("发票号码*");
    edit.SetBounds(1, 2, 3, 4);
    edit.SetBounds(1, 2, 3, 4);
    edit.SetEnabled(false);
    edit.SetEnabled(false);
    edit.SetVisible(false);
    edit.SetReadOnly(true);
    edit.SetColor(TColor::clWhite);
    edit.SetFont(TFont{"新宋体", 16, fsBold});
    const std::vector<Change> expected = {{&edit, TProperty::Caption},  {&edit, TProperty::Bounds},
                                          {&edit, TProperty::Enabled},  {&edit, TProperty::Visible},
                                          {&edit, TProperty::ReadOnly}, {&edit, TProperty::Color},
                                          {&edit, TProperty::Font}};
    EXPECT_EQ(observer.changes, expected);
}

TEST_F(FormObserverTest, TypingNotifiesTheTextBeforeTheWindowsChangeHandlerRuns) {
    auto& edit = form.Make<TEdit>("edit");
    std::vector<std::string> order;
    edit.OnChange = [&](TComponent&) {
        order.push_back("OnChange:" + std::to_string(observer.changes.size()));
    };
    observer.changes.clear();
    char32_t key = U'发';
    ASSERT_TRUE(edit.PerformKeyPress(key));
    EXPECT_EQ(edit.Text(), "发");
    ASSERT_EQ(observer.changes.size(), 1u);
    EXPECT_EQ(observer.changes[0], (Change{&edit, TProperty::Text}));
    // The window's own handler still ran, after the observer had heard of the change.
    EXPECT_EQ(order, std::vector<std::string>{"OnChange:1"});
    // A refused character changes nothing and tells nothing.
    edit.SetReadOnly(true);
    observer.changes.clear();
    key = U'x';
    edit.PerformKeyPress(key);
    EXPECT_TRUE(observer.changes.empty());
}

TEST_F(FormObserverTest, SettingTheSameTextTellsNothingButMovingTheCaretDoes) {
    auto& edit = form.Make<TEdit>("edit");
    edit.SetText("12345");
    observer.changes.clear();
    edit.SetText("12345");
    EXPECT_TRUE(observer.changes.empty());
    edit.SelectAll();
    EXPECT_EQ(observer.Count(&edit, TProperty::Text), 1);
}

TEST_F(FormObserverTest, FormCaptionSizeAndLayoutNotify) {
    auto& bottom = form.Make<TFramePanel>("bottom");
    bottom.SetAlign(TAlign::alBottom);
    bottom.SetBounds(0, 0, 0, 41);
    auto& button = form.Make<TEdit>("right", &bottom);
    button.SetBounds(900, 8, 75, 25);
    button.SetAnchors(akTop | akRight);
    form.SetClientSize(991, 669);
    observer.changes.clear();
    form.SetCaption("厂家商品发票关联");
    form.SetClientSize(1091, 700);
    EXPECT_EQ(observer.Count(nullptr, TProperty::Caption), 1);
    EXPECT_EQ(observer.Count(nullptr, TProperty::Bounds), 1);
    // The layout moved the panel and the anchored control; each is told once.
    EXPECT_EQ(observer.Count(&bottom, TProperty::Bounds), 1);
    EXPECT_EQ(observer.Count(&button, TProperty::Bounds), 1);
    EXPECT_EQ(button.Left(), 1000);
}

TEST_F(FormObserverTest, FocusChangesNotifyTheForm) {
    auto& a = form.Make<TEdit>("a");
    auto& b = form.Make<TEdit>("b");
    observer.changes.clear();
    ASSERT_TRUE(form.SetActiveControl(&a));
    ASSERT_TRUE(form.SelectNext(&a));
    EXPECT_EQ(form.ActiveControl(), &b);
    EXPECT_EQ(observer.Count(nullptr, TProperty::Focus), 2);
    // An exit handler that refuses to let the focus go: the focus stays and nothing is told.
    b.OnExit = [](TComponent&) {
        throw std::runtime_error("请录入发票号码");
    };
    observer.changes.clear();
    EXPECT_FALSE(form.SetActiveControl(&a));
    EXPECT_EQ(observer.Count(nullptr, TProperty::Focus), 0);
}

TEST_F(FormObserverTest, ListsChecksAndDatesNotify) {
    auto& combo = form.Make<TLabelComboBox>("combo");
    auto& group = form.Make<TRadioGroup>("group");
    auto& check = form.Make<TCheckBox>("check");
    auto& r1 = form.Make<TRadioButton>("r1");
    auto& r2 = form.Make<TRadioButton>("r2");
    auto& date = form.Make<TLabelDateEdit>("date");
    observer.changes.clear();
    combo.SetItems({"全部", "已审核"});
    combo.SetItemIndex(1);
    combo.SetItemIndex(7); // names no item: selects none
    combo.ChooseItem(0);
    group.SetItems({"选单", "选明细"});
    group.ChooseItem(1);
    group.ChooseItem(1);
    check.PerformClick();
    r1.SetChecked(true);
    r2.PerformClick(); // unchecks r1
    date.SetDate(45000.75);
    date.SetDate(45000.25); // the same day in date mode
    EXPECT_EQ(observer.Count(&combo, TProperty::Items), 1);
    EXPECT_EQ(observer.Count(&combo, TProperty::ItemIndex), 3);
    EXPECT_EQ(observer.Count(&group, TProperty::Items), 1);
    EXPECT_EQ(observer.Count(&group, TProperty::ItemIndex), 1);
    EXPECT_EQ(observer.Count(&check, TProperty::Checked), 1);
    EXPECT_EQ(observer.Count(&r1, TProperty::Checked), 2);
    EXPECT_EQ(observer.Count(&r2, TProperty::Checked), 1);
    EXPECT_FALSE(r1.Checked());
    EXPECT_EQ(observer.Count(&date, TProperty::Date), 1);
}

TEST_F(FormObserverTest, ScrollBarTellsRangeAndPositionApart) {
    auto& bar = form.Make<TScrollBar>("bar");
    int redraws = 0;
    bar.OnChange = [&](TComponent&) {
        ++redraws;
    };
    bar.SetParams(0, 0, 4);
    observer.changes.clear();
    bar.SetPosition(4);
    EXPECT_EQ(observer.changes, (std::vector<Change>{{&bar, TProperty::ScrollPosition}}));
    observer.changes.clear();
    // Lowering the maximum pulls the position down: both are told, and the window redraws once.
    bar.SetMax(2);
    EXPECT_EQ(observer.changes,
              (std::vector<Change>{{&bar, TProperty::ScrollRange}, {&bar, TProperty::ScrollPosition}}));
    EXPECT_EQ(redraws, 2);
    observer.changes.clear();
    bar.SetMax(2);
    EXPECT_TRUE(observer.changes.empty());
}

TEST_F(FormObserverTest, PictureSlotAndTimerNotify) {
    auto& slot = form.Make<TPictureSlot>("Image1");
    auto& timer = form.Make<TTimer>("Timer1");
    observer.changes.clear();
    slot.Clear();
    timer.SetInterval(2000);
    timer.SetEnabled(false);
    timer.SetEnabled(false);
    EXPECT_EQ(observer.Count(&slot, TProperty::Picture), 1);
    EXPECT_EQ(observer.Count(&timer, TProperty::TimerState), 2);
}

TEST_F(FormObserverTest, GridColumnsRowsTicksAndCurrentRowNotify) {
    auto& grid = form.Make<TBandGrid>("MainGrid");
    auto rows = Rows(3);
    observer.changes.clear();
    grid.ClearAllField();
    grid.AddSelectCol("选中");
    grid.AddField(flNMemo, "billcode", "billcode", 60, true, "单据编号", false);
    grid.InitGridData();
    EXPECT_GE(observer.Count(&grid, TProperty::GridColumns), 2);
    observer.changes.clear();
    grid.SetDataSet(rows.get());
    EXPECT_EQ(observer.changes, (std::vector<Change>{{&grid, TProperty::GridData}}));
    observer.changes.clear();
    grid.SetRowIndex(2);
    grid.SetRowIndex(2);
    grid.SetRowIndex(9); // no such row
    EXPECT_EQ(observer.Count(&grid, TProperty::GridRow), 1);
    grid.PerformDblClick(); // the default tick handling toggles the current row
    EXPECT_TRUE(grid.GetRowSelected(2));
    EXPECT_EQ(observer.Count(&grid, TProperty::GridTicks), 1);
    grid.CancelSelectAll();
    EXPECT_EQ(observer.Count(&grid, TProperty::GridTicks), 2);
}

TEST_F(FormObserverTest, SelectorEditSelectionShowsItsText) {
    auto& supplier = form.Make<TSelectorEdit>("edit_Btype");
    supplier.SetBasicType(btBtype);
    supplier.SetText("某供货单位");
    observer.changes.clear();
    supplier.SetText("");
    supplier.Leave();
    EXPECT_EQ(observer.Count(&supplier, TProperty::Text), 1);
    supplier.SetBtnVisible(false);
    EXPECT_EQ(observer.Count(&supplier, TProperty::ButtonVisible), 1);
}

TEST_F(FormObserverTest, NoObserverNoCallsAndDetachingStopsThem) {
    TForm other;
    auto& edit = other.Make<TEdit>("edit");
    edit.SetText("quiet"); // no observer: nothing to tell, nothing fails
    other.SetObserver(&observer);
    edit.SetText("loud");
    other.SetObserver(nullptr);
    edit.SetText("quiet again");
    EXPECT_EQ(observer.Count(&edit, TProperty::Text), 1);
}
