// The insurance gateway log: what one line costs when the log is young (around its 10th line) and
// when it is large (around its 100,000th line), written through AddLog into the plug-in's data
// folder as the gateway writes it. Rounds of a fresh log each; per round the median of the eleven
// lines around each mark, then the median of the rounds' ratios. For scale it also times one
// reload and rewrite of the final log, which is what every line cost before.
#include "comm/InsuranceGateway.h"
#include "comm/ModuleState.h"
#include "comm/StringFunctions.h"
#include "host/PlugFolder.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kLines = 100010;
constexpr int kYoung = 10, kLarge = 100000, kHalfWindow = 5;

const char* const kBlock[] = {
    "2026-03-25 10:30:00",
    "业务代码:04",
    "输入参数:04|20260325000001|LS-20260325-101|2026-03-25 10:30:00|XJ01CAA040E001010100254|SP001|"
    "阿莫西林胶囊|12.5|2|0|0000000001|收银员|盒|0.25g*24粒|胶囊剂||25|P001|P001|00001||||1",
    "接口调用成功:0",
    "业务返回数据:1",
    "-----------------------------------------------"};

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

struct TRound {
    double Young, Large, Rewrite; // microseconds
};

TRound Round(const fs::path& folder) {
    tkv::host::TPlugFolderPlatform platform(folder / "Plug");
    tkv::host::TPlugFolderScope scope(platform);
    tkv::TModuleScope module;
    tkv::ModuleState().ShowLog = true;
    std::vector<double> young, large;
    for (int line = 1; line <= kLines; ++line) {
        const char* text = kBlock[line % std::size(kBlock)];
        const auto start = Clock::now();
        tkv::AddLog(text);
        const double us = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
        if (std::abs(line - kYoung) <= kHalfWindow)
            young.push_back(us);
        else if (std::abs(line - kLarge) <= kHalfWindow)
            large.push_back(us);
    }
    // One reload and rewrite of the whole log, as a string list does it.
    const fs::path log = folder / "Plug" / "PlugData" / "cqybPross.log";
    const auto start = Clock::now();
    std::ifstream in(log, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string text = tkv::JoinLines(tkv::SplitLines(bytes)) + "one more\r\n";
    std::ofstream(log, std::ios::binary | std::ios::trunc) << text;
    const double rewrite = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
    return {Median(young), Median(large), rewrite};
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const fs::path base = fs::temp_directory_path() / ("tkv-log-bench-" + std::to_string(::getpid()));
    std::vector<double> ratios, young, large, rewrite;
    for (int r = 0; r < rounds; ++r) {
        const fs::path folder = base / std::to_string(r);
        fs::create_directories(folder);
        const TRound result = Round(folder);
        std::printf(
            "round %d: line %d %.2f us, line %d %.2f us, ratio %.2f; whole reload and rewrite %.0f us\n",
            r + 1, kYoung, result.Young, kLarge, result.Large, result.Large / result.Young, result.Rewrite);
        ratios.push_back(result.Large / result.Young);
        young.push_back(result.Young);
        large.push_back(result.Large);
        rewrite.push_back(result.Rewrite);
        fs::remove_all(folder);
    }
    fs::remove_all(base);
    const double ratio = Median(ratios);
    std::printf("median: line %d %.2f us, line %d %.2f us; a whole reload and rewrite at that size %.0f us\n",
                kYoung, Median(young), kLarge, Median(large), Median(rewrite));
    std::printf("goal log_line_100000_vs_10: %.2f (bound 2) %s\n", ratio, ratio <= 2 ? "met" : "missed");
    return 0;
}
