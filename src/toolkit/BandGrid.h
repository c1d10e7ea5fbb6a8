// The band grid: shows the records of an in-memory dataset under columns that the window declares
// in code, keeps an optional tick column ("SelectedCol", ticked cells hold "√"), reads cell values
// back by dataset field name and builds the printable content as a new dataset. The dataset stays
// the window's; the grid keeps a reference to it, and the host's framework objects it is handed.
#pragma once

#include "../framework/DataSet.h"
#include "Control.h"
#include "Label.h"

#include <memory>
#include <vector>

namespace tkv {

struct TBandColumn {
    TFieldsList Field = flNMemo;
    std::string Caption;      // the column's key in the grid
    std::string DataBaseName; // the dataset field it shows
    int DisplayColWidth = 0;  // pixels, resolved from the field kind when declared 0
    bool UserVisible = true;
    std::string DisplayCaption;
    bool CanNotPrint = false;
    // The header text: the display caption, or the key when that is empty.
    const std::string& Title() const { return DisplayCaption.empty() ? Caption : DisplayCaption; }
};

enum TGridOption : std::uint32_t {
    dgTitles = 1u << 0,
    dgIndicator = 1u << 1,
    dgColumnResize = 1u << 2,
    dgColLines = 1u << 3,
    dgRowLines = 1u << 4,
    dgTabs = 1u << 5,
    dgRowSelect = 1u << 6,
    dgTwoColor = 1u << 7,
    dgAlwaysShowSelection = 1u << 8,
    dgConfirmDelete = 1u << 9,
    dgCancelOnExit = 1u << 10,
    dgModifyOnly = 1u << 11,
    dgMergeGroup = 1u << 12,
    dgEditing = 1u << 13,
};
using TGridOptions = std::uint32_t;

enum TMenuOption : std::uint32_t {
    moAlign = 1u << 0,
    moLock = 1u << 1,
    moExcel = 1u << 2,
    moRemember = 1u << 3,
    moFilter = 1u << 4,
    moDelConfig = 1u << 5,
    moLocate = 1u << 6,
    moNoShowFavorite = 1u << 7,
    moCustom = 1u << 8,
    moLoadBasicData = 1u << 9,
};
using TMenuOptions = std::uint32_t;

struct TRowColor {
    TColor TextColor = TColor::clRed;
    TColor BackColor = TColor::clSilver;
};

struct TLoadUpDownSet {
    bool UseLoadUpDown = false;
    bool UseEnterKey = true;
    bool UseDblClick = true;
    TBasicType UseBasicType = btPtype;
    int DownCount = 0;
};

constexpr std::uint16_t kShortCutCtrlF = 16454, kShortCutCtrlL = 16460;

class TBandGrid : public TControl {
public:
    TBandGrid() { SetTabStop(true); }
    std::string ClassName() const override { return "TBandGrid"; }
    THostControlKind HostKind() const override { return THostControlKind::ckBandGrid; }
    TBasicType HostBasicType() const override { return basictype; }
    bool Focusable() const override { return true; }

    // Column declaration.
    void ClearAllField();
    TBandColumn& AddField(TFieldsList field, const std::string& caption, const std::string& dataBaseName,
                          int displayColWidth, bool userVisible, const std::string& displayCaption,
                          bool canNotPrint);
    TBandColumn& AddSelectCol(const std::string& caption);
    void InitGridData();
    const std::vector<TBandColumn>& Columns() const { return columns_; }
    // The shown columns, built by InitGridData.
    std::vector<const TBandColumn*> ShownColumns() const;
    const TBandColumn* SelectColumn() const;
    const TBandColumn* FindColumnByField(const std::string& dbName) const;

