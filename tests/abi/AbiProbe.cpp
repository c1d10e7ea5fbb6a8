// Test-only library for the boundary test host (x86_64 test build only, never part of the product):
// drives the host adapters and the marshaling layer from the plug-in side, so that the host can
// check what arrives at its tables and what the core receives back.
#include "abi/AnsiString.h"
#include "abi/ExistFormAdapter.h"
#include "abi/Guard.h"
#include "abi/MainintfAdapter.h"
#include "abi/TransinfoAdapter.h"
#include "abi/VariantMarshal.h"
#include "comm/Exception.h"
#include "comm/ModuleState.h"
#include "platform/Platform.h"
#include "system/PrintItemList.h"
#include "toolkit/FormRunner.h"

#include <atomic>

using namespace tkv;
using namespace tkv::abi;

namespace {

// A band grid as the toolkit would hand it over; counts its live instances.
std::atomic<int> liveControls{0};

class ProbeGrid final : public TInterfacedObject<IHostControl> {
public:
    ProbeGrid() { ++liveControls; }
    ~ProbeGrid() override { --liveControls; }
    std::int32_t QueryInterface(const TGUID&, void** obj) override {
        *obj = nullptr;
        return E_NOINTERFACE;
    }
    THostControlKind Kind() override { return THostControlKind::ckBandGrid; }
    std::string ClassName() override { return "TBandGrid"; }
    std::string Name() override { return "grid_明细"; }
    TBasicType BasicType() override { return btPtype; }
    void SetSelectHandler(IRecordSelectHandler*) override {}
    void SetBasicLookup(IBasicDataLookup*) override {}
};

// A form runner that only records its error boxes.
class ErrorBoxRunner final : public IFormRunner {
public:
    std::string shown;
    TModalResult ShowModal(TForm&) override { return mrCancel; }
    bool SelectFolder(WindowHandle, const std::string&, std::string&) override { return false; }
    bool OpenFiles(WindowHandle, const TOpenDialogOptions&, std::vector<std::string>&) override {
        return false;
    }
    std::shared_ptr<IPrinter> ExecutePrintDialog(WindowHandle) override { return nullptr; }
    void ShowErrorBox(const std::string& message) override { shown += message + "\n"; }
    void ShowMessage(TMessageKind, const std::string&, const std::string&) override {}
    bool AskQuestion(const std::string&, const std::string&) override { return false; }
};

} // namespace

