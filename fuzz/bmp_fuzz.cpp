// Bitmap picture files chosen by the user: decoded and encoded as a JPEG picture, whose encoded
// bytes must load again as the same size and give a thumbnail.
#include "toolkit/PictureLoader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::shared_ptr<tkv::TJPEGImage> picture;
    try {
        picture = tkv::BitmapToJpeg(std::vector<std::uint8_t>(data, data + size));
    } catch (const tkv::EInvalidGraphic&) {
        return 0;
    }
    const std::shared_ptr<tkv::TJPEGImage> again = tkv::LoadPictureBytes(picture->Bytes());
    if (again->Width() != picture->Width() || again->Height() != picture->Height())
        std::abort();
    (void)again->Thumbnail(120, 90);
    return 0;
}
