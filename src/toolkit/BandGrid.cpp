// Band grid: column declarations, tick column, data-row check, cell reads and print data.
#include "BandGrid.h"

#include "Abort.h"
#include "FieldKinds.h"
#include "TextMetrics.h"

#include <cstdio>
#include <stdexcept>

namespace tkv {

namespace {
const char* const kSelectField = "SelectedCol";
const char* const kTick = "√";
const char* const kRowNoField = "序号";
} // namespace

void TBandGrid::ClearAllField() {
    columns_.clear();
    selectColumn_ = -1;
    initialised_ = false;
}

TBandColumn& TBandGrid::AddField(TFieldsList field, const std::string& caption,
                                 const std::string& dataBaseName, int displayColWidth, bool userVisible,
                                 const std::string& displayCaption, bool canNotPrint) {
    TBandColumn column;
    column.Field = field;
    column.Caption = caption;
    column.DataBaseName = dataBaseName;
    column.DisplayColWidth = displayColWidth != 0 ? displayColWidth : DefaultColWidth(field);
    column.UserVisible = userVisible;
    column.DisplayCaption = displayCaption;
    column.CanNotPrint = canNotPrint;
    columns_.push_back(std::move(column));
    return columns_.back();
}

TBandColumn& TBandGrid::AddSelectCol(const std::string& caption) {
    if (selectColumn_ >= 0)
        throw std::logic_error("the grid already has a tick column");
    TBandColumn& column = AddField(flNMemo, caption, kSelectField, TextWidth(caption) + 10, true, "", false);
    selectColumn_ = static_cast<int>(columns_.size()) - 1;
    return column;
}

void TBandGrid::InitGridData() {
    initialised_ = true;
}

std::vector<const TBandColumn*> TBandGrid::ShownColumns() const {
    std::vector<const TBandColumn*> out;
    if (!initialised_)
        return out;
    for (const auto& c : columns_)
        if (c.UserVisible)
            out.push_back(&c);
    return out;
}

const TBandColumn* TBandGrid::SelectColumn() const {
    return selectColumn_ >= 0 ? &columns_[selectColumn_] : nullptr;
}

const TBandColumn* TBandGrid::FindColumnByField(const std::string& dbName) const {
    for (const auto& c : columns_)
        if (c.DataBaseName == dbName)
            return &c;
    return nullptr;
}

void TBandGrid::SetDataSet(TClientDataSet* dataSet) {
    dataSet_ = dataSet;
    ticks_.assign(static_cast<std::size_t>(GetDataRowCount()), std::string());
    rowIndex_ = ticks_.empty() ? -1 : 0;
}

int TBandGrid::GetDataRowCount() const {
    if (!dataSet_ || !dataSet_->Active())
        return 0;
    // The dataset may have grown or shrunk since it was bound; the grid shows what it holds now.
    return dataSet_->RecordCount();
}

bool TBandGrid::SetRowIndex(int row) {
    if (!IsRow(row))
        return false;
    rowIndex_ = row;
    return true;
}

void TBandGrid::CheckIsDataRow(int row, bool showMessage) const {
    if (GetDataRowCount() == 0)
        Abort();
    row = ResolveRow(row);
    if (mergedByBasicType_) {
        if (showMessage)
            throw std::runtime_error("当前行是在合并情况下，不能执行您的操作");
        Abort();
    }
    if (!IsRow(row))
        Abort();
}

OleVariant TBandGrid::CellValue(const TBandColumn& column, int row) const {
    if (!IsRow(row))
        return OleVariant();
    if (&column == SelectColumn())
        return static_cast<std::size_t>(row) < ticks_.size() ? OleVariant(ticks_[row])
                                                             : OleVariant(std::string());
    const int field = dataSet_->FindFieldIndex(column.DataBaseName);
    if (field < 0)
        return OleVariant();
    return dataSet_->Cell(row, field);
}

std::string TBandGrid::CellText(const TBandColumn& column, int row) const {
    const OleVariant value = CellValue(column, row);
    if (value.IsEmptyOrNull())
        return std::string();
    if (IsMoneyField(column.Field) && value.IsNumeric()) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.2f", value.AsDouble());
        return buf;
    }
    return VarToStr(value);
}

