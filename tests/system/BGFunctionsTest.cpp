// TBGFuncs: the basic-type table, field ranges with their boundaries, and the field classes.
#include "system/BGFunctions_C_VNBJ.h"

#include <gtest/gtest.h>

namespace tkv {
namespace {

class BGFuncsTest : public ::testing::Test {
protected:
    TBGFuncs f;
};

TEST_F(BGFuncsTest, TableOfTheProductType) {
    EXPECT_EQ(f.GetBeginFieldsListOrd(btPtype), 16);
    EXPECT_EQ(f.GetEndFieldList(btPtype), 120);
    EXPECT_EQ(f.GetTypeidField(btPtype), flPTypeid);
    EXPECT_EQ(f.GetSonnumField(btPtype), 17);
    EXPECT_EQ(f.GetRecField(btPtype), 18);
    EXPECT_EQ(f.GetFullNameField(btPtype), flPFullName);
    EXPECT_EQ(f.GetUsercodeField(btPtype), flPUserCode);
    EXPECT_EQ(f.GetBaiscTypesLevels(btPtype), 5);
    EXPECT_EQ(f.HaveRightField(btPtype), flphaveright);
    EXPECT_EQ(f.BasicTypeToChar(btPtype), 'P');
    EXPECT_EQ(f.GetBasicTypeCaption(btPtype), "商品");
}

TEST_F(BGFuncsTest, RowsWhoseColumnsAreOutOfOrder) {
    // The storage place type has its record before its child count; the bill type has no user code.
    EXPECT_EQ(f.GetSonnumField(btGtype), 313);
    EXPECT_EQ(f.GetRecField(btGtype), 312);
    EXPECT_EQ(f.GetRecField(btVchType), 273);
    EXPECT_EQ(f.GetFullNameField(btVchType), 271);
    EXPECT_EQ(f.GetUsercodeField(btVchType), 0);
    EXPECT_EQ(f.GetUsercodeField(btCSType), 333);
    EXPECT_EQ(f.GetFullNameField(btCSType), 334);
    EXPECT_EQ(f.HaveRightField(btKtype), flKHaveRight);
    EXPECT_EQ(f.HaveRightField(btBtype), flBHaveRight);
    EXPECT_EQ(f.HaveRightField(btEtype), 0);
}

TEST_F(BGFuncsTest, CaptionsAndLetters) {
    const struct {
        TBasicType type;
        char letter;
        const char* caption;
        int levels;
    } expected[] = {
        {btNo, 'U', "", 1},
        {btAtype, 'A', "科目", 5},
        {btBtype, 'B', "单位", 5},
        {btEtype, 'E', "职员", 5},
        {btKtype, 'K', "仓库", 5},
        {btGtype, 'G', "货位", 1},
        {btDtype, 'D', "部门", 1},
        {btRtype, 'R', "片区", 1},
        {btVchType, 'V', "单据类型", 1},
        {btMtype, 'M', "门店", 1},
        {btNType, 'U', "", 1},
        {btCSType, 'S', "生产厂商", 5},
        {btLBType, 'L', "商品类别", 5},
        {btAll, 'U', "", 1},
    };
    for (const auto& e : expected) {
        EXPECT_EQ(f.BasicTypeToChar(e.type), e.letter) << int(e.type);
        EXPECT_EQ(f.GetBasicTypeCaption(e.type), e.caption) << int(e.type);
        EXPECT_EQ(f.GetBaiscTypesLevels(e.type), e.levels) << int(e.type);
        std::string s = "x";
        EXPECT_TRUE(f.GetBasicTypeStr(e.type, s));
        EXPECT_EQ(s, e.letter == 'U' ? "" : std::string(1, e.letter));
    }
}

TEST_F(BGFuncsTest, BlocksOfTheWholeAndOfNoType) {
    EXPECT_EQ(f.GetBeginFieldsListOrd(btNo), 1);
    EXPECT_EQ(f.GetEndFieldList(btNo), 0);
    EXPECT_EQ(f.GetBeginFieldsListOrd(btAll), 2);
    EXPECT_EQ(f.GetEndFieldList(btAll), flAssist);
    EXPECT_EQ(f.GetBeginFieldsListOrd(btNType), flNQty);
    EXPECT_EQ(f.GetEndFieldList(static_cast<TBasicType>(15)), 0);
    EXPECT_EQ(f.GetEndFieldList(static_cast<TBasicType>(200)), 0);
}

TEST_F(BGFuncsTest, BasicTypeByFieldBoundariesBelongToTheEarlierRange) {
    EXPECT_EQ(f.GetBasicTypeByField(0), btNo);
    EXPECT_EQ(f.GetBasicTypeByField(1), btAtype);
    EXPECT_EQ(f.GetBasicTypeByField(14), btAtype);
    EXPECT_EQ(f.GetBasicTypeByField(15), btAtype);
    EXPECT_EQ(f.GetBasicTypeByField(16), btPtype);
    EXPECT_EQ(f.GetBasicTypeByField(121), btPtype);
    EXPECT_EQ(f.GetBasicTypeByField(122), btBtype);
    EXPECT_EQ(f.GetBasicTypeByField(190), btBtype);
    EXPECT_EQ(f.GetBasicTypeByField(191), btEtype);
    EXPECT_EQ(f.GetBasicTypeByField(237), btEtype);
    EXPECT_EQ(f.GetBasicTypeByField(255), btKtype);
    EXPECT_EQ(f.GetBasicTypeByField(268), btDtype);
    EXPECT_EQ(f.GetBasicTypeByField(269), btVchType);
    EXPECT_EQ(f.GetBasicTypeByField(275), btVchType);
    EXPECT_EQ(f.GetBasicTypeByField(287), btRtype);
    EXPECT_EQ(f.GetBasicTypeByField(310), btMtype);
    EXPECT_EQ(f.GetBasicTypeByField(311), btGtype);
    EXPECT_EQ(f.GetBasicTypeByField(327), btGtype);
    EXPECT_EQ(f.GetBasicTypeByField(347), btCSType);
    EXPECT_EQ(f.GetBasicTypeByField(357), btLBType);
    EXPECT_EQ(f.GetBasicTypeByField(358), btNType);
    EXPECT_EQ(f.GetBasicTypeByField(392), btNType);
    EXPECT_EQ(f.GetBasicTypeByField(393), btNo);
    EXPECT_EQ(f.GetBasicTypeByField(65535), btNo);
}

TEST_F(BGFuncsTest, OffsetsWithinTheBlock) {
    EXPECT_EQ(f.GetOffSetOrFieldsList(flPFullName), 5);
    EXPECT_EQ(f.GetOffSetOrFieldsList(121), 105);
    EXPECT_EQ(f.GetOffSetOrFieldsList(0), -1); // btNo begins at 1
    EXPECT_EQ(f.GetOffSetOrFieldsList(btBtype, 5), flBFullName);
    EXPECT_EQ(f.GetOffSetOrFieldsList(btAtype, -3), 0xFFFF); // low 16 bits
}

TEST_F(BGFuncsTest, ColumnMembership) {
    EXPECT_TRUE(f.IsTypeIdField(flPTypeid));
    EXPECT_TRUE(f.IsTypeIdField(328));
    EXPECT_FALSE(f.IsTypeIdField(flPFullName));
    EXPECT_FALSE(f.IsTypeIdField(flNull)); // 0 stands for "no such field"
    EXPECT_TRUE(f.IsRecField(312));
    EXPECT_TRUE(f.IsRecField(273));
    EXPECT_FALSE(f.IsRecField(313));
    EXPECT_TRUE(f.IsFullnameField(271));
    EXPECT_FALSE(f.IsFullnameField(flNull));
    EXPECT_TRUE(f.IsUserCodeField(333));
    EXPECT_FALSE(f.IsUserCodeField(334));
    EXPECT_FALSE(f.IsUserCodeField(flNull));
}

TEST_F(BGFuncsTest, HiddenAndSelectableFields) {
    for (TFieldsList field : {2,   6,   16,  20,  31,  122, 126, 141, 195, 238, 242, 248, 256, 258,
                              269, 270, 273, 278, 288, 290, 291, 311, 312, 328, 332, 348, 352})
        EXPECT_TRUE(f.IsBasicHideField(field)) << field;
    for (TFieldsList field : {0, 1, 7, 21, 30, 32, 127, 196, 243, 271, 272, 289, 313, 333, 353})
        EXPECT_FALSE(f.IsBasicHideField(field)) << field;
    for (TFieldsList field : {7,   8,   21,  22,  34,  127, 128, 196, 197, 243, 244, 261,
                              262, 271, 281, 282, 292, 293, 314, 315, 333, 334, 353, 354})
        EXPECT_TRUE(f.IsSelectBasicField(field)) << field;
    EXPECT_FALSE(f.IsSelectBasicField(273));
    EXPECT_FALSE(f.IsSelectBasicField(33));
}

TEST_F(BGFuncsTest, SelectableFieldOfOneType) {
    EXPECT_TRUE(f.IsSelectBasicFieldForOneBasic(btPtype, flPFullName));
    EXPECT_TRUE(f.IsSelectBasicFieldForOneBasic(btPtype, flPUserCode));
    EXPECT_FALSE(f.IsSelectBasicFieldForOneBasic(btPtype, flBFullName));
    EXPECT_TRUE(f.IsSelectBasicFieldForOneBasic(btVchType, 273));
    EXPECT_FALSE(f.IsSelectBasicFieldForOneBasic(btVchType, 271));
    EXPECT_FALSE(f.IsSelectBasicFieldForOneBasic(btVchType, 0));
    for (TBasicType t : {btNo, btNType, btAll})
        for (TFieldsList field : {0, 7, 21, 22, 273})
            EXPECT_FALSE(f.IsSelectBasicFieldForOneBasic(t, field));
}

TEST_F(BGFuncsTest, NumberMoneyAndSummedFields) {
    EXPECT_TRUE(f.IsMemoDateField(273));
    EXPECT_TRUE(f.IsMemoDateField(flNMemo));
    EXPECT_TRUE(f.IsMemoDateField(flNDate));
    EXPECT_TRUE(f.IsMemoDateField(flNVchtype));
    EXPECT_FALSE(f.IsMemoDateField(flNInt));

    EXPECT_FALSE(f.IsNumberField(flNMemo));
    EXPECT_FALSE(f.IsMoneyField(flNMemo));
    EXPECT_TRUE(f.IsNumberField(flNInt));
    EXPECT_TRUE(f.IsHejiField(flNInt));
    EXPECT_TRUE(f.IsMoneyField(flNTotal));
    EXPECT_TRUE(f.IsHejiField(flNTotal));
    EXPECT_TRUE(f.IsNumberField(flNQty));
    EXPECT_TRUE(f.IsNumberField(flNTaxRate));
    EXPECT_FALSE(f.IsNumberField(357));
    EXPECT_FALSE(f.IsMoneyField(flNQty));
    EXPECT_TRUE(f.IsHejiField(flNQty));
    EXPECT_FALSE(f.IsHejiField(359));
    EXPECT_TRUE(f.IsMoneyField(359));

    EXPECT_TRUE(f.IsNumberField(vtDouble));
    EXPECT_TRUE(f.IsNumberField(vtInteger));
    EXPECT_TRUE(f.IsNumberField(vtDoubleNoTotal));
    EXPECT_FALSE(f.IsNumberField(vtString));
    EXPECT_FALSE(f.IsNumberField(vtDate));
}

TEST_F(BGFuncsTest, NotBasicFields) {
    EXPECT_TRUE(f.IsNotBasicField(0));
    EXPECT_TRUE(f.IsNotBasicField(1));
    EXPECT_FALSE(f.IsNotBasicField(2));
    EXPECT_FALSE(f.IsNotBasicField(357));
    EXPECT_TRUE(f.IsNotBasicField(358));
    EXPECT_TRUE(f.IsNotBasicField(391));
    EXPECT_FALSE(f.IsNotBasicField(392));
}

TEST_F(BGFuncsTest, NoTypeMustUseTheRecordAsId) {
    for (int t = 0; t < kBasicTypeCount; ++t)
        EXPECT_FALSE(f.isMustUseRecAsID(static_cast<TBasicType>(t)));
}

TEST_F(BGFuncsTest, SpecialCharacterOrderDecidesNotPosition) {
    std::string found;
    EXPECT_TRUE(f.haveSpecialChar("a;b%c", found));
    EXPECT_EQ(found, "%");
    EXPECT_TRUE(f.haveSpecialChar("x';,", found));
    EXPECT_EQ(found, ",");
    EXPECT_TRUE(f.haveSpecialChar("it's", found));
    EXPECT_EQ(found, "'");
    EXPECT_TRUE(f.haveSpecialChar("a;b", found));
    EXPECT_EQ(found, ";");
    EXPECT_FALSE(f.haveSpecialChar("阿莫西林 0.25g", found));
    EXPECT_EQ(found, "");
}

} // namespace
} // namespace tkv
