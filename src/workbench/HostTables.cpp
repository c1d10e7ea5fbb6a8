// The host's raw tables, slot by slot, and the control and handler tables of the preparation.
#include "HostTables.h"

#include "Interface/HostControlValues.h"
#include "abi/AnsiString.h"
#include "abi/HostAdapter.h"
#include "abi/HostControlTable.h"
#include "abi/RawUnknown.h"
#include "abi/VariantMarshal.h"
#include "abi/WideString.h"

#include <array>

namespace tkv::workbench {

using namespace abi;

namespace {

StringArray AnsiTexts(AnsiChars* items, std::int32_t high) {
    StringArray out;
    for (std::int32_t i = 0; i <= high; ++i)
        out.push_back(FromAnsi(items[i]));
    return out;
}

VariantArray VariantValues(VARIANT* items, std::int32_t high) {
    VariantArray out;
    for (std::int32_t i = 0; i <= high; ++i)
        out.push_back(FromVariant(&items[i]));
    return out;
}

// --- The host's record selection and lookup, as tables a control keeps ---

struct SelectHandler {
    RawObject RawObject_iface;
    LONG ref;
    ComPtr<IRecordSelectHandler> core;
    TErrorDisplay showError;
};
using SelectUnknown = RawUnknown<RawObject, SelectHandler, IID_IUnknown>;

std::int32_t TKV_STDCALL SelectHandler_SelectRecords(RawObject* iface, std::uint8_t basicType,
                                                     std::uint8_t mode, AnsiChars searchText,
                                                     std::uint32_t sourceField, Bool8 optInsert,
                                                     Bool8 optRemember, VARIANT* records) {
    SelectHandler* This = SelectUnknown::From(iface);
    return Hosted(
        This->showError,
        [&] {
            TSelectRequest request;
            request.BasicType = static_cast<TBasicType>(basicType);
            request.Mode = static_cast<TSelectMode>(mode);
            request.SearchText = FromAnsi(searchText);
            request.SourceField = static_cast<TFieldsList>(sourceField);
            request.OptInsert = optInsert != 0;
            request.OptRemember = optRemember != 0;
            const TSelectResult result = This->core->SelectRecords(request);
            AssignVariant(records, RecordsToVariant(result.Records));
            return static_cast<std::int32_t>(result.Count);
        },
        std::int32_t{0});
}

const RawRecordSelectHandlerVtbl SelectHandler_Vtbl = {
    /*** IUnknown methods ***/
    SelectUnknown::QueryInterface,
    SelectUnknown::AddRef,
    SelectUnknown::Release,
    /*** IRecordSelectHandler methods ***/
    SelectHandler_SelectRecords,
};

struct BasicLookup {
    RawObject RawObject_iface;
    LONG ref;
    ComPtr<IBasicDataLookup> core;
    TErrorDisplay showError;
};
using LookupUnknown = RawUnknown<RawObject, BasicLookup, IID_IUnknown>;

Bool8 TKV_STDCALL BasicLookup_FindByRec(RawObject* iface, std::uint8_t basicType, std::int32_t rec,
                                        VARIANT* record) {
    BasicLookup* This = LookupUnknown::From(iface);
    return Hosted(
        This->showError,
        [&] {
            TBasicRecord found;
            if (!This->core->FindByRec(static_cast<TBasicType>(basicType), rec, found))
                return Bool8{0};
            AssignVariant(record, RecordToVariant(found));
            return Bool8{1};
        },
        Bool8{0});
}

Bool8 TKV_STDCALL BasicLookup_FieldValue(RawObject* iface, std::uint32_t field, std::int32_t rec,
                                         BSTR* value) {
    BasicLookup* This = LookupUnknown::From(iface);
    return Hosted(
        This->showError,
        [&] {
            std::string text;
            if (!This->core->FieldValue(static_cast<TFieldsList>(field), rec, text))
                return Bool8{0};
            BstrAssign(value, text);
            return Bool8{1};
        },
        Bool8{0});
}

const RawBasicDataLookupVtbl BasicLookup_Vtbl = {
    /*** IUnknown methods ***/
    LookupUnknown::QueryInterface,
    LookupUnknown::AddRef,
    LookupUnknown::Release,
    /*** IBasicDataLookup methods ***/
    BasicLookup_FindByRec,
    BasicLookup_FieldValue,
};

// --- The plug-in's control table, as the core's control ---

class ControlAdapter final : public TInterfacedObject<IHostControl> {
public:
    ControlAdapter(RawObject* raw, TErrorDisplay showError)
        : plugin_(raw), showError_(std::move(showError)) {}
    std::int32_t QueryInterface(const TGUID&, void** obj) override {
        *obj = nullptr;
        return E_NOINTERFACE;
    }
    THostControlKind Kind() override { return static_cast<THostControlKind>(V()->Kind(plugin_.Object())); }
    std::string ClassName() override {
        AnsiSlot r;
        V()->ClassName(r.Out(), plugin_.Object());
        return r.Utf8();
    }
    std::string Name() override {
        AnsiSlot r;
        V()->Name(r.Out(), plugin_.Object());
        return r.Utf8();
    }
    TBasicType BasicType() override { return static_cast<TBasicType>(V()->BasicType(plugin_.Object())); }
    void SetSelectHandler(IRecordSelectHandler* handler) override {
        auto* table = new SelectHandler{{reinterpret_cast<const void* const*>(&SelectHandler_Vtbl)},
                                        1,
                                        ComPtr<IRecordSelectHandler>(handler),
                                        showError_};
        V()->SetSelectHandler(plugin_.Object(), &table->RawObject_iface);
        SelectUnknown::Release(&table->RawObject_iface);
    }
    void SetBasicLookup(IBasicDataLookup* lookup) override {
        auto* table = new BasicLookup{{reinterpret_cast<const void* const*>(&BasicLookup_Vtbl)},
                                      1,
                                      ComPtr<IBasicDataLookup>(lookup),
                                      showError_};
        V()->SetBasicLookup(plugin_.Object(), &table->RawObject_iface);
        LookupUnknown::Release(&table->RawObject_iface);
    }

private:
    const RawHostControlVtbl* V() const {
        return reinterpret_cast<const RawHostControlVtbl*>(plugin_.Vtbl());
    }
    HostReference<RawObject> plugin_;
    TErrorDisplay showError_;
};

// --- IVNMainintf ---

struct Mainintf {
    RawMainintf RawMainintf_iface;
    LONG ref;
    ComPtr<IVNMainintf> core;
    TErrorDisplay showError;
};
using MainUnknown = RawUnknown<RawMainintf, Mainintf, IID_IVNMainintf>;

Mainintf* M(RawObject* self) {
    return MainUnknown::From(reinterpret_cast<RawMainintf*>(self));
}
IVNMainintf& C(RawObject* self) {
    return *M(self)->core.Get();
}
template <class F, class R> R Slot(RawObject* self, F&& body, R failure) {
    return Hosted(M(self)->showError, std::forward<F>(body), failure);
}
template <class F> void Slot(RawObject* self, F&& body) {
    Hosted(M(self)->showError, std::forward<F>(body));
}
ComPtr<IHostControl> Control(RawObject* self, void* control) {
    if (!control)
        return nullptr;
    return ComPtr<IHostControl>(new ControlAdapter(static_cast<RawObject*>(control), M(self)->showError));
}

void TKV_STDCALL Main_AddAction(RawObject* self, std::int32_t actionId, AnsiChars caption) {
    Slot(self, [&] { C(self).AddAction(actionId, FromAnsi(caption)); });
}
std::uintptr_t TKV_STDCALL Main_AppHandle(RawObject* self) {
    return Slot(
        self, [&] { return C(self).AppHandle(); }, std::uintptr_t{0});
}
std::int32_t TKV_STDCALL Main_ExecuteProcByNameNames(RawObject* self, AnsiChars procName, AnsiChars* names,
                                                     std::int32_t namesHigh, VARIANT* values,
                                                     std::int32_t valuesHigh, VARIANT* outParams) {
    return Slot(
        self,
        [&] {
            OleVariant out;
            const std::int32_t r = C(self).ExecuteProcByName(FromAnsi(procName), AnsiTexts(names, namesHigh),
                                                             VariantValues(values, valuesHigh), out);
            AssignVariant(outParams, out);
            return r;
        },
        std::int32_t{-1});
}
std::int32_t TKV_STDCALL Main_ExecuteProcByNamePacket(RawObject* self, AnsiChars procName, VARIANT* params,
                                                      VARIANT* outParams) {
    return Slot(
        self,
        [&] {
            OleVariant out;
            const std::int32_t r = C(self).ExecuteProcByName(FromAnsi(procName), FromVariant(params), out);
            AssignVariant(outParams, out);
            return r;
        },
        std::int32_t{-1});
}
Bool8 TKV_STDCALL Main_ExecuteSQLText(RawObject* self, BSTR sql) {
    return Slot(
        self, [&] { return ToBool8(C(self).ExecuteSQL(FromBstr(sql))); }, Bool8{0});
}
Bool8 TKV_STDCALL Main_ExecuteSQLConsts(RawObject* self, BSTR sql, VARIANT* consts, std::int32_t constsHigh) {
    return Slot(
        self, [&] { return ToBool8(C(self).ExecuteSQL(FromBstr(sql), VariantValues(consts, constsHigh))); },
        Bool8{0});
}
void TKV_STDCALL Main_GetSettingControlNames(AnsiChars* result, RawObject* self, AnsiChars formName) {
    Slot(self, [&] { AnsiAssignUtf8(result, C(self).GetSettingControlNames(FromAnsi(formName))); });
}
Bool8 TKV_STDCALL Main_HasLimitNo(RawObject* self, std::int32_t limitNo) {
    return Slot(
        self, [&] { return ToBool8(C(self).HasLimit(limitNo)); }, Bool8{0});
}
Bool8 TKV_STDCALL Main_HasLimitName(RawObject* self, AnsiChars limitName) {
    return Slot(
        self, [&] { return ToBool8(C(self).HasLimit(FromAnsi(limitName))); }, Bool8{0});
}
void TKV_STDCALL Main_LastError(AnsiChars* result, RawObject* self) {
    Slot(self, [&] { AnsiAssignUtf8(result, C(self).LastError()); });
}
void TKV_STDCALL Main_LockScreen(RawObject* self, Bool8 lock) {
    Slot(self, [&] { C(self).LockScreen(lock != 0); });
}
void TKV_STDCALL Main_LoginUserID(AnsiChars* result, RawObject* self) {
    Slot(self, [&] { AnsiAssignUtf8(result, C(self).LoginUserID()); });
}
void TKV_STDCALL Main_LoginUserName(BSTR* result, RawObject* self) {
    Slot(self, [&] { BstrAssign(result, C(self).LoginUserName()); });
}
std::int32_t TKV_STDCALL Main_LoginUserREC(RawObject* self) {
    return Slot(
        self, [&] { return C(self).LoginUserREC(); }, std::int32_t{0});
}
std::int32_t TKV_STDCALL Main_LoginPublicPosID(RawObject* self) {
    return Slot(
        self, [&] { return C(self).LoginPublicPosID(); }, std::int32_t{0});
}
std::int32_t TKV_STDCALL Main_MessageBox(RawObject* self, AnsiChars text, AnsiChars caption,
                                         std::uint32_t flags) {
    return Slot(
        self, [&] { return C(self).MessageBox(FromAnsi(text), FromAnsi(caption), flags); }, std::int32_t{0});
}
std::int32_t TKV_STDCALL Main_OpenProcByNameOutputs(RawObject* self, AnsiChars procName, AnsiChars* names,
                                                    std::int32_t namesHigh, VARIANT* values,
                                                    std::int32_t valuesHigh, VARIANT* resultSet,
                                                    VARIANT* outParams) {
    return Slot(
        self,
        [&] {
            OleVariant rs, out;
            const std::int32_t r = C(self).OpenProcByName(FromAnsi(procName), AnsiTexts(names, namesHigh),
                                                          VariantValues(values, valuesHigh), rs, out);
            AssignVariant(resultSet, rs);
            AssignVariant(outParams, out);
            return r;
        },
        std::int32_t{-1});
}
std::int32_t TKV_STDCALL Main_OpenProcByNameNames(RawObject* self, AnsiChars procName, AnsiChars* names,
                                                  std::int32_t namesHigh, VARIANT* values,
                                                  std::int32_t valuesHigh, VARIANT* resultSet) {
    return Slot(
        self,
        [&] {
            OleVariant rs;
            const std::int32_t r = C(self).OpenProcByName(FromAnsi(procName), AnsiTexts(names, namesHigh),
                                                          VariantValues(values, valuesHigh), rs);
            AssignVariant(resultSet, rs);
            return r;
        },
        std::int32_t{-1});
}
std::int32_t TKV_STDCALL Main_OpenProcByNamePacket(RawObject* self, AnsiChars procName, VARIANT* params,
                                                   VARIANT* resultSet) {
    return Slot(
        self,
        [&] {
            OleVariant rs;
            const std::int32_t r = C(self).OpenProcByName(FromAnsi(procName), FromVariant(params), rs);
            AssignVariant(resultSet, rs);
            return r;
        },
        std::int32_t{-1});
}
std::int32_t TKV_STDCALL Main_OpenProcByNamePacketOutputs(RawObject* self, AnsiChars procName,
                                                          VARIANT* params, VARIANT* resultSet,
                                                          VARIANT* outParams) {
    return Slot(
        self,
        [&] {
            OleVariant rs, out;
            const std::int32_t r = C(self).OpenProcByName(FromAnsi(procName), FromVariant(params), rs, out);
            AssignVariant(resultSet, rs);
            AssignVariant(outParams, out);
            return r;
        },
        std::int32_t{-1});
}
Bool8 TKV_STDCALL Main_OpenSQL(RawObject* self, BSTR sql, VARIANT* consts, std::int32_t constsHigh,
                               VARIANT* resultSet) {
    return Slot(
        self,
        [&] {
            OleVariant rs;
            const bool r = C(self).OpenSQL(FromBstr(sql), VariantValues(consts, constsHigh), rs);
            AssignVariant(resultSet, rs);
            return ToBool8(r);
        },
        Bool8{0});
}
Bool8 TKV_STDCALL Main_OpenSql(RawObject* self, BSTR sql, VARIANT* resultSet) {
    return Slot(
        self,
        [&] {
            OleVariant rs;
            const bool r = C(self).OpenSql(FromBstr(sql), rs);
            AssignVariant(resultSet, rs);
            return ToBool8(r);
        },
        Bool8{0});
}
Bool8 TKV_STDCALL Main_Question(RawObject* self, AnsiChars msg, AnsiChars title) {
    return Slot(
        self, [&] { return ToBool8(C(self).Question(FromAnsi(msg), FromAnsi(title))); }, Bool8{0});
}
void TKV_STDCALL Main_RefIniPublicVar(RawObject* self) {
    Slot(self, [&] { C(self).RefIniPublicVar(); });
}
void TKV_STDCALL Main_RefMainCaption(RawObject* self) {
    Slot(self, [&] { C(self).RefMainCaption(); });
}
// The print item list is the host framework's object, read in place; the plug-in's windows hand
// over an empty one, so only the report and its data go to the reference host.
void TKV_STDCALL Main_RunPrintManageData(RawObject* self, AnsiChars templateName, FrameworkPrintItemList*,
                                         VARIANT* data, Bool8 preview) {
    Slot(self,
         [&] { C(self).RunPrintManage(FromAnsi(templateName), nullptr, FromVariant(data), preview != 0); });
}
void TKV_STDCALL Main_RunPrintManageDatas(RawObject* self, AnsiChars templateName, FrameworkPrintItemList*,
                                          VARIANT* datas, std::int32_t datasHigh, Bool8 preview) {
    Slot(self, [&] {
        C(self).RunPrintManage(FromAnsi(templateName), nullptr, VariantValues(datas, datasHigh),
                               preview != 0);
    });
}
void TKV_STDCALL Main_RunPrintManageItems(RawObject* self, AnsiChars templateName, FrameworkPrintItemList*,
                                          Bool8 preview) {
    Slot(self, [&] { C(self).RunPrintManage(FromAnsi(templateName), nullptr, preview != 0); });
}
Bool8 TKV_STDCALL Main_SelectBaseic(RawObject* self, std::uint8_t basicType, AnsiChars searchText,
                                    VARIANT* selected) {
    return Slot(
        self,
        [&] {
            OleVariant value = FromVariant(selected);
            const bool r =
                C(self).SelectBaseic(static_cast<TBasicType>(basicType), FromAnsi(searchText), value);
            AssignVariant(selected, value);
            return ToBool8(r);
        },
        Bool8{0});
}
void TKV_STDCALL Main_SetSettingControlNames(RawObject* self, AnsiChars formName, AnsiChars names) {
    Slot(self, [&] { C(self).SetSettingControlNames(FromAnsi(formName), FromAnsi(names)); });
}
void TKV_STDCALL Main_SetSubValue(RawObject* self, AnsiChars name, VARIANT* value) {
    Slot(self, [&] { C(self).SetSubValue(FromAnsi(name), FromVariant(value)); });
}
void TKV_STDCALL Main_SetSysSettingControl(RawObject* self, void* control) {
    Slot(self, [&] { C(self).SetSysSettingControl(Control(self, control).Get()); });
}
void TKV_STDCALL Main_SysCfgValue(VARIANT* result, RawObject* self, AnsiChars name) {
    Slot(self, [&] { AssignVariant(result, C(self).SysCfgValue(FromAnsi(name))); });
}
void TKV_STDCALL Main_ViewBill(RawObject* self, std::int32_t billType, std::int32_t billId,
                               std::int32_t userRec, Bool8 readOnly) {
    Slot(self, [&] { C(self).ViewBill(billType, billId, userRec, readOnly != 0); });
}
void TKV_STDCALL Main_ShowMsg(RawObject* self, AnsiChars msg, AnsiChars title) {
    Slot(self, [&] { C(self).ShowMsg(FromAnsi(msg), FromAnsi(title)); });
}
void TKV_STDCALL Main_ShowError(RawObject* self, AnsiChars msg, AnsiChars title) {
    Slot(self, [&] { C(self).ShowError(FromAnsi(msg), FromAnsi(title)); });
}
Bool8 TKV_STDCALL Main_YesOrNo(RawObject* self, AnsiChars msg, AnsiChars title) {
    return Slot(
        self, [&] { return ToBool8(C(self).YesOrNo(FromAnsi(msg), FromAnsi(title))); }, Bool8{0});
}
void TKV_STDCALL Main_InitGLabelBtnEdit(RawObject* self, void* control) {
    Slot(self, [&] { C(self).InitGLabelBtnEdit(Control(self, control).Get()); });
}
void TKV_STDCALL Main_InitGLabelComBox(RawObject* self, void* control) {
    Slot(self, [&] { C(self).InitGLabelComBox(Control(self, control).Get()); });
}
void TKV_STDCALL Main_InitVchGridClass(RawObject* self, void* control) {
    Slot(self, [&] { C(self).InitVchGridClass(Control(self, control).Get()); });
}
void TKV_STDCALL Main_InitBandGrid(RawObject* self, void* control) {
    Slot(self, [&] { C(self).InitBandGrid(Control(self, control).Get()); });
}
void TKV_STDCALL Main_InitGBitbtn(RawObject* self, void* control) {
    Slot(self, [&] { C(self).InitGBitbtn(Control(self, control).Get()); });
}
void TKV_STDCALL Main_InitxwPanel(RawObject* self, void* control) {
    Slot(self, [&] { C(self).InitxwPanel(Control(self, control).Get()); });
}
void TKV_STDCALL Main_InitLabelEdit(RawObject* self, void* control) {
    Slot(self, [&] { C(self).InitLabelEdit(Control(self, control).Get()); });
}
Bool8 TKV_STDCALL Main_UpdataSQLFromFile(RawObject* self, AnsiChars fileName) {
    return Slot(
        self, [&] { return ToBool8(C(self).UpdataSQLFromFile(FromAnsi(fileName))); }, Bool8{0});
}
void TKV_STDCALL Main_GetBasicLocalValue(BSTR* result, RawObject* self, std::uint32_t field,
                                         AnsiChars typeId) {
    Slot(self, [&] {
        BstrAssign(result, C(self).GetBasicLocalValue(static_cast<TFieldsList>(field), FromAnsi(typeId)));
    });
}
void TKV_STDCALL Main_OpenYBRetail(RawObject* self) {
    Slot(self, [&] { C(self).OpenYBRetail(); });
}
void TKV_STDCALL Main_OpenYBRetailBack(RawObject* self) {
    Slot(self, [&] { C(self).OpenYBRetailBack(); });
}
void TKV_STDCALL Main_OpenCanleRetail(RawObject* self) {
    Slot(self, [&] { C(self).OpenCanleRetail(); });
}
Bool8 TKV_STDCALL Main_SelectBilltypeList(RawObject* self, VARIANT* selected) {
    return Slot(
        self,
        [&] {
            OleVariant value = FromVariant(selected);
            const bool r = C(self).SelectBilltypeList(value);
            AssignVariant(selected, value);
            return ToBool8(r);
        },
        Bool8{0});
}
void TKV_STDCALL Main_GetBillTypeList(VARIANT* result, RawObject* self) {
    Slot(self, [&] { AssignVariant(result, C(self).GetBillTypeList()); });
}
Bool8 TKV_STDCALL Main_SaveImage(RawObject* self, VARIANT* jpeg, std::int32_t* ordinal, AnsiChars* fileName) {
    return Slot(
        self,
        [&] {
            std::int32_t ord = *ordinal;
            std::string name = FromAnsi(*fileName);
            const bool r = C(self).SaveImage(FromVariant(jpeg), ord, name);
            *ordinal = ord;
            AnsiAssignUtf8(fileName, name);
            return ToBool8(r);
        },
        Bool8{0});
}
void TKV_STDCALL Main_DeleteImage(RawObject* self, std::int32_t ordinal, AnsiChars fileName) {
    Slot(self, [&] { C(self).DeleteImage(ordinal, FromAnsi(fileName)); });
}
void TKV_STDCALL Main_GetImage(RawObject* self, VARIANT* picture, std::int32_t ordinal, AnsiChars fileName) {
    Slot(self, [&] {
        OleVariant value = FromVariant(picture);
        C(self).GetImage(value, ordinal, FromAnsi(fileName));
        AssignVariant(picture, value);
    });
}

const RawMainintfVtbl Mainintf_Vtbl = {
    /*** IUnknown methods ***/
    QueryInterfaceSlot(MainUnknown::QueryInterface),
    RefCountSlot(MainUnknown::AddRef),
    RefCountSlot(MainUnknown::Release),
    /*** IVNMainintf methods ***/
    Main_AddAction,
    Main_AppHandle,
    Main_ExecuteProcByNameNames,
    Main_ExecuteProcByNamePacket,
    Main_ExecuteSQLText,
    Main_ExecuteSQLConsts,
    Main_GetSettingControlNames,
    Main_HasLimitNo,
    Main_HasLimitName,
    Main_LastError,
    Main_LockScreen,
    Main_LoginUserID,
    Main_LoginUserName,
    Main_LoginUserREC,
    Main_LoginPublicPosID,
    Main_MessageBox,
    Main_OpenProcByNameOutputs,
    Main_OpenProcByNameNames,
    Main_OpenProcByNamePacket,
    Main_OpenProcByNamePacketOutputs,
    Main_OpenSQL,
    Main_OpenSql,
    Main_Question,
    Main_RefIniPublicVar,
    Main_RefMainCaption,
    Main_RunPrintManageData,
    Main_RunPrintManageDatas,
    Main_RunPrintManageItems,
    Main_SelectBaseic,
    Main_SetSettingControlNames,
    Main_SetSubValue,
    Main_SetSysSettingControl,
    Main_SysCfgValue,
    Main_ViewBill,
    Main_ShowMsg,
    Main_ShowError,
    Main_YesOrNo,
    Main_InitGLabelBtnEdit,
    Main_InitGLabelComBox,
    Main_InitVchGridClass,
    Main_InitBandGrid,
    Main_InitGBitbtn,
    Main_InitxwPanel,
    Main_InitLabelEdit,
    Main_UpdataSQLFromFile,
    Main_GetBasicLocalValue,
    Main_OpenYBRetail,
    Main_OpenYBRetailBack,
    Main_OpenCanleRetail,
    Main_SelectBilltypeList,
    Main_GetBillTypeList,
    Main_SaveImage,
    Main_DeleteImage,
    Main_GetImage,
};

// --- IExistForm and IssReportIntf (the host framework's register convention) ---

struct ExistForm {
    RawExistForm RawExistForm_iface;
    LONG ref;
};
using ExistUnknown = RawUnknown<RawExistForm, ExistForm, IID_IExistForm>;

// One distinct, stable address per framework object.
std::array<char, 23> frameworkObjects{};

template <int N> void* TKV_REGISTER ExistForm_Get(RawObject*) {
    return &frameworkObjects[N];
}

const RawExistFormVtbl ExistForm_Vtbl = {
    /*** IUnknown methods ***/
    QueryInterfaceSlot(ExistUnknown::QueryInterface),
    RefCountSlot(ExistUnknown::AddRef),
    RefCountSlot(ExistUnknown::Release),
    /*** IExistForm methods ***/
    ExistForm_Get<0>,
    ExistForm_Get<1>,
    ExistForm_Get<2>,
    ExistForm_Get<3>,
    ExistForm_Get<4>,
    ExistForm_Get<5>,
    ExistForm_Get<6>,
    ExistForm_Get<7>,
    ExistForm_Get<8>,
    ExistForm_Get<9>,
    ExistForm_Get<10>,
    ExistForm_Get<11>,
    ExistForm_Get<12>,
    ExistForm_Get<13>,
    ExistForm_Get<14>,
    ExistForm_Get<15>,
    ExistForm_Get<16>,
    ExistForm_Get<17>,
    ExistForm_Get<18>,
    ExistForm_Get<19>,
    ExistForm_Get<20>,
    ExistForm_Get<21>,
    ExistForm_Get<22>,
};

struct Report {
    RawReportIntf RawReportIntf_iface;
    LONG ref;
};
using ReportUnknown = RawUnknown<RawReportIntf, Report, IID_IssReportIntf>;

void TKV_REGISTER Report_OpenssReport(RawObject*, AnsiChars) {}
void TKV_REGISTER Report_AddIntParam(RawObject*, AnsiChars, std::int32_t) {}
void TKV_REGISTER Report_AddFloatParam(RawObject*, AnsiChars, double) {}
void TKV_REGISTER Report_AddStringParam(RawObject*, AnsiChars, AnsiChars) {}

const RawReportIntfVtbl Report_Vtbl = {
    /*** IUnknown methods ***/
    QueryInterfaceSlot(ReportUnknown::QueryInterface),
    RefCountSlot(ReportUnknown::AddRef),
    RefCountSlot(ReportUnknown::Release),
    /*** IssReportIntf methods ***/
    Report_OpenssReport,
    Report_AddIntParam,
    Report_AddFloatParam,
    Report_AddStringParam,
};

} // namespace

RawMainintf* NewMainintfTable(const ComPtr<IVNMainintf>& core, TErrorDisplay showError) {
    auto* m = new Mainintf{{&Mainintf_Vtbl}, 1, core, std::move(showError)};
    return &m->RawMainintf_iface;
}

RawExistForm* NewExistFormTable() {
    auto* e = new ExistForm{{&ExistForm_Vtbl}, 1};
    return &e->RawExistForm_iface;
}

RawReportIntf* NewReportTable() {
    auto* r = new Report{{&Report_Vtbl}, 1};
    return &r->RawReportIntf_iface;
}

void ReleaseTable(void* table) {
    if (table)
        (*static_cast<const RawUnknownVtbl* const*>(table))->Release(static_cast<RawObject*>(table));
}

} // namespace tkv::workbench
