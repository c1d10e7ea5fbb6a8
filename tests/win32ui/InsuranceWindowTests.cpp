// The insurance dialogs shown for real: the settings window, the card-number window (borderless,
// large type), the special-disease choice, the card window and the reversal search window. Each
// window's controls are its model (class, text, bounds, state, Chinese glyphs, tab order) and a PNG
// of each is saved.
#include "ModelCompare.h"
#include "NativeWindows.h"
#include "Screenshot.h"
#include "UiCheck.h"
#include "UiSteps.h"
#include "comm/ModuleState.h"
#include "insurance/CardShowFrm.h"
#include "insurance/ConfigSetFrm.h"
#include "insurance/FormVipPass.h"
#include "insurance/SelectTSB.h"
#include "insurance/SelrebackSettleFrm.h"
#include "insurance/YBCard.h"

#undef MessageBox
#include "toolkit/FakeHost.h"

namespace uitest {

using namespace tkv;

std::string ArtifactPath(const std::string& name);

namespace {

// Shows the form, compares its window with the model, saves its picture and closes it; `check`
// looks at the window further.
void ShowCompareCapture(TForm& form, const std::string& caption, const std::string& png, int minControls,
                        const std::function<void(HWND)>& check = {}) {
    TUiSteps steps;
    HWND w = nullptr;
    steps.WaitFor("the window", [&] { return (w = FindTopLevel(caption, L"TkvForm")) != nullptr; });
    steps.Do("compare and capture", [&] {
        CHECK(CompareWithModel(form, w) >= minControls);
        if (check)
            check(w);
        CHECK(SaveWindowPng(w, ArtifactPath(png)));
        PostMessageW(w, WM_CLOSE, 0, 0);
    });
    steps.Run([&] { form.ShowModal(); });
}

struct TPluginWithHost {
    TPluginWithHost() : host(new test::FakeHost), exist(new test::FakeExistForm) {
        ModuleState().VNMainintf = host;
        ModuleState().VNExistForm = exist;
    }
    TModuleScope module;
    ComPtr<test::FakeHost> host;
    ComPtr<test::FakeExistForm> exist;
};

} // namespace

UI_TEST("the insurance settings window TConfigSetFrm is its model") {
    TPluginWithHost plugin;
    TConfigSetFrm form;
    ShowCompareCapture(form, "医保接口信息设置", "TConfigSetFrm.png", 5);
}

UI_TEST("the card-number window TFormVipPass is borderless, in large type, and its model") {
    TPluginWithHost plugin;
    TYBCard card;
    TFormVipPass form(card);
    ShowCompareCapture(form, "请输入医保卡号", "TFormVipPass.png", 3, [](HWND w) {
        CHECK(!(GetWindowLongPtrW(w, GWL_STYLE) & WS_CAPTION));
        CHECK(!(GetWindowLongPtrW(w, GWL_STYLE) & WS_THICKFRAME));
    });
}

UI_TEST("the special-disease window TSelectTSB lists the card's diseases") {
    TPluginWithHost plugin;
    TYBCard card;
    card.AddTSB("M01|高血压");
    card.AddTSB("M02|糖尿病");
    TSelectTSB form(card.TSBList());
    ShowCompareCapture(form, "选择特殊病", "TSelectTSB.png", 3);
}

UI_TEST("the card window TCardShowFrm shows the person") {
    TPluginWithHost plugin;
    TYBCard card;
    card.SetCardNo("1000123456");
    card.SetCardName("张三");
    card.SetSex("男");
    card.SetAge(45);
    TCardShowFrm form;
    form.Fill(&card);
    ShowCompareCapture(form, "医保卡信息", "TCardShowFrm.png", 6);
}

UI_TEST("the reversal search window TSelrebackSettleFrm is its model") {
    TPluginWithHost plugin;
    TSelrebackSettleFrm form;
    ShowCompareCapture(form, "查询_请输入零售单号或医保结算号", "TSelrebackSettleFrm.png", 4);
}

} // namespace uitest
