#include "QrCodeReader.h"

#if defined(TKV_HAVE_ZXING)
#include <ZXing/ReadBarcode.h>
#endif

namespace tkv {

#if defined(TKV_HAVE_ZXING)

namespace {

std::optional<std::string> Read(const ZXing::ImageView& image) {
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::QRCode);
    try {
        const ZXing::Result result = ZXing::ReadBarcode(image, hints);
        if (result.isValid())
            return result.text();
    } catch (const std::exception&) {
        // A picture zxing cannot work on holds no code for the caller.
    }
    return std::nullopt;
}

std::optional<std::string> ReadGrey(const TJPEGImage::TGreyPixels& grey) {
    if (grey.Values.empty())
        return std::nullopt;
    return Read(ZXing::ImageView(grey.Values.data(), grey.Width, grey.Height, ZXing::ImageFormat::Lum));
}

} // namespace

std::optional<std::string> ReadQrText(const TPixelBuffer& pixels) {
    if (pixels.Empty())
        return std::nullopt;
    return Read(
        ZXing::ImageView(pixels.Rgb().data(), pixels.Width(), pixels.Height(), ZXing::ImageFormat::RGB));
}

bool CanReadQrCodes() {
    return true;
}

#else

namespace {

std::optional<std::string> ReadGrey(const TJPEGImage::TGreyPixels&) {
    return std::nullopt;
}

} // namespace

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
    // Brightness alone from here on: the colour planes cost most of a decode and a code needs none.
    // Chinese VAT invoices, paper and electronic, carry their code at the top left: that part first.
    if (thumbnailScale < 4)
        if (auto text = ReadGrey(picture.DecodeGreyTopLeft(4, 0.5, 0.35)))
            return text;
    if (thumbnailScale < 4)
        if (auto text = ReadGrey(picture.DecodeGreyAt(4)))
            return text;
    if (thumbnailScale < 8)
        return ReadGrey(picture.DecodeGreyAt(8));
    return std::nullopt;
}

} // namespace tkv
