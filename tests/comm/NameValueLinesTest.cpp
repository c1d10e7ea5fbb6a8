// Name=value lines: reading by name, setting by name, and the bytes of the lines nobody set.
#include "comm/NameValueLines.h"

#include <gtest/gtest.h>

namespace tkv {
namespace {

TEST(NameValueLines, ReadsTheFirstLineOfANameWithoutLetterCase) {
    TNameValueLines lines;
    lines.LoadFromBytes("no equals\r\nYBLog=1\nybLOG=0\rPosCode= H 1 ");
    EXPECT_EQ(lines.Count(), 4);
    EXPECT_EQ(lines.Value("YBLOG"), "1");
    EXPECT_EQ(lines.Value("poscode"), " H 1 ");
    EXPECT_EQ(lines.Value("FileName"), "");
    EXPECT_EQ(lines.Value("no equals"), "");
}

TEST(NameValueLines, SettingKeepsEveryOtherByte) {
    const std::string foreign = "; \xD6\xD0\xCE\xC4 comment\n"
                                "Other=\xFF\xFE\r"
                                "\r\n";
    TNameValueLines lines;
    lines.LoadFromBytes(foreign + "poscode=old\r\nTail=x");
    lines.SetValue("PosCode", "H001");
    lines.SetValue("YBLog", "1");
    EXPECT_EQ(lines.SaveToBytes(), foreign + "PosCode=H001\r\nTail=x\r\nYBLog=1\r\n");
}

TEST(NameValueLines, EmptyValueRemovesTheLine) {
    TNameValueLines lines;
    lines.LoadFromBytes("FileName=a.dll\nPosCode=1\n");
    lines.SetValue("filename", "");
    lines.SetValue("Missing", "");
    EXPECT_EQ(lines.SaveToBytes(), "PosCode=1\n");
}

TEST(NameValueLines, NewFileGetsItsLinesInTheOrderSet) {
    TNameValueLines lines;
    lines.SetValue("FileName", "C:\\yb\\SiInterface.dll");
    lines.SetValue("PosCode", "");
    lines.SetValue("YBLog", "0");
    EXPECT_EQ(lines.SaveToBytes(), "FileName=C:\\yb\\SiInterface.dll\r\nYBLog=0\r\n");
}

TEST(NameValueLines, ValuesCrossTheCodePage) {
    TNameValueLines lines;
    lines.SetValue("PosCode", "中文");
    EXPECT_EQ(lines.SaveToBytes(), "PosCode=\xD6\xD0\xCE\xC4\r\n");
    EXPECT_EQ(lines.Value("PosCode"), "中文");
}

} // namespace
} // namespace tkv
