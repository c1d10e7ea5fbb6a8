// A platform for tests: a settable clock, module file name and system folder, and fake libraries
// whose entry points are plain functions of the test; everything else goes to the native platform.
// Install it for a test with TScopedPlatform.
#pragma once

#include "platform/Platform.h"

#include <map>
#include <string>
#include <vector>

namespace tkv::test {

class TFakePlatform : public IPlatform {
public:
    std::string moduleFileName = "/nowhere/Plug/TkvfpPlug.so";
    std::string systemFolder = "/fake/system";
    TDateTime now = 42954.5; // 2017-08-07 12:00

    // Makes path loadable; name -> address of the test function that stands for that entry point.
    void AddLibrary(const std::string& path, std::map<std::string, void*> entryPoints) {
        libraries_[path] = std::move(entryPoints);
    }

    std::vector<std::string> loaded; // paths, in load order
    int freed = 0;

    std::string ModuleFileName() override { return moduleFileName; }
    char PathDelim() override { return NativePlatform().PathDelim(); }
    std::string SystemFolder() override { return systemFolder; }

    LibraryHandle LoadLibrary(const std::string& path) override {
        auto it = libraries_.find(path);
        if (it == libraries_.end())
            return nullptr;
        loaded.push_back(path);
        return &it->second;
    }
    void FreeLibrary(LibraryHandle library) override {
        if (library != nullptr)
            ++freed;
    }
    void* GetProcAddress(LibraryHandle library, const std::string& name) override {
        if (library == nullptr)
            return nullptr;
        auto& entries = *static_cast<std::map<std::string, void*>*>(library);
        auto it = entries.find(name);
        return it == entries.end() ? nullptr : it->second;
    }

    std::string ReadProfileString(const std::string& file, const std::string& section, const std::string& key,
                                  const std::string& defaultValue) override {
        return NativePlatform().ReadProfileString(file, section, key, defaultValue);
    }
    void WriteProfileString(const std::string& file, const std::string& section, const std::string& key,
                            const std::string& value) override {
        NativePlatform().WriteProfileString(file, section, key, value);
    }
    std::string NewGuid() override { return NativePlatform().NewGuid(); }
    std::string Utf8ToAnsi(const std::string& utf8) override { return NativePlatform().Utf8ToAnsi(utf8); }
    std::string AnsiToUtf8(const std::string& ansi) override { return NativePlatform().AnsiToUtf8(ansi); }
    unsigned AnsiCodePage() override { return NativePlatform().AnsiCodePage(); }
    TDateTime Now() override { return now; }

private:
    std::map<std::string, std::map<std::string, void*>> libraries_;
};

// Installs a platform for the lifetime of the scope.
class TScopedPlatform {
public:
    explicit TScopedPlatform(IPlatform& platform) { SetPlatform(&platform); }
    ~TScopedPlatform() { SetPlatform(nullptr); }
    TScopedPlatform(const TScopedPlatform&) = delete;
    TScopedPlatform& operator=(const TScopedPlatform&) = delete;
};

} // namespace tkv::test
