// The fake host tables: answers of a small pharmacy host, and records of what the plug-in sent.
#include "FakeHost.h"

#include "HostStrings.h"
#include "RegisterEntries.h"

#include <algorithm>
#include <cstring>

namespace abitest {
namespace {

template <class T> T* From(void* self) {
    return reinterpret_cast<T*>(self);
}

HRESULT __stdcall QueryNothing(void*, const GUID*, void** obj) {
    *obj = nullptr;
    return E_NOINTERFACE;
}
template <class T> ULONG __stdcall AddRefOf(void* self) {
    return ++From<T>(self)->ref;
}
template <class T> ULONG __stdcall ReleaseOf(void* self) {
    return --From<T>(self)->ref;
}

// Main interface slots the plug-in has no business calling in these tests.
#define UNEXPECTED(name, R, ...)                                                                             \
    R __stdcall Unexpected##name(void* self __VA_OPT__(, ) __VA_ARGS__) {                                    \
        ++From<FakeMain>(self)->unexpectedCalls;                                                             \
        return R();                                                                                          \
    }
#define UNEXPECTED_RESULT(name, Result, ...)                                                                 \
    void __stdcall Unexpected##name(Result*, void* self __VA_OPT__(, ) __VA_ARGS__) {                        \
        ++From<FakeMain>(self)->unexpectedCalls;                                                             \
    }
UNEXPECTED(AddAction, void, std::int32_t, Ansi)
UNEXPECTED(ExecuteProcByNamePacket, std::int32_t, Ansi, VARIANT*, VARIANT*)
UNEXPECTED(ExecuteSQLText, Bool8, BSTR)
UNEXPECTED(ExecuteSQLConsts, Bool8, BSTR, VARIANT*, std::int32_t)
UNEXPECTED_RESULT(GetSettingControlNames, Ansi, Ansi)
UNEXPECTED(HasLimitNo, Bool8, std::int32_t)
UNEXPECTED(HasLimitName, Bool8, Ansi)
UNEXPECTED(LockScreen, void, Bool8)
UNEXPECTED_RESULT(LoginUserID, Ansi)
UNEXPECTED(LoginUserREC, std::int32_t)
UNEXPECTED(LoginPublicPosID, std::int32_t)
UNEXPECTED(MessageBox, std::int32_t, Ansi, Ansi, std::uint32_t)
UNEXPECTED(OpenProcByNamePacket, std::int32_t, Ansi, VARIANT*, VARIANT*)
UNEXPECTED(OpenProcByNamePacketOutputs, std::int32_t, Ansi, VARIANT*, VARIANT*, VARIANT*)
UNEXPECTED(OpenSQL, Bool8, BSTR, VARIANT*, std::int32_t, VARIANT*)
UNEXPECTED(RefIniPublicVar, void)
UNEXPECTED(RefMainCaption, void)
UNEXPECTED(SelectBaseic, Bool8, std::uint8_t, Ansi, VARIANT*)
UNEXPECTED(SetSettingControlNames, void, Ansi, Ansi)
UNEXPECTED(SetSubValue, void, Ansi, VARIANT*)
UNEXPECTED(SetSysSettingControl, void, void*)
UNEXPECTED_RESULT(SysCfgValue, VARIANT, Ansi)
UNEXPECTED(ViewBill, void, std::int32_t, std::int32_t, std::int32_t, Bool8)
UNEXPECTED(YesOrNo, Bool8, Ansi, Ansi)
UNEXPECTED(InitGLabelBtnEdit, void, void*)
UNEXPECTED(InitGLabelComBox, void, void*)
UNEXPECTED(InitVchGridClass, void, void*)
UNEXPECTED(InitGBitbtn, void, void*)
UNEXPECTED(InitxwPanel, void, void*)
UNEXPECTED(InitLabelEdit, void, void*)
UNEXPECTED(UpdataSQLFromFile, Bool8, Ansi)
UNEXPECTED(OpenYBRetail, void)
UNEXPECTED(OpenYBRetailBack, void)
UNEXPECTED(OpenCanleRetail, void)
UNEXPECTED(SelectBilltypeList, Bool8, VARIANT*)
UNEXPECTED_RESULT(GetBillTypeList, VARIANT)
UNEXPECTED(DeleteImage, void, std::int32_t, Ansi)

