// UTF-8 encoding and decoding by code point, for the edit model and the text width model.
#pragma once

#include <string>

namespace tkv {

std::string EncodeUtf8(char32_t cp);
// Decodes leniently: a truncated sequence at the end yields what its bytes give.
std::u32string DecodeUtf8(const std::string& text);

} // namespace tkv
