// Typed input rules and value formatting of the data edit.
#include "DataBtnEdit.h"

#include "Dispatcher.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace tkv {

namespace {
bool IsDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

// Digits of the integral part of the maximum; 0 when the maximum sets no limit.
int MaxDigits(double maxValue) {
    double m = std::floor(std::fabs(maxValue));
    if (m < 1)
        return 0;
    int digits = 0;
    while (m >= 1) {
        m = std::floor(m / 10);
        ++digits;
    }
    return digits;
}

bool ParseDouble(const std::string& text, double& out) {
    if (text.empty())
        return false;
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return end && *end == '\0' && std::isfinite(out);
}
} // namespace

bool TDataBtnEdit::AcceptIntegerChar(char32_t key) const {
    const int maxDigits = MaxDigits(dataTypes_.MaxValue);
    if (maxDigits > 0 && CharCount() - SelLength() >= maxDigits)
        return false;
    if (IsDigit(key))
        return !(SelStart() == 0 && SelLength() == 0 && !Text().empty() && Text()[0] == '-');
    if (key == U'-')
        return SelStart() == 0 && TextAfterTyping(key).find('-', 1) == std::string::npos;
    return false;
}

bool TDataBtnEdit::AcceptDoubleChar(char32_t key) const {
    const std::string after = TextAfterTyping(key);
    if (key == U'-')
        return SelStart() == 0 && after.find('-', 1) == std::string::npos;
    if (!IsDigit(key) && key != U'.')
        return false;
    if (!after.empty() && after.find('-', 1) != std::string::npos)
        return false; // a digit typed in front of the minus sign
    const auto point = after.find('.');
    if (point == std::string::npos)
        return true;
    if (after.find('.', point + 1) != std::string::npos || dataTypes_.Digital <= 0)
        return false;
    return static_cast<int>(after.size() - point - 1) <= dataTypes_.Digital;
}

bool TDataBtnEdit::WithinSettings(char32_t key) const {
    if (dataTypes_.Length > 0 && CharCount() - SelLength() >= dataTypes_.Length)
        return false;
    const TValueType vt = dataTypes_.ValueType;
    if (vt != vtInteger && vt != vtDouble && vt != vtDoubleNoTotal)
        return true;
    // A range is set when the maximum lies above the minimum (both 0: no range).
    const bool ranged = dataTypes_.MaxValue > dataTypes_.MinValue;
    // A positive field, or a range that does not reach below zero, takes no minus sign.
    if (key == U'-' && (dataTypes_.Positive || (ranged && dataTypes_.MinValue >= 0)))
        return false;
    // Typing more digits only moves a number away from zero: a value past the maximum, or below a
    // negative minimum, cannot come back by typing on.
    double value = 0;
    if (!ranged || !ParseDouble(TextAfterTyping(key), value))
        return true;
    return value <= dataTypes_.MaxValue && !(dataTypes_.MinValue < 0 && value < dataTypes_.MinValue);
}

bool TDataBtnEdit::AcceptChar(char32_t key) const {
    if (canNotInput_)
        return false;
    if (!TEdit::AcceptChar(key))
        return false;
    if (key == VK_BACK)
        return true;
    if (!WithinSettings(key))
        return false;
    switch (dataTypes_.ValueType) {
    case vtInteger:
        return AcceptIntegerChar(key);
    case vtDouble:
    case vtDoubleNoTotal:
        return AcceptDoubleChar(key);
    default:
        return true;
    }
}

void TDataBtnEdit::SetText(const std::string& text) {
    const TValueType vt = dataTypes_.ValueType;
    if (vt != vtInteger && vt != vtDouble && vt != vtDoubleNoTotal) {
        TEdit::SetText(text);
        return;
    }
    if (text.empty() && canLeaveEmpty_) {
        TEdit::SetText(text);
        return;
    }
    double value = 0;
    if (!text.empty() && !ParseDouble(text, value))
        throw std::invalid_argument("'" + text + "' is not a valid " +
                                    (vt == vtInteger ? "integer value" : "floating point value"));
    char buf[64];
    if (vt == vtInteger) {
        if (value != std::trunc(value) || std::fabs(value) > 2147483647.0)
            throw std::invalid_argument("'" + text + "' is not a valid integer value");
        std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(value));
    } else {
        std::snprintf(buf, sizeof buf, "%.*f", dataTypes_.Digital < 0 ? 0 : dataTypes_.Digital, value);
    }
    TEdit::SetText(buf);
}

bool TDataBtnEdit::PerformButtonClick() {
    if (!btnVisible_)
        return false;
    return RunHandler([&] { ButtonClick(); });
}

void TDataBtnEdit::ButtonClick() {
    if (OnButtonClick)
        OnButtonClick(*this);
}

} // namespace tkv
