// The platform layer on POSIX systems: dladdr/dlopen for modules, iconv for the code page, profile
// files kept in the 8-bit code page like their Windows counterparts, the local clock.
#pragma once

#include "../Platform.h"
#include "CodePage.h"

namespace tkv {

class TPosixPlatform : public IPlatform {
public:
    // codePage 0: the code page of the environment variable TKV_CODEPAGE, else 936.
    explicit TPosixPlatform(unsigned codePage = 0);

    std::string ModuleFileName() override;
    char PathDelim() override { return '/'; }
    // The folder of the environment variable TKV_SYSTEM_DIR, else /usr/lib.
    std::string SystemFolder() override;

    LibraryHandle LoadLibrary(const std::string& path) override;
    void FreeLibrary(LibraryHandle library) override;
    void* GetProcAddress(LibraryHandle library, const std::string& name) override;

    std::string ReadProfileString(const std::string& file, const std::string& section, const std::string& key,
                                  const std::string& defaultValue) override;
    void WriteProfileString(const std::string& file, const std::string& section, const std::string& key,
                            const std::string& value) override;

    std::string NewGuid() override;

    // The default folder of profile files named without a folder: the environment variable
    // TKV_PROFILE_DIR, else tkvfpplug in the user's configuration folder ($XDG_CONFIG_HOME, else
    // ~/.config). Created when such a file is first written.
    static std::string DefaultProfileFolder();
    // The file's path: a bare name within the default folder, any other path as it is.
    static std::string ProfilePath(const std::string& file);

    std::string Utf8ToAnsi(const std::string& utf8) override { return converter_.FromUtf8(utf8); }
    std::string AnsiToUtf8(const std::string& ansi) override { return converter_.ToUtf8(ansi); }
    unsigned AnsiCodePage() override { return converter_.CodePage(); }

    TDateTime Now() override;

private:
    TCodePageConverter converter_;
};

} // namespace tkv
