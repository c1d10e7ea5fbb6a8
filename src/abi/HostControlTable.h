// A toolkit control handed to the host for preparation, as a raw reference-counted table: its kind,
// class name, name and basic-record kind, and the slots through which the host installs its
// record-selection handler and basic-data lookup, themselves raw tables of the host's (the control
// keeps a reference to each). A record crosses as the variant array of HostControlValues.h.
#pragma once

#include "../Interface/HostControl.h"
#include "Boundary.h"

namespace tkv::abi {

struct RawHostControlVtbl {
    /*** IUnknown methods ***/
    QueryInterfaceFn QueryInterface;
    AddRefFn AddRef;
    ReleaseFn Release;
    /*** IHostControl methods ***/
    std::uint8_t(TKV_STDCALL* Kind)(RawObject* self);
    void(TKV_STDCALL* ClassName)(AnsiChars* result, RawObject* self);
    void(TKV_STDCALL* Name)(AnsiChars* result, RawObject* self);
    std::uint8_t(TKV_STDCALL* BasicType)(RawObject* self);
    void(TKV_STDCALL* SetSelectHandler)(RawObject* self, RawObject* handler);
    void(TKV_STDCALL* SetBasicLookup)(RawObject* self, RawObject* lookup);
};

// The host's record-selection handler: the answer's records into *records (a variant array of
// records), the answer's count as the result.
struct RawRecordSelectHandlerVtbl {
    /*** IUnknown methods ***/
    QueryInterfaceFn QueryInterface;
    AddRefFn AddRef;
    ReleaseFn Release;
    /*** IRecordSelectHandler methods ***/
    std::int32_t(TKV_STDCALL* SelectRecords)(RawObject* self, std::uint8_t basicType, std::uint8_t mode,
                                             AnsiChars searchText, std::uint32_t sourceField, Bool8 optInsert,
                                             Bool8 optRemember, VARIANT* records);
};

// The host's basic-data lookup.
struct RawBasicDataLookupVtbl {
    /*** IUnknown methods ***/
    QueryInterfaceFn QueryInterface;
    AddRefFn AddRef;
    ReleaseFn Release;
    /*** IBasicDataLookup methods ***/
    Bool8(TKV_STDCALL* FindByRec)(RawObject* self, std::uint8_t basicType, std::int32_t rec, VARIANT* record);
    Bool8(TKV_STDCALL* FieldValue)(RawObject* self, std::uint32_t field, std::int32_t rec, BSTR* value);
};

// The core's view of the host's tables (each holds one reference on the host's object).
ComPtr<IRecordSelectHandler> WrapRecordSelectHandler(RawObject* raw);
ComPtr<IBasicDataLookup> WrapBasicDataLookup(RawObject* raw);

// A raw table over the control for the length of one host call; null for null. The caller
// releases the one reference it holds.
RawObject* NewHostControlTable(IHostControl* control);
void ReleaseHostControlTable(RawObject* table);

} // namespace tkv::abi