std::int32_t TBandGrid::GetColIntValue(const std::string& dbName, int row) const {
    CheckIsDataRow(row, true);
    row = ResolveRow(row);
    const TBandColumn* column = FindColumnByField(dbName);
    if (!column)
        return 0;
    OleVariant value = CellValue(*column, row);
    if (value.IsEmptyOrNull())
        value = IsNumberField(column->Field) ? OleVariant(0) : OleVariant(std::string());
    return value.AsInteger();
}

std::string TBandGrid::GetColStrText(const std::string& dbName, int row) const {
    const TBandColumn* column = FindColumnByField(dbName);
    if (!column)
        return std::string();
    return CellText(*column, ResolveRow(row));
}

bool TBandGrid::GetRowSelected(int row) const {
    const TBandColumn* column = SelectColumn();
    if (!column)
        return false;
    row = ResolveRow(row);
    return IsRow(row) && CellText(*column, row) == kTick;
}

void TBandGrid::SetRowSelected(int row, bool selected) {
    row = ResolveRow(row);
    if (!SelectColumn() || !IsRow(row))
        return;
    if (ticks_.size() < static_cast<std::size_t>(GetDataRowCount()))
        ticks_.resize(static_cast<std::size_t>(GetDataRowCount()));
    ticks_[row] = selected ? kTick : "";
}

void TBandGrid::CancelSelectAll() {
    if (!SelectColumn())
        return;
    for (auto& t : ticks_)
        t.clear();
}

void TBandGrid::ToggleCurrentRow() {
    if (!IsRow(rowIndex_))
        return;
    SetRowSelected(rowIndex_, !GetRowSelected(rowIndex_));
}

void TBandGrid::DblClick() {
    TControl::DblClick();
    if (!SelectColumn())
        return;
    CheckIsDataRow(-1, true);
    ToggleCurrentRow();
}

void TBandGrid::KeyDown(std::uint16_t& key, TShiftState shift) {
    TControl::KeyDown(key, shift);
    if (SelectColumn() && (key == VK_RETURN || key == VK_SPACE))
        ToggleCurrentRow();
}

std::unique_ptr<TClientDataSet> TBandGrid::GetPrintData(const TBandGrid& grid, bool printRowNo,
                                                        bool printSummary) {
    // The grid shows no summary rows of its own (no footer, no grouping), so printSummary adds none.
    (void)printSummary;
    std::vector<const TBandColumn*> columns;
    for (const TBandColumn* c : grid.ShownColumns())
        if (!c->CanNotPrint)
            columns.push_back(c);
    auto out = std::make_unique<TClientDataSet>();
    if (printRowNo)
        out->AddFieldDef(kRowNoField, TFieldType::ftInteger);
    // The printed columns are named by the titles the user sees; a title that is taken already
    // (by the row number or another column) falls back to the field name, which is unique.
    for (const TBandColumn* c : columns) {
        const std::string& name = out->FindFieldIndex(c->Title()) < 0 ? c->Title() : c->DataBaseName;
        if (c->Field == flNInt)
            out->AddFieldDef(name, TFieldType::ftInteger);
        else if (IsNumberField(c->Field))
            out->AddFieldDef(name, TFieldType::ftFloat);
        else
            out->AddFieldDef(name, TFieldType::ftString, 255);
    }
    out->CreateDataSet();
    const int rows = grid.GetDataRowCount();
    for (int row = 0; row < rows; ++row) {
        std::vector<OleVariant> values;
        if (printRowNo)
            values.emplace_back(row + 1);
        for (const TBandColumn* c : columns) {
            const OleVariant value = grid.CellValue(*c, row);
            if (IsNumberField(c->Field))
                values.push_back(value.IsEmptyOrNull() ? OleVariant::Null()
                                 : c->Field == flNInt  ? OleVariant(value.AsInteger())
                                                       : OleVariant(value.AsDouble()));
            else
                values.emplace_back(grid.CellText(*c, row));
        }
        out->AppendRecord(std::move(values));
    }
    out->First();
    return out;
}

} // namespace tkv
