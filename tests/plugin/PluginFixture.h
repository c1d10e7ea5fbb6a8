// Common ground of the plug-in tests: a fake platform with the library in <tmp>/Host/Plug/, a fresh
// module state, a mock host main interface, and the plugged-in parts restored afterwards.
#pragma once

#include "comm/MockMainIntf.h"
#include "comm/ModuleState.h"
#include "platform/FakePlatform.h"
#include "platform/TempDir.h"
#include "plugin/PlugParts.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tkv::test {

class PluginFixture : public ::testing::Test {
protected:
    PluginFixture() {
        fake.moduleFileName = dir.Path() + "/Host/Plug/TkvfpPlug.so";
        savedParts = PlugParts();
    }
    ~PluginFixture() override { PlugParts() = savedParts; }

    std::string DataFolder() const { return dir.Path() + "/Host/Plug/PlugData"; }
    void WriteSettings(const std::string& text) {
        std::filesystem::create_directories(DataFolder());
        WriteBytes(DataFolder() + "/cqyb.DAT", text);
    }

    TTempDir dir;
    TFakePlatform fake;
    TScopedPlatform platformScope{fake};
    TModuleScope moduleScope;
    TPlugParts savedParts;
};

} // namespace tkv::test
