// Colours, cached fonts and brushes, text extents and caret offsets.
#include "Gdi.h"

#include "platform/win32/Win32Text.h"
#include "toolkit/Utf8.h"

namespace tkv::win32ui {

COLORREF ToColorRef(TColor color) {
    const auto value = static_cast<std::uint32_t>(color);
    if (IsSystemColor(color))
        return GetSysColor(static_cast<int>(value & 0xFF));
    return static_cast<COLORREF>(value & 0xFFFFFF);
}

TGdiCache::~TGdiCache() {
    for (auto& [key, font] : fonts_)
        DeleteObject(font);
    for (auto& [key, brush] : brushes_)
        DeleteObject(brush);
}

HFONT TGdiCache::Font(const TFont& font) {
    const FontKey key{font.Name, font.Height, font.Style};
    if (auto it = fonts_.find(key); it != fonts_.end())
        return it->second;
    LOGFONTW lf{};
    lf.lfHeight = -font.Height;
    lf.lfWeight = (font.Style & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (font.Style & fsItalic) ? TRUE : FALSE;
    lf.lfUnderline = (font.Style & fsUnderline) ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::wstring face = win32::Utf8ToWide(font.Name);
    wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    HFONT made = CreateFontIndirectW(&lf);
    fonts_[key] = made;
    return made;
}

HBRUSH TGdiCache::Brush(COLORREF color) {
    if (auto it = brushes_.find(color); it != brushes_.end())
        return it->second;
    HBRUSH made = CreateSolidBrush(color);
    brushes_[color] = made;
    return made;
}

SIZE TextExtent(HFONT font, const std::wstring& text) {
    SIZE size{0, 0};
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    if (text.empty()) {
        TEXTMETRICW tm{};
        GetTextMetricsW(dc, &tm);
        size.cy = tm.tmHeight;
    } else {
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    }
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return size;
}

int WideOffset(const std::string& utf8, int codePoints) {
    int wide = 0;
    int n = 0;
    for (char32_t cp : DecodeUtf8(utf8)) {
        if (n++ >= codePoints)
            break;
        wide += cp > 0xFFFF ? 2 : 1;
    }
    return wide;
}

int CodePointOffset(const std::wstring& wide, int wideOffset) {
    int points = 0;
    for (int i = 0; i < wideOffset && i < static_cast<int>(wide.size()); ++i) {
        // A low surrogate completes the code point its high surrogate started.
        if (wide[i] >= 0xDC00 && wide[i] <= 0xDFFF && i > 0)
            continue;
        ++points;
    }
    return points;
}

} // namespace tkv::win32ui
