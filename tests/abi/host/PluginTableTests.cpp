// TkvfpPlug.dll through its four exports and raw tables: the description texts, reference counts,
// interface queries, the host interfaces the transaction object keeps, the parameter packet that a
// hook hands back, errors inside slots shown before the slot answers failure, and on i686 the
// stack clean-up of every slot and export. The slots that would open windows (PlugConfig,
// ShowSBCard, ssPtypeDz, ssConfig and the two menu exports) open none in this library yet: no
// window is plugged in and insurance settlement is off.
#ifdef TKV_HAVE_PRODUCT_DLL

#include "Check.h"
#include "FakeHost.h"
#include "HostStrings.h"
#include "PluginTables.h"
#include "StackCheck.h"
#include "TestLibraries.h"

#include <cstring>

namespace abitest {
namespace {

const GUID IID_IVNPlugInfo_ = {0x3D3F5DAD, 0x09B9, 0x4CB1, {0x97, 0x2A, 0x66, 0x61, 0x1A, 0xC9, 0x49, 0xEE}};
const GUID IID_IRetailPlugin_ = {
    0x8F4EC49D, 0x172D, 0x4E1A, {0x9D, 0x6A, 0x3C, 0x51, 0x23, 0x93, 0x3F, 0x5F}};
const GUID IID_IUnknown_ = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const GUID IID_Other = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};

HostPlugInfo* NewPlugInfo() {
    void* p = nullptr;
    Plugin().CreatePlugInfo(&p);
    return static_cast<HostPlugInfo*>(p);
}

HostRetailPlugin* NewRetailPlugin() {
    void* p = nullptr;
    Plugin().CreateRetailPlug(&p);
    return static_cast<HostRetailPlugin*>(p);
}

template <class Fn> std::string Wide(HostPlugInfo* info, Fn slot) {
    BSTR s = SysAllocString(L"old");
    slot(&s, info);
    std::string r = FromBstr(s);
    SysFreeString(s);
    return r;
}

// The main interface the library keeps: the first one any case hands to InitPlugin.
FakeMain& KeptHost() {
    static FakeMain host;
    static const bool handed = [] {
        HostRetailPlugin* p = NewRetailPlugin();
        p->lpVtbl->InitPlugin(p, &host.iface);
        p->lpVtbl->Release(p);
        return true;
    }();
    (void)handed;
    return host;
}

// The framework-object and report interfaces the library keeps: the first ones handed over.
FakeExistForm& KeptExistForm() {
    static FakeExistForm form;
    return form;
}
FakeReport& KeptReport() {
    static FakeReport report;
    return report;
}

// The first element of a variant array as text, empty when there is none.
std::string StrAtOrEmpty(const VARIANT& arr) {
    if (CountOf(arr) < 1)
        return {};
    VARIANT e = ElementOf(arr, 0);
    std::string s = e.vt == VT_BSTR ? FromBstr(e.bstrVal) : std::string();
    VariantClear(&e);
    return s;
}

} // namespace

// The stack checks come first: a slot with the wrong clean-up corrupts the stack of the typed
// calls in the cases after them.
#if defined(__i386__)

// One call of a slot with its arguments as 32-bit words; failures name the slot.
struct SlotCheck {
    void operator()(const char* name, const void* fn, std::initializer_list<std::uint32_t> words) const {
        const PushedCall c = CallPushed(fn, words);
        if (c.stackChange != 0)
            Fail(__FILE__, __LINE__,
                 std::string(name) + " moved the stack pointer by " + std::to_string(c.stackChange) +
                     " bytes");
    }
};
template <class Fn> const void* Entry(Fn fn) {
    return reinterpret_cast<const void*>(fn);
}