void RecordProc(FakeMain* host, Ansi procName, Ansi* names, std::int32_t namesHigh, VARIANT* values,
                std::int32_t valuesHigh, VARIANT* resultSet, VARIANT* outParams) {
    ProcCall c;
    c.proc = FromGbk(HostAnsiBytes(procName));
    c.namesHigh = namesHigh;
    c.valuesHigh = valuesHigh;
    for (std::int32_t i = 0; i <= namesHigh; ++i)
        c.names.push_back(FromGbk(HostAnsiBytes(names[i])));
    for (std::int32_t i = 0; i <= valuesHigh; ++i)
        c.valueTypes.push_back(values[i].vt);
    if (valuesHigh >= 1 && values[0].vt == VT_I4 && values[1].vt == VT_BSTR) {
        c.firstValue = values[0].lVal;
        c.secondValue = FromBstr(values[1].bstrVal);
    }
    c.resultSlotEmpty = !resultSet || resultSet->vt == VT_EMPTY;
    c.outSlotEmpty = !outParams || outParams->vt == VT_EMPTY;
    host->procCalls.push_back(c);
}

void FillResultSet(VARIANT* resultSet) {
    const std::string xml = ResultSetXml();
    VariantClear(resultSet);
    *resultSet = VarBytes(std::vector<std::uint8_t>(xml.begin(), xml.end()));
}

// Two output parameters: "@voiceid" (integer, output) and "@msg" (string, input-output).
void FillOutParams(VARIANT* outParams) {
    std::vector<VARIANT> voiceid = {VarStr("@voiceid"), VarI4(42), VarI4(3), VarI4(2),
                                    VarI4(0),           VarI4(0),  VarI4(0)};
    std::vector<VARIANT> msg = {VarStr("@msg"), VarStr("成功"), VarI4(1), VarI4(3),
                                VarI4(50),      VarI4(0),       VarI4(0)};
    VariantClear(outParams);
    *outParams = VarArrayOf({VarArrayOf(std::move(voiceid)), VarArrayOf(std::move(msg))});
}

std::uintptr_t __stdcall Main_AppHandle(void* self) {
    ++From<FakeMain>(self)->appHandleCalls;
    return From<FakeMain>(self)->appHandle;
}

std::int32_t __stdcall Main_ExecuteProcByNameNames(void* self, Ansi procName, Ansi* names,
                                                   std::int32_t namesHigh, VARIANT* values,
                                                   std::int32_t valuesHigh, VARIANT* outParams) {
    RecordProc(From<FakeMain>(self), procName, names, namesHigh, values, valuesHigh, nullptr, outParams);
    FillOutParams(outParams);
    return 5;
}

std::int32_t __stdcall Main_OpenProcByNameOutputs(void* self, Ansi procName, Ansi* names,
                                                  std::int32_t namesHigh, VARIANT* values,
                                                  std::int32_t valuesHigh, VARIANT* resultSet,
                                                  VARIANT* outParams) {
    RecordProc(From<FakeMain>(self), procName, names, namesHigh, values, valuesHigh, resultSet, outParams);
    FillResultSet(resultSet);
    FillOutParams(outParams);
    return 1;
}

std::int32_t __stdcall Main_OpenProcByNameNames(void* self, Ansi procName, Ansi* names,
                                                std::int32_t namesHigh, VARIANT* values,
                                                std::int32_t valuesHigh, VARIANT* resultSet) {
    RecordProc(From<FakeMain>(self), procName, names, namesHigh, values, valuesHigh, resultSet, nullptr);
    FillResultSet(resultSet);
    return 2;
}

