// The raw control table: each slot asks the core control and converts the answer.
#include "HostControlTable.h"

#include "AnsiString.h"
#include "Guard.h"
#include "HostAdapter.h"

namespace tkv::abi {
namespace {

struct HostControl {
    RawObject RawObject_iface;
    LONG ref;
    ComPtr<IHostControl> core;
};

HostControl* HostControl_from_RawObject(RawObject* iface) {
    return reinterpret_cast<HostControl*>(iface);
}
IHostControl* Core(RawObject* iface) {
    return HostControl_from_RawObject(iface)->core.Get();
}

HRESULT TKV_STDCALL HostControl_QueryInterface(RawObject* iface, const GUID* iid, void** obj) {
    if (!obj)
        return E_POINTER;
    const TGUID id = FromGuid(*iid);
    if (id == IID_IHostControl || id == IID_IUnknown) {
        InterlockedIncrement(&HostControl_from_RawObject(iface)->ref);
        *obj = iface;
        return S_OK;
    }
    *obj = nullptr;
    return E_NOINTERFACE;
}

ULONG TKV_STDCALL HostControl_AddRef(RawObject* iface) {
    return InterlockedIncrement(&HostControl_from_RawObject(iface)->ref);
}

ULONG TKV_STDCALL HostControl_Release(RawObject* iface) {
    HostControl* This = HostControl_from_RawObject(iface);
    const LONG ref = InterlockedDecrement(&This->ref);
    if (ref == 0)
        delete This;
    return ref;
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
    HostControl_QueryInterface,
    HostControl_AddRef,
    HostControl_Release,
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
        HostControl_Release(table);
}

} // namespace tkv::abi
