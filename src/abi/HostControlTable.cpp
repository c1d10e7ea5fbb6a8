// The raw control table: each slot asks the core control and converts the answer; the host's
// record-selection handler and basic-data lookup tables seen as core interfaces.
#include "HostControlTable.h"

#include "../Interface/HostControlValues.h"
#include "AnsiString.h"
#include "Guard.h"
#include "HostAdapter.h"
#include "RawUnknown.h"
#include "VariantMarshal.h"
#include "WideString.h"

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
void TKV_STDCALL HostControl_SetSelectHandler(RawObject* iface, RawObject* handler) {
    Guarded([&] { Core(iface)->SetSelectHandler(WrapRecordSelectHandler(handler).Get()); });
}
void TKV_STDCALL HostControl_SetBasicLookup(RawObject* iface, RawObject* lookup) {
    Guarded([&] { Core(iface)->SetBasicLookup(WrapBasicDataLookup(lookup).Get()); });
}

class RecordSelectAdapter final : public TInterfacedObject<IRecordSelectHandler> {
public:
    explicit RecordSelectAdapter(RawObject* raw) : host_(raw) {}
    std::int32_t QueryInterface(const TGUID&, void** obj) override {
        *obj = nullptr;
        return E_NOINTERFACE;
    }
    TSelectResult SelectRecords(const TSelectRequest& request) override {
        AnsiArg search(request.SearchText);
        VariantArg records;
        const auto* vtbl = reinterpret_cast<const RawRecordSelectHandlerVtbl*>(host_.Vtbl());
        TSelectResult result;
        result.Count =
            vtbl->SelectRecords(host_.Object(), static_cast<std::uint8_t>(request.BasicType),
                                static_cast<std::uint8_t>(request.Mode), search.Get(),
                                static_cast<std::uint32_t>(request.SourceField), ToBool8(request.OptInsert),
                                ToBool8(request.OptRemember), records.Get());
        result.Records = RecordsFromVariant(records.Value());
        return result;
    }

private:
    HostReference<RawObject> host_;
};

class BasicDataLookupAdapter final : public TInterfacedObject<IBasicDataLookup> {
public:
    explicit BasicDataLookupAdapter(RawObject* raw) : host_(raw) {}
    std::int32_t QueryInterface(const TGUID&, void** obj) override {
        *obj = nullptr;
        return E_NOINTERFACE;
    }
    bool FindByRec(TBasicType type, std::int32_t rec, TBasicRecord& out) override {
        VariantArg record;
        if (!V()->FindByRec(host_.Object(), static_cast<std::uint8_t>(type), rec, record.Get()))
            return false;
        out = RecordFromVariant(record.Value());
        return true;
    }
    bool FieldValue(TFieldsList field, std::int32_t rec, std::string& out) override {
        BstrSlot value;
        if (!V()->FieldValue(host_.Object(), static_cast<std::uint32_t>(field), rec, value.Out()))
            return false;
        out = value.Utf8();
        return true;
    }

private:
    const RawBasicDataLookupVtbl* V() const {
        return reinterpret_cast<const RawBasicDataLookupVtbl*>(host_.Vtbl());
    }
    HostReference<RawObject> host_;
};

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
    HostControl_SetSelectHandler,
    HostControl_SetBasicLookup,
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

ComPtr<IRecordSelectHandler> WrapRecordSelectHandler(RawObject* raw) {
    if (!raw)
        return nullptr;
    return ComPtr<IRecordSelectHandler>(new RecordSelectAdapter(raw));
}

ComPtr<IBasicDataLookup> WrapBasicDataLookup(RawObject* raw) {
    if (!raw)
        return nullptr;
    return ComPtr<IBasicDataLookup>(new BasicDataLookupAdapter(raw));
}

} // namespace tkv::abi
