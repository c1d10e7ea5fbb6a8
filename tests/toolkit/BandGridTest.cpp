#include "toolkit/BandGrid.h"
#include "ToolkitFixture.h"
#include "toolkit/Abort.h"
#include "toolkit/Form.h"
#include "toolkit/TextMetrics.h"

#include <gtest/gtest.h>

using namespace tkv;
using namespace tkv::test;

namespace {

std::unique_ptr<TClientDataSet> Bills(int rows) {
    auto ds = std::make_unique<TClientDataSet>();
    ds->AddFieldDef("billcode", TFieldType::ftString, 30);
    ds->AddFieldDef("billid", TFieldType::ftInteger);
    ds->AddFieldDef("total", TFieldType::ftFloat);
    ds->AddFieldDef("memo", TFieldType::ftString, 30);
    ds->CreateDataSet();
    for (int i = 0; i < rows; ++i)
        ds->AppendRecord({OleVariant("JH-" + std::to_string(i + 1)), OleVariant(100 + i),
                          OleVariant(12.5 * (i + 1)), i == 0 ? OleVariant::Null() : OleVariant("x")});
    return ds;
}

void Declare(TBandGrid& grid, bool tick = true) {
    grid.ClearAllField();
    if (tick)
        grid.AddSelectCol("选中");
    grid.AddField(flNMemo, "billcode", "billcode", 0, true, "单据编号", false);
    grid.AddField(flNInt, "billid", "billid", 0, false, "", false);
    grid.AddField(flNTotal, "total", "total", 80, true, "金额", false);
    grid.AddField(flNMemo, "memo", "memo", 0, true, "", false);
    grid.InitGridData();
}

class BandGridTest : public ToolkitTest {
protected:
    TForm form;
    TBandGrid& grid = form.Make<TBandGrid>("MainGrid");
};

} // namespace

TEST_F(BandGridTest, DeclarationsKeepOrderWidthsAndTitles) {
    Declare(grid);
    ASSERT_EQ(grid.Columns().size(), 5u);
    const TBandColumn& tick = grid.Columns()[0];
    EXPECT_EQ(tick.DataBaseName, "SelectedCol");
    EXPECT_EQ(tick.Caption, "选中");
    EXPECT_EQ(tick.Field, flNMemo);
    EXPECT_EQ(tick.DisplayColWidth, TextWidth("选中") + 10);
    EXPECT_EQ(tick.DisplayColWidth, 34);
    EXPECT_TRUE(tick.UserVisible);
    EXPECT_EQ(grid.Columns()[1].Title(), "单据编号");
    EXPECT_EQ(grid.Columns()[1].DisplayColWidth, 100) << "memo has no default width of its own";
    EXPECT_EQ(grid.Columns()[3].DisplayColWidth, 80);
    EXPECT_EQ(grid.Columns()[4].Title(), "memo");
    EXPECT_EQ(grid.ShownColumns().size(), 4u) << "the hidden column is not shown";
    EXPECT_THROW(grid.AddSelectCol("again"), std::logic_error);
    grid.ClearAllField();
    EXPECT_TRUE(grid.Columns().empty());
    EXPECT_EQ(grid.SelectColumn(), nullptr);
}

TEST_F(BandGridTest, WindowDefinitionDefaults) {
    EXPECT_EQ(grid.basictype, btPtype);
    EXPECT_FALSE(grid.Footer);
    EXPECT_TRUE(grid.Options & dgMergeGroup);
    EXPECT_TRUE(grid.MenuOptions & moLoadBasicData);
    EXPECT_EQ(grid.FindShortCut, 16454);
    EXPECT_EQ(grid.FilterShortCut, 16460);
    EXPECT_TRUE(grid.LoadUpDownSet.UseEnterKey);
    EXPECT_EQ(grid.RowColor.TextColor, TColor::clRed);
}

TEST_F(BandGridTest, EmptyGridActionsEndSilently) {
    Declare(grid);
    EXPECT_EQ(grid.GetDataRowCount(), 0);
    EXPECT_EQ(grid.GetRowIndex(), -1);
    EXPECT_FALSE(grid.GetRowSelected(0));
    EXPECT_FALSE(grid.GetRowSelected(-1));
    EXPECT_THROW(grid.CheckIsDataRow(-1, true), EAbort);
    EXPECT_THROW(grid.GetColIntValue("billid", -1), EAbort);
    auto ds = Bills(0);
    grid.SetDataSet(ds.get());
    EXPECT_THROW(grid.GetColIntValue("billid", 0), EAbort);
    // A double click on the empty grid ends without any message.
    EXPECT_FALSE(grid.PerformDblClick());
    EXPECT_TRUE(runner.Dialogs().empty());
}

TEST_F(BandGridTest, ReadsCellsByFieldName) {
    Declare(grid);
    auto ds = Bills(3);
    grid.SetDataSet(ds.get());
    EXPECT_EQ(grid.GetDataRowCount(), 3);
    EXPECT_EQ(grid.GetRowIndex(), 0);
    EXPECT_EQ(grid.GetColIntValue("billid", 1), 101) << "hidden column readable";
    EXPECT_EQ(grid.GetColStrText("billid", 2), "102");
    EXPECT_EQ(grid.GetColStrText("billcode", -1), "JH-1");
    EXPECT_EQ(grid.GetColStrText("total", 1), "25.00");
    EXPECT_EQ(grid.GetColStrText("memo", 0), "");
    EXPECT_EQ(grid.GetColIntValue("nosuch", 0), 0);
    EXPECT_EQ(grid.GetColStrText("nosuch", 0), "");
    EXPECT_NE(grid.FindColumnByField("billid"), nullptr);
    EXPECT_EQ(grid.FindColumnByField("nosuch"), nullptr);
    // An empty text cell is no integer: the error reaches the user.
    EXPECT_THROW(grid.GetColIntValue("memo", 0), EVariantError);
}

