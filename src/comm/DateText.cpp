// Date and date-time texts as every window and stored-procedure call writes them.
#include "DateText.h"

#include "../framework/DateTime.h"

#include <cstdio>

namespace tkv {

std::string Format_Date(TDateTime ADate) {
    const DateParts p = DecodeDateTime(ADate);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", p.year, p.month, p.day);
    return buf;
}

std::string Format_DateTime(TDateTime ADate) {
    const DateParts p = DecodeDateTime(ADate);
    char buf[48];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", p.year, p.month, p.day, p.hour, p.minute,
                  p.second);
    return buf;
}

} // namespace tkv
