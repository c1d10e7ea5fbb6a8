// The host's raw IVNMainintf table, slot by slot in table order after the three reference-counting
// slots. The argument forms of the methods that the plug-in calls are the host's; for the others
// they follow the same rules (String as 8-bit string, WideString for SQL text and the user name,
// OleVariant by pointer, open arrays as pointer plus highest index, controls and framework objects
// as plain pointers).
#pragma once

#include "Boundary.h"

namespace tkv::abi {

struct FrameworkPrintItemList;

struct RawMainintfVtbl {
    /*** IUnknown methods ***/
    QueryInterfaceFn QueryInterface;
    AddRefFn AddRef;
    ReleaseFn Release;
    /*** IVNMainintf methods ***/
    void(TKV_STDCALL* AddAction)(RawObject* self, std::int32_t actionId, AnsiChars caption);
    std::uintptr_t(TKV_STDCALL* AppHandle)(RawObject* self);
    std::int32_t(TKV_STDCALL* ExecuteProcByNameNames)(RawObject* self, AnsiChars procName, AnsiChars* names,
                                                      std::int32_t namesHigh, VARIANT* values,
                                                      std::int32_t valuesHigh, VARIANT* outParams);
    std::int32_t(TKV_STDCALL* ExecuteProcByNamePacket)(RawObject* self, AnsiChars procName, VARIANT* params,
                                                       VARIANT* outParams);
    Bool8(TKV_STDCALL* ExecuteSQLText)(RawObject* self, BSTR sql);
    Bool8(TKV_STDCALL* ExecuteSQLConsts)(RawObject* self, BSTR sql, VARIANT* consts, std::int32_t constsHigh);
    void(TKV_STDCALL* GetSettingControlNames)(AnsiChars* result, RawObject* self, AnsiChars formName);
    Bool8(TKV_STDCALL* HasLimitNo)(RawObject* self, std::int32_t limitNo);
    Bool8(TKV_STDCALL* HasLimitName)(RawObject* self, AnsiChars limitName);
    void(TKV_STDCALL* LastError)(AnsiChars* result, RawObject* self);
    void(TKV_STDCALL* LockScreen)(RawObject* self, Bool8 lock);
    void(TKV_STDCALL* LoginUserID)(AnsiChars* result, RawObject* self);
    void(TKV_STDCALL* LoginUserName)(BSTR* result, RawObject* self);
    std::int32_t(TKV_STDCALL* LoginUserREC)(RawObject* self);
    std::int32_t(TKV_STDCALL* LoginPublicPosID)(RawObject* self);
    std::int32_t(TKV_STDCALL* MessageBox)(RawObject* self, AnsiChars text, AnsiChars caption,
                                          std::uint32_t flags);
    std::int32_t(TKV_STDCALL* OpenProcByNameOutputs)(RawObject* self, AnsiChars procName, AnsiChars* names,
                                                     std::int32_t namesHigh, VARIANT* values,
                                                     std::int32_t valuesHigh, VARIANT* resultSet,
                                                     VARIANT* outParams);
    std::int32_t(TKV_STDCALL* OpenProcByNameNames)(RawObject* self, AnsiChars procName, AnsiChars* names,
                                                   std::int32_t namesHigh, VARIANT* values,
                                                   std::int32_t valuesHigh, VARIANT* resultSet);
    std::int32_t(TKV_STDCALL* OpenProcByNamePacket)(RawObject* self, AnsiChars procName, VARIANT* params,
                                                    VARIANT* resultSet);
    std::int32_t(TKV_STDCALL* OpenProcByNamePacketOutputs)(RawObject* self, AnsiChars procName,
                                                           VARIANT* params, VARIANT* resultSet,
                                                           VARIANT* outParams);
    Bool8(TKV_STDCALL* OpenSQL)(RawObject* self, BSTR sql, VARIANT* consts, std::int32_t constsHigh,
                                VARIANT* resultSet);
    Bool8(TKV_STDCALL* OpenSql)(RawObject* self, BSTR sql, VARIANT* resultSet);
    Bool8(TKV_STDCALL* Question)(RawObject* self, AnsiChars msg, AnsiChars title);
    void(TKV_STDCALL* RefIniPublicVar)(RawObject* self);
    void(TKV_STDCALL* RefMainCaption)(RawObject* self);
    void(TKV_STDCALL* RunPrintManageData)(RawObject* self, AnsiChars templateName,
                                          FrameworkPrintItemList* items, VARIANT* data, Bool8 preview);
    void(TKV_STDCALL* RunPrintManageDatas)(RawObject* self, AnsiChars templateName,
                                           FrameworkPrintItemList* items, VARIANT* datas,
                                           std::int32_t datasHigh, Bool8 preview);
    void(TKV_STDCALL* RunPrintManageItems)(RawObject* self, AnsiChars templateName,
                                           FrameworkPrintItemList* items, Bool8 preview);
    Bool8(TKV_STDCALL* SelectBaseic)(RawObject* self, std::uint8_t basicType, AnsiChars searchText,
                                     VARIANT* selected);
    void(TKV_STDCALL* SetSettingControlNames)(RawObject* self, AnsiChars formName, AnsiChars names);
    void(TKV_STDCALL* SetSubValue)(RawObject* self, AnsiChars name, VARIANT* value);
    void(TKV_STDCALL* SetSysSettingControl)(RawObject* self, void* control);
    void(TKV_STDCALL* SysCfgValue)(VARIANT* result, RawObject* self, AnsiChars name);
    void(TKV_STDCALL* ViewBill)(RawObject* self, std::int32_t billType, std::int32_t billId,
                                std::int32_t userRec, Bool8 readOnly);
    void(TKV_STDCALL* ShowMsg)(RawObject* self, AnsiChars msg, AnsiChars title);
    void(TKV_STDCALL* ShowError)(RawObject* self, AnsiChars msg, AnsiChars title);
    Bool8(TKV_STDCALL* YesOrNo)(RawObject* self, AnsiChars msg, AnsiChars title);
    void(TKV_STDCALL* InitGLabelBtnEdit)(RawObject* self, void* control);
    void(TKV_STDCALL* InitGLabelComBox)(RawObject* self, void* control);
    void(TKV_STDCALL* InitVchGridClass)(RawObject* self, void* control);
    void(TKV_STDCALL* InitBandGrid)(RawObject* self, void* control);
    void(TKV_STDCALL* InitGBitbtn)(RawObject* self, void* control);
    void(TKV_STDCALL* InitxwPanel)(RawObject* self, void* control);
    void(TKV_STDCALL* InitLabelEdit)(RawObject* self, void* control);
    Bool8(TKV_STDCALL* UpdataSQLFromFile)(RawObject* self, AnsiChars fileName);
    void(TKV_STDCALL* GetBasicLocalValue)(BSTR* result, RawObject* self, std::uint32_t field,
                                          AnsiChars typeId);
    void(TKV_STDCALL* OpenYBRetail)(RawObject* self);
    void(TKV_STDCALL* OpenYBRetailBack)(RawObject* self);
    void(TKV_STDCALL* OpenCanleRetail)(RawObject* self);
    Bool8(TKV_STDCALL* SelectBilltypeList)(RawObject* self, VARIANT* selected);
    void(TKV_STDCALL* GetBillTypeList)(VARIANT* result, RawObject* self);
    Bool8(TKV_STDCALL* SaveImage)(RawObject* self, VARIANT* jpeg, std::int32_t* ordinal, AnsiChars* fileName);
    void(TKV_STDCALL* DeleteImage)(RawObject* self, std::int32_t ordinal, AnsiChars fileName);
    void(TKV_STDCALL* GetImage)(RawObject* self, VARIANT* picture, std::int32_t ordinal, AnsiChars fileName);
};

struct RawMainintf {
    const RawMainintfVtbl* lpVtbl;
};

} // namespace tkv::abi
