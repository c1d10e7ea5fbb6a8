// A toolkit control handed to the host for preparation, as a raw reference-counted table: its kind,
// class name, name and basic-record kind. The host's record-selection handler and basic-data lookup
// do not cross this table yet; a host prepares controls by their class and name.
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
};

// A raw table over the control for the length of one host call; null for null. The caller
// releases the one reference it holds.
RawObject* NewHostControlTable(IHostControl* control);
void ReleaseHostControlTable(RawObject* table);

} // namespace tkv::abi
