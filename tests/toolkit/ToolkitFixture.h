// Test fixture of the toolkit: a fake host and framework-object interface installed as the form
// environment, a headless runner, and the help requests the forms made.
#pragma once

#include "FakeHost.h"
#include "toolkit/FormEnvironment.h"
#include "ui/headless/HeadlessRunner.h"

#include <gtest/gtest.h>

namespace tkv::test {

struct HelpCall {
    WindowHandle caller;
    std::string topic;
    std::uint32_t command;
    std::uintptr_t data;
};

class ToolkitTest : public ::testing::Test {
protected:
    ToolkitTest() : host(new FakeHost), exist(new FakeExistForm) {
        SetFormEnvironmentProvider([this] {
            TFormEnvironment env;
            env.MainIntf = host.Get();
            env.ExistForm = exist.Get();
            env.OwnerHandle = 0x4321;
            env.ShowHelp = [this](WindowHandle caller, const std::string& topic, std::uint32_t command,
                                  std::uintptr_t data) {
                help.push_back({caller, topic, command, data});
            };
            return env;
        });
    }
    ~ToolkitTest() override { SetFormEnvironmentProvider(nullptr); }

    ComPtr<FakeHost> host;
    ComPtr<FakeExistForm> exist;
    std::vector<HelpCall> help;
    THeadlessRunner runner;
};

} // namespace tkv::test
