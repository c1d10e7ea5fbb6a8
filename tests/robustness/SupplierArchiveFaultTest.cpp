// One supplier's archive of the print window's export when its writes fail: a picture that cannot
// be written stops the export with the pictures before it whole in the temporary folder, and an
// archive that cannot be written keeps every picture and the older archive of that name.
#include "../comm/MockMainIntf.h"
#include "../platform/FakePlatform.h"
#include "../platform/TempDir.h"
#include "DeleteFaults.h"
#include "WriteFaults.h"
#include "comm/Exception.h"
#include "comm/ModuleState.h"
#include "framework/DataPacket.h"
#include "framework/DateTime.h"
#include "printing/ExportNames.h"
#include "printing/PictureExport.h"
#include "sim/SimJpeg.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <memory>
#include <vector>

namespace {

using namespace tkv;
using namespace tkv::test;
using ::testing::_;
using ::testing::DoAll;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::NiceMock;
using ::testing::Return;
using ::testing::SetArgReferee;
using ::testing::UnorderedElementsAre;
namespace fs = std::filesystem;

OleVariant SupplierPacket(const std::string& name) {
    TClientDataSet ds;
    ds.AddFieldDef("fullname", TFieldType::ftString, 60);
    ds.CreateDataSet();
    ds.AppendRecord({OleVariant(name)});
    return ds.GetData();
}

// A picture of noise, whose JPEG bytes hardly compress: an archive of two holds about twice its bytes.
std::shared_ptr<TJPEGImage> NoisePicture(int width, int height) {
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
    std::uint32_t state = 12345;
    for (std::uint8_t& b : rgb) {
        state = state * 1664525u + 1013904223u;
        b = static_cast<std::uint8_t>(state >> 24);
    }
    return TJPEGImage::FromPixels(rgb.data(), width, height);
}

std::string BytesOf(const TJPEGImage& picture) {
    return std::string(picture.Bytes().begin(), picture.Bytes().end());
}

class SupplierArchiveFaultTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake.now = EncodeDate(2017, 8, 7) + EncodeTime(13, 5, 9);
        ModuleState().VNMainintf = host;
        ON_CALL(*host, OpenSql("select fullname from btype where rec=7", _))
            .WillByDefault(DoAll(SetArgReferee<1>(SupplierPacket("康华药业")), Return(true)));
        ASSERT_GT(large->Bytes().size(), small->Bytes().size() + 1024);
        archive = ArchiveFileName(dir.Path(), "康华药业", "20170807130509");
        temp = TempFolderName(dir.Path());
        pictureFolder = temp + "/康华药业-20170807130509";
    }

    TTempDir dir;
    TFakePlatform fake;
    TScopedPlatform platformScope{fake};
    TModuleScope moduleScope;
    NiceMock<TMockMainIntf>* host = new NiceMock<TMockMainIntf>;
    std::shared_ptr<TJPEGImage> small = std::make_shared<TJPEGImage>(sim::InvoicePageJpeg(40, 30, 1));
    std::shared_ptr<TJPEGImage> large = NoisePicture(120, 90);
    std::string archive, temp, pictureFolder;
};

TEST_F(SupplierArchiveFaultTest, APictureThatCannotBeWrittenStopsTheExportKeepingThePicturesBefore) {
    TPictFileList pictures;
    pictures.Add("a", small);
    pictures.Add("b", large);
    pictures.Add("c", small);
    {
        TFileSizeLimit limit(small->Bytes().size() + 512);
        EXPECT_THROW(ExportOneBrecImage(7, pictures, dir.Path()), Exception);
    }
    EXPECT_THAT(FolderNames(pictureFolder), ElementsAre("3-1.jpg"));
    EXPECT_EQ(ReadBytes(pictureFolder + "/3-1.jpg"), BytesOf(*small));
    EXPECT_FALSE(fs::exists(archive));
}

// An archive of the same name and second from before is never replaced: the new one takes the
// next free name, and when it cannot be written its pictures stay in their own temporary folder,
// where the next supplier's pictures do not go.
TEST_F(SupplierArchiveFaultTest, AnArchiveThatCannotBeWrittenKeepsThePicturesAndTheOlderArchive) {
    WriteBytes(archive, "an older archive of the same second");
    TPictFileList pictures;
    pictures.Add("a", large);
    pictures.Add("b", large);
    pictures.Add("c", small);
    const std::string second = ArchiveFileName(dir.Path(), "康华药业", "20170807130509", 2);
    const std::string kept = temp + "/康华药业-20170807130509 (2)";
    EXPECT_CALL(*host, ShowError("生成压缩文件" + second + "失败,图片保留在" + kept, "错误"));
    {
        // Room for each picture, not for the archive of all three.
        TFileSizeLimit limit(large->Bytes().size() + 512);
        EXPECT_FALSE(ExportOneBrecImage(7, pictures, dir.Path()));
    }
    EXPECT_EQ(ReadBytes(archive), "an older archive of the same second");
    EXPECT_THAT(FolderNames(kept), ElementsAre("3-1.jpg", "3-2.jpg", "3-3.jpg"));
    EXPECT_EQ(ReadBytes(kept + "/3-2.jpg"), BytesOf(*large));
    EXPECT_EQ(ReadBytes(kept + "/3-3.jpg"), BytesOf(*small));

    // The next supplier of the run, of the same name and count, writes beside them.
    pictures = TPictFileList();
    pictures.Add("d", small);
    pictures.Add("e", small);
    pictures.Add("f", small);
    EXPECT_TRUE(ExportOneBrecImage(7, pictures, dir.Path()));
    EXPECT_EQ(ReadBytes(kept + "/3-2.jpg"), BytesOf(*large));
    EXPECT_THAT(FolderNames(dir.Path()), UnorderedElementsAre(fs::path(archive).filename().string(),
                                                              "康华药业-20170807130509 (3).zip", "temp"));
}

// A temporary picture that cannot be deleted after the archive is written: the archive counts as
// written, and the user learns where the file remains.
TEST_F(SupplierArchiveFaultTest, ATemporaryPictureThatCannotBeDeletedLeavesTheArchiveWritten) {
    TPictFileList pictures;
    pictures.Add("a", small);
    pictures.Add("b", small);
    EXPECT_CALL(*host, ShowMsg("压缩文件" + archive + "已生成,但1个临时图片文件无法删除,它们在" +
                                   pictureFolder + ",可以手工删除",
                               "提示"));
    {
        TDeleteRefused refused("/2-2.jpg");
        EXPECT_TRUE(ExportOneBrecImage(7, pictures, dir.Path()));
    }
    EXPECT_TRUE(fs::exists(archive));
    EXPECT_THAT(FolderNames(pictureFolder), ElementsAre("2-2.jpg"));
}

TEST_F(SupplierArchiveFaultTest, ATemporaryFolderThatCannotBeMadeIsAnError) {
    WriteBytes(temp, "a file in the folder's place");
    TPictFileList pictures;
    pictures.Add("a", small);
    EXPECT_CALL(*host, ShowError(HasSubstr("创建文件夹"), "错误"));
    EXPECT_FALSE(ExportOneBrecImage(7, pictures, dir.Path()));
    EXPECT_EQ(ReadBytes(temp), "a file in the folder's place");
    EXPECT_FALSE(fs::exists(archive));
}

} // namespace
