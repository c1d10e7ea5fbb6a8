#include "InvoiceQr.h"

#include "comm/StringFunctions.h"

#include <vector>

namespace tkv {

namespace {

bool AllDigits(std::string_view s) {
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

bool Digits(std::string_view s, std::size_t count) {
    return s.size() == count && AllDigits(s);
}

// "1234.50", "1234", "-12.5" (red-letter invoices carry negative amounts).
bool IsAmount(std::string_view s) {
    if (!s.empty() && s.front() == '-')
        s.remove_prefix(1);
    const auto dot = s.find('.');
    const std::string_view whole = s.substr(0, dot);
    if (whole.empty() || !AllDigits(whole))
        return false;
    if (dot == std::string_view::npos)
        return true;
    const std::string_view cents = s.substr(dot + 1);
    return !cents.empty() && cents.size() <= 2 && AllDigits(cents);
}

std::optional<TDateTime> DateOfText(std::string_view s) {
    if (!Digits(s, 8))
        return std::nullopt;
    const int year = std::stoi(std::string(s.substr(0, 4)));
    const int month = std::stoi(std::string(s.substr(4, 2)));
    const int day = std::stoi(std::string(s.substr(6, 2)));
    if (year < 1990 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return std::nullopt;
    return EncodeDate(year, month, day);
}

std::vector<std::string_view> Fields(std::string_view text) {
    std::vector<std::string_view> fields;
    for (;;) {
        const auto comma = text.find(',');
        fields.push_back(text.substr(0, comma));
        if (comma == std::string_view::npos)
            return fields;
        text.remove_prefix(comma + 1);
    }
}

} // namespace

std::optional<TInvoiceQr> ParseInvoiceQr(std::string_view text) {
    const std::string trimmed = Trim(std::string(text));
    const std::vector<std::string_view> f = Fields(trimmed);
    // Seven fields up to the check code; the check value and the trailing comma's empty field follow.
    if (f.size() < 7 || f.size() > 9 || f[0] != "01" || !Digits(f[1], 2))
        return std::nullopt;
    const std::string_view code = f[2], number = f[3];
    const bool fullyDigital = code.empty() && Digits(number, 20);
    if (!fullyDigital && !((Digits(code, 10) || Digits(code, 12)) && Digits(number, 8)))
        return std::nullopt;
    if (!IsAmount(f[4]) || !AllDigits(f[6]) || f[6].size() > 20)
        return std::nullopt;
    const std::optional<TDateTime> date = DateOfText(f[5]);
    if (!date)
        return std::nullopt;
    for (std::size_t i = 7; i < f.size(); ++i) // check value: letters and digits only
        for (char c : f[i])
            if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
                return std::nullopt;
    TInvoiceQr qr;
    qr.Kind = f[1];
    qr.Code = code;
    qr.Number = number;
    qr.Amount = f[4];
    qr.Date = *date;
    qr.CheckCode = f[6];
    return qr;
}

std::string InvoiceNumberOf(const std::string& typed) {
    const std::optional<TInvoiceQr> qr = ParseInvoiceQr(typed);
    return qr ? qr->Number : typed;
}

} // namespace tkv
