// The captioned edit: a data edit with its own caption label (left of the field, 3 pixels apart).
#pragma once

#include "DataBtnEdit.h"

namespace tkv {

enum class TLabelPosition : std::uint8_t { lpLeft, lpAbove };

class TLabelBtnEdit : public TDataBtnEdit {
public:
    std::string ClassName() const override { return "TLabelBtnEdit"; }
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
