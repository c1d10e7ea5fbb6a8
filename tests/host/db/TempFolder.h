// A temporary folder for one test's database file, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <string>

namespace tkv::host::testing {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

} // namespace tkv::host::testing
