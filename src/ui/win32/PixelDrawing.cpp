// RGB pixels to a DIB and onto a device context.
#include "PixelDrawing.h"

namespace tkv::win32ui {

TDib::TDib(const TPixelBuffer& pixels) {
    if (pixels.Empty())
        return;
    const int width = pixels.Width(), height = pixels.Height();
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    bits_.resize(stride * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* src = pixels.Row(y);
        std::uint8_t* dst = bits_.data() + stride * static_cast<std::size_t>(y);
        for (int x = 0; x < width; ++x) {
            dst[3 * x] = src[3 * x + 2];
            dst[3 * x + 1] = src[3 * x + 1];
            dst[3 * x + 2] = src[3 * x];
        }
    }
    info_.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info_.bmiHeader.biWidth = width;
    info_.bmiHeader.biHeight = -height; // rows top to bottom
    info_.bmiHeader.biPlanes = 1;
    info_.bmiHeader.biBitCount = 24;
    info_.bmiHeader.biCompression = BI_RGB;
}

void TDib::Draw(HDC dc, const RECT& dest) const {
    if (bits_.empty())
        return;
    const int oldMode = SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchDIBits(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, 0, 0,
                  info_.bmiHeader.biWidth, -info_.bmiHeader.biHeight, bits_.data(), &info_, DIB_RGB_COLORS,
                  SRCCOPY);
    SetStretchBltMode(dc, oldMode);
}

void DrawStretched(HDC dc, const TGraphic& graphic, const RECT& box) {
    const int width = box.right - box.left, height = box.bottom - box.top;
    if (width <= 0 || height <= 0)
        return;
    TDib(graphic.Thumbnail(width, height)).Draw(dc, box);
}

} // namespace tkv::win32ui
