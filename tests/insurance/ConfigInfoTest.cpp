// The insurance settings: the switch, the settings window and what it writes into "cqyb.DAT".
#include "insurance/ConfigInfo.h"
#include "comm/Exception.h"
#include "comm/InsuranceGateway.h"
#include "comm/Settings.h"
#include "insurance/ConfigSetFrm.h"
#include "insurance/RetailInsuranceHooks.h"
#include "plugin/Exports.h"
#include "plugin/PluginFixture.h"
#include "plugin/VNPlugInfo.h"
#include "ui/headless/FormDriver.h"
#include "ui/headless/HeadlessRunner.h"

#include <gmock/gmock.h>

namespace tkv {
namespace {

using ::testing::ElementsAre;

class ConfigInfoTest : public test::PluginFixture {
protected:
    ConfigInfoTest() { InstallInsuranceHooks(); }
    std::string SettingsBytes() const { return test::ReadBytes(DataFolder() + "/cqyb.DAT"); }
    bool SettingsExist() const { return std::filesystem::exists(DataFolder() + "/cqyb.DAT"); }
    // Opens the window through the transaction object and runs the script on it.
    bool Configure(THeadlessRunner::TScript script) {
        runner.Expect("TConfigSetFrm", std::move(script));
        ComPtr<IRetailPlugin> plug = CreateRetailPlug();
        return plug->ssConfig();
    }
    THeadlessRunner runner;
};

TEST_F(ConfigInfoTest, WithoutFileSettlementIsOffAndNothingIsShown) {
    ComPtr<IRetailPlugin> plug = CreateRetailPlug();
    EXPECT_FALSE(plug->CheckCanUseSS());
    EXPECT_EQ(runner.ShownForms(), 0);
    EXPECT_EQ(plug->GetConfigPostCode(), "");
}

TEST_F(ConfigInfoTest, WindowStartsEmptyWithTheBoxTickedAndWritesOnlyTheLogLine) {
    EXPECT_TRUE(Configure([](TFormDriver& d) {
        auto& form = static_cast<TConfigSetFrm&>(d.Form());
        EXPECT_EQ(form.Caption(), "医保接口信息设置");
        EXPECT_EQ(form.RzEdit1->Text(), "");
        EXPECT_EQ(form.RzEdit3->Text(), "");
        EXPECT_TRUE(form.chlLog->Checked());
        d.Click("BitBtn1");
    }));
    EXPECT_EQ(SettingsBytes(), "YBLog=1\r\n");
    ComPtr<IRetailPlugin> plug = CreateRetailPlug();
    EXPECT_TRUE(plug->CheckCanUseSS());
}

TEST_F(ConfigInfoTest, FilledWindowWritesTheThreeLinesInOrder) {
    EXPECT_TRUE(Configure([](TFormDriver& d) {
        d.SetText("RzEdit3", "医院01");
        d.SetText("RzEdit1", "C:\\yb\\SiInterface.dll");
        d.Check("chlLog", false);
        d.Click("BitBtn1");
    }));
    EXPECT_EQ(SettingsBytes(), "FileName=C:\\yb\\SiInterface.dll\r\nPosCode=\xD2\xBD\xD4\xBA"
                               "01\r\nYBLog=0\r\n");
    EXPECT_FALSE(ModuleState().ShowLog);
    EXPECT_EQ(GetConfigValue("PosCode"), "医院01");
}

TEST_F(ConfigInfoTest, EmptyFileSwitchesOnAndOpensTheDesignState) {
    WriteSettings("");
    ComPtr<IRetailPlugin> plug = CreateRetailPlug();
    EXPECT_TRUE(plug->CheckCanUseSS());
    EXPECT_EQ(GetConfigValue("FileName"), "");
    EXPECT_EQ(GetConfigValue("PosCode"), "");
    EXPECT_EQ(GetConfigValue("YBLog"), "");
    EXPECT_TRUE(ModuleState().ShowLog);
    runner.Expect("TConfigSetFrm", [](TFormDriver& d) {
        EXPECT_TRUE(d.Get<TCheckBox>("chlLog").Checked());
        d.Click("BitBtn2");
    });
    EXPECT_FALSE(plug->ssConfig());
    EXPECT_EQ(SettingsBytes(), "");
}

TEST_F(ConfigInfoTest, LogValueTwoLogsButShowsTheBoxUntickedAndConfirmingWritesZero) {
    WriteSettings("YBLog=2\r\n");
    ComPtr<IRetailPlugin> plug = CreateRetailPlug();
    EXPECT_TRUE(ModuleState().ShowLog);
    runner.Expect("TConfigSetFrm", [](TFormDriver& d) {
        EXPECT_FALSE(d.Get<TCheckBox>("chlLog").Checked());
        d.Click("BitBtn1");
    });
    EXPECT_TRUE(plug->ssConfig());
    EXPECT_EQ(SettingsBytes(), "YBLog=0\r\n");
    EXPECT_FALSE(ModuleState().ShowLog);
}

TEST_F(ConfigInfoTest, BlanksAroundTheCodeAreShownButNotAnswered) {
    WriteSettings("PosCode=  H001 \r\nYBLog=1\r\n");
    ComPtr<IRetailPlugin> plug = CreateRetailPlug();
    EXPECT_EQ(plug->GetConfigPostCode(), "H001");
    runner.Expect("TConfigSetFrm", [](TFormDriver& d) {
        EXPECT_EQ(d.Get<TEdit>("RzEdit3").Text(), "  H001 ");
        d.Click("BitBtn2");
    });
    EXPECT_FALSE(plug->ssConfig());
}

TEST_F(ConfigInfoTest, EmptyLibraryPathRemovesTheLineAndTheDefaultLibraryIsUsed) {
    WriteSettings("FileName=/opt/yb/OutInterD.dll\r\nPosCode=H001\r\nYBLog=1\r\n");
    EXPECT_TRUE(Configure([](TFormDriver& d) {
        d.SetText("RzEdit1", "");
        d.Click("BitBtn1");
    }));
    EXPECT_EQ(SettingsBytes(), "PosCode=H001\r\nYBLog=1\r\n");
    std::string error;
    EXPECT_EQ(YBInit(error), -1);
    EXPECT_EQ(error, "文件SiInterface.dll没有找到！");
}

TEST_F(ConfigInfoTest, CancelLeavesTheFileAsItWas) {
    const std::string before = "FileName=a.dll\r\nYBLog=0\r\n";
    WriteSettings(before);
    EXPECT_FALSE(Configure([](TFormDriver& d) {
        d.SetText("RzEdit1", "b.dll");
        d.Check("chlLog", true);
        d.Click("BitBtn2");
    }));
    EXPECT_EQ(SettingsBytes(), before);
}

TEST_F(ConfigInfoTest, LinesTheWindowDoesNotOwnKeepTheirBytes) {
    const std::string foreign = "; \xD6\xD0\xCE\xC4\n"
                                "Server=\xFF\xFE\r"
                                "broken line";
    WriteSettings(foreign + "\r\nfilename=old.dll\r\nTail=1");
    EXPECT_TRUE(Configure([](TFormDriver& d) {
        EXPECT_EQ(d.Get<TEdit>("RzEdit1").Text(), "old.dll");
        d.SetText("RzEdit1", "new.dll");
        d.Click("BitBtn1");
    }));
    // No "YBLog" line: the box showed unticked.
    EXPECT_EQ(SettingsBytes(), foreign + "\r\nFileName=new.dll\r\nTail=1\r\nYBLog=0\r\n");
}

TEST_F(ConfigInfoTest, FileButtonPutsTheChosenPathIntoTheEdit) {
    runner.AnswerFiles({"/opt/yb/OutInterD.dll"});
    runner.CancelFiles();
    EXPECT_TRUE(Configure([](TFormDriver& d) {
        d.Click("SpeedButton1");
        EXPECT_EQ(d.Get<TEdit>("RzEdit1").Text(), "/opt/yb/OutInterD.dll");
        d.Click("SpeedButton1"); // cancelled: the text stays
        EXPECT_EQ(d.Get<TEdit>("RzEdit1").Text(), "/opt/yb/OutInterD.dll");
        d.Click("BitBtn1");
    }));
    EXPECT_EQ(SettingsBytes(), "FileName=/opt/yb/OutInterD.dll\r\nYBLog=1\r\n");
    EXPECT_EQ(runner.Dialogs().front().Text, "选择动态库(*.dll)|*.DLL");
}

TEST_F(ConfigInfoTest, TabOrderLeavesOutTheFileButtonAndEndsWithThePanel) {
    TConfigSetFrm form;
    std::vector<std::string> names;
    for (TControl* c : form.TabSequence())
        names.push_back(c->Name());
    EXPECT_THAT(names, ElementsAre("chlLog", "RzEdit3", "RzEdit1", "BitBtn1", "BitBtn2"));
}

TEST_F(ConfigInfoTest, DescriptionConfiguresLikeTheTransactionObject) {
    ComPtr<TVNPlugInfo> info(new TVNPlugInfo);
    runner.Expect("TConfigSetFrm", [](TFormDriver& d) { d.Click("BitBtn1"); });
    EXPECT_TRUE(info->PlugConfig());
    EXPECT_TRUE(SettingsExist());
    runner.Expect("TConfigSetFrm", [](TFormDriver& d) { d.Click("BitBtn2"); });
    ComPtr<IRetailPlugin> plug = CreateRetailPlug();
    EXPECT_FALSE(info->PlugConfig());
}

TEST_F(ConfigInfoTest, FileThatCannotBeWrittenIsAnErrorAndChangesNothing) {
    std::filesystem::create_directories(DataFolder() + "/cqyb.DAT"); // a folder where the file should be
    ModuleState().ShowLog = true;
    runner.Expect("TConfigSetFrm", [](TFormDriver& d) {
        d.Check("chlLog", false);
        d.Click("BitBtn1");
    });
    try {
        GetConfigInfo(true);
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()), "无法写入医保设置文件 " + DataFolder() + "/cqyb.DAT");
    }
    EXPECT_TRUE(ModuleState().ShowLog);
}

} // namespace
} // namespace tkv
