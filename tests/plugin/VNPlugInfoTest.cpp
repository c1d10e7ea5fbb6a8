// The description object: fixed texts, the upgrade script path, PlugConfig and its interface.
#include "plugin/VNPlugInfo.h"
#include "PluginFixture.h"
#include "RecordingHooks.h"
#include "plugin/Exports.h"

namespace tkv {
namespace {

class VNPlugInfoTest : public test::PluginFixture {
protected:
    ComPtr<TVNPlugInfo> info{new TVNPlugInfo};
};

TEST_F(VNPlugInfoTest, FixedTexts) {
    for (int round = 0; round < 2; ++round) { // every call answers the same
        EXPECT_EQ(info->GetKeyName(), "Tkvfp");
        EXPECT_EQ(info->GetPlugProcName(), "CreateRetailPlug");
        EXPECT_EQ(info->GetPlugName(), "Tkv厂家发票管理");
        EXPECT_EQ(info->GetPlugType(), pttRetail);
        EXPECT_EQ(info->GetPlugText(), "Tkv厂家发票管理插件");
        EXPECT_EQ(info->GetPlugDate(), "2017-08-07");
        EXPECT_EQ(info->GetPlugVersion(), "1.0");
        EXPECT_TRUE(info->GetPlugIsAuto());
        EXPECT_EQ(info->PlugAutoRun(), 8);
        EXPECT_FALSE(info->GetPlugIsConfig());
    }
}

TEST_F(VNPlugInfoTest, ReservedSlotsAnswerNothing) {
    EXPECT_EQ(info->Reserved1(), 0);
    EXPECT_EQ(info->Reserved2(), 0);
    EXPECT_FALSE(info->Reserved3());
}

TEST_F(VNPlugInfoTest, MenuDeclarationsEndEveryLineWithCrLf) {
    EXPECT_EQ(info->PlunParentMenuInfo(), "$$tkvmenu#10007=28,1,Tkv厂家发票管理\r\n");
    EXPECT_EQ(info->PlunMenuInfo(), "10007=厂家品种发票图片关联管理,TkvjobLink\r\n"
                                    "10007=厂家品种发票图片打印,TkvPrint\r\n");
}

TEST_F(VNPlugInfoTest, UpgradeScriptPathCreatesTheDataFolderButNotTheScript) {
    ASSERT_FALSE(std::filesystem::exists(DataFolder()));
    EXPECT_EQ(info->GetUpdateSQLFilePath(), DataFolder() + "/TkvUpgrade.SQL");
    EXPECT_TRUE(std::filesystem::is_directory(DataFolder()));
    EXPECT_FALSE(std::filesystem::exists(DataFolder() + "/TkvUpgrade.SQL"));
}

TEST_F(VNPlugInfoTest, AnswersItsOwnInterfaceAndTheBasicOneOnly) {
    void* obj = nullptr;
    EXPECT_EQ(info->QueryInterface(IID_IVNPlugInfo, &obj), S_OK);
    EXPECT_EQ(obj, static_cast<IVNPlugInfo*>(info.Get()));
    EXPECT_EQ(info->RefCount(), 2u);
    info->Release();
    EXPECT_EQ(info->QueryInterface(IID_IUnknown, &obj), S_OK);
    info->Release();
    EXPECT_EQ(info->QueryInterface(IID_IRetailPlugin, &obj), E_NOINTERFACE);
    EXPECT_EQ(obj, nullptr);
    EXPECT_EQ(info->RefCount(), 1u);
}

TEST_F(VNPlugInfoTest, PlugConfigAnswersTheTransactionObjectsSsConfig) {
    std::vector<std::string> log;
    PlugParts().CreateInsuranceHooks = [&log] {
        return std::make_unique<test::TRecordingHooks>(log, true);
    };
    ComPtr<IRetailPlugin> trans = CreateRetailPlug();
    EXPECT_TRUE(info->PlugConfig());
    EXPECT_EQ(log, (std::vector<std::string>{"ssConfig"}));
}

TEST_F(VNPlugInfoTest, PlugConfigWorksBeforeTheTransactionObjectExists) {
    std::vector<std::string> log;
    PlugParts().CreateInsuranceHooks = [&log] {
        return std::make_unique<test::TRecordingHooks>(log, true);
    };
    EXPECT_TRUE(info->PlugConfig());
    EXPECT_EQ(log, (std::vector<std::string>{"ssConfig"}));
    PlugParts().CreateInsuranceHooks = nullptr;
    EXPECT_FALSE(info->PlugConfig()); // without insurance settlement there is no settings window
}

} // namespace
} // namespace tkv
