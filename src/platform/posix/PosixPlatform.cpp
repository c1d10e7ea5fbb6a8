// POSIX implementation of the platform layer.
#include "PosixPlatform.h"

#include "../../Interface/Unknown.h"
#include "../../framework/DateTime.h"
#include "../NativePlatform.h"
#include "../WholeFile.h"
#include "ProfileText.h"

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits.h>
#include <random>
#include <sstream>
#include <stdexcept>
#include <stdlib.h>

namespace tkv {

namespace {

unsigned CodePageFromEnvironment() {
    if (const char* env = std::getenv("TKV_CODEPAGE")) {
        char* end = nullptr;
        const unsigned long cp = std::strtoul(env, &end, 10);
        if (end != env && *end == '\0' && cp > 0)
            return static_cast<unsigned>(cp);
    }
    return 936;
}

// A function of this module, so that dladdr names the library that holds the core, not the program.
void ModuleAnchor() {}

TProfileCodec CodecOf(IPlatform& platform) {
    return {[&platform](const std::string& s) { return platform.AnsiToUtf8(s); },
            [&platform](const std::string& s) {
                return platform.Utf8ToAnsi(s);
            }};
}

// The file's bytes; empty when it does not exist or cannot be read (the profile then answers defaults).
std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

TPosixPlatform::TPosixPlatform(unsigned codePage)
    : converter_(codePage != 0 ? codePage : CodePageFromEnvironment()) {}

std::string TPosixPlatform::ModuleFileName() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&ModuleAnchor), &info) == 0 || info.dli_fname == nullptr)
        return {};
    char resolved[PATH_MAX];
    if (realpath(info.dli_fname, resolved) != nullptr)
        return resolved;
    return info.dli_fname;
}

std::string TPosixPlatform::SystemFolder() {
    const char* env = std::getenv("TKV_SYSTEM_DIR");
    std::string folder = (env != nullptr && *env != '\0') ? env : "/usr/lib";
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

LibraryHandle TPosixPlatform::LoadLibrary(const std::string& path) {
    return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void TPosixPlatform::FreeLibrary(LibraryHandle library) {
    if (library != nullptr)
        dlclose(library);
}

void* TPosixPlatform::GetProcAddress(LibraryHandle library, const std::string& name) {
    if (library == nullptr)
        return nullptr;
    return dlsym(library, name.c_str());
}

std::string TPosixPlatform::DefaultProfileFolder() {
    if (const char* env = std::getenv("TKV_PROFILE_DIR"); env != nullptr && *env != '\0')
        return env;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config != '\0')
        return std::string(config) + "/tkvfpplug";
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr && *home != '\0' ? home : "/tmp") + "/.config/tkvfpplug";
}

std::string TPosixPlatform::ProfilePath(const std::string& file) {
    return file.find('/') == std::string::npos ? DefaultProfileFolder() + "/" + file : file;
}

std::string TPosixPlatform::ReadProfileString(const std::string& file, const std::string& section,
                                              const std::string& key, const std::string& defaultValue) {
    return ReadProfileText(ReadFileBytes(ProfilePath(file)), CodecOf(*this), section, key, defaultValue);
}

void TPosixPlatform::WriteProfileString(const std::string& file, const std::string& section,
                                        const std::string& key, const std::string& value) {
    const std::string path = ProfilePath(file);
    if (path != file) {
        std::error_code ec;
        std::filesystem::create_directories(DefaultProfileFolder(), ec);
    }
    const std::string bytes = WriteProfileText(ReadFileBytes(path), CodecOf(*this), section, key, value);
    if (!WriteFileWhole(path, bytes))
        throw std::runtime_error("设置文件" + path + "不能写入（只读、被占用或磁盘已满）");
}

std::string TPosixPlatform::NewGuid() {
    static std::mt19937_64 engine{std::random_device{}()};
    const std::uint64_t hi = engine(), lo = engine();
    TGUID g;
    g.D1 = static_cast<std::uint32_t>(hi >> 32);
    g.D2 = static_cast<std::uint16_t>(hi >> 16);
    g.D3 = static_cast<std::uint16_t>((hi & 0x0FFF) | 0x4000); // version 4
    for (int i = 0; i < 8; ++i)
        g.D4[i] = static_cast<std::uint8_t>(lo >> (56 - 8 * i));
    g.D4[0] = static_cast<std::uint8_t>((g.D4[0] & 0x3F) | 0x80); // RFC 4122 variant
    return g.ToString();
}

TDateTime TPosixPlatform::Now() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    DateParts parts;
    parts.year = local.tm_year + 1900;
    parts.month = local.tm_mon + 1;
    parts.day = local.tm_mday;
    parts.hour = local.tm_hour;
    parts.minute = local.tm_min;
    parts.second = local.tm_sec > 59 ? 59 : local.tm_sec; // a leap second counts as :59
    parts.millisecond = static_cast<int>(ms);
    return EncodeDateTime(parts);
}

std::unique_ptr<IPlatform> CreateNativePlatform() {
    return std::make_unique<TPosixPlatform>();
}

} // namespace tkv
