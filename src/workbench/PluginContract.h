// The plug-in contract as the host sees it: the four exports and the two interface tables the
// exports hand out (IVNPlugInfo, IRetailPlugin), slot by slot in table order, with the host's own
// raw tables (IVNMainintf, IExistForm, IssReportIntf) that the transaction object receives.
#pragma once

#include "abi/ExistFormAdapter.h"
#include "abi/RawMainintf.h"

namespace tkv::workbench {

using abi::AnsiChars;
using abi::Bool8;
using abi::RawObject;

struct PlugInfoVtbl {
    /*** IUnknown methods ***/
    abi::QueryInterfaceFn QueryInterface;
    abi::AddRefFn AddRef;
    abi::ReleaseFn Release;
    /*** IVNPlugInfo methods ***/
    void(TKV_STDCALL* GetKeyName)(BSTR* result, RawObject* self);
    std::int32_t(TKV_STDCALL* Reserved1)(RawObject* self);
    void(TKV_STDCALL* GetPlugProcName)(BSTR* result, RawObject* self);
    void(TKV_STDCALL* GetPlugName)(BSTR* result, RawObject* self);
    std::uint8_t(TKV_STDCALL* GetPlugType)(RawObject* self);
    void(TKV_STDCALL* GetPlugText)(BSTR* result, RawObject* self);
    void(TKV_STDCALL* GetPlugDate)(BSTR* result, RawObject* self);
    void(TKV_STDCALL* GetPlugVersion)(BSTR* result, RawObject* self);
    Bool8(TKV_STDCALL* GetPlugIsAuto)(RawObject* self);
    std::uint8_t(TKV_STDCALL* PlugAutoRun)(RawObject* self);
    Bool8(TKV_STDCALL* GetPlugIsConfig)(RawObject* self);
    Bool8(TKV_STDCALL* PlugConfig)(RawObject* self);
    std::uint8_t(TKV_STDCALL* Reserved2)(RawObject* self);
    void(TKV_STDCALL* GetUpdateSQLFilePath)(BSTR* result, RawObject* self);
    Bool8(TKV_STDCALL* Reserved3)(RawObject* self);
    void(TKV_STDCALL* PlunParentMenuInfo)(AnsiChars* result, RawObject* self);
    void(TKV_STDCALL* PlunMenuInfo)(AnsiChars* result, RawObject* self);
};

// The transaction object's table: IVNPlugin, IVNTransPlugin, IRetailBillPlugin and IRetailPlugin
// slots in order. Parameter packets are passed by reference.
struct RetailPluginVtbl {
    /*** IUnknown methods ***/
    abi::QueryInterfaceFn QueryInterface;
    abi::AddRefFn AddRef;
    abi::ReleaseFn Release;
    /*** IVNPlugin methods ***/
    void(TKV_STDCALL* About)(RawObject* self);
    Bool8(TKV_STDCALL* CheckVersion)(RawObject* self, AnsiChars mainVer);
    void(TKV_STDCALL* DownURL)(AnsiChars* result, RawObject* self);
    void(TKV_STDCALL* ExecuteAction)(RawObject* self, std::int32_t actionId);
    void(TKV_STDCALL* GetLastError)(AnsiChars* result, RawObject* self);
    std::int32_t(TKV_STDCALL* GetLastErrorID)(RawObject* self);
    void(TKV_STDCALL* InitPlugin)(RawObject* self, abi::RawMainintf* mainIntf);
    void(TKV_STDCALL* InitTransPlugin)(RawObject* self, RawObject* transInfo);
    void(TKV_STDCALL* InitExistInterFace)(RawObject* self, abi::RawExistForm* existForm);
    void(TKV_STDCALL* InitReportInterFace)(RawObject* self, abi::RawReportIntf* reportIntf);
    void(TKV_STDCALL* ClearPlugInfo)(RawObject* self);
    /*** IVNTransPlugin methods ***/
    Bool8(TKV_STDCALL* BeforeSave)(RawObject* self, VARIANT* params);
    Bool8(TKV_STDCALL* AfterSave)(RawObject* self, VARIANT* params);
    Bool8(TKV_STDCALL* BeforePrint)(RawObject* self, VARIANT* gridData, VARIANT* params);
    Bool8(TKV_STDCALL* CheckData)(RawObject* self, VARIANT* params);
    Bool8(TKV_STDCALL* CheckGridRow)(RawObject* self, std::int32_t row, VARIANT* params);
    void(TKV_STDCALL* IniGridFields)(RawObject* self, void* grid);
    /*** IRetailBillPlugin methods ***/
    Bool8(TKV_STDCALL* BeforeVipCard)(RawObject* self, VARIANT* params);
    Bool8(TKV_STDCALL* AfterVipCard)(RawObject* self, VARIANT* params);
    Bool8(TKV_STDCALL* BeforePtyeInsert)(RawObject* self, VARIANT* params);
    Bool8(TKV_STDCALL* AfterPtyeInsert)(RawObject* self, std::int32_t row, VARIANT* params);
    Bool8(TKV_STDCALL* BeforeAcct)(RawObject* self, VARIANT* params);
    Bool8(TKV_STDCALL* AfterAcct)(RawObject* self, VARIANT* params);
    /*** IRetailPlugin methods ***/
    Bool8(TKV_STDCALL* GetSBCard)(RawObject* self, VARIANT* params);
    void(TKV_STDCALL* ShowSBCard)(RawObject* self);
    Bool8(TKV_STDCALL* ClearCardInfo)(RawObject* self);
    Bool8(TKV_STDCALL* ssEvaluateBalance)(RawObject* self);
    Bool8(TKV_STDCALL* ssBalance)(RawObject* self);
    Bool8(TKV_STDCALL* ssClearEvaluateBalance)(RawObject* self);
    Bool8(TKV_STDCALL* ssClearCloseMulAccount)(RawObject* self);
    Bool8(TKV_STDCALL* CanelBalance)(RawObject* self);
    Bool8(TKV_STDCALL* CheckCanUseSS)(RawObject* self);
    Bool8(TKV_STDCALL* ssNeedEvaluateBalance)(RawObject* self);
    Bool8(TKV_STDCALL* IsNeedReadCard)(RawObject* self);
    Bool8(TKV_STDCALL* IsNeedPtypDZ)(RawObject* self);
    void(TKV_STDCALL* ssPtypeDz)(RawObject* self);
    void(TKV_STDCALL* ssPrintItems)(VARIANT* result, RawObject* self);
    Bool8(TKV_STDCALL* IsNeedRetailBack)(RawObject* self);
    void(TKV_STDCALL* ssBalaInfo)(RawObject* self, VARIANT* params);
    Bool8(TKV_STDCALL* ssInit)(RawObject* self);
    Bool8(TKV_STDCALL* ssFree)(RawObject* self);
    Bool8(TKV_STDCALL* ssConfig)(RawObject* self);
    void(TKV_STDCALL* GetConfigPostCode)(AnsiChars* result, RawObject* self);
};

inline const RetailPluginVtbl& RetailSlots(RawObject* retail) {
    return *reinterpret_cast<const RetailPluginVtbl*>(retail->lpVtbl);
}

using CreatePlugInfoFn = void(TKV_STDCALL*)(RawObject** result);
using CreateRetailPlugFn = void(TKV_STDCALL*)(RawObject** result);
// TMenuEvent: one framework string by value.
using MenuEventFn = void(TKV_STDCALL*)(AnsiChars errorMsg);

} // namespace tkv::workbench
