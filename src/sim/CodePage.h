// UTF-8 <-> code page 936 for the stand-in libraries, whose request and answer lines are 8-bit
// texts in the system code page like those of the real libraries.
#pragma once

#include <string>

namespace tkv::sim {

// Characters the target encoding lacks become "?"; invalid input bytes become "?" as well.
std::string Utf8ToGbk(const std::string& utf8);
std::string GbkToUtf8(const std::string& gbk);

} // namespace tkv::sim
