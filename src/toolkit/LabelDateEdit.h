// The captioned date edit: a date picker with its own caption label.
#pragma once

#include "CaptionLabel.h"
#include "DatePicker.h"

namespace tkv {

class TLabelDateEdit : public TDatePicker, public TCaptionLabel {
public:
    std::string ClassName() const override { return "TLabelDateEdit"; }
};

} // namespace tkv
