// IVNPlugInfo slots in table order: WideString results as BSTRs, String results as the framework's
// 8-bit strings, both through the hidden result pointer that comes before the interface pointer.
#include "PlugInfoTable.h"

#include "AnsiString.h"
#include "Guard.h"
#include "HostAdapter.h"
#include "RawUnknown.h"
#include "WideString.h"

namespace tkv::abi {
namespace {

struct PlugInfo {
    RawPlugInfo RawPlugInfo_iface;
    LONG ref;
    ComPtr<IVNPlugInfo> core;
    ~PlugInfo();
};

// The object handed out last, given again while it lives.
PlugInfo* current = nullptr;

PlugInfo::~PlugInfo() {
    if (current == this)
        current = nullptr;
}

using Unknown = RawUnknown<RawPlugInfo, PlugInfo, IID_IVNPlugInfo>;

IVNPlugInfo* Core(RawPlugInfo* iface) {
    return Unknown::From(iface)->core.Get();
}

template <class Get> void WideResult(BSTR* result, Get get) {
    Guarded([&] { BstrAssign(result, get()); });
}
template <class Get> void AnsiResult(AnsiChars* result, Get get) {
    Guarded([&] { AnsiAssignUtf8(result, get()); });
}

void TKV_STDCALL PlugInfo_GetKeyName(BSTR* result, RawPlugInfo* iface) {
    WideResult(result, [&] { return Core(iface)->GetKeyName(); });
}
std::int32_t TKV_STDCALL PlugInfo_Reserved1(RawPlugInfo* iface) {
    return Guarded([&] { return Core(iface)->Reserved1(); }, 0);
}
void TKV_STDCALL PlugInfo_GetPlugProcName(BSTR* result, RawPlugInfo* iface) {
    WideResult(result, [&] { return Core(iface)->GetPlugProcName(); });
}
void TKV_STDCALL PlugInfo_GetPlugName(BSTR* result, RawPlugInfo* iface) {
    WideResult(result, [&] { return Core(iface)->GetPlugName(); });
}
std::uint8_t TKV_STDCALL PlugInfo_GetPlugType(RawPlugInfo* iface) {
    return Guarded([&] { return static_cast<std::uint8_t>(Core(iface)->GetPlugType()); }, std::uint8_t{0});
}
void TKV_STDCALL PlugInfo_GetPlugText(BSTR* result, RawPlugInfo* iface) {
    WideResult(result, [&] { return Core(iface)->GetPlugText(); });
}
void TKV_STDCALL PlugInfo_GetPlugDate(BSTR* result, RawPlugInfo* iface) {
    WideResult(result, [&] { return Core(iface)->GetPlugDate(); });
}
void TKV_STDCALL PlugInfo_GetPlugVersion(BSTR* result, RawPlugInfo* iface) {
    WideResult(result, [&] { return Core(iface)->GetPlugVersion(); });
}
Bool8 TKV_STDCALL PlugInfo_GetPlugIsAuto(RawPlugInfo* iface) {
    return Guarded([&] { return ToBool8(Core(iface)->GetPlugIsAuto()); }, Bool8{0});
}
std::uint8_t TKV_STDCALL PlugInfo_PlugAutoRun(RawPlugInfo* iface) {
    return Guarded([&] { return static_cast<std::uint8_t>(Core(iface)->PlugAutoRun()); }, std::uint8_t{0});
}
Bool8 TKV_STDCALL PlugInfo_GetPlugIsConfig(RawPlugInfo* iface) {
    return Guarded([&] { return ToBool8(Core(iface)->GetPlugIsConfig()); }, Bool8{0});
}
Bool8 TKV_STDCALL PlugInfo_PlugConfig(RawPlugInfo* iface) {
    return Guarded([&] { return ToBool8(Core(iface)->PlugConfig()); }, Bool8{0});
}
std::uint8_t TKV_STDCALL PlugInfo_Reserved2(RawPlugInfo* iface) {
    return Guarded([&] { return Core(iface)->Reserved2(); }, std::uint8_t{0});
}
void TKV_STDCALL PlugInfo_GetUpdateSQLFilePath(BSTR* result, RawPlugInfo* iface) {
    WideResult(result, [&] { return Core(iface)->GetUpdateSQLFilePath(); });
}
Bool8 TKV_STDCALL PlugInfo_Reserved3(RawPlugInfo* iface) {
    return Guarded([&] { return ToBool8(Core(iface)->Reserved3()); }, Bool8{0});
}
void TKV_STDCALL PlugInfo_PlunParentMenuInfo(AnsiChars* result, RawPlugInfo* iface) {
    AnsiResult(result, [&] { return Core(iface)->PlunParentMenuInfo(); });
}
void TKV_STDCALL PlugInfo_PlunMenuInfo(AnsiChars* result, RawPlugInfo* iface) {
    AnsiResult(result, [&] { return Core(iface)->PlunMenuInfo(); });
}

} // namespace

struct RawPlugInfoVtbl {
    HRESULT(TKV_STDCALL* QueryInterface)(RawPlugInfo*, const GUID*, void**);
    ULONG(TKV_STDCALL* AddRef)(RawPlugInfo*);
    ULONG(TKV_STDCALL* Release)(RawPlugInfo*);
    void(TKV_STDCALL* GetKeyName)(BSTR*, RawPlugInfo*);
    std::int32_t(TKV_STDCALL* Reserved1)(RawPlugInfo*);
    void(TKV_STDCALL* GetPlugProcName)(BSTR*, RawPlugInfo*);
    void(TKV_STDCALL* GetPlugName)(BSTR*, RawPlugInfo*);
    std::uint8_t(TKV_STDCALL* GetPlugType)(RawPlugInfo*);
    void(TKV_STDCALL* GetPlugText)(BSTR*, RawPlugInfo*);
    void(TKV_STDCALL* GetPlugDate)(BSTR*, RawPlugInfo*);
    void(TKV_STDCALL* GetPlugVersion)(BSTR*, RawPlugInfo*);
    Bool8(TKV_STDCALL* GetPlugIsAuto)(RawPlugInfo*);
    std::uint8_t(TKV_STDCALL* PlugAutoRun)(RawPlugInfo*);
    Bool8(TKV_STDCALL* GetPlugIsConfig)(RawPlugInfo*);
    Bool8(TKV_STDCALL* PlugConfig)(RawPlugInfo*);
    std::uint8_t(TKV_STDCALL* Reserved2)(RawPlugInfo*);
    void(TKV_STDCALL* GetUpdateSQLFilePath)(BSTR*, RawPlugInfo*);
    Bool8(TKV_STDCALL* Reserved3)(RawPlugInfo*);
    void(TKV_STDCALL* PlunParentMenuInfo)(AnsiChars*, RawPlugInfo*);
    void(TKV_STDCALL* PlunMenuInfo)(AnsiChars*, RawPlugInfo*);
};

namespace {

const RawPlugInfoVtbl PlugInfo_Vtbl = {
    /*** IUnknown methods ***/
    Unknown::QueryInterface,
    Unknown::AddRef,
    Unknown::Release,
    /*** IVNPlugInfo methods ***/
    PlugInfo_GetKeyName,
    PlugInfo_Reserved1,
    PlugInfo_GetPlugProcName,
    PlugInfo_GetPlugName,
    PlugInfo_GetPlugType,
    PlugInfo_GetPlugText,
    PlugInfo_GetPlugDate,
    PlugInfo_GetPlugVersion,
    PlugInfo_GetPlugIsAuto,
    PlugInfo_PlugAutoRun,
    PlugInfo_GetPlugIsConfig,
    PlugInfo_PlugConfig,
    PlugInfo_Reserved2,
    PlugInfo_GetUpdateSQLFilePath,
    PlugInfo_Reserved3,
    PlugInfo_PlunParentMenuInfo,
    PlugInfo_PlunMenuInfo,
};

} // namespace

RawPlugInfo* PlugInfoForHost(const ComPtr<IVNPlugInfo>& core) {
    if (current && current->core == core) {
        InterlockedIncrement(&current->ref);
        return &current->RawPlugInfo_iface;
    }
    current = new PlugInfo{{&PlugInfo_Vtbl}, 1, core};
    return &current->RawPlugInfo_iface;
}

} // namespace tkv::abi
