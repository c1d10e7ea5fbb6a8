// Decoded picture pixels as renderers and printers take them: 8-bit RGB, rows top to bottom with no
// padding between them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tkv {

class TPixelBuffer {
public:
    TPixelBuffer() = default;
    // Width * height pixels, all black.
    TPixelBuffer(int width, int height)
        : width_(width), height_(height), rgb_(static_cast<std::size_t>(width) * height * 3) {}

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return rgb_.empty(); }
    std::size_t RowBytes() const { return static_cast<std::size_t>(width_) * 3; }
    const std::uint8_t* Row(int y) const { return rgb_.data() + RowBytes() * y; }
    std::uint8_t* Row(int y) { return rgb_.data() + RowBytes() * y; }
    const std::vector<std::uint8_t>& Rgb() const { return rgb_; }

private:
    int width_ = 0, height_ = 0;
    std::vector<std::uint8_t> rgb_;
};

} // namespace tkv
