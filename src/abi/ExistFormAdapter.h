// The host's framework-object interface (IExistForm) and report interface (IssReportIntf) tables,
// presented to the core. Their own methods use the host framework's register convention; the three
// reference-counting slots are stdcall like every interface's.
#pragma once

#include "../Interface/IExistForm.h"
#include "Boundary.h"

namespace tkv::abi {

struct RawExistFormVtbl {
    /*** IUnknown methods ***/
    QueryInterfaceFn QueryInterface;
    AddRefFn AddRef;
    ReleaseFn Release;
    /*** IExistForm methods ***/
    void*(TKV_REGISTER* GetBasicFieldConfigClass1)(RawObject* self);
    void*(TKV_REGISTER* GetGBasicDataLocalClass1)(RawObject* self);
    void*(TKV_REGISTER* GetBasicRecordAll_C1)(RawObject* self);
    void*(TKV_REGISTER* GetxwConfigFile1)(RawObject* self);
    void*(TKV_REGISTER* GetGGridFieldConfigClass1)(RawObject* self);
    void*(TKV_REGISTER* GetSelectCostModeClass3)(RawObject* self);
    void*(TKV_REGISTER* GetSelectVchtypeClass1)(RawObject* self);
    void*(TKV_REGISTER* GetLimitData1)(RawObject* self);
    void*(TKV_REGISTER* GetXwImageManClass1)(RawObject* self);
    void*(TKV_REGISTER* GetXwColorManiData1)(RawObject* self);
    void*(TKV_REGISTER* GetVchCalcClass1)(RawObject* self);
    void*(TKV_REGISTER* GetFavoriteStockHandler1)(RawObject* self);
    void*(TKV_REGISTER* GetXwSelfBasicTypeAccess1)(RawObject* self);
    void*(TKV_REGISTER* GetXwLayoutAccess1)(RawObject* self);
    void*(TKV_REGISTER* GetxwMenuDBHelpher1)(RawObject* self);
    void*(TKV_REGISTER* GetxwFuncHandler1)(RawObject* self);
    void*(TKV_REGISTER* GetxwFuncRelateHandler1)(RawObject* self);
    void*(TKV_REGISTER* GetXwMsgAccess1)(RawObject* self);
    void*(TKV_REGISTER* GetxwGridToolsPanelHelper1)(RawObject* self);
    void*(TKV_REGISTER* GetxwAssitDataHelper1)(RawObject* self);
    void*(TKV_REGISTER* GetXwLogLoad)(RawObject* self);
    void*(TKV_REGISTER* GetXwLogAdd)(RawObject* self);
    void*(TKV_REGISTER* GetFDateDBHelper)(RawObject* self);
};

struct RawExistForm {
    const RawExistFormVtbl* lpVtbl;
};

struct RawReportIntfVtbl {
    /*** IUnknown methods ***/
    QueryInterfaceFn QueryInterface;
    AddRefFn AddRef;
    ReleaseFn Release;
    /*** IssReportIntf methods ***/
    void(TKV_REGISTER* OpenssReport)(RawObject* self, AnsiChars reportName);
    void(TKV_REGISTER* AddIntParam)(RawObject* self, AnsiChars name, std::int32_t value);
    // The floating-point value goes on the stack, removed by the callee.
    void(TKV_REGISTER* AddFloatParam)(RawObject* self, AnsiChars name, double value);
    void(TKV_REGISTER* AddStringParam)(RawObject* self, AnsiChars name, AnsiChars value);
};

struct RawReportIntf {
    const RawReportIntfVtbl* lpVtbl;
};

ComPtr<IExistForm> WrapExistForm(RawExistForm* raw);
ComPtr<IssReportIntf> WrapReportIntf(RawReportIntf* raw);

} // namespace tkv::abi
