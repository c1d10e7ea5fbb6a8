// Files written whole or not at all: the settings file, the remembered profile files and exported
// pictures and archives keep what they held when a write fails part way (no room), when their
// folder cannot be made, or when their name is taken by a folder.
#include "../platform/FakePlatform.h"
#include "../platform/TempDir.h"
#include "WriteFaults.h"
#include "comm/Exception.h"
#include "comm/NameValueLines.h"
#include "comm/Settings.h"
#include "framework/DateTime.h"
#include "platform/WholeFile.h"
#include "printing/PictureExport.h"
#include "printing/ZipFiles.h"
#include "sim/SimJpeg.h"
#include "toolkit/JPEGImage.h"

#include <cstdlib>
#include <filesystem>
#include <gmock/gmock.h>
#include <unistd.h>

namespace {

using namespace tkv;
using namespace tkv::test;
using ::testing::ElementsAre;
namespace fs = std::filesystem;

const std::string kBig(64 * 1024, 'x');

TEST(WholeFile, ReplacesTheFileAndLeavesNoTemporaryFile) {
    TTempDir dir;
    WriteBytes(dir.File("a.txt"), "old");
    ASSERT_TRUE(WriteFileWhole(dir.File("a.txt"), "new text"));
    EXPECT_EQ(ReadBytes(dir.File("a.txt")), "new text");
    ASSERT_TRUE(WriteFileWhole(dir.File("b.txt"), ""));
    EXPECT_TRUE(fs::exists(dir.File("b.txt")));
    EXPECT_THAT(FolderNames(dir.Path()), ElementsAre("a.txt", "b.txt"));
}

TEST(WholeFile, AWriteCutShortKeepsTheOldFile) {
    TTempDir dir;
    WriteBytes(dir.File("a.txt"), "old");
    {
        TFileSizeLimit limit(4096);
        EXPECT_FALSE(WriteFileWhole(dir.File("a.txt"), kBig));
        EXPECT_FALSE(WriteFileWhole(dir.File("new.txt"), kBig));
    }
    EXPECT_EQ(ReadBytes(dir.File("a.txt")), "old");
    EXPECT_THAT(FolderNames(dir.Path()), ElementsAre("a.txt"));
}

TEST(WholeFile, AFolderThatCannotBeMadeOrAFolderOfTheNameFails) {
    TTempDir dir;
    WriteBytes(dir.File("plain"), "a file");
    EXPECT_FALSE(WriteFileWhole(dir.File("plain/a.txt"), "text"));
    EXPECT_FALSE(WriteFileWhole(dir.File("gone/a.txt"), "text"));
    fs::create_directories(dir.File("taken"));
    WriteBytes(dir.File("taken/keep.txt"), "kept");
    EXPECT_FALSE(WriteFileWhole(dir.File("taken"), "text"));
    EXPECT_EQ(ReadBytes(dir.File("taken/keep.txt")), "kept");
    EXPECT_EQ(ReadBytes(dir.File("plain")), "a file");
    EXPECT_THAT(FolderNames(dir.Path()), ElementsAre("plain", "taken"));
}

TEST(WholeFile, AReadOnlyFolderFailsAndKeepsTheOldFile) {
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    TTempDir dir;
    fs::create_directories(dir.File("ro"));
    WriteBytes(dir.File("ro/a.txt"), "old");
    fs::permissions(dir.File("ro"), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(WriteFileWhole(dir.File("ro/a.txt"), "new"));
    fs::permissions(dir.File("ro"), fs::perms::owner_all);
    EXPECT_EQ(ReadBytes(dir.File("ro/a.txt")), "old");
    EXPECT_THAT(FolderNames(dir.File("ro")), ElementsAre("a.txt"));
}

class SettingsWriteTest : public ::testing::Test {
protected:
    void SetUp() override { fake.moduleFileName = dir.Path() + "/Plug/TkvfpPlug.so"; }

    TTempDir dir;
    TFakePlatform fake;
    TScopedPlatform scope{fake};
};

TEST_F(SettingsWriteTest, ASettingsFileCutShortKeepsTheOldSettings) {
    const std::string old = "FileName=SiInterface.dll\r\nPosCode=P001\r\nYBLog=0\r\n";
    WriteBytes(SettingsFilePath(), old);
    TNameValueLines lines;
    ASSERT_TRUE(LoadSettings(lines));
    lines.SetValue("PosCode", kBig);
    {
        TFileSizeLimit limit(4096);
        EXPECT_THROW(SaveSettings(lines), Exception);
    }
    EXPECT_EQ(ReadBytes(SettingsFilePath()), old);
    EXPECT_EQ(GetConfigValue("PosCode"), "P001");
    EXPECT_THAT(FolderNames(dir.Path() + "/Plug/PlugData"), ElementsAre("cqyb.DAT"));
    // The same lines go in whole once there is room.
    SaveSettings(lines);
    EXPECT_EQ(GetConfigValue("PosCode"), kBig);
}

TEST_F(SettingsWriteTest, ADataFolderThatCannotBeMadeRaises) {
    fs::create_directories(dir.File("Plug"));
    WriteBytes(dir.File("Plug/PlugData"), "a file in the folder's place");
    TNameValueLines lines;
    lines.SetValue("YBLog", "1");
    EXPECT_THROW(SaveSettings(lines), Exception);
    EXPECT_EQ(ReadBytes(dir.File("Plug/PlugData")), "a file in the folder's place");
}

class ProfileWriteTest : public ::testing::Test {
protected:
    void SetUp() override { fake.moduleFileName = dir.Path() + "/Plug/TkvfpPlug.so"; }

    TTempDir dir;
    TFakePlatform fake;
    TScopedPlatform scope{fake};
};

TEST_F(ProfileWriteTest, AnExportPathCutShortKeepsTheRememberedOnes) {
    WriteExportPath(kPrintExportPathKey, "/exports/print");
    WriteExportPath(kEditExportPathKey, "/exports/edit");
    const std::string file = dir.File("Plug/TKExportPath.ini");
    const std::string before = ReadBytes(file);
    {
        TFileSizeLimit limit(before.size() + 16);
        EXPECT_THROW(WriteExportPath(kEditExportPathKey, "/exports/" + kBig.substr(0, 1024)),
                     std::runtime_error);
    }
    EXPECT_EQ(ReadBytes(file), before);
    EXPECT_EQ(ReadExportPath(kPrintExportPathKey), "/exports/print");
    EXPECT_EQ(ReadExportPath(kEditExportPathKey), "/exports/edit");
    EXPECT_THAT(FolderNames(dir.File("Plug")), ElementsAre("TKExportPath.ini"));
}

TEST_F(ProfileWriteTest, AProfileFolderThatCannotBeMadeRaises) {
    WriteBytes(dir.File("plain"), "a file");
    // A bare name lies in the default profile folder, here one below a file.
    const char* saved = std::getenv("TKV_PROFILE_DIR");
    const std::string savedValue = saved ? saved : "";
    setenv("TKV_PROFILE_DIR", dir.File("plain/profiles").c_str(), 1);
    EXPECT_THROW(Platform().WriteProfileString("BillstatusDefault.int", "set", "Pstatus", "1"),
                 std::runtime_error);
    if (saved)
        setenv("TKV_PROFILE_DIR", savedValue.c_str(), 1);
    else
        unsetenv("TKV_PROFILE_DIR");
    EXPECT_THROW(Platform().WriteProfileString(dir.File("gone/x.ini"), "set", "Pstatus", "1"),
                 std::runtime_error);
    EXPECT_EQ(ReadBytes(dir.File("plain")), "a file");
    EXPECT_FALSE(fs::exists(dir.File("gone")));
}

class ExportWriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake.now = EncodeDate(2017, 8, 7) + EncodeTime(13, 5, 9);
        ASSERT_GT(large.Bytes().size(), small.Bytes().size() + 1024);
    }
    // Room for the small picture, not for the large one.
    rlim_t Room() const { return small.Bytes().size() + 512; }

