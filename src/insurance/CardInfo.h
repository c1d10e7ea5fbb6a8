// The card reading of the insurance settlement (UCardInfo): the card-number window, the check of the
// card at the insurance service with the visit's login, the special-disease choice, and the card
// window. The card object is the one YBCard of the insurance hooks.
#pragma once

#include <memory>
#include <string>

namespace tkv {

class TYBCard;

// Reads a card into YBCard (created when empty, cleared otherwise): 0 when read, -1 when the user
// abandoned it (after the error box "刷卡操作被终止").
int GetCard(std::unique_ptr<TYBCard>& YBCard);
// The card-number window; true with the card number and the card data text when it closed with OK.
bool GetVipInfo(TYBCard& YBCard, std::string& CardNo, std::string& cardinfo);
// Checks the card for the visit type ybtype ("10" or "13"): the special-disease choice for "13",
// the login and the person's data. True with the card data text in RetPara; false with the error
// text in RetPara and the card cleared (a cancelled disease choice leaves RetPara as it was).
bool GetCardInfo(TYBCard& YBCard, const std::string& CardNo, const std::string& ybtype, std::string& RetPara);
// The special-disease window; true with the chosen disease's code.
bool ShowSelectTSB(const TYBCard& YBCard, std::string& code);
// The card window for the card.
void CardShow(const TYBCard* YBCard);

} // namespace tkv
