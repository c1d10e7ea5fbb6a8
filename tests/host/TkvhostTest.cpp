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

int CountFiles(const fs::path& dir, const std::string& extension) {
    int n = 0;
    for (const auto& e : fs::directory_iterator(dir))
        n += e.path().extension() == extension;
    return n;
}

int CountPdfs(const fs::path& dir) {
    return CountFiles(dir, ".pdf");
}

// The whole main job, with result sets sent as binary packets (as a framework host sends them) and
// again as XML packets.
class TkvhostRoads : public ::testing::TestWithParam<const char*> {};

TEST_P(TkvhostRoads, WritesItsSummaryAndReportIntoTheOutputFolder) {
    tkv::host::testing::TempFolder tmp;
    const fs::path data = tmp.Path() / "data", out = tmp.Path() / "out";
    // The print window remembers its bill status in the default profile folder.
    setenv("TKV_PROFILE_DIR", (tmp.Path() / "profiles").c_str(), 1);
    const std::string form = GetParam();
    const std::string args = "--data '" + data.string() + "' --out '" + out.string() + "' --packets " + form;
    ASSERT_EQ(RunHost(args), 0);
    EXPECT_TRUE(fs::exists(data / "host.db"));
    const std::string summary = ReadAll(out / "tkvhost-summary.txt");
    EXPECT_NE(summary.find(std::string("结果集数据包: ") + (form == "xml" ? "XML" : "二进制")),
              std::string::npos);
    EXPECT_NE(summary.find("厂家品种发票图片关联管理"), std::string::npos) << summary;
    // The association road: a new link saved, listed, edited and the list printed.
    EXPECT_NE(summary.find("新增关联: 选明细"), std::string::npos) << summary;
    EXPECT_NE(summary.find("扫描发票二维码 01,01,5000262130,31000001,"), std::string::npos) << summary;
    EXPECT_NE(summary.find("可选择图片 2"), std::string::npos) << summary;
    EXPECT_NE(summary.find("提示 图片二维码中的发票号码为31000002,与录入的发票号码31000001不一致"),
              std::string::npos)
        << summary;
    EXPECT_NE(summary.find("已选择图片数: 2"), std::string::npos) << summary;
    EXPECT_NE(summary.find("修改关联: "), std::string::npos) << summary;
    EXPECT_NE(summary.find("TK_JobLink 11"), std::string::npos) << summary;
    EXPECT_NE(summary.find("InitPlugin"), std::string::npos) << summary;
    EXPECT_EQ(CountPdfs(out / "prints"), 1);
    // The print road: pictures printed per supplier, exported per supplier, nothing printed twice.
    EXPECT_NE(summary.find("[8] 发票图片打印"), std::string::npos) << summary;
    EXPECT_NE(summary.find("提示: 打印完成"), std::string::npos) << summary;
    EXPECT_NE(summary.find("提示: 导出图片到[" + (out / "exports").string() + "]成功"), std::string::npos)
        << summary;
    EXPECT_NE(summary.find("今天没有需要再打印的图片,确认后继续"), std::string::npos) << summary;
    EXPECT_NE(summary.find("打印文件: 0 个"), std::string::npos) << summary;
    const int pictureJobs = CountPdfs(out / "picture-prints");
    EXPECT_GE(pictureJobs, 1);
    EXPECT_EQ(CountFiles(out / "exports", ".zip"), pictureJobs);
    EXPECT_TRUE(fs::exists(tmp.Path() / "profiles" / "BillstatusDefault.int"));
    // The till road: settings, card, pre-settlement, settlement, record and reversal.
    EXPECT_TRUE(fs::exists(out / "Plug" / "PlugData" / "cqyb.DAT"));
    EXPECT_TRUE(fs::exists(out / "Plug" / "PlugData" / "cqybPross.log"));
    EXPECT_NE(summary.find("RetailBillIndex BillID="), std::string::npos) << summary;
    EXPECT_NE(summary.find("SettleNo=JS"), std::string::npos) << summary;
    // A save that failed after the settlement: the next step keeps it, the second save records it.
    EXPECT_NE(summary.find("主程序显示: 提示 医保已经结算，结算还没有记入数据库："), std::string::npos)
        << summary;
    EXPECT_NE(summary.find("主程序再次保存零售单"), std::string::npos) << summary;
    EXPECT_NE(summary.find("主程序显示: 提示 取消结算操作成功!"), std::string::npos) << summary;
    EXPECT_NE(summary.find("Deleted=1"), std::string::npos) << summary;
    EXPECT_EQ(summary.find("失败"), std::string::npos) << summary;
    // A second run opens the same database, keeps the first run's report and writes again a picture
    // that went missing from the store.
    fs::path lost;
    for (const auto& e : fs::directory_iterator(data / "pictures"))
        lost = e.path();
    ASSERT_FALSE(lost.empty());
    fs::remove(lost);
    ASSERT_EQ(RunHost(args), 0);
    EXPECT_EQ(CountPdfs(out / "prints"), 2);
    // The second run's print road still finds every picture of its second print printed today.
    EXPECT_NE(ReadAll(out / "tkvhost-summary.txt").find("打印文件: 0 个"), std::string::npos);
    EXPECT_TRUE(fs::exists(lost));
    EXPECT_NE(ReadAll(out / "tkvhost-summary.txt").find("补写缺失图片 1 张"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(PacketForms, TkvhostRoads, ::testing::Values("binary", "xml"));

TEST(Tkvhost, UnknownArgumentsAreRefused) {
    EXPECT_EQ(RunHost("--bogus"), 2);
    EXPECT_EQ(RunHost("--data"), 2);
    EXPECT_EQ(RunHost("--packets json"), 2);
    EXPECT_EQ(RunHost("--help"), 0);
}

TEST(Tkvhost, UnusableDataFolderFailsWithAMessage) {
    tkv::host::testing::TempFolder tmp;
    std::ofstream(tmp.Path() / "file") << "x";
    EXPECT_EQ(
        RunHost("--data '" + (tmp.Path() / "file").string() + "' --out '" + tmp.Path().string() + "/o'"), 1);
}

} // namespace
