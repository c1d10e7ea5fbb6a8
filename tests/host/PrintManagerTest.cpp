// The print manager: pages for the rows, the title from the template name, and a clear error
// when the output cannot be written.
#include "host/PrintManager.h"

#include "db/TempFolder.h"
#include "host/db/HostDatabase.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

using tkv::host::TPrintManager;
using tkv::host::TReportTable;

// Page objects of a PDF file ("/Type /Page", not "/Type /Pages").
int PdfPageCount(const std::filesystem::path& file) {
    std::ifstream f(file, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    const std::string pdf = ss.str();
    int n = 0;
    for (std::size_t pos = pdf.find("/Type /Page"); pos != std::string::npos;
         pos = pdf.find("/Type /Page", pos + 1))
        if (pos + 11 >= pdf.size() || pdf[pos + 11] != 's')
            ++n;
    return n;
}

TReportTable Table(int rows) {
    TReportTable t;
    t.Columns = {"单据编号", "供应商", "金额"};
    for (int i = 0; i < rows; ++i)
        t.Rows.push_back({"JH-" + std::to_string(i), "重庆医药股份有限公司", std::to_string(i * 10)});
    return t;
}

TEST(PrintManager, PagesFollowTheRowCount) {
    tkv::host::testing::TempFolder tmp;
    TPrintManager pm(tmp.Path() / "out");
    const int per = TPrintManager::RowsPerPage(3);
    ASSERT_GT(per, 10);
    EXPECT_EQ(PdfPageCount(pm.Print("a.rpt", Table(0))), 1);
    EXPECT_EQ(PdfPageCount(pm.Print("a.rpt", Table(per))), 1);
    EXPECT_EQ(PdfPageCount(pm.Print("a.rpt", Table(per + 1))), 2);
    EXPECT_EQ(PdfPageCount(pm.Print("a.rpt", Table(2 * per + 1))), 3);
    EXPECT_EQ(pm.Printed().size(), 4u);
}

TEST(PrintManager, FilesAreNamedAfterTheTitleAndRecorded) {
    tkv::host::testing::TempFolder tmp;
    TPrintManager pm(tmp.Path());
    const auto first = pm.Print("C:\\报表\\发票图片打印.rpt", Table(3));
    const auto second = pm.Print("发票图片打印.rpt", Table(3));
    EXPECT_EQ(first.filename().string(), "print-001-发票图片打印.pdf");
    EXPECT_EQ(second.filename().string(), "print-002-发票图片打印.pdf");
    ASSERT_EQ(pm.Printed().size(), 2u);
    EXPECT_EQ(pm.Printed()[0], first);
    EXPECT_TRUE(std::filesystem::exists(second));
}

TEST(PrintManager, WideTablesGoOnLandscapePagesWithFewerRows) {
    tkv::host::testing::TempFolder tmp;
    TPrintManager pm(tmp.Path());
    TReportTable wide;
    for (int c = 0; c < 12; ++c)
        wide.Columns.push_back("列" + std::to_string(c));
    const int per = TPrintManager::RowsPerPage(12);
    EXPECT_LT(per, TPrintManager::RowsPerPage(8));
    wide.Rows.assign(static_cast<std::size_t>(per + 1), std::vector<std::string>(12, "x"));
    const auto file = pm.Print("wide.rpt", wide);
    EXPECT_EQ(PdfPageCount(file), 2);
    std::ifstream f(file, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    EXPECT_NE(ss.str().find("/MediaBox [ 0 0 842 595 ]"), std::string::npos);
}

TEST(PrintManager, ALaterRunKeepsTheEarlierReports) {
    tkv::host::testing::TempFolder tmp;
    const auto first = TPrintManager(tmp.Path()).Print("a.rpt", Table(1));
    const auto second = TPrintManager(tmp.Path()).Print("a.rpt", Table(2));
    EXPECT_EQ(first.filename().string(), "print-001-a.pdf");
    EXPECT_EQ(second.filename().string(), "print-002-a.pdf");
    EXPECT_TRUE(std::filesystem::exists(first));
}

TEST(PrintManager, WideTextsTakeASmallerTextSizeDownToSixPoints) {
    TReportTable narrow{{"编号", "名称"}, {{"1", "阿莫西林胶囊"}}};
    EXPECT_EQ(TPrintManager::TextSizeFor(narrow), 9.0);

    TReportTable wide;
    for (int c = 0; c < 14; ++c)
        wide.Columns.push_back("列" + std::to_string(c));
    wide.Rows.push_back(std::vector<std::string>(14, "重庆康源药业有限公司"));
    const double size = TPrintManager::TextSizeFor(wide);
    EXPECT_LT(size, 9.0);
    EXPECT_GE(size, 6.0);

    TReportTable huge = wide;
    for (int c = 14; c < 60; ++c) {
        huge.Columns.push_back("列" + std::to_string(c));
        huge.Rows[0].push_back("重庆康源药业有限公司");
    }
    EXPECT_EQ(TPrintManager::TextSizeFor(huge), 6.0);
}

TEST(PrintManager, TitleOfTemplateName) {
    EXPECT_EQ(TPrintManager::TitleOf("reports/发票.rpt"), "发票");
    EXPECT_EQ(TPrintManager::TitleOf("a\\b\\c"), "c");
    EXPECT_EQ(TPrintManager::TitleOf(""), "报表");
    EXPECT_EQ(TPrintManager::TitleOf(".rpt"), ".rpt");
}

TEST(PrintManager, TitleWithSeparatorsStaysInTheOutputFolder) {
    tkv::host::testing::TempFolder tmp;
    TPrintManager pm(tmp.Path() / "out");
    const auto file = pm.Print("a:b*c.rpt", Table(1));
    EXPECT_EQ(file.parent_path(), tmp.Path() / "out");
}

TEST(PrintManager, UnwritableFolderIsAHostError) {
    tkv::host::testing::TempFolder tmp;
    std::ofstream(tmp.Path() / "file") << "x";
    TPrintManager pm(tmp.Path() / "file");
    EXPECT_THROW(pm.Print("a.rpt", Table(1)), tkv::host::HostError);
    EXPECT_TRUE(pm.Printed().empty());
}

} // namespace
