// Radio button grouping within its container.
#include "RadioButton.h"

#include "Form.h"

namespace tkv {

void TRadioButton::SetChecked(bool checked) {
    if (checked == checked_)
        return;
    checked_ = checked;
    SetTabStop(checked);
    NotifyChanged(TProperty::Checked);
    if (checked && Owner()) {
        for (TControl* sibling : Owner()->Children(Parent()))
            if (auto* radio = dynamic_cast<TRadioButton*>(sibling);
                radio && radio != this && radio->checked_) {
                radio->checked_ = false;
                radio->SetTabStop(false);
                radio->NotifyChanged(TProperty::Checked);
            }
    }
    if (checked)
        TControl::Click();
}

void TRadioButton::Click() {
    SetChecked(true);
}

} // namespace tkv