TEST_CASE("every description slot removes exactly the arguments the host pushes") {
    const int start = LiveBlocks();
    const SlotCheck check;
    HostPlugInfo* info = NewPlugInfo();
    const HostPlugInfoVtbl* v = info->lpVtbl;
    const std::uint32_t self = Word(info);
    void* q = nullptr;
    check("QueryInterface", Entry(v->QueryInterface), {self, Word(&IID_IVNPlugInfo_), Word(&q)});
    check("AddRef", Entry(v->AddRef), {self});
    check("Release", Entry(v->Release), {self});
    check("Release", Entry(v->Release), {self});
    BSTR wide = nullptr;
    char* ansi = nullptr;
    for (auto slot : {v->GetKeyName, v->GetPlugProcName, v->GetPlugName, v->GetPlugText, v->GetPlugDate,
                      v->GetPlugVersion, v->GetUpdateSQLFilePath}) {
        check("a WideString slot", Entry(slot), {Word(&wide), self});
        SysFreeString(wide);
        wide = nullptr;
    }
    for (auto slot : {v->PlunParentMenuInfo, v->PlunMenuInfo}) {
        check("a String slot", Entry(slot), {Word(&ansi), self});
        HostReleaseAnsi(ansi);
        ansi = nullptr;
    }
    check("Reserved1", Entry(v->Reserved1), {self});
    check("GetPlugType", Entry(v->GetPlugType), {self});
    check("GetPlugIsAuto", Entry(v->GetPlugIsAuto), {self});
    check("PlugAutoRun", Entry(v->PlugAutoRun), {self});
    check("GetPlugIsConfig", Entry(v->GetPlugIsConfig), {self});
    check("PlugConfig", Entry(v->PlugConfig), {self});
    check("Reserved2", Entry(v->Reserved2), {self});
    check("Reserved3", Entry(v->Reserved3), {self});
    CHECK_EQ(v->Release(info), 0u);
    CHECK_EQ(LiveBlocks(), start);
}

TEST_CASE("every transaction slot removes exactly the arguments the host pushes") {
    const int start = LiveBlocks();
    static FakeBill bill;
    const SlotCheck check;
    KeptHost();
    HostRetailPlugin* p = NewRetailPlugin();
    const HostRetailPluginVtbl* v = p->lpVtbl;
    const std::uint32_t self = Word(p);
    void* q = nullptr;
    VARIANT params, grid, result;
    VariantInit(&params);
    VariantInit(&grid);
    VariantInit(&result);
    char* ansi = nullptr;
    char* version = HostNewAnsi("1.0");
    check("QueryInterface", Entry(v->QueryInterface), {self, Word(&IID_IRetailPlugin_), Word(&q)});
    check("AddRef", Entry(v->AddRef), {self});
    check("Release", Entry(v->Release), {self});
    check("Release", Entry(v->Release), {self});
    check("About", Entry(v->About), {self});
    check("CheckVersion", Entry(v->CheckVersion), {self, Word(version)});
    check("DownURL", Entry(v->DownURL), {Word(&ansi), self});
    check("ExecuteAction", Entry(v->ExecuteAction), {self, 7});
    check("GetLastError", Entry(v->GetLastError), {Word(&ansi), self});
    check("GetLastErrorID", Entry(v->GetLastErrorID), {self});
    check("InitPlugin", Entry(v->InitPlugin), {self, Word(&KeptHost().iface)});
    check("InitTransPlugin", Entry(v->InitTransPlugin), {self, Word(&bill.iface)});
    check("InitExistInterFace", Entry(v->InitExistInterFace), {self, Word(&KeptExistForm().iface)});
    check("InitReportInterFace", Entry(v->InitReportInterFace), {self, Word(&KeptReport().iface)});
    check("ClearPlugInfo", Entry(v->ClearPlugInfo), {self});
    for (auto slot : {v->BeforeSave, v->AfterSave, v->CheckData, v->BeforeVipCard, v->AfterVipCard,
                      v->BeforePtyeInsert, v->BeforeAcct, v->AfterAcct, v->GetSBCard})
        check("a var OleVariant hook", Entry(slot), {self, Word(&params)});
    check("BeforePrint", Entry(v->BeforePrint), {self, Word(&grid), Word(&params)});
    check("CheckGridRow", Entry(v->CheckGridRow), {self, 2, Word(&params)});
    check("AfterPtyeInsert", Entry(v->AfterPtyeInsert), {self, 2, Word(&params)});
    check("IniGridFields", Entry(v->IniGridFields), {self, 0});
    check("ssBalaInfo", Entry(v->ssBalaInfo), {self, Word(&params)});
    check("ssPrintItems", Entry(v->ssPrintItems), {Word(&result), self});
    check("GetConfigPostCode", Entry(v->GetConfigPostCode), {Word(&ansi), self});
    for (auto slot : {v->ShowSBCard, v->ssPtypeDz})
        check("a hook without arguments", Entry(slot), {self});
    for (auto slot :
         {v->ClearCardInfo, v->ssEvaluateBalance, v->ssBalance, v->ssClearEvaluateBalance,
          v->ssClearCloseMulAccount, v->CanelBalance, v->CheckCanUseSS, v->ssNeedEvaluateBalance,
          v->IsNeedReadCard, v->IsNeedPtypDZ, v->IsNeedRetailBack, v->ssInit, v->ssFree, v->ssConfig})
        check("a Boolean hook", Entry(slot), {self});
    VariantClear(&params);
    VariantClear(&grid);
    VariantClear(&result);
    HostReleaseAnsi(ansi);
    HostReleaseAnsi(version);
    v->Release(p);
    CHECK_EQ(LiveBlocks(), start);
}