extern "C" {

// A slot body that raises, run inside the boundary guard with the host main interface kept:
// `kind` 0 raises an error, 1 ends silently (EAbort), 2 raises something that is no std::exception.
// With `withRunner` a form runner is installed whose error boxes come back in `shown`. Answers the
// guard's value: 7 when the body returned, -1 (the failure value) when it raised.
__declspec(dllexport) int TkvProbeGuardedError(RawMainintf* host, int kind, int withRunner,
                                               AnsiChars* shown) {
    TModuleScope module;
    ModuleState().VNMainintf = WrapMainintf(host);
    ErrorBoxRunner runner;
    if (withRunner)
        SetFormRunner(&runner);
    const int r = Guarded(
        [&] {
            if (kind == 0)
                throw Exception("数据集打开失败");
            if (kind == 1)
                Abort();
            throw 42;
            return 7;
        },
        -1);
    SetFormRunner(nullptr);
    AnsiAssignUtf8(shown, runner.shown);
    return r;
}

// Hands a band grid to the host's InitBandGrid; answers how many probe controls are still alive.
__declspec(dllexport) int TkvProbeInitBandGrid(RawMainintf* host) {
    {
        ComPtr<IVNMainintf> main = WrapMainintf(host);
        ComPtr<IHostControl> grid(new ProbeGrid);
        main->InitBandGrid(grid.Get());
    }
    return liveControls;
}

// Calls the data, message and picture methods of the host's main table and hands back, in order:
// [0] result of OpenProcByName with outputs, [1] its result-set packet, [2] its output-parameter
// packet, [3] result of OpenProcByName without outputs, [4] its packet, [5] result of
// ExecuteProcByName, [6] its output packet, [7] OpenSql answer, [8] LoginUserName, [9] LastError,
// [10] Question answer, [11] SaveImage answer, [12] ordinal, [13] file name, [14] GetImage
// picture, [15] AppHandle, [16] GetBasicLocalValue.
__declspec(dllexport) void TkvProbeMainintf(RawMainintf* host, VARIANT* out) {
    ComPtr<IVNMainintf> main = WrapMainintf(host);
    const StringArray names = {"@brec", "@VoiceCode"};
    const VariantArray values = {OleVariant(std::int32_t{7}), OleVariant("发票A1")};
    OleVariant::Array r;
    OleVariant rs, outParams;
    r.push_back(main->OpenProcByName("Zk_TkGetJobLink", names, values, rs, outParams));
    r.push_back(rs);
    r.push_back(outParams);
    OleVariant rs2;
    r.push_back(main->OpenProcByName("zk_TkGetVoiceCodeImage", names, values, rs2));
    r.push_back(rs2);
    OleVariant execOut;
    r.push_back(main->ExecuteProcByName("zk_SaveTkVoice", names, values, execOut));
    r.push_back(execOut);
    OleVariant sqlRs;
    r.push_back(main->OpenSql("select 1 as 数量", sqlRs));
    r.push_back(OleVariant(main->LoginUserName()));
    r.push_back(OleVariant(main->LastError()));
    r.push_back(main->Question("确定删除吗？", "提示"));
    main->ShowMsg("保存成功", "提示");
    std::int32_t ordinal = 0;
    std::string fileName = "旧名.jpg";
    r.push_back(main->SaveImage(OleVariant::ByteArray({0xFF, 0xD8, 0xFF, 0xD9}), ordinal, fileName));
    r.push_back(ordinal);
    r.push_back(OleVariant(fileName));
    OleVariant picture = OleVariant::Null();
    main->GetImage(picture, 3, "图片3.jpg");
    r.push_back(picture);
    r.push_back(OleVariant::Int64(static_cast<std::int64_t>(main->AppHandle())));
    r.push_back(OleVariant(main->GetBasicLocalValue(fl::flPFullName, "00001")));
    AssignVariant(out, OleVariant::VarArray(std::move(r)));
}

// Each form of the host's print manager: the data packet form with an empty list, the packets
// form with a list of two items printed once, and the items form without a list from the core.
__declspec(dllexport) void TkvProbeRunPrintManage(RawMainintf* host) {
    ComPtr<IVNMainintf> main = WrapMainintf(host);
    TPrintItemList empty;
    main->RunPrintManage("发票图片关联.rpt", &empty,
                         OleVariant::VarArray({OleVariant(std::int32_t{1}), OleVariant(std::int32_t{2})}),
                         false);
    TPrintItemList two;
    two.FPRINTONLYONCE = true;
    two.Add("单位", OleVariant("城西药房"), vtString);
    two.Add("页数", OleVariant(std::int32_t{3}), vtInteger);
    main->RunPrintManage(
        "发票图片.rpt", &two,
        VariantArray{OleVariant(std::int32_t{1}), OleVariant(std::int32_t{2}), OleVariant(std::int32_t{3})},
        true);
    main->RunPrintManage("空白.rpt", nullptr, false);
}

// A variant through the core and back: VARIANT -> OleVariant -> VARIANT.
__declspec(dllexport) HRESULT TkvProbeVariantEcho(const VARIANT* in, VARIANT* out) {
    try {
        AssignVariant(out, FromVariant(in));
        return S_OK;
    } catch (const EVariantError&) {
        return E_INVALIDARG;
    }
}

// A profile value written through the platform, as the core writes remembered settings (UTF-8
// names): 1 when the write was taken, 0 when it raised.
__declspec(dllexport) int TkvProbeWriteProfile(const char* file, const char* section, const char* key,
                                               const char* value) {
    try {
        NativePlatform().WriteProfileString(file, section, key, value);
        return 1;
    } catch (const std::runtime_error&) {
        return 0;
    }
}

// An 8-bit string in, through UTF-8, and a new one out: the text with "-回" appended.
__declspec(dllexport) void TkvProbeAnsiEcho(AnsiChars in, AnsiChars* out) {
    AnsiAssignUtf8(out, FromAnsi(in) + "-回");
}

// The retail bill slots the plug-in uses: [0] bill code, [1] detail packet, [2] ShowAcctount answer
// for the account packet given, [3] bill id, [4] total, [5] print info added.
__declspec(dllexport) void TkvProbeTransinfo(RawTransinfo* host, VARIANT* out) {
    ComPtr<IVNMainBillTransRetail> bill = WrapTransinfo(host);
    OleVariant::Array r;
    r.push_back(OleVariant(bill->GetBillCode()));
    r.push_back(bill->GetDetailData());
    r.push_back(bill->ShowAcctount(OleVariant::VarArray({OleVariant("现金"), OleVariant(12.5)})));
    r.push_back(bill->GetBillID());
    r.push_back(bill->GetTotal());
    bill->AddPrintInfo("医保", OleVariant(3.25));
    AssignVariant(out, OleVariant::VarArray(std::move(r)));
}

// Every framework getter in table order (as integers), then the report calls.
__declspec(dllexport) void TkvProbeExistForm(RawExistForm* form, RawReportIntf* report, VARIANT* out) {
    ComPtr<IExistForm> f = WrapExistForm(form);
    ComPtr<IssReportIntf> rep = WrapReportIntf(report);
    OleVariant::Array r;
    for (ExistFormGetter g : kExistFormGetters)
        r.push_back(OleVariant::Int64(reinterpret_cast<std::intptr_t>((f.Get()->*g)())));
    rep->OpenssReport("日报");
    rep->AddIntParam("数量", 5);
    rep->AddFloatParam("金额", 2.5);
    rep->AddStringParam("名称", "阿莫西林");
    AssignVariant(out, OleVariant::VarArray(std::move(r)));
}

} // extern "C"
