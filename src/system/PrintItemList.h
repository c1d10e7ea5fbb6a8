// TPrintItemList: the named print values that the host's print manager reads in place while it runs
// a report. Names are matched without letter case; an item is added once and overwritten after.
#pragma once

#include "../framework/BasicTypes.h"
#include "../framework/Variant.h"

#include <string>
#include <vector>

namespace tkv {

struct TPrintItem {
    std::string Name;
    OleVariant Value;
    TValueType DataType = vtString;
};

class TPrintItemList {
public:
    virtual ~TPrintItemList() = default;

    // Frees every item and empties the list.
    virtual void Clear() { FList.clear(); }
    // Adds "RWX" with the text "RWX" unless an item of that name exists.
    virtual void AddDefaultItems();

    int Count() const { return static_cast<int>(FList.size()); }
    const TPrintItem& Items(int index) const { return FList.at(index); }

    // Position of the first item of that name, letter case ignored; -1 when there is none.
    int FindByName(const std::string& name) const;
    // Ignores an empty name; overwrites the matching item or appends a new one.
    void Add(const std::string& name, const OleVariant& value, TValueType dataType);
    // Adds only when no item of that name exists.
    void AddWithNotExist(const std::string& name, const OleVariant& value, TValueType dataType);

    bool FPRINTONLYONCE = false;

private:
    std::vector<TPrintItem> FList;
};

} // namespace tkv
