// The card object: clearing, the card data text's lines, special diseases, the visit serial number.
#include "insurance/YBCard.h"
#include "comm/MockMainIntf.h"
#include "comm/ModuleState.h"
#include "framework/DataSet.h"
#include "insurance/CardShowFrm.h"

#include <gmock/gmock.h>

namespace tkv {
namespace {

using ::testing::_;
using ::testing::DoAll;
using ::testing::NiceMock;
using ::testing::Return;
using ::testing::SetArgReferee;

std::string Lines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "L" + std::to_string(i) + "\r\n";
    return text;
}

TEST(YBCard, CardDataTextFillsThePersonFromItsLines) {
    TYBCard card;
    std::string text = "1000123456\r\n张三\r\n男\r\n45\r\n" + Lines(22);
    card.GetData(text);
    EXPECT_EQ(card.CardInfo(), text);
    EXPECT_EQ(card.CardNo(), "1000123456");
    EXPECT_EQ(card.CardName(), "张三");
    EXPECT_EQ(card.Sex(), "男");
    EXPECT_EQ(card.Age(), 45);
    EXPECT_EQ(card.SFZNo(), "L0");
    EXPECT_EQ(card.MZ(), "L1");
    EXPECT_EQ(card.Adress(), "L2");
    EXPECT_EQ(card.RYLB(), "L3");
    EXPECT_EQ(card.GWY(), "L4");
    EXPECT_EQ(card.UnitName(), "L5");
    EXPECT_EQ(card.SBJGBH(), "L6");
    EXPECT_EQ(card.CBLB(), "L15");
    EXPECT_EQ(card.LogNO(), "L17");
    EXPECT_EQ(card.ZZYYMC(), "L19");
}

TEST(YBCard, ShortCardDataTextLeavesTheMissingFieldsEmpty) {
    TYBCard card;
    card.GetData("C1\r\n王五\r\nforty");
    EXPECT_EQ(card.CardName(), "王五");
    EXPECT_EQ(card.Age(), 0);
    EXPECT_EQ(card.UnitName(), "");
    EXPECT_EQ(card.ZZYYMC(), "");
    card.GetData("");
    EXPECT_EQ(card.CardInfo(), "");
    EXPECT_EQ(card.CardName(), "王五"); // an empty text reads nothing
}

TEST(YBCard, SpecialDiseaseEntries) {
    TYBCard card;
    card.AddTSB("M01|高血压");
    card.AddTSB("##");
    card.AddTSB("M03");
    card.AddTSB("M02|糖尿病|");
    ASSERT_EQ(card.TSBList().Count(), 2);
    EXPECT_EQ(card.TSBList().Strings(0), "高血压");
    EXPECT_EQ(card.TSBList().Objects(0).Code, "M01");
    EXPECT_EQ(card.TSBList().Strings(1), "糖尿病");
    EXPECT_EQ(card.TSBList().Objects(1).Code, "M02");
    card.ClearTSB();
    EXPECT_EQ(card.TSBList().Count(), 0);
}

TEST(YBCard, ClearEmptiesEverythingAndTheVisitTypeIsPharmacyPurchase) {
    TYBCard card;
    card.GetData("C1\r\nN\r\nS\r\n7");
    card.SetBala(5);
    card.SetTotal(6);
    card.SetMZtype(13);
    card.SetSettleID("JS");
    card.SetJslist("x");
    card.SetXfls("V");
    card.AddTSB("M|N");
    card.Clear();
    EXPECT_EQ(card.CardNo(), "");
    EXPECT_EQ(card.CardInfo(), "");
    EXPECT_EQ(card.Age(), 0);
    EXPECT_EQ(card.Bala(), 0);
    EXPECT_EQ(card.Total(), 0);
    EXPECT_EQ(card.MZtype(), 10);
    EXPECT_EQ(card.SettleID(), "");
    EXPECT_EQ(card.Jslist(), "");
    EXPECT_EQ(card.Xfls(), "");
    EXPECT_EQ(card.TSBList().Count(), 0);
}

TEST(YBCard, VisitSerialNumberIsDrawnOncePerReading) {
    TModuleScope module;
    ComPtr<NiceMock<test::TMockMainIntf>> host(new NiceMock<test::TMockMainIntf>);
    ModuleState().VNMainintf = host.Get();
    auto packet = [](const std::string& number) {
        TClientDataSet ds;
        ds.AddFieldDef("YbLSNo", TFieldType::ftString, 20);
        ds.CreateDataSet();
        ds.AppendRecord({OleVariant(number)});
        return ds.GetData();
    };
    EXPECT_CALL(*host.Get(), OpenSql("exec GetLSNo_CQ", _))
        .WillOnce(DoAll(SetArgReferee<1>(packet("20260325000001")), Return(true)))
        .WillOnce(DoAll(SetArgReferee<1>(packet("20260325000002")), Return(true)));
    TYBCard card;
    EXPECT_EQ(card.GetXfls(), "20260325000001");
    EXPECT_EQ(card.GetXfls(), "20260325000001");
    card.Clear();
    EXPECT_EQ(card.GetXfls(), "20260325000002");
}

TEST(RYLBName, CategoryNames) {
    EXPECT_EQ(RYLBName("43"), "大学生");
    EXPECT_EQ(RYLBName("42"), "未成年人");
    EXPECT_EQ(RYLBName("41"), "成年人");
    EXPECT_EQ(RYLBName("21"), "退休");
    EXPECT_EQ(RYLBName("22"), "在职");
    EXPECT_EQ(RYLBName(""), "在职");
}

} // namespace
} // namespace tkv
