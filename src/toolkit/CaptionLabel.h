// The caption label that the captioned controls carry: left of the field, 3 pixels apart, shown.
#pragma once

#include <cstdint>

namespace tkv {

enum class TLabelPosition : std::uint8_t { lpLeft, lpAbove };

class TCaptionLabel {
public:
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
