// The print item list as the host framework's object, which the host's print manager reads in place
// during RunPrintManage: an object whose first field points to its class's virtual-method table,
// then its item list (the framework's pointer list: table, items, count, capacity) and the
// print-only-once flag. Items are records of name (8-bit string), value (OleVariant) and data type,
// allocated through the shared memory manager like the list's item array, so that the host's own
// list code may add, grow and delete in place. The virtual methods (the item list's Clear, the print
// list's AddDefaultItems, the pointer list's Grow, Notify and Clear) use the framework's register
// convention with the object in EAX; the object is the plug-in's and outlives the call only as long
// as the plug-in keeps it.
#pragma once

#include "../system/PrintItemList.h"
#include "Boundary.h"

namespace tkv::abi {

// The framework's pointer list.
struct FrameworkPointerList {
    const void* vmt;
    void** items;
    std::int32_t count;
    std::int32_t capacity;
};

// One print item record.
struct FrameworkPrintItem {
    AnsiChars Name;
    VARIANT Value;
    std::uint8_t DataType;
};

// The print item list object.
struct FrameworkPrintItemList {
    const void* vmt;
    FrameworkPointerList* list;
    Bool8 printOnlyOnce;
};

// A framework print item list for one host call, holding the items of `items` (none when null).
class FrameworkPrintItemsArg {
public:
    explicit FrameworkPrintItemsArg(const TPrintItemList* items);
    ~FrameworkPrintItemsArg();
    FrameworkPrintItemsArg(const FrameworkPrintItemsArg&) = delete;
    FrameworkPrintItemsArg& operator=(const FrameworkPrintItemsArg&) = delete;
    FrameworkPrintItemList* Get() { return &object_; }

private:
    FrameworkPointerList list_;
    FrameworkPrintItemList object_;
};

} // namespace tkv::abi