TEST_CASE("the four exports remove their one argument") {
    const SlotCheck check;
    KeptHost();
    void* slot = nullptr;
    check("CreatePlugInfo", Entry(Plugin().CreatePlugInfo), {Word(&slot)});
    static_cast<HostPlugInfo*>(slot)->lpVtbl->Release(static_cast<HostPlugInfo*>(slot));
    slot = nullptr;
    check("CreateRetailPlug", Entry(Plugin().CreateRetailPlug), {Word(&slot)});
    static_cast<HostRetailPlugin*>(slot)->lpVtbl->Release(static_cast<HostRetailPlugin*>(slot));
    char* arg = HostNewAnsi("x");
    check("TkvjobLink", Entry(Plugin().TkvjobLink), {Word(arg)});
    check("TkvPrint", Entry(Plugin().TkvPrint), {Word(arg)});
    CHECK_EQ(HostAnsiRefCount(arg), 1);
    HostReleaseAnsi(arg);
}

TEST_CASE("a slot called through a wrong signature moves the stack pointer") {
    HostPlugInfo* info = NewPlugInfo();
    // One word more than GetPlugType takes: the callee removes one, the other stays.
    const PushedCall extra = CallPushed(Entry(info->lpVtbl->GetPlugType), {Word(info), 0});
    CHECK_EQ(extra.stackChange, -4);
    CHECK_EQ(extra.eax & 0xFF, 1u);
    // A function of the C convention leaves every word to its caller.
    char* out = nullptr;
    const PushedCall callerCleans = CallPushed(Entry(Probe().AnsiEcho), {0, Word(&out)});
    CHECK_EQ(callerCleans.stackChange, -8);
    HostReleaseAnsi(out);
    info->lpVtbl->Release(info);
}

#endif

TEST_CASE("two CreatePlugInfo calls give the same object and the host's releases free it") {
    HostPlugInfo* a = NewPlugInfo();
    HostPlugInfo* b = NewPlugInfo();
    CHECK(a != nullptr);
    CHECK(a == b);
    CHECK_EQ(a->lpVtbl->AddRef(a), 3u);
    CHECK_EQ(a->lpVtbl->Release(a), 2u);
    CHECK_EQ(b->lpVtbl->Release(b), 1u);
    CHECK_EQ(a->lpVtbl->Release(a), 0u);
    HostPlugInfo* c = NewPlugInfo();
    CHECK(c != nullptr);
    CHECK_EQ(c->lpVtbl->Release(c), 0u);
}

