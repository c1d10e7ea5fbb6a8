// Folder functions: derived from the library file, separators, creation and the PLUG rule.
#include "comm/Paths.h"
#include "comm/Exception.h"
#include "platform/FakePlatform.h"
#include "platform/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tkv {
namespace {

class PathsTest : public ::testing::Test {
protected:
    void Place(const std::string& relativeFile) { fake.moduleFileName = dir.Path() + "/" + relativeFile; }

    test::TTempDir dir;
    test::TFakePlatform fake;
    test::TScopedPlatform scope{fake};
};

TEST_F(PathsTest, ModuleFileNameComesFromThePlatform) {
    Place("Host/Plug/TkvfpPlug.so");
    EXPECT_EQ(GetModuleFullFileName(), dir.Path() + "/Host/Plug/TkvfpPlug.so");
}

TEST_F(PathsTest, AppPathEndsInExactlyOneSeparatorAndIsCreated) {
    Place("Host/Plug/TkvfpPlug.so");
    const std::string app = AppPath();
    EXPECT_EQ(app, dir.Path() + "/Host/Plug/");
    EXPECT_TRUE(std::filesystem::is_directory(app));
}

TEST_F(PathsTest, DataPathHasNoTrailingSeparatorAndIsCreated) {
    Place("Host/Plug/TkvfpPlug.so");
    const std::string data = DataPath();
    EXPECT_EQ(data, dir.Path() + "/Host/Plug/PlugData");
    EXPECT_TRUE(std::filesystem::is_directory(data));
    EXPECT_EQ(DataPath(), data); // also when it exists already
}

TEST_F(PathsTest, AppUpPathIgnoresCaseAndTakesTheFirstPlugComponent) {
    Place("x/plug/sub/plug/TkvfpPlug.so");
    EXPECT_EQ(AppUpPath(), dir.Path() + "/x/");
}

TEST_F(PathsTest, AppUpPathTakesAFolderNamedPlugNotOneThatBeginsSo) {
    Place("PlugHost/plug/TkvfpPlug.so");
    EXPECT_EQ(AppUpPath(), dir.Path() + "/PlugHost/");
    Place("x/plugins/TkvfpPlug.so");
    EXPECT_THROW(AppUpPath(), Exception);
}

TEST_F(PathsTest, AppUpPathOutsideAPlugFolderIsAnError) {
    Place("x/other/TkvfpPlug.so");
    EXPECT_THROW(AppUpPath(), Exception);
}

TEST_F(PathsTest, AppUpPathOfAPlugFolderAtTheRootIsAnError) {
    fake.moduleFileName = "/Plug/TkvfpPlug.so";
    EXPECT_THROW(AppUpPath(), Exception);
}

TEST_F(PathsTest, AddBackSlashRules) {
    EXPECT_EQ(AddBackSlash(""), "");
    EXPECT_EQ(AddBackSlash("/a/b"), "/a/b/");
    EXPECT_EQ(AddBackSlash("/a/b/"), "/a/b/");
}

TEST_F(PathsTest, CheckDirCreatesParentsAndAppendsTheSeparator) {
    std::string path = dir.Path() + "/a/b/c";
    CheckDir(path);
    EXPECT_EQ(path, dir.Path() + "/a/b/c/");
    EXPECT_TRUE(std::filesystem::is_directory(path));
    CheckDir(path);
    EXPECT_EQ(path, dir.Path() + "/a/b/c/");
}

TEST_F(PathsTest, CheckDirFailsForAnEmptyPathAndForAFileInTheWay) {
    std::string empty;
    EXPECT_THROW(CheckDir(empty), Exception);
    test::WriteBytes(dir.File("file"), "x");
    std::string blocked = dir.File("file") + "/sub";
    EXPECT_THROW(CheckDir(blocked), Exception);
    EXPECT_EQ(blocked, dir.File("file") + "/sub"); // untouched on failure
}

TEST_F(PathsTest, ChineseFolderNames) {
    Place("主机/Plug/TkvfpPlug.so");
    EXPECT_EQ(DataPath(), dir.Path() + "/主机/Plug/PlugData");
    EXPECT_TRUE(std::filesystem::is_directory(Utf8Path(dir.Path() + "/主机/Plug/PlugData")));
}

} // namespace
} // namespace tkv
