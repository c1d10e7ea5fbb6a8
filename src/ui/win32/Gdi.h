// Drawing resources of the renderer: system and model colours as COLORREF, fonts and brushes made
// once per value and kept for the life of the shown form, text measurement, and code-point <->
// UTF-16 offsets for carets.
#pragma once

#include "toolkit/Graphics.h"

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

namespace tkv::win32ui {

COLORREF ToColorRef(TColor color);

class TGdiCache {
public:
    TGdiCache() = default;
    ~TGdiCache();
    TGdiCache(const TGdiCache&) = delete;
    TGdiCache& operator=(const TGdiCache&) = delete;

    // The font's height is the character height in pixels (a negative LOGFONT height).
    HFONT Font(const TFont& font);
    HBRUSH Brush(COLORREF color);

private:
    using FontKey = std::tuple<std::string, int, int>;
    std::map<FontKey, HFONT> fonts_;
    std::map<COLORREF, HBRUSH> brushes_;
};

// Width and height of the text in that font.
SIZE TextExtent(HFONT font, const std::wstring& text);

// UTF-16 offset of the code point offset in the UTF-8 text, and back.
int WideOffset(const std::string& utf8, int codePoints);
int CodePointOffset(const std::wstring& wide, int wideOffset);

} // namespace tkv::win32ui
