// Per-character text widths of the default font.
#include "TextMetrics.h"

#include <cstdint>

namespace tkv {

namespace {
constexpr int kNarrowWidth = 7, kWideWidth = 12;

bool IsWide(std::uint32_t cp) {
    return cp >= 0x2E80;
}
} // namespace

int TextWidth(std::string_view utf8) {
    int width = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        std::uint32_t cp = lead;
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
        for (int k = 1; k < len && i + k < utf8.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        width += IsWide(cp) ? kWideWidth : kNarrowWidth;
        i += len;
    }
    return width;
}

} // namespace tkv
