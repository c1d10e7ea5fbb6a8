// Picture bytes for the picture tests: uncompressed bitmaps written byte by byte (so that headers
// can be made to lie), generated JPEG pages, and a look at a JPEG's header through libjpeg.
#pragma once

#include "sim/SimJpeg.h"
#include "toolkit/PixelBuffer.h"

#include <cstdint>
#include <cstdio>
#include <jpeglib.h>
#include <string>
#include <vector>

namespace tkv::test {

using Bytes = std::vector<std::uint8_t>;

inline void PutLe(Bytes& b, std::size_t at, std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A 24-bit bitmap of the RGB pixels (rows top to bottom); stored bottom-up unless topDown.
inline Bytes BitmapBytes(const Bytes& rgb, int width, int height, bool topDown = false) {
    const std::size_t row = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    Bytes b(54 + row * height, 0);
    b[0] = 'B';
    b[1] = 'M';
    PutLe(b, 2, static_cast<std::uint32_t>(b.size()), 4);
    PutLe(b, 10, 54, 4);
    PutLe(b, 14, 40, 4);
    PutLe(b, 18, static_cast<std::uint32_t>(width), 4);
    PutLe(b, 22, static_cast<std::uint32_t>(topDown ? -height : height), 4);
    PutLe(b, 26, 1, 2);
    PutLe(b, 28, 24, 2);
    for (int y = 0; y < height; ++y) {
        const int fileRow = topDown ? y : height - 1 - y;
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
            std::uint8_t* q = &b[54 + row * fileRow + x * 3];
            q[0] = p[2];
            q[1] = p[1];
            q[2] = p[0];
        }
    }
    return b;
}

// Pixels whose upper half is one colour and lower half another.
inline Bytes TwoBandPixels(int width, int height, std::uint32_t top, std::uint32_t bottom) {
    Bytes px(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = y < height / 2 ? top : bottom;
            std::uint8_t* p = &px[(static_cast<std::size_t>(y) * width + x) * 3];
            p[0] = static_cast<std::uint8_t>(c >> 16);
            p[1] = static_cast<std::uint8_t>(c >> 8);
            p[2] = static_cast<std::uint8_t>(c);
        }
    return px;
}

inline Bytes PageJpeg(int width, int height, std::uint32_t seed = 1) {
    return sim::InvoicePageJpeg(width, height, seed);
}

// The offset of the first SOF0 marker's height field (width follows), npos when none.
inline std::size_t SofSizeOffset(const Bytes& jpeg) {
    for (std::size_t i = 2; i + 8 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0)
            return i + 5;
    return std::string::npos;
}

// The JPEG with its frame header claiming another size.
inline Bytes WithClaimedSize(Bytes jpeg, int width, int height) {
    const std::size_t at = SofSizeOffset(jpeg);
    jpeg[at] = static_cast<std::uint8_t>(height >> 8);
    jpeg[at + 1] = static_cast<std::uint8_t>(height);
    jpeg[at + 2] = static_cast<std::uint8_t>(width >> 8);
    jpeg[at + 3] = static_cast<std::uint8_t>(width);
    return jpeg;
}

struct JpegHeader {
    int Width = 0, Height = 0, Components = 0;
    bool Progressive = false;
    J_COLOR_SPACE ColorSpace = JCS_UNKNOWN;
    int FirstLuminanceQuant = 0;
};

// Read with libjpeg's own error handling: only for bytes known to be a JPEG.
inline JpegHeader ReadJpegHeader(const Bytes& jpeg) {
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, jpeg.data(), jpeg.size());
    jpeg_read_header(&cinfo, TRUE);
    JpegHeader h{static_cast<int>(cinfo.image_width),
                 static_cast<int>(cinfo.image_height),
                 cinfo.num_components,
                 cinfo.progressive_mode != 0,
                 cinfo.jpeg_color_space,
                 cinfo.quant_tbl_ptrs[0] ? cinfo.quant_tbl_ptrs[0]->quantval[0] : 0};
    jpeg_destroy_decompress(&cinfo);
    return h;
}

// The pixel at (x, y) as 0xRRGGBB.
inline std::uint32_t PixelAt(const TPixelBuffer& p, int x, int y) {
    const std::uint8_t* q = p.Row(y) + x * 3;
    return static_cast<std::uint32_t>(q[0]) << 16 | q[1] << 8 | q[2];
}

// Each channel within the tolerance of the expected colour (JPEG is lossy).
inline bool Near(std::uint32_t actual, std::uint32_t expected, int tolerance = 12) {
    for (int shift = 0; shift <= 16; shift += 8) {
        const int a = static_cast<int>(actual >> shift & 0xFF),
                  e = static_cast<int>(expected >> shift & 0xFF);
        if (a - e > tolerance || e - a > tolerance)
            return false;
    }
    return true;
}

} // namespace tkv::test
