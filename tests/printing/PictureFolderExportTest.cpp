// The edit window's export of chosen pictures into a new subfolder, and writing picture files.
#include "../platform/FakePlatform.h"
#include "../platform/TempDir.h"
#include "comm/Exception.h"
#include "framework/DateTime.h"
#include "printing/PictureExport.h"
#include "sim/SimJpeg.h"

#include <filesystem>
#include <gmock/gmock.h>

namespace {

using namespace tkv;
using namespace tkv::test;
using ::testing::ElementsAre;
namespace fs = std::filesystem;

std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(folder))
        out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

TEST(PictureFolderExport, ChosenPicturesNumberedByTheWholeListInANewSubfolder) {
    TFakePlatform fake;
    fake.now = EncodeDate(2017, 8, 7) + EncodeTime(13, 5, 9);
    TScopedPlatform scope(fake);
    TTempDir dir;
    const TJPEGImage second(sim::InvoicePageJpeg(40, 30, 2)), fourth(sim::InvoicePageJpeg(40, 30, 4));
    // Five pictures in the window's list, the second and the fourth chosen, in that order.
    const std::string sub = ExportPictureFolder(dir.Path(), "阿莫西林胶囊", "A123", 5, {&fourth, &second});
    EXPECT_EQ(sub, dir.File("阿莫西林胶囊-A123-20170807130509"));
    EXPECT_THAT(Names(sub), ElementsAre("5-1.jpg", "5-2.jpg"));
    EXPECT_EQ(ReadBytes(sub + "/5-1.jpg"), std::string(fourth.Bytes().begin(), fourth.Bytes().end()));
    EXPECT_EQ(ReadBytes(sub + "/5-2.jpg"), std::string(second.Bytes().begin(), second.Bytes().end()));
}

TEST(PictureFolderExport, AHostileProductNameAndBatchStayInsideTheFolder) {
    TTempDir dir;
    const TJPEGImage picture(sim::InvoicePageJpeg(40, 30, 1));
    const std::string sub = ExportPictureFolder(dir.File("exp"), "../../etc", "C:\\x", 1, {&picture});
    EXPECT_EQ(fs::path(sub).parent_path(), fs::path(dir.File("exp")));
    EXPECT_THAT(Names(dir.Path()), ElementsAre("exp"));
    EXPECT_THAT(Names(sub), ElementsAre("1-1.jpg"));
}

TEST(PictureFolderExport, AFileThatCannotBeWrittenRaises) {
    TTempDir dir;
    const TJPEGImage picture(sim::InvoicePageJpeg(40, 30, 1));
    WriteBytes(dir.File("plain"), "a file");
    EXPECT_THROW(SavePictureFile(picture, dir.File("plain/1-1.jpg")), Exception);
    EXPECT_THROW(ExportPictureFolder(dir.File("plain"), "甲", "1", 1, {&picture}), Exception);
    EXPECT_EQ(ReadBytes(dir.File("plain")), "a file");
}

} // namespace
