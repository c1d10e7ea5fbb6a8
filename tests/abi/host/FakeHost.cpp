// The fake host tables: answers of a small pharmacy host, and records of what the plug-in sent.
#include "FakeHost.h"

#include "HostStrings.h"
#include "abi/HostControlTable.h"

using namespace tkv::abi;

namespace abitest {
namespace {

template <class T> T* From(RawObject* self) {
    return reinterpret_cast<T*>(self);
}

HRESULT QueryNothing(RawObject*, const GUID*, void** obj) {
    *obj = nullptr;
    return E_NOINTERFACE;
}
template <class T> ULONG AddRefOf(RawObject* self) {
    return ++From<T>(self)->ref;
}
template <class T> ULONG ReleaseOf(RawObject* self) {
    return --From<T>(self)->ref;
}

void Unexpected(RawObject* self) {
    ++From<FakeMain>(self)->unexpectedCalls;
}

void RecordProc(FakeMain* host, AnsiChars procName, AnsiChars* names, std::int32_t namesHigh, VARIANT* values,
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

std::uintptr_t Main_AppHandle(RawObject* self) {
    ++From<FakeMain>(self)->appHandleCalls;
    return From<FakeMain>(self)->appHandle;
}

std::int32_t Main_ExecuteProcByNameNames(RawObject* self, AnsiChars procName, AnsiChars* names,
                                         std::int32_t namesHigh, VARIANT* values, std::int32_t valuesHigh,
                                         VARIANT* outParams) {
    RecordProc(From<FakeMain>(self), procName, names, namesHigh, values, valuesHigh, nullptr, outParams);
    FillOutParams(outParams);
    return 5;
}

std::int32_t Main_OpenProcByNameOutputs(RawObject* self, AnsiChars procName, AnsiChars* names,
                                        std::int32_t namesHigh, VARIANT* values, std::int32_t valuesHigh,
                                        VARIANT* resultSet, VARIANT* outParams) {
    RecordProc(From<FakeMain>(self), procName, names, namesHigh, values, valuesHigh, resultSet, outParams);
    FillResultSet(resultSet);
    FillOutParams(outParams);
    return 1;
}

std::int32_t Main_OpenProcByNameNames(RawObject* self, AnsiChars procName, AnsiChars* names,
                                      std::int32_t namesHigh, VARIANT* values, std::int32_t valuesHigh,
                                      VARIANT* resultSet) {
    RecordProc(From<FakeMain>(self), procName, names, namesHigh, values, valuesHigh, resultSet, nullptr);
    FillResultSet(resultSet);
    return 2;
}

Bool8 Main_OpenSql(RawObject* self, BSTR sql, VARIANT* resultSet) {
    From<FakeMain>(self)->messages.push_back("sql|" + FromBstr(sql));
    FillResultSet(resultSet);
    return 1;
}

void Main_LoginUserName(BSTR* result, RawObject*) {
    SysFreeString(*result);
    *result = SysAllocString(Wide("管理员").c_str());
}

void Main_LastError(AnsiChars* result, RawObject*) {
    HostAssignAnsi(result, Gbk("库存不足"));
}

Bool8 Main_Question(RawObject* self, AnsiChars msg, AnsiChars title) {
    From<FakeMain>(self)->messages.push_back("question|" + FromGbk(HostAnsiBytes(msg)) + "|" +
                                             FromGbk(HostAnsiBytes(title)));
    return 1;
}

void Main_ShowMsg(RawObject* self, AnsiChars msg, AnsiChars title) {
    From<FakeMain>(self)->messages.push_back("msg|" + FromGbk(HostAnsiBytes(msg)) + "|" +
                                             FromGbk(HostAnsiBytes(title)));
}

Bool8 Main_SaveImage(RawObject* self, VARIANT* jpeg, std::int32_t* ordinal, AnsiChars* fileName) {
    FakeMain* host = From<FakeMain>(self);
    host->savedJpeg = BytesOf(*jpeg);
    host->savedJpegLow = LowBoundOf(*jpeg);
    host->savedFileNameIn = FromGbk(HostAnsiBytes(*fileName));
    *ordinal = 9;
    HostAssignAnsi(fileName, Gbk("图片9.jpg"));
    return 1;
}

void Main_GetImage(RawObject* self, VARIANT* picture, std::int32_t ordinal, AnsiChars fileName) {
    FakeMain* host = From<FakeMain>(self);
    host->pictureArrivedNull = picture->vt == VT_NULL;
    if (ordinal == 3 && FromGbk(HostAnsiBytes(fileName)) == "图片3.jpg") {
        VariantClear(picture);
        *picture = VarBytes({1, 2, 3});
    }
}

void Main_GetBasicLocalValue(BSTR* result, RawObject*, std::uint32_t field, AnsiChars typeId) {
    SysFreeString(*result);
    const std::string v = "阿莫西林/" + std::to_string(field) + "/" + HostAnsiBytes(typeId);
    *result = SysAllocString(Wide(v).c_str());
}

// Reads the control through its raw table, holding a reference meanwhile as a host would.
void Main_InitBandGrid(RawObject* self, void* control) {
    auto* c = static_cast<RawObject*>(control);
    const auto* v = reinterpret_cast<const RawHostControlVtbl*>(c->lpVtbl);
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

const RawMainintfVtbl FakeMain_Vtbl = {
    QueryNothing,
    AddRefOf<FakeMain>,
    ReleaseOf<FakeMain>,
    +[](RawObject* a0, std::int32_t a1, AnsiChars a2) -> void { Unexpected(a0); }, // AddAction
    Main_AppHandle,
    Main_ExecuteProcByNameNames,
    +[](RawObject* a0, AnsiChars a1, VARIANT* a2, VARIANT* a3) -> std::int32_t {
        Unexpected(a0);
        return {};
    }, // ExecuteProcByNamePacket
    +[](RawObject* a0, BSTR a1) -> Bool8 {
        Unexpected(a0);
        return {};
    }, // ExecuteSQLText
    +[](RawObject* a0, BSTR a1, VARIANT* a2, std::int32_t a3) -> Bool8 {
        Unexpected(a0);
        return {};
    },                                                                           // ExecuteSQLConsts
    +[](AnsiChars* a0, RawObject* a1, AnsiChars a2) -> void { Unexpected(a1); }, // GetSettingControlNames
    +[](RawObject* a0, std::int32_t a1) -> Bool8 {
        Unexpected(a0);
        return {};
    }, // HasLimitNo
    +[](RawObject* a0, AnsiChars a1) -> Bool8 {
        Unexpected(a0);
        return {};
    }, // HasLimitName
    Main_LastError,
    +[](RawObject* a0, Bool8 a1) -> void { Unexpected(a0); },      // LockScreen
    +[](AnsiChars* a0, RawObject* a1) -> void { Unexpected(a1); }, // LoginUserID
    Main_LoginUserName,
    +[](RawObject* a0) -> std::int32_t {
        Unexpected(a0);
        return {};
    }, // LoginUserREC
    +[](RawObject* a0) -> std::int32_t {
        Unexpected(a0);
        return {};
    }, // LoginPublicPosID
    +[](RawObject* a0, AnsiChars a1, AnsiChars a2, std::uint32_t a3) -> std::int32_t {
        Unexpected(a0);
        return {};
    }, // MessageBox
    Main_OpenProcByNameOutputs,
    Main_OpenProcByNameNames,
    +[](RawObject* a0, AnsiChars a1, VARIANT* a2, VARIANT* a3) -> std::int32_t {
        Unexpected(a0);
        return {};
    }, // OpenProcByNamePacket
    +[](RawObject* a0, AnsiChars a1, VARIANT* a2, VARIANT* a3, VARIANT* a4) -> std::int32_t {
        Unexpected(a0);
        return {};
    }, // OpenProcByNamePacketOutputs
    +[](RawObject* a0, BSTR a1, VARIANT* a2, std::int32_t a3, VARIANT* a4) -> Bool8 {
        Unexpected(a0);
        return {};
    }, // OpenSQL
    Main_OpenSql,
    Main_Question,
    +[](RawObject* a0) -> void { Unexpected(a0); }, // RefIniPublicVar
    +[](RawObject* a0) -> void { Unexpected(a0); }, // RefMainCaption
    +[](RawObject* a0, AnsiChars a1, void* a2, VARIANT* a3, Bool8 a4) -> void {
        Unexpected(a0);
    }, // RunPrintManageData
    +[](RawObject* a0, AnsiChars a1, void* a2, VARIANT* a3, std::int32_t a4, Bool8 a5) -> void {
        Unexpected(a0);
    },                                                                                // RunPrintManageDatas
    +[](RawObject* a0, AnsiChars a1, void* a2, Bool8 a3) -> void { Unexpected(a0); }, // RunPrintManageItems
    +[](RawObject* a0, std::uint8_t a1, AnsiChars a2, VARIANT* a3) -> Bool8 {
        Unexpected(a0);
        return {};
    },                                                                          // SelectBaseic
    +[](RawObject* a0, AnsiChars a1, AnsiChars a2) -> void { Unexpected(a0); }, // SetSettingControlNames
    +[](RawObject* a0, AnsiChars a1, VARIANT* a2) -> void { Unexpected(a0); },  // SetSubValue
    +[](RawObject* a0, void* a1) -> void { Unexpected(a0); },                   // SetSysSettingControl
    +[](VARIANT* a0, RawObject* a1, AnsiChars a2) -> void { Unexpected(a1); },  // SysCfgValue
    +[](RawObject* a0, std::int32_t a1, std::int32_t a2, std::int32_t a3, Bool8 a4) -> void {
        Unexpected(a0);
    }, // ViewBill
    Main_ShowMsg,
    +[](RawObject* a0, AnsiChars a1, AnsiChars a2) -> void { Unexpected(a0); }, // ShowError
    +[](RawObject* a0, AnsiChars a1, AnsiChars a2) -> Bool8 {
        Unexpected(a0);
        return {};
    },                                                        // YesOrNo
    +[](RawObject* a0, void* a1) -> void { Unexpected(a0); }, // InitGLabelBtnEdit
    +[](RawObject* a0, void* a1) -> void { Unexpected(a0); }, // InitGLabelComBox
    +[](RawObject* a0, void* a1) -> void { Unexpected(a0); }, // InitVchGridClass
    Main_InitBandGrid,
    +[](RawObject* a0, void* a1) -> void { Unexpected(a0); }, // InitGBitbtn
    +[](RawObject* a0, void* a1) -> void { Unexpected(a0); }, // InitxwPanel
    +[](RawObject* a0, void* a1) -> void { Unexpected(a0); }, // InitLabelEdit
    +[](RawObject* a0, AnsiChars a1) -> Bool8 {
        Unexpected(a0);
        return {};
    }, // UpdataSQLFromFile
    Main_GetBasicLocalValue,
    +[](RawObject* a0) -> void { Unexpected(a0); }, // OpenYBRetail
    +[](RawObject* a0) -> void { Unexpected(a0); }, // OpenYBRetailBack
    +[](RawObject* a0) -> void { Unexpected(a0); }, // OpenCanleRetail
    +[](RawObject* a0, VARIANT* a1) -> Bool8 {
        Unexpected(a0);
        return {};
    },                                                           // SelectBilltypeList
    +[](VARIANT* a0, RawObject* a1) -> void { Unexpected(a1); }, // GetBillTypeList
    Main_SaveImage,
    +[](RawObject* a0, std::int32_t a1, AnsiChars a2) -> void { Unexpected(a0); }, // DeleteImage
    Main_GetImage,
};

// Retail bill.
void Bill_GetBillCode(AnsiChars* result, RawObject*) {
    HostAssignAnsi(result, Gbk("LS-2017-0001"));
}
void Bill_GetDetailData(VARIANT* result, RawObject*) {
    VariantClear(result);
    *result = VarArrayOf({VarStr("阿莫西林"), VarI4(2)});
}
Bool8 Bill_ShowAcctount(RawObject* self, VARIANT* account) {
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
std::int32_t Bill_GetBillID(RawObject*) {
    return 77;
}
double Bill_GetTotal(RawObject*) {
    return 123.75;
}
void Bill_AddPrintInfo(RawObject* self, AnsiChars name, VARIANT* value) {
    From<FakeBill>(self)->printName = FromGbk(HostAnsiBytes(name));
    From<FakeBill>(self)->printValue = value->vt == VT_R8 ? value->dblVal : -1;
}

const RawTransinfoVtbl FakeBill_Vtbl = {
    QueryNothing,
    AddRefOf<FakeBill>,
    ReleaseOf<FakeBill>,
    [](RawObject*) -> void* { return nullptr; },
    [](RawObject*) {},
    Bill_AddPrintInfo,
    [](RawObject*, AnsiChars, double) {},
    [](RawObject*, AnsiChars, std::int32_t) {},
    [](RawObject*) {},
    [](RawObject*, std::int32_t) {},
    [](RawObject*) -> std::int32_t { return 0; },
    Bill_GetTotal,
    [](RawObject*) -> Bool8 { return 0; },
    [](RawObject*) -> Bool8 { return 0; },
    [](RawObject*) -> std::int32_t { return 0; },
    Bill_GetBillCode,
    [](RawObject*) -> void* { return nullptr; },
    [](VARIANT*, RawObject*) {},
    Bill_GetDetailData,
    Bill_ShowAcctount,
    Bill_GetBillID,
};

// Framework-object getters answer 1000 + their slot number.
template <int N> void* Getter(RawObject*) {
    return reinterpret_cast<void*>(static_cast<std::intptr_t>(1000 + N));
}

const RawExistFormVtbl FakeExistForm_Vtbl = {
    QueryNothing,
    AddRefOf<FakeExistForm>,
    ReleaseOf<FakeExistForm>,
    Getter<0>,
    Getter<1>,
    Getter<2>,
    Getter<3>,
    Getter<4>,
    Getter<5>,
    Getter<6>,
    Getter<7>,
    Getter<8>,
    Getter<9>,
    Getter<10>,
    Getter<11>,
    Getter<12>,
    Getter<13>,
    Getter<14>,
    Getter<15>,
    Getter<16>,
    Getter<17>,
    Getter<18>,
    Getter<19>,
    Getter<20>,
    Getter<21>,
    Getter<22>,
};

const RawReportIntfVtbl FakeReport_Vtbl = {
    QueryNothing,
    AddRefOf<FakeReport>,
    ReleaseOf<FakeReport>,
    [](RawObject* self, AnsiChars name) {
        From<FakeReport>(self)->calls.push_back("open|" + FromGbk(HostAnsiBytes(name)));
    },
    [](RawObject* self, AnsiChars name, std::int32_t v) {
        From<FakeReport>(self)->calls.push_back("int|" + FromGbk(HostAnsiBytes(name)) + "|" +
                                                std::to_string(v));
    },
    [](RawObject* self, AnsiChars name, double v) {
        From<FakeReport>(self)->calls.push_back("float|" + FromGbk(HostAnsiBytes(name)) + "|" +
                                                std::to_string(v));
    },
    [](RawObject* self, AnsiChars name, AnsiChars v) {
        From<FakeReport>(self)->calls.push_back("string|" + FromGbk(HostAnsiBytes(name)) + "|" +
                                                FromGbk(HostAnsiBytes(v)));
    },
};

} // namespace

std::string ResultSetXml() {
    return "<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
           "<FIELD attrname=\"brec\" fieldtype=\"i4\"/><FIELD attrname=\"VoiceCode\" "
           "fieldtype=\"string.uni\" "
           "WIDTH=\"100\"/></FIELDS><PARAMS/></METADATA><ROWDATA><ROW brec=\"7\" VoiceCode=\"发票A1\"/>"
           "</ROWDATA></DATAPACKET>";
}

FakeMain::FakeMain() : iface{&FakeMain_Vtbl} {}
FakeBill::FakeBill() : iface{&FakeBill_Vtbl} {}
FakeExistForm::FakeExistForm() : iface{&FakeExistForm_Vtbl} {}
FakeReport::FakeReport() : iface{&FakeReport_Vtbl} {}

} // namespace abitest
