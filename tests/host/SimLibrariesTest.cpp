// The stand-in libraries as the plug-in meets them: loaded by file name, entry points by exported
// name, code page 936 texts, a 5000-byte output buffer, the scanner's picture file.
#include "sim/CodePage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <jpeglib.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

class Library {
public:
    explicit Library(const std::string& name)
        : handle_(dlopen((std::string(TKV_SIM_DIR) + "/" + name).c_str(), RTLD_NOW)) {}
    ~Library() {
        if (handle_)
            dlclose(handle_);
    }
    bool Loaded() const { return handle_ != nullptr; }
    template <class F> F Entry(const char* name) const { return reinterpret_cast<F>(dlsym(handle_, name)); }

private:
    void* handle_;
};

using InitFn = std::int32_t (*)();
using BusinessFn = std::int32_t (*)(const char*, char*);
using ScanFn = std::int32_t (*)(std::uint8_t*);
using SavePathFn = std::int32_t (*)(char**);

TEST(SimInsuranceLibrary, EntryPointsAnswerInCodePage936) {
    Library lib("SiInterface.dll");
    ASSERT_TRUE(lib.Loaded()) << dlerror();
    auto init = lib.Entry<InitFn>("INIT");
    auto handle = lib.Entry<BusinessFn>("BUSINESS_HANDLE");
    ASSERT_TRUE(init && handle);
    EXPECT_EQ(init(), 0);
    std::vector<char> out(5000, 'x');
    EXPECT_EQ(handle("31", out.data()), 0);
    EXPECT_STREQ(out.data(), "1|1000123456");
    EXPECT_EQ(handle("01|1000123456|1", out.data()), 0);
    const std::string answer(out.data());
    EXPECT_EQ(answer.substr(0, 2 + 4), "1|" + tkv::sim::Utf8ToGbk("张三")); // two bytes per character
    EXPECT_EQ(tkv::sim::GbkToUtf8(answer).substr(0, 8), "1|张三");
    EXPECT_EQ(handle("88|x", out.data()), -1);
    EXPECT_EQ(tkv::sim::GbkToUtf8(out.data()), "不支持的业务代码:88");
}

TEST(SimInsuranceLibrary, OperatorNameInCodePage936ArrivesIntact) {
    Library lib("SiInterface.dll");
    ASSERT_TRUE(lib.Loaded());
    auto handle = lib.Entry<BusinessFn>("BUSINESS_HANDLE");
    std::vector<char> out(5000);
    const std::string line = tkv::sim::Utf8ToGbk("07|卡");
    EXPECT_EQ(handle(line.c_str(), out.data()), 0);
    EXPECT_EQ(tkv::sim::GbkToUtf8(out.data()), "0|卡号不存在:卡");
}

// A client's INIT connects; it does not make the service forget a visit or a settlement.
TEST(SimInsuranceLibrary, InitKeepsWhatTheServiceHolds) {
    Library lib("SiInterface.dll");
    ASSERT_TRUE(lib.Loaded());
    auto init = lib.Entry<InitFn>("INIT");
    auto handle = lib.Entry<BusinessFn>("BUSINESS_HANDLE");
    std::vector<char> out(5000);
    auto request = [&](const std::string& utf8) {
        handle(tkv::sim::Utf8ToGbk(utf8).c_str(), out.data());
        return tkv::sim::GbkToUtf8(out.data());
    };
    ASSERT_EQ(request("02|KEEP1|10|1000654321|P001|P001|2026-12-09||收银员||||||10|1").substr(0, 2), "1|");
    ASSERT_EQ(init(), 0);
    EXPECT_EQ(request("04|KEEP1|LSK|2026-12-09 10:00:00|XA11GAV008A001010104532|SP005|维生素C片|4.2|1|0|"
                      "0000000001|收银员|瓶|0.1g*100片|片剂||4.2|P001|P001|00001||||1"),
              "1");
    ASSERT_EQ(request("06|KEEP1||0|4.2||1|1").substr(0, 2), "1|");
    ASSERT_EQ(request("05|KEEP1|0|0|收银员|0||4.2|1|1|00169").substr(0, 2), "1|");
    ASSERT_EQ(init(), 0);
    EXPECT_EQ(request("05|KEEP1|0|0|收银员|0||4.2|1|1|00169"), "0|就诊已经结算");
    EXPECT_EQ(request("99|JSKEEP1|收银员|KEEP1|0|1"), "1");
}

