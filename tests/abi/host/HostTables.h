// The host's own tables as the host declares them, slot by slot in the contract's order, written
// here independently of the library's declarations: the fake host implements these, so that a slot
// the library declares out of place, with other arguments or with another convention shows in the
// tests instead of being mirrored. Interface methods are stdcall; IExistForm and IssReportIntf use
// the framework's register convention, which the fake host implements in assembly on i686
// (RegisterEntries.h).
#pragma once

#include "abi/Boundary.h"

// The framework's register convention for calls the fake host makes itself, all with at most
// three ordinal arguments (so that no stack argument's order comes into it).
#if defined(__i386__)
#define FRAMEWORK_REGISTER __attribute__((regparm(3), stdcall))
#else
#define FRAMEWORK_REGISTER
#endif

namespace abitest {

using tkv::abi::Bool8;
using Ansi = char*;

// Framework print item list as the host reads it in place.
struct HostPointerList {
    const void* vmt;
    void** items;
    std::int32_t count;
    std::int32_t capacity;
};
struct HostPrintItem {
    Ansi Name;
    VARIANT Value;
    std::uint8_t DataType;
};
struct HostPrintItemList {
    const void* vmt;
    HostPointerList* list;
    Bool8 printOnlyOnce;
};
// Virtual methods, from the address the object's first field holds: the pointer list's Grow
// (slot 0) and Notify (slot 1: item, action); the print item list's Clear (slot 0) and
// AddDefaultItems (slot 1).
using FrameworkMethod = void(FRAMEWORK_REGISTER*)(void* self);
using ListNotify = void(FRAMEWORK_REGISTER*)(void* self, void* item, std::int32_t action);

struct HostMainVtbl {
    HRESULT(__stdcall* QueryInterface)(void*, const GUID*, void**);
    ULONG(__stdcall* AddRef)(void*);
    ULONG(__stdcall* Release)(void*);
    void(__stdcall* AddAction)(void*, std::int32_t, Ansi);
    std::uintptr_t(__stdcall* AppHandle)(void*);
    std::int32_t(__stdcall* ExecuteProcByNameNames)(void*, Ansi, Ansi*, std::int32_t, VARIANT*, std::int32_t,
                                                    VARIANT*);
    std::int32_t(__stdcall* ExecuteProcByNamePacket)(void*, Ansi, VARIANT*, VARIANT*);
    Bool8(__stdcall* ExecuteSQLText)(void*, BSTR);
    Bool8(__stdcall* ExecuteSQLConsts)(void*, BSTR, VARIANT*, std::int32_t);
    void(__stdcall* GetSettingControlNames)(Ansi*, void*, Ansi);
    Bool8(__stdcall* HasLimitNo)(void*, std::int32_t);
    Bool8(__stdcall* HasLimitName)(void*, Ansi);
    void(__stdcall* LastError)(Ansi*, void*);
    void(__stdcall* LockScreen)(void*, Bool8);
    void(__stdcall* LoginUserID)(Ansi*, void*);
    void(__stdcall* LoginUserName)(BSTR*, void*);
    std::int32_t(__stdcall* LoginUserREC)(void*);
    std::int32_t(__stdcall* LoginPublicPosID)(void*);
    std::int32_t(__stdcall* MessageBox)(void*, Ansi, Ansi, std::uint32_t);
    std::int32_t(__stdcall* OpenProcByNameOutputs)(void*, Ansi, Ansi*, std::int32_t, VARIANT*, std::int32_t,
                                                   VARIANT*, VARIANT*);
    std::int32_t(__stdcall* OpenProcByNameNames)(void*, Ansi, Ansi*, std::int32_t, VARIANT*, std::int32_t,
                                                 VARIANT*);
    std::int32_t(__stdcall* OpenProcByNamePacket)(void*, Ansi, VARIANT*, VARIANT*);
    std::int32_t(__stdcall* OpenProcByNamePacketOutputs)(void*, Ansi, VARIANT*, VARIANT*, VARIANT*);
    Bool8(__stdcall* OpenSQL)(void*, BSTR, VARIANT*, std::int32_t, VARIANT*);
    Bool8(__stdcall* OpenSql)(void*, BSTR, VARIANT*);
    Bool8(__stdcall* Question)(void*, Ansi, Ansi);
    void(__stdcall* RefIniPublicVar)(void*);
    void(__stdcall* RefMainCaption)(void*);
    void(__stdcall* RunPrintManageData)(void*, Ansi, HostPrintItemList*, VARIANT*, Bool8);
    void(__stdcall* RunPrintManageDatas)(void*, Ansi, HostPrintItemList*, VARIANT*, std::int32_t, Bool8);
    void(__stdcall* RunPrintManageItems)(void*, Ansi, HostPrintItemList*, Bool8);
    Bool8(__stdcall* SelectBaseic)(void*, std::uint8_t, Ansi, VARIANT*);
    void(__stdcall* SetSettingControlNames)(void*, Ansi, Ansi);
    void(__stdcall* SetSubValue)(void*, Ansi, VARIANT*);
    void(__stdcall* SetSysSettingControl)(void*, void*);
    void(__stdcall* SysCfgValue)(VARIANT*, void*, Ansi);
    void(__stdcall* ViewBill)(void*, std::int32_t, std::int32_t, std::int32_t, Bool8);
    void(__stdcall* ShowMsg)(void*, Ansi, Ansi);
    void(__stdcall* ShowError)(void*, Ansi, Ansi);
    Bool8(__stdcall* YesOrNo)(void*, Ansi, Ansi);
    void(__stdcall* InitGLabelBtnEdit)(void*, void*);
    void(__stdcall* InitGLabelComBox)(void*, void*);
    void(__stdcall* InitVchGridClass)(void*, void*);
    void(__stdcall* InitBandGrid)(void*, void*);
    void(__stdcall* InitGBitbtn)(void*, void*);
    void(__stdcall* InitxwPanel)(void*, void*);
    void(__stdcall* InitLabelEdit)(void*, void*);
    Bool8(__stdcall* UpdataSQLFromFile)(void*, Ansi);
    void(__stdcall* GetBasicLocalValue)(BSTR*, void*, std::uint32_t, Ansi);
    void(__stdcall* OpenYBRetail)(void*);
    void(__stdcall* OpenYBRetailBack)(void*);
    void(__stdcall* OpenCanleRetail)(void*);
    Bool8(__stdcall* SelectBilltypeList)(void*, VARIANT*);
    void(__stdcall* GetBillTypeList)(VARIANT*, void*);
    Bool8(__stdcall* SaveImage)(void*, VARIANT*, std::int32_t*, Ansi*);
    void(__stdcall* DeleteImage)(void*, std::int32_t, Ansi);
    void(__stdcall* GetImage)(void*, VARIANT*, std::int32_t, Ansi);
};

// IVNMainTransinfo, IVNMainTrnas and IVNMainBillTransRetail in one table.
struct HostBillVtbl {
    HRESULT(__stdcall* QueryInterface)(void*, const GUID*, void**);
    ULONG(__stdcall* AddRef)(void*);
    ULONG(__stdcall* Release)(void*);
    void*(__stdcall* GetPrintGrid)(void*);
    void(__stdcall* BillPrint)(void*);
    void(__stdcall* AddPrintInfo)(void*, Ansi, VARIANT*);
    void(__stdcall* AddPayInfo)(void*, Ansi, double);
    void(__stdcall* AddPopMenu)(void*, Ansi, std::int32_t);
    void(__stdcall* ClearData)(void*);
    void(__stdcall* DeleteRow)(void*, std::int32_t);
    std::int32_t(__stdcall* GetBillStatus)(void*);
    double(__stdcall* GetTotal)(void*);
    Bool8(__stdcall* SaveAndAudit)(void*);
    Bool8(__stdcall* SaveDraft)(void*);
    std::int32_t(__stdcall* BillType)(void*);
    void(__stdcall* GetBillCode)(Ansi*, void*);
    void*(__stdcall* BandGrid)(void*);
    void(__stdcall* GetIndexData)(VARIANT*, void*);
    void(__stdcall* GetDetailData)(VARIANT*, void*);
    Bool8(__stdcall* ShowAcctount)(void*, VARIANT*);
    std::int32_t(__stdcall* GetBillID)(void*);
};

// The register-convention tables: after the three stdcall reference-counting slots, entry points
// that take the object in EAX (and further arguments as RegisterEntries.h lays them out).
constexpr int kExistFormGetters = 23;
struct HostExistFormVtbl {
    HRESULT(__stdcall* QueryInterface)(void*, const GUID*, void**);
    ULONG(__stdcall* AddRef)(void*);
    ULONG(__stdcall* Release)(void*);
    const void* Getters[kExistFormGetters];
};

struct HostReportVtbl {
    HRESULT(__stdcall* QueryInterface)(void*, const GUID*, void**);
    ULONG(__stdcall* AddRef)(void*);
    ULONG(__stdcall* Release)(void*);
    const void* OpenssReport;   // (Self, ReportName: String)
    const void* AddIntParam;    // (Self, Name: String, Value: Integer)
    const void* AddFloatParam;  // (Self, Name: String, Value: Double)
    const void* AddStringParam; // (Self, Name, Value: String)
};

// The control table the plug-in hands over for preparation.
struct HostControlVtbl {
    HRESULT(__stdcall* QueryInterface)(void*, const GUID*, void**);
    ULONG(__stdcall* AddRef)(void*);
    ULONG(__stdcall* Release)(void*);
    std::uint8_t(__stdcall* Kind)(void*);
    void(__stdcall* ClassName)(Ansi*, void*);
    void(__stdcall* Name)(Ansi*, void*);
    std::uint8_t(__stdcall* BasicType)(void*);
};

} // namespace abitest