TEST_CASE("CreatePlugInfo releases what the host's slot held") {
    void* slot = nullptr;
    Plugin().CreatePlugInfo(&slot);
    HostPlugInfo* first = static_cast<HostPlugInfo*>(slot);
    first->lpVtbl->AddRef(first);   // the host's second variable
    Plugin().CreatePlugInfo(&slot); // the slot's old reference is dropped
    CHECK(slot == first);
    CHECK_EQ(first->lpVtbl->Release(first), 1u);
    CHECK_EQ(first->lpVtbl->Release(first), 0u);
}

TEST_CASE("the description answers IVNPlugInfo and IUnknown only") {
    HostPlugInfo* info = NewPlugInfo();
    void* q = nullptr;
    CHECK_EQ(info->lpVtbl->QueryInterface(info, &IID_IVNPlugInfo_, &q), S_OK);
    CHECK(q == info);
    CHECK_EQ(info->lpVtbl->QueryInterface(info, &IID_IUnknown_, &q), S_OK);
    CHECK(q == info);
    q = info;
    CHECK_EQ(info->lpVtbl->QueryInterface(info, &IID_IRetailPlugin_, &q), E_NOINTERFACE);
    CHECK(q == nullptr);
    CHECK_EQ(info->lpVtbl->QueryInterface(info, &IID_Other, &q), E_NOINTERFACE);
    CHECK_EQ(info->lpVtbl->Release(info), 2u);
    CHECK_EQ(info->lpVtbl->Release(info), 1u);
    CHECK_EQ(info->lpVtbl->Release(info), 0u);
}

TEST_CASE("every description text and value, in slot order") {
    const int start = LiveBlocks();
    HostPlugInfo* info = NewPlugInfo();
    const HostPlugInfoVtbl* v = info->lpVtbl;
    CHECK_EQ(Wide(info, v->GetKeyName), std::string("Tkvfp"));
    v->Reserved1(info);
    CHECK_EQ(Wide(info, v->GetPlugProcName), std::string("CreateRetailPlug"));
    CHECK_EQ(Wide(info, v->GetPlugName), std::string("Tkv厂家发票管理"));
    CHECK_EQ(v->GetPlugType(info), 1);
    CHECK_EQ(Wide(info, v->GetPlugText), std::string("Tkv厂家发票管理插件"));
    CHECK_EQ(Wide(info, v->GetPlugDate), std::string("2017-08-07"));
    CHECK_EQ(Wide(info, v->GetPlugVersion), std::string("1.0"));
    CHECK_EQ(v->GetPlugIsAuto(info) & 0xFF, 1);
    CHECK_EQ(v->PlugAutoRun(info), 8);
    CHECK_EQ(v->GetPlugIsConfig(info) & 0xFF, 0);
    v->Reserved2(info);
    const std::string path = Wide(info, v->GetUpdateSQLFilePath);
    const std::string tail = "\\PlugData\\TkvUpgrade.SQL";
    CHECK(path.size() > tail.size() && path.compare(path.size() - tail.size(), tail.size(), tail) == 0);
    v->Reserved3(info);
    char* parent = HostNewAnsi("old");
    v->PlunParentMenuInfo(&parent, info);
    CHECK_EQ(HostAnsiBytes(parent), Gbk("$$tkvmenu#10007=28,1,Tkv厂家发票管理\r\n"));
    CHECK_EQ(HostAnsiRefCount(parent), 1);
    char* menu = nullptr;
    v->PlunMenuInfo(&menu, info);
    CHECK_EQ(HostAnsiBytes(menu),
             Gbk("10007=厂家品种发票图片关联管理,TkvjobLink\r\n10007=厂家品种发票图片打印,TkvPrint\r\n"));
    // The same answers on every call.
    char* again = nullptr;
    v->PlunMenuInfo(&again, info);
    CHECK_EQ(HostAnsiBytes(again), HostAnsiBytes(menu));
    HostReleaseAnsi(parent);
    HostReleaseAnsi(menu);
    HostReleaseAnsi(again);
    CHECK_EQ(v->Release(info), 0u);
    CHECK_EQ(LiveBlocks(), start);
}

