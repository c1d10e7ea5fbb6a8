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
    RegisterFn<void*, RawObject*> GetBasicFieldConfigClass1;
    RegisterFn<void*, RawObject*> GetGBasicDataLocalClass1;
    RegisterFn<void*, RawObject*> GetBasicRecordAll_C1;
    RegisterFn<void*, RawObject*> GetxwConfigFile1;
    RegisterFn<void*, RawObject*> GetGGridFieldConfigClass1;
    RegisterFn<void*, RawObject*> GetSelectCostModeClass3;
    RegisterFn<void*, RawObject*> GetSelectVchtypeClass1;
    RegisterFn<void*, RawObject*> GetLimitData1;
    RegisterFn<void*, RawObject*> GetXwImageManClass1;
    RegisterFn<void*, RawObject*> GetXwColorManiData1;
    RegisterFn<void*, RawObject*> GetVchCalcClass1;
    RegisterFn<void*, RawObject*> GetFavoriteStockHandler1;
    RegisterFn<void*, RawObject*> GetXwSelfBasicTypeAccess1;
    RegisterFn<void*, RawObject*> GetXwLayoutAccess1;
    RegisterFn<void*, RawObject*> GetxwMenuDBHelpher1;
    RegisterFn<void*, RawObject*> GetxwFuncHandler1;
    RegisterFn<void*, RawObject*> GetxwFuncRelateHandler1;
    RegisterFn<void*, RawObject*> GetXwMsgAccess1;
    RegisterFn<void*, RawObject*> GetxwGridToolsPanelHelper1;
    RegisterFn<void*, RawObject*> GetxwAssitDataHelper1;
    RegisterFn<void*, RawObject*> GetXwLogLoad;
    RegisterFn<void*, RawObject*> GetXwLogAdd;
    RegisterFn<void*, RawObject*> GetFDateDBHelper;
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
    RegisterFn<void, RawObject*, AnsiChars> OpenssReport;
    RegisterFn<void, RawObject*, AnsiChars, std::int32_t> AddIntParam;
    // The floating-point value goes on the stack, removed by the callee.
    RegisterFn<void, RawObject*, AnsiChars, double> AddFloatParam;
    RegisterFn<void, RawObject*, AnsiChars, AnsiChars> AddStringParam;
};

struct RawReportIntf {
    const RawReportIntfVtbl* lpVtbl;
};

ComPtr<IExistForm> WrapExistForm(RawExistForm* raw);
ComPtr<IssReportIntf> WrapReportIntf(RawReportIntf* raw);

} // namespace tkv::abi
