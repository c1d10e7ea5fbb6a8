// The basic-type table of this host edition and the field classifications derived from it.
#include "BGFunctions_C_VNBJ.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

namespace tkv {

namespace {

struct TBasicTypeRow {
    char letter;
    const char* caption;
    TFieldsList first, last, typeId, sonNum, rec, fullName, userCode;
    int levels;
    TFieldsList rightField;
};

// Indexed by the ordinal of TBasicType. A field column of 0 means the type has no such field.
constexpr TBasicTypeRow kRows[kBasicTypeCount] = {
    {'U', "", 1, 0, 0, 0, 0, 0, 0, 1, 0},                       // btNo
    {'A', "科目", 2, 14, 2, 3, 4, 7, 8, 5, 0},                  // btAtype
    {'P', "商品", 16, 120, 16, 17, 18, 21, 22, 5, 114},         // btPtype
    {'B', "单位", 122, 189, 122, 123, 124, 127, 128, 5, 182},   // btBtype
    {'E', "职员", 191, 236, 191, 192, 193, 196, 197, 5, 0},     // btEtype
    {'K', "仓库", 238, 254, 238, 239, 240, 243, 244, 5, 254},   // btKtype
    {'G', "货位", 311, 326, 311, 313, 312, 314, 315, 1, 0},     // btGtype
    {'D', "部门", 256, 267, 256, 257, 258, 261, 262, 1, 0},     // btDtype
    {'R', "片区", 276, 286, 276, 277, 278, 281, 282, 1, 0},     // btRtype
    {'V', "单据类型", 269, 274, 269, 270, 273, 271, 0, 1, 0},   // btVchType
    {'M', "门店", 288, 309, 288, 290, 291, 292, 293, 1, 0},     // btMtype
    {'U', "", 358, 391, 0, 0, 0, 0, 0, 1, 0},                   // btNType
    {'S', "生产厂商", 328, 346, 328, 332, 329, 334, 333, 5, 0}, // btCSType
    {'L', "商品类别", 348, 356, 348, 352, 349, 353, 354, 5, 0}, // btLBType
    {'U', "", 2, 391, 0, 0, 0, 0, 0, 1, 0},                     // btAll
};

// What a value outside the enumeration answers.
constexpr TBasicTypeRow kNoRow = {'U', "", 0, 0, 0, 0, 0, 0, 0, 1, 0};

const TBasicTypeRow& Row(TBasicType type) {
    const unsigned ordinal = static_cast<unsigned>(type);
    return ordinal < static_cast<unsigned>(kBasicTypeCount) ? kRows[ordinal] : kNoRow;
}

// Ranges of GetBasicTypeByField, in the order they are tested; a boundary value belongs to the
// earlier range.
struct TFieldRange {
    TFieldsList low, high;
    TBasicType type;
};
constexpr TFieldRange kFieldRanges[] = {
    {1, 15, btAtype},    {15, 121, btPtype},  {121, 190, btBtype},   {190, 237, btEtype},
    {237, 255, btKtype}, {255, 268, btDtype}, {268, 275, btVchType}, {275, 287, btRtype},
    {287, 310, btMtype}, {310, 327, btGtype}, {327, 347, btCSType},  {347, 357, btLBType},
    {357, 392, btNType},
};

using TRanges = std::initializer_list<std::pair<TFieldsList, TFieldsList>>;

bool InRanges(TFieldsList field, TRanges ranges) {
    return std::any_of(ranges.begin(), ranges.end(),
                       [field](const auto& r) { return field >= r.first && field <= r.second; });
}

bool OneOf(TFieldsList field, std::initializer_list<TFieldsList> fields) {
    return std::find(fields.begin(), fields.end(), field) != fields.end();
}

// True when some type has this (non-zero) field in the given column.
template <class Column> bool InColumn(TFieldsList field, Column column) {
    if (field == flNull)
        return false;
    return std::any_of(std::begin(kRows), std::end(kRows),
                       [&](const TBasicTypeRow& r) { return r.*column == field; });
}

} // namespace

TFieldsList TBGFuncs::GetBeginFieldsListOrd(TBasicType type) const {
    return Row(type).first;
}
TFieldsList TBGFuncs::GetEndFieldList(TBasicType type) const {
    return Row(type).last;
}
TFieldsList TBGFuncs::GetTypeidField(TBasicType type) const {
    return Row(type).typeId;
}
TFieldsList TBGFuncs::GetSonnumField(TBasicType type) const {
    return Row(type).sonNum;
}
TFieldsList TBGFuncs::GetRecField(TBasicType type) const {
    return Row(type).rec;
}
TFieldsList TBGFuncs::GetFullNameField(TBasicType type) const {
    return Row(type).fullName;
}
TFieldsList TBGFuncs::GetUsercodeField(TBasicType type) const {
    return Row(type).userCode;
}

TBasicType TBGFuncs::GetBasicTypeByField(TFieldsList field) const {
    for (const TFieldRange& r : kFieldRanges)
        if (field >= r.low && field <= r.high)
            return r.type;
    return btNo;
}

int TBGFuncs::GetOffSetOrFieldsList(TFieldsList field) const {
    return static_cast<int>(field) - static_cast<int>(GetBeginFieldsListOrd(GetBasicTypeByField(field)));
}

TFieldsList TBGFuncs::GetOffSetOrFieldsList(TBasicType type, int offset) const {
    return static_cast<TFieldsList>((GetBeginFieldsListOrd(type) + offset) & 0xFFFF);
}

bool TBGFuncs::IsTypeIdField(TFieldsList field) const {
    return InColumn(field, &TBasicTypeRow::typeId);
}
bool TBGFuncs::IsRecField(TFieldsList field) const {
    return InColumn(field, &TBasicTypeRow::rec);
}
bool TBGFuncs::IsFullnameField(TFieldsList field) const {
    return InColumn(field, &TBasicTypeRow::fullName);
}
bool TBGFuncs::IsUserCodeField(TFieldsList field) const {
    return InColumn(field, &TBasicTypeRow::userCode);
}

bool TBGFuncs::IsBasicHideField(TFieldsList field) const {
    return InRanges(field, {{2, 6},
                            {16, 20},
                            {31, 31},
                            {122, 126},
                            {141, 141},
                            {191, 195},
                            {238, 242},
                            {248, 248},
                            {256, 258},
                            {269, 270},
                            {273, 273},
                            {276, 278},
                            {288, 288},
                            {290, 291},
                            {311, 312},
                            {328, 332},
                            {348, 352}});
}

bool TBGFuncs::IsSelectBasicField(TFieldsList field) const {
    return OneOf(field, {7,   8,   21,  22,  34,  127, 128, 196, 197, 243, 244, 261,
                         262, 271, 281, 282, 292, 293, 314, 315, 333, 334, 353, 354});
}

bool TBGFuncs::IsSelectBasicFieldForOneBasic(TBasicType type, TFieldsList field) const {
    switch (type) {
    case btNo:
    case btNType:
    case btAll:
        return false;
    case btVchType:
        return field == 273;
    default:
        if (static_cast<unsigned>(type) >= static_cast<unsigned>(kBasicTypeCount))
            return false;
        return field == Row(type).fullName || field == Row(type).userCode;
    }
}

bool TBGFuncs::IsMemoDateField(TFieldsList field) const {
    return OneOf(field, {273, 364, 366, 367});
}

bool TBGFuncs::IsNotBasicField(TFieldsList field) const {
    return field < 2 || (field >= 358 && field <= 391);
}

bool TBGFuncs::IsNumberField(TFieldsList field) const {
    return (field >= 358 && field <= 363) || field == 365;
}

bool TBGFuncs::IsNumberField(TValueType valueType) const {
    return valueType == vtDouble || valueType == vtInteger || valueType == vtDoubleNoTotal;
}

bool TBGFuncs::IsHejiField(TFieldsList field) const {
    return OneOf(field, {358, 361, 365});
}

bool TBGFuncs::IsMoneyField(TFieldsList field) const {
    return OneOf(field, {359, 360, 361});
}

bool TBGFuncs::isMustUseRecAsID(TBasicType) const {
    return false;
}

char TBGFuncs::BasicTypeToChar(TBasicType type) const {
    return Row(type).letter;
}

bool TBGFuncs::GetBasicTypeStr(TBasicType type, std::string& text) const {
    const char letter = BasicTypeToChar(type);
    text = letter == 'U' ? std::string() : std::string(1, letter);
    return true;
}

std::string TBGFuncs::GetBasicTypeCaption(TBasicType type) const {
    return Row(type).caption;
}

int TBGFuncs::GetBaiscTypesLevels(TBasicType type) const {
    return Row(type).levels;
}

TFieldsList TBGFuncs::HaveRightField(TBasicType type) const {
    return Row(type).rightField;
}

bool TBGFuncs::haveSpecialChar(const std::string& text, std::string& found) const {
    for (const char* special : {"%", ",", "'", ";"}) {
        if (text.find(special) != std::string::npos) {
            found = special;
            return true;
        }
    }
    found.clear();
    return false;
}

} // namespace tkv
