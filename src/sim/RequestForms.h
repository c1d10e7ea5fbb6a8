// The forms a regional service requires of each request field, checked before a request is acted
// on: a service refuses a line whose fields moved, are missing or are not of their kind, whatever
// the sender meant by them.
#pragma once

#include <string>
#include <vector>

namespace tkv::sim {

enum class TFieldKind {
    Any,      // free text, may be empty
    Required, // free text, present
    Empty,    // a field the service reserves: must be empty
    Fixed,    // one fixed value
    Serial,   // a serial number: 1 to 20 letters and digits
    Date,     // "YYYY-MM-DD", a real day
    DateTime, // "YYYY-MM-DD HH:MM:SS", a real moment
    Amount,   // a decimal number: digits, an optional sign and point, nothing else
    Count,    // a non-negative whole number
};

struct TFieldForm {
    const char* Name;
    TFieldKind Kind;
    const char* Value = ""; // the fixed value of a Fixed field
};

// The refusal text for the first field of the request that does not have its form, or an empty
// text when all have. The field count is checked first.
std::string CheckFields(const std::string& code, const std::vector<TFieldForm>& forms,
                        const std::vector<std::string>& fields);

bool IsAmount(const std::string& text);

} // namespace tkv::sim
