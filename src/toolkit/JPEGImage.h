// A JPEG picture: keeps its encoded bytes (what is stored and exported, never encoded again), its
// size read from the header when it is made, and a thumbnail made once by libjpeg's scaled decode.
// Full-size pixels are decoded on request and handed to the caller, never kept.
#pragma once

#include "Graphic.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace tkv {

class TJPEGImage : public TGraphic {
public:
    // Takes the bytes of a JPEG file and reads its header. Raises EInvalidGraphic when the bytes are
    // no JPEG, the header is damaged, the colour space is not one a picture can have, or the size
    // exceeds kMaxPicturePixels.
    explicit TJPEGImage(std::vector<std::uint8_t> bytes);

    // Encodes RGB pixels as a baseline colour JPEG of quality 90.
    static std::shared_ptr<TJPEGImage> FromPixels(const TPixelBuffer& pixels);
    static std::shared_ptr<TJPEGImage> FromPixels(const std::uint8_t* rgb, int width, int height);

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

    // Made on the first request by decoding at the smallest DCT scale n/8 whose output covers the
    // box; a later request that this thumbnail covers returns it without decoding.
    const TPixelBuffer& Thumbnail(int width, int height) const override;
    bool HasThumbnail() const { return !thumbnail_.Empty(); }
    TPixelBuffer Decode() const override;
    // The pixels decoded at the DCT scale scaleNum/8 (1 to 8): libjpeg's reduced decode, far cheaper
    // than the full one for a large scan.
    TPixelBuffer DecodeAt(int scaleNum) const;
    // Only the brightness at scaleNum/8, one byte a pixel: the colour planes are never decoded, which
    // makes it cheaper still. A CMYK picture is decoded in colour and brought to grey.
    struct TGreyPixels {
        int Width = 0, Height = 0;
        std::vector<std::uint8_t> Values;
    };
    TGreyPixels DecodeGreyAt(int scaleNum) const;
    // The brightness of the picture's top-left part (the given fractions of its width and height)
    // at scaleNum/8: decoding stops after the part's last row, and the columns right of it are not
    // transformed. The part may reach a little further right (whole blocks). CMYK: the whole
    // picture's colour decode, cut.
    TGreyPixels DecodeGreyTopLeft(int scaleNum, double widthPart, double heightPart) const;

    // The numerator n (1 to 8) of the scale n/8 that a thumbnail for that box is decoded at.
    static int ThumbnailScale(int pictureWidth, int pictureHeight, int boxWidth, int boxHeight);

private:
    std::vector<std::uint8_t> bytes_;
    int width_ = 0, height_ = 0;
    mutable TPixelBuffer thumbnail_;
    mutable int thumbnailScale_ = 0;
};

} // namespace tkv
