// The pictures of the demo invoices: a scanned special VAT invoice as a supplier sends it, drawn
// with cairo (title, invoice code, number and date, buyer and seller, the bill's lines with their
// amounts and tax, the total in capital figures, the seller's red seal) with the invoice's QR code at
// its top left, written with zxing-cpp.
#pragma once

#include "db/DemoData.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tkv::host {

// The amounts of an invoice: before tax, tax (13 % on medicines, rounded per line) and with tax.
struct TInvoiceTotals {
    double Amount = 0, Tax = 0;
    double Total() const { return Amount + Tax; }
};
TInvoiceTotals TotalsOf(const TDemoInvoice& invoice);

// The text of the invoice's QR code: version, kind "01" (special VAT invoice), code, number, amount
// before tax, date YYYYMMDD, an empty check code (special invoices carry none), a check value.
std::string InvoiceQrText(const TDemoInvoice& invoice);

// An amount in the capital figures of an invoice's total, "壹仟贰佰叁拾肆圆伍角整".
std::string AmountInCapitals(double amount);

// Copy `copy` (0 the invoice copy, 1 the deduction copy) of the invoice as a JPEG scan `width`
// pixels wide, in the proportions of the printed form (240 x 140 mm).
std::vector<std::uint8_t> InvoicePageJpeg(const TDemoInvoice& invoice, int copy, int width = 1400);

} // namespace tkv::host
