// The stand-in scanner library ("pictureScan.dll"): each scan writes a generated invoice page as
// a JPEG file into the scan folder and remembers its path for ScanSavePath.
//
// Calling contract: SCanPicture(bool-byte* scanned), ScanSavePath(char** path); both return a COM
// status (negative = failure). The path is an 8-bit string in the system code page (936 on target
// systems). On Windows it is the host framework's reference-counted string, allocated with the
// shared memory manager (borlndmm.dll beside the host program) that the host and the plug-in use
// as well; elsewhere it comes from malloc and goes back to free.
//
// Environment: TKV_SCAN_DIR names the scan folder (default: "tkvscan" in the temporary folder);
// TKV_SCAN_RESULT "cancel" makes a scan report false, "fail" makes it fail with E_FAIL.
#include "SimExport.h"
#include "SimJpeg.h"

#if defined(_WIN32)
#include "abi/AnsiString.h"
#include "abi/BorlandMemory.h"
#include "platform/win32/Win32Text.h"
#else
#include "CodePage.h"
#endif

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

constexpr std::int32_t kS_OK = 0;
constexpr std::int32_t kE_FAIL = static_cast<std::int32_t>(0x80004005u);
constexpr std::int32_t kE_POINTER = static_cast<std::int32_t>(0x80004003u);

struct ScanState {
    unsigned Count = 0;
    std::string LastPath; // UTF-8
};

ScanState& State() {
    static ScanState state;
    return state;
}

std::filesystem::path ScanFolder() {
    if (const char* dir = std::getenv("TKV_SCAN_DIR"); dir && *dir)
        return dir;
    return std::filesystem::temp_directory_path() / "tkvscan";
}

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

// The path as the caller's string, or nullptr when it cannot be made.
char* NewPathText(const std::string& utf8) {
#if defined(_WIN32)
    if (!tkv::abi::BindBorlandMemory())
        return nullptr;
    return tkv::abi::NewAnsiBytes(tkv::win32::Utf8ToAnsi(utf8));
#else
    const std::string text = tkv::sim::Utf8ToGbk(utf8);
    char* out = static_cast<char*>(std::malloc(text.size() + 1));
    if (out)
        std::memcpy(out, text.c_str(), text.size() + 1);
    return out;
#endif
}

} // namespace

TKV_SIM_EXPORT std::int32_t TKV_SIM_CALL SCanPicture(std::uint8_t* scanned) {
    if (!scanned)
        return kE_POINTER;
    *scanned = 0;
    const std::string mode = Env("TKV_SCAN_RESULT");
    if (mode == "fail")
        return kE_FAIL;
    if (mode == "cancel")
        return kS_OK;
    try {
        const std::filesystem::path folder = ScanFolder();
        std::filesystem::create_directories(folder);
        ScanState& s = State();
        const unsigned n = s.Count + 1;
        const std::filesystem::path file = folder / ("scan" + std::to_string(n) + ".jpg");
        tkv::sim::WriteFileBytes(file.string(), tkv::sim::InvoicePageJpeg(640, 452, 1000 + n));
        s.Count = n;
        const std::u8string utf8 = file.u8string();
        s.LastPath.assign(utf8.begin(), utf8.end());
        *scanned = 1;
        return kS_OK;
    } catch (const std::exception&) {
        return kE_FAIL;
    }
}

TKV_SIM_EXPORT std::int32_t TKV_SIM_CALL ScanSavePath(char** path) {
    if (!path)
        return kE_POINTER;
    try {
        char* out = NewPathText(State().LastPath);
        if (!out && !State().LastPath.empty())
            return kE_FAIL;
        *path = out;
        return kS_OK;
    } catch (const std::exception&) {
        return kE_FAIL;
    }
}
