// JPEG pictures: bytes kept as given, size from the header, the thumbnail's scale and its one
// decode, full-size decoding in every colour space a JPEG may have, encoding, and damaged bytes.
#include "toolkit/JPEGImage.h"
#include "PictureFiles.h"

#include <gtest/gtest.h>

using namespace tkv;
using namespace tkv::test;

namespace {

// A JPEG written by libjpeg from raw samples in the given colour space (gray: 1, CMYK: 4 per pixel).
Bytes EncodeRaw(const Bytes& samples, int width, int height, int components, J_COLOR_SPACE space) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = width;
    cinfo.image_height = height;
    cinfo.input_components = components;
    cinfo.in_color_space = space;
    jpeg_set_defaults(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(&samples[cinfo.next_scanline * width * components]);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    Bytes bytes(out, out + size);
    jpeg_destroy_compress(&cinfo);
    free(out);
    return bytes;
}

TEST(JPEGImage, KeepsItsBytesAndReadsTheSizeFromTheHeader) {
    const Bytes bytes = PageJpeg(300, 200);
    TJPEGImage image(bytes);
    EXPECT_EQ(image.Bytes(), bytes);
    EXPECT_EQ(image.Width(), 300);
    EXPECT_EQ(image.Height(), 200);
    EXPECT_FALSE(image.HasThumbnail()) << "nothing is decoded before the thumbnail is asked for";
}

TEST(JPEGImage, ThumbnailScaleIsTheSmallestThatCoversTheSlot) {
    EXPECT_EQ(TJPEGImage::ThumbnailScale(2480, 3508, 161, 113), 1); // 310 x 439
    EXPECT_EQ(TJPEGImage::ThumbnailScale(1288, 904, 161, 113), 1);  // exactly 161 x 113
    EXPECT_EQ(TJPEGImage::ThumbnailScale(1280, 904, 161, 113), 2);  // 160 wide at 1/8
    EXPECT_EQ(TJPEGImage::ThumbnailScale(640, 452, 161, 113), 3);   // 240 x 170; 2/8 gives 160
    EXPECT_EQ(TJPEGImage::ThumbnailScale(200, 2000, 161, 113), 7);  // the narrow side decides
    EXPECT_EQ(TJPEGImage::ThumbnailScale(161, 113, 161, 113), 8);
    EXPECT_EQ(TJPEGImage::ThumbnailScale(80, 60, 161, 113), 8) << "a small picture keeps its own size";
}

TEST(JPEGImage, ThumbnailIsDecodedOnceAtTheChosenScale) {
    TJPEGImage image(sim::EncodeJpeg(TwoBandPixels(640, 452, 0xFF0000, 0x0000FF), 640, 452));
    const TPixelBuffer& thumb = image.Thumbnail(161, 113);
    EXPECT_TRUE(image.HasThumbnail());
    EXPECT_EQ(thumb.Width(), 240);
    EXPECT_EQ(thumb.Height(), 170);
    EXPECT_TRUE(Near(PixelAt(thumb, 120, 20), 0xFF0000));
    EXPECT_TRUE(Near(PixelAt(thumb, 120, 150), 0x0000FF));
    const std::uint8_t* pixels = thumb.Rgb().data();
    EXPECT_EQ(&image.Thumbnail(161, 113), &thumb);
    EXPECT_EQ(image.Thumbnail(161, 113).Rgb().data(), pixels) << "the same pixels, not decoded again";
    EXPECT_EQ(image.Thumbnail(80, 56).Rgb().data(), pixels) << "a smaller box uses the thumbnail it has";
    EXPECT_EQ(image.Thumbnail(320, 226).Width(), 320) << "a larger box needs a larger scale";
}

TEST(JPEGImage, DecodesAtFullSizeWithoutKeepingThePixels) {
    TJPEGImage image(sim::EncodeJpeg(TwoBandPixels(64, 48, 0x00FF00, 0xFFFFFF), 64, 48));
    const TPixelBuffer full = image.Decode();
    EXPECT_EQ(full.Width(), 64);
    EXPECT_EQ(full.Height(), 48);
    EXPECT_EQ(full.Rgb().size(), 64u * 48 * 3);
    EXPECT_TRUE(Near(PixelAt(full, 10, 5), 0x00FF00));
    EXPECT_TRUE(Near(PixelAt(full, 60, 40), 0xFFFFFF));
    EXPECT_FALSE(image.HasThumbnail());
}

TEST(JPEGImage, EncodesBaselineColourAtQuality90) {
    const Bytes px = TwoBandPixels(50, 40, 0x336699, 0xCC9933);
    auto image = TJPEGImage::FromPixels(px.data(), 50, 40);
    const JpegHeader h = ReadJpegHeader(image->Bytes());
    EXPECT_EQ(h.Width, 50);
    EXPECT_EQ(h.Height, 40);
    EXPECT_EQ(h.Components, 3);
    EXPECT_EQ(h.ColorSpace, JCS_YCbCr);
    EXPECT_FALSE(h.Progressive);
    EXPECT_EQ(h.FirstLuminanceQuant, 3) << "the standard table's 16 at quality 90";
    EXPECT_TRUE(Near(PixelAt(image->Decode(), 25, 5), 0x336699, 6));
}

TEST(JPEGImage, GreyAndCmykPicturesDecodeToRgb) {
    Bytes grey(32 * 16, 0x80);
    TJPEGImage g(EncodeRaw(grey, 32, 16, 1, JCS_GRAYSCALE));
    EXPECT_TRUE(Near(PixelAt(g.Decode(), 5, 5), 0x808080, 3));
    EXPECT_EQ(g.Thumbnail(8, 4).Width(), 8);

    // libjpeg marks CMYK files as Adobe's, whose inks are stored inverted: red is C0 M255 Y255 K0.
    Bytes cmyk;
    for (int i = 0; i < 32 * 16; ++i)
        cmyk.insert(cmyk.end(), {255, 0, 0, 255});
    TJPEGImage c(EncodeRaw(cmyk, 32, 16, 4, JCS_CMYK));
    EXPECT_TRUE(Near(PixelAt(c.Decode(), 5, 5), 0xFF0000));
}

TEST(JPEGImage, RefusesBytesThatAreNoJpeg) {
    EXPECT_THROW(TJPEGImage(Bytes{}), EInvalidGraphic);
    const std::string text = "这不是图片, just text";
    EXPECT_THROW(TJPEGImage(Bytes(text.begin(), text.end())), EInvalidGraphic);
    const Bytes jpeg = PageJpeg(64, 64);
    EXPECT_THROW(TJPEGImage(Bytes(jpeg.begin(), jpeg.begin() + 20)), EInvalidGraphic) << "header cut short";
    EXPECT_THROW(TJPEGImage(BitmapBytes(TwoBandPixels(8, 8, 0, 0), 8, 8)), EInvalidGraphic);
}

TEST(JPEGImage, RefusesAHeaderClaimingAHugeSizeBeforeDecoding) {
    const Bytes jpeg = PageJpeg(64, 64);
    EXPECT_THROW(TJPEGImage(WithClaimedSize(jpeg, 60000, 60000)), EInvalidGraphic);
    EXPECT_THROW(TJPEGImage(WithClaimedSize(jpeg, 7000, 7000)), EInvalidGraphic);
    EXPECT_THROW(TJPEGImage(WithClaimedSize(jpeg, 0, 64)), EInvalidGraphic);
    TJPEGImage a4(WithClaimedSize(jpeg, 4961, 7016)); // A4 at 600 dpi is a size a picture may have
    EXPECT_EQ(a4.Width(), 4961);
}

TEST(JPEGImage, ACutShortPictureDecodesSilently) {
    const Bytes jpeg = PageJpeg(320, 240);
    TJPEGImage image(Bytes(jpeg.begin(), jpeg.begin() + jpeg.size() / 2));
    testing::internal::CaptureStderr();
    const TPixelBuffer full = image.Decode();
    const TPixelBuffer& thumb = image.Thumbnail(161, 113);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "libjpeg's warnings are not printed";
    EXPECT_EQ(full.Width(), 320);
    EXPECT_EQ(thumb.Width(), 200); // 5/8 of 320
}

TEST(JPEGImage, PictureSizeLimit) {
    EXPECT_NO_THROW(CheckPictureSize(4961, 7016));
    EXPECT_THROW(CheckPictureSize(60000, 60000), EInvalidGraphic);
    EXPECT_THROW(CheckPictureSize(0, 10), EInvalidGraphic);
    EXPECT_THROW(CheckPictureSize(10, -1), EInvalidGraphic);
    EXPECT_THROW(CheckPictureSize(1, kMaxPicturePixels + 1), EInvalidGraphic);
}

} // namespace

// The brightness decodes that QR reading uses: the top-left part holds the same values as the
// whole picture's brightness there; a picture cut short decodes, as it does in colour.
TEST(JPEGImage, BrightnessOfTheTopLeftPartEqualsThatOfTheWholePicture) {
    const TJPEGImage picture(PageJpeg(400, 300, 9));
    const auto whole = picture.DecodeGreyAt(4);
    ASSERT_EQ(whole.Width, 200);
    ASSERT_EQ(whole.Height, 150);
    const auto part = picture.DecodeGreyTopLeft(4, 0.5, 0.3);
    EXPECT_GE(part.Width, 100);
    EXPECT_LT(part.Width, 200);
    EXPECT_EQ(part.Height, 45);
    for (int y = 0; y < part.Height; ++y)
        for (int x = 0; x < part.Width; ++x)
            ASSERT_EQ(part.Values[y * part.Width + x], whole.Values[y * whole.Width + x]) << x << "," << y;
    Bytes cut = PageJpeg(400, 300, 9);
    cut.resize(cut.size() / 3);
    EXPECT_NO_THROW(TJPEGImage(cut).DecodeGreyTopLeft(4, 0.5, 0.3)) << "a picture cut short decodes as grey";
}
