// Field form checks of the simulated service.
#include "RequestForms.h"

#include <cctype>

namespace tkv::sim {

namespace {

bool Digits(const std::string& text, std::size_t from, std::size_t count) {
    if (from + count > text.size())
        return false;
    for (std::size_t i = from; i < from + count; ++i)
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return false;
    return true;
}

int Number(const std::string& text, std::size_t from, std::size_t count) {
    return std::stoi(text.substr(from, count));
}

bool IsDate(const std::string& text) {
    if (text.size() != 10 || !Digits(text, 0, 4) || text[4] != '-' || !Digits(text, 5, 2) || text[7] != '-' ||
        !Digits(text, 8, 2))
        return false;
    const int year = Number(text, 0, 4), month = Number(text, 5, 2), day = Number(text, 8, 2);
    static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1900 || month < 1 || month > 12 || day < 1 || day > kDays[month - 1])
        return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month != 2 || day <= 28 || leap;
}

bool IsDateTime(const std::string& text) {
    return text.size() == 19 && IsDate(text.substr(0, 10)) && text[10] == ' ' && Digits(text, 11, 2) &&
           text[13] == ':' && Digits(text, 14, 2) && text[16] == ':' && Digits(text, 17, 2) &&
           Number(text, 11, 2) < 24 && Number(text, 14, 2) < 60 && Number(text, 17, 2) < 60;
}

bool IsSerial(const std::string& text) {
    if (text.empty() || text.size() > 20)
        return false;
    for (unsigned char c : text)
        if (!std::isalnum(c))
            return false;
    return true;
}

bool IsCount(const std::string& text) {
    return !text.empty() && text.size() <= 9 && Digits(text, 0, text.size());
}

bool HasForm(const TFieldForm& form, const std::string& value) {
    switch (form.Kind) {
    case TFieldKind::Any:
        return true;
    case TFieldKind::Required:
        return !value.empty();
    case TFieldKind::Empty:
        return value.empty();
    case TFieldKind::Fixed:
        return value == form.Value;
    case TFieldKind::Serial:
        return IsSerial(value);
    case TFieldKind::Date:
        return IsDate(value);
    case TFieldKind::DateTime:
        return IsDateTime(value);
    case TFieldKind::Amount:
        return IsAmount(value);
    case TFieldKind::Count:
        return IsCount(value);
    }
    return false;
}

} // namespace

bool IsAmount(const std::string& text) {
    std::size_t i = text.empty() || text[0] != '-' ? 0 : 1;
    const std::size_t start = i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
        ++i;
    if (i == start)
        return false;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fraction = ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
            ++i;
        if (i == fraction)
            return false;
    }
    return i == text.size() && text.size() <= 20;
}

std::string CheckFields(const std::string& code, const std::vector<TFieldForm>& forms,
                        const std::vector<std::string>& fields) {
    if (fields.size() != forms.size())
        return "业务" + code + "字段数不正确:应为" + std::to_string(forms.size()) + ",实为" +
               std::to_string(fields.size());
    for (std::size_t i = 0; i < forms.size(); ++i)
        if (!HasForm(forms[i], fields[i]))
            return "业务" + code + "第" + std::to_string(i + 1) + "字段(" + forms[i].Name + ")不正确:[" +
                   fields[i] + "]";
    return {};
}

} // namespace tkv::sim
