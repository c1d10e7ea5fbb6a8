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

// The packet with the fields "typeid", "FullName", "Price", "Qty", "Unit", "Total".
OleVariant SaleDetailPacket(const std::vector<TSaleLine>& lines);
// The sale a till rings up in the demonstrations: two insured products and a shopping bag.
std::vector<TSaleLine> DemoSaleLines();
double SaleTotal(const std::vector<TSaleLine>& lines);
// "LS-yyyymmdd-id", the retail bill number of the demonstrations.
std::string RetailBillCode(TDateTime date, std::int32_t billId);
// The id the next saved retail bill gets.
std::int32_t NextRetailBillId(HostDatabase& db);
// Writes the retail sale's header (bill type 151) and its payments (account record, amount).
void SaveRetailSale(HostDatabase& db, std::int32_t billId, const std::string& billCode, TDateTime date,
                    double total, const std::vector<std::pair<std::int32_t, double>>& payments);

} // namespace tkv::host
