// Opening an invoice of 20 A4 pages scanned at 300 dpi (2480 x 3508, generated) in the picture strip
// of the editing windows, against decoding the same pictures at full size with libjpeg alone. The
// pictures come through the strip's invoice-picture operation from a fake picture store; both strips
// are refreshed and drawn by a stand-in renderer (each shown slot's thumbnail stretched to the slot),
// then each strip is scrolled through every position.
// Goals: the open at most 0.5x the 20 full decodes; one scroll redraw, once every thumbnail has been
// shown, at most 1% of one full decode; peak heap during the open at most 1.5x the encoded pictures
// plus the thumbnails it made. Every heap byte (malloc, so libjpeg's as well) is counted for the peak.
#include "association/FpImageStrip.h"
#include "comm/ModuleState.h"
#include "sim/SimJpeg.h"
#include "support/HeapCounter.h"
#include "toolkit/FakeHost.h"

#include <jpeglib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

// Every allocation of the process passes through these, so that libjpeg's buffers are counted too.
namespace {

using namespace tkv;
using Clock = std::chrono::steady_clock;
using Bytes = std::vector<std::uint8_t>;

constexpr int kPictures = 20, kChosen = 5, kRounds = 5, kScrollPasses = 20;
constexpr int kWidth = 2480, kHeight = 3508;

double Seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// One picture at full size in RGB with libjpeg alone.
std::size_t BareFullDecode(const Bytes& jpeg) {
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, jpeg.data(), jpeg.size());
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    const std::size_t rowBytes = static_cast<std::size_t>(cinfo.output_width) * 3;
    Bytes pixels(rowBytes * cinfo.output_height);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = &pixels[rowBytes * cinfo.output_scanline];
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return pixels.size();
}

// The stand-in renderer: the occupied slots' thumbnails (slots first to last) stretched, nearest
// pixel, into the slot.
void Render(TFpImageStrip& strip, Bytes& canvas, int first = 1, int last = 8) {
    constexpr int w = TFpImageStrip::kSlotWidth, h = TFpImageStrip::kSlotHeight;
    canvas.resize(static_cast<std::size_t>(w) * h * 3);
    for (int k = first; k <= last; ++k) {
        const auto& picture = strip.GetindexImageControl(k)->Picture();
        if (!picture)
            continue;
        const TPixelBuffer& t = picture->Thumbnail(w, h);
        // As a stretching blit does: the source column of each slot column worked out once, and rows
        // of the slot's own width copied whole.
        std::vector<std::size_t> column(w);
        for (int x = 0; x < w; ++x)
            column[x] = static_cast<std::size_t>(x * t.Width() / w) * 3;
        for (int y = 0; y < h; ++y) {
            const std::uint8_t* src = t.Row(y * t.Height() / h);
            std::uint8_t* dst = &canvas[static_cast<std::size_t>(y) * w * 3];
            if (t.Width() == w) {
                std::memcpy(dst, src, static_cast<std::size_t>(w) * 3);
                continue;
            }
            for (int x = 0; x < w; ++x) {
                dst[x * 3] = src[column[x]];
                dst[x * 3 + 1] = src[column[x] + 1];
                dst[x * 3 + 2] = src[column[x] + 2];
            }
        }
    }
}

// Moves the bar through every position from 0 up and paints the strip's slots; answers the time of
// each redraw (each move is a change of position, so each redraws).
std::vector<double> ScrollThrough(TFpImageStrip& strip, TScrollBar& bar, Bytes& canvas) {
    const int firstSlot = &bar == strip.sb_SelImage ? 1 : 5;
    std::vector<double> times;
    if (bar.Max() == 0)
        return times;
    for (int pos = 0; pos <= bar.Max(); ++pos) {
        if (pos == bar.Position())
            continue;
        const auto t = Clock::now();
        bar.SetPosition(pos);
        Render(strip, canvas, firstSlot, firstSlot + TFpImageStrip::kSlotsPerStrip - 1);
        times.push_back(Seconds(t));
    }
    return times;
}

struct Round {
    double fullDecodes = 0, open = 0, scrollRedraw = 0;
    std::size_t openPeak = 0, encoded = 0, openThumbnails = 0, allThumbnails = 0;
};

