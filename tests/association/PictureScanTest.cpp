// Scanning through the platform's library loader: the stand-in scanner library from the host's
// installation folder (loaded once, released when the window closes), and libraries of the test
// for the cases the stand-in cannot show (a missing file, a bitmap, an unreadable file).
#include "../platform/FakePlatform.h"
#include "StripFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

using namespace tkv;
using namespace tkv::test;

namespace {

namespace fs = std::filesystem;

// The module file name is the test's; libraries load for real unless the test registered fakes.
class TLoaderPlatform : public TFakePlatform {
public:
    bool fakeLibraries = false;
    LibraryHandle LoadLibrary(const std::string& path) override {
        if (fakeLibraries)
            return TFakePlatform::LoadLibrary(path);
        LibraryHandle h = NativePlatform().LoadLibrary(path);
        if (h)
            loaded.push_back(path);
        return h;
    }
    void FreeLibrary(LibraryHandle library) override {
        TFakePlatform::FreeLibrary(library);
        if (!fakeLibraries)
            NativePlatform().FreeLibrary(library);
    }
    void* GetProcAddress(LibraryHandle library, const std::string& name) override {
        return fakeLibraries ? TFakePlatform::GetProcAddress(library, name)
                             : NativePlatform().GetProcAddress(library, name);
    }
};

// What the test's scanner library answers.
std::string gSavedPath; // UTF-8
int gReleased = 0;

std::int32_t TKV_SCAN_CALL FakeScan(std::uint8_t* scanned) {
    *scanned = 1;
    return 0;
}

std::int32_t TKV_SCAN_CALL FakeSavePath(char** path) {
    const std::string ansi = Platform().Utf8ToAnsi(gSavedPath);
    *path = static_cast<char*>(std::malloc(ansi.size() + 1));
    std::memcpy(*path, ansi.c_str(), ansi.size() + 1);
    return 0;
}

void CountedRelease(char* text) {
    ++gReleased;
    std::free(text);
}

class ScanTest : public StripTest {
protected:
    ScanTest() {
        fs::create_directories(plug);
        platform.moduleFileName = (plug / "TkvfpPlug.so").string();
        setenv("TKV_SCAN_DIR", scans.c_str(), 1);
        unsetenv("TKV_SCAN_RESULT");
        gReleased = 0;
    }
    ~ScanTest() override {
        unsetenv("TKV_SCAN_DIR");
        unsetenv("TKV_SCAN_RESULT");
        SetScanTextRelease(nullptr);
    }
    void InstallScanner(const char* library = "pictureScan.dll") {
        fs::copy_file(fs::path(TKV_SIM_DIR) / library, installFolder / "pictureScan.dll");
    }
    void UseFakeScanner(std::string savedPath) {
        platform.fakeLibraries = true;
        platform.AddLibrary((installFolder / "pictureScan.dll").string(),
                            {{"SCanPicture", reinterpret_cast<void*>(&FakeScan)},
                             {"ScanSavePath", reinterpret_cast<void*>(&FakeSavePath)}});
        gSavedPath = std::move(savedPath);
        SetScanTextRelease(CountedRelease);
    }
    // Clicks "扫描" the given number of times in a window with the strip.
    void Scan(TStripForm& form, int times = 1) {
        runner.Expect([&, times](TFormDriver& d) {
            for (int i = 0; i < times; ++i)
                d.Click("btn_scan");
        });
        form.ShowModal();
        EXPECT_EQ(runner.Failures(), std::vector<std::string>{});
    }