TEST_CASE("two CreateRetailPlug calls give the same object, which answers IRetailPlugin and IUnknown") {
    HostRetailPlugin* a = NewRetailPlugin();
    HostRetailPlugin* b = NewRetailPlugin();
    CHECK(a != nullptr);
    CHECK(a == b);
    void* q = nullptr;
    CHECK_EQ(a->lpVtbl->QueryInterface(a, &IID_IRetailPlugin_, &q), S_OK);
    CHECK(q == a);
    CHECK_EQ(a->lpVtbl->QueryInterface(a, &IID_IUnknown_, &q), S_OK);
    CHECK_EQ(a->lpVtbl->QueryInterface(a, &IID_IVNPlugInfo_, &q), E_NOINTERFACE);
    CHECK(q == nullptr);
    CHECK_EQ(a->lpVtbl->Release(a), 3u);
    CHECK_EQ(a->lpVtbl->Release(a), 2u);
    CHECK_EQ(a->lpVtbl->Release(a), 1u);
    CHECK_EQ(b->lpVtbl->Release(b), 0u);
}

TEST_CASE("InitPlugin keeps the first host interface and asks it for AppHandle every time") {
    FakeMain& first = KeptHost();
    static FakeMain second;
    CHECK_EQ(first.ref, 1);
    const int calls = first.appHandleCalls;
    CHECK(calls >= 1);
    HostRetailPlugin* p = NewRetailPlugin();
    p->lpVtbl->InitPlugin(p, &second.iface);
    CHECK_EQ(second.ref, 0);
    CHECK_EQ(second.appHandleCalls, 0);
    CHECK_EQ(first.appHandleCalls, calls + 1);
    CHECK_EQ(first.ref, 1);
    p->lpVtbl->Release(p);
}

TEST_CASE("InitTransPlugin replaces the bill; the framework and report interfaces keep the first") {
    static FakeBill bill1, bill2;
    FakeExistForm& form1 = KeptExistForm();
    FakeReport& report1 = KeptReport();
    static FakeExistForm form2;
    static FakeReport report2;
    HostRetailPlugin* p = NewRetailPlugin();
    p->lpVtbl->InitTransPlugin(p, &bill1.iface);
    CHECK_EQ(bill1.ref, 1);
    p->lpVtbl->InitTransPlugin(p, &bill2.iface);
    CHECK_EQ(bill1.ref, 0);
    CHECK_EQ(bill2.ref, 1);
    p->lpVtbl->InitExistInterFace(p, &form1.iface);
    p->lpVtbl->InitExistInterFace(p, &form2.iface);
    CHECK_EQ(form1.ref, 1);
    CHECK_EQ(form2.ref, 0);
    p->lpVtbl->InitReportInterFace(p, &report1.iface);
    p->lpVtbl->InitReportInterFace(p, &report2.iface);
    CHECK_EQ(report1.ref, 1);
    CHECK_EQ(report2.ref, 0);
    CHECK(report1.calls.empty());
    p->lpVtbl->Release(p);
}

