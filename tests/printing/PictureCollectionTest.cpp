// The two-level picture collection: order of entries and ownership of lists and pictures.
#include "printing/PictureCollection.h"
#include "sim/SimJpeg.h"

#include <gmock/gmock.h>

namespace {

using namespace tkv;

std::shared_ptr<TJPEGImage> Picture(std::uint32_t seed) {
    return std::make_shared<TJPEGImage>(sim::InvoicePageJpeg(16, 16, seed));
}

TEST(PictureCollection, KeysInTheOrderAddedAndFoundByText) {
    TPictFileList list;
    list.Add("30", Picture(1));
    list.Add("4", Picture(2));
    EXPECT_EQ(list.IndexOf("4"), 1);
    EXPECT_EQ(list.IndexOf("04"), -1); // picture ids are matched as texts
    EXPECT_EQ(list.Key(0), "30");
}

TEST(PictureCollection, DeletingAnEntryReleasesItsPicture) {
    TPictFileList list;
    auto kept = Picture(1);
    std::weak_ptr<TJPEGImage> removed = kept;
    list.Add("1", std::move(kept));
    list.Add("2", Picture(2));
    list.Delete(0);
    EXPECT_TRUE(removed.expired());
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Key(0), "2");
    EXPECT_THROW(list.Delete(5), std::out_of_range);
}

TEST(PictureCollection, ClearingReleasesEverySupplierListWithItsPictures) {
    TAllPictFileList all;
    std::vector<std::weak_ptr<TJPEGImage>> pictures;
    for (const char* brec : {"7", "3"}) {
        auto list = std::make_unique<TPictFileList>();
        for (std::uint32_t seed = 1; seed <= 2; ++seed) {
            auto picture = Picture(seed);
            pictures.push_back(picture);
            list->Add(std::to_string(seed), std::move(picture));
        }
        all.Add(brec, std::move(list));
    }
    EXPECT_EQ(all.IndexOf("3"), 1);
    EXPECT_EQ(all.List(0).Count(), 2);
    all.Clear();
    EXPECT_EQ(all.Count(), 0);
    for (const auto& p : pictures)
        EXPECT_TRUE(p.expired());
}

} // namespace
