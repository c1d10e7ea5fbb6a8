// Pictures that carry a QR code, written with zxing-cpp: a light page with the code drawn at a
// place, optionally with a band of it wiped out so that it can no longer be read.
#pragma once

#include "toolkit/JPEGImage.h"
#include "toolkit/PixelBuffer.h"

#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>

#include <memory>
#include <string>

namespace tkv::test {

// A width x height page, the code's modules `module` pixels wide with its top-left corner at (x, y).
// damaged wipes the middle third of the code's rows.
inline TPixelBuffer QrPage(const std::string& text, int width, int height, int module = 4, int x = 40,
                           int y = 40, bool damaged = false) {
    const ZXing::BitMatrix bits =
        ZXing::MultiFormatWriter(ZXing::BarcodeFormat::QRCode).setMargin(0).encode(text, 0, 0);
    TPixelBuffer page(width, height);
    for (int row = 0; row < height; ++row)
        std::fill(page.Row(row), page.Row(row) + page.RowBytes(), std::uint8_t{235});
    for (int my = 0; my < bits.height(); ++my) {
        const bool wiped = damaged && my > bits.height() / 3 && my < bits.height() * 2 / 3;
        for (int mx = 0; mx < bits.width(); ++mx) {
            if (!bits.get(mx, my) || wiped)
                continue;
            for (int py = y + my * module; py < y + (my + 1) * module && py < height; ++py)
                for (int px = x + mx * module; px < x + (mx + 1) * module && px < width; ++px)
                    std::fill(page.Row(py) + px * 3, page.Row(py) + px * 3 + 3, std::uint8_t{20});
        }
    }
    return page;
}

inline std::shared_ptr<TJPEGImage> QrPicture(const std::string& text, bool damaged = false) {
    return TJPEGImage::FromPixels(QrPage(text, 640, 452, 4, 40, 40, damaged));
}

} // namespace tkv::test
