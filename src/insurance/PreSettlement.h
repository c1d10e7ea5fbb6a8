// The pre-settlement of a retail sale (ssEvaluateBalance): the price question, the upload of every
// insurance line of the sale, and the service's split of the total between insurance and cash.
#pragma once

#include <string>

namespace tkv {

class TVNPlugTrans;
class TYBCard;

// The product's insurance code from the product table; empty for an empty product id. The id is
// quoted with its single quotes doubled.
std::string TypeidToSSDM(const std::string& typeId);

// Uploads the current bill's lines for the card's visit and pre-settles them. True with the answer
// kept in the transaction object's figures; false after telling the user why (nothing is sent when
// the user stops at the price question).
bool ssEvaluateBalance(TVNPlugTrans& trans, TYBCard* YBCard);

} // namespace tkv
