// OLE automation variant as the core holds it: the variant type travels with the value, strings are
// UTF-8, arrays are one-dimensional with lower bound 0 (byte arrays and arrays of variants).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tkv {

using TDateTime = double; // days since 30 December 1899, fraction for the time of day

enum VarTypeCode : std::uint16_t {
    varEmpty = 0x0000,
    varNull = 0x0001,
    varSmallint = 0x0002,
    varInteger = 0x0003,
    varSingle = 0x0004,
    varDouble = 0x0005,
    varCurrency = 0x0006,
    varDate = 0x0007,
    varOleStr = 0x0008,
    varBoolean = 0x000B,
    varVariant = 0x000C,
    varShortInt = 0x0010,
    varByte = 0x0011,
    varWord = 0x0012,
    varLongWord = 0x0013,
    varInt64 = 0x0014,
    varTypeMask = 0x0FFF,
    varArray = 0x2000,
};

// Raised when a variant cannot be converted to the requested type; the message names both types.
class EVariantError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class OleVariant {
public:
    using Bytes = std::vector<std::uint8_t>;
    using Array = std::vector<OleVariant>;

    OleVariant() = default;
    OleVariant(std::int32_t v) : vt_(varInteger), v_(std::int64_t{v}) {}
    OleVariant(double v) : vt_(varDouble), v_(v) {}
    OleVariant(bool v) : vt_(varBoolean), v_(v) {}
    OleVariant(std::string v) : vt_(varOleStr), v_(std::move(v)) {}
    OleVariant(std::string_view v) : OleVariant(std::string(v)) {}
    OleVariant(const char* v) : OleVariant(std::string(v)) {}

    static OleVariant Null();
    static OleVariant Smallint(std::int16_t v);
    static OleVariant Int64(std::int64_t v);
    static OleVariant Currency(double v);
    static OleVariant Date(TDateTime v);
    static OleVariant ByteArray(Bytes bytes);
    static OleVariant VarArray(Array elements);

    std::uint16_t VarType() const { return vt_; }
    bool IsEmpty() const { return vt_ == varEmpty; }
    bool IsNull() const { return vt_ == varNull; }
    bool IsEmptyOrNull() const { return vt_ == varEmpty || vt_ == varNull; }
    bool IsArray() const { return (vt_ & varArray) != 0; }
    bool IsByteArray() const { return vt_ == (varArray | varByte); }
    bool IsString() const { return vt_ == varOleStr; }
    bool IsNumeric() const;

    // Conversions with the variant rules of the host framework: empty converts to 0 / "" / False,
    // null and unconvertible values raise EVariantError.
    std::int32_t AsInteger() const;
    std::int64_t AsInt64() const;
    double AsDouble() const;
    bool AsBoolean() const;
    std::string AsString() const;
    TDateTime AsDateTime() const;

    // Array access; raise EVariantError when the value is not an array of that kind.
    const Bytes& AsBytes() const;
    Bytes& AsBytes();
    const Array& Elements() const;
    Array& Elements();
    int LowBound() const { return 0; }
    int HighBound() const; // -1 for an empty array

    bool operator==(const OleVariant& other) const;

    static std::string TypeName(std::uint16_t vt);

private:
    OleVariant(std::uint16_t vt,
               std::variant<std::monostate, std::int64_t, double, bool, std::string, Bytes, Array> v)
        : vt_(vt), v_(std::move(v)) {}
    [[noreturn]] void ConversionError(std::uint16_t target) const;

    std::uint16_t vt_ = varEmpty;
    std::variant<std::monostate, std::int64_t, double, bool, std::string, Bytes, Array> v_;
};

// Text of a variant with null and empty giving the empty string (the framework's VarToStr).
std::string VarToStr(const OleVariant& v);

} // namespace tkv
