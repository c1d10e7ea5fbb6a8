// The plug-in's two tables as the host declares them, slot by slot in the contract's order (written
// here independently of the library's own declarations, so that a slot out of place shows).
#pragma once

#include "abi/Boundary.h"

namespace abitest {

using tkv::abi::Bool8;
struct HostPlugInfo;
struct HostRetailPlugin;

struct HostPlugInfoVtbl {
    HRESULT(__stdcall* QueryInterface)(HostPlugInfo*, const GUID*, void**);
    ULONG(__stdcall* AddRef)(HostPlugInfo*);
    ULONG(__stdcall* Release)(HostPlugInfo*);
    void(__stdcall* GetKeyName)(BSTR*, HostPlugInfo*);
    std::int32_t(__stdcall* Reserved1)(HostPlugInfo*);
    void(__stdcall* GetPlugProcName)(BSTR*, HostPlugInfo*);
    void(__stdcall* GetPlugName)(BSTR*, HostPlugInfo*);
    std::uint8_t(__stdcall* GetPlugType)(HostPlugInfo*);
    void(__stdcall* GetPlugText)(BSTR*, HostPlugInfo*);
    void(__stdcall* GetPlugDate)(BSTR*, HostPlugInfo*);
    void(__stdcall* GetPlugVersion)(BSTR*, HostPlugInfo*);
    Bool8(__stdcall* GetPlugIsAuto)(HostPlugInfo*);
    std::uint8_t(__stdcall* PlugAutoRun)(HostPlugInfo*);
    Bool8(__stdcall* GetPlugIsConfig)(HostPlugInfo*);
    Bool8(__stdcall* PlugConfig)(HostPlugInfo*);
    std::uint8_t(__stdcall* Reserved2)(HostPlugInfo*);
    void(__stdcall* GetUpdateSQLFilePath)(BSTR*, HostPlugInfo*);
    Bool8(__stdcall* Reserved3)(HostPlugInfo*);
    void(__stdcall* PlunParentMenuInfo)(char**, HostPlugInfo*);
    void(__stdcall* PlunMenuInfo)(char**, HostPlugInfo*);
};
struct HostPlugInfo {
    const HostPlugInfoVtbl* lpVtbl;
};

struct HostRetailPluginVtbl {
    HRESULT(__stdcall* QueryInterface)(HostRetailPlugin*, const GUID*, void**);
    ULONG(__stdcall* AddRef)(HostRetailPlugin*);
    ULONG(__stdcall* Release)(HostRetailPlugin*);
    // IVNPlugin
    void(__stdcall* About)(HostRetailPlugin*);
    Bool8(__stdcall* CheckVersion)(HostRetailPlugin*, char* MainVer);
    void(__stdcall* DownURL)(char**, HostRetailPlugin*);
    void(__stdcall* ExecuteAction)(HostRetailPlugin*, std::int32_t);
    void(__stdcall* GetLastError)(char**, HostRetailPlugin*);
    std::int32_t(__stdcall* GetLastErrorID)(HostRetailPlugin*);
    void(__stdcall* InitPlugin)(HostRetailPlugin*, void* mainIntf);
    void(__stdcall* InitTransPlugin)(HostRetailPlugin*, void* transInfo);
    void(__stdcall* InitExistInterFace)(HostRetailPlugin*, void* existForm);
    void(__stdcall* InitReportInterFace)(HostRetailPlugin*, void* reportIntf);
    void(__stdcall* ClearPlugInfo)(HostRetailPlugin*);
    // IVNTransPlugin
    Bool8(__stdcall* BeforeSave)(HostRetailPlugin*, VARIANT*);
    Bool8(__stdcall* AfterSave)(HostRetailPlugin*, VARIANT*);
    Bool8(__stdcall* BeforePrint)(HostRetailPlugin*, VARIANT*, VARIANT*);
    Bool8(__stdcall* CheckData)(HostRetailPlugin*, VARIANT*);
    Bool8(__stdcall* CheckGridRow)(HostRetailPlugin*, std::int32_t, VARIANT*);
    void(__stdcall* IniGridFields)(HostRetailPlugin*, void* grid);
    // IRetailBillPlugin
    Bool8(__stdcall* BeforeVipCard)(HostRetailPlugin*, VARIANT*);
    Bool8(__stdcall* AfterVipCard)(HostRetailPlugin*, VARIANT*);
    Bool8(__stdcall* BeforePtyeInsert)(HostRetailPlugin*, VARIANT*);
    Bool8(__stdcall* AfterPtyeInsert)(HostRetailPlugin*, std::int32_t, VARIANT*);
    Bool8(__stdcall* BeforeAcct)(HostRetailPlugin*, VARIANT*);
    Bool8(__stdcall* AfterAcct)(HostRetailPlugin*, VARIANT*);
    // IRetailPlugin
    Bool8(__stdcall* GetSBCard)(HostRetailPlugin*, VARIANT*);
    void(__stdcall* ShowSBCard)(HostRetailPlugin*);
    Bool8(__stdcall* ClearCardInfo)(HostRetailPlugin*);
    Bool8(__stdcall* ssEvaluateBalance)(HostRetailPlugin*);
    Bool8(__stdcall* ssBalance)(HostRetailPlugin*);
    Bool8(__stdcall* ssClearEvaluateBalance)(HostRetailPlugin*);
    Bool8(__stdcall* ssClearCloseMulAccount)(HostRetailPlugin*);
    Bool8(__stdcall* CanelBalance)(HostRetailPlugin*);
    Bool8(__stdcall* CheckCanUseSS)(HostRetailPlugin*);
    Bool8(__stdcall* ssNeedEvaluateBalance)(HostRetailPlugin*);
    Bool8(__stdcall* IsNeedReadCard)(HostRetailPlugin*);
    Bool8(__stdcall* IsNeedPtypDZ)(HostRetailPlugin*);
    void(__stdcall* ssPtypeDz)(HostRetailPlugin*);
    void(__stdcall* ssPrintItems)(VARIANT*, HostRetailPlugin*);
    Bool8(__stdcall* IsNeedRetailBack)(HostRetailPlugin*);
    void(__stdcall* ssBalaInfo)(HostRetailPlugin*, VARIANT*);
    Bool8(__stdcall* ssInit)(HostRetailPlugin*);
    Bool8(__stdcall* ssFree)(HostRetailPlugin*);
    Bool8(__stdcall* ssConfig)(HostRetailPlugin*);
    void(__stdcall* GetConfigPostCode)(char**, HostRetailPlugin*);
};
struct HostRetailPlugin {
    const HostRetailPluginVtbl* lpVtbl;
};

} // namespace abitest
