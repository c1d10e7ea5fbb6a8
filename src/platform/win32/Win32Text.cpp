// MultiByteToWideChar / WideCharToMultiByte in both directions.
#include "Win32Text.h"

#include <windows.h>

namespace tkv::win32 {
namespace {

std::wstring Widen(const std::string& text, UINT codePage) {
    if (text.empty())
        return {};
    const int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string Narrow(const wchar_t* text, size_t length, UINT codePage) {
    if (!text || length == 0)
        return {};
    // The replacement character applies to the 8-bit code page only; UTF-8 takes no default char.
    const char* fallback = codePage == CP_UTF8 ? nullptr : "?";
    const int n =
        WideCharToMultiByte(codePage, 0, text, static_cast<int>(length), nullptr, 0, fallback, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, text, static_cast<int>(length), out.data(), n, fallback, nullptr);
    return out;
}

} // namespace

std::wstring Utf8ToWide(const std::string& utf8) {
    return Widen(utf8, CP_UTF8);
}
std::string WideToUtf8(const wchar_t* text, size_t length) {
    return Narrow(text, length, CP_UTF8);
}

std::string Utf8ToAnsi(const std::string& utf8) {
    const std::wstring w = Widen(utf8, CP_UTF8);
    return Narrow(w.data(), w.size(), CP_ACP);
}

std::string AnsiToUtf8(const std::string& ansi) {
    const std::wstring w = Widen(ansi, CP_ACP);
    return Narrow(w.data(), w.size(), CP_UTF8);
}

} // namespace tkv::win32