TEST_CASE("the plain hooks answer their fixed values and leave Params usable") {
    const int start = LiveBlocks();
    HostRetailPlugin* p = NewRetailPlugin();
    const HostRetailPluginVtbl* v = p->lpVtbl;
    v->About(p);
    char* ver = HostNewAnsi("1.0");
    CHECK_EQ(v->CheckVersion(p, ver) & 0xFF, 0);
    CHECK_EQ(HostAnsiRefCount(ver), 1);
    HostReleaseAnsi(ver);
    char* url = HostNewAnsi("old");
    v->DownURL(&url, p);
    CHECK(url == nullptr);
    v->ExecuteAction(p, 3);
    char* err = nullptr;
    v->GetLastError(&err, p);
    CHECK(err == nullptr);
    CHECK_EQ(v->GetLastErrorID(p), 0);
    VARIANT params = VarArrayOf({VarStr("x")}), grid;
    VariantInit(&grid);
    CHECK_EQ(v->AfterSave(p, &params) & 0xFF, 1);
    CHECK_EQ(v->BeforePrint(p, &grid, &params) & 0xFF, 0);
    CHECK_EQ(v->CheckData(p, &params) & 0xFF, 0);
    CHECK_EQ(v->CheckGridRow(p, 2, &params) & 0xFF, 0);
    v->IniGridFields(p, nullptr);
    CHECK_EQ(v->BeforeVipCard(p, &params) & 0xFF, 0);
    CHECK_EQ(v->AfterVipCard(p, &params) & 0xFF, 0);
    CHECK_EQ(v->BeforePtyeInsert(p, &params) & 0xFF, 0);
    CHECK_EQ(v->AfterPtyeInsert(p, 1, &params) & 0xFF, 0);
    CHECK_EQ(v->BeforeAcct(p, &params) & 0xFF, 0);
    CHECK_EQ(v->AfterAcct(p, &params) & 0xFF, 0);
    CHECK_EQ(StrAtOrEmpty(params), std::string("x"));
    // Whatever the host passes to a hook with a fixed answer comes back as it was, bit for bit.
    LONG referenced = 42;
    VARIANT odd[4];
    for (VARIANT& o : odd)
        VariantInit(&o);
    VarDecFromR8(12.5, &odd[0].decVal);
    odd[0].vt = VT_DECIMAL; // after the value: a DECIMAL covers the variant's type field
    odd[1].vt = VT_UNKNOWN; // an interface, here a null one
    SAFEARRAYBOUND bounds[2] = {{2, 0}, {3, 1}};
    odd[2].vt = VT_ARRAY | VT_I4;
    odd[2].parray = SafeArrayCreate(VT_I4, 2, bounds);
    odd[3].vt = VT_BYREF | VT_I4;
    odd[3].plVal = &referenced;
    for (VARIANT& o : odd) {
        const VARIANT before = o;
        CHECK_EQ(v->AfterSave(p, &o) & 0xFF, 1);
        CHECK_EQ(v->BeforePrint(p, &o, &o) & 0xFF, 0);
        for (auto slot : {v->CheckData, v->BeforeVipCard, v->AfterVipCard, v->BeforePtyeInsert, v->BeforeAcct,
                          v->AfterAcct})
            CHECK_EQ(slot(p, &o) & 0xFF, 0);
        CHECK_EQ(v->CheckGridRow(p, 1, &o) & 0xFF, 0);
        CHECK_EQ(v->AfterPtyeInsert(p, 1, &o) & 0xFF, 0);
        CHECK(std::memcmp(&before, &o, sizeof o) == 0);
    }
    CHECK_EQ(referenced, 42);
    SafeArrayDestroy(odd[2].parray);
    CHECK_EQ(v->ssClearCloseMulAccount(p) & 0xFF, 1);
    CHECK_EQ(v->ssNeedEvaluateBalance(p) & 0xFF, 1);
    CHECK_EQ(v->IsNeedReadCard(p) & 0xFF, 1);
    CHECK_EQ(v->IsNeedPtypDZ(p) & 0xFF, 1);
    CHECK_EQ(v->IsNeedRetailBack(p) & 0xFF, 0);
    CHECK_EQ(v->ssFree(p) & 0xFF, 1);
    v->ClearPlugInfo(p);
    VariantClear(&params);
    v->Release(p);
    CHECK_EQ(LiveBlocks(), start);
}

TEST_CASE("ssBalaInfo hands the host a TPlugParams packet of the settlement figures") {
    HostRetailPlugin* p = NewRetailPlugin();
    VARIANT params;
    VariantInit(&params);
    p->lpVtbl->ssBalaInfo(p, &params);
    CHECK_EQ(params.vt, VARTYPE(VT_ARRAY | VT_VARIANT));
    CHECK_EQ(CountOf(params), 4);
    const char* names[] = {"Balance_sb", "Balance_Cash", "Balance_Bala", "Balance_no"};
    for (LONG i = 0; i < 4 && CountOf(params) == 4; ++i) {
        VARIANT e = ElementOf(params, i);
        CHECK_EQ(CountOf(e), 7);
        VARIANT name = ElementOf(e, 0);
        CHECK_EQ(FromBstr(name.bstrVal), std::string(names[i]));
        VariantClear(&name);
        VariantClear(&e);
    }
    VariantClear(&params);
    p->lpVtbl->Release(p);
}

