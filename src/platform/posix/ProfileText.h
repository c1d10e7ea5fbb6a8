// Profile (INI) file text with the Windows profile rules: sections and keys matched without letter
// case, the first matching section and key win, a value is rewritten on its own line and every
// other line keeps its bytes, a new key goes after the last entry of its section and a new section
// at the end. The text is kept in the file's 8-bit code page; a decoder turns a line into UTF-8 for
// matching, an encoder turns the new line into the code page.
#pragma once

#include <functional>
#include <string>

namespace tkv {

struct TProfileCodec {
    std::function<std::string(const std::string&)> Decode; // code page -> UTF-8
    std::function<std::string(const std::string&)> Encode; // UTF-8 -> code page
};

// The value (UTF-8, blanks and one pair of enclosing quotes removed), or defaultValue when the
// section or key is missing.
std::string ReadProfileText(const std::string& fileBytes, const TProfileCodec& codec,
                            const std::string& section, const std::string& key,
                            const std::string& defaultValue);

// The file bytes with key=value set in the section. Raises std::invalid_argument for a section,
// key or value that cannot stand on one profile line (line breaks, "]" in a section, "=" in a key,
// an empty key).
std::string WriteProfileText(const std::string& fileBytes, const TProfileCodec& codec,
                             const std::string& section, const std::string& key, const std::string& value);

} // namespace tkv
