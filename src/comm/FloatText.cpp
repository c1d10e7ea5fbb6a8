// Shortest general number form and tolerant number reading.
#include "FloatText.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace tkv {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

std::string FloatToStr(double value) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", value + 0.0); // + 0.0 turns -0 into 0
    std::string text = buf;
    // C writes the exponent as "e+15" or "e-05"; the general form writes "E15" and "E-5".
    const std::string::size_type e = text.find('e');
    if (e == std::string::npos)
        return text;
    const std::string mantissa = text.substr(0, e);
    const int exponent = std::atoi(text.c_str() + e + 1);
    return mantissa + "E" + std::to_string(exponent);
}

double StrToFloatDef(const std::string& text, double Default) {
    std::size_t b = 0, e = text.size();
    while (b < e && IsBlank(text[b]))
        ++b;
    while (e > b && IsBlank(text[e - 1]))
        --e;
    if (b < e && text[b] == '+')
        ++b;
    if (b == e)
        return Default;
    // Only digits, one sign, point and exponent: from_chars alone would also take "inf" and "nan".
    for (std::size_t i = b; i < e; ++i) {
        const char c = text[i];
        if (!((c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '-' || c == '+'))
            return Default;
    }
    double value = 0;
    const auto [ptr, ec] = std::from_chars(text.data() + b, text.data() + e, value);
    if (ec != std::errc() || ptr != text.data() + e || !std::isfinite(value))
        return Default;
    return value;
}

std::int32_t StrToIntDef(const std::string& text, std::int32_t Default) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size() || text[i] == '-' || text[i] == '+')
        return Default;
    std::int64_t value = 0;
    const auto [ptr, ec] = std::from_chars(text.data() + i, text.data() + text.size(), value, base);
    if (ec != std::errc() || ptr != text.data() + text.size())
        return Default;
    if (negative)
        value = -value;
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        return Default;
    return static_cast<std::int32_t>(value);
}

} // namespace tkv
