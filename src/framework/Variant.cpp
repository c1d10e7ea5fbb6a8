// Conversions follow the host framework's variant rules, so that values read from datasets and
// parameter packets behave the same here as in the host.
#include "Variant.h"

#include "DateTime.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace tkv {

namespace {

bool ParseInt64(std::string_view text, std::int64_t& out) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return false;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && ptr == text.data() + text.size();
}

bool ParseDouble(std::string_view text, double& out) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return false;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && ptr == text.data() + text.size() && std::isfinite(out);
}

// Round half to even, as the framework's Round does.
std::int64_t BankersRound(double v) {
    double r = std::nearbyint(v);
    return static_cast<std::int64_t>(r);
}

std::string FloatText(double v) {
    // Shortest text with at most 15 significant digits, no exponent for ordinary magnitudes.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    return buf;
}

std::string DateText(TDateTime v) {
    const DateParts p = DecodeDateTime(v);
    char buf[32];
    if (std::trunc(v) == v)
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", p.year, p.month, p.day);
    else if (std::fabs(v) < 1.0)
        std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", p.hour, p.minute, p.second);
    else
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", p.year, p.month, p.day, p.hour,
                      p.minute, p.second);
    return buf;
}

} // namespace

OleVariant OleVariant::Null() {
    return OleVariant(varNull, std::monostate{});
}
OleVariant OleVariant::Smallint(std::int16_t v) {
    return OleVariant(varSmallint, std::int64_t{v});
}
OleVariant OleVariant::Int64(std::int64_t v) {
    return OleVariant(varInt64, v);
}
OleVariant OleVariant::Currency(double v) {
    return OleVariant(varCurrency, v);
}
OleVariant OleVariant::Date(TDateTime v) {
    return OleVariant(varDate, v);
}
OleVariant OleVariant::ByteArray(Bytes bytes) {
    return OleVariant(varArray | varByte, std::move(bytes));
}
OleVariant OleVariant::VarArray(Array elements) {
    return OleVariant(varArray | varVariant, std::move(elements));
}

bool OleVariant::IsNumeric() const {
    switch (vt_) {
    case varSmallint:
    case varInteger:
    case varSingle:
    case varDouble:
    case varCurrency:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
        return true;
    default:
        return false;
    }
}

std::string OleVariant::TypeName(std::uint16_t vt) {
    if (vt & varArray)
        return "Array " + TypeName(vt & varTypeMask);
    switch (vt) {
    case varEmpty:
        return "Empty";
    case varNull:
        return "Null";
    case varSmallint:
        return "SmallInt";
    case varInteger:
        return "Integer";
    case varSingle:
        return "Single";
    case varDouble:
        return "Double";
    case varCurrency:
        return "Currency";
    case varDate:
        return "Date";
    case varOleStr:
        return "OleStr";
    case varBoolean:
        return "Boolean";
    case varVariant:
        return "Variant";
    case varShortInt:
        return "ShortInt";
    case varByte:
        return "Byte";
    case varWord:
        return "Word";
    case varLongWord:
        return "LongWord";
    case varInt64:
        return "Int64";
    default:
        return "Unknown";
    }
}

void OleVariant::ConversionError(std::uint16_t target) const {
    throw EVariantError("Could not convert variant of type (" + TypeName(vt_) + ") into type (" +
                        TypeName(target) + ")");
}

std::int64_t OleVariant::AsInt64() const {
    if (vt_ == varEmpty)
        return 0;
    if (auto* i = std::get_if<std::int64_t>(&v_))
        return *i;
    if (auto* d = std::get_if<double>(&v_)) {
        if (!(std::fabs(*d) < 9.2e18))
            ConversionError(varInt64);
        return BankersRound(*d);
    }
    if (auto* b = std::get_if<bool>(&v_))
        return *b ? -1 : 0;
    if (auto* s = std::get_if<std::string>(&v_)) {
        std::int64_t i;
        if (ParseInt64(*s, i))
            return i;
        double d;
        if (ParseDouble(*s, d) && std::fabs(d) < 9.2e18)
            return BankersRound(d);
    }
    ConversionError(varInt64);
}

