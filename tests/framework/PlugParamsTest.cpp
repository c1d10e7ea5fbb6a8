// TPlugParams: replacing by name, keeping emptied places, and the packet handed to the host.
#include "framework/PlugParams.h"
#include "framework/FieldType.h"
#include "framework/Params.h"

#include <gtest/gtest.h>

using namespace tkv;

TEST(PlugParams, EmptyListGivesNull) {
    TPlugParams params;
    EXPECT_TRUE(params.GetOleParams().IsNull());
    EXPECT_TRUE(params.OleParams().IsNull());
}

TEST(PlugParams, AddReplacesWithoutLetterCaseAndKeepsStoredName) {
    TPlugParams params;
    params.Add("JzLsh", OleVariant("1"));
    params.Add("jzlsh", OleVariant("2"));
    params.Add("other", OleVariant(3));
    ASSERT_EQ(params.Count(), 2);
    EXPECT_EQ(params.Item(0).ParamName, "JzLsh");
    EXPECT_EQ(params.Item(0).ParamValue.AsString(), "2");
}

TEST(PlugParams, ClearKeepsPlacesAndAddRefillsThemFirst) {
    TPlugParams params;
    params.Add("a", OleVariant(1));
    params.Add("b", OleVariant(2));
    params.Add("c", OleVariant(3));
    params.Clear();
    ASSERT_EQ(params.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(params.Item(i).ParamName, "");
        EXPECT_TRUE(params.Item(i).ParamValue.IsNull());
    }
    params.Add("x", OleVariant(10));
    params.Add("y", OleVariant(20));
    EXPECT_EQ(params.Count(), 3);
    EXPECT_EQ(params.Item(0).ParamName, "x");
    EXPECT_EQ(params.Item(1).ParamName, "y");
    EXPECT_EQ(params.Item(2).ParamName, "");
    params.Add("z", OleVariant(30));
    params.Add("w", OleVariant(40));
    ASSERT_EQ(params.Count(), 4);
    EXPECT_EQ(params.Item(2).ParamName, "z");
    EXPECT_EQ(params.Item(3).ParamName, "w");
}

TEST(PlugParams, ClearedListPackagesEmptyNamedNullEntries) {
    TPlugParams params;
    params.Add("a", OleVariant(1));
    params.Add("b", OleVariant(2));
    params.Clear();
    const OleVariant packet = params.GetOleParams();
    ASSERT_FALSE(packet.IsNull());
    TParams back;
    ASSERT_TRUE(UnpackParams(packet, back));
    ASSERT_EQ(back.Count(), 2);
    EXPECT_EQ(back.Items(0).Name, "");
    EXPECT_TRUE(back.Items(0).Value.IsNull());
    EXPECT_EQ(back.Items(1).DataType, TFieldType::ftUnknown);
}

TEST(PlugParams, PacketCarriesNamesValuesAndTypes) {
    TPlugParams params;
    params.Add("jzlsh", OleVariant("20170807001"));
    params.Add("total", OleVariant(12.5));
    params.Add("ok", OleVariant(true));
    TParams back;
    ASSERT_TRUE(UnpackParams(params.GetOleParams(), back));
    ASSERT_EQ(back.Count(), 3);
    EXPECT_EQ(back.ParamByName("JZLSH").Value.AsString(), "20170807001");
    EXPECT_EQ(back.Items(0).DataType, TFieldType::ftWideString);
    EXPECT_EQ(back.Items(1).DataType, TFieldType::ftFloat);
    EXPECT_EQ(back.Items(1).Value.AsDouble(), 12.5);
    EXPECT_EQ(back.Items(2).DataType, TFieldType::ftBoolean);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(back.Items(i).ParamType, TParamType::ptUnknown);
        EXPECT_EQ(back.Items(i).Size, 0);
        EXPECT_EQ(back.Items(i).Precision, 0);
        EXPECT_EQ(back.Items(i).NumericScale, 0);
    }
}
