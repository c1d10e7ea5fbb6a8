// The reversal of a settled retail sale (CanelBalance): read a card, find the settled sale, let the
// host confirm the payments to return, reverse the settlement at the insurance service, record the
// return and cancel the settlement record.
#pragma once

#include "../framework/PlugParams.h"

#include <cstdint>
#include <memory>
#include <string>

namespace tkv {

class TYBCard;

// Reads a card, shows it and runs the search window; true with the found settlement's values and
// its payments in PayParam (emptied first).
bool showSelrebackSettleFrm(std::unique_ptr<TYBCard>& YBCard, std::int32_t& nBillnumberid, std::int32_t& SSID,
                            std::string& SettleID, std::string& LoginNo, std::string& EName,
                            TPlugParams& PayParam);
// True when the sale was reversed at the service and the return recorded.
bool CanelBalance(std::unique_ptr<TYBCard>& YBCard);

} // namespace tkv