Bool8 __stdcall Main_OpenSql(void* self, BSTR sql, VARIANT* resultSet) {
    From<FakeMain>(self)->messages.push_back("sql|" + FromBstr(sql));
    FillResultSet(resultSet);
    return 1;
}

void __stdcall Main_LoginUserName(BSTR* result, void*) {
    SysFreeString(*result);
    *result = SysAllocString(Wide("管理员").c_str());
}

void __stdcall Main_LastError(Ansi* result, void*) {
    HostAssignAnsi(result, Gbk("库存不足"));
}

void Record(void* self, const char* kind, Ansi msg, Ansi title) {
    From<FakeMain>(self)->messages.push_back(std::string(kind) + "|" + FromGbk(HostAnsiBytes(msg)) + "|" +
                                             FromGbk(HostAnsiBytes(title)));
}

Bool8 __stdcall Main_Question(void* self, Ansi msg, Ansi title) {
    Record(self, "question", msg, title);
    return 1;
}

void __stdcall Main_ShowMsg(void* self, Ansi msg, Ansi title) {
    Record(self, "msg", msg, title);
}

void __stdcall Main_ShowError(void* self, Ansi msg, Ansi title) {
    Record(self, "error", msg, title);
}

std::string ItemText(const HostPrintItem* item) {
    VARIANT text;
    VariantInit(&text);
    std::string value = "<vt " + std::to_string(item->Value.vt) + ">";
    if (SUCCEEDED(VariantChangeType(&text, const_cast<VARIANT*>(&item->Value), 0, VT_BSTR)))
        value = FromBstr(text.bstrVal);
    VariantClear(&text);
    return FromGbk(HostAnsiBytes(item->Name)) + "=" + value + "/" + std::to_string(item->DataType);
}

FrameworkMethod Method(const void* vmt, int slot) {
    return static_cast<const FrameworkMethod*>(vmt)[slot];
}

// Reads the list in place, then uses it as the host's own framework code would: AddDefaultItems
// twice, five records of its own appended through the pointer list's Grow and Notify, and Clear.
void InspectPrintItems(PrintCall& call, HostPrintItemList* items) {
    call.itemsNull = items == nullptr;
    if (!items || !items->vmt || !items->list || !items->list->vmt)
        return;
    HostPointerList* list = items->list;
    call.printOnlyOnce = items->printOnlyOnce != 0;
    for (std::int32_t i = 0; i < list->count; ++i)
        call.items.push_back(ItemText(static_cast<HostPrintItem*>(list->items[i])));
    Method(items->vmt, 1)(items);
    call.countAfterDefaults = list->count;
    if (list->count > 0)
        call.defaultItem = ItemText(static_cast<HostPrintItem*>(list->items[list->count - 1]));
    Method(items->vmt, 1)(items);
    call.countAfterSecondDefaults = list->count;
    for (int k = 0; k < 5; ++k) {
        auto* record = static_cast<HostPrintItem*>(HostGetMem(sizeof(HostPrintItem)));
        std::memset(record, 0, sizeof(HostPrintItem));
        record->Name = HostNewAnsi(Gbk("项" + std::to_string(k)));
        record->Value = VarI4(k);
        if (list->count == list->capacity)
            Method(list->vmt, 0)(list);
        list->items[list->count++] = record;
        static_cast<const ListNotify*>(list->vmt)[1](list, record, 0); // added
    }
    call.capacityAfterHostAdds = list->capacity;
    Method(items->vmt, 0)(items);
    call.countAfterClear = list->count;
}

void __stdcall Main_RunPrintManageData(void* self, Ansi templateName, HostPrintItemList* items, VARIANT* data,
                                       Bool8 preview) {
    PrintCall call;
    call.form = "data";
    call.templateName = FromGbk(HostAnsiBytes(templateName));
    call.preview = preview != 0;
    call.dataCount = CountOf(*data);
    InspectPrintItems(call, items);
    From<FakeMain>(self)->printCalls.push_back(call);
}

