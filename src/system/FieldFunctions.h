// The field-functions contract of the toolkit: which field-list members belong to which basic type
// and what kind of value each one holds. The grid and the captioned controls consult the one
// global object that the plug-in installs (TBGFuncs for this host edition).
#pragma once

#include "../framework/BasicTypes.h"

#include <string>

namespace tkv {

class TFieldFunctions {
public:
    virtual ~TFieldFunctions() = default;

    virtual TFieldsList GetBeginFieldsListOrd(TBasicType type) const = 0;
    virtual TFieldsList GetEndFieldList(TBasicType type) const = 0;
    virtual TFieldsList GetTypeidField(TBasicType type) const = 0;
    virtual TFieldsList GetSonnumField(TBasicType type) const = 0;
    virtual TFieldsList GetRecField(TBasicType type) const = 0;
    virtual TFieldsList GetFullNameField(TBasicType type) const = 0;
    virtual TFieldsList GetUsercodeField(TBasicType type) const = 0;
    virtual TBasicType GetBasicTypeByField(TFieldsList field) const = 0;
    // Field minus the first field of its basic type.
    virtual int GetOffSetOrFieldsList(TFieldsList field) const = 0;
    // First field of the type plus offset, low 16 bits.
    virtual TFieldsList GetOffSetOrFieldsList(TBasicType type, int offset) const = 0;
    virtual bool IsTypeIdField(TFieldsList field) const = 0;
    virtual bool IsRecField(TFieldsList field) const = 0;
    virtual bool IsFullnameField(TFieldsList field) const = 0;
    virtual bool IsUserCodeField(TFieldsList field) const = 0;
    virtual bool IsBasicHideField(TFieldsList field) const = 0;
    virtual bool IsSelectBasicField(TFieldsList field) const = 0;
    virtual bool IsSelectBasicFieldForOneBasic(TBasicType type, TFieldsList field) const = 0;
    virtual bool IsMemoDateField(TFieldsList field) const = 0;
    virtual bool IsNotBasicField(TFieldsList field) const = 0;
    virtual bool IsNumberField(TFieldsList field) const = 0;
    virtual bool IsNumberField(TValueType valueType) const = 0;
    virtual bool IsHejiField(TFieldsList field) const = 0;
    virtual bool IsMoneyField(TFieldsList field) const = 0;
    virtual bool isMustUseRecAsID(TBasicType type) const = 0;
    virtual char BasicTypeToChar(TBasicType type) const = 0;
    virtual bool GetBasicTypeStr(TBasicType type, std::string& text) const = 0;
    virtual std::string GetBasicTypeCaption(TBasicType type) const = 0;
    virtual int GetBaiscTypesLevels(TBasicType type) const = 0;
    virtual TFieldsList HaveRightField(TBasicType type) const = 0;
    // True when text holds one of the special characters; found is the first of them in the
    // function's own order (not in text order).
    virtual bool haveSpecialChar(const std::string& text, std::string& found) const = 0;
};

// The installed object, nullptr when none; the installer keeps ownership.
TFieldFunctions* GlobalFieldFuncs();
void SetGlobalFieldFuncs(TFieldFunctions* funcs);

} // namespace tkv
