// A static text.
#pragma once

#include "Control.h"

namespace tkv {

enum class TColor : std::uint32_t {
    clBlack = 0x000000,
    clRed = 0x0000FF,
    clSilver = 0xC0C0C0,
    clWhite = 0xFFFFFF
};

class TLabel : public TControl {
public:
    std::string ClassName() const override { return "TLabel"; }
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor color) { fontColor_ = color; }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent) { transparent_ = transparent; }

private:
    TColor fontColor_ = TColor::clBlack;
    bool transparent_ = false;
};

} // namespace tkv