    TTempDir dir;
    TFakePlatform fake;
    TScopedPlatform scope{fake};
    const TJPEGImage small{sim::InvoicePageJpeg(40, 30, 1)};
    const TJPEGImage large{sim::InvoicePageJpeg(400, 300, 2)};
};

TEST_F(ExportWriteTest, APictureFileCutShortKeepsTheFileOfThatName) {
    WriteBytes(dir.File("1-1.jpg"), "an earlier export");
    {
        TFileSizeLimit limit(Room());
        EXPECT_THROW(SavePictureFile(large, dir.File("1-1.jpg")), Exception);
    }
    EXPECT_EQ(ReadBytes(dir.File("1-1.jpg")), "an earlier export");
    EXPECT_THAT(FolderNames(dir.Path()), ElementsAre("1-1.jpg"));
}

TEST_F(ExportWriteTest, AFailedPictureOfAFolderExportKeepsThePicturesWrittenBefore) {
    std::string sub;
    {
        TFileSizeLimit limit(Room());
        EXPECT_THROW(ExportPictureFolder(dir.Path(), "阿莫西林胶囊", "A123", 2, {&small, &large}), Exception);
    }
    sub = dir.File("阿莫西林胶囊-A123-20170807130509");
    // The first picture is there whole; of the second there is no piece.
    EXPECT_THAT(FolderNames(sub), ElementsAre("2-1.jpg"));
    EXPECT_EQ(ReadBytes(sub + "/2-1.jpg"), std::string(small.Bytes().begin(), small.Bytes().end()));
}

TEST_F(ExportWriteTest, AnArchiveCutShortKeepsTheOldArchiveAndItsPictures) {
    const std::string a = dir.File("2-1.jpg"), b = dir.File("2-2.jpg");
    SavePictureFile(large, a);
    SavePictureFile(small, b);
    const std::string archive = dir.File("supplier.zip");
    WriteBytes(archive, "an older archive of the same second");
    {
        TFileSizeLimit limit(Room());
        EXPECT_FALSE(ZipFiles(archive, {a, b}, true));
    }
    EXPECT_EQ(ReadBytes(archive), "an older archive of the same second");
    EXPECT_THAT(FolderNames(dir.Path()), ElementsAre("2-1.jpg", "2-2.jpg", "supplier.zip"));
    EXPECT_EQ(ReadBytes(a), std::string(large.Bytes().begin(), large.Bytes().end()));
}

TEST_F(ExportWriteTest, AnExportFolderThatVanishedOrIsAFileRaises) {
    WriteBytes(dir.File("exports"), "a file in the folder's place");
    EXPECT_THROW(SavePictureFile(small, dir.File("exports/1-1.jpg")), Exception);
    EXPECT_THROW(SavePictureFile(small, dir.File("vanished/1-1.jpg")), Exception);
    EXPECT_EQ(ReadBytes(dir.File("exports")), "a file in the folder's place");
    EXPECT_THAT(FolderNames(dir.Path()), ElementsAre("exports"));
}

} // namespace
