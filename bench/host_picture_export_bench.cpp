// Exporting one supplier's pictures as an archive (ExportOneBrecImage: temporary files, archive,
// deletion) against Info-ZIP `zip -q -6` archiving the same files, alternating round by round, and
// the extra memory an export needs for 50 and for 200 pictures. The pictures are JPEG files of
// about 1 MB of grainy scanned pages, whose coded data hardly compresses.
//
// Goals: export time at most 0.6 x the zip time (median of the rounds); the peak heap an export
// adds to the pictures already in memory independent of the pictures' data: going from 50 to 200
// pictures may add no more than the archive's directory record of each entry (its name, source and
// list entry, bound 2 KB a picture), whatever the pictures' size. Every heap block (operator new,
// libzip's and zlib's malloc) is counted to find the peak.
#include "comm/ModuleState.h"
#include "host/HostSession.h"
#include "plugin/Exports.h"
#include "printing/PictureCollection.h"
#include "printing/PictureExport.h"
#include "sim/SimJpeg.h"
#include "support/HeapCounter.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace tkv;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kPictures = 200;
constexpr int kSmallExport = 50;
constexpr int kRounds = 5;
constexpr double kTimeBound = 0.6;
constexpr double kRecordBound = 2 * 1024;

// A scanned page: paper with print-like blocks and grain, about 1 MB as JPEG of quality 90.
std::vector<std::uint8_t> ScannedPage(std::uint32_t seed) {
    constexpr int width = 1800, height = 1250;
    std::vector<std::uint8_t> rgb = sim::InvoicePagePixels(width, height, seed);
    std::mt19937 engine(seed);
    for (auto& c : rgb)
        c = static_cast<std::uint8_t>(
            std::clamp(static_cast<int>(c) - 40 + static_cast<int>(engine() % 80), 0, 255));
    return sim::EncodeJpeg(rgb, width, height);
}

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

int Run() {
    const fs::path root = fs::temp_directory_path() / ("tkv-export-bench-" + std::to_string(::getpid()));
    fs::create_directories(root / "zipsource");
    host::THostSession session({root / "data", root / "out"});
    TModuleScope module;
    ComPtr<IRetailPlugin> plug = CreateRetailPlug();
    plug->InitPlugin(session.Main());

    std::printf("making %d scanned pages...\n", kPictures);
    TPictFileList all, small;
    double total = 0;
    for (int i = 0; i < kPictures; ++i) {
        auto picture = std::make_shared<TJPEGImage>(ScannedPage(static_cast<std::uint32_t>(i + 1)));
        total += static_cast<double>(picture->Bytes().size());
        SavePictureFile(*picture, (root / "zipsource" / (std::to_string(i + 1) + ".jpg")).string());
        if (i < kSmallExport)
            small.Add(std::to_string(i + 1), picture);
        all.Add(std::to_string(i + 1), std::move(picture));
    }
    std::printf("pictures: %d, %.2f MB each on average\n", kPictures, total / kPictures / 1e6);

    const std::string zipCommand =
        "cd '" + (root / "zipsource").string() + "' && zip -q -6 ../zip6.zip *.jpg";
    std::vector<double> ratios, exportTimes, zipTimes;
    for (int round = 0; round < kRounds; ++round) {
        fs::remove(root / "zip6.zip");
        const auto z0 = Clock::now();
        if (std::system(zipCommand.c_str()) != 0) {
            std::fprintf(stderr, "zip failed (is Info-ZIP zip installed?)\n");
            return 1;
        }
        const double zipTime = Seconds(Clock::now() - z0);
        const fs::path folder = root / ("export-" + std::to_string(round));
        fs::create_directories(folder);
        const auto e0 = Clock::now();
        const bool written = ExportOneBrecImage(1, all, folder.string());
        const double exportTime = Seconds(Clock::now() - e0);
        if (!written) {
            std::fprintf(stderr, "the export failed\n");
            return 1;
        }
        fs::remove_all(folder);
        zipTimes.push_back(zipTime);
        exportTimes.push_back(exportTime);
        ratios.push_back(exportTime / zipTime);
        std::printf("round %d: zip -6 %.3f s, export %.3f s, ratio %.3f\n", round + 1, zipTime, exportTime,
                    exportTime / zipTime);
    }

    // The memory an export adds to the pictures held, for 50 and for 200 pictures.
    const auto extraPeak = [&](const TPictFileList& pictures) {
        const fs::path folder = root / "memory";
        fs::create_directories(folder);
        const std::size_t before = bench::RestartHeapPeak();
        ExportOneBrecImage(1, pictures, folder.string());
        const double peak = static_cast<double>(bench::HeapPeak() - before);
        fs::remove_all(folder);
        return peak;
    };
    extraPeak(small); // the first export loads what stays loaded (libraries, the host's statements)
    const double smallPeak = extraPeak(small), allPeak = extraPeak(all);
    fs::remove_all(root);

    const auto [minRatio, maxRatio] = std::minmax_element(ratios.begin(), ratios.end());
    const double ratio = Median(ratios);
    std::printf("export of %d pictures: median %.3f s, zip -q -6: median %.3f s\n", kPictures,
                Median(exportTimes), Median(zipTimes));
    std::printf("extra peak heap: %.1f KB for %d pictures, %.1f KB for %d\n", smallPeak / 1e3, kSmallExport,
                allPeak / 1e3, kPictures);
    std::printf("goal export_time: %.3f x zip -6 (range %.3f to %.3f, bound %.1f) %s\n", ratio, *minRatio,
                *maxRatio, kTimeBound, ratio <= kTimeBound ? "met" : "missed");
    const double perPicture = (allPeak - smallPeak) / (kPictures - kSmallExport);
    std::printf(
        "goal export_memory: %.2f KB more a picture from %d to %d pictures of %.2f MB (bound %.0f KB, no "
        "picture data) %s\n",
        perPicture / 1024, kSmallExport, kPictures, total / kPictures / 1e6, kRecordBound / 1024,
        perPicture <= kRecordBound ? "met" : "missed");
    return 0;
}

} // namespace

int main() {
    try {
        return Run();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "host_picture_export_bench: %s\n", e.what());
        return 1;
    }
}
