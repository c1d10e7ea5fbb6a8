// A captioned frame that holds other controls.
#pragma once

#include "Control.h"

namespace tkv {

class TGroupBox : public TControl {
public:
    std::string ClassName() const override { return "TGroupBox"; }
    TRect AlignRect() const override { return {2, 16, Width() - 2, Height() - 2}; }
};

} // namespace tkv
