// The system wide string (BSTR) at the boundary, converted to and from the core's UTF-8.
#pragma once

#include "Boundary.h"

#include <string>

namespace tkv::abi {

std::string FromBstr(const wchar_t* s);
// A new BSTR, null for the empty string (as the framework hands out an empty WideString).
BSTR NewBstr(const std::string& utf8);
// Stores a new BSTR in a caller's slot, freeing what the slot held.
void BstrAssign(BSTR* slot, const std::string& utf8);

std::wstring Utf8ToWide(const std::string& utf8);
std::string WideToUtf8(const wchar_t* s, size_t length);

// A WideString argument that the plug-in passes to the host, freed afterwards.
class BstrArg {
public:
    explicit BstrArg(const std::string& utf8) : s_(NewBstr(utf8)) {}
    ~BstrArg() { SysFreeString(s_); }
    BstrArg(const BstrArg&) = delete;
    BstrArg& operator=(const BstrArg&) = delete;
    BSTR Get() const { return s_; }

private:
    BSTR s_;
};

// A WideString result slot that the host fills, freed afterwards.
class BstrSlot {
public:
    BstrSlot() = default;
    ~BstrSlot() { SysFreeString(s_); }
    BstrSlot(const BstrSlot&) = delete;
    BstrSlot& operator=(const BstrSlot&) = delete;
    BSTR* Out() { return &s_; }
    std::string Utf8() const { return FromBstr(s_); }

private:
    BSTR s_ = nullptr;
};

} // namespace tkv::abi