TEST(SimInsuranceLibrary, LongAnswerIsCutToTheBuffer) {
    Library lib("SiInterface.dll");
    ASSERT_TRUE(lib.Loaded());
    auto handle = lib.Entry<BusinessFn>("BUSINESS_HANDLE");
    std::vector<char> out(5000, 'x');
    out.push_back('#'); // a guard byte after the buffer
    const std::string line = "07|" + std::string(6000, '9');
    EXPECT_EQ(handle(line.c_str(), out.data()), 0);
    EXPECT_EQ(std::string(out.data()).size(), 4999u);
    EXPECT_EQ(out[5000], '#');
}

TEST(SimInsuranceLibrary, LongAnswerIsCutBetweenTwoCharacters) {
    Library lib("SiInterface.dll");
    ASSERT_TRUE(lib.Loaded());
    auto handle = lib.Entry<BusinessFn>("BUSINESS_HANDLE");
    std::vector<char> out(5000, 'x');
    // The refusal echoes the card number: "0|卡号不存在:x" takes 14 bytes, so two-byte characters
    // after it straddle the 4999th byte.
    std::string card = "x";
    for (int i = 0; i < 3000; ++i)
        card += "卡";
    const std::string line = tkv::sim::Utf8ToGbk("07|" + card);
    EXPECT_EQ(handle(line.c_str(), out.data()), 0);
    const std::string answer(out.data());
    EXPECT_EQ(answer.size(), 4998u);
    const std::string text = tkv::sim::GbkToUtf8(answer);
    EXPECT_EQ(text.find('?'), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 3), "卡");
}

class SimScannerLibrary : public ::testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() / ("tkvscan-test-" + std::to_string(::getpid()));
    void SetUp() override {
        fs::remove_all(dir);
        setenv("TKV_SCAN_DIR", dir.c_str(), 1);
        unsetenv("TKV_SCAN_RESULT");
    }
    void TearDown() override {
        unsetenv("TKV_SCAN_DIR");
        unsetenv("TKV_SCAN_RESULT");
        fs::remove_all(dir);
    }
    std::string SavedPath(SavePathFn savePath) {
        char* p = nullptr;
        EXPECT_EQ(savePath(&p), 0);
        std::string s = p ? p : "";
        std::free(p);
        return s;
    }
};

TEST_F(SimScannerLibrary, ScanWritesADecodableJpegAtTheSavedPath) {
    Library lib("pictureScan.dll");
    ASSERT_TRUE(lib.Loaded()) << dlerror();
    auto scan = lib.Entry<ScanFn>("SCanPicture");
    auto savePath = lib.Entry<SavePathFn>("ScanSavePath");
    ASSERT_TRUE(scan && savePath);
    std::uint8_t scanned = 0;
    ASSERT_EQ(scan(&scanned), 0);
    EXPECT_EQ(scanned, 1);
    const std::string path = SavedPath(savePath);
    ASSERT_TRUE(fs::exists(path)) << path;
    EXPECT_EQ(fs::path(path).parent_path(), dir);

    std::ifstream f(path, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(f)), {});
    ASSERT_GT(bytes.size(), 4u);
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes.data(), bytes.size());
    ASSERT_EQ(jpeg_read_header(&cinfo, TRUE), JPEG_HEADER_OK);
    EXPECT_EQ(cinfo.image_width, 640u);
    EXPECT_EQ(cinfo.image_height, 452u);
    EXPECT_EQ(cinfo.num_components, 3);
    EXPECT_FALSE(cinfo.progressive_mode);
    jpeg_destroy_decompress(&cinfo);

    // A second scan gives a new file.
    ASSERT_EQ(scan(&scanned), 0);
    EXPECT_NE(SavedPath(savePath), path);
}

TEST_F(SimScannerLibrary, CancelReportsFalseAndFailReportsAFailureStatus) {
    Library lib("pictureScan.dll");
    ASSERT_TRUE(lib.Loaded());
    auto scan = lib.Entry<ScanFn>("SCanPicture");
    std::uint8_t scanned = 7;
    setenv("TKV_SCAN_RESULT", "cancel", 1);
    EXPECT_EQ(scan(&scanned), 0);
    EXPECT_EQ(scanned, 0);
    EXPECT_FALSE(fs::exists(dir));
    setenv("TKV_SCAN_RESULT", "fail", 1);
    EXPECT_LT(scan(&scanned), 0);
    EXPECT_LT(scan(nullptr), 0);
}

} // namespace
