// UTF-16 (little-endian bytes, as wide texts travel in packets) to and from the core's UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tkv {

// Appends the text of units UTF-16 code units at p; an unpaired surrogate becomes U+FFFD.
void AppendUtf16LeAsUtf8(std::string& out, const std::uint8_t* p, std::size_t units);
// The UTF-8 length of the same text, without converting it.
std::size_t Utf8LengthOfUtf16Le(const std::uint8_t* p, std::size_t units);
// Appends UTF-8 text as UTF-16LE bytes; a malformed sequence becomes U+FFFD.
void AppendUtf8AsUtf16Le(std::string& out, std::string_view utf8);

} // namespace tkv
