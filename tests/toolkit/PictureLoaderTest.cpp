// Picture files by extension and stored picture bytes: a JPEG keeps its bytes, a bitmap becomes a
// JPEG, and every kind of bad input is refused with EInvalidGraphic before anything large is made.
#include "toolkit/PictureLoader.h"
#include "../platform/TempDir.h"
#include "PictureFiles.h"

#include <gtest/gtest.h>

using namespace tkv;
using namespace tkv::test;

namespace {

class PictureLoader : public ::testing::Test {
protected:
    TTempDir dir;
    std::string Write(const std::string& name, const Bytes& bytes) {
        const std::string path = dir.File(name);
        sim::WriteFileBytes(path, bytes);
        return path;
    }
};

TEST_F(PictureLoader, JpegFileKeepsItsBytes) {
    const Bytes bytes = PageJpeg(400, 300, 7);
    for (const char* name : {"a.jpg", "b.jpeg", "C.JPG", "发票.Jpeg"}) {
        auto picture = LoadPictureFile(Write(name, bytes));
        EXPECT_EQ(picture->Bytes(), bytes) << name;
        EXPECT_EQ(picture->Width(), 400);
        EXPECT_EQ(picture->Height(), 300);
    }
}

TEST_F(PictureLoader, BitmapFileBecomesABaselineColourJpeg) {
    const Bytes px = TwoBandPixels(120, 80, 0xFF0000, 0x0000FF);
    for (bool topDown : {false, true}) {
        auto picture =
            LoadPictureFile(Write(topDown ? "down.BMP" : "up.bmp", BitmapBytes(px, 120, 80, topDown)));
        const JpegHeader h = ReadJpegHeader(picture->Bytes());
        EXPECT_EQ(h.Width, 120);
        EXPECT_EQ(h.Height, 80);
        EXPECT_EQ(h.ColorSpace, JCS_YCbCr);
        EXPECT_FALSE(h.Progressive);
        EXPECT_EQ(h.FirstLuminanceQuant, 3);
        const TPixelBuffer full = picture->Decode();
        EXPECT_TRUE(Near(PixelAt(full, 60, 10), 0xFF0000)) << "top stays at the top";
        EXPECT_TRUE(Near(PixelAt(full, 60, 70), 0x0000FF));
    }
}

TEST_F(PictureLoader, TheSameBitmapGivesTheSameJpegBytes) {
    const Bytes bmp = BitmapBytes(TwoBandPixels(33, 21, 0x123456, 0xABCDEF), 33, 21);
    EXPECT_EQ(LoadPictureFile(Write("a.bmp", bmp))->Bytes(), LoadPictureFile(Write("b.bmp", bmp))->Bytes());
}

TEST_F(PictureLoader, RefusesFilesThatAreNoPicture) {
    const std::string text = "not a picture at all";
    EXPECT_THROW(LoadPictureFile(Write("t.jpg", Bytes(text.begin(), text.end()))), EInvalidGraphic);
    EXPECT_THROW(LoadPictureFile(Write("t.bmp", Bytes(text.begin(), text.end()))), EInvalidGraphic);
    EXPECT_THROW(LoadPictureFile(Write("e.jpg", Bytes{})), EInvalidGraphic);
    EXPECT_THROW(LoadPictureFile(Write("e.bmp", Bytes{})), EInvalidGraphic);
    EXPECT_THROW(LoadPictureFile(dir.File("missing.jpg")), EInvalidGraphic);
    EXPECT_THROW(LoadPictureFile(dir.Path()), EInvalidGraphic) << "a folder";
    // A JPEG behind a name the reader does not know, and a bitmap named as a JPEG.
    const Bytes jpeg = PageJpeg(64, 64);
    for (const char* name : {"p.png", "p.gif", "p.ico", "p.wmf", "p", "p.jpg.txt"})
        EXPECT_THROW(LoadPictureFile(Write(name, jpeg)), EInvalidGraphic) << name;
    EXPECT_THROW(LoadPictureFile(Write("b.jpg", BitmapBytes(TwoBandPixels(8, 8, 0, 0), 8, 8))),
                 EInvalidGraphic);
}

TEST_F(PictureLoader, RefusesHeadersClaimingAHugeSize) {
    EXPECT_THROW(LoadPictureFile(Write("huge.jpg", WithClaimedSize(PageJpeg(64, 64), 60000, 60000))),
                 EInvalidGraphic);
    Bytes bmp = BitmapBytes(TwoBandPixels(16, 16, 0, 0xFFFFFF), 16, 16);
    PutLe(bmp, 18, 60000, 4);
    PutLe(bmp, 22, 60000, 4);
    EXPECT_THROW(LoadPictureFile(Write("huge.bmp", bmp)), EInvalidGraphic);
    PutLe(bmp, 22, static_cast<std::uint32_t>(-60000), 4);
    EXPECT_THROW(LoadPictureFile(Write("hugedown.bmp", bmp)), EInvalidGraphic);
}

TEST_F(PictureLoader, RefusesABitmapCutShort) {
    const Bytes bmp = BitmapBytes(TwoBandPixels(64, 64, 0xFF0000, 0x00FF00), 64, 64);
    EXPECT_THROW(LoadPictureFile(Write("cut.bmp", Bytes(bmp.begin(), bmp.end() - 1))), EInvalidGraphic);
    EXPECT_THROW(LoadPictureFile(Write("half.bmp", Bytes(bmp.begin(), bmp.begin() + bmp.size() / 2))),
                 EInvalidGraphic);
    EXPECT_THROW(LoadPictureFile(Write("head.bmp", Bytes(bmp.begin(), bmp.begin() + 30))), EInvalidGraphic);
    EXPECT_THROW(LoadPictureFile(Write("magic.bmp", Bytes(bmp.begin(), bmp.begin() + 2))), EInvalidGraphic);
    EXPECT_NO_THROW(LoadPictureFile(Write("whole.bmp", bmp)));
}

TEST_F(PictureLoader, StoredBytesAreReadAsJpegOnly) {
    const Bytes jpeg = PageJpeg(200, 100);
    EXPECT_EQ(LoadPictureBytes(jpeg)->Bytes(), jpeg);
    EXPECT_THROW(LoadPictureBytes(BitmapBytes(TwoBandPixels(8, 8, 0, 0), 8, 8)), EInvalidGraphic);
    EXPECT_THROW(LoadPictureBytes(Bytes(jpeg.begin(), jpeg.begin() + 10)), EInvalidGraphic);
    Bytes damaged = jpeg;
    damaged[SofSizeOffset(jpeg) - 2] = 0; // the frame header's length
    EXPECT_THROW(LoadPictureBytes(damaged), EInvalidGraphic);
}

} // namespace
