// Letter-case helpers for names (fields, parameters): ASCII letters only, so UTF-8 Chinese names
// compare byte for byte.
#pragma once

#include <string>
#include <string_view>

namespace tkv {

std::string LowerCase(std::string_view text);
bool SameText(std::string_view a, std::string_view b);

} // namespace tkv