void __stdcall Main_RunPrintManageDatas(void* self, Ansi templateName, HostPrintItemList* items,
                                        VARIANT* datas, std::int32_t datasHigh, Bool8 preview) {
    PrintCall call;
    call.form = "datas";
    call.templateName = FromGbk(HostAnsiBytes(templateName));
    call.preview = preview != 0;
    call.dataCount = datasHigh + 1;
    InspectPrintItems(call, items);
    From<FakeMain>(self)->printCalls.push_back(call);
}

void __stdcall Main_RunPrintManageItems(void* self, Ansi templateName, HostPrintItemList* items,
                                        Bool8 preview) {
    PrintCall call;
    call.form = "items";
    call.templateName = FromGbk(HostAnsiBytes(templateName));
    call.preview = preview != 0;
    InspectPrintItems(call, items);
    From<FakeMain>(self)->printCalls.push_back(call);
}

Bool8 __stdcall Main_SaveImage(void* self, VARIANT* jpeg, std::int32_t* ordinal, Ansi* fileName) {
    FakeMain* host = From<FakeMain>(self);
    host->savedJpeg = BytesOf(*jpeg);
    host->savedJpegLow = LowBoundOf(*jpeg);
    host->savedFileNameIn = FromGbk(HostAnsiBytes(*fileName));
    *ordinal = 9;
    HostAssignAnsi(fileName, Gbk("图片9.jpg"));
    return 1;
}

void __stdcall Main_GetImage(void* self, VARIANT* picture, std::int32_t ordinal, Ansi fileName) {
    FakeMain* host = From<FakeMain>(self);
    host->pictureArrivedNull = picture->vt == VT_NULL;
    if (ordinal == 3 && FromGbk(HostAnsiBytes(fileName)) == "图片3.jpg") {
        VariantClear(picture);
        *picture = VarBytes({1, 2, 3});
    }
}

void __stdcall Main_GetBasicLocalValue(BSTR* result, void*, std::uint32_t field, Ansi typeId) {
    SysFreeString(*result);
    const std::string v = "阿莫西林/" + std::to_string(field) + "/" + HostAnsiBytes(typeId);
    *result = SysAllocString(Wide(v).c_str());
}

// Reads the control through its raw table, holding a reference meanwhile as a host would.
void __stdcall Main_InitBandGrid(void* self, void* control) {
    auto* c = static_cast<HostIface<HostControlVtbl>*>(control);
    const HostControlVtbl* v = c->lpVtbl;
    v->AddRef(c);
    char* cls = nullptr;
    char* name = nullptr;
    v->ClassName(&cls, c);
    v->Name(&name, c);
    From<FakeMain>(self)->preparedControl = std::to_string(v->Kind(c)) + "|" + HostAnsiBytes(cls) + "|" +
                                            FromGbk(HostAnsiBytes(name)) + "|" +
                                            std::to_string(v->BasicType(c));
    HostReleaseAnsi(cls);
    HostReleaseAnsi(name);
    v->Release(c);
}

