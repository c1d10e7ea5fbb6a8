// The host framework's reference-counted 8-bit string at the boundary: a 32-bit reference count and
// a 32-bit length in the 8 bytes before the characters, a terminating zero after them, null for the
// empty string, a count of -1 for constants that are never freed. Texts are in the system code page.
#pragma once

#include "Boundary.h"

#include <string>
#include <string_view>

namespace tkv::abi {

// A new string with one reference holding these bytes as they are; null for no bytes.
AnsiChars NewAnsiBytes(std::string_view bytes);
void AnsiAddRef(AnsiChars s);
// Drops one reference; frees the string through the shared memory manager at zero.
void AnsiRelease(AnsiChars s);
std::string_view AnsiBytes(const char* s);
// Stores a new string in a caller's slot, releasing what the slot held.
void AnsiAssign(AnsiChars* slot, std::string_view bytes);

// System code page <-> UTF-8 of the core.
std::string FromAnsi(const char* s);
void AnsiAssignUtf8(AnsiChars* slot, const std::string& utf8);

// A string argument that the plug-in passes to the host: made from UTF-8, released afterwards.
class AnsiArg {
public:
    explicit AnsiArg(const std::string& utf8);
    ~AnsiArg() { AnsiRelease(s_); }
    AnsiArg(const AnsiArg&) = delete;
    AnsiArg& operator=(const AnsiArg&) = delete;
    AnsiChars Get() const { return s_; }

private:
    AnsiChars s_ = nullptr;
};

// A slot that the host fills (a String result or var argument); its string is released afterwards.
class AnsiSlot {
public:
    AnsiSlot() = default;
    // Starts with a value, for var arguments.
    explicit AnsiSlot(const std::string& utf8) { AnsiAssignUtf8(&s_, utf8); }
    ~AnsiSlot() { AnsiRelease(s_); }
    AnsiSlot(const AnsiSlot&) = delete;
    AnsiSlot& operator=(const AnsiSlot&) = delete;
    AnsiChars* Out() { return &s_; }
    std::string Utf8() const { return FromAnsi(s_); }

private:
    AnsiChars s_ = nullptr;
};

} // namespace tkv::abi
