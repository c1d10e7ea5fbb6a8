// The captioned date edit: a date picker with its own caption label.
#pragma once

#include "DatePicker.h"
#include "LabelBtnEdit.h"

namespace tkv {

class TLabelDateEdit : public TDatePicker {
public:
    std::string ClassName() const override { return "TLabelDateEdit"; }
    TLabelPosition LabelPosition() const { return labelPosition_; }
    void SetLabelPosition(TLabelPosition position) { labelPosition_ = position; }
    int LabelSpacing() const { return labelSpacing_; }
    void SetLabelSpacing(int spacing) { labelSpacing_ = spacing; }
    bool LabelVisible() const { return labelVisible_; }
    void SetLabelVisible(bool visible) { labelVisible_ = visible; }

private:
    TLabelPosition labelPosition_ = TLabelPosition::lpLeft;
    int labelSpacing_ = 3;
    bool labelVisible_ = true;
};

} // namespace tkv
