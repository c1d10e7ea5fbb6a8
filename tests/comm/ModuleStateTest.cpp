// The module state: explicit life, messages through the kept main interface, the unload order.
#include "comm/ModuleState.h"
#include "comm/Exception.h"
#include "comm/Messages.h"
#include "comm/MockMainIntf.h"
#include "platform/FakePlatform.h"

#include <gtest/gtest.h>

namespace tkv {
namespace {

using ::testing::Return;
using ::testing::StrictMock;

TEST(ModuleState, AccessWithoutInitialisationIsRefused) {
    FinalizeModuleState();
    EXPECT_EQ(FindModuleState(), nullptr);
    EXPECT_THROW(ModuleState(), std::logic_error);
}

TEST(ModuleState, StartsEmpty) {
    TModuleScope scope;
    TModuleState& m = ModuleState();
    EXPECT_FALSE(m.VNMainintf);
    EXPECT_EQ(m.VNPlugTrans, nullptr);
    EXPECT_EQ(m.LastErrorCode, 0);
    EXPECT_EQ(m.LastErrorMsg, "");
    EXPECT_FALSE(m.ShowLog);
    EXPECT_EQ(m.OwnerWindow, 0u);
    EXPECT_EQ(m.InsuranceLibrary, nullptr);
    EXPECT_EQ(m.HelpLibrary, nullptr);
}

TEST(ModuleState, MessagesWithoutAMainInterfaceRaise) {
    TModuleScope scope;
    EXPECT_THROW(ShowMsg("m", "提示"), Exception);
}

TEST(ModuleState, MessagesGoToTheHostMessageFirst) {
    TModuleScope scope;
    auto* host = new StrictMock<test::TMockMainIntf>;
    ModuleState().VNMainintf = host;
    EXPECT_CALL(*host, ShowMsg("保存成功", "提示"));
    EXPECT_CALL(*host, ShowError("失败", "错误"));
    EXPECT_CALL(*host, YesOrNo("继续?", "选择")).WillOnce(Return(true)).WillOnce(Return(false));
    ShowMsg("保存成功", "提示");
    ShowError("失败", "错误");
    EXPECT_TRUE(YesOrNo("继续?", "选择"));
    EXPECT_FALSE(YesOrNo("继续?", "选择"));
}

TEST(ModuleState, FinaliseReleasesEveryReferenceAndUnloadsTheInsuranceLibrary) {
    test::TFakePlatform fake;
    test::TScopedPlatform platformScope(fake);
    fake.AddLibrary("SiInterface.dll", {});
    ComPtr<test::TMockMainIntf> host(new test::TMockMainIntf);
    InitializeModuleState();
    TModuleState& m = ModuleState();
    m.VNMainintf = host.Get();
    m.LastErrorMsg = "x";
    m.InsuranceLibrary = fake.LoadLibrary("SiInterface.dll");
    m.HelpLibrary = fake.LoadLibrary("SiInterface.dll");
    EXPECT_EQ(host->RefCount(), 2u);
    FinalizeModuleState();
    EXPECT_EQ(host->RefCount(), 1u);
    EXPECT_EQ(fake.freed, 1); // the help control stays loaded
    EXPECT_EQ(FindModuleState(), nullptr);
}

TEST(ModuleState, InitialisingAgainStartsFromEmpty) {
    ComPtr<test::TMockMainIntf> host(new test::TMockMainIntf);
    InitializeModuleState();
    ModuleState().VNMainintf = host.Get();
    InitializeModuleState();
    EXPECT_FALSE(ModuleState().VNMainintf);
    EXPECT_EQ(host->RefCount(), 1u);
    FinalizeModuleState();
}

} // namespace
} // namespace tkv
