// The settlement of a pre-settled retail sale and what the host reads around it: initialisation of
// the insurance library, the figures for the payment step and the receipt, the settlement when the
// bill is saved, its record in the database, and the withdrawal of an abandoned pre-settlement.
#pragma once

#include "../framework/Variant.h"

#include <memory>

namespace tkv {

class TVNPlugTrans;
class TYBCard;

// True when "INIT" answered 0, the value the gateway logs as success.
bool ssInit(TVNPlugTrans& trans);
// "Balance_sb", "Balance_Cash", "Balance_Bala" and "Balance_no" (the settlement number).
void ssBalaInfo(TVNPlugTrans& trans, const TYBCard* YBCard, OleVariant& Params);
// The receipt's print items: the three amounts, and the card's values when a card was read.
OleVariant ssPrintItems(TVNPlugTrans& trans, const TYBCard* YBCard);
// The settlement ("05") of the pre-settled total; the answer is kept in the card.
bool BeforeSave(TVNPlugTrans& trans, TYBCard* YBCard);
// Records the settlement ("InsertSettlelist_CQ") and links the saved bill to it. False, after an
// error box with the settlement number and a log line, when the service settled but the database
// did not take the record or the link.
bool ssBalance(TVNPlugTrans& trans, TYBCard* YBCard);
// Withdraws the bill's uploaded lines and forgets card and figures.
bool ssClearEvaluateBalance(TVNPlugTrans& trans, std::unique_ptr<TYBCard>& YBCard);

} // namespace tkv
