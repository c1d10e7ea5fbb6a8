// Strings, variants and the host tables across the boundary, driven through the probe library:
// what arrives at the host's slots, what the plug-in side gets back, and that no string leaks.
#include "Check.h"
#include "FakeHost.h"
#include "HostStrings.h"
#include "TestLibraries.h"

#include <cmath>

namespace abitest {
namespace {

struct Holder {
    VARIANT v;
    Holder() { VariantInit(&v); }
    ~Holder() { VariantClear(&v); }
};

std::string StrAt(const VARIANT& arr, LONG i) {
    VARIANT e = ElementOf(arr, i);
    std::string s = e.vt == VT_BSTR ? FromBstr(e.bstrVal) : "<vt " + std::to_string(e.vt) + ">";
    VariantClear(&e);
    return s;
}

LONG IntAt(const VARIANT& arr, LONG i) {
    VARIANT e = ElementOf(arr, i);
    VARIANT c;
    VariantInit(&c);
    const LONG r = SUCCEEDED(VariantChangeType(&c, &e, 0, VT_I4)) ? c.lVal : -999999;
    VariantClear(&e);
    VariantClear(&c);
    return r;
}

VARTYPE TypeAt(const VARIANT& arr, LONG i) {
    VARIANT e = ElementOf(arr, i);
    const VARTYPE t = e.vt;
    VariantClear(&e);
    return t;
}

} // namespace

TEST_CASE("system code page is 936") {
    CHECK_EQ(GetACP(), 936u);
}

TEST_CASE("8-bit strings pass both ways without leaks") {
    const int start = LiveBlocks();
    char* in = HostNewAnsi(Gbk("阿莫西林"));
    char* out = HostNewAnsi("old value");
    Probe().AnsiEcho(in, &out);
    CHECK_EQ(HostAnsiBytes(out), Gbk("阿莫西林-回"));
    CHECK_EQ(HostAnsiRefCount(out), 1);
    CHECK_EQ(HostAnsiRefCount(in), 1);
    HostReleaseAnsi(in);
    HostReleaseAnsi(out);
    CHECK_EQ(LiveBlocks(), start);
}

TEST_CASE("the empty 8-bit string is null in both directions") {
    const int start = LiveBlocks();
    char* out = nullptr;
    Probe().AnsiEcho(nullptr, &out);
    CHECK_EQ(HostAnsiBytes(out), Gbk("-回"));
    HostReleaseAnsi(out);
    CHECK_EQ(LiveBlocks(), start);
}

TEST_CASE("byte arrays come back with lower bound 0 and the same bytes") {
    Holder in, out;
    in.v = VarBytes({9, 8, 7, 0, 255}, 5);
    CHECK_EQ(Probe().VariantEcho(&in.v, &out.v), S_OK);
    CHECK_EQ(out.v.vt, VARTYPE(VT_ARRAY | VT_UI1));
    CHECK_EQ(LowBoundOf(out.v), 0);
    CHECK(BytesOf(out.v) == (std::vector<std::uint8_t>{9, 8, 7, 0, 255}));
}

TEST_CASE("an empty byte array stays an empty byte array") {
    Holder in, out;
    in.v = VarBytes({});
    CHECK_EQ(Probe().VariantEcho(&in.v, &out.v), S_OK);
    CHECK_EQ(out.v.vt, VARTYPE(VT_ARRAY | VT_UI1));
    CHECK_EQ(CountOf(out.v), 0);
}

TEST_CASE("nested variant arrays keep types and values") {
    VARIANT d, cy, b, n, e, i2, r8;
    VariantInit(&d);
    d.vt = VT_DATE;
    d.date = 42954.5; // 2017-08-07 12:00
    VariantInit(&cy);
    cy.vt = VT_CY;
    cy.cyVal.int64 = 125000; // 12.5
    VariantInit(&b);
    b.vt = VT_BOOL;
    b.boolVal = VARIANT_TRUE;
    VariantInit(&n);
    n.vt = VT_NULL;
    VariantInit(&e);
    VariantInit(&i2);
    i2.vt = VT_I2;
    i2.iVal = -3;
    VariantInit(&r8);
    r8.vt = VT_R8;
    r8.dblVal = 0.25;
    Holder in, out;
    in.v =
        VarArrayOf({VarStr("厂家品种发票"), VarI4(-7), d, cy, b, n, e, i2, r8, VarArrayOf({VarStr("内层")})});
    CHECK_EQ(Probe().VariantEcho(&in.v, &out.v), S_OK);
    CHECK_EQ(out.v.vt, VARTYPE(VT_ARRAY | VT_VARIANT));
    CHECK_EQ(CountOf(out.v), 10);
    CHECK_EQ(StrAt(out.v, 0), std::string("厂家品种发票"));
    CHECK_EQ(IntAt(out.v, 1), -7);
    const VARTYPE expected[] = {VT_BSTR, VT_I4, VT_DATE, VT_CY, VT_BOOL, VT_NULL, VT_EMPTY, VT_I2, VT_R8};
    for (LONG i = 0; i < 9; ++i)
        CHECK_EQ(TypeAt(out.v, i), expected[i]);
    VARIANT dd = ElementOf(out.v, 2), cc = ElementOf(out.v, 3), bb = ElementOf(out.v, 4),
            rr = ElementOf(out.v, 8);
    CHECK(std::fabs(dd.date - 42954.5) < 1e-9);
    CHECK_EQ(cc.cyVal.int64, 125000);
    CHECK_EQ(bb.boolVal, VARIANT_TRUE);
    CHECK_EQ(rr.dblVal, 0.25);
    VARIANT inner = ElementOf(out.v, 9);
    CHECK_EQ(StrAt(inner, 0), std::string("内层"));
    VariantClear(&inner);
}

TEST_CASE("a variant the core cannot hold is refused") {
    Holder in, out;
    in.v.vt = VT_UNKNOWN;
    in.v.punkVal = nullptr;
    CHECK_EQ(Probe().VariantEcho(&in.v, &out.v), E_INVALIDARG);
}

TEST_CASE("an array that holds something else than its variant states is refused") {
    // Variants stated as integers: copying one into an integer's slot would write past it.
    Holder lying, out;
    lying.v = VarArrayOf({VarI4(1), VarI4(2)});
    lying.v.vt = VT_ARRAY | VT_I4;
    CHECK_EQ(Probe().VariantEcho(&lying.v, &out.v), E_INVALIDARG);
    // Integers stated as strings would be read as string pointers.
    SAFEARRAY* ints = SafeArrayCreateVector(VT_I4, 0, 2);
    Holder asStrings;
    asStrings.v.vt = VT_ARRAY | VT_BSTR;
    asStrings.v.parray = ints;
    CHECK_EQ(Probe().VariantEcho(&asStrings.v, &out.v), E_INVALIDARG);
    // A typed array that is what it says still crosses, as variants of its type.
    SAFEARRAY* typed = SafeArrayCreateVector(VT_I2, 1, 2);
    for (LONG i = 1; i <= 2; ++i) {
        SHORT value = static_cast<SHORT>(-i);
        SafeArrayPutElement(typed, &i, &value);
    }
    Holder honest;
    honest.v.vt = VT_ARRAY | VT_I2;
    honest.v.parray = typed;
    CHECK_EQ(Probe().VariantEcho(&honest.v, &out.v), S_OK);
    CHECK_EQ(CountOf(out.v), 2);
    CHECK_EQ(TypeAt(out.v, 1), VARTYPE(VT_I2));
    CHECK_EQ(IntAt(out.v, 1), -2);
}

TEST_CASE("references that point nowhere or to themselves are refused") {
    Holder out;
    VARIANT nowhere;
    VariantInit(&nowhere);
    nowhere.vt = VT_BYREF | VT_BSTR;
    nowhere.pbstrVal = nullptr;
    CHECK_EQ(Probe().VariantEcho(&nowhere, &out.v), E_INVALIDARG);
    nowhere.vt = VT_BYREF | VT_ARRAY | VT_VARIANT;
    nowhere.pparray = nullptr;
    CHECK_EQ(Probe().VariantEcho(&nowhere, &out.v), E_INVALIDARG);
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_BYREF | VT_VARIANT;
    self.pvarVal = &self;
    CHECK_EQ(Probe().VariantEcho(&self, &out.v), E_INVALIDARG);
    // A reference to a value reads as the value.
    LONG value = 77;
    VARIANT ref;
    VariantInit(&ref);
    ref.vt = VT_BYREF | VT_I4;
    ref.plVal = &value;
    CHECK_EQ(Probe().VariantEcho(&ref, &out.v), S_OK);
    CHECK_EQ(out.v.vt, VARTYPE(VT_I4));
    CHECK_EQ(out.v.lVal, 77);
}

TEST_CASE("arrays nested deeper than any packet are refused, packets' depths are not") {
    auto nest = [](int levels) {
        VARIANT v = VarI4(5);
        for (int i = 0; i < levels; ++i)
            v = VarArrayOf({v});
        return v;
    };
    Holder shallow, deep, out;
    shallow.v = nest(8);
    CHECK_EQ(Probe().VariantEcho(&shallow.v, &out.v), S_OK);
    deep.v = nest(200);
    CHECK_EQ(Probe().VariantEcho(&deep.v, &out.v), E_INVALIDARG);
}

TEST_CASE("array indexes may end at the largest index, not past it") {
    Holder atEnd, past, out;
    atEnd.v = VarBytes({1, 2}, 0x7FFFFFFE);
    CHECK_EQ(Probe().VariantEcho(&atEnd.v, &out.v), S_OK);
    CHECK(BytesOf(out.v) == (std::vector<std::uint8_t>{1, 2}));
    SAFEARRAY* ints = SafeArrayCreateVector(VT_VARIANT, 0x7FFFFFFE, 3);
    past.v.vt = VT_ARRAY | VT_VARIANT;
    past.v.parray = ints;
    CHECK_EQ(Probe().VariantEcho(&past.v, &out.v), E_INVALIDARG);
}

TEST_CASE("procedure calls carry names and values in open arrays and bring packets back") {
    const int start = LiveBlocks();
    FakeMain host;
    Holder out;
    Probe().Mainintf(&host.iface, &out.v);
    CHECK_EQ(host.unexpectedCalls, 0);
    CHECK_EQ(host.ref, 0); // the adapter released its reference
    CHECK_EQ(host.procCalls.size(), size_t(3));
    if (host.procCalls.size() == 3) {
        const ProcCall& c = host.procCalls[0];
        CHECK_EQ(c.proc, std::string("Zk_TkGetJobLink"));
        CHECK(c.names == (std::vector<std::string>{"@brec", "@VoiceCode"}));
        CHECK_EQ(c.namesHigh, 1);
        CHECK_EQ(c.valuesHigh, 1);
        CHECK_EQ(c.firstValue, 7);
        CHECK_EQ(c.secondValue, std::string("发票A1"));
        CHECK(c.resultSlotEmpty);
        CHECK(c.outSlotEmpty);
        CHECK_EQ(host.procCalls[1].proc, std::string("zk_TkGetVoiceCodeImage"));
        CHECK_EQ(host.procCalls[2].proc, std::string("zk_SaveTkVoice"));
    }
    CHECK_EQ(CountOf(out.v), 17);
    CHECK_EQ(IntAt(out.v, 0), 1);
    VARIANT rs = ElementOf(out.v, 1);
    const std::string xml = ResultSetXml();
    CHECK(BytesOf(rs) == std::vector<std::uint8_t>(xml.begin(), xml.end()));
    VariantClear(&rs);
    // The output-parameter packet as the core received it.
    VARIANT params = ElementOf(out.v, 2);
    CHECK_EQ(CountOf(params), 2);
    VARIANT p0 = ElementOf(params, 0), p1 = ElementOf(params, 1);
    CHECK_EQ(StrAt(p0, 0), std::string("@voiceid"));
    CHECK_EQ(IntAt(p0, 1), 42);
    CHECK_EQ(IntAt(p0, 3), 2);
    CHECK_EQ(StrAt(p1, 0), std::string("@msg"));
    CHECK_EQ(StrAt(p1, 1), std::string("成功"));
    CHECK_EQ(IntAt(p1, 4), 50);
    VariantClear(&p0);
    VariantClear(&p1);
    VariantClear(&params);
    CHECK_EQ(IntAt(out.v, 3), 2);
    CHECK_EQ(IntAt(out.v, 5), 5);
    VARIANT execOut = ElementOf(out.v, 6);
    CHECK_EQ(CountOf(execOut), 2);
    VariantClear(&execOut);
    CHECK_EQ(IntAt(out.v, 7), -1); // True
    CHECK_EQ(StrAt(out.v, 8), std::string("管理员"));
    CHECK_EQ(StrAt(out.v, 9), std::string("库存不足"));
    CHECK_EQ(IntAt(out.v, 10), -1);
    CHECK(host.messages.size() == 3 && host.messages[0] == "sql|select 1 as 数量" &&
          host.messages[1] == "question|确定删除吗？|提示" && host.messages[2] == "msg|保存成功|提示");
    CHECK_EQ(IntAt(out.v, 11), -1);
    CHECK_EQ(IntAt(out.v, 12), 9);
    CHECK_EQ(StrAt(out.v, 13), std::string("图片9.jpg"));
    CHECK_EQ(host.savedFileNameIn, std::string("旧名.jpg"));
    CHECK(host.savedJpeg == (std::vector<std::uint8_t>{0xFF, 0xD8, 0xFF, 0xD9}));
    CHECK_EQ(host.savedJpegLow, 0);
    CHECK(host.pictureArrivedNull);
    VARIANT pic = ElementOf(out.v, 14);
    CHECK(BytesOf(pic) == (std::vector<std::uint8_t>{1, 2, 3}));
    VariantClear(&pic);
    CHECK_EQ(IntAt(out.v, 15), 0x1234);
    CHECK_EQ(StrAt(out.v, 16), std::string("阿莫西林/21/00001"));
    CHECK_EQ(LiveBlocks(), start);
}

TEST_CASE("the retail bill table answers code, details, account and id") {
    const int start = LiveBlocks();
    FakeBill bill;
    Holder out;
    Probe().Transinfo(&bill.iface, &out.v);
    CHECK_EQ(bill.ref, 0);
    CHECK_EQ(StrAt(out.v, 0), std::string("LS-2017-0001"));
    VARIANT detail = ElementOf(out.v, 1);
    CHECK_EQ(StrAt(detail, 0), std::string("阿莫西林"));
    VariantClear(&detail);
    CHECK_EQ(IntAt(out.v, 2), -1);
    CHECK(bill.accountSeen == (std::vector<std::string>{"现金", "12.5"}));
    CHECK_EQ(IntAt(out.v, 3), 77);
    VARIANT total = ElementOf(out.v, 4);
    CHECK_EQ(total.dblVal, 123.75);
    CHECK_EQ(bill.printName, std::string("医保"));
    CHECK_EQ(bill.printValue, 3.25);
    CHECK_EQ(LiveBlocks(), start);
}

TEST_CASE("framework-object getters come in table order and report calls pass their texts") {
    const int start = LiveBlocks();
    FakeExistForm form;
    FakeReport report;
    Holder out;
    Probe().ExistForm(&form.iface, &report.iface, &out.v);
    CHECK_EQ(form.ref, 0);
    CHECK_EQ(report.ref, 0);
    CHECK_EQ(CountOf(out.v), 23);
    for (LONG i = 0; i < 23; ++i)
        CHECK_EQ(IntAt(out.v, i), 1000 + i);
    CHECK(report.calls == (std::vector<std::string>{"open|日报", "int|数量|5", "float|金额|2.500000",
                                                    "string|名称|阿莫西林"}));
    // Every object arrived in EAX, where the framework's register convention puts it.
    CHECK_EQ(StrayRegisterCalls(), 0);
    CHECK_EQ(LiveBlocks(), start);
}

TEST_CASE("the print manager gets a real print item list in every form, never null") {
    const int start = LiveBlocks();
    FakeMain host;
    Probe().RunPrintManage(&host.iface);
    CHECK_EQ(host.unexpectedCalls, 0);
    CHECK_EQ(host.ref, 0);
    CHECK_EQ(host.printCalls.size(), size_t(3));
    if (host.printCalls.size() == 3) {
        const PrintCall& data = host.printCalls[0];
        CHECK_EQ(data.form, std::string("data"));
        CHECK_EQ(data.templateName, std::string("发票图片关联.rpt"));
        CHECK(!data.preview);
        CHECK_EQ(data.dataCount, 2);
        const PrintCall& datas = host.printCalls[1];
        CHECK_EQ(datas.form, std::string("datas"));
        CHECK(datas.preview);
        CHECK_EQ(datas.dataCount, 3);
        CHECK(datas.printOnlyOnce);
        CHECK(datas.items == (std::vector<std::string>{"单位=城西药房/0", "页数=3/2"}));
        const PrintCall& items = host.printCalls[2];
        CHECK_EQ(items.form, std::string("items"));
        CHECK_EQ(items.templateName, std::string("空白.rpt"));
        for (const PrintCall& c : host.printCalls) {
            CHECK(!c.itemsNull);
            // The host's own use of the list: the default item once, its own records through the
            // list's growth, and Clear, which frees them all.
            const size_t given = c.items.size();
            CHECK_EQ(c.countAfterDefaults, int(given) + 1);
            CHECK_EQ(c.defaultItem, std::string("RWX=RWX/0"));
            CHECK_EQ(c.countAfterSecondDefaults, int(given) + 1);
            CHECK(c.capacityAfterHostAdds >= int(given) + 6);
            CHECK_EQ(c.countAfterClear, 0);
        }
        CHECK(host.printCalls[0].items.empty());
        CHECK(!host.printCalls[0].printOnlyOnce);
        CHECK(host.printCalls[2].items.empty());
    }
    CHECK_EQ(LiveBlocks(), start);
}

TEST_CASE("an error in a slot reaches the default error display once; a silent end shows nothing") {
    const int start = LiveBlocks();
    FakeMain host;
    char* shown = nullptr;
    // Without a window runner in the library the host shows the error box.
    CHECK_EQ(Probe().GuardedError(&host.iface, 0, 0, &shown), -1);
    CHECK(host.messages == (std::vector<std::string>{"error|数据集打开失败|错误"}));
    CHECK(shown == nullptr);
    // With one, its default error display shows it, and the host is not asked.
    CHECK_EQ(Probe().GuardedError(&host.iface, 0, 1, &shown), -1);
    CHECK_EQ(FromGbk(HostAnsiBytes(shown)), std::string("数据集打开失败\n"));
    CHECK_EQ(host.messages.size(), size_t(1));
    CHECK_EQ(Probe().GuardedError(&host.iface, 2, 1, &shown), -1);
    CHECK_EQ(FromGbk(HostAnsiBytes(shown)), std::string("未知错误\n"));
    // A silent end answers failure without any box.
    CHECK_EQ(Probe().GuardedError(&host.iface, 1, 1, &shown), -1);
    CHECK(shown == nullptr);
    CHECK_EQ(Probe().GuardedError(&host.iface, 1, 0, &shown), -1);
    CHECK_EQ(host.messages.size(), size_t(1));
    CHECK_EQ(host.unexpectedCalls, 0);
    CHECK_EQ(host.ref, 0);
    HostReleaseAnsi(shown);
    CHECK_EQ(LiveBlocks(), start);
}

TEST_CASE("a control for preparation reaches the host as a raw table and is freed after the call") {
    const int start = LiveBlocks();
    FakeMain host;
    const int alive = Probe().InitBandGrid(&host.iface);
    CHECK_EQ(host.preparedControl, std::string("1|TBandGrid|grid_明细|2"));
    CHECK_EQ(alive, 0);
    CHECK_EQ(host.unexpectedCalls, 0);
    CHECK_EQ(LiveBlocks(), start);
}

} // namespace abitest
