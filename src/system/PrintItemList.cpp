// The print item list that the plug-in hands to the host's print manager.
#include "PrintItemList.h"

#include "../framework/TextCase.h"

namespace tkv {

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
