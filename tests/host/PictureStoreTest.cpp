// The picture store: what is saved comes back byte for byte, absent pictures answer nothing, and
// names that would leave the store folder are refused.
#include "host/PictureStore.h"

#include "db/TempFolder.h"
#include "host/db/HostDatabase.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using tkv::host::HostError;
using tkv::host::TPictureStore;

const std::vector<std::uint8_t> kJpeg = {0xFF, 0xD8, 0xFF, 0xE0, 1, 2, 3, 0, 4, 0xFF, 0xD9};

int FilesIn(const std::filesystem::path& folder) {
    int files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder))
        ++files;
    return files;
}

TEST(PictureStore, RoundTripWithOrdinalsAndNamesFromTheStore) {
    tkv::host::testing::TempFolder tmp;
    TPictureStore store(tmp.Path() / "pics");
    std::int32_t ord = -5;
    std::string name = "caller's name is ignored";
    ASSERT_TRUE(store.Save(kJpeg, ord, name));
    EXPECT_EQ(ord, 1);
    EXPECT_EQ(name, "IMG00000001.jpg");
    std::vector<std::uint8_t> second = kJpeg;
    second.push_back(0x42);
    std::int32_t ord2 = 0;
    std::string name2;
    ASSERT_TRUE(store.Save(second, ord2, name2));
    EXPECT_EQ(ord2, 2);
    EXPECT_EQ(store.Load(ord, name), kJpeg);
    EXPECT_EQ(store.Load(ord2, name2), second);
    // No temporary file is left behind.
    EXPECT_EQ(FilesIn(store.Folder()), 2);
}

TEST(PictureStore, ReopenedStoreContinuesTheOrdinals) {
    tkv::host::testing::TempFolder tmp;
    {
        TPictureStore store(tmp.Path());
        std::int32_t ord;
        std::string name;
        ASSERT_TRUE(store.Save(kJpeg, ord, name));
        ASSERT_TRUE(store.Save(kJpeg, ord, name));
    }
    TPictureStore store(tmp.Path());
    std::int32_t ord;
    std::string name;
    ASSERT_TRUE(store.Save(kJpeg, ord, name));
    EXPECT_EQ(ord, 3);
    EXPECT_EQ(name, "IMG00000003.jpg");
}

TEST(PictureStore, TwoStoresOnOneFolderNeverOverwriteEachOthersPictures) {
    tkv::host::testing::TempFolder tmp;
    TPictureStore first(tmp.Path());
    TPictureStore second(tmp.Path()); // opened before the first one stored anything
    std::vector<std::uint8_t> other = kJpeg;
    other.push_back(0x77);
    std::int32_t ord1 = 0, ord2 = 0, ord3 = 0;
    std::string name1, name2, name3;
    ASSERT_TRUE(first.Save(kJpeg, ord1, name1));
    ASSERT_TRUE(second.Save(other, ord2, name2));
    ASSERT_TRUE(first.Save(other, ord3, name3));
    EXPECT_EQ(ord1, 1);
    EXPECT_EQ(ord2, 2);
    EXPECT_EQ(ord3, 3);
    EXPECT_EQ(first.Load(ord1, name1), kJpeg);
    EXPECT_EQ(first.Load(ord2, name2), other);
    EXPECT_EQ(FilesIn(tmp.Path()), 3); // no temporary file is left behind
}

TEST(PictureStore, NonJpegBytesAreNotStored) {
    tkv::host::testing::TempFolder tmp;
    TPictureStore store(tmp.Path());
    std::int32_t ord = 9;
    std::string name = "x";
    EXPECT_FALSE(store.Save({'B', 'M', 0, 0, 0}, ord, name));
    EXPECT_FALSE(store.Save({}, ord, name));
    EXPECT_EQ(ord, 9);
    EXPECT_EQ(name, "x");
    EXPECT_TRUE(std::filesystem::is_empty(tmp.Path()));
}

TEST(PictureStore, AbsentPictureAnswersNothing) {
    tkv::host::testing::TempFolder tmp;
    TPictureStore store(tmp.Path());
    EXPECT_FALSE(store.Load(1, "IMG00000001.jpg").has_value());
    EXPECT_FALSE(store.Remove(1, "IMG00000001.jpg"));
}

TEST(PictureStore, NamesLeavingTheFolderAreRefused) {
    tkv::host::testing::TempFolder tmp;
    std::ofstream(tmp.Path() / "secret.jpg") << "outside";
    TPictureStore store(tmp.Path() / "pics");
    for (const std::string& bad :
         std::vector<std::string>{"../secret.jpg", "..", ".", "", "/etc/passwd", "sub/a.jpg",
                                  "..\\secret.jpg", "C:secret.jpg", std::string("a\0b", 3)}) {
        EXPECT_THROW(store.Load(1, bad), HostError) << bad;
        EXPECT_THROW(store.Remove(1, bad), HostError) << bad;
    }
    EXPECT_TRUE(std::filesystem::exists(tmp.Path() / "secret.jpg"));
}

TEST(PictureStore, RemoveDeletesTheFile) {
    tkv::host::testing::TempFolder tmp;
    TPictureStore store(tmp.Path());
    std::int32_t ord;
    std::string name;
    ASSERT_TRUE(store.Save(kJpeg, ord, name));
    EXPECT_TRUE(store.Remove(ord, name));
    EXPECT_FALSE(store.Load(ord, name).has_value());
}

TEST(PictureStore, UncreatableFolderIsAHostError) {
    tkv::host::testing::TempFolder tmp;
    std::ofstream(tmp.Path() / "file") << "x";
    EXPECT_THROW(TPictureStore(tmp.Path() / "file" / "pics"), HostError);
}

} // namespace

namespace {

TEST(PictureStore, RestoredPicturesAreReadAndOrdinalsContinueAfterThem) {
    tkv::host::testing::TempFolder tmp;
    TPictureStore store(tmp.Path());
    store.Restore(40, "IMG00000040.jpg", kJpeg);
    store.Restore(3, "demo-3.jpg", kJpeg);
    EXPECT_EQ(store.Load(40, "IMG00000040.jpg"), kJpeg);
    EXPECT_EQ(store.Load(3, "demo-3.jpg"), kJpeg);
    std::int32_t ord;
    std::string name;
    ASSERT_TRUE(store.Save(kJpeg, ord, name));
    EXPECT_EQ(ord, 41);
    EXPECT_THROW(store.Restore(1, "../x.jpg", kJpeg), HostError);
}

} // namespace
