// OLE dates count days from 1899-12-30. Negative values keep the time of day as a positive fraction
// after the day part (-1.25 is 1899-12-29 06:00), as the automation date rules define.
#include "DateTime.h"

#include <cmath>
#include <stdexcept>

namespace tkv {

namespace {

// Days from 0001-01-01 to the given date of the proleptic Gregorian calendar.
long long DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& y, int& m, int& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

const long long kEpoch = DaysFromCivil(1899, 12, 30);

} // namespace

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        throw std::invalid_argument("invalid month");
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

TDateTime EncodeDate(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        throw std::invalid_argument("invalid date " + std::to_string(year) + "-" + std::to_string(month) +
                                    "-" + std::to_string(day));
    return static_cast<double>(DaysFromCivil(year, month, day) - kEpoch);
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
        millisecond > 999)
        throw std::invalid_argument("invalid time");
    return (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + millisecond) / 86400000.0;
}

TDateTime EncodeDateTime(const DateParts& p) {
    const double day = EncodeDate(p.year, p.month, p.day);
    const double time = EncodeTime(p.hour, p.minute, p.second, p.millisecond);
    return day >= 0 ? day + time : day - time;
}

DateParts DecodeDateTime(TDateTime value) {
    // Outside years 1 to 9999 (and for NaN) the day count would not fit the integer arithmetic below.
    if (!(value > kMinDateTime && value < kMaxDateTime))
        throw EVariantError("the date value " + std::to_string(value) + " is outside the years 1 to 9999");
    DateParts p;
    double whole = std::trunc(value);
    double frac = std::fabs(value - whole);
    long long ms = std::llround(frac * 86400000.0);
    if (ms >= 86400000) { // rounding reached the next calendar day
        ms -= 86400000;
        whole += 1;
    }
    CivilFromDays(static_cast<long long>(whole) + kEpoch, p.year, p.month, p.day);
    p.hour = static_cast<int>(ms / 3600000);
    p.minute = static_cast<int>(ms / 60000 % 60);
    p.second = static_cast<int>(ms / 1000 % 60);
    p.millisecond = static_cast<int>(ms % 1000);
    return p;
}

TDateTime DateOf(TDateTime value) {
    return std::trunc(value);
}

TDateTime StartOfMonth(TDateTime value) {
    const DateParts p = DecodeDateTime(value);
    return EncodeDate(p.year, p.month, 1);
}

} // namespace tkv
