// Basic records as the variant arrays in which they cross the boundary and the workbench's
// connection: they come back field for field, and values that are no record are refused.
#include "Interface/HostControlValues.h"

#include <gtest/gtest.h>

using namespace tkv;

TEST(HostControlValuesTest, RecordsComeBackFieldForField) {
    const std::vector<TBasicRecord> records{{"00001", 1, "重庆康源药业有限公司", "GY001", 0},
                                            {"000020001", 27, "阿莫西林胶囊", "SP001", 3}};
    const std::vector<TBasicRecord> back = RecordsFromVariant(RecordsToVariant(records));
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[1].TypeId, "000020001");
    EXPECT_EQ(back[1].Rec, 27);
    EXPECT_EQ(back[1].FullName, "阿莫西林胶囊");
    EXPECT_EQ(back[1].UserCode, "SP001");
    EXPECT_EQ(back[1].SonNum, 3);
    EXPECT_TRUE(RecordsFromVariant(OleVariant::Null()).empty()) << "no answer is no records";
}

TEST(HostControlValuesTest, ValuesThatAreNoRecordAreRefused) {
    EXPECT_THROW(RecordFromVariant(OleVariant::VarArray({OleVariant("00001"), OleVariant(1)})), EVariantError);
    EXPECT_THROW(RecordFromVariant(OleVariant("00001")), EVariantError);
    EXPECT_THROW(RecordFromVariant(OleVariant::VarArray({OleVariant("T"), OleVariant("not a number"), OleVariant(""),
                                                         OleVariant(""), OleVariant(0)})),
                 EVariantError);
    EXPECT_THROW(RecordsFromVariant(OleVariant::VarArray({OleVariant(1)})), EVariantError);
}
