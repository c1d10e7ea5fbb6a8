// Typed-input settings of an edit: value type, decimal places, range, length and sign.
#pragma once

#include "../framework/BasicTypes.h"

namespace tkv {

struct TDataTypes {
    TValueType ValueType = vtString;
    int Digital = 0;
    double MaxValue = 0;
    double MinValue = 0;
    int Length = 0;
    bool Positive = false;
};

} // namespace tkv
