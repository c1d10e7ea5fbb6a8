// The framework print item list: its two class tables (the print item list's and the pointer
// list's), whose negative part holds the framework's object slots and whose positive part the
// virtual methods, and the conversion of the core's items into records.
#include "FrameworkPrintItems.h"

#include "../framework/TextCase.h"
#include "../platform/win32/Win32Text.h"
#include "AnsiString.h"
#include "BorlandMemory.h"
#include "Guard.h"
#include "VariantMarshal.h"

#include <cstring>

namespace tkv::abi {
namespace {

// The framework object slots that precede a class's virtual methods, in their order: the table
// itself, interface, automation, initialisation, type, field, method and dynamic tables, class
// name, instance size, parent, then the object's own virtual methods from SafeCallException to
// Destroy. Each object method takes at most three register arguments.
using ObjectSlot = RegisterFn<std::intptr_t, void*>;
struct ObjectSlots {
    const void* selfPtr;
    const void* tables[7];
    const unsigned char* className;
    std::intptr_t instanceSize;
    const void* parent;
    ObjectSlot safeCallException, afterConstruction, beforeDestruction, dispatch, defaultHandler, newInstance,
        freeInstance, destroy;
};

struct PrintItemListClass {
    ObjectSlots object;
    RegisterFn<void, FrameworkPrintItemList*> Clear;
    RegisterFn<void, FrameworkPrintItemList*> AddDefaultItems;
};

struct PointerListClass {
    ObjectSlots object;
    RegisterFn<void, FrameworkPointerList*> Grow;
    RegisterFn<void, FrameworkPointerList*, void*, std::int32_t> Notify;
    RegisterFn<void, FrameworkPointerList*> Clear;
};

// The object is the plug-in's: a host that tries to construct, dispatch to or destroy it changes
// nothing.
std::intptr_t TKV_REGISTER Inert(void*) {
    return 0;
}

void SetCapacity(FrameworkPointerList* list, std::int32_t capacity) {
    void** items = nullptr;
    if (capacity > 0) {
        items = static_cast<void**>(BorlandGetMem(sizeof(void*) * static_cast<std::size_t>(capacity)));
        if (list->count > 0)
            std::memcpy(items, list->items, sizeof(void*) * static_cast<std::size_t>(list->count));
    }
    BorlandFreeMem(list->items);
    list->items = items;
    list->capacity = capacity;
}

// The framework's growth steps: 4 while small, 16 up to 64, then a quarter.
void Grow(FrameworkPointerList* list) {
    const std::int32_t c = list->capacity;
    SetCapacity(list, c + (c > 64 ? c / 4 : c > 8 ? 16 : 4));
}

void TKV_REGISTER ListGrow(FrameworkPointerList* list) {
    Guarded([&] { Grow(list); });
}

void TKV_REGISTER ListNotify(FrameworkPointerList*, void*, std::int32_t) {}

void TKV_REGISTER ListClear(FrameworkPointerList* list) {
    list->count = 0;
    SetCapacity(list, 0);
}

void Append(FrameworkPointerList* list, void* item) {
    if (list->count == list->capacity)
        Grow(list);
    list->items[list->count++] = item;
}

FrameworkPrintItem* NewItem(const std::string& name, const OleVariant& value, TValueType dataType) {
    auto* item = static_cast<FrameworkPrintItem*>(BorlandGetMem(sizeof(FrameworkPrintItem)));
    std::memset(item, 0, sizeof(FrameworkPrintItem));
    VariantInit(&item->Value);
    try {
        item->Name = NewAnsiBytes(win32::Utf8ToAnsi(name));
        AssignVariant(&item->Value, value);
    } catch (...) {
        AnsiRelease(item->Name);
        VariantClear(&item->Value);
        BorlandFreeMem(item);
        throw;
    }
    item->DataType = dataType;
    return item;
}

void FreeItem(void* p) {
    auto* item = static_cast<FrameworkPrintItem*>(p);
    AnsiRelease(item->Name);
    VariantClear(&item->Value);
    BorlandFreeMem(item);
}

// Frees every record and empties the list.
void TKV_REGISTER ItemsClear(FrameworkPrintItemList* self) {
    for (std::int32_t i = 0; i < self->list->count; ++i)
        FreeItem(self->list->items[i]);
    ListClear(self->list);
}

void TKV_REGISTER ItemsAddDefaultItems(FrameworkPrintItemList* self) {
    Guarded([&] {
        for (std::int32_t i = 0; i < self->list->count; ++i)
            if (SameText(FromAnsi(static_cast<FrameworkPrintItem*>(self->list->items[i])->Name), "RWX"))
                return;
        FrameworkPrintItem* item = NewItem("RWX", OleVariant("RWX"), vtString);
        try {
            Append(self->list, item);
        } catch (...) {
            FreeItem(item);
            throw;
        }
    });
}

// Class names as the framework keeps them: a length byte, then the characters.
const unsigned char kPrintItemListName[] = "\x0eTPrintItemList";
const unsigned char kPointerListName[] = "\x05TList";

ObjectSlots Slots(const void* self, const unsigned char* name, std::size_t size) {
    return ObjectSlots{
        self,  {},    name, static_cast<std::intptr_t>(size), nullptr, Inert, Inert, Inert, Inert, Inert,
        Inert, Inert, Inert};
}

const PrintItemListClass printItemListClass = {
    Slots(&printItemListClass.Clear, kPrintItemListName, sizeof(FrameworkPrintItemList)),
    ItemsClear,
    ItemsAddDefaultItems,
};

const PointerListClass pointerListClass = {
    Slots(&pointerListClass.Grow, kPointerListName, sizeof(FrameworkPointerList)),
    ListGrow,
    ListNotify,
    ListClear,
};

} // namespace

FrameworkPrintItemsArg::FrameworkPrintItemsArg(const TPrintItemList* items)
    : list_{&pointerListClass.Grow, nullptr, 0, 0}, object_{&printItemListClass.Clear, &list_, 0} {
    if (!items)
        return;
    object_.printOnlyOnce = ToBool8(items->FPRINTONLYONCE);
    try {
        for (int i = 0; i < items->Count(); ++i) {
            const TPrintItem& item = items->Items(i);
            FrameworkPrintItem* record = NewItem(item.Name, item.Value, item.DataType);
            try {
                Append(&list_, record);
            } catch (...) {
                FreeItem(record);
                throw;
            }
        }
    } catch (...) {
        ItemsClear(&object_);
        throw;
    }
}

FrameworkPrintItemsArg::~FrameworkPrintItemsArg() {
    ItemsClear(&object_);
}

} // namespace tkv::abi
