// Code page conversion through the system's converters; whatever code page 936 lacks becomes "?".
#include "CodePage.h"

#include <windows.h>

namespace tkv::sim {

namespace {

std::wstring ToWide(const std::string& in, UINT codePage) {
    if (in.empty())
        return {};
    const int n = MultiByteToWideChar(codePage, 0, in.data(), static_cast<int>(in.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, in.data(), static_cast<int>(in.size()), out.data(), n);
    return out;
}

std::string FromWide(const std::wstring& in, UINT codePage) {
    if (in.empty())
        return {};
    // UTF-8 takes no replacement character argument.
    const char* replacement = codePage == CP_UTF8 ? nullptr : "?";
    const int n = WideCharToMultiByte(codePage, 0, in.data(), static_cast<int>(in.size()), nullptr, 0,
                                      replacement, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, in.data(), static_cast<int>(in.size()), out.data(), n, replacement,
                        nullptr);
    return out;
}

} // namespace

std::string Utf8ToGbk(const std::string& utf8) {
    return FromWide(ToWide(utf8, CP_UTF8), 936);
}
std::string GbkToUtf8(const std::string& gbk) {
    return FromWide(ToWide(gbk, 936), CP_UTF8);
}

} // namespace tkv::sim
