// The host's raw retail bill table (IVNMainTransinfo, IVNMainTrnas, IVNMainBillTransRetail slots
// in order) presented to the core as IVNMainBillTransRetail.
#pragma once

#include "../Interface/IVNMainTransinfo.h"
#include "Boundary.h"

namespace tkv::abi {

struct RawTransinfoVtbl {
    /*** IUnknown methods ***/
    QueryInterfaceFn QueryInterface;
    AddRefFn AddRef;
    ReleaseFn Release;
    /*** IVNMainTransinfo methods ***/
    void*(TKV_STDCALL* GetPrintGrid)(RawObject* self);
    void(TKV_STDCALL* BillPrint)(RawObject* self);
    void(TKV_STDCALL* AddPrintInfo)(RawObject* self, AnsiChars name, VARIANT* value);
    /*** IVNMainTrnas methods ***/
    void(TKV_STDCALL* AddPayInfo)(RawObject* self, AnsiChars name, double amount);
    void(TKV_STDCALL* AddPopMenu)(RawObject* self, AnsiChars caption, std::int32_t actionId);
    void(TKV_STDCALL* ClearData)(RawObject* self);
    void(TKV_STDCALL* DeleteRow)(RawObject* self, std::int32_t row);
    std::int32_t(TKV_STDCALL* GetBillStatus)(RawObject* self);
    double(TKV_STDCALL* GetTotal)(RawObject* self);
    Bool8(TKV_STDCALL* SaveAndAudit)(RawObject* self);
    Bool8(TKV_STDCALL* SaveDraft)(RawObject* self);
    std::int32_t(TKV_STDCALL* BillType)(RawObject* self);
    /*** IVNMainBillTransRetail methods ***/
    void(TKV_STDCALL* GetBillCode)(AnsiChars* result, RawObject* self);
    void*(TKV_STDCALL* BandGrid)(RawObject* self);
    void(TKV_STDCALL* GetIndexData)(VARIANT* result, RawObject* self);
    void(TKV_STDCALL* GetDetailData)(VARIANT* result, RawObject* self);
    Bool8(TKV_STDCALL* ShowAcctount)(RawObject* self, VARIANT* account);
    std::int32_t(TKV_STDCALL* GetBillID)(RawObject* self);
};

struct RawTransinfo {
    const RawTransinfoVtbl* lpVtbl;
};

ComPtr<IVNMainBillTransRetail> WrapTransinfo(RawTransinfo* raw);

} // namespace tkv::abi