Round RunRound(const std::vector<Bytes>& pictures, TClientDataSet& rows) {
    Round r;
    std::size_t sink = 0;
    auto t = Clock::now();
    for (const Bytes& p : pictures)
        sink += BareFullDecode(p);
    r.fullDecodes = Seconds(t);

    TForm form;
    TFpImageStrip strip(
        form, nullptr, 159, 364, [] { return true; }, false);
    Bytes canvas;
    Render(strip, canvas);
    const std::size_t before = bench::RestartHeapPeak();
    t = Clock::now();
    int i = 0;
    for (rows.First(); !rows.Eof(); rows.Next())
        strip.AddInvoiceImage(rows, i++ < kChosen);
    strip.RefreshSelImageMax();
    strip.RefreshOtherImageMax();
    Render(strip, canvas);
    r.open = Seconds(t);
    r.openPeak = bench::HeapPeak() - before;
    for (const auto& record : strip.FImageList) {
        r.encoded += record->Image->Bytes().size();
        if (record->Image->HasThumbnail())
            r.openThumbnails +=
                record->Image->Thumbnail(TFpImageStrip::kSlotWidth, TFpImageStrip::kSlotHeight).Rgb().size();
    }

    // The first pass shows every picture once; the passes after it are the redraws measured.
    ScrollThrough(strip, *strip.sb_SelImage, canvas);
    ScrollThrough(strip, *strip.sb_OtherImage, canvas);
    std::vector<double> redraws;
    for (int pass = 0; pass < kScrollPasses; ++pass)
        for (TScrollBar* bar : {strip.sb_SelImage, strip.sb_OtherImage}) {
            const std::vector<double> times = ScrollThrough(strip, *bar, canvas);
            redraws.insert(redraws.end(), times.begin(), times.end());
        }
    r.scrollRedraw = Median(redraws);
    for (const auto& record : strip.FImageList)
        r.allThumbnails +=
            record->Image->Thumbnail(TFpImageStrip::kSlotWidth, TFpImageStrip::kSlotHeight).Rgb().size();
    if (sink == 0)
        std::printf("nothing decoded\n");
    return r;
}

void Goal(const char* name, double figure, double bound) {
    std::printf("goal %s: %.4f (bound %.4g) %s\n", name, figure, bound, figure <= bound ? "met" : "missed");
}

} // namespace

int main() {
    TModuleScope module;
    ComPtr<test::FakeHost> host(new test::FakeHost);
    ModuleState().VNMainintf = host;

    std::vector<Bytes> pictures;
    TClientDataSet rows;
    rows.AddFieldDef("ImageId", TFieldType::ftInteger);
    rows.AddFieldDef("ord", TFieldType::ftInteger);
    rows.AddFieldDef("imgname", TFieldType::ftString, 60);
    rows.CreateDataSet();
    for (int n = 1; n <= kPictures; ++n) {
        pictures.push_back(sim::InvoicePageJpeg(kWidth, kHeight, static_cast<std::uint32_t>(n)));
        const std::string name = "page" + std::to_string(n) + ".jpg";
        host->images[{n, name}] = OleVariant::ByteArray(pictures.back());
        rows.AppendRecord({OleVariant(100 + n), OleVariant(n), OleVariant(name)});
    }

    std::vector<double> openRatio, scrollRatio, memoryRatio, open, full, redraw;
    Round last;
    for (int round = 0; round < kRounds; ++round) {
        host->calls.clear();
        last = RunRound(pictures, rows);
        open.push_back(last.open);
        full.push_back(last.fullDecodes);
        redraw.push_back(last.scrollRedraw);
        openRatio.push_back(last.open / last.fullDecodes);
        scrollRatio.push_back(last.scrollRedraw / (last.fullDecodes / kPictures));
        memoryRatio.push_back(static_cast<double>(last.openPeak) /
                              static_cast<double>(last.encoded + last.openThumbnails));
    }
    std::printf("%d pictures %dx%d, %.1f MB encoded; thumbnails made by the open %.2f MB, all %.2f MB\n",
                kPictures, kWidth, kHeight, last.encoded / 1e6, last.openThumbnails / 1e6,
                last.allThumbnails / 1e6);
    std::printf("median of %d rounds: 20 full decodes %.1f ms, open %.1f ms, one scroll redraw %.1f us, "
                "open peak heap %.2f MB\n",
                kRounds, Median(full) * 1e3, Median(open) * 1e3, Median(redraw) * 1e6, last.openPeak / 1e6);
    Goal("open_vs_20_full_decodes", Median(openRatio), 0.5);
    Goal("scroll_redraw_vs_one_full_decode", Median(scrollRatio), 0.01);
    Goal("open_peak_heap_vs_encoded_plus_thumbnails", Median(memoryRatio), 1.5);
    return 0;
}
