// Finding a QR code in a picture with zxing-cpp. A JPEG picture is read from the cheapest decode up:
// the thumbnail the strip shows anyway, then the brightness of its top-left part at half scale
// (where invoices carry their code), of all of it at half scale, and at full scale only when none
// of these held a readable code. Builds without zxing (a Windows dependency cache that could not get
// its source) find no code in any picture.
#pragma once

#include "JPEGImage.h"
#include "PixelBuffer.h"

#include <optional>
#include <string>

namespace tkv {

// The text of a readable QR code in the pixels; nullopt when there is none or it is damaged.
std::optional<std::string> ReadQrText(const TPixelBuffer& pixels);

// The same for a JPEG picture whose thumbnail for the box (boxWidth x boxHeight) is made or reused
// first, as the strip would make it.
std::optional<std::string> ReadQrText(const TJPEGImage& picture, int boxWidth, int boxHeight);

// False in builds without zxing.
bool CanReadQrCodes();

} // namespace tkv
