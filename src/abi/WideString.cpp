// UTF-16 BSTRs <-> UTF-8.
#include "WideString.h"

#include "../platform/win32/Win32Text.h"

namespace tkv::abi {

std::wstring Utf8ToWide(const std::string& utf8) {
    return win32::Utf8ToWide(utf8);
}

std::string WideToUtf8(const wchar_t* s, size_t length) {
    return win32::WideToUtf8(s, length);
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