    // Data.
    void SetDataSet(TClientDataSet* dataSet);
    TClientDataSet* DataSet() const { return dataSet_; }
    int GetDataRowCount() const;
    int GetRowIndex() const { return rowIndex_; }
    // Moves the current row (the user clicks a row); false when out of range.
    bool SetRowIndex(int row);
    void CheckIsDataRow(int row, bool showMessage) const;
    std::int32_t GetColIntValue(const std::string& dbName, int row) const;
    std::string GetColStrText(const std::string& dbName, int row) const;
    bool GetRowSelected(int row) const;
    void SetRowSelected(int row, bool selected);
    void CancelSelectAll();
    // Ticks or unticks the current row; nothing when there is none.
    void ToggleCurrentRow();
    // A new dataset of the printable shown content, owned by the caller.
    static std::unique_ptr<TClientDataSet> GetPrintData(const TBandGrid& grid, bool printRowNo,
                                                        bool printSummary);

    // Whether the grid shows rows merged by a basic type (no row may then be acted on).
    bool MergedByBasicType() const { return mergedByBasicType_; }
    void SetMergedByBasicType(bool merged) { mergedByBasicType_ = merged; }

    // Host framework objects; the grid keeps them and does not own them.
    void SetBasicDataLocal(HostObject object) { basicDataLocal_ = object; }
    void SetBasicRecordAll_C(HostObject object) { basicRecordAll_ = object; }
    void SetGridFieldConfigClass(HostObject object) { gridFieldConfig_ = object; }
    void SetLimitData(HostObject object) { limitData_ = object; }
    void SetFuncRelateHandler(HostObject object) { funcRelateHandler_ = object; }
    HostObject BasicDataLocal() const { return basicDataLocal_; }
    HostObject BasicRecordAll_C() const { return basicRecordAll_; }
    HostObject GridFieldConfigClass() const { return gridFieldConfig_; }
    HostObject LimitData() const { return limitData_; }
    HostObject FuncRelateHandler() const { return funcRelateHandler_; }
    HostObject FVchtypeSelectData = nullptr;
    HostObject FDateDBHelper = nullptr;
    HostObject FFavoriteHander = nullptr;
    HostObject FSelfBasicTypeAccess = nullptr;
    HostObject FToolsPanel = nullptr;
    HostObject FAssistHelper = nullptr;

    // Settings of the window definitions.
    TBasicType basictype = btPtype;
    bool Footer = false;
    TGridOptions Options = dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines | dgTabs |
                           dgRowSelect | dgTwoColor | dgAlwaysShowSelection | dgConfirmDelete |
                           dgCancelOnExit | dgModifyOnly | dgMergeGroup;
    TMenuOptions MenuOptions = moAlign | moLock | moExcel | moRemember | moFilter | moDelConfig | moLocate |
                               moNoShowFavorite | moCustom | moLoadBasicData;
    std::uint16_t FindShortCut = kShortCutCtrlF;
    std::uint16_t FilterShortCut = kShortCutCtrlL;
    bool HaveGridGroup = false;
    TRowColor RowColor;
    TLoadUpDownSet LoadUpDownSet;
    bool LineNoPlusStar = false;
    bool ReLoadDataNotClearFilter = false;
    bool CanRowIndexSave = false;
    bool NotReadConfig = false;
    bool AlwaysUseDevDispCaption = false;
    bool NotUseGridLimit = false;
    int GridIndex = 0;
    int ControlNo = 0;

    void DblClick() override;
    void KeyDown(std::uint16_t& key, TShiftState shift) override;

private:
    int ResolveRow(int row) const { return row < 0 ? rowIndex_ : row; }
    bool IsRow(int row) const { return row >= 0 && row < GetDataRowCount(); }
    OleVariant CellValue(const TBandColumn& column, int row) const;
    std::string CellText(const TBandColumn& column, int row) const;

    std::vector<TBandColumn> columns_;
    int selectColumn_ = -1;
    bool initialised_ = false;
    TClientDataSet* dataSet_ = nullptr;
    std::vector<std::string> ticks_;
    int rowIndex_ = -1;
    bool mergedByBasicType_ = false;

    HostObject basicDataLocal_ = nullptr;
    HostObject basicRecordAll_ = nullptr;
    HostObject gridFieldConfig_ = nullptr;
    HostObject limitData_ = nullptr;
    HostObject funcRelateHandler_ = nullptr;
};

} // namespace tkv