TEST_F(BandGridTest, DoubleClickTwiceTicksAndUnticks) {
    Declare(grid);
    auto ds = Bills(3);
    grid.SetDataSet(ds.get());
    ASSERT_TRUE(grid.SetRowIndex(1));
    grid.PerformDblClick();
    EXPECT_TRUE(grid.GetRowSelected(1));
    EXPECT_EQ(grid.GetColStrText("SelectedCol", 1), "√");
    EXPECT_FALSE(grid.GetRowSelected(0));
    grid.PerformDblClick();
    EXPECT_FALSE(grid.GetRowSelected(1));
}

TEST_F(BandGridTest, SpaceAndEnterToggleWithoutDataRowCheck) {
    Declare(grid);
    auto ds = Bills(2);
    grid.SetDataSet(ds.get());
    grid.SetMergedByBasicType(true);
    std::uint16_t key = VK_SPACE;
    grid.PerformKeyDown(key, 0);
    EXPECT_TRUE(grid.GetRowSelected(0));
    key = VK_RETURN;
    grid.PerformKeyDown(key, 0);
    EXPECT_FALSE(grid.GetRowSelected(0));
    EXPECT_TRUE(runner.Dialogs().empty());
}

TEST_F(BandGridTest, MergedRowsRefuseDoubleClickWithMessage) {
    Declare(grid);
    auto ds = Bills(2);
    grid.SetDataSet(ds.get());
    grid.SetMergedByBasicType(true);
    EXPECT_FALSE(grid.PerformDblClick());
    EXPECT_FALSE(grid.GetRowSelected(0));
    EXPECT_EQ(runner.Texts(TMessageKind::mkErrorBox),
              std::vector<std::string>{"当前行是在合并情况下，不能执行您的操作"});
    EXPECT_THROW(grid.CheckIsDataRow(0, false), EAbort);
}

TEST_F(BandGridTest, NoTickColumnMeansNoTicks) {
    Declare(grid, false);
    auto ds = Bills(2);
    grid.SetDataSet(ds.get());
    grid.PerformDblClick();
    grid.SetRowSelected(0, true);
    EXPECT_FALSE(grid.GetRowSelected(0));
    grid.CancelSelectAll();
}

TEST_F(BandGridTest, CancelSelectAllAndNewDataUntickEveryRow) {
    Declare(grid);
    auto ds = Bills(3);
    grid.SetDataSet(ds.get());
    grid.SetRowSelected(0, true);
    grid.SetRowSelected(2, true);
    grid.CancelSelectAll();
    EXPECT_FALSE(grid.GetRowSelected(0));
    EXPECT_FALSE(grid.GetRowSelected(2));
    grid.SetRowSelected(1, true);
    auto fresh = Bills(4);
    grid.SetDataSet(fresh.get());
    for (int row = 0; row < 4; ++row)
        EXPECT_FALSE(grid.GetRowSelected(row));
}

TEST_F(BandGridTest, PrintDataHoldsShownPrintableColumnsAndRowNumbers) {
    Declare(grid);
    grid.AddField(flNMemo, "secret", "billcode", 0, true, "", true);
    grid.InitGridData();
    auto ds = Bills(2);
    grid.SetDataSet(ds.get());
    grid.SetRowSelected(1, true);
    auto print = TBandGrid::GetPrintData(grid, true, false);
    ASSERT_EQ(print->FieldCount(), 5);
    // Columns are named by the titles the user sees.
    EXPECT_EQ(print->FieldDefs(0).Name, "序号");
    EXPECT_EQ(print->FieldDefs(1).Name, "选中");
    EXPECT_EQ(print->FieldDefs(2).Name, "单据编号");
    EXPECT_EQ(print->FieldDefs(3).Name, "金额");
    EXPECT_EQ(print->FieldDefs(4).Name, "memo");
    ASSERT_EQ(print->RecordCount(), 2);
    EXPECT_EQ(print->Cell(1, 0).AsInteger(), 2);
    EXPECT_EQ(print->Cell(1, 1).AsString(), "√");
    EXPECT_DOUBLE_EQ(print->Cell(1, 3).AsDouble(), 25.0);
    EXPECT_EQ(ds->RecordCount(), 2) << "the grid's own dataset is untouched";
}

TEST_F(BandGridTest, HostObjectsAreKept) {
    int a, b;
    grid.SetBasicDataLocal(&a);
    grid.SetFuncRelateHandler(&b);
    EXPECT_EQ(grid.BasicDataLocal(), &a);
    EXPECT_EQ(grid.FuncRelateHandler(), &b);
}

TEST_F(BandGridTest, PrintDataFallsBackToTheFieldNameWhenATitleIsTaken) {
    grid.ClearAllField();
    grid.AddField(flNMemo, "code", "code", 0, true, "编号", false);
    grid.AddField(flNMemo, "code2", "code2", 0, true, "编号", false);
    grid.InitGridData();
    auto ds = std::make_unique<TClientDataSet>();
    ds->AddFieldDef("code", TFieldType::ftString, 10);
    ds->AddFieldDef("code2", TFieldType::ftString, 10);
    ds->CreateDataSet();
    ds->AppendRecord({OleVariant("a"), OleVariant("b")});
    grid.SetDataSet(ds.get());
    auto print = TBandGrid::GetPrintData(grid, false, false);
    ASSERT_EQ(print->FieldCount(), 2);
    EXPECT_EQ(print->FieldDefs(0).Name, "编号");
    EXPECT_EQ(print->FieldDefs(1).Name, "code2");
    EXPECT_EQ(print->Cell(0, 1).AsString(), "b");
}
