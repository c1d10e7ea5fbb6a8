// UTF-8 encoding and decoding by code point.
#include "Utf8.h"

namespace tkv {

std::string EncodeUtf8(char32_t cp) {
    std::string out;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

std::u32string DecodeUtf8(const std::string& text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        char32_t cp = lead;
        int len = 1;
        if (lead >= 0xF0) {
            cp = lead & 0x07;
            len = 4;
        } else if (lead >= 0xE0) {
            cp = lead & 0x0F;
            len = 3;
        } else if (lead >= 0xC0) {
            cp = lead & 0x1F;
            len = 2;
        }
        for (int k = 1; k < len && i + k < text.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        out += cp;
        i += len;
    }
    return out;
}

} // namespace tkv
