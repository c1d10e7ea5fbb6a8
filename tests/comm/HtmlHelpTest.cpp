// Help through a fake help control: both errors, the command sequence, unload and reload.
#include "comm/HtmlHelp.h"
#include "comm/Exception.h"
#include "comm/ModuleState.h"
#include "platform/FakePlatform.h"
#include "platform/TempDir.h"

#include <gtest/gtest.h>

#include <vector>

namespace tkv {
namespace {

struct THelpCall {
    WindowHandle caller;
    std::string file;
    std::uint32_t command;
    std::uintptr_t data;
};
std::vector<THelpCall> helpCalls;
constexpr std::uint32_t kCookie = 0xC00C1E;

WindowHandle TKV_HTMLHELP_CALL FakeHtmlHelpA(WindowHandle caller, const char* file, std::uint32_t command,
                                             std::uintptr_t data) {
    helpCalls.push_back({caller, file ? file : "", command, data});
    if (command == HH_INITIALIZE)
        *reinterpret_cast<std::uint32_t*>(data) = kCookie;
    return 0x777;
}

class HtmlHelpTest : public ::testing::Test {
protected:
    void SetUp() override {
        helpCalls.clear();
        fake.moduleFileName = dir.Path() + "/Plug/TkvfpPlug.so";
        fake.systemFolder = "/sys32";
    }
    void InstallControl() {
        fake.AddLibrary("/sys32/HHCTRL.OCX", {{"HtmlHelpA", reinterpret_cast<void*>(&FakeHtmlHelpA)}});
    }

    test::TTempDir dir;
    test::TFakePlatform fake;
    test::TScopedPlatform platformScope{fake};
    TModuleScope moduleScope;
};

TEST_F(HtmlHelpTest, MissingControlRaisesTheInstallError) {
    try {
        HtmlHelp(1, "", HH_DISPLAY_TOPIC, 0);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "帮助系统没有安装!\r HTML格式的帮助不能显示!");
    }
}

TEST_F(HtmlHelpTest, MissingEntryPointRaisesTheCallError) {
    fake.AddLibrary("/sys32/HHCTRL.OCX", {});
    try {
        HtmlHelp(1, "", HH_DISPLAY_TOPIC, 0);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "函数 HTMLHELP 不能调用!");
    }
}

TEST_F(HtmlHelpTest, InitialisesThenShowsTheDefaultFileOfThePluginFolder) {
    InstallControl();
    EXPECT_EQ(HtmlHelp(0x55, "", HH_DISPLAY_TOPIC, 0), 0x777u);
    ASSERT_EQ(helpCalls.size(), 2u);
    EXPECT_EQ(helpCalls[0].command, HH_INITIALIZE);
    EXPECT_EQ(helpCalls[0].caller, 0u);
    EXPECT_EQ(helpCalls[0].file, "");
    EXPECT_EQ(ModuleState().HelpCookie, kCookie);
    EXPECT_EQ(helpCalls[1].caller, 0x55u);
    EXPECT_EQ(helpCalls[1].command, HH_DISPLAY_TOPIC);
    // The control receives the name in the 8-bit code page.
    EXPECT_EQ(fake.AnsiToUtf8(helpCalls[1].file), dir.Path() + "/Plug/Tkv厂家发票管理插件帮助.chm");
}

TEST_F(HtmlHelpTest, GivenFileCommandAndDataArePassedOn) {
    InstallControl();
    HtmlHelp(0x55, "other.chm", 15, 99);
    ASSERT_EQ(helpCalls.size(), 2u);
    EXPECT_EQ(helpCalls[1].file, dir.Path() + "/Plug/other.chm");
    EXPECT_EQ(helpCalls[1].command, 15u);
    EXPECT_EQ(helpCalls[1].data, 99u);
}

TEST_F(HtmlHelpTest, SecondCallUnloadsAndReloadsTheControl) {
    InstallControl();
    HtmlHelp(1, "", HH_DISPLAY_TOPIC, 0);
    helpCalls.clear();
    HtmlHelp(1, "", HH_DISPLAY_TOPIC, 0);
    EXPECT_EQ(fake.loaded.size(), 2u);
    EXPECT_EQ(fake.freed, 1);
    ASSERT_EQ(helpCalls.size(), 3u);
    EXPECT_EQ(helpCalls[0].command, HH_UNINITIALIZE);
    EXPECT_EQ(helpCalls[0].data, kCookie);
    EXPECT_EQ(helpCalls[1].command, HH_INITIALIZE);
    EXPECT_EQ(helpCalls[2].command, HH_DISPLAY_TOPIC);
}

TEST_F(HtmlHelpTest, CloseHtmlHelpUninitialisesAndForgetsTheControl) {
    CloseHtmlHelp(); // nothing loaded: nothing happens
    EXPECT_EQ(fake.freed, 0);
    InstallControl();
    HtmlHelp(1, "", HH_DISPLAY_TOPIC, 0);
    CloseHtmlHelp();
    EXPECT_EQ(fake.freed, 1);
    EXPECT_EQ(ModuleState().HelpLibrary, nullptr);
    EXPECT_EQ(helpCalls.back().command, HH_UNINITIALIZE);
    CloseHtmlHelp();
    EXPECT_EQ(fake.freed, 1);
}

} // namespace
} // namespace tkv
