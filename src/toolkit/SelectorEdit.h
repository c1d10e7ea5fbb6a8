// The selector edit: a captioned edit that selects a basic record (supplier, product, employee,
// store) through the record-selection handler the host installed, or takes a plain typed value.
// It keeps the selected record's type id, record number and child count and the text it showed for
// the selection; leaving the field drops typed text that was not turned into a selection.
#pragma once

#include "../framework/Variant.h"
#include "LabelBtnEdit.h"

#include <vector>

namespace tkv {

enum class TBasicinfoEditBandType : std::uint8_t {
    bebtSelectRecord,
    bebtModifyField,
    bebtOther,
    // Selects a record, but typed text that was not turned into a selection is kept.
    bebtSelectRecordOrText,
};

enum TSelectOption : std::uint8_t { opInsert = 1, opRemember = 2 };
using TSelectOptions = std::uint8_t;

class TSelectorEdit : public TLabelBtnEdit {
public:
    TSelectorEdit() { SetBtnVisible(true); }
    std::string ClassName() const override { return "TSelectorEdit"; }
    THostControlKind HostKind() const override { return THostControlKind::ckSelectorEdit; }
    TBasicType HostBasicType() const override { return basicType_; }

    TBasicType BasicType() const { return basicType_; }
    void SetBasicType(TBasicType type) { basicType_ = type; }
    TBasicType BasicTypeOther() const { return basicTypeOther_; }
    void SetBasicTypeOther(TBasicType type) { basicTypeOther_ = type; }
    TFieldsList FieldsList() const { return fieldsList_; }
    void SetFieldsList(TFieldsList field) { fieldsList_ = field; }
    TBasicinfoEditBandType BasicinfoEditBandType() const { return bandType_; }
    void SetBasicinfoEditBandType(TBasicinfoEditBandType type) { bandType_ = type; }
    TSelectOptions SelectOptions() const { return selectOptions_; }
    void SetSelectOptions(TSelectOptions options) { selectOptions_ = options; }
    bool ReturnNextCom() const { return returnNextCom_; }
    void SetReturnNextCom(bool value) { returnNextCom_ = value; }

    // Selection state.
    const std::string& TypeId() const { return typeId_; }
    std::int32_t SonNum() const { return sonNum_; }
    const std::string& SelectedText() const { return selectedText_; }
    // The kept record number as it stands, without the leaving step.
    std::int32_t Rec() const { return rec_; }

    // The record number of the selection after the leaving step; 0 when none.
    std::int32_t GetRec();
    // Selects record n and shows its field through the host's lookup; a failed lookup clears the
    // text and type id and keeps -1.
    void SetRec(std::int32_t rec);
    // Shows the value as text; a record selector with a non-empty value selects that record.
    void SetValue(const OleVariant& value);
    // Runs the record selection (button, double click or Enter); false when it did not start.
    bool SelectRecord(TSelectMode mode);
    // The leaving step: empty text clears the selection; in plain selection mode the text of the
    // current selection is shown again.
    void Leave();

    // Listeners told when the selection changed.
    void AddChangeListener(TNotifyEvent listener) { listeners_.push_back(std::move(listener)); }

    // Installed by the host when it prepares the control.
    void SetSelectHandler(IRecordSelectHandler* handler) override { selectHandler_ = handler; }
    void SetBasicLookup(IBasicDataLookup* lookup) override { lookup_ = lookup; }
    IRecordSelectHandler* SelectHandler() const { return selectHandler_.Get(); }
    IBasicDataLookup* BasicLookup() const { return lookup_.Get(); }

    void ButtonClick() override;
    void DblClick() override;
    void KeyDown(std::uint16_t& key, TShiftState shift) override;
    void DoExit() override;

private:
    bool SelectsRecords() const;
    TBasicType SelectKind() const;
    TFieldsList ShownField(TBasicType kind) const;
    void NotifySelectionChanged();

    TBasicType basicType_ = btNo;
    TBasicType basicTypeOther_ = btNo;
    TFieldsList fieldsList_ = flNull;
    TBasicinfoEditBandType bandType_ = TBasicinfoEditBandType::bebtSelectRecord;
    TSelectOptions selectOptions_ = opInsert | opRemember;
    bool returnNextCom_ = true;

    std::string typeId_;
    std::int32_t rec_ = 0;
    std::int32_t sonNum_ = 0;
    std::string selectedText_;

    ComPtr<IRecordSelectHandler> selectHandler_;
    ComPtr<IBasicDataLookup> lookup_;
    std::vector<TNotifyEvent> listeners_;
};

} // namespace tkv
