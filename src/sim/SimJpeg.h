// Generated JPEG pictures for the stand-in scanner and the demo data: a page that looks like a
// scanned invoice form, different for every seed, identical for the same seed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tkv::sim {

// Encodes interleaved 8-bit RGB pixels (width * height * 3 bytes) as a baseline colour JPEG of the
// quality (1 to 100). Raises std::invalid_argument when the sizes do not match the pixels.
std::vector<std::uint8_t> EncodeJpeg(const std::vector<std::uint8_t>& rgb, int width, int height,
                                     int quality = 90);

// RGB pixels of an invoice-like page: white paper, a coloured header band whose hue follows the
// seed, ruled lines and a stamp-like block whose position follows the seed.
std::vector<std::uint8_t> InvoicePagePixels(int width, int height, std::uint32_t seed);

// EncodeJpeg(InvoicePagePixels(...)).
std::vector<std::uint8_t> InvoicePageJpeg(int width, int height, std::uint32_t seed);

// Writes bytes to a file; raises std::runtime_error naming the file when it cannot be written.
void WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

} // namespace tkv::sim
