// The transaction object: its interface, the kept host interfaces, fixed hooks and forwarding.
#include "plugin/VNPlugTrans.h"
#include "PluginFixture.h"
#include "RecordingHooks.h"
#include "comm/HostFakes.h"
#include "framework/Params.h"
#include "plugin/Exports.h"
#include "system/FieldFunctions.h"

namespace tkv {
namespace {

using test::TMockMainIntf;
using ::testing::Return;
using ::testing::StrictMock;

class VNPlugTransTest : public test::PluginFixture {
protected:
    ComPtr<TVNPlugTrans> Make() { return ComPtr<TVNPlugTrans>(new TVNPlugTrans); }
};

TEST_F(VNPlugTransTest, AnswersIRetailPluginAndTheBasicInterfaceOnly) {
    auto trans = Make();
    void* obj = nullptr;
    EXPECT_EQ(trans->QueryInterface(IID_IRetailPlugin, &obj), S_OK);
    EXPECT_EQ(obj, static_cast<IRetailPlugin*>(trans.Get()));
    trans->Release();
    EXPECT_EQ(trans->QueryInterface(IID_IUnknown, &obj), S_OK);
    trans->Release();
    for (const TGUID* iid : {&IID_IVNPlugin, &IID_IVNTransPlugin, &IID_IRetailBillPlugin, &IID_IVNPlugInfo}) {
        obj = reinterpret_cast<void*>(1);
        EXPECT_EQ(trans->QueryInterface(*iid, &obj), E_NOINTERFACE);
        EXPECT_EQ(obj, nullptr);
    }
    EXPECT_EQ(trans->RefCount(), 1u);
}

TEST_F(VNPlugTransTest, FixedAnswers) {
    auto trans = Make();
    OleVariant p = OleVariant("unchanged"), g;
    EXPECT_FALSE(trans->CheckVersion("9.0"));
    EXPECT_EQ(trans->DownURL(), "");
    EXPECT_EQ(trans->GetLastError(), "");
    EXPECT_EQ(trans->GetLastErrorID(), 0);
    EXPECT_TRUE(trans->AfterSave(p));
    EXPECT_FALSE(trans->BeforePrint(g, p));
    EXPECT_FALSE(trans->CheckData(p));
    EXPECT_FALSE(trans->CheckGridRow(1, p));
    EXPECT_FALSE(trans->BeforeVipCard(p));
    EXPECT_FALSE(trans->AfterVipCard(p));
    EXPECT_FALSE(trans->BeforePtyeInsert(p));
    EXPECT_FALSE(trans->AfterPtyeInsert(2, p));
    EXPECT_FALSE(trans->BeforeAcct(p));
    EXPECT_FALSE(trans->AfterAcct(p));
    EXPECT_TRUE(trans->ssClearCloseMulAccount());
    EXPECT_TRUE(trans->ssNeedEvaluateBalance());
    EXPECT_TRUE(trans->IsNeedReadCard());
    EXPECT_TRUE(trans->IsNeedPtypDZ());
    EXPECT_FALSE(trans->IsNeedRetailBack());
    EXPECT_TRUE(trans->ssFree());
    EXPECT_EQ(p.AsString(), "unchanged");
}

TEST_F(VNPlugTransTest, SecondInitPluginKeepsTheFirstInterfaceAndAsksItForTheWindowAgain) {
    auto trans = Make();
    ComPtr<StrictMock<TMockMainIntf>> first(new StrictMock<TMockMainIntf>);
    ComPtr<StrictMock<TMockMainIntf>> second(new StrictMock<TMockMainIntf>);
    EXPECT_CALL(*first.Get(), AppHandle()).WillOnce(Return(0x100)).WillOnce(Return(0x200));
    trans->InitPlugin(first.Get());
    EXPECT_EQ(ModuleState().OwnerWindow, 0x100u);
    trans->InitPlugin(second.Get()); // second is never called (strict mock)
    EXPECT_EQ(ModuleState().VNMainintf.Get(), first.Get());
    EXPECT_EQ(ModuleState().OwnerWindow, 0x200u);
    EXPECT_EQ(first->RefCount(), 2u);
    EXPECT_EQ(second->RefCount(), 1u);
}

TEST_F(VNPlugTransTest, InitPluginWithoutAnyInterfaceDoesNothing) {
    auto trans = Make();
    trans->InitPlugin(nullptr);
    EXPECT_FALSE(ModuleState().VNMainintf);
    EXPECT_EQ(ModuleState().OwnerWindow, 0u);
}

TEST_F(VNPlugTransTest, SecondInitTransPluginReplacesAndReleasesThePreviousBill) {
    auto trans = Make();
    ComPtr<test::TMockRetailBill> bill1(new test::TMockRetailBill), bill2(new test::TMockRetailBill);
    trans->InitTransPlugin(bill1.Get());
    EXPECT_EQ(bill1->RefCount(), 2u);
    trans->InitTransPlugin(bill2.Get());
    EXPECT_EQ(bill1->RefCount(), 1u);
    EXPECT_EQ(bill2->RefCount(), 2u);
    EXPECT_EQ(ModuleState().VNMainTransinfo.Get(), bill2.Get());
    trans->InitTransPlugin(bill2.Get()); // the same bill again keeps exactly one reference
    EXPECT_EQ(bill2->RefCount(), 2u);
}

TEST_F(VNPlugTransTest, FrameworkAndReportInterfacesKeepTheFirst) {
    auto trans = Make();
    ComPtr<test::TFakeExistForm> form1(new test::TFakeExistForm), form2(new test::TFakeExistForm);
    ComPtr<test::TFakeReport> report1(new test::TFakeReport), report2(new test::TFakeReport);
    trans->InitExistInterFace(form1.Get());
    trans->InitExistInterFace(form2.Get());
    trans->InitReportInterFace(report1.Get());
    trans->InitReportInterFace(report2.Get());
    EXPECT_EQ(ModuleState().VNExistForm.Get(), form1.Get());
    EXPECT_EQ(ModuleState().VNReportIntf.Get(), report1.Get());
    EXPECT_EQ(form2->RefCount(), 1u);
    EXPECT_EQ(report2->RefCount(), 1u);
}

TEST_F(VNPlugTransTest, ClearDropsTheFiguresButKeepsFIsInit) {
    auto trans = Make();
    trans->ssInit();
    trans->FTotalCash = 1;
    trans->FTotalYB = 2;
    trans->FAcctBala = 3;
    trans->FBalanceRetvalue = "x";
    trans->Clear();
    EXPECT_EQ(trans->FTotalCash, 0);
    EXPECT_EQ(trans->FTotalYB, 0);
    EXPECT_EQ(trans->FAcctBala, 0);
    EXPECT_EQ(trans->FBalanceRetvalue, "");
    EXPECT_TRUE(trans->FIsInit);
}

TEST_F(VNPlugTransTest, ClearPlugInfoForgetsTheCardTheFiguresAndTheLastError) {
    std::vector<std::string> log;
    PlugParts().CreateInsuranceHooks = [&log] {
        return std::make_unique<test::TRecordingHooks>(log);
    };
    auto trans = Make();
    ModuleState().LastErrorCode = 5;
    ModuleState().LastErrorMsg = "old";
    trans->FTotalYB = 9;
    trans->ClearPlugInfo();
    EXPECT_EQ(log, (std::vector<std::string>{"ClearCardInfo"}));
    EXPECT_EQ(trans->FTotalYB, 0);
    EXPECT_EQ(trans->GetLastErrorID(), 0);
    EXPECT_EQ(trans->GetLastError(), "");
}

TEST_F(VNPlugTransTest, ClearPlugInfoBeforeAnyCardLeavesTheObjectUsable) {
    auto trans = Make();
    trans->ClearPlugInfo();
    trans->ClearPlugInfo();
    EXPECT_TRUE(trans->ClearCardInfo());
}

TEST_F(VNPlugTransTest, LogSwitchIsOnUnlessTheSettingIsExactlyZero) {
    EXPECT_TRUE((Make(), ModuleState().ShowLog)); // no settings file
    WriteSettings("YBLog=\r\n");
    Make();
    EXPECT_TRUE(ModuleState().ShowLog);
    WriteSettings("YBLog=2\r\n");
    Make();
    EXPECT_TRUE(ModuleState().ShowLog);
    WriteSettings("yblog= 0 \r\n");
    Make();
    EXPECT_FALSE(ModuleState().ShowLog);
}

TEST_F(VNPlugTransTest, InstallsTheFieldFunctionsWhileItLives) {
    {
        auto trans = Make();
        ASSERT_NE(GlobalFieldFuncs(), nullptr);
        EXPECT_EQ(GlobalFieldFuncs()->GetBasicTypeCaption(btPtype), "商品");
    }
    EXPECT_EQ(GlobalFieldFuncs(), nullptr);
}

TEST_F(VNPlugTransTest, InsuranceHooksAreForwarded) {
    std::vector<std::string> log;
    PlugParts().CreateInsuranceHooks = [&log] {
        return std::make_unique<test::TRecordingHooks>(log, true);
    };
    auto trans = Make();
    OleVariant p;
    EXPECT_TRUE(trans->BeforeSave(p));
    EXPECT_EQ(p.AsString(), "BeforeSave");
    EXPECT_TRUE(trans->GetSBCard(p));
    EXPECT_EQ(p.AsString(), "GetSBCard");
    trans->ShowSBCard();
    EXPECT_TRUE(trans->ClearCardInfo());
    EXPECT_TRUE(trans->ssEvaluateBalance());
    EXPECT_TRUE(trans->ssBalance());
    EXPECT_TRUE(trans->ssClearEvaluateBalance());
    EXPECT_TRUE(trans->CanelBalance());
    EXPECT_TRUE(trans->CheckCanUseSS());
    EXPECT_EQ(trans->ssPrintItems().AsString(), "items");
    trans->ssBalaInfo(p);
    EXPECT_EQ(p.AsString(), "ssBalaInfo");
    EXPECT_FALSE(trans->FIsInit);
    EXPECT_TRUE(trans->ssInit());
    EXPECT_TRUE(trans->FIsInit);
    EXPECT_TRUE(trans->ssConfig());
    EXPECT_EQ(trans->GetConfigPostCode(), "H001");
    EXPECT_EQ(log, (std::vector<std::string>{"BeforeSave", "GetSBCard", "ShowSBCard", "ClearCardInfo",
                                             "ssEvaluateBalance", "ssBalance", "ssClearEvaluateBalance",
                                             "CanelBalance", "CheckCanUseSS", "ssPrintItems", "ssBalaInfo",
                                             "ssInit", "ssConfig", "GetConfigPostCode"}));
}

TEST_F(VNPlugTransTest, WithoutInsuranceEverySettlementStepFails) {
    auto trans = Make();
    OleVariant p = OleVariant("kept");
    EXPECT_FALSE(trans->CheckCanUseSS());
    EXPECT_FALSE(trans->GetSBCard(p));
    EXPECT_EQ(p.AsString(), "kept");
    trans->ShowSBCard();
    EXPECT_TRUE(trans->ClearCardInfo());
    EXPECT_FALSE(trans->ssEvaluateBalance());
    EXPECT_FALSE(trans->BeforeSave(p));
    EXPECT_FALSE(trans->ssBalance());
    EXPECT_FALSE(trans->ssClearEvaluateBalance());
    EXPECT_FALSE(trans->CanelBalance());
    EXPECT_FALSE(trans->ssInit());
    EXPECT_TRUE(trans->FIsInit);
    EXPECT_FALSE(trans->ssConfig());
    EXPECT_EQ(trans->GetConfigPostCode(), "");
}

TEST_F(VNPlugTransTest, WithoutInsuranceTheFiguresAreTheObjectsOwn) {
    auto trans = Make();
    trans->FTotalYB = 12.5;
    trans->FTotalCash = 3;
    trans->FAcctBala = 100.25;
    TParams items;
    ASSERT_TRUE(UnpackParams(trans->ssPrintItems(), items));
    ASSERT_EQ(items.Count(), 3);
    EXPECT_EQ(items.Items(0).Name, "社保支付金额");
    EXPECT_EQ(items.Items(0).Value.AsDouble(), 12.5);
    EXPECT_EQ(items.Items(1).Name, "现金支付金额");
    EXPECT_EQ(items.Items(2).Name, "当前社保余额");
    EXPECT_EQ(items.Items(2).Value.AsDouble(), 100.25);

    OleVariant p;
    trans->ssBalaInfo(p);
    TParams bala;
    ASSERT_TRUE(UnpackParams(p, bala));
    ASSERT_EQ(bala.Count(), 4);
    EXPECT_EQ(bala.Items(0).Name, "Balance_sb");
    EXPECT_EQ(bala.Items(0).Value.AsDouble(), 12.5);
    EXPECT_EQ(bala.Items(1).Name, "Balance_Cash");
    EXPECT_EQ(bala.Items(1).Value.AsDouble(), 3);
    EXPECT_EQ(bala.Items(2).Name, "Balance_Bala");
    EXPECT_EQ(bala.Items(3).Name, "Balance_no");
    EXPECT_EQ(bala.Items(3).Value.AsString(), "");
}

TEST_F(VNPlugTransTest, SsPtypeDzShowsTheAssociationWindow) {
    int shown = 0;
    PlugParts().ShowPtypeDZ = [&shown] {
        ++shown;
    };
    auto trans = Make();
    trans->ssPtypeDz();
    EXPECT_EQ(shown, 1);
}

} // namespace
} // namespace tkv
