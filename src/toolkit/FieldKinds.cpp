// Field-kind answers of the toolkit controls.
#include "FieldKinds.h"

#include "../system/FieldFunctions.h"

namespace tkv {

int DefaultColWidth(TFieldsList field) {
    // Numbers and money get a narrower default; a kind without its own width gets 100.
    if (IsMoneyField(field))
        return 90;
    if (IsNumberField(field))
        return 80;
    if (field == flNDate)
        return 90;
    return 100;
}

bool IsNumberField(TFieldsList field) {
    return (field >= 358 && field <= 363) || field == flNInt;
}

bool IsMoneyField(TFieldsList field) {
    return field >= 359 && field <= 361;
}

TFieldsList FullNameField(TBasicType type) {
    if (const TFieldFunctions* funcs = GlobalFieldFuncs())
        return funcs->GetFullNameField(type);
    switch (type) {
    case btAtype:
        return 7;
    case btPtype:
        return 21;
    case btBtype:
        return 127;
    case btEtype:
        return 196;
    case btKtype:
        return 243;
    case btGtype:
        return 314;
    case btDtype:
        return 261;
    case btRtype:
        return 281;
    case btVchType:
        return 271;
    case btMtype:
        return 292;
    case btCSType:
        return 334;
    case btLBType:
        return 353;
    default:
        return flNull;
    }
}

} // namespace tkv
