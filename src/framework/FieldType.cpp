// Maps variant types to the field types that parameter packets and datasets record for them.
#include "FieldType.h"

namespace tkv {

TFieldType VarTypeToDataType(std::uint16_t vt) {
    if (vt == (varArray | varByte))
        return TFieldType::ftBlob;
    switch (vt) {
    case varSmallint:
    case varShortInt:
    case varByte:
        return TFieldType::ftSmallint;
    case varWord:
        return TFieldType::ftWord;
    case varInteger:
        return TFieldType::ftInteger;
    case varLongWord: // does not fit a 32-bit signed field
    case varInt64:
        return TFieldType::ftLargeint;
    case varSingle:
    case varDouble:
        return TFieldType::ftFloat;
    case varCurrency:
        return TFieldType::ftCurrency;
    case varDate:
        return TFieldType::ftDateTime;
    case varOleStr:
        return TFieldType::ftWideString;
    case varBoolean:
        return TFieldType::ftBoolean;
    case varVariant:
        return TFieldType::ftVariant;
    default: // empty, null and anything without a field type of its own
        return TFieldType::ftUnknown;
    }
}

} // namespace tkv
