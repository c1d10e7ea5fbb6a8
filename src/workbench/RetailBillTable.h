// The retail bill the workbench's retail window hands to the transaction object: the host's raw
// bill table (IVNMainTransinfo, IVNMainTrnas, IVNMainBillTransRetail) over the sale the reference
// host rang up. The plug-in reads its number, id, total and detail lines, adds payment and print
// items, and asks the cashier to confirm the payments a reversal returns.
#pragma once

#include "HostTables.h"
#include "abi/TransinfoAdapter.h"
#include "framework/Variant.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tkv::workbench {

struct TSaleBill {
    std::int32_t BillId = 0;
    std::string BillCode;
    double Total = 0;
    OleVariant DetailData;
    // What the plug-in added, in order: payment items and print items.
    std::vector<std::pair<std::string, double>> PayInfo;
    std::vector<std::string> PrintInfo;
    std::int32_t Status = 0; // 0 new, 1 draft, 2 saved and audited
};

// Asks the cashier to confirm the payments (their "name=value; ..." text); true when confirmed.
using TConfirmPayments = std::function<bool(const std::string& payments)>;

// A new table with one reference, which the caller owns (ReleaseTable).
abi::RawTransinfo* NewRetailBillTable(std::shared_ptr<TSaleBill> bill, TConfirmPayments confirm,
                                      TErrorDisplay showError);

} // namespace tkv::workbench
