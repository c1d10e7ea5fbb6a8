// ZipFiles on real files: every archive opened again with libzip, entries compared byte for byte.
#include "printing/ZipFiles.h"
#include "../platform/TempDir.h"
#include "printing/ZipFileSource.h"
#include "sim/SimJpeg.h"

#include <chrono>
#include <filesystem>
#include <gmock/gmock.h>
#include <map>
#include <random>
#include <zip.h>

namespace {

using namespace tkv;
using ::testing::ElementsAre;
using tkv::test::ReadBytes;
using tkv::test::TTempDir;
using tkv::test::WriteBytes;
namespace fs = std::filesystem;

struct Entry {
    std::string Name;
    std::string Data;
    std::uint16_t Method = 0;
    std::uint64_t CompressedSize = 0;
    time_t Mtime = 0;
};

// The entries of an archive as libzip reads them back (CRC checked while reading).
std::vector<Entry> ReadArchive(const std::string& file) {
    int error = 0;
    zip_t* za = zip_open(file.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!za)
        throw std::runtime_error("cannot open " + file + ": " + std::to_string(error));
    std::vector<Entry> entries;
    for (zip_int64_t i = 0; i < zip_get_num_entries(za, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(za, static_cast<zip_uint64_t>(i), 0, &st);
        Entry e{st.name, std::string(st.size, '\0'), st.comp_method, st.comp_size, st.mtime};
        zip_file_t* f = zip_fopen_index(za, static_cast<zip_uint64_t>(i), 0);
        const zip_int64_t n = zip_fread(f, e.Data.data(), st.size);
        EXPECT_EQ(n, static_cast<zip_int64_t>(st.size)) << e.Name;
        EXPECT_EQ(zip_fclose(f), 0) << e.Name; // a CRC mismatch shows here
        entries.push_back(std::move(e));
    }
    zip_close(za);
    return entries;
}

std::string RandomBytes(std::size_t n, unsigned seed) {
    std::mt19937 engine(seed);
    std::string out(n, '\0');
    for (char& c : out)
        c = static_cast<char>(engine());
    return out;
}

// A photographed page: JPEG of grainy pixels, whose coded data hardly compresses.
std::string NoisyJpegText(int width, int height, unsigned seed) {
    std::mt19937 engine(seed);
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
    for (auto& c : rgb)
        c = static_cast<std::uint8_t>(160 + engine() % 96);
    const auto bytes = sim::EncodeJpeg(rgb, width, height);
    return std::string(bytes.begin(), bytes.end());
}

std::string JpegText(std::uint32_t seed) {
    const auto bytes = sim::InvoicePageJpeg(320, 240, seed);
    return std::string(bytes.begin(), bytes.end());
}

// Sets the file's modification time to a whole, even second (ZIP times have two-second steps).
time_t SetMtime(const std::string& file, time_t when) {
    const auto sys = std::chrono::system_clock::from_time_t(when);
    fs::last_write_time(file, std::chrono::file_clock::from_sys(sys));
    return when;
}

class ZipFilesTest : public ::testing::Test {
protected:
    TTempDir dir;
    std::string Write(const std::string& name, const std::string& data) {
        const std::string file = dir.File(name);
        WriteBytes(file, data);
        return file;
    }
};

TEST_F(ZipFilesTest, DeflateEntriesUnderBareNamesWithTheFilesOwnTimes) {
    fs::create_directories(dir.File("temp"));
    const std::string a = Write("temp/3-1.jpg", JpegText(1));
    const std::string b = Write("temp/3-2.jpg", RandomBytes(300000, 2));
    const std::string c = Write("temp/3-3.jpg", std::string(200000, 'x') + JpegText(3));
    const time_t t1 = SetMtime(a, 1500000000), t2 = SetMtime(b, 1600000000), t3 = SetMtime(c, 1700000000);
    const std::string archive = dir.File("甲公司-20170807130509.zip");
    ASSERT_TRUE(ZipFiles(archive, {a, b, c}, false));

    const std::vector<Entry> entries = ReadArchive(archive);
    ASSERT_EQ(entries.size(), 3u);
    const std::string expected[] = {ReadBytes(a), ReadBytes(b), ReadBytes(c)};
    const time_t times[] = {t1, t2, t3};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(entries[i].Name, "3-" + std::to_string(i + 1) + ".jpg");
        EXPECT_EQ(entries[i].Method, ZIP_CM_DEFLATE);
        EXPECT_EQ(entries[i].Data, expected[i]);
        EXPECT_EQ(entries[i].Mtime, times[i]);
    }
    // Data that hardly compresses goes in stored blocks; a compressible start is compressed.
    EXPECT_LT(entries[1].CompressedSize, 300000u + 300000u / 1000);
    EXPECT_LT(entries[2].CompressedSize, entries[2].Data.size() / 2);
    EXPECT_TRUE(fs::exists(a) && fs::exists(b) && fs::exists(c));
}

TEST_F(ZipFilesTest, SourcesAreDeletedOnceTheArchiveHoldsThem) {
    const std::string a = Write("1-1.jpg", JpegText(1));
    ASSERT_TRUE(ZipFiles(dir.File("out.zip"), {a}, true));
    EXPECT_FALSE(fs::exists(a));
    EXPECT_EQ(ReadArchive(dir.File("out.zip")).size(), 1u);
}

TEST_F(ZipFilesTest, MissingFilesAreLeftOutAndNothingAddedIsFalse) {
    const std::string a = Write("2-1.jpg", JpegText(1));
    ASSERT_TRUE(ZipFiles(dir.File("one.zip"), {dir.File("gone.jpg"), a, dir.Path()}, false));
    const auto entries = ReadArchive(dir.File("one.zip"));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Name, "2-1.jpg");

