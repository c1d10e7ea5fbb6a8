// Profile (INI) files ("TKExportPath.ini", "BillstatusDefault.int"): any file text read and edited
// with the code page 936 codec; a value written to a plain section and key reads back as written, and
// writing it once more changes nothing.
#include "FuzzInput.h"
#include "platform/posix/CodePage.h"
#include "platform/posix/ProfileText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace {

const tkv::TCodePageConverter& Converter() {
    static const tkv::TCodePageConverter converter(936);
    return converter;
}

} // namespace

// Input: section LF key LF value LF file bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> f = tkv::fuzz::SplitFields(data, size, 3);
    const std::string &section = f[0], &key = f[1], &value = f[2], &file = f[3];
    const tkv::TProfileCodec codec{[](const std::string& s) { return Converter().ToUtf8(s); },
                                   [](const std::string& s) {
                                       return Converter().FromUtf8(s);
                                   }};

    (void)tkv::ReadProfileText(file, codec, section, key, "default");
    std::string written;
    try {
        written = tkv::WriteProfileText(file, codec, section, key, value);
    } catch (const std::invalid_argument&) {
        return 0;
    }
    if (!tkv::fuzz::IsPlainName(section) || !tkv::fuzz::IsPlainName(key))
        return 0;
    if (tkv::fuzz::IsPlainValue(value) && tkv::ReadProfileText(written, codec, section, key, "") != value)
        std::abort();
    if (tkv::WriteProfileText(written, codec, section, key, value) != written)
        std::abort();
    return 0;
}
