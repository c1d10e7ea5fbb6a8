// Exporting the pictures of ticked bills against the reference host: one archive per supplier, opened again
// with libzip and compared with the stored pictures; the export folder's rules and memory; hostile supplier
// names; an unwritable folder and a failing archive.
#include "../platform/TempDir.h"
#include "PrintWindowFixture.h"
#include "robustness/WriteFaults.h"

#include <ctime>
#include <zip.h>

namespace {

using namespace tkv;
using namespace tkv::test;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
namespace fs = std::filesystem;

struct Entry {
    std::string Name;
    std::vector<std::uint8_t> Data;
    std::uint16_t Method;
    time_t Mtime;
};

std::vector<Entry> ReadArchive(const fs::path& file) {
    int error = 0;
    zip_t* za = zip_open(file.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!za)
        throw std::runtime_error("cannot open " + file.string());
    std::vector<Entry> entries;
    for (zip_int64_t i = 0; i < zip_get_num_entries(za, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(za, static_cast<zip_uint64_t>(i), 0, &st);
        Entry e{st.name, std::vector<std::uint8_t>(st.size), st.comp_method, st.mtime};
        zip_file_t* f = zip_fopen_index(za, static_cast<zip_uint64_t>(i), 0);
        EXPECT_EQ(zip_fread(f, e.Data.data(), st.size), static_cast<zip_int64_t>(st.size));
        EXPECT_EQ(zip_fclose(f), 0);
        entries.push_back(std::move(e));
    }
    zip_close(za);
    return entries;
}

std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(folder))
        out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

class PictureExportTest : public PrintWindowFixture {
protected:
    const std::string stamp = "20260325120000"; // the fixture's clock: 25 March 2026, 12:00
    fs::path exp;

    void SetUp() override {
        PrintWindowFixture::SetUp();
        exp = tmp.Path() / "exp" / "发票";
        AddSupplier(11, "乙供应商");
        AddSupplier(12, "甲供应商");
    }

    void ExportBills(std::initializer_list<std::int32_t> billids, const std::string& folder) {
        runner->Expect("TFpImagePrintFrm", [&](TFormDriver& d) {
            d.SetText("edit_Path", folder);
            d.Click("btn_Query");
            Tick(d, billids);
            d.Click("btn_Export");
        });
        TkvPrint("");
    }
    std::string Remembered() {
        return fake.ReadProfileString((PlugFolder() / "TKExportPath.ini").string(), "set", "IEPpath", "");
    }
};

TEST_F(PictureExportTest, EverySupplierGetsItsArchiveNumberedFromOne) {
    AddBill(9001, 11, today - 1);
    AddBill(9002, 12, today);
    const auto b = AddPictures(3, 10), a = AddPictures(2, 20);
    LinkBill(9001, 11, b);
    LinkBill(9002, 12, a);
    const time_t before = std::time(nullptr);
    ExportBills({9001, 9002}, exp.string());
    EXPECT_THAT(HostMessages(), ElementsAre("导出图片到[" + exp.string() + "]成功"));
    EXPECT_THAT(Names(exp), ElementsAre("temp", "乙供应商-" + stamp + ".zip", "甲供应商-" + stamp + ".zip"));
    EXPECT_THAT(Names(exp / "temp"), IsEmpty());

    const auto first = ReadArchive(exp / ("乙供应商-" + stamp + ".zip"));
    ASSERT_EQ(first.size(), 3u);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(first[k].Name, "3-" + std::to_string(k + 1) + ".jpg");
        EXPECT_EQ(first[k].Method, ZIP_CM_DEFLATE);
        EXPECT_EQ(first[k].Data, stored[b[k]]);
        // Dated by the temporary file, written during the export (ZIP times have two-second steps).
        EXPECT_GE(first[k].Mtime, before - 2);
        EXPECT_LE(first[k].Mtime, std::time(nullptr) + 2);
    }
    const auto second = ReadArchive(exp / ("甲供应商-" + stamp + ".zip"));
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(second[0].Name, "2-1.jpg");
    EXPECT_EQ(second[1].Name, "2-2.jpg");
    EXPECT_EQ(second[1].Data, stored[a[1]]);
    EXPECT_EQ(Remembered(), exp.string());
}

