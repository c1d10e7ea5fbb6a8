// The PDF printer read back with poppler: files per job, page size, header text, the picture where
// it was drawn, embedded JPEG data, copies, and its refusals.
#include "printing/pdf/PdfPrinter.h"
#include "../platform/TempDir.h"
#include "../toolkit/PictureFiles.h"
#include "PdfTools.h"
#include "printing/PicturePages.h"
#include "toolkit/JPEGImage.h"

#include <filesystem>
#include <gmock/gmock.h>

namespace {

using namespace tkv;
using namespace tkv::test;
using ::testing::HasSubstr;
namespace fs = std::filesystem;

constexpr std::uint32_t kRed = 0xFF0000, kBlue = 0x0000FF, kWhite = 0xFFFFFF;

// A picture whose upper half is red and lower half blue.
TJPEGImage RedOverBlue(int width, int height) {
    return TJPEGImage(sim::EncodeJpeg(TwoBandPixels(width, height, kRed, kBlue), width, height));
}

// The same picture as arithmetic-coded JPEG, which PDF readers do not take as it is.
TJPEGImage ArithmeticRedOverBlue(int width, int height) {
    const Bytes rgb = TwoBandPixels(width, height, kRed, kBlue);
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    cinfo.arith_code = TRUE;
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(&rgb[static_cast<std::size_t>(cinfo.next_scanline) * width * 3]);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    Bytes bytes(out, out + size);
    std::free(out);
    return TJPEGImage(std::move(bytes));
}

class PdfPrinterTest : public ::testing::Test {
protected:
    TTempDir dir;
    std::string Scratch() { return dir.File("render"); }
};

TEST_F(PdfPrinterTest, PageSizeInPixelsOfTheChosenResolution) {
    TPdfPrinter a4(dir.Path(), "p");
    EXPECT_EQ(a4.PageWidth(), 2480);
    EXPECT_EQ(a4.PageHeight(), 3508);
    TPdfPrinter a5(dir.Path(), "p", {148, 210, 150});
    EXPECT_EQ(a5.PageWidth(), 874);
    EXPECT_EQ(a5.PageHeight(), 1240);
}

TEST_F(PdfPrinterTest, EveryJobIsAFileOfItsPages) {
    WriteBytes(dir.File("job-1.pdf"), "an earlier run's file");
    TPdfPrinter printer(dir.Path(), "job", {210, 297, 100});
    const TJPEGImage picture = RedOverBlue(64, 48);
    PrintPicturePages(printer, 3, [&](int) -> const TGraphic& { return picture; });
    PrintPicturePages(printer, 1, [&](int) -> const TGraphic& { return picture; });
    ASSERT_EQ(printer.Jobs().size(), 2u);
    EXPECT_EQ(printer.Jobs()[0], fs::path(dir.File("job-2.pdf")));
    EXPECT_EQ(printer.Jobs()[1], fs::path(dir.File("job-3.pdf")));
    EXPECT_EQ(ReadBytes(dir.File("job-1.pdf")), "an earlier run's file");
    EXPECT_EQ(PdfPageCount(dir.File("job-2.pdf")), 3);
    EXPECT_EQ(PdfPageCount(dir.File("job-3.pdf")), 1);
    EXPECT_THAT(PdfInfo(dir.File("job-2.pdf"), "Page size"), HasSubstr("595.276 x 841.89 pts (A4)"));
    EXPECT_EQ(PdfFirstLine(dir.File("job-2.pdf"), 1), "第   1 张/共   3 张");
    EXPECT_EQ(PdfFirstLine(dir.File("job-2.pdf"), 3), "第   3 张/共   3 张");
    // The header starts at the margin: 20 pixels of 100 dpi are 14.4 points.
    const TPdfWord first = PdfWords(dir.File("job-2.pdf"), 2).at(0);
    EXPECT_NEAR(first.XMin, 14.4, 0.5);
    EXPECT_EQ(first.Text, "第");
}

TEST_F(PdfPrinterTest, ThePictureFillsItsRectangleAndTheHeaderTakesItsMeasuredPlace) {
    TPdfPrinter printer(dir.Path(), "geometry", {210, 297, 100});
    const TJPEGImage picture = RedOverBlue(200, 100); // wide picture, squeezed onto a narrow rectangle
    printer.BeginDoc();
    printer.SetFont(PictureHeaderFont());
    printer.SetBrushStyle(TBrushStyle::bsClear);
    const TTextSize header = printer.TextExtent(PictureHeader(1, 1));
    EXPECT_GT(header.Width, 100); // 12 points at 100 dpi: characters of about 17 pixels
    EXPECT_GE(header.Height, 16);
    EXPECT_LE(header.Height, 24);
    printer.DrawText(PictureHeader(1, 1), {20, 20, 20 + header.Width, 20 + header.Height});
    printer.StretchDraw({100, 200, 300, 1000}, picture);
    printer.EndDoc();

    const TPixelBuffer page = RenderPdfPage(printer.Jobs().at(0), 1, 100, Scratch());
    ASSERT_EQ(page.Width(), 827);
    ASSERT_EQ(page.Height(), 1170); // 841.89 points at 100 dpi, rounded up
    EXPECT_TRUE(Near(PixelAt(page, 200, 300), kRed));
    EXPECT_TRUE(Near(PixelAt(page, 105, 450), kRed));
    EXPECT_TRUE(Near(PixelAt(page, 200, 700), kBlue));
    EXPECT_TRUE(Near(PixelAt(page, 295, 990), kBlue));
    EXPECT_TRUE(Near(PixelAt(page, 95, 600), kWhite));
    EXPECT_TRUE(Near(PixelAt(page, 305, 600), kWhite));
    EXPECT_TRUE(Near(PixelAt(page, 200, 195), kWhite));
    EXPECT_TRUE(Near(PixelAt(page, 200, 1005), kWhite));
    // Some dark pixels of the header's text lie inside its rectangle, none right of it.
    int inside = 0, beyond = 0;
    for (int y = 20; y < 20 + header.Height; ++y)
        for (int x = 0; x < page.Width(); ++x)
            if (!Near(PixelAt(page, x, y), kWhite, 100))
                ++(x < 20 + header.Width ? inside : beyond);
    EXPECT_GT(inside, 50);
    EXPECT_EQ(beyond, 0);
}

TEST_F(PdfPrinterTest, StoredJpegDataIsEmbeddedAsItIsOtherJpegAsPixels) {
    TPdfPrinter printer(dir.Path(), "kinds", {210, 297, 100});
    const TJPEGImage baseline = RedOverBlue(120, 80);
    const TJPEGImage arithmetic = ArithmeticRedOverBlue(120, 80);
    printer.BeginDoc();
    printer.StretchDraw({100, 100, 700, 500}, baseline);
    printer.NewPage();
    printer.StretchDraw({100, 100, 700, 500}, arithmetic);
    printer.EndDoc();
    const std::string file = printer.Jobs().at(0).string();
    const std::string images = PdfImages(file);
    EXPECT_THAT(images, ::testing::ContainsRegex("^ +1 +0 +image +120 +80 +rgb +3 +8 +jpeg"));
    EXPECT_THAT(images, ::testing::ContainsRegex("\n +2 +1 +image +120 +80 +rgb +3 +8 +image"));
    for (int pageNo = 1; pageNo <= 2; ++pageNo) {
        const TPixelBuffer page = RenderPdfPage(file, pageNo, 100, Scratch());
        EXPECT_TRUE(Near(PixelAt(page, 400, 150), kRed)) << pageNo;
        EXPECT_TRUE(Near(PixelAt(page, 400, 450), kBlue)) << pageNo;
    }
}

TEST_F(PdfPrinterTest, EveryPageAsOftenAsTheCopiesChosen) {
    TPdfPrinter printer(dir.Path(), "copies", {210, 297, 72}, 2);
    const TJPEGImage picture = RedOverBlue(16, 16);
    PrintPicturePages(printer, 2, [&](int) -> const TGraphic& { return picture; });
    const std::string file = printer.Jobs().at(0).string();
    ASSERT_EQ(PdfPageCount(file), 4);
    EXPECT_EQ(PdfFirstLine(file, 2), "第   1 张/共   2 张");
    EXPECT_EQ(PdfFirstLine(file, 3), "第   2 张/共   2 张");
}

TEST_F(PdfPrinterTest, RefusesPagesOutsideAJobAndAFolderItCannotWrite) {
    TPdfPrinter printer(dir.Path(), "refused");
    EXPECT_THROW(printer.NewPage(), EPrinter);
    EXPECT_THROW(printer.EndDoc(), EPrinter);
    EXPECT_THROW(printer.DrawText("x", {0, 0, 10, 10}), EPrinter);
    printer.BeginDoc();
    EXPECT_THROW(printer.BeginDoc(), EPrinter);
    printer.EndDoc();
    EXPECT_FALSE(printer.Printing());

    WriteBytes(dir.File("plain-file"), "not a folder");
    TPdfPrinter blocked(dir.File("plain-file/sub"), "x");
    EXPECT_THROW(blocked.BeginDoc(), EPrinter);
    EXPECT_FALSE(blocked.Printing());
    EXPECT_TRUE(blocked.Jobs().empty());
}

TEST_F(PdfPrinterTest, TheChineseSystemFacesAreDrawnInTheCjkFont) {
    EXPECT_EQ(TPdfPrinter::FamilyOf("宋体"), "WenQuanYi Zen Hei");
    EXPECT_EQ(TPdfPrinter::FamilyOf("SimSun"), "WenQuanYi Zen Hei");
    EXPECT_EQ(TPdfPrinter::FamilyOf("DejaVu Sans"), "DejaVu Sans");
    TPdfPrinter printer(dir.Path(), "font", {210, 297, 100});
    printer.SetFont(PictureHeaderFont());
    printer.BeginDoc();
    printer.DrawText("发票", {20, 20, 400, 60});
    printer.EndDoc();
    EXPECT_THAT(RunCommand("pdffonts " + Quoted(printer.Jobs().at(0).string())), HasSubstr("WenQuanYi"));
}

} // namespace
