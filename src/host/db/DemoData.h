// Deterministic demo records for the reference host: suppliers, products, employees, stores and
// payment accounts, purchase bills over the current and the previous month, invoices with
// pictures linked to some of their batches, and retail sales (one of them settled).
#pragma once

#include "HostDatabase.h"

#include <cstdint>
#include <functional>
#include <string>

namespace tkv::host {

// Stores demo picture number pictureNumber (1-based) in the host's picture store and fills the
// ordinal and file name that the store assigned; false when the store refused it.
using DemoPictureStore = std::function<bool(int pictureNumber, std::int32_t& ord, std::string& fileName)>;

// The number of pictures SeedDemoData asks the store for.
constexpr int kDemoPictureCount = 6;

// Seeds the demo records relative to today (an OLE date; its time of day is ignored) when the
// database holds no supplier yet, and answers whether it did. Pictures go through storePicture
// and are registered, pooled and linked through the association procedures. Everything is written
// or, on an error (HostError), nothing is.
bool SeedDemoData(HostDatabase& db, TDateTime today, const DemoPictureStore& storePicture);

} // namespace tkv::host
