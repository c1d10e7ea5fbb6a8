// Enumerations and constants of the plug-in contract shared by the host and the plug-in.
#pragma once

#include <cstdint>

namespace tkv {

enum TPlugTransType : std::uint8_t { pttSystem = 0, pttRetail = 1, pttRetailBill = 2, pttBill = 3, pptReport = 4, pptOther = 5 };

enum TPlugAutoRunType : std::uint8_t { ptrNone = 0, prtPublic = 1, prtLocalBasic = 2, prtMenu = 3, prtFaceAction = 4 };

// A set of TPlugAutoRunType in one byte, bit n standing for the value n.
using TPlugAutoRunTypeSet = std::uint8_t;
constexpr TPlugAutoRunTypeSet AutoRunSet(TPlugAutoRunType t) { return static_cast<TPlugAutoRunTypeSet>(1u << t); }

constexpr std::int32_t C_PLUGID_Retail = 10000;
constexpr std::int32_t C_PLUGID_RetailBill = 10001;
constexpr std::int32_t C_PLUGID_System = 10002;
constexpr std::int32_t C_PLUGID_Other = 10003;
constexpr std::int32_t C_PLUGID_CJPZFP = 10007;
constexpr std::int32_t C_PLUGID_CJPZFPPrint = 10008;

inline constexpr const char* C_PLUGSB_CARDNO = "CardNo";
inline constexpr const char* C_PLUGSB_CARDNAME = "CardName";
inline constexpr const char* C_PLUGSB_CARDBM = "CardBm";
inline constexpr const char* C_PLUGSB_CARDSEX = "CardSex";
inline constexpr const char* C_PLUGSB_CARDBALA = "CardBala";
inline constexpr const char* C_PLUGSB_CARDUNIT = "CardUnit";
inline constexpr const char* C_PLUGSB_CARDAGE = "CardAge";
inline constexpr const char* C_PLUGSB_Balance_SB = "Balance_sb";
inline constexpr const char* C_PLUGSB_Balance_Cash = "Balance_Cash";
inline constexpr const char* C_PLUGSB_Balance_Bala = "Balance_Bala";
inline constexpr const char* C_PLUGSB_Balance_NO = "Balance_no";

} // namespace tkv
