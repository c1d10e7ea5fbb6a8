// Calendar arithmetic on OLE automation dates (days since 30 December 1899, fraction for the time).
#pragma once

#include "Variant.h"

#include <string>

namespace tkv {

struct DateParts {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// Raises std::invalid_argument for a date that does not exist.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond = 0);
TDateTime EncodeDateTime(const DateParts& parts);
// Days before 0001-01-01 and from 10000-01-01 on: no date of the years 1 to 9999.
constexpr TDateTime kMinDateTime = -693594.0;
constexpr TDateTime kMaxDateTime = 2958466.0;
// Raises EVariantError for a value outside the years 1 to 9999 (bounds excluded) or NaN.
DateParts DecodeDateTime(TDateTime value);
// The whole day of a date-time (time of day dropped), also for dates before 1899-12-30.
TDateTime DateOf(TDateTime value);
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
// First day of the month that holds the date.
TDateTime StartOfMonth(TDateTime value);

} // namespace tkv
