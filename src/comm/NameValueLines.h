// A text of name=value lines in the 8-bit code page, as a string list holds it: read by name
// (letter case ignored, first match), set by name (an empty value removes the line, a new name is
// appended). Lines that are not set keep their bytes and their own line ends, so a file written back
// differs only in the lines that were set.
#pragma once

#include <string>
#include <vector>

namespace tkv {

class TNameValueLines {
public:
    // Lines end at CR LF, LF or CR; a last line without an end is a line too.
    void LoadFromBytes(const std::string& bytes);
    std::string SaveToBytes() const;

    int Count() const { return static_cast<int>(lines_.size()); }
    // The value (UTF-8) of the first line whose name is Name, as it stands; empty when none.
    std::string Value(const std::string& name) const;
    // Replaces the first line of that name by "Name=Value" (the line keeps its end); appends it
    // when absent; an empty value removes the line instead.
    void SetValue(const std::string& name, const std::string& value);

private:
    struct TLine {
        std::string Text; // 8-bit bytes without the line end
        std::string End;  // "\r\n", "\n", "\r", or empty for an unended last line
    };
    int IndexOfName(const std::string& name) const;

    std::vector<TLine> lines_;
};

} // namespace tkv
