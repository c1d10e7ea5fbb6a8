// Basic-record kinds, the field list that names every value a control or grid shows, and the value
// types of typed input: the framework enumerations, by their ordinals.
#pragma once

#include <cstdint>

namespace tkv {

enum TBasicType : std::uint8_t {
    btNo = 0,
    btAtype = 1,
    btPtype = 2,
    btBtype = 3,
    btEtype = 4,
    btKtype = 5,
    btGtype = 6,
    btDtype = 7,
    btRtype = 8,
    btVchType = 9,
    btMtype = 10,
    btNType = 11,
    btCSType = 12,
    btLBType = 13,
    btAll = 14,
};
constexpr int kBasicTypeCount = 15;

// Members of the field list, numbered 0 to 392; only the ones the system names are spelled out.
using TFieldsList = std::uint16_t;
namespace fl {
constexpr TFieldsList flNull = 0, flBegin = 1, flEnd = 392;
constexpr TFieldsList flATypeid = 2, flASonnum = 3, flARec = 4, flAFullName = 7, flAUserCode = 8;
constexpr TFieldsList flPTypeid = 16, flPSonnum = 17, flPRec = 18, flPFullName = 21, flPUserCode = 22,
                      flPUnit1 = 26, flPUnit2 = 27, flPStandard = 28, flPType = 29, flPTinyUnit = 73,
                      flphaveright = 114, flPunit3 = 117;
constexpr TFieldsList flBtypeid = 122, flBSonnum = 123, flBRec = 124, flBFullName = 127, flBUserCode = 128,
                      flBHaveRight = 182;
constexpr TFieldsList flEtypeid = 191, flESonnum = 192, flERec = 193, flEFullName = 196, flEUserCode = 197;
constexpr TFieldsList flKtypeid = 238, flKSonnum = 239, flKRec = 240, flKFullName = 243, flKUserCode = 244,
                      flKHaveRight = 254;
constexpr TFieldsList flNQty = 358, flNTotal = 361, flNTaxRate = 363, flNMemo = 364, flNInt = 365,
                      flNDate = 366, flNVchtype = 367, flAssist = 391;
} // namespace fl
using namespace fl;

enum TValueType : std::uint8_t {
    vtString = 0,
    vtDouble = 1,
    vtInteger = 2,
    vtDate = 3,
    vtDoubleNoTotal = 4,
    vtTime = 5,
};

} // namespace tkv
