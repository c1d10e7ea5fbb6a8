// Splitting a fuzz input into the texts a target needs: leading fields ended by a line break, then
// the rest as it is (the file or answer bytes).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tkv::fuzz {

// The first `fields` lines of the input (without their LF) and the bytes after them; fewer lines
// than asked leave the missing fields empty.
inline std::vector<std::string> SplitFields(const std::uint8_t* data, std::size_t size, int fields) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> out;
    std::size_t start = 0;
    for (int i = 0; i < fields; ++i) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            out.push_back(start < text.size() ? text.substr(start) : std::string());
            start = text.size();
            continue;
        }
        out.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    out.push_back(text.substr(start));
    return out;
}

// Whether the text is a plain name: letters, digits and underscores, at least one.
inline bool IsPlainName(const std::string& s) {
    if (s.empty())
        return false;
    for (unsigned char c : s)
        if (!(c == '_' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')))
            return false;
    return true;
}

// Whether the text is printable ASCII with no blank, tab or quote at either end: a value that
// reads back exactly as it was written.
inline bool IsPlainValue(const std::string& s) {
    if (s.empty())
        return false;
    for (unsigned char c : s)
        if (c < 0x20 || c > 0x7E)
            return false;
    auto edge = [](char c) {
        return c == ' ' || c == '"' || c == '\'';
    };
    return !edge(s.front()) && !edge(s.back());
}

} // namespace tkv::fuzz
