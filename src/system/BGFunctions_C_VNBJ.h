// TBGFuncs: the field functions of this host edition (module BGFunctions_C_VNBJ). Each basic type
// owns one contiguous block of the field list 0..392; the tables fix every answer.
#pragma once

#include "FieldFunctions.h"

namespace tkv {

class TBGFuncs : public TFieldFunctions {
public:
    TFieldsList GetBeginFieldsListOrd(TBasicType type) const override;
    TFieldsList GetEndFieldList(TBasicType type) const override;
    TFieldsList GetTypeidField(TBasicType type) const override;
    TFieldsList GetSonnumField(TBasicType type) const override;
    TFieldsList GetRecField(TBasicType type) const override;
    TFieldsList GetFullNameField(TBasicType type) const override;
    TFieldsList GetUsercodeField(TBasicType type) const override;
    TBasicType GetBasicTypeByField(TFieldsList field) const override;
    int GetOffSetOrFieldsList(TFieldsList field) const override;
    TFieldsList GetOffSetOrFieldsList(TBasicType type, int offset) const override;
    bool IsTypeIdField(TFieldsList field) const override;
    bool IsRecField(TFieldsList field) const override;
    bool IsFullnameField(TFieldsList field) const override;
    bool IsUserCodeField(TFieldsList field) const override;
    bool IsBasicHideField(TFieldsList field) const override;
    bool IsSelectBasicField(TFieldsList field) const override;
    bool IsSelectBasicFieldForOneBasic(TBasicType type, TFieldsList field) const override;
    bool IsMemoDateField(TFieldsList field) const override;
    bool IsNotBasicField(TFieldsList field) const override;
    bool IsNumberField(TFieldsList field) const override;
    bool IsNumberField(TValueType valueType) const override;
    bool IsHejiField(TFieldsList field) const override;
    bool IsMoneyField(TFieldsList field) const override;
    bool isMustUseRecAsID(TBasicType type) const override;
    char BasicTypeToChar(TBasicType type) const override;
    bool GetBasicTypeStr(TBasicType type, std::string& text) const override;
    std::string GetBasicTypeCaption(TBasicType type) const override;
    int GetBaiscTypesLevels(TBasicType type) const override;
    TFieldsList HaveRightField(TBasicType type) const override;
    bool haveSpecialChar(const std::string& text, std::string& found) const override;
};

} // namespace tkv
