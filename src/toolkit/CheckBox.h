// A check box; a click toggles it, and any change of the state fires the click event, as in the host
// framework.
#pragma once

#include "Control.h"

namespace tkv {

class TCheckBox : public TControl {
public:
    TCheckBox() { SetTabStop(true); }
    std::string ClassName() const override { return "TCheckBox"; }
    bool Focusable() const override { return true; }

    bool Checked() const { return checked_; }
    void SetChecked(bool checked) {
        if (checked == checked_)
            return;
        checked_ = checked;
        NotifyChanged(TProperty::Checked);
        TControl::Click();
    }
    void Click() override {
        if (!ReadOnly())
            SetChecked(!checked_);
    }

private:
    bool checked_ = false;
};

} // namespace tkv
