// The card dialogs as models: captions, tab order, keys and messages that need no insurance service.
#include "comm/MockMainIntf.h"
#include "comm/ModuleState.h"
#include "insurance/CardInfo.h"
#include "insurance/CardShowFrm.h"
#include "insurance/FormVipPass.h"
#include "insurance/SelectTSB.h"
#include "insurance/YBCard.h"
#include "ui/headless/FormDriver.h"
#include "ui/headless/HeadlessRunner.h"

#include <gmock/gmock.h>

namespace tkv {
namespace {

using ::testing::_;
using ::testing::ElementsAre;
using ::testing::NiceMock;
using ::testing::Return;

class CardDialogsTest : public ::testing::Test {
protected:
    CardDialogsTest() {
        ModuleState().VNMainintf = host.Get();
        ModuleState().OwnerWindow = 0x777;
    }
    static std::vector<std::string> TabNames(const TForm& form) {
        std::vector<std::string> names;
        for (TControl* c : form.TabSequence())
            names.push_back(c->Name());
        return names;
    }
    TModuleScope module;
    ComPtr<NiceMock<test::TMockMainIntf>> host{new NiceMock<test::TMockMainIntf>};
    THeadlessRunner runner;
    TYBCard card;
};

TEST_F(CardDialogsTest, CardNumberWindowTabOrderAndOwner) {
    TFormVipPass form(card);
    EXPECT_EQ(form.Caption(), "请输入医保卡号");
    // The two visit types are one radio group: Tab reaches it at the checked button.
    EXPECT_THAT(TabNames(form), ElementsAre("edtCardNo", "btnOK", "btnCancel", "rbYDGY", "btnReadCard"));
    EXPECT_TRUE(form.rbYDGY->Checked());
    EXPECT_FALSE(form.rbTBMZ->Checked());
    form.rbTBMZ->PerformClick();
    EXPECT_THAT(TabNames(form), ElementsAre("edtCardNo", "btnOK", "btnCancel", "rbTBMZ", "btnReadCard"));
    form.rbYDGY->PerformClick();
    EXPECT_EQ(form.btnOK->Caption(), "确定[&O]");
    EXPECT_EQ(form.btnCancel->Caption(), "取消[&C]");
    EXPECT_EQ(form.OwnerHandle(), 0x777u);
}

TEST_F(CardDialogsTest, EmptyCardNumberIsAskedForAndCancelAbandonsTheReading) {
    EXPECT_CALL(*host.Get(), ShowMsg("请输入医保卡号", "提示"));
    EXPECT_CALL(*host.Get(), ShowError("刷卡操作被终止", "错误"));
    runner.Expect("TFormVipPass", [](TFormDriver& d) {
        d.SetText("edtCardNo", " ");
        d.Click("btnOK");
        EXPECT_TRUE(d.Form().Visible());
        d.Click("btnCancel");
    });
    std::unique_ptr<TYBCard> holder;
    EXPECT_EQ(GetCard(holder), -1);
    ASSERT_NE(holder, nullptr);
    EXPECT_EQ(holder->CardNo(), "");
}

TEST_F(CardDialogsTest, SpecialDiseaseWindowListsTheNamesAndAnswersTheChosenCode) {
    card.AddTSB("M01|高血压");
    card.AddTSB("M02|糖尿病");
    EXPECT_CALL(*host.Get(), MessageBox("请选择特殊病种", "提示", 0x30u)).WillOnce(Return(1));
    runner.Expect("TSelectTSB", [](TFormDriver& d) {
        auto& form = static_cast<TSelectTSB&>(d.Form());
        EXPECT_EQ(form.Caption(), "选择特殊病");
        EXPECT_EQ(form.OwnerHandle(), 0u);
        EXPECT_THAT(form.cbTSB->Items(), ElementsAre("高血压", "糖尿病"));
        EXPECT_EQ(form.cbTSB->Caption(), "特殊病种：");
        d.Click("btnOK");
        EXPECT_TRUE(form.Visible());
        d.ChooseItem("cbTSB", 1);
        d.Click("btnOK");
    });
    std::string code = "old";
    EXPECT_TRUE(ShowSelectTSB(card, code));
    EXPECT_EQ(code, "M02");
    EXPECT_TRUE(runner.Failures().empty()) << runner.Failures().front();
}

TEST_F(CardDialogsTest, EscapeLeavesTheSpecialDiseaseWindow) {
    card.AddTSB("M01|高血压");
    runner.Expect("TSelectTSB", [](TFormDriver& d) {
        d.ChooseItem("cbTSB", 0);
        d.PressKey(VK_ESCAPE);
    });
    std::string code = "old";
    EXPECT_FALSE(ShowSelectTSB(card, code));
    EXPECT_EQ(code, "");
}

TEST_F(CardDialogsTest, CardWindowShowsTheUnknownCategoryAsEmployedAndNothingWithoutCard) {
    TCardShowFrm empty;
    empty.Fill(nullptr);
    EXPECT_EQ(empty.lblName->Caption(), "");
    card.GetData("C1\r\n王五\r\n男\r\n30\r\nID\r\n汉\r\n地址\r\n22\r\n0\r\n单位");
    card.SetBala(12.5);
    TCardShowFrm form;
    form.Fill(&card);
    EXPECT_EQ(form.Caption(), "医保卡信息");
    EXPECT_EQ(form.lblRYLB->Caption(), "在职");
    EXPECT_EQ(form.lblAge->Caption(), "30");
    EXPECT_EQ(form.lblUnit->Caption(), "单位");
    EXPECT_EQ(form.lblBala->Caption(), "12.5");
    EXPECT_EQ(form.btnOK->Parent(), form.XwPanel1);
}

} // namespace
} // namespace tkv
