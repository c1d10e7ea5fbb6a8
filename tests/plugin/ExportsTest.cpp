// The exports and the module lifecycle: one object each, references, windows, the unload order.
#include "plugin/Exports.h"
#include "PluginFixture.h"
#include "comm/Exception.h"
#include "comm/HostFakes.h"
#include "plugin/VNPlugTrans.h"

namespace tkv {
namespace {

using test::TMockMainIntf;
using test::TReleaseLogged;
using ::testing::NiceMock;

class ExportsTest : public test::PluginFixture {};

TEST_F(ExportsTest, CreatePlugInfoTwiceGivesTheSameObjectWithAReferenceEach) {
    ComPtr<IVNPlugInfo> a = CreatePlugInfo();
    ComPtr<IVNPlugInfo> b = CreatePlugInfo();
    EXPECT_EQ(a.Get(), b.Get());
    EXPECT_EQ(ModuleState().VNPlugInfo.Get(), a.Get());
    a->AddRef();
    EXPECT_EQ(a->Release(), 3u); // module state, a and b
}

TEST_F(ExportsTest, CreateRetailPlugTwiceGivesTheSameObjectAndReadsTheLogSwitchOnce) {
    WriteSettings("YBLog=0\r\n");
    ComPtr<IRetailPlugin> a = CreateRetailPlug();
    EXPECT_FALSE(ModuleState().ShowLog);
    WriteSettings("YBLog=1\r\n");
    ComPtr<IRetailPlugin> b = CreateRetailPlug();
    EXPECT_EQ(a.Get(), b.Get());
    EXPECT_FALSE(ModuleState().ShowLog);
    EXPECT_EQ(static_cast<TVNPlugTrans*>(a.Get()), ModuleState().VNPlugTrans);
    EXPECT_EQ(ModuleState().VNPlugTrans->RefCount(), 2u); // the module state holds none
}

TEST_F(ExportsTest, AfterTheHostReleasedTheTransactionObjectANewOneIsMade) {
    CreateRetailPlug().Reset();
    EXPECT_EQ(ModuleState().VNPlugTrans, nullptr);
    ComPtr<IRetailPlugin> again = CreateRetailPlug();
    EXPECT_NE(again.Get(), nullptr);
    EXPECT_EQ(ModuleState().VNPlugTrans->RefCount(), 1u);
}

TEST_F(ExportsTest, MenuExportsRunTheirWindowWhateverTheString) {
    std::vector<std::string> shown;
    PlugParts().ShowPtypeDZ = [&shown] {
        shown.push_back("PtypeDz");
    };
    PlugParts().ShowFpImagePrint = [&shown] {
        shown.push_back("FpImagePrint");
    };
    TkvjobLink("");
    TkvPrint("任意文字");
    TkvjobLink(std::string("a\0b", 3));
    EXPECT_EQ(shown, (std::vector<std::string>{"PtypeDz", "FpImagePrint", "PtypeDz"}));
}

TEST_F(ExportsTest, MenuExportWithoutItsWindowIsAnError) {
    PlugParts().ShowPtypeDZ = nullptr;
    PlugParts().ShowFpImagePrint = nullptr;
    EXPECT_THROW(TkvjobLink(""), Exception);
    EXPECT_THROW(TkvPrint(""), Exception);
}

class LoggingPlatform : public test::TFakePlatform {
public:
    explicit LoggingPlatform(std::vector<std::string>& log) : log_(log) {}
    void FreeLibrary(LibraryHandle library) override {
        log_.push_back("insurance library");
        TFakePlatform::FreeLibrary(library);
    }

private:
    std::vector<std::string>& log_;
};

class TLoggedPlugInfo : public TReleaseLogged<test::TCountedQuery<IVNPlugInfo>> {
public:
    TLoggedPlugInfo(std::vector<std::string>& log) : TReleaseLogged(log, "VNPlugInfo", IID_IVNPlugInfo) {}
    std::string GetKeyName() override { return {}; }
    std::int32_t Reserved1() override { return 0; }
    std::string GetPlugProcName() override { return {}; }
    std::string GetPlugName() override { return {}; }
    TPlugTransType GetPlugType() override { return pttRetail; }
    std::string GetPlugText() override { return {}; }
    std::string GetPlugDate() override { return {}; }
    std::string GetPlugVersion() override { return {}; }
    bool GetPlugIsAuto() override { return true; }
    TPlugAutoRunTypeSet PlugAutoRun() override { return 0; }
    bool GetPlugIsConfig() override { return false; }
    bool PlugConfig() override { return false; }
    std::uint8_t Reserved2() override { return 0; }
    std::string GetUpdateSQLFilePath() override { return {}; }
    bool Reserved3() override { return false; }
    std::string PlunParentMenuInfo() override { return {}; }
    std::string PlunMenuInfo() override { return {}; }
};

TEST(ModuleLifecycle, FinaliseReleasesEverythingInTheUnloadOrder) {
    std::vector<std::string> log;
    LoggingPlatform platform(log);
    test::TScopedPlatform scope(platform);
    platform.AddLibrary("SiInterface.dll", {});

    using LoggedMain = TReleaseLogged<NiceMock<TMockMainIntf>>;
    using LoggedBill = TReleaseLogged<test::TMockRetailBill>;
    using LoggedForm = TReleaseLogged<test::TFakeExistForm>;
    using LoggedReport = TReleaseLogged<test::TFakeReport>;
    ComPtr<IVNMainintf> main(new LoggedMain(log, "VNMainintf"));
    ComPtr<IVNMainTransinfo> bill(new LoggedBill(log, "VNMainTransinfo"));
    ComPtr<IExistForm> form(new LoggedForm(log, "VNExistForm"));
    ComPtr<IssReportIntf> report(new LoggedReport(log, "VNReportIntf"));
    ComPtr<IVNPlugInfo> info(new TLoggedPlugInfo(log));

    InitializeModuleState();
    TModuleState& m = ModuleState();
    m.VNMainintf = main;
    m.VNMainTransinfo = bill;
    m.VNExistForm = form;
    m.VNReportIntf = report;
    m.VNPlugInfo = info;
    m.InsuranceLibrary = platform.LoadLibrary("SiInterface.dll");
    m.LastErrorMsg = "x";
    log.clear();

    FinalizeModuleState();
    EXPECT_EQ(log, (std::vector<std::string>{"VNPlugInfo", "VNReportIntf", "insurance library", "VNExistForm",
                                             "VNMainTransinfo", "VNMainintf"}));
}

TEST(ModuleLifecycle, TransactionObjectOutlivesTheModuleStateWhileTheHostHoldsIt) {
    test::TTempDir dir;
    test::TFakePlatform platform;
    platform.moduleFileName = dir.Path() + "/Plug/TkvfpPlug.so";
    test::TScopedPlatform scope(platform);
    InitializeModuleState();
    ComPtr<IRetailPlugin> trans = CreateRetailPlug();
    FinalizeModuleState();
    EXPECT_TRUE(trans->IsNeedReadCard());
    trans.Reset(); // destroyed without a module state: nothing to forget
    EXPECT_EQ(FindModuleState(), nullptr);
}

} // namespace
} // namespace tkv