// Settings that cannot be saved (a folder in the place of each file) never hold up the work: the
// typed folder, the export and the closing go on, and the user is told once.
TEST_F(PictureExportTest, SettingsThatCannotBeSavedAreToldOnceAndStopNothing) {
    fs::create_directories(PlugFolder() / "TKExportPath.ini");
    fs::create_directories(ProfileFolder() / "BillstatusDefault.int");
    AddBill(9001, 11, today);
    LinkBill(9001, 11, AddPictures(1, 42));
    runner->Expect("TFpImagePrintFrm", [&](TFormDriver& d) {
        d.Type("edit_Path", exp.string());
        d.Click("btn_Query");
        Tick(d, {9001});
        d.Click("btn_Export");
        d.Click("btn_Exit");
    });
    TkvPrint("");
    EXPECT_THAT(HostErrors(), IsEmpty());
    EXPECT_THAT(
        HostMessages(),
        ElementsAre("导出文件夹没有能记住：插件文件夹中的设置文件不能写入。工作照常进行，下次需要重新选择。",
                    "导出图片到[" + exp.string() + "]成功"));
    EXPECT_EQ(ReadArchive(exp / ("乙供应商-" + stamp + ".zip")).size(), 1u);
}

// A stored picture that is no JPEG any more is skipped and named in Chinese; the others export.
TEST_F(PictureExportTest, ADamagedStoredPictureIsSkippedAndNamed) {
    AddBill(9001, 11, today);
    const auto ids = AddPictures(3, 60);
    LinkBill(9001, 11, ids);
    const auto [ord, name] = StoredFile(ids[1]);
    session->Pictures().Restore(ord, name, {'d', 'a', 'm', 'a', 'g', 'e', 'd'});
    ExportBills({9001}, exp.string());
    EXPECT_THAT(HostErrors(), IsEmpty());
    const std::string code = session->Database()
                                 .Select("SELECT billcode FROM BillIndex WHERE billid = 9001")
                                 .Value(0, "billcode")
                                 .AsString();
    EXPECT_THAT(HostMessages(),
                ElementsAre("下列发票图片在图片库中已损坏,不能打印或导出,已经跳过,其余图片照常处理:\r\n" +
                                code + ": " + name + "\r\n请重新扫描这些发票的图片。",
                            "导出图片到[" + exp.string() + "]成功"));
    EXPECT_EQ(ReadArchive(exp / ("乙供应商-" + stamp + ".zip")).size(), 2u);
}

TEST_F(PictureExportTest, AHostileSupplierNameStaysInsideTheExportFolder) {
    AddSupplier(13, "..\\甲/乙:公司");
    AddBill(9001, 13, today);
    LinkBill(9001, 13, AddPictures(1, 30));
    ExportBills({9001}, exp.string());
    EXPECT_THAT(Names(exp), ElementsAre("___甲_乙_公司-" + stamp + ".zip", "temp"));
    EXPECT_THAT(Names(tmp.Path() / "exp"), ElementsAre("发票"));
    EXPECT_EQ(ReadArchive(exp / ("___甲_乙_公司-" + stamp + ".zip")).size(), 1u);
}

TEST_F(PictureExportTest, AnEmptyFolderEditAsksForAFolderAndStopsSilentlyWhenNoneIsChosen) {
    AddBill(9001, 11, today);
    LinkBill(9001, 11, AddPictures(1, 40));
    runner->CancelFolder();
    runner->AnswerFolder(exp.string() + "/");
    runner->Expect("TFpImagePrintFrm", [&](TFormDriver& d) {
        d.Click("btn_Query");
        Tick(d, {9001});
        d.Click("btn_Export");
        EXPECT_THAT(HostMessages(), IsEmpty());
        EXPECT_FALSE(fs::exists(exp));
        d.Click("btn_Export");
        EXPECT_EQ(Form(d).edit_Path->GetPath(),
                  exp.string()); // the browser's separator removed
    });
    TkvPrint("");
    EXPECT_THAT(HostMessages(), ElementsAre("导出图片到[" + exp.string() + "]成功"));
    EXPECT_TRUE(fs::exists(exp / ("乙供应商-" + stamp + ".zip")));
    EXPECT_EQ(Remembered(), exp.string());
}

TEST_F(PictureExportTest, NothingToExportIsToldAndTheFolderIsRememberedAllTheSame) {
    AddBill(9001, 11, today);
    ExportBills({9001}, exp.string());
    EXPECT_THAT(HostMessages(), ElementsAre("没有需要导出的图片,请检查"));
    EXPECT_EQ(Remembered(), exp.string());
    EXPECT_TRUE(fs::is_directory(exp)); // created with its parents before anything else
}

TEST_F(PictureExportTest, AFolderThatCannotBeMadeIsAnInvalidPath) {
    AddBill(9001, 11, today);
    LinkBill(9001, 11, AddPictures(1, 50));
    WriteBytes((tmp.Path() / "plain").string(), "a file, not a folder");
    const std::string bad = (tmp.Path() / "plain" / "exp").string();
    ExportBills({9001}, bad);
    EXPECT_THAT(HostErrors(), ElementsAre("路径无效,请检查"));
    EXPECT_THAT(HostMessages(), IsEmpty());
    // Every non-empty text of the edit was remembered while it was typed; the export wrote nothing.
    EXPECT_EQ(Remembered(), bad);
    EXPECT_EQ(ReadBytes((tmp.Path() / "plain").string()), "a file, not a folder");
}

