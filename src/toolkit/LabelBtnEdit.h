// The captioned edit: a data edit with its own caption label (the control's caption).
#pragma once

#include "CaptionLabel.h"
#include "DataBtnEdit.h"

namespace tkv {

class TLabelBtnEdit : public TDataBtnEdit, public TCaptionLabel {
public:
    std::string ClassName() const override { return "TLabelBtnEdit"; }
};

} // namespace tkv
