// Export names: the time stamp, and names built from hostile texts staying inside the folder.
#include "printing/ExportNames.h"
#include "framework/DateTime.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

using namespace tkv;
namespace fs = std::filesystem;

TEST(ExportNames, TimeStampIsYearToSecondWithA24HourClock) {
    EXPECT_EQ(ExportTimeStamp(EncodeDate(2017, 8, 7) + EncodeTime(13, 5, 9)), "20170807130509");
    EXPECT_EQ(ExportTimeStamp(EncodeDate(2024, 12, 31) + EncodeTime(0, 0, 0)), "20241231000000");
    EXPECT_EQ(ExportTimeStamp(EncodeDate(2024, 1, 2) + EncodeTime(23, 59, 59)), "20240102235959");
}

TEST(ExportNames, PlainNamesAreKeptAsTheyAre) {
    EXPECT_EQ(SafeNamePart("甲公司"), "甲公司");
    EXPECT_EQ(SafeNamePart("阿莫西林胶囊"), "阿莫西林胶囊");
    EXPECT_EQ(SafeNamePart("A123"), "A123");
    EXPECT_EQ(SafeNamePart("0.25g"), "0.25g");
    EXPECT_EQ(SafeNamePart(""), "");
}

TEST(ExportNames, RefusedCharactersSeparatorsAndDotRunsBecomeUnderscores) {
    EXPECT_EQ(SafeNamePart("..\\甲/乙:公司"), "___甲_乙_公司");
    EXPECT_EQ(SafeNamePart("C:\\Windows"), "C__Windows");
    EXPECT_EQ(SafeNamePart("a<b>c\"d|e?f*g"), "a_b_c_d_e_f_g");
    EXPECT_EQ(SafeNamePart("tab\there\nnew"), "tab_here_new");
    EXPECT_EQ(SafeNamePart(".."), "__");
    EXPECT_EQ(SafeNamePart(".hidden"), "_hidden");
    EXPECT_EQ(SafeNamePart("维生素C..."), "维生素C___");
}

TEST(ExportNames, DeviceNamesAreNotTakenAsDevices) {
    EXPECT_EQ(SafeNamePart("CON"), "CON_");
    EXPECT_EQ(SafeNamePart("nul"), "nul_");
    EXPECT_EQ(SafeNamePart("Com1"), "Com1_");
    EXPECT_EQ(SafeNamePart("LPT9.txt"), "LPT9_.txt");
    EXPECT_EQ(SafeNamePart("COM10"), "COM10");
    EXPECT_EQ(SafeNamePart("CONTOSO"), "CONTOSO");
}

TEST(ExportNames, ArchiveAndSubfolderOfAHostileNameStayInsideTheFolder) {
    const std::string folder = "/exp/发票";
    const std::string archive = ArchiveFileName(folder, "..\\甲/乙:公司", "20240102030405");
    EXPECT_EQ(archive, "/exp/发票/___甲_乙_公司-20240102030405.zip");
    EXPECT_EQ(fs::path(archive).parent_path(), fs::path(folder));
    const std::string sub = ExportSubfolderName(folder, "../..", "/etc", "20240102030405");
    EXPECT_EQ(fs::path(sub).parent_path(), fs::path(folder));
    EXPECT_EQ(sub, "/exp/发票/_____-_etc-20240102030405");
}

TEST(ExportNames, TheSpecifiedNamesOfTheExport) {
    EXPECT_EQ(ArchiveFileName("/exp", "甲公司", "20170807130509"), "/exp/甲公司-20170807130509.zip");
    EXPECT_EQ(ArchiveFileName("/exp/", "", "20170807130509"), "/exp/-20170807130509.zip");
    EXPECT_EQ(TempFolderName("/exp"), "/exp/temp");
    EXPECT_EQ(NumberedPictureName(3, 1), "3-1.jpg");
    EXPECT_EQ(ExportSubfolderName("/exp", "阿莫西林胶囊", "A123", "20170807130509"),
              "/exp/阿莫西林胶囊-A123-20170807130509");
}

} // namespace
