// The text of a Chinese VAT invoice's QR code, as a 2D reader types it or as it is read from the
// invoice's picture: comma-separated version "01", invoice kind (two digits), invoice code (10 or 12
// digits, empty on fully digital invoices), invoice number (8 digits, 20 on fully digital invoices),
// amount before tax, issue date YYYYMMDD, check code (empty on special VAT invoices), a short check
// value and usually a trailing comma.
#pragma once

#include "framework/DateTime.h"

#include <optional>
#include <string>
#include <string_view>

namespace tkv {

struct TInvoiceQr {
    std::string Kind;
    std::string Code;   // empty on fully digital invoices
    std::string Number; // 8 or 20 digits
    std::string Amount;
    TDateTime Date = 0; // the issue date, at midnight
    std::string CheckCode;
};

// The record when the text has the invoice QR form (surrounding blanks and control characters,
// line ends among them, ignored); nullopt for any other text, which the fields take as typed.
std::optional<TInvoiceQr> ParseInvoiceQr(std::string_view text);

// The invoice number a field takes from what was typed into it: the QR record's number, or the text
// itself when it is no QR record.
std::string InvoiceNumberOf(const std::string& typed);

} // namespace tkv
