// The invoice print window shown for real (its controls are its model, a PNG of it is saved), and
// picture pages drawn by the GDI printer: each page goes into a memory bitmap instead of a printer,
// is checked for its header and its stretched picture, and is saved as a PNG.
#include "ModelCompare.h"
#include "NativeWindows.h"
#include "Screenshot.h"
#include "UiCheck.h"
#include "UiSteps.h"
#include "comm/ModuleState.h"
#include "printing/FpImagePrintFrm.h"
#include "printing/PicturePages.h"
#include "ui/win32/GdiPrinter.h"

#undef MessageBox
#include "toolkit/FakeHost.h"

#include <vector>

namespace uitest {

using namespace tkv;

std::string ArtifactPath(const std::string& name);

namespace {

// A picture of one colour.
class TSolidPicture : public TGraphic {
public:
    TSolidPicture(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b)
        : pixels_(width, height) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                pixels_.Row(y)[3 * x] = r;
                pixels_.Row(y)[3 * x + 1] = g;
                pixels_.Row(y)[3 * x + 2] = b;
            }
    }
    int Width() const override { return pixels_.Width(); }
    int Height() const override { return pixels_.Height(); }
    const TPixelBuffer& Thumbnail(int, int) const override { return pixels_; }
    TPixelBuffer Decode() const override { return pixels_; }

private:
    TPixelBuffer pixels_;
};

// A picture whose pixels cannot be had, as a damaged one: drawing it raises.
class TBrokenPicture : public TGraphic {
public:
    int Width() const override { return 40; }
    int Height() const override { return 30; }
    const TPixelBuffer& Thumbnail(int, int) const override { throw EInvalidGraphic("damaged"); }
    TPixelBuffer Decode() const override { throw EInvalidGraphic("damaged"); }
};

// The GDI printer on a white memory bitmap of A4 at 100 dots per inch; every page is saved as
// stem-k.png when the next begins or the job ends.
class TBitmapPagePrinter : public win32ui::TGdiPrinter {
public:
    static constexpr int kWidth = 827, kHeight = 1169;

    explicit TBitmapPagePrinter(std::string stem) : TBitmapPagePrinter(CreateCompatibleDC(nullptr), stem) {}
    ~TBitmapPagePrinter() override {
        SelectObject(Dc(), old_);
        DeleteObject(bitmap_);
    }

    void BeginDoc() override { Clear(); }
    void NewPage() override {
        Save();
        Clear();
    }
    void EndDoc() override { Save(); }

    COLORREF Pixel(int x, int y) const { return GetPixel(Dc(), x, y); }
    const std::vector<std::string>& Saved() const { return saved_; }
    // Whether some pixel of the rectangle is not white.
    bool Inked(const RECT& box) const {
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x)
                if ((GetPixel(Dc(), x, y) & 0xFFFFFF) != 0xFFFFFF)
                    return true;
        return false;
    }
    std::function<void(TBitmapPagePrinter&)> OnPage;

private:
    TBitmapPagePrinter(HDC dc, const std::string& stem)
        : TGdiPrinter(dc, true, "pages", SIZE{kWidth, kHeight}), stem_(stem) {
        HDC screen = GetDC(nullptr);
        bitmap_ = CreateCompatibleBitmap(screen, kWidth, kHeight);
        ReleaseDC(nullptr, screen);
        old_ = SelectObject(dc, bitmap_);
    }
    void Clear() {
        RECT all{0, 0, kWidth, kHeight};
        FillRect(Dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    void Save() {
        if (OnPage)
            OnPage(*this);
        const std::string path = ArtifactPath(stem_ + "-" + std::to_string(saved_.size() + 1) + ".png");
        CHECK(SaveDcPng(Dc(), kWidth, kHeight, path));
        saved_.push_back(path);
    }

    std::string stem_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    std::vector<std::string> saved_;
};

} // namespace

UI_TEST("the print window TFpImagePrintFrm is its model") {
    TModuleScope module;
    ComPtr<test::FakeHost> host(new test::FakeHost);
    ComPtr<test::FakeExistForm> exist(new test::FakeExistForm);
    ModuleState().VNMainintf = host;
    ModuleState().VNExistForm = exist;
    TFpImagePrintFrm form;
    TUiSteps steps;
    HWND w = nullptr;
    steps.WaitFor("the window",
                  [&] { return (w = FindTopLevel("厂家品种发票图片打印", L"TkvForm")) != nullptr; });
    steps.Do("compare and capture", [&] {
        CHECK(CompareWithModel(form, w) >= 15);
        CHECK(RectIn(w, FindControl(w, "btn_Print")).right <= RectIn(w, FindControl(w, "btn_Exit")).left);
        CHECK(SaveWindowPng(w, ArtifactPath("TFpImagePrintFrm.png")));
        PostMessageW(w, WM_CLOSE, 0, 0);
    });
    steps.Run([&] { form.ShowModal(); });
}

UI_TEST("GDI picture pages: the header at the margin and the picture stretched below it") {
    TBitmapPagePrinter printer("gdi-page");
    const TSolidPicture red(40, 30, 255, 0, 0), blue(30, 60, 0, 0, 255);
    const TGraphic* pictures[] = {&red, &blue, &red};
    std::vector<COLORREF> centres;
    std::vector<bool> headers;
    printer.OnPage = [&](TBitmapPagePrinter& p) {
        const int w = TBitmapPagePrinter::kWidth, h = TBitmapPagePrinter::kHeight;
        centres.push_back(p.Pixel(w / 2, h / 2) & 0xFFFFFF);
        // The header's text lies right of the margin and above the picture; the margins stay white.
        headers.push_back(p.Inked(RECT{kPictureMargin, kPictureMargin, w / 3, kPictureMargin + 20}));
        CHECK(!p.Inked(RECT{0, 0, w, kPictureMargin - 2}));
        CHECK(!p.Inked(RECT{0, h - kPictureMargin + 2, w, h}));
    };
    PrintPicturePages(printer, 3, [&](int i) -> const TGraphic& { return *pictures[i]; });
    CHECK_EQ(printer.Saved().size(), std::size_t{3});
    CHECK_EQ(centres.size(), std::size_t{3});
    CHECK_EQ(centres[0], COLORREF(RGB(255, 0, 0)));
    CHECK_EQ(centres[1], COLORREF(RGB(0, 0, 255)));
    CHECK_EQ(centres[2], COLORREF(RGB(255, 0, 0)));
    for (bool inked : headers)
        CHECK(inked);
    // The header is measured in the device's own font: 12 points at 100 dots per inch.
    printer.SetFont(PictureHeaderFont());
    const TTextSize size = printer.TextExtent(PictureHeader(1, 3));
    CHECK(size.Height >= 12 && size.Height <= 25);
    CHECK(size.Width > size.Height * 4);
}

UI_TEST("GDI picture pages: a page that fails ends the job with the pages drawn and reaches the caller") {
    TBitmapPagePrinter printer("gdi-failed");
    const TSolidPicture red(40, 30, 255, 0, 0);
    const TBrokenPicture broken;
    const TGraphic* pictures[] = {&red, &broken, &red};
    bool raised = false;
    try {
        PrintPicturePages(printer, 3, [&](int i) -> const TGraphic& { return *pictures[i]; });
    } catch (const EInvalidGraphic&) {
        raised = true;
    }
    CHECK(raised);
    // The first page, and the second as far as it was drawn, ended with the job.
    CHECK_EQ(printer.Saved().size(), std::size_t{2});
}

} // namespace uitest
