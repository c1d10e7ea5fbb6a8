// A static text in the control's font; a transparent label lets its container's background show.
#pragma once

#include "Control.h"
#include "Graphics.h"

namespace tkv {

class TLabel : public TControl {
public:
    std::string ClassName() const override { return "TLabel"; }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent) { transparent_ = transparent; }

private:
    bool transparent_ = false;
};

} // namespace tkv
