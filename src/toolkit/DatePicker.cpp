// Date picker state and text.
#include "DatePicker.h"

#include "../framework/DateTime.h"
#include "Dispatcher.h"

#include <cstdio>

namespace tkv {

void TDatePicker::SetDate(TDateTime date) {
    if (dateType_ == TDateType::dtDate)
        date = DateOf(date);
    if (date == date_)
        return;
    date_ = date;
    NotifyChanged(TProperty::Date);
    Changed();
}

std::string TDatePicker::Text() const {
    const DateParts p = DecodeDateTime(date_);
    char buf[32];
    if (dateType_ == TDateType::dtDate)
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", p.year, p.month, p.day);
    else
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", p.year, p.month, p.day, p.hour,
                      p.minute, p.second);
    return buf;
}

bool TDatePicker::ChooseDate(TDateTime date) {
    if (!Enabled() || ReadOnly() || dateReadOnly_)
        return false;
    return RunHandler([&] { SetDate(date); });
}

} // namespace tkv
