// A radio button: checking it unchecks the other radio buttons of the same container.
#pragma once

#include "Control.h"

namespace tkv {

class TRadioButton : public TControl {
public:
    TRadioButton() { SetTabStop(true); }
    std::string ClassName() const override { return "TRadioButton"; }
    bool Focusable() const override { return true; }

    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    void Click() override;

private:
    bool checked_ = false;
};

} // namespace tkv
