// Allocation, reference counting and code-page conversion of the framework's 8-bit strings.
#include "AnsiString.h"

#include "../platform/win32/Win32Text.h"
#include "BorlandMemory.h"

#include <cstring>

namespace tkv::abi {
namespace {

struct AnsiHeader {
    std::int32_t refCount;
    std::int32_t length;
};

AnsiHeader* HeaderOf(const char* s) {
    return reinterpret_cast<AnsiHeader*>(const_cast<char*>(s)) - 1;
}

} // namespace

AnsiChars NewAnsiBytes(std::string_view bytes) {
    if (bytes.empty())
        return nullptr;
    auto* h = static_cast<AnsiHeader*>(BorlandGetMem(sizeof(AnsiHeader) + bytes.size() + 1));
    h->refCount = 1;
    h->length = static_cast<std::int32_t>(bytes.size());
    char* chars = reinterpret_cast<char*>(h + 1);
    std::memcpy(chars, bytes.data(), bytes.size());
    chars[bytes.size()] = '\0';
    return chars;
}

void AnsiAddRef(AnsiChars s) {
    if (s && HeaderOf(s)->refCount >= 0)
        InterlockedIncrement(reinterpret_cast<volatile LONG*>(&HeaderOf(s)->refCount));
}

void AnsiRelease(AnsiChars s) {
    if (!s || HeaderOf(s)->refCount < 0)
        return;
    if (InterlockedDecrement(reinterpret_cast<volatile LONG*>(&HeaderOf(s)->refCount)) == 0)
        BorlandFreeMem(HeaderOf(s));
}

std::string_view AnsiBytes(const char* s) {
    if (!s)
        return {};
    return {s, static_cast<size_t>(HeaderOf(s)->length)};
}

void AnsiAssign(AnsiChars* slot, std::string_view bytes) {
    AnsiChars fresh = NewAnsiBytes(bytes);
    AnsiChars old = *slot;
    *slot = fresh;
    AnsiRelease(old);
}

std::string FromAnsi(const char* s) {
    return win32::AnsiToUtf8(std::string(AnsiBytes(s)));
}

void AnsiAssignUtf8(AnsiChars* slot, const std::string& utf8) {
    AnsiAssign(slot, win32::Utf8ToAnsi(utf8));
}

AnsiArg::AnsiArg(const std::string& utf8) {
    AnsiAssignUtf8(&s_, utf8);
}

} // namespace tkv::abi