    TLoaderPlatform platform;
    TScopedPlatform scoped{platform};
    fs::path installFolder = fs::path(dir.Path()) / "Vorn";
    fs::path plug = installFolder / "plug";
    fs::path scans = fs::path(dir.Path()) / "扫描件";
};

TEST_F(ScanTest, ScansAreChosenAndTheLibraryIsLoadedOnce) {
    InstallScanner();
    {
        TStripForm form(48, 240, true);
        TFpImageStrip& s = *form.strip;
        Scan(form, 2);
        EXPECT_TRUE(runner.Dialogs().empty());
        ASSERT_EQ(s.FImageList.size(), 2u);
        const std::string first = ReadBytes((scans / "scan1.jpg").string());
        EXPECT_EQ(s.GetindexImage(1).Image->Bytes(), Bytes(first.begin(), first.end()));
        EXPECT_EQ(s.GetindexImage(2).Image->Width(), 640);
        EXPECT_EQ(s.FImageSelList, Numbers({1, 2}));
        EXPECT_EQ(Selected(s), (std::vector<int>{1, 2, 0, 0}));
        EXPECT_EQ(platform.loaded, std::vector<std::string>{(installFolder / "pictureScan.dll").string()});
        EXPECT_NE(s.PictureScanHandle, nullptr);
        EXPECT_NE(s.PictureScanEvent, nullptr);
        EXPECT_NE(s.PictureScanSavePathEvent, nullptr);
        // The window releases it when it closes.
        s.FreePictureScan();
        EXPECT_EQ(platform.freed, 1);
        EXPECT_EQ(s.PictureScanHandle, nullptr);
        EXPECT_EQ(s.PictureScanEvent, nullptr);
    }
    EXPECT_EQ(platform.freed, 1) << "released once";
}

TEST_F(ScanTest, TheLibraryIsReleasedWithTheStrip) {
    InstallScanner();
    {
        TStripForm form(159, 364, false);
        Scan(form);
        EXPECT_EQ(form.strip->FImageList.size(), 1u);
        EXPECT_EQ(platform.freed, 0);
    }
    EXPECT_EQ(platform.freed, 1);
}

TEST_F(ScanTest, AScannerThatSaysNoChangesNothing) {
    InstallScanner();
    setenv("TKV_SCAN_RESULT", "cancel", 1);
    TStripForm form(48, 240, true);
    Scan(form);
    EXPECT_TRUE(form.strip->FImageList.empty());
    EXPECT_TRUE(runner.Dialogs().empty());
    EXPECT_EQ(Selected(*form.strip), (std::vector<int>{0, 0, 0, 0}));
}

TEST_F(ScanTest, AFailureStatusStopsTheScanWithItsMessage) {
    InstallScanner();
    setenv("TKV_SCAN_RESULT", "fail", 1);
    TStripForm form(48, 240, true);
    Scan(form);
    EXPECT_TRUE(form.strip->FImageList.empty());
    EXPECT_EQ(runner.Texts(TMessageKind::mkErrorBox),
              std::vector<std::string>{"扫描组件返回错误 0x80004005"});
}

TEST_F(ScanTest, AMissingLibraryIsReportedEachTime) {
    TStripForm form(48, 240, true);
    Scan(form, 2);
    EXPECT_EQ(Messages(TMessageKind::mkError), std::vector<std::string>(2, "扫描加载失败|错误"));
    EXPECT_EQ(form.strip->PictureScanHandle, nullptr);
    EXPECT_TRUE(form.strip->FImageList.empty());
}

TEST_F(ScanTest, ALibraryWithoutTheExportsIsNotReadySilently) {
    InstallScanner("SiInterface.dll");
    TStripForm form(48, 240, true);
    Scan(form, 2);
    EXPECT_TRUE(runner.Dialogs().empty());
    EXPECT_TRUE(form.strip->FImageList.empty());
    EXPECT_NE(form.strip->PictureScanHandle, nullptr);
    EXPECT_EQ(form.strip->PictureScanEvent, nullptr);
    EXPECT_EQ(platform.loaded.size(), 1u) << "kept loaded for the next try";
}

TEST_F(ScanTest, TheNewWindowNeedsTheInstallationFolder) {
    InstallScanner();
    platform.moduleFileName = (fs::path(dir.Path()) / "elsewhere" / "TkvfpPlug.so").string();
    TStripForm form(48, 240, true);
    Scan(form);
    EXPECT_EQ(
        Messages(TMessageKind::mkInformation),
        std::vector<std::string>{"无法使用扫描功能,请检查插件dll是否在Vorn安装目录\\plug文件夹下|提示"});
    EXPECT_TRUE(platform.loaded.empty());
}

TEST_F(ScanTest, TheEditWindowStopsWithTheFolderError) {
    InstallScanner();
    platform.moduleFileName = (fs::path(dir.Path()) / "elsewhere" / "TkvfpPlug.so").string();
    TStripForm form(159, 364, false);
    Scan(form);
    EXPECT_TRUE(Messages(TMessageKind::mkInformation).empty());
    EXPECT_EQ(runner.Texts(TMessageKind::mkErrorBox).size(), 1u);
    EXPECT_TRUE(platform.loaded.empty());
}

TEST_F(ScanTest, TheInvoiceCheckComesFirst) {
    InstallScanner();
    TStripForm form(48, 240, true);
    form.invoiceEntered = false;
    Scan(form);
    EXPECT_EQ(Messages(TMessageKind::mkInformation), std::vector<std::string>{"请录入发票号码|提示"});
    EXPECT_TRUE(platform.loaded.empty());
}

TEST_F(ScanTest, AMissingFileChangesNothing) {
    UseFakeScanner(dir.File("gone.jpg"));
    TStripForm form(48, 240, true);
    Scan(form);
    EXPECT_TRUE(form.strip->FImageList.empty());
    EXPECT_TRUE(runner.Dialogs().empty());
    EXPECT_EQ(gReleased, 1) << "the path text goes back to its memory manager";
}

TEST_F(ScanTest, AScannedBitmapIsStoredAsJpeg) {
    UseFakeScanner(WriteFile("扫描1.bmp", BitmapBytes(TwoBandPixels(30, 20, 0xFF0000, 0x0000FF), 30, 20)));
    TStripForm form(48, 240, true);
    Scan(form);
    ASSERT_EQ(form.strip->FImageList.size(), 1u);
    const JpegHeader h = ReadJpegHeader(form.strip->GetindexImage(1).Image->Bytes());
    EXPECT_EQ(h.Width, 30);
    EXPECT_EQ(h.ColorSpace, JCS_YCbCr);
    EXPECT_EQ(gReleased, 1);
}

TEST_F(ScanTest, AnUnreadableScannedFileIsRefused) {
    UseFakeScanner(WriteFile("scan.tif", PageJpeg(40, 30)));
    TStripForm form(48, 240, true);
    Scan(form);
    EXPECT_TRUE(form.strip->FImageList.empty());
    EXPECT_EQ(Messages(TMessageKind::mkInformation),
              std::vector<std::string>{"不支持当前图片格式，请重新指定！|提示"});
}

} // namespace
