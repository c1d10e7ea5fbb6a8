// Reading pictures into JPEG pictures: from a file, whose extension picks the decoder (a JPEG keeps
// its bytes, a bitmap becomes a JPEG of quality 90), and from stored bytes, which are JPEG only.
#pragma once

#include "JPEGImage.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tkv {

// The file at the UTF-8 path: ".jpg" and ".jpeg" are taken as they are, ".bmp" is decoded and
// encoded as JPEG (letter case ignored). Raises EInvalidGraphic for another extension, a file that
// cannot be read, is empty, damaged, cut short or larger than kMaxPicturePixels.
std::shared_ptr<TJPEGImage> LoadPictureFile(const std::string& path);

// Stored picture bytes, read as JPEG. Raises EInvalidGraphic as TJPEGImage does.
std::shared_ptr<TJPEGImage> LoadPictureBytes(std::vector<std::uint8_t> bytes);

// The bytes of a bitmap file decoded and encoded as JPEG. Raises EInvalidGraphic.
std::shared_ptr<TJPEGImage> BitmapToJpeg(const std::vector<std::uint8_t>& bmp);

} // namespace tkv
