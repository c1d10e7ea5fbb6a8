// Drawing decoded pixels with GDI: a picture's thumbnail stretched to a slot, or whole pixels into
// the rectangle a picture view computed. The 8-bit RGB rows become a 24-bit device-independent
// bitmap (BGR, rows padded to four bytes) for StretchDIBits.
#pragma once

#include "toolkit/Graphic.h"
#include "toolkit/PixelBuffer.h"

#include <windows.h>

#include <vector>

namespace tkv::win32ui {

// The pixels as a DIB, converted once and drawn as often as needed.
class TDib {
public:
    TDib() = default;
    explicit TDib(const TPixelBuffer& pixels);
    bool Empty() const { return bits_.empty(); }
    // Draws the whole bitmap scaled into the rectangle.
    void Draw(HDC dc, const RECT& dest) const;

private:
    BITMAPINFO info_{};
    std::vector<std::uint8_t> bits_;
};

// Draws the picture's thumbnail for the box stretched to exactly the box (proportions not kept).
void DrawStretched(HDC dc, const TGraphic& graphic, const RECT& box);

} // namespace tkv::win32ui
