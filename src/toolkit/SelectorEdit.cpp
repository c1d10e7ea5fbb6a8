// Record selection, leaving rules and record lookup of the selector edit.
#include "SelectorEdit.h"

#include "FieldKinds.h"

namespace tkv {

bool TSelectorEdit::SelectsRecords() const {
    return bandType_ == TBasicinfoEditBandType::bebtSelectRecord ||
           bandType_ == TBasicinfoEditBandType::bebtSelectRecordOrText;
}

TBasicType TSelectorEdit::SelectKind() const {
    return basicTypeOther_ != btNo ? basicTypeOther_ : basicType_;
}

TFieldsList TSelectorEdit::ShownField(TBasicType kind) const {
    return fieldsList_ != flNull ? fieldsList_ : FullNameField(kind);
}

void TSelectorEdit::NotifySelectionChanged() {
    for (auto& listener : listeners_)
        if (listener)
            listener(*this);
}

bool TSelectorEdit::SelectRecord(TSelectMode mode) {
    if (ReadOnly() || !Enabled() || !SelectsRecords() || !selectHandler_)
        return false;
    const TBasicType kind = SelectKind();
    TSelectRequest request;
    request.BasicType = kind;
    request.Mode = mode;
    if (mode == TSelectMode::smKey)
        request.SearchText = Text();
    request.SourceField = fieldsList_;
    request.OptInsert = (selectOptions_ & opInsert) != 0;
    request.OptRemember = (selectOptions_ & opRemember) != 0;
    const TSelectResult result = selectHandler_->SelectRecords(request);
    if (result.Count < 1 || result.Records.empty())
        return true;
    const TBasicRecord& record = result.Records.front();
    typeId_ = record.TypeId;
    rec_ = record.Rec;
    sonNum_ = record.SonNum;
    std::string shown = record.FullName;
    if (kind != btVchType && lookup_) {
        std::string value;
        if (lookup_->FieldValue(ShownField(kind), record.Rec, value))
            shown = value;
    }
    selectedText_ = shown;
    TEdit::SetText(shown);
    NotifySelectionChanged();
    return true;
}

void TSelectorEdit::Leave() {
    if (Text().empty()) {
        const bool changed = rec_ != 0 || !typeId_.empty();
        typeId_.clear();
        rec_ = 0;
        sonNum_ = 0;
        selectedText_.clear();
        if (changed)
            NotifySelectionChanged();
        return;
    }
    if (bandType_ == TBasicinfoEditBandType::bebtSelectRecord && Text() != selectedText_)
        TEdit::SetText(selectedText_);
}

std::int32_t TSelectorEdit::GetRec() {
    Leave();
    return rec_;
}

void TSelectorEdit::SetRec(std::int32_t rec) {
    rec_ = rec;
    if (lookup_) {
        const TBasicType kind = SelectKind();
        TBasicRecord record;
        std::string shown;
        if (lookup_->FindByRec(kind, rec, record)) {
            typeId_ = record.TypeId;
            sonNum_ = record.SonNum;
            if (!lookup_->FieldValue(ShownField(kind), rec, shown))
                shown = record.FullName;
        } else {
            typeId_.clear();
            sonNum_ = 0;
            rec_ = -1;
        }
        selectedText_ = shown;
        TEdit::SetText(shown);
    }
    NotifySelectionChanged();
}

void TSelectorEdit::SetValue(const OleVariant& value) {
    const std::string text = VarToStr(value);
    TEdit::SetText(text);
    if (SelectsRecords() && !text.empty())
        SetRec(value.AsInteger());
    else if (!SelectsRecords())
        selectedText_ = text;
}

void TSelectorEdit::ButtonClick() {
    TDataBtnEdit::ButtonClick();
    SelectRecord(TSelectMode::smButton);
}

void TSelectorEdit::DblClick() {
    TControl::DblClick();
    SelectRecord(TSelectMode::smDblClick);
}

void TSelectorEdit::KeyDown(std::uint16_t& key, TShiftState shift) {
    TControl::KeyDown(key, shift);
    if (key == VK_RETURN) {
        SelectRecord(TSelectMode::smKey);
        if (returnNextCom_)
            ReturnToNextControl();
    }
}

void TSelectorEdit::DoExit() {
    Leave();
    TControl::DoExit();
}

} // namespace tkv
