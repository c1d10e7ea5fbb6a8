// The platform layer: everything the core needs from the operating system. The core calls only
// this interface; POSIX and Win32 implement it, and tests replace the clock and the module file name.
#pragma once

#include "../framework/Variant.h"

#include <memory>
#include <string>

namespace tkv {

using LibraryHandle = void*;

class IPlatform {
public:
    virtual ~IPlatform() = default;

    // Full path of this library's own module (not of the host program), UTF-8.
    virtual std::string ModuleFileName() = 0;
    // The path separator of this platform: '\' on Windows, '/' on POSIX.
    virtual char PathDelim() = 0;
    // The operating system's own folder (where the help control lies), no trailing separator.
    virtual std::string SystemFolder() = 0;

    // nullptr when the library cannot be loaded or has no such entry point.
    virtual LibraryHandle LoadLibrary(const std::string& path) = 0;
    virtual void FreeLibrary(LibraryHandle library) = 0;
    virtual void* GetProcAddress(LibraryHandle library, const std::string& name) = 0;

    // Profile (INI) files: sections and keys matched without letter case; values written back in place.
    // A bare file name (no folder) names a file of the system's default profile folder: the Windows
    // folder on Windows.
    virtual std::string ReadProfileString(const std::string& file, const std::string& section,
                                          const std::string& key, const std::string& defaultValue) = 0;
    // Raises std::runtime_error when the file cannot be written.
    virtual void WriteProfileString(const std::string& file, const std::string& section, const std::string& key,
                                    const std::string& value) = 0;

    // A new GUID in 38-character registry form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
    virtual std::string NewGuid() = 0;

    // Conversion between UTF-8 and the system 8-bit code page (936 on target systems); characters
    // that the code page lacks become "?".
    virtual std::string Utf8ToAnsi(const std::string& utf8) = 0;
    virtual std::string AnsiToUtf8(const std::string& ansi) = 0;
    virtual unsigned AnsiCodePage() = 0;

    // Local date and time now.
    virtual TDateTime Now() = 0;
};

// The platform of this build, or the one a test installed.
IPlatform& Platform();
// Installs a platform (tests); nullptr restores the built-in one. The caller keeps ownership.
void SetPlatform(IPlatform* platform);
// The built-in platform of this build.
IPlatform& NativePlatform();

} // namespace tkv
