// A retail sale as the host's retail window builds and saves it: the detail lines it hands to the
// plug-in as a result-set packet, and the bill header with its payments written when the sale is
// saved.
#pragma once

#include "db/HostDatabase.h"
#include "framework/Variant.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tkv::host {

struct TSaleLine {
    std::string TypeId; // empty for a line that is no product
    std::string FullName;
    double Price = 0;
    double Qty = 0;
    std::int32_t Unit = 1; // 1, 2, 3 or 101 (smallest unit)
    double Total = 0;
};

// The lines of a sale being rung up, as the till's client dataset holds them until the bill is
// saved: every line an inserted row, a change to a line a newer version of it that holds the cells
// that changed, a removed line still there, marked deleted.
class TTillLines {
public:
    TTillLines() = default;
    explicit TTillLines(const std::vector<TSaleLine>& lines);

    void Add(const TSaleLine& line);
    // The line's quantity and, with it, its total.
    void SetQty(std::size_t line, double qty);
    void Remove(std::size_t line);
    // The lines the cashier sees.
    std::vector<TSaleLine> Shown() const;
    // The detail packet, with the fields "typeid", "FullName", "Price", "Qty", "Unit", "Total", and
    // the pending changes with their change log.
    OleVariant Packet(TPacketForm form) const;

private:
    struct Version {
        TSaleLine line;
        bool qtyChanged = false; // a newer version holds only the quantity and the total
    };
    struct Record {
        std::vector<Version> versions;
        bool removed = false;
    };
    std::vector<Record> records_;
};

// The detail packet of lines rung up without changes.
OleVariant SaleDetailPacket(const std::vector<TSaleLine>& lines, TPacketForm form = TPacketForm::Binary);
// The sale a till rings up in the demonstrations: two insured products and a shopping bag.
std::vector<TSaleLine> DemoSaleLines();
// The same sale as the till's lines come to hold it: the first product rung up once and its
// quantity raised to two, a product rung up and removed again, then the others.
TTillLines DemoTillLines();
double SaleTotal(const std::vector<TSaleLine>& lines);
// "LS-yyyymmdd-id", the retail bill number of the demonstrations.
std::string RetailBillCode(TDateTime date, std::int32_t billId);
// The id the next saved retail bill gets.
std::int32_t NextRetailBillId(HostDatabase& db);
// Writes the retail sale's header (bill type 151) and its payments (account record, amount).
void SaveRetailSale(HostDatabase& db, std::int32_t billId, const std::string& billCode, TDateTime date,
                    double total, const std::vector<std::pair<std::int32_t, double>>& payments);

} // namespace tkv::host
