#include "QrCodeReader.h"

#if defined(TKV_HAVE_ZXING)
#include <ZXing/ReadBarcode.h>
#endif

namespace tkv {

#if defined(TKV_HAVE_ZXING)

std::optional<std::string> ReadQrText(const TPixelBuffer& pixels) {
    if (pixels.Empty())
        return std::nullopt;
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::QRCode);
    const ZXing::ImageView image(pixels.Rgb().data(), pixels.Width(), pixels.Height(),
                                 ZXing::ImageFormat::RGB);
    try {
        const ZXing::Result result = ZXing::ReadBarcode(image, hints);
        if (result.isValid())
            return result.text();
    } catch (const std::exception&) {
        // A picture zxing cannot work on holds no code for the caller.
    }
    return std::nullopt;
}

bool CanReadQrCodes() {
    return true;
}

#else

std::optional<std::string> ReadQrText(const TPixelBuffer&) {
    return std::nullopt;
}

bool CanReadQrCodes() {
    return false;
}

#endif

std::optional<std::string> ReadQrText(const TJPEGImage& picture, int boxWidth, int boxHeight) {
    if (!CanReadQrCodes())
        return std::nullopt;
    const int thumbnailScale =
        TJPEGImage::ThumbnailScale(picture.Width(), picture.Height(), boxWidth, boxHeight);
    if (auto text = ReadQrText(picture.Thumbnail(boxWidth, boxHeight)))
        return text;
    if (thumbnailScale < 4)
        if (auto text = ReadQrText(picture.DecodeAt(4)))
            return text;
    if (thumbnailScale < 8)
        return ReadQrText(picture.Decode());
    return std::nullopt;
}

} // namespace tkv
