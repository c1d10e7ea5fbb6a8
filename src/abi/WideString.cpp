// UTF-16 BSTRs <-> UTF-8.
#include "WideString.h"

namespace tkv::abi {

std::wstring Utf8ToWide(const std::string& utf8) {
    if (utf8.empty())
        return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), w.data(), n);
    return w;
}

std::string WideToUtf8(const wchar_t* s, size_t length) {
    if (!s || length == 0)
        return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, s, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, s, static_cast<int>(length), out.data(), n, nullptr, nullptr);
    return out;
}

std::string FromBstr(const wchar_t* s) {
    return s ? WideToUtf8(s, SysStringLen(const_cast<BSTR>(s))) : std::string();
}

BSTR NewBstr(const std::string& utf8) {
    if (utf8.empty())
        return nullptr;
    const std::wstring w = Utf8ToWide(utf8);
    return SysAllocStringLen(w.data(), static_cast<UINT>(w.size()));
}

void BstrAssign(BSTR* slot, const std::string& utf8) {
    BSTR fresh = NewBstr(utf8);
    SysFreeString(*slot);
    *slot = fresh;
}

} // namespace tkv::abi