TEST_CASE("insurance answers without a settings file: switch off, no post code") {
    const int start = LiveBlocks();
    HostRetailPlugin* p = NewRetailPlugin();
    CHECK_EQ(p->lpVtbl->CheckCanUseSS(p) & 0xFF, 0);
    char* code = HostNewAnsi("old");
    p->lpVtbl->GetConfigPostCode(&code, p);
    CHECK(code == nullptr);
    p->lpVtbl->Release(p);
    CHECK_EQ(LiveBlocks(), start);
}

TEST_CASE("the remaining hooks answer as without insurance settings, and ssPrintItems is a packet") {
    const int start = LiveBlocks();
    KeptHost();
    HostRetailPlugin* p = NewRetailPlugin();
    const HostRetailPluginVtbl* v = p->lpVtbl;
    VARIANT params = VarArrayOf({VarStr("x")});
    CHECK_EQ(v->BeforeSave(p, &params) & 0xFF, 0);
    CHECK_EQ(v->GetSBCard(p, &params) & 0xFF, 0);
    CHECK_EQ(StrAtOrEmpty(params), std::string("x"));
    VariantClear(&params);
    v->ShowSBCard(p);
    CHECK_EQ(v->ClearCardInfo(p) & 0xFF, 1);
    CHECK_EQ(v->ssEvaluateBalance(p) & 0xFF, 0);
    CHECK_EQ(v->ssBalance(p) & 0xFF, 0);
    CHECK_EQ(v->ssClearEvaluateBalance(p) & 0xFF, 1); // nothing went up: nothing to withdraw
    CHECK_EQ(v->CanelBalance(p) & 0xFF, 0);
    CHECK_EQ(v->ssInit(p) & 0xFF, 0);
    CHECK_EQ(v->ssConfig(p) & 0xFF, 0);
    VARIANT items;
    VariantInit(&items);
    items.vt = VT_I4; // replaced, not merged
    v->ssPrintItems(&items, p);
    CHECK_EQ(items.vt, VARTYPE(VT_ARRAY | VT_VARIANT));
    // The three payment figures and the card's five items (empty: no card was read).
    CHECK_EQ(CountOf(items), 8);
    VariantClear(&items);
    HostPlugInfo* info = NewPlugInfo();
    CHECK_EQ(info->lpVtbl->PlugConfig(info) & 0xFF, 0);
    info->lpVtbl->Release(info);
    v->Release(p);
    CHECK_EQ(LiveBlocks(), start);
}

// The library shows its errors in its own error box (the window runner is installed when it loads),
// not through the host: the host hears nothing, the hook answers False and leaves its argument.
TEST_CASE("an error inside a hook goes to the plug-in's error box and the hook answers False") {
    FakeMain& host = KeptHost();
    const size_t before = host.messages.size();
    HostRetailPlugin* p = NewRetailPlugin();
    // A value the plug-in cannot hold: converting the argument of a hook that reads it raises.
    VARIANT params;
    VariantInit(&params);
    params.vt = VT_UNKNOWN;
    params.punkVal = nullptr;
    CHECK_EQ(p->lpVtbl->GetSBCard(p, &params) & 0xFF, 0);
    CHECK_EQ(params.vt, VARTYPE(VT_UNKNOWN));
    CHECK_EQ(host.messages.size(), before);
    p->lpVtbl->Release(p);
}

// This host has no display, so neither the association window nor the print window can open: the
// exports report it in the plug-in's own error box (not through the host) and return, the host's
// string untouched.
TEST_CASE("a menu export whose window cannot open returns") {
    FakeMain& host = KeptHost();
    const size_t before = host.messages.size();
    char* arg = HostNewAnsi("x");
    Plugin().TkvjobLink(arg);
    Plugin().TkvPrint(nullptr);
    CHECK_EQ(HostAnsiRefCount(arg), 1);
    HostReleaseAnsi(arg);
    CHECK_EQ(host.messages.size(), before);
}

} // namespace abitest

#endif
