// Stored picture bytes from the host's picture store and JPEG picture files: the header read when
// the picture is made, thumbnails decoded at the scales of the picture strip and the viewer, and
// the full decode that printing does.
#include "toolkit/PictureLoader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

// Full decodes above this size are left out: they take long without reaching other code.
constexpr std::int64_t kMaxFullDecodePixels = 1'000'000;

void CheckPixels(const tkv::TPixelBuffer& pixels) {
    if (pixels.Rgb().size() != static_cast<std::size_t>(pixels.Width()) * pixels.Height() * 3)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::shared_ptr<tkv::TJPEGImage> picture;
    try {
        picture = tkv::LoadPictureBytes(std::vector<std::uint8_t>(data, data + size));
    } catch (const tkv::EInvalidGraphic&) {
        return 0;
    }
    if (picture->Width() <= 0 || picture->Height() <= 0 ||
        static_cast<std::int64_t>(picture->Width()) * picture->Height() > tkv::kMaxPicturePixels)
        std::abort();
    try {
        CheckPixels(picture->Thumbnail(120, 90));
        CheckPixels(picture->Thumbnail(640, 480));
        if (static_cast<std::int64_t>(picture->Width()) * picture->Height() <= kMaxFullDecodePixels) {
            const tkv::TPixelBuffer full = picture->Decode();
            CheckPixels(full);
            if (full.Width() != picture->Width() || full.Height() != picture->Height())
                std::abort();
        }
    } catch (const tkv::EInvalidGraphic&) {
    }
    return 0;
}