const HostMainVtbl FakeMain_Vtbl = {
    QueryNothing,
    AddRefOf<FakeMain>,
    ReleaseOf<FakeMain>,
    UnexpectedAddAction,
    Main_AppHandle,
    Main_ExecuteProcByNameNames,
    UnexpectedExecuteProcByNamePacket,
    UnexpectedExecuteSQLText,
    UnexpectedExecuteSQLConsts,
    UnexpectedGetSettingControlNames,
    UnexpectedHasLimitNo,
    UnexpectedHasLimitName,
    Main_LastError,
    UnexpectedLockScreen,
    UnexpectedLoginUserID,
    Main_LoginUserName,
    UnexpectedLoginUserREC,
    UnexpectedLoginPublicPosID,
    UnexpectedMessageBox,
    Main_OpenProcByNameOutputs,
    Main_OpenProcByNameNames,
    UnexpectedOpenProcByNamePacket,
    UnexpectedOpenProcByNamePacketOutputs,
    UnexpectedOpenSQL,
    Main_OpenSql,
    Main_Question,
    UnexpectedRefIniPublicVar,
    UnexpectedRefMainCaption,
    Main_RunPrintManageData,
    Main_RunPrintManageDatas,
    Main_RunPrintManageItems,
    UnexpectedSelectBaseic,
    UnexpectedSetSettingControlNames,
    UnexpectedSetSubValue,
    UnexpectedSetSysSettingControl,
    UnexpectedSysCfgValue,
    UnexpectedViewBill,
    Main_ShowMsg,
    Main_ShowError,
    UnexpectedYesOrNo,
    UnexpectedInitGLabelBtnEdit,
    UnexpectedInitGLabelComBox,
    UnexpectedInitVchGridClass,
    Main_InitBandGrid,
    UnexpectedInitGBitbtn,
    UnexpectedInitxwPanel,
    UnexpectedInitLabelEdit,
    UnexpectedUpdataSQLFromFile,
    Main_GetBasicLocalValue,
    UnexpectedOpenYBRetail,
    UnexpectedOpenYBRetailBack,
    UnexpectedOpenCanleRetail,
    UnexpectedSelectBilltypeList,
    UnexpectedGetBillTypeList,
    Main_SaveImage,
    UnexpectedDeleteImage,
    Main_GetImage,
};

// Retail bill.
void* __stdcall Bill_Null(void*) {
    return nullptr;
}
void __stdcall Bill_Nothing(void*) {}
void __stdcall Bill_AddPayInfo(void*, Ansi, double) {}
void __stdcall Bill_AddPopMenu(void*, Ansi, std::int32_t) {}
void __stdcall Bill_DeleteRow(void*, std::int32_t) {}
std::int32_t __stdcall Bill_Zero(void*) {
    return 0;
}
Bool8 __stdcall Bill_False(void*) {
    return 0;
}
void __stdcall Bill_NoIndex(VARIANT*, void*) {}
void __stdcall Bill_GetBillCode(Ansi* result, void*) {
    HostAssignAnsi(result, Gbk("LS-2017-0001"));
}
void __stdcall Bill_GetDetailData(VARIANT* result, void*) {
    VariantClear(result);
    *result = VarArrayOf({VarStr("阿莫西林"), VarI4(2)});
}
Bool8 __stdcall Bill_ShowAcctount(void* self, VARIANT* account) {
    for (LONG i = 0; i < CountOf(*account); ++i) {
        VARIANT e = ElementOf(*account, i);
        VARIANT s;
        VariantInit(&s);
        VariantChangeType(&s, &e, 0, VT_BSTR);
        From<FakeBill>(self)->accountSeen.push_back(FromBstr(s.bstrVal));
        VariantClear(&s);
        VariantClear(&e);
    }
    return 1;
}
std::int32_t __stdcall Bill_GetBillID(void*) {
    return 77;
}
double __stdcall Bill_GetTotal(void*) {
    return 123.75;
}
void __stdcall Bill_AddPrintInfo(void* self, Ansi name, VARIANT* value) {
    From<FakeBill>(self)->printName = FromGbk(HostAnsiBytes(name));
    From<FakeBill>(self)->printValue = value->vt == VT_R8 ? value->dblVal : -1;
}

const HostBillVtbl FakeBill_Vtbl = {
    QueryNothing,      AddRefOf<FakeBill>, ReleaseOf<FakeBill>, Bill_Null,          Bill_Nothing,
    Bill_AddPrintInfo, Bill_AddPayInfo,    Bill_AddPopMenu,     Bill_Nothing,       Bill_DeleteRow,
    Bill_Zero,         Bill_GetTotal,      Bill_False,          Bill_False,         Bill_Zero,
    Bill_GetBillCode,  Bill_Null,          Bill_NoIndex,        Bill_GetDetailData, Bill_ShowAcctount,
    Bill_GetBillID,
};

