// The page layout of printed pictures and the print job around them, on a recording printer.
#include "printing/PicturePages.h"
#include "RecordingPrinter.h"

#include <gmock/gmock.h>

namespace {

using namespace tkv;
using ::testing::ElementsAre;
using tkv::test::TRecordingPrinter;

class TFakePicture : public TGraphic {
public:
    TFakePicture(int width, int height) : width_(width), height_(height) {}
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    const TPixelBuffer& Thumbnail(int, int) const override { return none_; }
    TPixelBuffer Decode() const override { return TPixelBuffer(width_, height_); }

private:
    int width_, height_;
    TPixelBuffer none_;
};

TEST(PicturePages, HeaderNumbersAreRightAlignedInThreePlaces) {
    EXPECT_EQ(PictureHeader(1, 3), "第   1 张/共   3 张");
    EXPECT_EQ(PictureHeader(12, 100), "第  12 张/共 100 张");
    EXPECT_EQ(PictureHeader(1234, 1234), "第 1234 张/共 1234 张"); // wider numbers are not cut
}

TEST(PicturePages, HeaderAtTheMarginAndThePictureFillingTheRest) {
    const TPicturePageLayout page = LayOutPicturePage(2480, 3508, {300, 50});
    EXPECT_EQ(TRecordingPrinter::RectText(page.Header), "20,20,320,70");
    EXPECT_EQ(TRecordingPrinter::RectText(page.Picture), "20,75,2460,3488");
}

TEST(PicturePages, EveryPictureOnItsOwnPageHeadedByItsNumber) {
    TRecordingPrinter printer(1000, 1400);
    const TFakePicture a(300, 200), b(40, 4000), c(5000, 10);
    const TGraphic* pictures[] = {&a, &b, &c};
    PrintPicturePages(printer, 3, [&](int i) -> const TGraphic& { return *pictures[i]; });
    const std::string font = "SetFont 宋体 12 0";
    // The header is 23 bytes: 230 x 40 on this printer; the picture starts 5 below it.
    EXPECT_THAT(printer.Calls,
                ElementsAre("BeginDoc", font, "Brush clear", "DrawText 第   1 张/共   3 张 @20,20,250,60",
                            "StretchDraw 300x200 @20,65,980,1380", "NewPage", font, "Brush clear",
                            "DrawText 第   2 张/共   3 张 @20,20,250,60",
                            "StretchDraw 40x4000 @20,65,980,1380", "NewPage", font, "Brush clear",
                            "DrawText 第   3 张/共   3 张 @20,20,250,60",
                            "StretchDraw 5000x10 @20,65,980,1380", "EndDoc"));
}

TEST(PicturePages, AFailingPageEndsTheJobAndItsFailureReachesTheCaller) {
    TRecordingPrinter printer;
    printer.FailStep = "StretchDraw";
    printer.FailAt = 2;
    const TFakePicture a(10, 10);
    try {
        PrintPicturePages(printer, 3, [&](int) -> const TGraphic& { return a; });
        ADD_FAILURE() << "no failure";
    } catch (const EPrinter& e) {
        EXPECT_STREQ(e.what(), "paper jam");
    }
    EXPECT_EQ(printer.Calls.back(), "EndDoc");
    EXPECT_EQ(printer.EndedJobs, 1);
}

TEST(PicturePages, NoPicturesNoJob) {
    TRecordingPrinter printer;
    PrintPicturePages(printer, 0, [](int) -> const TGraphic& { throw std::logic_error("no picture"); });
    EXPECT_TRUE(printer.Calls.empty());
}

} // namespace
