// A radio button: checking it unchecks the other radio buttons of the same container.
#pragma once

#include "Control.h"

namespace tkv {

class TRadioButton : public TControl {
public:
    TRadioButton() = default;
    std::string ClassName() const override { return "TRadioButton"; }
    bool Focusable() const override { return true; }

    bool Checked() const { return checked_; }
    // The checked button of a group is its tab stop, as the system's dialog manager makes it: Tab
    // reaches the group at its checked button, the arrow keys move within it.
    void SetChecked(bool checked);
    void Click() override;

private:
    bool checked_ = false;
};

} // namespace tkv
