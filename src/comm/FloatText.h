// Number texts of the insurance exchange: amounts written in the shortest general decimal form, and
// answer fields read as numbers with a default for anything that is not one.
#pragma once

#include <cstdint>
#include <string>

namespace tkv {

// General form with up to 15 significant digits and a point: 12.5, 10, 0.0001, 1E-5, 1E15.
std::string FloatToStr(double value);
// The number a text spells (blanks around it allowed, point as decimal separator, optional
// exponent); Default for an empty text, a text that is not a number, or one out of range.
double StrToFloatDef(const std::string& text, double Default);
// The integer a text spells (leading blanks, optional sign, decimal digits or "$"/"0x" hex);
// Default for anything else, and for a value outside 32 bits.
std::int32_t StrToIntDef(const std::string& text, std::int32_t Default);

} // namespace tkv
