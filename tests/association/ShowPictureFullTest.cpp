// The full-screen viewer: its appearance, where the picture is drawn, the hint that the timer hides,
// the keys and the double-click that close it, and the pixels gone once it has closed.
#include "association/ShowPictureFull.h"
#include "StripFixture.h"

#include <gtest/gtest.h>

using namespace tkv;
using namespace tkv::test;

namespace {

std::shared_ptr<TJPEGImage> PictureOfSize(int width, int height) {
    return std::make_shared<TJPEGImage>(
        sim::EncodeJpeg(TwoBandPixels(width, height, 0x808080, 0x202020), width, height));
}

TEST_F(StripTest, ViewerIsABorderlessWindowOverTheWorkArea) {
    TfrmShowPictureFull viewer;
    EXPECT_EQ(viewer.BorderStyle(), TBorderStyle::bsNone);
    EXPECT_EQ(viewer.WindowState(), TWindowState::wsMaximized);
    EXPECT_EQ(viewer.Color(), TColor::clBtnFace);
    EXPECT_EQ(viewer.Image1->Align(), TAlign::alClient);
    EXPECT_EQ(viewer.Label1->Caption(), "按ESC或者双击退出本窗口");
    EXPECT_EQ(viewer.Label1->Left(), 40);
    EXPECT_EQ(viewer.Label1->Top(), 8);
    EXPECT_EQ(viewer.Label1->Font().Name, "宋体");
    EXPECT_EQ(viewer.Label1->Font().Height, 21);
    EXPECT_TRUE(viewer.Label1->Font().Bold());
    EXPECT_TRUE(viewer.Label1->Transparent());
    EXPECT_EQ(viewer.Timer1->Interval(), 2000);
    EXPECT_TRUE(viewer.Timer1->Enabled());
}

TEST_F(StripTest, ViewerCentresAPictureAndShrinksALargeOneKeepingItsProportions) {
    TfrmShowPictureFull viewer;
    viewer.SetClientSize(1000, 700); // the work area as a renderer reports it
    EXPECT_EQ(viewer.Image1->Width(), 1000);
    EXPECT_EQ(viewer.Image1->Height(), 700);
    auto rect = [&](int w, int h) {
        viewer.SetPicture(*PictureOfSize(w, h));
        const TRect r = viewer.Image1->DrawRect();
        return std::vector<int>{r.Left, r.Top, r.Width(), r.Height()};
    };
    EXPECT_EQ(rect(200, 100), (std::vector<int>{400, 300, 200, 100})) << "own size, centred";
    EXPECT_EQ(rect(2000, 700), (std::vector<int>{0, 175, 1000, 350})) << "too wide";
    EXPECT_EQ(rect(500, 1400), (std::vector<int>{375, 0, 250, 700})) << "too high";
    EXPECT_EQ(rect(1200, 840), (std::vector<int>{0, 0, 1000, 700})) << "same proportions as the window";
    EXPECT_EQ(rect(1000, 700), (std::vector<int>{0, 0, 1000, 700}));
}

TEST_F(StripTest, ViewerHintDisappearsOnceAfterTwoSeconds) {
    runner.Expect("TfrmShowPictureFull", [&](TFormDriver& d) {
        auto& hint = d.Get<TLabel>("Label1");
        EXPECT_TRUE(hint.Visible());
        d.FireTimer("Timer1");
        EXPECT_FALSE(hint.Visible());
        EXPECT_FALSE(d.Get<TTimer>("Timer1").Enabled()) << "one shot";
        hint.SetVisible(true);
        d.FireTimer("Timer1");
        EXPECT_TRUE(hint.Visible());
        d.PressKey(VK_RETURN);
        EXPECT_TRUE(d.Closed());
    });
    ShowPictureFull(*PictureOfSize(32, 32));
    EXPECT_EQ(runner.Failures(), std::vector<std::string>{});
}

TEST_F(StripTest, ViewerClosesOnEnterEscSpaceAndDoubleClickOnly) {
    auto picture = PictureOfSize(32, 32);
    for (std::uint16_t key : {VK_RETURN, VK_ESCAPE, VK_SPACE}) {
        runner.Expect("TfrmShowPictureFull", [&](TFormDriver& d) {
            d.PressKey('A');
            d.PressKey(VK_TAB);
            EXPECT_FALSE(d.Closed());
            d.PressKey(key);
            EXPECT_TRUE(d.Closed()) << key;
        });
        ShowPictureFull(*picture);
    }
    runner.Expect("TfrmShowPictureFull", [&](TFormDriver& d) {
        d.DblClick("Image1");
        EXPECT_TRUE(d.Closed());
    });
    ShowPictureFull(*picture);
    EXPECT_EQ(runner.Failures(), std::vector<std::string>{});
}

TEST_F(StripTest, ViewerPixelsAreGoneOnceItHasClosed) {
    auto picture = PictureOfSize(300, 200);
    std::weak_ptr<const TPixelBuffer> shown;
    runner.Expect("TfrmShowPictureFull", [&](TFormDriver& d) {
        shown = d.Get<TPictureView>("Image1").Pixels();
        EXPECT_EQ(shown.lock()->Width(), 300);
    });
    ShowPictureFull(*picture);
    EXPECT_TRUE(shown.expired());
    EXPECT_FALSE(picture->HasThumbnail());
}

} // namespace
