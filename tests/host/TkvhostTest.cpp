// The tkvhost program end to end: it runs in fresh folders, writes its summary and report there,
// runs again on the same database, and refuses unknown arguments.
#include "db/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

int RunHost(const std::string& args) {
    const int status = std::system((std::string(TKVHOST_PATH) + " " + args + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ReadAll(const fs::path& file) {
    std::ifstream f(file);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

int CountPdfs(const fs::path& dir) {
    int n = 0;
    for (const auto& e : fs::directory_iterator(dir))
        n += e.path().extension() == ".pdf";
    return n;
}

TEST(Tkvhost, WritesItsSummaryAndReportIntoTheOutputFolder) {
    tkv::host::testing::TempFolder tmp;
    const fs::path data = tmp.Path() / "data", out = tmp.Path() / "out";
    const std::string args = "--data '" + data.string() + "' --out '" + out.string() + "'";
    ASSERT_EQ(RunHost(args), 0);
    EXPECT_TRUE(fs::exists(data / "host.db"));
    const std::string summary = ReadAll(out / "tkvhost-summary.txt");
    EXPECT_NE(summary.find("厂家品种发票图片关联管理"), std::string::npos) << summary;
    // The association road: a new link saved, listed, edited and the list printed.
    EXPECT_NE(summary.find("新增关联: 选明细"), std::string::npos) << summary;
    EXPECT_NE(summary.find("可选择图片 2"), std::string::npos) << summary;
    EXPECT_NE(summary.find("已选择图片数: 2"), std::string::npos) << summary;
    EXPECT_NE(summary.find("修改关联: "), std::string::npos) << summary;
    EXPECT_NE(summary.find("TK_JobLink 11"), std::string::npos) << summary;
    EXPECT_NE(summary.find("InitPlugin"), std::string::npos) << summary;
    EXPECT_EQ(CountPdfs(out / "prints"), 1);
    // A second run opens the same database, keeps the first run's report and writes again a picture
    // that went missing from the store.
    fs::path lost;
    for (const auto& e : fs::directory_iterator(data / "pictures"))
        lost = e.path();
    ASSERT_FALSE(lost.empty());
    fs::remove(lost);
    ASSERT_EQ(RunHost(args), 0);
    EXPECT_EQ(CountPdfs(out / "prints"), 2);
    EXPECT_TRUE(fs::exists(lost));
    EXPECT_NE(ReadAll(out / "tkvhost-summary.txt").find("补写缺失图片 1 张"), std::string::npos);
}

TEST(Tkvhost, UnknownArgumentsAreRefused) {
    EXPECT_EQ(RunHost("--bogus"), 2);
    EXPECT_EQ(RunHost("--data"), 2);
    EXPECT_EQ(RunHost("--help"), 0);
}

TEST(Tkvhost, UnusableDataFolderFailsWithAMessage) {
    tkv::host::testing::TempFolder tmp;
    std::ofstream(tmp.Path() / "file") << "x";
    EXPECT_EQ(
        RunHost("--data '" + (tmp.Path() / "file").string() + "' --out '" + tmp.Path().string() + "/o'"), 1);
}

} // namespace
