// IRetailPlugin slots in table order (IVNPlugin, IVNTransPlugin, IRetailBillPlugin, IRetailPlugin):
// var OleVariant arguments are converted in, handed to the core and written back; the host tables
// handed over by the Init methods are wrapped as the core's interfaces.
#include "RetailPluginTable.h"

#include "AnsiString.h"
#include "ExistFormAdapter.h"
#include "Guard.h"
#include "HostAdapter.h"
#include "MainintfAdapter.h"
#include "RawUnknown.h"
#include "TransinfoAdapter.h"
#include "VariantMarshal.h"

namespace tkv::abi {

struct RawRetailPluginVtbl {
    /*** IUnknown methods ***/
    HRESULT(TKV_STDCALL* QueryInterface)(RawRetailPlugin* iface, const GUID* iid, void** obj);
    ULONG(TKV_STDCALL* AddRef)(RawRetailPlugin* iface);
    ULONG(TKV_STDCALL* Release)(RawRetailPlugin* iface);
    /*** IVNPlugin methods ***/
    void(TKV_STDCALL* About)(RawRetailPlugin* iface);
    Bool8(TKV_STDCALL* CheckVersion)(RawRetailPlugin* iface, AnsiChars MainVer);
    void(TKV_STDCALL* DownURL)(AnsiChars* result, RawRetailPlugin* iface);
    void(TKV_STDCALL* ExecuteAction)(RawRetailPlugin* iface, std::int32_t AID);
    void(TKV_STDCALL* GetLastError)(AnsiChars* result, RawRetailPlugin* iface);
    std::int32_t(TKV_STDCALL* GetLastErrorID)(RawRetailPlugin* iface);
    void(TKV_STDCALL* InitPlugin)(RawRetailPlugin* iface, RawMainintf* mainIntf);
    void(TKV_STDCALL* InitTransPlugin)(RawRetailPlugin* iface, RawTransinfo* transInfo);
    void(TKV_STDCALL* InitExistInterFace)(RawRetailPlugin* iface, RawExistForm* AExistForm);
    void(TKV_STDCALL* InitReportInterFace)(RawRetailPlugin* iface, RawReportIntf* ssReportIntf);
    void(TKV_STDCALL* ClearPlugInfo)(RawRetailPlugin* iface);
    /*** IVNTransPlugin methods ***/
    Bool8(TKV_STDCALL* BeforeSave)(RawRetailPlugin* iface, VARIANT* Params);
    Bool8(TKV_STDCALL* AfterSave)(RawRetailPlugin* iface, VARIANT* Params);
    Bool8(TKV_STDCALL* BeforePrint)(RawRetailPlugin* iface, VARIANT* GridData, VARIANT* Params);
    Bool8(TKV_STDCALL* CheckData)(RawRetailPlugin* iface, VARIANT* Params);
    Bool8(TKV_STDCALL* CheckGridRow)(RawRetailPlugin* iface, std::int32_t ARow, VARIANT* Params);
    void(TKV_STDCALL* IniGridFields)(RawRetailPlugin* iface, void* AGrid);
    /*** IRetailBillPlugin methods ***/
    Bool8(TKV_STDCALL* BeforeVipCard)(RawRetailPlugin* iface, VARIANT* Params);
    Bool8(TKV_STDCALL* AfterVipCard)(RawRetailPlugin* iface, VARIANT* Params);
    Bool8(TKV_STDCALL* BeforePtyeInsert)(RawRetailPlugin* iface, VARIANT* Params);
    Bool8(TKV_STDCALL* AfterPtyeInsert)(RawRetailPlugin* iface, std::int32_t ARow, VARIANT* Params);
    Bool8(TKV_STDCALL* BeforeAcct)(RawRetailPlugin* iface, VARIANT* Params);
    Bool8(TKV_STDCALL* AfterAcct)(RawRetailPlugin* iface, VARIANT* Params);
    /*** IRetailPlugin methods ***/
    Bool8(TKV_STDCALL* GetSBCard)(RawRetailPlugin* iface, VARIANT* Params);
    void(TKV_STDCALL* ShowSBCard)(RawRetailPlugin* iface);
    Bool8(TKV_STDCALL* ClearCardInfo)(RawRetailPlugin* iface);
    Bool8(TKV_STDCALL* ssEvaluateBalance)(RawRetailPlugin* iface);
    Bool8(TKV_STDCALL* ssBalance)(RawRetailPlugin* iface);
    Bool8(TKV_STDCALL* ssClearEvaluateBalance)(RawRetailPlugin* iface);
    Bool8(TKV_STDCALL* ssClearCloseMulAccount)(RawRetailPlugin* iface);
    Bool8(TKV_STDCALL* CanelBalance)(RawRetailPlugin* iface);
    Bool8(TKV_STDCALL* CheckCanUseSS)(RawRetailPlugin* iface);
    Bool8(TKV_STDCALL* ssNeedEvaluateBalance)(RawRetailPlugin* iface);
    Bool8(TKV_STDCALL* IsNeedReadCard)(RawRetailPlugin* iface);
    Bool8(TKV_STDCALL* IsNeedPtypDZ)(RawRetailPlugin* iface);
    void(TKV_STDCALL* ssPtypeDz)(RawRetailPlugin* iface);
    void(TKV_STDCALL* ssPrintItems)(VARIANT* result, RawRetailPlugin* iface);
    Bool8(TKV_STDCALL* IsNeedRetailBack)(RawRetailPlugin* iface);
    void(TKV_STDCALL* ssBalaInfo)(RawRetailPlugin* iface, VARIANT* Params);
    Bool8(TKV_STDCALL* ssInit)(RawRetailPlugin* iface);
    Bool8(TKV_STDCALL* ssFree)(RawRetailPlugin* iface);
    Bool8(TKV_STDCALL* ssConfig)(RawRetailPlugin* iface);
    void(TKV_STDCALL* GetConfigPostCode)(AnsiChars* result, RawRetailPlugin* iface);
};

namespace {

struct RetailPlugin {
    RawRetailPlugin RawRetailPlugin_iface;
    LONG ref;
    ComPtr<IRetailPlugin> core;
    ~RetailPlugin();
};

// The object handed out last, given again while it lives.
RetailPlugin* current = nullptr;

RetailPlugin::~RetailPlugin() {
    if (current == this)
        current = nullptr;
}

using Unknown = RawUnknown<RawRetailPlugin, RetailPlugin, IID_IRetailPlugin>;

IRetailPlugin* Core(RawRetailPlugin* iface) {
    return Unknown::From(iface)->core.Get();
}

// A hook on a var OleVariant: the host's value in, the core's value back out.
template <class Hook> Bool8 VarHook(VARIANT* params, Hook hook) {
    OleVariant p = FromVariant(params);
    const bool r = hook(p);
    AssignVariant(params, p);
    return ToBool8(r);
}

// A hook whose answer does not depend on its var OleVariant: the host's value is neither read nor
// written, so whatever the host passes (an interface, a decimal, an array of any shape, a
// reference) comes back as it was and cannot make the hook fail.
template <class Hook> Bool8 ParamsUntouched(Hook hook) {
    OleVariant unused;
    return ToBool8(hook(unused));
}

void TKV_STDCALL RetailPlugin_About(RawRetailPlugin* iface) {
    Guarded([&] { Core(iface)->About(); });
}

Bool8 TKV_STDCALL RetailPlugin_CheckVersion(RawRetailPlugin* iface, AnsiChars MainVer) {
    return Guarded([&] { return ToBool8(Core(iface)->CheckVersion(FromAnsi(MainVer))); }, Bool8{0});
}

void TKV_STDCALL RetailPlugin_DownURL(AnsiChars* result, RawRetailPlugin* iface) {
    Guarded([&] { AnsiAssignUtf8(result, Core(iface)->DownURL()); });
}

void TKV_STDCALL RetailPlugin_ExecuteAction(RawRetailPlugin* iface, std::int32_t AID) {
    Guarded([&] { Core(iface)->ExecuteAction(AID); });
}

void TKV_STDCALL RetailPlugin_GetLastError(AnsiChars* result, RawRetailPlugin* iface) {
    Guarded([&] { AnsiAssignUtf8(result, Core(iface)->GetLastError()); });
}

std::int32_t TKV_STDCALL RetailPlugin_GetLastErrorID(RawRetailPlugin* iface) {
    return Guarded([&] { return Core(iface)->GetLastErrorID(); }, std::int32_t{0});
}

void TKV_STDCALL RetailPlugin_InitPlugin(RawRetailPlugin* iface, RawMainintf* mainIntf) {
    Guarded([&] { Core(iface)->InitPlugin(WrapMainintf(mainIntf).Get()); });
}

void TKV_STDCALL RetailPlugin_InitTransPlugin(RawRetailPlugin* iface, RawTransinfo* transInfo) {
    Guarded([&] { Core(iface)->InitTransPlugin(WrapTransinfo(transInfo).Get()); });
}

void TKV_STDCALL RetailPlugin_InitExistInterFace(RawRetailPlugin* iface, RawExistForm* AExistForm) {
    Guarded([&] { Core(iface)->InitExistInterFace(WrapExistForm(AExistForm).Get()); });
}

void TKV_STDCALL RetailPlugin_InitReportInterFace(RawRetailPlugin* iface, RawReportIntf* ssReportIntf) {
    Guarded([&] { Core(iface)->InitReportInterFace(WrapReportIntf(ssReportIntf).Get()); });
}

void TKV_STDCALL RetailPlugin_ClearPlugInfo(RawRetailPlugin* iface) {
    Guarded([&] { Core(iface)->ClearPlugInfo(); });
}

Bool8 TKV_STDCALL RetailPlugin_BeforeSave(RawRetailPlugin* iface, VARIANT* Params) {
    return Guarded([&] { return ParamsUntouched([&](OleVariant& p) { return Core(iface)->BeforeSave(p); }); },
                   Bool8{0});
}

Bool8 TKV_STDCALL RetailPlugin_AfterSave(RawRetailPlugin* iface, VARIANT* Params) {
    return Guarded([&] { return ParamsUntouched([&](OleVariant& p) { return Core(iface)->AfterSave(p); }); },
                   Bool8{0});
}

Bool8 TKV_STDCALL RetailPlugin_BeforePrint(RawRetailPlugin* iface, VARIANT* GridData, VARIANT* Params) {
    return Guarded(
        [&] {
            OleVariant grid, params; // neither of the host's values is read or written
            return ToBool8(Core(iface)->BeforePrint(grid, params));
        },
        Bool8{0});
}

Bool8 TKV_STDCALL RetailPlugin_CheckData(RawRetailPlugin* iface, VARIANT* Params) {
    return Guarded([&] { return ParamsUntouched([&](OleVariant& p) { return Core(iface)->CheckData(p); }); },
                   Bool8{0});
}

Bool8 TKV_STDCALL RetailPlugin_CheckGridRow(RawRetailPlugin* iface, std::int32_t ARow, VARIANT* Params) {
    return Guarded(
        [&] { return ParamsUntouched([&](OleVariant& p) { return Core(iface)->CheckGridRow(ARow, p); }); },
        Bool8{0});
}

void TKV_STDCALL RetailPlugin_IniGridFields(RawRetailPlugin* iface, void* AGrid) {
    Guarded([&] { Core(iface)->IniGridFields(AGrid); });
}

Bool8 TKV_STDCALL RetailPlugin_BeforeVipCard(RawRetailPlugin* iface, VARIANT* Params) {
    return Guarded(
        [&] { return ParamsUntouched([&](OleVariant& p) { return Core(iface)->BeforeVipCard(p); }); },
        Bool8{0});
}

Bool8 TKV_STDCALL RetailPlugin_AfterVipCard(RawRetailPlugin* iface, VARIANT* Params) {
    return Guarded(
        [&] { return ParamsUntouched([&](OleVariant& p) { return Core(iface)->AfterVipCard(p); }); },
        Bool8{0});
}

Bool8 TKV_STDCALL RetailPlugin_BeforePtyeInsert(RawRetailPlugin* iface, VARIANT* Params) {
    return Guarded(
        [&] { return ParamsUntouched([&](OleVariant& p) { return Core(iface)->BeforePtyeInsert(p); }); },
        Bool8{0});
}

Bool8 TKV_STDCALL RetailPlugin_AfterPtyeInsert(RawRetailPlugin* iface, std::int32_t ARow, VARIANT* Params) {
    return Guarded(
        [&] { return ParamsUntouched([&](OleVariant& p) { return Core(iface)->AfterPtyeInsert(ARow, p); }); },
        Bool8{0});
}

Bool8 TKV_STDCALL RetailPlugin_BeforeAcct(RawRetailPlugin* iface, VARIANT* Params) {
    return Guarded([&] { return ParamsUntouched([&](OleVariant& p) { return Core(iface)->BeforeAcct(p); }); },
                   Bool8{0});
}

Bool8 TKV_STDCALL RetailPlugin_AfterAcct(RawRetailPlugin* iface, VARIANT* Params) {
    return Guarded([&] { return ParamsUntouched([&](OleVariant& p) { return Core(iface)->AfterAcct(p); }); },
                   Bool8{0});
}

Bool8 TKV_STDCALL RetailPlugin_GetSBCard(RawRetailPlugin* iface, VARIANT* Params) {
    return Guarded([&] { return VarHook(Params, [&](OleVariant& p) { return Core(iface)->GetSBCard(p); }); },
                   Bool8{0});
}

void TKV_STDCALL RetailPlugin_ShowSBCard(RawRetailPlugin* iface) {
    Guarded([&] { Core(iface)->ShowSBCard(); });
}

Bool8 TKV_STDCALL RetailPlugin_ClearCardInfo(RawRetailPlugin* iface) {
    return Guarded([&] { return ToBool8(Core(iface)->ClearCardInfo()); }, Bool8{0});
}

Bool8 TKV_STDCALL RetailPlugin_ssEvaluateBalance(RawRetailPlugin* iface) {
    return Guarded([&] { return ToBool8(Core(iface)->ssEvaluateBalance()); }, Bool8{0});
}

Bool8 TKV_STDCALL RetailPlugin_ssBalance(RawRetailPlugin* iface) {
    return Guarded([&] { return ToBool8(Core(iface)->ssBalance()); }, Bool8{0});
}

Bool8 TKV_STDCALL RetailPlugin_ssClearEvaluateBalance(RawRetailPlugin* iface) {
    return Guarded([&] { return ToBool8(Core(iface)->ssClearEvaluateBalance()); }, Bool8{0});
}

Bool8 TKV_STDCALL RetailPlugin_ssClearCloseMulAccount(RawRetailPlugin* iface) {
    return Guarded([&] { return ToBool8(Core(iface)->ssClearCloseMulAccount()); }, Bool8{0});
}

Bool8 TKV_STDCALL RetailPlugin_CanelBalance(RawRetailPlugin* iface) {
    return Guarded([&] { return ToBool8(Core(iface)->CanelBalance()); }, Bool8{0});
}

Bool8 TKV_STDCALL RetailPlugin_CheckCanUseSS(RawRetailPlugin* iface) {
    return Guarded([&] { return ToBool8(Core(iface)->CheckCanUseSS()); }, Bool8{0});
}

Bool8 TKV_STDCALL RetailPlugin_ssNeedEvaluateBalance(RawRetailPlugin* iface) {
    return Guarded([&] { return ToBool8(Core(iface)->ssNeedEvaluateBalance()); }, Bool8{0});
}

Bool8 TKV_STDCALL RetailPlugin_IsNeedReadCard(RawRetailPlugin* iface) {
    return Guarded([&] { return ToBool8(Core(iface)->IsNeedReadCard()); }, Bool8{0});
}

Bool8 TKV_STDCALL RetailPlugin_IsNeedPtypDZ(RawRetailPlugin* iface) {
    return Guarded([&] { return ToBool8(Core(iface)->IsNeedPtypDZ()); }, Bool8{0});
}

void TKV_STDCALL RetailPlugin_ssPtypeDz(RawRetailPlugin* iface) {
    Guarded([&] { Core(iface)->ssPtypeDz(); });
}

void TKV_STDCALL RetailPlugin_ssPrintItems(VARIANT* result, RawRetailPlugin* iface) {
    Guarded([&] { AssignVariant(result, Core(iface)->ssPrintItems()); });
}

Bool8 TKV_STDCALL RetailPlugin_IsNeedRetailBack(RawRetailPlugin* iface) {
    return Guarded([&] { return ToBool8(Core(iface)->IsNeedRetailBack()); }, Bool8{0});
}

void TKV_STDCALL RetailPlugin_ssBalaInfo(RawRetailPlugin* iface, VARIANT* Params) {
    Guarded([&] {
        VarHook(Params, [&](OleVariant& p) {
            Core(iface)->ssBalaInfo(p);
            return true;
        });
    });
}

Bool8 TKV_STDCALL RetailPlugin_ssInit(RawRetailPlugin* iface) {
    return Guarded([&] { return ToBool8(Core(iface)->ssInit()); }, Bool8{0});
}

Bool8 TKV_STDCALL RetailPlugin_ssFree(RawRetailPlugin* iface) {
    return Guarded([&] { return ToBool8(Core(iface)->ssFree()); }, Bool8{0});
}

Bool8 TKV_STDCALL RetailPlugin_ssConfig(RawRetailPlugin* iface) {
    return Guarded([&] { return ToBool8(Core(iface)->ssConfig()); }, Bool8{0});
}

void TKV_STDCALL RetailPlugin_GetConfigPostCode(AnsiChars* result, RawRetailPlugin* iface) {
    Guarded([&] { AnsiAssignUtf8(result, Core(iface)->GetConfigPostCode()); });
}

const RawRetailPluginVtbl RetailPlugin_Vtbl = {
    /*** IUnknown methods ***/
    Unknown::QueryInterface,
    Unknown::AddRef,
    Unknown::Release,
    /*** IVNPlugin methods ***/
    RetailPlugin_About,
    RetailPlugin_CheckVersion,
    RetailPlugin_DownURL,
    RetailPlugin_ExecuteAction,
    RetailPlugin_GetLastError,
    RetailPlugin_GetLastErrorID,
    RetailPlugin_InitPlugin,
    RetailPlugin_InitTransPlugin,
    RetailPlugin_InitExistInterFace,
    RetailPlugin_InitReportInterFace,
    RetailPlugin_ClearPlugInfo,
    /*** IVNTransPlugin methods ***/
    RetailPlugin_BeforeSave,
    RetailPlugin_AfterSave,
    RetailPlugin_BeforePrint,
    RetailPlugin_CheckData,
    RetailPlugin_CheckGridRow,
    RetailPlugin_IniGridFields,
    /*** IRetailBillPlugin methods ***/
    RetailPlugin_BeforeVipCard,
    RetailPlugin_AfterVipCard,
    RetailPlugin_BeforePtyeInsert,
    RetailPlugin_AfterPtyeInsert,
    RetailPlugin_BeforeAcct,
    RetailPlugin_AfterAcct,
    /*** IRetailPlugin methods ***/
    RetailPlugin_GetSBCard,
    RetailPlugin_ShowSBCard,
    RetailPlugin_ClearCardInfo,
    RetailPlugin_ssEvaluateBalance,
    RetailPlugin_ssBalance,
    RetailPlugin_ssClearEvaluateBalance,
    RetailPlugin_ssClearCloseMulAccount,
    RetailPlugin_CanelBalance,
    RetailPlugin_CheckCanUseSS,
    RetailPlugin_ssNeedEvaluateBalance,
    RetailPlugin_IsNeedReadCard,
    RetailPlugin_IsNeedPtypDZ,
    RetailPlugin_ssPtypeDz,
    RetailPlugin_ssPrintItems,
    RetailPlugin_IsNeedRetailBack,
    RetailPlugin_ssBalaInfo,
    RetailPlugin_ssInit,
    RetailPlugin_ssFree,
    RetailPlugin_ssConfig,
    RetailPlugin_GetConfigPostCode,
};

} // namespace

RawRetailPlugin* RetailPluginForHost(const ComPtr<IRetailPlugin>& core) {
    if (current && current->core == core) {
        InterlockedIncrement(&current->ref);
        return &current->RawRetailPlugin_iface;
    }
    current = new RetailPlugin{{&RetailPlugin_Vtbl}, 1, core};
    return &current->RawRetailPlugin_iface;
}

} // namespace tkv::abi
