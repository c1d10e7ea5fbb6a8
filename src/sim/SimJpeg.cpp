// JPEG encoding with libjpeg and the invoice-like test pages of the stand-in libraries.
#include "SimJpeg.h"

#include <cstdio>
#include <fstream>
#include <jpeglib.h>
#include <stdexcept>

namespace tkv::sim {

std::vector<std::uint8_t> EncodeJpeg(const std::vector<std::uint8_t>& rgb, int width, int height,
                                     int quality) {
    if (width <= 0 || height <= 0 || rgb.size() != static_cast<std::size_t>(width) * height * 3)
        throw std::invalid_argument("EncodeJpeg: pixel buffer does not match the picture size");
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&cinfo, &out, &outSize);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(&rgb[static_cast<std::size_t>(cinfo.next_scanline) * width * 3]);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<std::uint8_t> bytes(out, out + outSize);
    jpeg_destroy_compress(&cinfo);
    std::free(out);
    return bytes;
}

std::vector<std::uint8_t> InvoicePagePixels(int width, int height, std::uint32_t seed) {
    std::vector<std::uint8_t> px(static_cast<std::size_t>(width) * height * 3, 255);
    auto put = [&](int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        std::uint8_t* p = &px[(static_cast<std::size_t>(y) * width + x) * 3];
        p[0] = r;
        p[1] = g;
        p[2] = b;
    };
    // The hue of the header band and the place of the stamp vary with the seed.
    const std::uint32_t h = seed * 2654435761u;
    const std::uint8_t r = static_cast<std::uint8_t>(60 + (h >> 8) % 160);
    const std::uint8_t g = static_cast<std::uint8_t>(60 + (h >> 16) % 160);
    const std::uint8_t b = static_cast<std::uint8_t>(60 + (h >> 24) % 160);
    const int band = height / 8;
    const int stampX = width / 2 + static_cast<int>(h % static_cast<std::uint32_t>(width / 3 + 1));
    const int stampY = height / 2 + static_cast<int>((h >> 4) % static_cast<std::uint32_t>(height / 4 + 1));
    const int stamp = width / 8 + 1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool border = x < 3 || y < 3 || x >= width - 3 || y >= height - 3;
            const bool rule = y > band && (y - band) % (height / 12 + 1) == 0 && x > 10 && x < width - 10;
            const int dx = x - stampX, dy = y - stampY;
            const int d2 = dx * dx + dy * dy;
            if (border || rule)
                put(x, y, 40, 40, 40);
            else if (y < band)
                put(x, y, r, g, b);
            else if (d2 < stamp * stamp && d2 > (stamp - 4) * (stamp - 4))
                put(x, y, 200, 30, 30);
        }
    return px;
}

std::vector<std::uint8_t> InvoicePageJpeg(int width, int height, std::uint32_t seed) {
    return EncodeJpeg(InvoicePagePixels(width, height, seed), width, height);
}

void WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    if (f)
        f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!f)
        throw std::runtime_error("cannot write file " + path);
}

} // namespace tkv::sim
