// A static text in the control's font; a transparent label lets its container's background show, a
// word-wrapping one breaks its text into lines within its width.
#pragma once

#include "Control.h"
#include "Graphics.h"

namespace tkv {

class TLabel : public TControl {
public:
    std::string ClassName() const override { return "TLabel"; }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent) { transparent_ = transparent; }
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap) { wordWrap_ = wordWrap; }

private:
    bool transparent_ = false;
    bool wordWrap_ = false;
};

} // namespace tkv
