// The print item list that the plug-in hands to the host's print manager.
#include "PrintItemList.h"

namespace tkv {

namespace {

bool SameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) {
            return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

} // namespace

void TPrintItemList::AddDefaultItems() {
    AddWithNotExist("RWX", OleVariant("RWX"), vtString);
}

int TPrintItemList::FindByName(const std::string& name) const {
    for (int i = 0; i < Count(); ++i)
        if (SameText(FList[i].Name, name))
            return i;
    return -1;
}

void TPrintItemList::Add(const std::string& name, const OleVariant& value, TValueType dataType) {
    if (name.empty())
        return;
    const int index = FindByName(name);
    if (index >= 0)
        FList[index] = TPrintItem{name, value, dataType};
    else
        FList.push_back(TPrintItem{name, value, dataType});
}

void TPrintItemList::AddWithNotExist(const std::string& name, const OleVariant& value, TValueType dataType) {
    if (FindByName(name) < 0)
        Add(name, value, dataType);
}

} // namespace tkv
