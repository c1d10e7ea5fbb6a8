// Code page 936 conversions of texts from outside (host strings, profile and settings files,
// insurance answers): both directions over any bytes; the UTF-8 side is always well-formed, and
// text that came from code page 936 goes back to the same bytes.
#include "platform/posix/CodePage.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

const tkv::TCodePageConverter& Converter() {
    static const tkv::TCodePageConverter converter(936);
    return converter;
}

// Well-formed UTF-8: no stray trail bytes, no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsUtf8(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        std::size_t n;
        char32_t cp;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            n = 1, cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            n = 2, cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            n = 3, cp = c & 0x07;
        } else {
            return false;
        }
        if (i + n >= s.size())
            return false;
        for (std::size_t k = 1; k <= n; ++k) {
            const unsigned char t = static_cast<unsigned char>(s[i + k]);
            if ((t & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (t & 0x3F);
        }
        if ((n == 2 && cp < 0x800) || (n == 3 && cp < 0x10000) || cp > 0x10FFFF ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += n + 1;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string utf8 = Converter().ToUtf8(bytes);
    if (!IsUtf8(utf8))
        std::abort();
    // Without a replaced byte the text was all code page 936, and converts back to those bytes.
    if (utf8.find('?') == std::string::npos && bytes.find('?') == std::string::npos &&
        Converter().FromUtf8(utf8) != bytes)
        std::abort();
    const std::string ansi = Converter().FromUtf8(bytes);
    (void)Converter().ToUtf8(ansi);
    return 0;
}
