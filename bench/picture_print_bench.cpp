// Printing 100 scanned invoice pages to PDF, one picture per page with its header, against one full
// decode of each picture (what a printer that takes pixels must do at the least), alternating round
// by round.
//
// Goal: the time per printed page at most 1.5 x the time of one full decode of its picture (median
// of the rounds).
#include "printing/PicturePages.h"
#include "printing/pdf/PdfPrinter.h"
#include "sim/SimJpeg.h"
#include "toolkit/JPEGImage.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <unistd.h>
#include <vector>

namespace {

using namespace tkv;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kPictures = 100;
constexpr int kRounds = 5;
constexpr double kBound = 1.5;

// An A4 page scanned at 150 dpi, with grain.
std::vector<std::uint8_t> ScannedPage(std::uint32_t seed) {
    constexpr int width = 1240, height = 1754;
    std::vector<std::uint8_t> rgb = sim::InvoicePagePixels(width, height, seed);
    std::mt19937 engine(seed);
    for (auto& c : rgb)
        c = static_cast<std::uint8_t>(
            std::clamp(static_cast<int>(c) - 20 + static_cast<int>(engine() % 40), 0, 255));
    return sim::EncodeJpeg(rgb, width, height);
}

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main() {
    const fs::path folder = fs::temp_directory_path() / ("tkv-print-bench-" + std::to_string(::getpid()));
    std::printf("making %d scanned pages...\n", kPictures);
    std::vector<TJPEGImage> pictures;
    double bytes = 0;
    for (int i = 0; i < kPictures; ++i) {
        pictures.emplace_back(ScannedPage(static_cast<std::uint32_t>(i + 1)));
        bytes += static_cast<double>(pictures.back().Bytes().size());
    }
    std::printf("pictures: %d of %d x %d, %.2f MB each on average\n", kPictures, pictures[0].Width(),
                pictures[0].Height(), bytes / kPictures / 1e6);

    std::vector<double> ratios, pageTimes, decodeTimes;
    for (int round = 0; round < kRounds; ++round) {
        const auto d0 = Clock::now();
        std::size_t check = 0;
        for (const TJPEGImage& p : pictures)
            check += p.Decode().Rgb().size();
        const double decode = Seconds(Clock::now() - d0) / kPictures;

        TPdfPrinter printer(folder, "bench", {210, 297, 300});
        const auto p0 = Clock::now();
        PrintPicturePages(printer, kPictures, [&](int i) -> const TGraphic& { return pictures[i]; });
        const double page = Seconds(Clock::now() - p0) / kPictures;
        const auto size = fs::file_size(printer.Jobs().at(0));
        fs::remove_all(folder);

        decodeTimes.push_back(decode);
        pageTimes.push_back(page);
        ratios.push_back(page / decode);
        std::printf("round %d: decode %.2f ms, page %.2f ms, ratio %.3f (PDF %.1f MB, %zu pixel bytes)\n",
                    round + 1, decode * 1e3, page * 1e3, page / decode, static_cast<double>(size) / 1e6,
                    check);
    }
    const auto [minRatio, maxRatio] = std::minmax_element(ratios.begin(), ratios.end());
    const double ratio = Median(ratios);
    std::printf("per page: median %.2f ms; one full decode: median %.2f ms\n", Median(pageTimes) * 1e3,
                Median(decodeTimes) * 1e3);
    std::printf("goal print_page_time: %.3f x one decode (range %.3f to %.3f, bound %.1f) %s\n", ratio,
                *minRatio, *maxRatio, kBound, ratio <= kBound ? "met" : "missed");
    return 0;
}
