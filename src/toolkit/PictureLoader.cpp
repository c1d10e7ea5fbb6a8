// Picture files and stored picture bytes into JPEG pictures; bitmaps through stb_image.
#include "PictureLoader.h"

#define STBI_NO_STDIO
#include <stb_image.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>

namespace tkv {

namespace {

// Four bytes per pixel at the largest size, plus room for headers and palettes: no picture file
// of a supported size is longer.
constexpr std::uintmax_t kMaxPictureFileBytes =
    static_cast<std::uintmax_t>(kMaxPicturePixels) * 4 + (1u << 20);

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path) {
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec)
        throw EInvalidGraphic("cannot read picture file: " + ec.message());
    if (size == 0 || size > kMaxPictureFileBytes)
        throw EInvalidGraphic("picture file is empty or too large");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    std::ifstream f(path, std::ios::binary);
    if (!f || !f.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())))
        throw EInvalidGraphic("cannot read picture file");
    return bytes;
}

std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::uint16_t Le16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

// stb_image reads missing bytes of a bitmap as zeros; a file shorter than the rows its header
// promises is refused here instead of becoming a picture with a black end.
void CheckBitmapHoldsAllRows(const std::vector<std::uint8_t>& b) {
    constexpr std::size_t kFileHeader = 14;
    if (b.size() < kFileHeader + 16)
        throw EInvalidGraphic("bitmap header cut short");
    const std::uint32_t pixelOffset = Le32(b, 10);
    const std::uint32_t infoSize = Le32(b, 14);
    std::int64_t width, height;
    unsigned bitsPerPixel, compression = 0;
    if (infoSize == 12) { // OS/2 core header
        width = Le16(b, 18);
        height = Le16(b, 20);
        bitsPerPixel = Le16(b, 24);
    } else {
        if (b.size() < kFileHeader + 20)
            throw EInvalidGraphic("bitmap header cut short");
        width = static_cast<std::int32_t>(Le32(b, 18));
        height = static_cast<std::int32_t>(Le32(b, 22));
        bitsPerPixel = Le16(b, 28);
        compression = Le32(b, 30);
    }
    constexpr unsigned kRgb = 0, kBitFields = 3, kAlphaBitFields = 6;
    if (compression != kRgb && compression != kBitFields && compression != kAlphaBitFields)
        return; // compressed rows: stb_image refuses them itself
    const std::int64_t rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
    const std::int64_t needed = static_cast<std::int64_t>(pixelOffset) + rowBytes * std::abs(height);
    if (static_cast<std::int64_t>(b.size()) < needed)
        throw EInvalidGraphic("bitmap cut short");
}

std::string LowerExtension(const std::filesystem::path& path) {
    const std::u8string u8 = path.extension().u8string();
    std::string ext(u8.begin(), u8.end());
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return ext;
}

struct StbPixels {
    stbi_uc* data = nullptr;
    ~StbPixels() { stbi_image_free(data); }
};

} // namespace

std::shared_ptr<TJPEGImage> BitmapToJpeg(const std::vector<std::uint8_t>& bmp) {
    if (bmp.empty() || bmp.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        throw EInvalidGraphic("bitmap is empty or too large");
    const int length = static_cast<int>(bmp.size());
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_memory(bmp.data(), length, &width, &height, &channels))
        throw EInvalidGraphic(std::string("bitmap: ") + stbi_failure_reason());
    // The header's height is negative for rows stored top-down, and stb_image's look at the header
    // passes it on as it stands.
    CheckPictureSize(width, std::abs(static_cast<std::int64_t>(height)));
    CheckBitmapHoldsAllRows(bmp);
    StbPixels pixels;
    pixels.data = stbi_load_from_memory(bmp.data(), length, &width, &height, &channels, 3);
    if (!pixels.data)
        throw EInvalidGraphic(std::string("bitmap: ") + stbi_failure_reason());
    return TJPEGImage::FromPixels(pixels.data, width, height);
}

std::shared_ptr<TJPEGImage> LoadPictureBytes(std::vector<std::uint8_t> bytes) {
    return std::make_shared<TJPEGImage>(std::move(bytes));
}

std::shared_ptr<TJPEGImage> LoadPictureFile(const std::string& path) {
    const std::filesystem::path file(std::u8string(path.begin(), path.end()));
    const std::string ext = LowerExtension(file);
    if (ext == ".jpg" || ext == ".jpeg")
        return LoadPictureBytes(ReadFileBytes(file));
    if (ext == ".bmp")
        return BitmapToJpeg(ReadFileBytes(file));
    throw EInvalidGraphic("unknown picture file extension \"" + ext + "\"");
}

} // namespace tkv
