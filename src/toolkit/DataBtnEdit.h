// An edit with an optional button at its right end and typed-input settings: integer and decimal
// edits refuse characters that would not make a number of their kind or would leave the settings'
// length, sign or range, and SetText shows a value formatted by the value type.
#pragma once

#include "DataTypes.h"
#include "Edit.h"

namespace tkv {

class TDataBtnEdit : public TEdit {
public:
    std::string ClassName() const override { return "TDataBtnEdit"; }

    const std::string& GetText() const { return Text(); }
    // Integer edits show plain decimal digits, decimal edits Digital decimals; an empty text stays
    // empty when the field may stay empty (else it shows 0). Text that is no number of the edit's
    // kind raises std::invalid_argument.
    void SetText(const std::string& text) override;
    TDataTypes& GetDataTypes() { return dataTypes_; }
    const TDataTypes& GetDataTypes() const { return dataTypes_; }

    bool BtnVisible() const { return btnVisible_; }
    void SetBtnVisible(bool visible) {
        if (visible == btnVisible_)
            return;
        btnVisible_ = visible;
        NotifyChanged(TProperty::ButtonVisible);
    }
    bool CanLeaveEmpty() const { return canLeaveEmpty_; }
    void SetCanLeaveEmpty(bool canLeaveEmpty) { canLeaveEmpty_ = canLeaveEmpty; }
    bool CanNotInput() const { return canNotInput_; }
    void SetCanNotInput(bool canNotInput) { canNotInput_ = canNotInput; }

    TNotifyEvent OnButtonClick;
    // The user presses the edit's button (dispatched); false when it is hidden or the handler ended
    // early.
    bool PerformButtonClick();
    virtual void ButtonClick();

protected:
    bool AcceptChar(char32_t key) const override;

private:
    // Length, sign, maximum and a negative minimum of the typed-input settings.
    bool WithinSettings(char32_t key) const;
    bool AcceptIntegerChar(char32_t key) const;
    bool AcceptDoubleChar(char32_t key) const;

    TDataTypes dataTypes_;
    bool btnVisible_ = false;
    bool canLeaveEmpty_ = true;
    bool canNotInput_ = false;
};

} // namespace tkv