// The register-convention fakes that exist, so that an object taken from the wrong register is
// told apart from a real one.
std::vector<void*>& LiveRegisterFakes() {
    static std::vector<void*> live;
    return live;
}
int strayRegisterCalls = 0;

template <class T> T* KnownFake(void* self) {
    auto& live = LiveRegisterFakes();
    if (std::find(live.begin(), live.end(), self) == live.end()) {
        ++strayRegisterCalls;
        return nullptr;
    }
    return static_cast<T*>(self);
}

HostExistFormVtbl MakeExistFormVtbl() {
    HostExistFormVtbl v{QueryNothing, AddRefOf<FakeExistForm>, ReleaseOf<FakeExistForm>, {}};
    for (int i = 0; i < kExistFormGetters; ++i)
        v.Getters[i] = ExistFormGetterEntry(i);
    return v;
}

HostReportVtbl MakeReportVtbl() {
    const ReportEntries e = ReportEntryPoints();
    return {QueryNothing, AddRefOf<FakeReport>, ReleaseOf<FakeReport>, e.open, e.addInt,
            e.addFloat,   e.addString};
}

void AddReportCall(void* self, const std::string& call) {
    if (FakeReport* r = KnownFake<FakeReport>(self))
        r->calls.push_back(call);
}

} // namespace

// Framework-object getters answer 1000 + their slot number.
void* ExistFormGetter(void* self, int index) {
    if (!KnownFake<FakeExistForm>(self))
        return nullptr;
    return reinterpret_cast<void*>(static_cast<std::intptr_t>(1000 + index));
}

void ReportOpen(void* self, Ansi name) {
    AddReportCall(self, "open|" + FromGbk(HostAnsiBytes(name)));
}
void ReportInt(void* self, Ansi name, std::int32_t value) {
    AddReportCall(self, "int|" + FromGbk(HostAnsiBytes(name)) + "|" + std::to_string(value));
}
void ReportFloat(void* self, Ansi name, double value) {
    AddReportCall(self, "float|" + FromGbk(HostAnsiBytes(name)) + "|" + std::to_string(value));
}
void ReportString(void* self, Ansi name, Ansi value) {
    AddReportCall(self, "string|" + FromGbk(HostAnsiBytes(name)) + "|" + FromGbk(HostAnsiBytes(value)));
}

void NoteStrayRegisterCall() {
    ++strayRegisterCalls;
}

int StrayRegisterCalls() {
    return strayRegisterCalls;
}

std::string ResultSetXml() {
    return "<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
           "<FIELD attrname=\"brec\" fieldtype=\"i4\"/><FIELD attrname=\"VoiceCode\" "
           "fieldtype=\"string.uni\" "
           "WIDTH=\"100\"/></FIELDS><PARAMS/></METADATA><ROWDATA><ROW brec=\"7\" VoiceCode=\"发票A1\"/>"
           "</ROWDATA></DATAPACKET>";
}

FakeMain::FakeMain() : iface{&FakeMain_Vtbl} {}
FakeBill::FakeBill() : iface{&FakeBill_Vtbl} {}

FakeExistForm::FakeExistForm() {
    static const HostExistFormVtbl vtbl = MakeExistFormVtbl();
    iface.lpVtbl = &vtbl;
    LiveRegisterFakes().push_back(this);
}
FakeExistForm::~FakeExistForm() {
    std::erase(LiveRegisterFakes(), this);
}

FakeReport::FakeReport() {
    static const HostReportVtbl vtbl = MakeReportVtbl();
    iface.lpVtbl = &vtbl;
    LiveRegisterFakes().push_back(this);
}
FakeReport::~FakeReport() {
    std::erase(LiveRegisterFakes(), this);
}

} // namespace abitest