TEST_F(PictureExportTest, ATemporaryFolderThatCannotBeMadeIsToldForEachSupplier) {
    AddBill(9001, 11, today - 1);
    AddBill(9002, 12, today);
    LinkBill(9001, 11, AddPictures(1, 60));
    LinkBill(9002, 12, AddPictures(1, 70));
    fs::create_directories(exp);
    WriteBytes((exp / "temp").string(), "a file where the temporary folder would go");
    WriteBytes((exp / "earlier.zip").string(), "an earlier export");
    ExportBills({9001, 9002}, exp.string());
    const std::string error = "创建文件夹" + (exp / "temp").string() + "失败";
    EXPECT_THAT(HostErrors(), ElementsAre(error, error));
    EXPECT_THAT(HostMessages(), IsEmpty()); // no success is claimed
    EXPECT_THAT(Names(exp), ElementsAre("earlier.zip", "temp"));
    EXPECT_EQ(ReadBytes((exp / "earlier.zip").string()), "an earlier export");
}

// Two suppliers of one name, and a third whose name becomes theirs once made safe, exported in one
// second: each gets its own archive, the second and third numbered as Windows numbers copies, and
// a file that held the first name before is left alone.
TEST_F(PictureExportTest, SuppliersOfOneNameGetAnArchiveEach) {
    AddSupplier(13, "乙/供应商");
    AddSupplier(14, "乙:供应商");
    session->Database().Exec("UPDATE btype SET fullname = '乙供应商' WHERE rec = 12");
    AddBill(9001, 11, today - 1);
    AddBill(9002, 12, today);
    AddBill(9003, 13, today);
    AddBill(9004, 14, today);
    const auto a = AddPictures(2, 80), b = AddPictures(1, 90), c = AddPictures(1, 95), d = AddPictures(3, 97);
    LinkBill(9001, 11, a);
    LinkBill(9002, 12, b);
    LinkBill(9003, 13, c);
    LinkBill(9004, 14, d);
    fs::create_directories(exp / ("乙_供应商-" + stamp + ".zip"));
    WriteBytes((exp / ("乙_供应商-" + stamp + ".zip") / "kept.txt").string(), "kept");
    ExportBills({9001, 9002, 9003, 9004}, exp.string());
    EXPECT_THAT(HostErrors(), IsEmpty());
    EXPECT_THAT(HostMessages(), ElementsAre("导出图片到[" + exp.string() + "]成功"));
    EXPECT_THAT(Names(exp), ElementsAre("temp", "乙_供应商-" + stamp + " (2).zip",
                                        "乙_供应商-" + stamp + " (3).zip", "乙_供应商-" + stamp + ".zip",
                                        "乙供应商-" + stamp + " (2).zip", "乙供应商-" + stamp + ".zip"));
    EXPECT_EQ(ReadBytes((exp / ("乙_供应商-" + stamp + ".zip") / "kept.txt").string()), "kept");
    std::size_t pictures = 0;
    for (const char* name : {" (2).zip", " (3).zip"})
        pictures += ReadArchive(exp / ("乙_供应商-" + stamp + name)).size();
    for (const char* name : {".zip", " (2).zip"})
        pictures += ReadArchive(exp / ("乙供应商-" + stamp + name)).size();
    EXPECT_EQ(pictures, a.size() + b.size() + c.size() + d.size());
    EXPECT_THAT(Names(exp / "temp"), IsEmpty());
}

TEST_F(PictureExportTest, APictureFileThatCannotBeWrittenEndsTheExportWithItsError) {
    AddBill(9001, 12, today - 1);
    AddBill(9002, 11, today);
    const auto small = AddPictures(1, 100), large = AddPictures(2, 110, 1600, 1130);
    LinkBill(9001, 12, small);
    LinkBill(9002, 11, large);
    // Room for the first supplier's archive, not for the second supplier's first picture.
    const std::size_t room = 2 * stored[small[0]].size() + 4096;
    ASSERT_GT(stored[large[0]].size(), room);
    {
        test::TFileSizeLimit limit(room);
        ExportBills({9001, 9002}, exp.string());
    }
    ASSERT_EQ(runner->Texts(TMessageKind::mkErrorBox).size(), 1u);
    EXPECT_THAT(runner->Texts(TMessageKind::mkErrorBox)[0], HasSubstr("2-1.jpg"));
    EXPECT_THAT(HostMessages(), IsEmpty());
    // The first supplier's archive, written before, is kept.
    EXPECT_EQ(ReadArchive(exp / ("甲供应商-" + stamp + ".zip")).size(), 1u);
    EXPECT_FALSE(fs::exists(exp / ("乙供应商-" + stamp + ".zip")));
}

} // namespace
