// The stand-in scanner library ("pictureScan.dll"): each scan writes a generated invoice page as
// a JPEG file into the scan folder and remembers its path for ScanSavePath.
//
// Portable calling contract: SCanPicture(bool-byte* scanned), ScanSavePath(char** path); both
// return a COM status (negative = failure). The path is an 8-bit string in code page 936 that the
// library allocates with malloc and the caller releases with free.
//
// Environment: TKV_SCAN_DIR names the scan folder (default: "tkvscan" in the temporary folder);
// TKV_SCAN_RESULT "cancel" makes a scan report false, "fail" makes it fail with E_FAIL.
#include "CodePage.h"
#include "SimExport.h"
#include "SimJpeg.h"

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
        s.LastPath = file.string();
        *scanned = 1;
        return kS_OK;
    } catch (const std::exception&) {
        return kE_FAIL;
    }
}

TKV_SIM_EXPORT std::int32_t TKV_SIM_CALL ScanSavePath(char** path) {
    if (!path)
        return kE_POINTER;
    const std::string text = tkv::sim::Utf8ToGbk(State().LastPath);
    char* out = static_cast<char*>(std::malloc(text.size() + 1));
    if (!out)
        return kE_FAIL;
    std::memcpy(out, text.c_str(), text.size() + 1);
    *path = out;
    return kS_OK;
}
