// The plug-in's view of the machine inside the reference host: the plug-in library lies in the
// host's plug-in folder (so its data folder "PlugData", with the insurance settings and log, lies
// there too), and its clock may be the host's; everything else is the native platform.
#pragma once

#include "platform/Platform.h"

#include <filesystem>
#include <functional>

namespace tkv::host {

class TPlugFolderPlatform : public IPlatform {
public:
    // plugFolder: where the plug-in library file lies; clock: the plug-in's "now" (empty: the
    // native clock).
    explicit TPlugFolderPlatform(std::filesystem::path plugFolder, std::function<TDateTime()> clock = {});

    std::string ModuleFileName() override;
    char PathDelim() override { return base_.PathDelim(); }
    std::string SystemFolder() override { return base_.SystemFolder(); }
    LibraryHandle LoadLibrary(const std::string& path) override { return base_.LoadLibrary(path); }
    void FreeLibrary(LibraryHandle library) override { base_.FreeLibrary(library); }
    void* GetProcAddress(LibraryHandle library, const std::string& name) override {
        return base_.GetProcAddress(library, name);
    }
    std::string ReadProfileString(const std::string& file, const std::string& section, const std::string& key,
                                  const std::string& defaultValue) override {
        return base_.ReadProfileString(file, section, key, defaultValue);
    }
    void WriteProfileString(const std::string& file, const std::string& section, const std::string& key,
                            const std::string& value) override {
        base_.WriteProfileString(file, section, key, value);
    }
    std::string NewGuid() override { return base_.NewGuid(); }
    std::string Utf8ToAnsi(const std::string& utf8) override { return base_.Utf8ToAnsi(utf8); }
    std::string AnsiToUtf8(const std::string& ansi) override { return base_.AnsiToUtf8(ansi); }
    unsigned AnsiCodePage() override { return base_.AnsiCodePage(); }
    TDateTime Now() override { return clock_ ? clock_() : base_.Now(); }

private:
    IPlatform& base_;
    std::filesystem::path plugFolder_;
    std::function<TDateTime()> clock_;
};

// Installs the platform for the lifetime of the scope.
class TPlugFolderScope {
public:
    explicit TPlugFolderScope(IPlatform& platform) { SetPlatform(&platform); }
    ~TPlugFolderScope() { SetPlatform(nullptr); }
    TPlugFolderScope(const TPlugFolderScope&) = delete;
    TPlugFolderScope& operator=(const TPlugFolderScope&) = delete;
};

} // namespace tkv::host
