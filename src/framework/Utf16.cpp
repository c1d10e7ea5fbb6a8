// UTF-16LE and UTF-8 conversions of packet texts.
#include "Utf16.h"

namespace tkv {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

char32_t UnitAt(const std::uint8_t* p, std::size_t i) {
    return static_cast<char32_t>(p[2 * i] | (p[2 * i + 1] << 8));
}

// The code point at unit i; i moves past it.
char32_t NextCodePoint(const std::uint8_t* p, std::size_t units, std::size_t& i) {
    const char32_t u = UnitAt(p, i++);
    if (u < 0xD800 || u > 0xDFFF)
        return u;
    if (u <= 0xDBFF && i < units) {
        const char32_t low = UnitAt(p, i);
        if (low >= 0xDC00 && low <= 0xDFFF) {
            ++i;
            return 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
        }
    }
    return kReplacement;
}

void AppendUtf8(std::string& out, char32_t cp) {
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
}

void AppendUnit(std::string& out, char32_t unit) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
}

// The code point at s[i]; i moves past its bytes (one byte for a malformed sequence).
char32_t DecodeUtf8At(std::string_view s, std::size_t& i) {
    const unsigned char c = static_cast<unsigned char>(s[i++]);
    if (c < 0x80)
        return c;
    const int more = c >= 0xF0 ? (c <= 0xF4 ? 3 : -1) : c >= 0xE0 ? 2 : c >= 0xC2 ? 1 : -1;
    if (more < 0 || i + static_cast<std::size_t>(more) > s.size())
        return kReplacement;
    char32_t cp = c & (0x3F >> more);
    for (int k = 0; k < more; ++k) {
        const unsigned char t = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
        if ((t & 0xC0) != 0x80)
            return kReplacement;
        cp = (cp << 6) | (t & 0x3F);
    }
    const char32_t least = more == 1 ? 0x80 : more == 2 ? 0x800 : 0x10000;
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return kReplacement;
    i += static_cast<std::size_t>(more);
    return cp;
}

} // namespace

void AppendUtf16LeAsUtf8(std::string& out, const std::uint8_t* p, std::size_t units) {
    for (std::size_t i = 0; i < units;)
        AppendUtf8(out, NextCodePoint(p, units, i));
}

std::size_t Utf8LengthOfUtf16Le(const std::uint8_t* p, std::size_t units) {
    std::size_t length = 0;
    for (std::size_t i = 0; i < units;) {
        const char32_t cp = NextCodePoint(p, units, i);
        length += cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4;
    }
    return length;
}

void AppendUtf8AsUtf16Le(std::string& out, std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t cp = DecodeUtf8At(utf8, i);
        if (cp < 0x10000) {
            AppendUnit(out, cp);
        } else {
            AppendUnit(out, 0xD800 + ((cp - 0x10000) >> 10));
            AppendUnit(out, 0xDC00 + ((cp - 0x10000) & 0x3FF));
        }
    }
}

} // namespace tkv