    EXPECT_FALSE(ZipFiles(dir.File("none.zip"), {dir.File("gone.jpg")}, true));
    EXPECT_FALSE(fs::exists(dir.File("none.zip")));
    EXPECT_FALSE(ZipFiles(dir.File("none.zip"), {}, true));
    EXPECT_FALSE(fs::exists(dir.File("none.zip")));
}

TEST_F(ZipFilesTest, AnExistingArchiveIsReplacedByACompleteNewOneOnly) {
    const std::string archive = Write("same.zip", "an older archive of the same second");
    const std::string a = Write("1-1.jpg", JpegText(1));
    // Nothing to add: the old archive stays as it is.
    EXPECT_FALSE(ZipFiles(archive, {dir.File("gone.jpg")}, true));
    EXPECT_EQ(ReadBytes(archive), "an older archive of the same second");
    ASSERT_TRUE(ZipFiles(archive, {a}, false));
    EXPECT_EQ(ReadArchive(archive).size(), 1u);
}

TEST_F(ZipFilesTest, AFailingArchiveAnswersFalseAndKeepsTheSources) {
    const std::string a = Write("1-1.jpg", JpegText(1));
    // The archive's name is taken by a folder with a file in it.
    const std::string archive = dir.File("busy.zip");
    fs::create_directories(archive);
    WriteBytes(archive + "/keep.txt", "kept");
    EXPECT_FALSE(ZipFiles(archive, {a}, true));
    EXPECT_TRUE(fs::exists(a));
    EXPECT_EQ(ReadBytes(archive + "/keep.txt"), "kept");
    // A folder of the archive's path that does not exist.
    EXPECT_FALSE(ZipFiles(dir.File("no/such/folder/x.zip"), {a}, true));
    EXPECT_TRUE(fs::exists(a));
    // No file of the folder is left behind by the failed attempts.
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir.Path()))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_THAT(names, ElementsAre("1-1.jpg", "busy.zip"));
}

TEST_F(ZipFilesTest, AFileThatCannotBeReadFailsTheArchiveAndKeepsTheOldOne) {
    if (!fs::exists("/proc/self/mem"))
        GTEST_SKIP() << "needs a file whose reading fails";
    const std::string archive = Write("old.zip", "old");
    const std::string a = Write("1-1.jpg", JpegText(1));
    EXPECT_FALSE(ZipFiles(archive, {a, "/proc/self/mem"}, true));
    EXPECT_EQ(ReadBytes(archive), "old");
    EXPECT_TRUE(fs::exists(a));
}

TEST(DeflateLevel, StoredBlocksForDataThatHardlyCompresses) {
    const std::string random = RandomBytes(16384, 9);
    EXPECT_EQ(DeflateLevelFor(reinterpret_cast<const std::uint8_t*>(random.data()), random.size()), 0);
    const std::string text(16384, 'a');
    EXPECT_EQ(DeflateLevelFor(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), 6);
    const std::string jpeg = NoisyJpegText(256, 256, 4).substr(0, 16384);
    ASSERT_EQ(jpeg.size(), 16384u);
    EXPECT_EQ(DeflateLevelFor(reinterpret_cast<const std::uint8_t*>(jpeg.data()), jpeg.size()), 0);
}

} // namespace
