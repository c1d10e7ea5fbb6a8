// Text functions of VNSSCOMM: texts as lists of lines, the way a string list reads and writes them
// (a line ends at CR LF, LF or CR, an unended last line is a line too, and every line is written
// back followed by CR LF); trimming; quoting a text for SQL.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tkv {

std::vector<std::string> SplitLines(std::string_view text);
// Every line followed by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);
// Line index of the text, or empty when the text has fewer lines.
std::string LineAt(const std::vector<std::string>& lines, std::size_t index);
// The text without leading and trailing blanks and control characters.
std::string Trim(const std::string& text);
// The text in single quotes, every single quote inside it doubled.
std::string QuotedStr(const std::string& text);

} // namespace tkv
