// Date texts and the two-way choice of VNSSCOMM.
#pragma once

#include "../framework/Variant.h"

#include <cstdint>
#include <string>

namespace tkv {

// "YYYY-MM-DD"; the time of day is dropped.
std::string Format_Date(TDateTime ADate);
// "YYYY-MM-DD HH:MM:SS", 24-hour clock.
std::string Format_DateTime(TDateTime ADate);

inline std::string iif(bool b, const std::string& s1, const std::string& s2) {
    return b ? s1 : s2;
}
inline std::int32_t iif(bool b, std::int32_t s1, std::int32_t s2) {
    return b ? s1 : s2;
}

} // namespace tkv
