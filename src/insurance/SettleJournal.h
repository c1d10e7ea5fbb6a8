// Settlements the service made that no record shows yet: from a successful "05" until ssBalance has
// written the record, the settlement stays in sight. The card keeps it, every hook that would drop
// it tells the cashier instead, and a small journal in the data folder ("cqybJournal.DAT", one line
// per settlement, code page 936) keeps it across a process that ends before the record is written;
// the next load shows it to the cashier once.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tkv {

class TYBCard;

struct TPendingSettlement {
    std::string SettleNo; // the service's settlement number
    std::string BillCode; // the retail bill
    std::int32_t BillId = 0;
    std::string Jzlsh; // the visit serial number
    double Total = 0, YBPay = 0, Cash = 0;
    std::string Time; // when the service settled
};

std::string SettleJournalPath();
std::vector<TPendingSettlement> ReadSettleJournal();
// Adds the settlement (replacing a line of the same number) or removes it; false when the journal
// could not be written, which then stays as it was.
bool AddToSettleJournal(const TPendingSettlement& settlement);
bool RemoveFromSettleJournal(const std::string& settleNo);

// The card holds a settlement whose record is not written.
bool SettlementPending(const TYBCard* card);
// Tells the cashier (title "提示") that the card's settlement waits for its record; true when it
// did, and the hook then keeps everything as it is.
bool KeepPendingSettlement(const TYBCard* card);
// The journal's settlements, each told once per load with what is needed to record or reverse it.
void ShowSettleJournalOnce();

} // namespace tkv
