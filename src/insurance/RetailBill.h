// The retail bill of the current sale, as the host handed it to InitTransPlugin.
#pragma once

#include "../Interface/IVNMainTransinfo.h"

namespace tkv {

// The current bill's retail interface; raises Exception when the host has handed over no retail
// bill.
ComPtr<IVNMainBillTransRetail> CurrentRetailBill();

} // namespace tkv
