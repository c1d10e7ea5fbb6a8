// Window read-back helpers.
#include "NativeWindows.h"

namespace uitest {

std::string Utf8(const std::wstring& text) {
    if (text.empty())
        return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                        nullptr);
    return out;
}

std::wstring Wide(const std::string& text) {
    if (text.empty())
        return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string ControlName(HWND window) {
    const auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropW(window, L"TkvControl")));
    if (!atom)
        return {};
    wchar_t name[256] = {};
    const UINT n = GlobalGetAtomNameW(atom, name, 256);
    return Utf8(std::wstring(name, n));
}

std::string OwningControlName(HWND window) {
    for (HWND w = window; w; w = GetParent(w)) {
        std::string name = ControlName(w);
        if (!name.empty())
            return name;
        if (!(GetWindowLongPtrW(w, GWL_STYLE) & WS_CHILD))
            break;
    }
    return {};
}

namespace {
struct Search {
    std::string name;
    HWND found = nullptr;
};
BOOL CALLBACK FindByName(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    if (ControlName(window) == search->name) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}
BOOL CALLBACK Collect(HWND window, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}
} // namespace

HWND FindControl(HWND form, const std::string& name) {
    Search search{name};
    EnumChildWindows(form, FindByName, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string WindowClass(HWND window) {
    wchar_t name[128] = {};
    const int n = GetClassNameW(window, name, 128);
    return Utf8(std::wstring(name, static_cast<std::size_t>(n)));
}

std::string WindowText(HWND window) {
    const int n = static_cast<int>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    SendMessageW(window, WM_GETTEXT, n + 1, reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcslen(text.c_str()));
    return Utf8(text);
}

RECT RectIn(HWND form, HWND window) {
    RECT rc;
    GetWindowRect(window, &rc);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

std::vector<std::string> DialogTabOrder(HWND form) {
    std::vector<std::string> names;
    HWND first = GetNextDlgTabItem(form, nullptr, FALSE);
    for (HWND w = first; w;) {
        names.push_back(OwningControlName(w));
        w = GetNextDlgTabItem(form, w, FALSE);
        if (w == first || names.size() > 500)
            break;
    }
    return names;
}

bool FontCovers(HWND window, const std::wstring& text) {
    if (text.empty())
        return true;
    HDC dc = GetDC(window);
    auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    std::vector<WORD> glyphs(text.size());
    const DWORD n = GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(),
                                     GGI_MARK_NONEXISTING_GLYPHS);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    if (n == GDI_ERROR)
        return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (glyphs[i] == 0xFFFF && text[i] != L' ')
            return false;
    return true;
}

namespace {
struct TopLevelMatch {
    std::wstring caption;
    const wchar_t* cls;
    HWND found = nullptr;
};
// Enumeration callbacks are named functions: the i686 build needs their stdcall convention.
BOOL CALLBACK MatchTopLevel(HWND w, LPARAM p) {
    auto* m = reinterpret_cast<TopLevelMatch*>(p);
    wchar_t text[512] = {};
    GetWindowTextW(w, text, 512);
    wchar_t cls[128] = {};
    GetClassNameW(w, cls, 128);
    if (IsWindowVisible(w) && m->caption == text && (!m->cls || lstrcmpiW(m->cls, cls) == 0)) {
        m->found = w;
        return FALSE;
    }
    return TRUE;
}
} // namespace

HWND FindTopLevel(const std::string& caption, const wchar_t* windowClass) {
    TopLevelMatch match{Wide(caption), windowClass};
    EnumThreadWindows(GetCurrentThreadId(), MatchTopLevel, reinterpret_cast<LPARAM>(&match));
    return match.found;
}

std::vector<HWND> Descendants(HWND window) {
    std::vector<HWND> out;
    EnumChildWindows(window, Collect, reinterpret_cast<LPARAM>(&out));
    return out;
}

} // namespace uitest
