// The raw control table: each slot asks the core control and converts the answer.
#include "HostControlTable.h"

#include "AnsiString.h"
#include "Guard.h"
#include "HostAdapter.h"
#include "RawUnknown.h"

namespace tkv::abi {
namespace {

struct HostControl {
    RawObject RawObject_iface;
    LONG ref;
    ComPtr<IHostControl> core;
};

using Unknown = RawUnknown<RawObject, HostControl, IID_IHostControl>;

IHostControl* Core(RawObject* iface) {
    return Unknown::From(iface)->core.Get();
}

std::uint8_t TKV_STDCALL HostControl_Kind(RawObject* iface) {
    return Guarded([&] { return static_cast<std::uint8_t>(Core(iface)->Kind()); }, std::uint8_t{0});
}
void TKV_STDCALL HostControl_ClassName(AnsiChars* result, RawObject* iface) {
    Guarded([&] { AnsiAssignUtf8(result, Core(iface)->ClassName()); });
}
void TKV_STDCALL HostControl_Name(AnsiChars* result, RawObject* iface) {
    Guarded([&] { AnsiAssignUtf8(result, Core(iface)->Name()); });
}
std::uint8_t TKV_STDCALL HostControl_BasicType(RawObject* iface) {
    return Guarded([&] { return static_cast<std::uint8_t>(Core(iface)->BasicType()); }, std::uint8_t{0});
}

const RawHostControlVtbl HostControl_Vtbl = {
    /*** IUnknown methods ***/
    Unknown::QueryInterface,
    Unknown::AddRef,
    Unknown::Release,
    /*** IHostControl methods ***/
    HostControl_Kind,
    HostControl_ClassName,
    HostControl_Name,
    HostControl_BasicType,
};

} // namespace

RawObject* NewHostControlTable(IHostControl* control) {
    if (!control)
        return nullptr;
    auto* c = new HostControl{
        {reinterpret_cast<const void* const*>(&HostControl_Vtbl)}, 1, ComPtr<IHostControl>(control)};
    return &c->RawObject_iface;
}

void ReleaseHostControlTable(RawObject* table) {
    if (table)
        Unknown::Release(table);
}

} // namespace tkv::abi
