// Per-character text widths of the default font.
#include "TextMetrics.h"

#include "Utf8.h"

#include <string>

namespace tkv {

namespace {
constexpr int kNarrowWidth = 7, kWideWidth = 12;

bool IsWide(char32_t cp) {
    return cp >= 0x2E80;
}
} // namespace

int TextWidth(std::string_view utf8) {
    int width = 0;
    for (char32_t cp : DecodeUtf8(std::string(utf8)))
        width += IsWide(cp) ? kWideWidth : kNarrowWidth;
    return width;
}

} // namespace tkv