std::int32_t OleVariant::AsInteger() const {
    const std::int64_t v = AsInt64();
    if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
        ConversionError(varInteger);
    return static_cast<std::int32_t>(v);
}

double OleVariant::AsDouble() const {
    if (vt_ == varEmpty)
        return 0.0;
    if (auto* i = std::get_if<std::int64_t>(&v_))
        return static_cast<double>(*i);
    if (auto* d = std::get_if<double>(&v_))
        return *d;
    if (auto* b = std::get_if<bool>(&v_))
        return *b ? -1.0 : 0.0;
    if (auto* s = std::get_if<std::string>(&v_)) {
        double d;
        if (ParseDouble(*s, d))
            return d;
    }
    ConversionError(varDouble);
}

TDateTime OleVariant::AsDateTime() const {
    if (vt_ == varOleStr) {
        // "YYYY-MM-DD" with an optional " HH:MM:SS"
        const std::string& s = std::get<std::string>(v_);
        DateParts p;
        int n = std::sscanf(s.c_str(), "%d-%d-%d %d:%d:%d", &p.year, &p.month, &p.day, &p.hour, &p.minute,
                            &p.second);
        if (n == 3 || n == 6) {
            try {
                return EncodeDateTime(p);
            } catch (const std::invalid_argument&) {
            }
        }
        ConversionError(varDate);
    }
    try {
        return AsDouble();
    } catch (const EVariantError&) {
        ConversionError(varDate);
    }
}

bool OleVariant::AsBoolean() const {
    if (vt_ == varEmpty)
        return false;
    if (auto* b = std::get_if<bool>(&v_))
        return *b;
    if (auto* i = std::get_if<std::int64_t>(&v_))
        return *i != 0;
    if (auto* d = std::get_if<double>(&v_))
        return *d != 0.0;
    if (auto* s = std::get_if<std::string>(&v_)) {
        std::string lower;
        for (char c : *s)
            lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        if (lower == "true")
            return true;
        if (lower == "false")
            return false;
        double d;
        if (ParseDouble(*s, d))
            return d != 0.0;
    }
    ConversionError(varBoolean);
}

std::string OleVariant::AsString() const {
    if (vt_ == varEmpty)
        return {};
    if (auto* s = std::get_if<std::string>(&v_))
        return *s;
    if (auto* i = std::get_if<std::int64_t>(&v_))
        return std::to_string(*i);
    if (auto* b = std::get_if<bool>(&v_))
        return *b ? "True" : "False";
    if (auto* d = std::get_if<double>(&v_))
        return vt_ == varDate ? DateText(*d) : FloatText(*d);
    ConversionError(varOleStr);
}

const OleVariant::Bytes& OleVariant::AsBytes() const {
    if (auto* b = std::get_if<Bytes>(&v_))
        return *b;
    ConversionError(varArray | varByte);
}

OleVariant::Bytes& OleVariant::AsBytes() {
    if (auto* b = std::get_if<Bytes>(&v_))
        return *b;
    ConversionError(varArray | varByte);
}

const OleVariant::Array& OleVariant::Elements() const {
    if (auto* a = std::get_if<Array>(&v_))
        return *a;
    ConversionError(varArray | varVariant);
}

OleVariant::Array& OleVariant::Elements() {
    if (auto* a = std::get_if<Array>(&v_))
        return *a;
    ConversionError(varArray | varVariant);
}

int OleVariant::HighBound() const {
    if (auto* b = std::get_if<Bytes>(&v_))
        return static_cast<int>(b->size()) - 1;
    if (auto* a = std::get_if<Array>(&v_))
        return static_cast<int>(a->size()) - 1;
    ConversionError(varArray | varVariant);
}

bool OleVariant::operator==(const OleVariant& other) const {
    return vt_ == other.vt_ && v_ == other.v_;
}

std::string VarToStr(const OleVariant& v) {
    return v.IsEmptyOrNull() ? std::string() : v.AsString();
}

} // namespace tkv
