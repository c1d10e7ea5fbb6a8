// Colours and fonts as the window models declare them. Colours are BGR values as the Windows
// colour type holds them; system colours carry the high byte 0xFF and the system colour index, so
// a renderer asks the system for them (the button face follows the user's scheme).
#pragma once

#include <cstdint>
#include <string>

namespace tkv {

enum class TColor : std::uint32_t {
    clBlack = 0x000000,
    clMaroon = 0x000080,
    clRed = 0x0000FF,
    clBlue = 0xFF0000,
    clNavy = 0x800000,
    clSilver = 0xC0C0C0,
    clWhite = 0xFFFFFF,
    clBtnFace = 0xFF00000F,
    clWindow = 0xFF000005,
    clWindowText = 0xFF000008,
};

constexpr bool IsSystemColor(TColor color) {
    return (static_cast<std::uint32_t>(color) & 0xFF000000u) == 0xFF000000u;
}

enum TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4 };
using TFontStyles = std::uint8_t;

// A font: face name, height of its characters in pixels, styles and text colour. The default is
// the face the host's own windows use for Chinese text.
struct TFont {
    std::string Name = "宋体";
    int Height = 12;
    TFontStyles Style = 0;
    TColor Color = TColor::clWindowText;

    bool Bold() const { return (Style & fsBold) != 0; }
    bool operator==(const TFont&) const = default;
};

} // namespace tkv
