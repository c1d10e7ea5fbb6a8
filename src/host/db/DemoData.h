// Deterministic demo records for the reference host: suppliers, products, employees, stores and
// payment accounts, purchase bills over the current and the previous month, invoices with
// pictures linked to some of their batches, and retail sales (one of them settled).
#pragma once

#include "HostDatabase.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tkv::host {

// A line of a demo invoice: the product as the purchase bill names it, its quantity and its price
// with tax.
struct TDemoInvoiceLine {
    std::string Name, Standard, Unit;
    double Qty = 0, TaxPrice = 0;
};

// A demo supplier invoice: a special VAT invoice of the bill's supplier to the pharmacy, over the
// bill's lines, issued on the bill's day.
struct TDemoInvoice {
    std::string Code;   // the 10-digit invoice code
    std::string Number; // the 8-digit invoice number, the TK_Voice VoiceCode
    TDateTime Date = 0;
    std::string Seller, Buyer;
    std::vector<TDemoInvoiceLine> Lines;
};

// Picture number Number (1-based) shows copy Copy (0 the invoice copy, 1 the deduction copy) of
// Invoice.
struct TDemoPicture {
    int Number = 0;
    int Copy = 0;
    TDemoInvoice Invoice;
};

// The pharmacy that the demo invoices are made out to.
inline constexpr const char* kDemoPharmacy = "重庆百草堂大药房连锁有限公司";

// Stores a demo picture in the host's picture store and fills the ordinal and file name that the
// store assigned; false when the store refused it.
using DemoPictureStore =
    std::function<bool(const TDemoPicture& picture, std::int32_t& ord, std::string& fileName)>;

// The number of pictures SeedDemoData asks the store for.
constexpr int kDemoPictureCount = 6;

// Seeds the demo records relative to today (an OLE date; its time of day is ignored) when the
// database holds no supplier yet, and answers whether it did. Pictures go through storePicture
// and are registered, pooled and linked through the association procedures. Everything is written
// or, on an error (HostError), nothing is.
bool SeedDemoData(HostDatabase& db, TDateTime today, const DemoPictureStore& storePicture);

} // namespace tkv::host
