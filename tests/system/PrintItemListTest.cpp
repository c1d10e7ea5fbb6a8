// TPrintItemList: lookup without letter case, overwrite on Add, the default item.
#include "system/PrintItemList.h"

#include <gtest/gtest.h>

namespace tkv {
namespace {

TEST(PrintItemList, StartsEmptyWithoutTheDefaultItem) {
    TPrintItemList list;
    EXPECT_EQ(list.Count(), 0);
    EXPECT_FALSE(list.FPRINTONLYONCE);
    EXPECT_EQ(list.FindByName("RWX"), -1);
}

TEST(PrintItemList, FindByNameIgnoresLetterCase) {
    TPrintItemList list;
    list.Add("Title", OleVariant("a"), vtString);
    list.Add("Count", OleVariant(3), vtInteger);
    EXPECT_EQ(list.FindByName("count"), 1);
    EXPECT_EQ(list.FindByName("TITLE"), 0);
    EXPECT_EQ(list.FindByName("other"), -1);
}

TEST(PrintItemList, AddIgnoresEmptyNameAndOverwritesAMatch) {
    TPrintItemList list;
    list.Add("", OleVariant("x"), vtString);
    EXPECT_EQ(list.Count(), 0);
    list.Add("Total", OleVariant(1.5), vtDouble);
    list.Add("TOTAL", OleVariant(7), vtInteger);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items(0).Name, "TOTAL");
    EXPECT_EQ(list.Items(0).Value.AsInteger(), 7);
    EXPECT_EQ(list.Items(0).DataType, vtInteger);
}

TEST(PrintItemList, AddWithNotExistKeepsTheFirstValue) {
    TPrintItemList list;
    list.AddWithNotExist("k", OleVariant("first"), vtString);
    list.AddWithNotExist("K", OleVariant("second"), vtString);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items(0).Value.AsString(), "first");
}

TEST(PrintItemList, DefaultItemIsAddedOnce) {
    TPrintItemList list;
    list.AddDefaultItems();
    list.AddDefaultItems();
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items(0).Name, "RWX");
    EXPECT_EQ(list.Items(0).Value.AsString(), "RWX");
    EXPECT_EQ(list.Items(0).DataType, vtString);

    TPrintItemList own;
    own.Add("rwx", OleVariant("mine"), vtString);
    own.AddDefaultItems();
    ASSERT_EQ(own.Count(), 1);
    EXPECT_EQ(own.Items(0).Value.AsString(), "mine");
}

TEST(PrintItemList, ClearEmptiesTheList) {
    TPrintItemList list;
    list.Add("a", OleVariant(1), vtInteger);
    list.Add("b", OleVariant(2), vtInteger);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.FindByName("a"), -1);
    EXPECT_THROW(list.Items(0), std::out_of_range);
}

} // namespace
} // namespace tkv
