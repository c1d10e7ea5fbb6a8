// The text width model of the toolkit's default font, used where a layout depends on a text's width
// (the tick column). Deterministic so that layouts are the same with every renderer: 7 pixels for a
// character of the Latin range, 12 for a wide (CJK and full-width) character.
#pragma once

#include <string_view>

namespace tkv {

int TextWidth(std::string_view utf8);

} // namespace tkv
