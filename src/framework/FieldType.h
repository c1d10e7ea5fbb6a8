// Field data types of the dataset library, by their ordinals (they travel in parameter packets).
#pragma once

#include "Variant.h"

#include <cstdint>

namespace tkv {

enum class TFieldType : std::uint8_t {
    ftUnknown = 0,
    ftString = 1,
    ftSmallint = 2,
    ftInteger = 3,
    ftWord = 4,
    ftBoolean = 5,
    ftFloat = 6,
    ftCurrency = 7,
    ftBCD = 8,
    ftDate = 9,
    ftTime = 10,
    ftDateTime = 11,
    ftBytes = 12,
    ftVarBytes = 13,
    ftAutoInc = 14,
    ftBlob = 15,
    ftMemo = 16,
    ftFixedChar = 23,
    ftWideString = 24,
    ftLargeint = 25,
    ftVariant = 32,
};

// Parameter kinds of a parameter packet element.
enum class TParamType : std::uint8_t {
    ptUnknown = 0,
    ptInput = 1,
    ptOutput = 2,
    ptInputOutput = 3,
    ptResult = 4
};

// The field type that a value's variant type maps to (the dataset library's VarTypeToDataType).
TFieldType VarTypeToDataType(std::uint16_t vt);

} // namespace tkv
