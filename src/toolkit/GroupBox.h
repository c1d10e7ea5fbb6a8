// A captioned frame that holds other controls.
#pragma once

#include "Control.h"

namespace tkv {

class TGroupBox : public TControl {
public:
    std::string ClassName() const override { return "TGroupBox"; }
};

} // namespace tkv
