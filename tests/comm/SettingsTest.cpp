// The settings reader: file in the data folder, names without letter case, trimmed values.
#include "comm/Settings.h"
#include "platform/FakePlatform.h"
#include "platform/TempDir.h"

#include <gtest/gtest.h>

namespace tkv {
namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { fake.moduleFileName = dir.Path() + "/Plug/TkvfpPlug.so"; }
    void WriteSettings(const std::string& bytes) { test::WriteBytes(SettingsFilePath(), bytes); }

    test::TTempDir dir;
    test::TFakePlatform fake;
    test::TScopedPlatform scope{fake};
};

TEST_F(SettingsTest, FileLiesInTheDataFolder) {
    EXPECT_EQ(SettingsFilePath(), dir.Path() + "/Plug/PlugData/cqyb.DAT");
}

TEST_F(SettingsTest, MissingFileGivesEmptyValues) {
    EXPECT_EQ(GetConfigValue("YBLog"), "");
}

TEST_F(SettingsTest, NamesIgnoreCaseAndValuesAreTrimmed) {
    WriteSettings("FileName=C:\\yb\\SiInterface.dll\r\nPosCode=  H001 \t\r\nYBLog=0\r\n");
    EXPECT_EQ(GetConfigValue("poscode"), "H001");
    EXPECT_EQ(GetConfigValue("YBLOG"), "0");
    EXPECT_EQ(GetConfigValue("FileName"), "C:\\yb\\SiInterface.dll");
    EXPECT_EQ(GetConfigValue("Other"), "");
}

TEST_F(SettingsTest, FirstLineOfANameWinsAndLinesWithoutEqualsAreSkipped) {
    WriteSettings("comment line\nYBLog=1\nYBLog=0");
    EXPECT_EQ(GetConfigValue("YBLog"), "1");
}

TEST_F(SettingsTest, ValuesAreReadFromTheCodePage) {
    WriteSettings("PosCode=\xD6\xD0\xCE\xC4\r\n");
    EXPECT_EQ(GetConfigValue("PosCode"), "中文");
}

TEST_F(SettingsTest, ValueMayHoldEqualsSigns) {
    WriteSettings("FileName=a=b\r");
    EXPECT_EQ(GetConfigValue("FileName"), "a=b");
}

} // namespace
} // namespace tkv
