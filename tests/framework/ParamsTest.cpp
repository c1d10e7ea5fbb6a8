// Parameter lists and parameter packets: packing, unpacking and the packets that must be left alone.
#include "framework/Params.h"
#include "framework/DataSet.h"
#include "framework/FieldType.h"

#include <gtest/gtest.h>

using namespace tkv;

namespace {

OleVariant Element(OleVariant::Array values) {
    return OleVariant::VarArray(std::move(values));
}

TParams OneParam() {
    TParams params;
    params.Add({"@old", OleVariant(1)});
    return params;
}

} // namespace

TEST(Params, FindsByNameWithoutLetterCase) {
    TParams params;
    params.Add({"@VoiceID", OleVariant(5)});
    ASSERT_NE(params.FindParam("@voiceid"), nullptr);
    EXPECT_EQ(params.ParamByName("@VOICEID").Value.AsInteger(), 5);
    EXPECT_EQ(params.FindParam("@other"), nullptr);
    try {
        params.ParamByName("@other");
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_STREQ(e.what(), "Parameter '@other' not found");
    }
}

TEST(Params, PackageAndUnpackRoundTrip) {
    TParams params;
    params.Add({"@voiceid", OleVariant(7), TFieldType::ftInteger, TParamType::ptOutput, 4, 10, 0});
    params.Add({"@name", OleVariant("发票"), TFieldType::ftWideString, TParamType::ptInput, 50, 0, 0});
    params.Add(
        {"@amount", OleVariant::Currency(1.25), TFieldType::ftBCD, TParamType::ptInputOutput, 8, 18, 4});
    const OleVariant packet = PackageParams(params);
    ASSERT_TRUE(packet.IsArray());
    ASSERT_EQ(packet.Elements().size(), 3u);
    const OleVariant::Array& first = packet.Elements()[0].Elements();
    ASSERT_EQ(first.size(), 7u);
    EXPECT_EQ(first[0].AsString(), "@voiceid");
    EXPECT_EQ(first[2].AsInteger(), 3); // ftInteger ordinal
    EXPECT_EQ(first[3].AsInteger(), 2); // output

    TParams back;
    ASSERT_TRUE(UnpackParams(packet, back));
    ASSERT_EQ(back.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(back.Items(i).Name, params.Items(i).Name);
        EXPECT_EQ(back.Items(i).Value, params.Items(i).Value);
        EXPECT_EQ(back.Items(i).DataType, params.Items(i).DataType);
        EXPECT_EQ(back.Items(i).ParamType, params.Items(i).ParamType);
        EXPECT_EQ(back.Items(i).Size, params.Items(i).Size);
        EXPECT_EQ(back.Items(i).Precision, params.Items(i).Precision);
        EXPECT_EQ(back.Items(i).NumericScale, params.Items(i).NumericScale);
    }
}

TEST(Params, EmptyListPackagesAsNull) {
    EXPECT_TRUE(PackageParams(TParams()).IsNull());
}

TEST(Params, UnpackReplacesPreviousContent) {
    TParams params = OneParam();
    ASSERT_TRUE(UnpackParams(OleVariant::VarArray({Element({"@new", 2})}), params));
    ASSERT_EQ(params.Count(), 1);
    EXPECT_EQ(params.Items(0).Name, "@new");
    EXPECT_EQ(params.FindParam("@old"), nullptr);
}

TEST(Params, ShortElementsTakeWhatTheyHave) {
    TParams params;
    ASSERT_TRUE(UnpackParams(
        OleVariant::VarArray({Element({"@a", 1}), Element({"@b"}), Element({}), Element({"@c", "x", 24, 2})}),
        params));
    ASSERT_EQ(params.Count(), 4);
    EXPECT_EQ(params.Items(0).Value.AsInteger(), 1);
    EXPECT_EQ(params.Items(0).DataType, TFieldType::ftUnknown);
    EXPECT_EQ(params.Items(0).ParamType, TParamType::ptUnknown);
    EXPECT_EQ(params.Items(1).Name, "@b");
    EXPECT_TRUE(params.Items(1).Value.IsEmpty());
    EXPECT_EQ(params.Items(2).Name, "");
    EXPECT_EQ(params.Items(3).DataType, TFieldType::ftWideString);
    EXPECT_EQ(params.Items(3).ParamType, TParamType::ptOutput);
    EXPECT_EQ(params.Items(3).Size, 0);
}

TEST(Params, PacketsThatAreNotParameterPacketsLeaveTheListUnchanged) {
    const OleVariant notPackets[] = {
        OleVariant::Null(),
        OleVariant(),
        OleVariant(5),
        OleVariant("@a"),
        OleVariant::VarArray({}),
        OleVariant::VarArray({OleVariant("@a"), OleVariant(1)}), // first element not an array
        OleVariant::ByteArray({1, 2, 3}),
        OleVariant::VarArray({OleVariant::ByteArray({1})}),
    };
    for (const OleVariant& packet : notPackets) {
        TParams params = OneParam();
        EXPECT_FALSE(UnpackParams(packet, params)) << OleVariant::TypeName(packet.VarType());
        ASSERT_EQ(params.Count(), 1);
        EXPECT_EQ(params.Items(0).Name, "@old");
    }
}

TEST(Params, BadLaterElementRaisesAndKeepsTheList) {
    TParams params = OneParam();
    EXPECT_THROW(UnpackParams(OleVariant::VarArray({Element({"@a", 1}), OleVariant(3)}), params),
                 EDatabaseError);
    try {
        UnpackParams(OleVariant::VarArray({Element({"@a", 1, "abc"})}), params);
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Invalid parameter packet: data type of parameter 1: ", 0), 0u)
            << e.what();
    }
    ASSERT_EQ(params.Count(), 1);
    EXPECT_EQ(params.Items(0).Name, "@old");
}

TEST(Params, OutOfRangeOrdinalsBecomeUnknown) {
    TParams params;
    ASSERT_TRUE(UnpackParams(OleVariant::VarArray({Element({"@a", 1, 999, -1})}), params));
    EXPECT_EQ(params.Items(0).DataType, TFieldType::ftUnknown);
    EXPECT_EQ(params.Items(0).ParamType, TParamType::ptUnknown);
}

TEST(FieldType, VarTypeToDataType) {
    EXPECT_EQ(VarTypeToDataType(varSmallint), TFieldType::ftSmallint);
    EXPECT_EQ(VarTypeToDataType(varInteger), TFieldType::ftInteger);
    EXPECT_EQ(VarTypeToDataType(varDouble), TFieldType::ftFloat);
    EXPECT_EQ(VarTypeToDataType(varSingle), TFieldType::ftFloat);
    EXPECT_EQ(VarTypeToDataType(varCurrency), TFieldType::ftCurrency);
    EXPECT_EQ(VarTypeToDataType(varDate), TFieldType::ftDateTime);
    EXPECT_EQ(VarTypeToDataType(varOleStr), TFieldType::ftWideString);
    EXPECT_EQ(VarTypeToDataType(varBoolean), TFieldType::ftBoolean);
    EXPECT_EQ(VarTypeToDataType(varInt64), TFieldType::ftLargeint);
    EXPECT_EQ(VarTypeToDataType(varArray | varByte), TFieldType::ftBlob);
    EXPECT_EQ(VarTypeToDataType(varEmpty), TFieldType::ftUnknown);
    EXPECT_EQ(VarTypeToDataType(varNull), TFieldType::ftUnknown);
    EXPECT_EQ(VarTypeToDataType(varArray | varVariant), TFieldType::ftUnknown);
}
