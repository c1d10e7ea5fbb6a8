// The association windows shown for real with a small in-process host: every control's window is
// its model (class, text, bounds, state, caption labels, fonts with Chinese glyphs, the dialog
// manager's tab order), the windows keep their figures (management window resizable at 1073 by 569,
// new association window a fixed dialog with a 991 by 669 client area), the management window's
// grid keeps filling the middle and its right-hand buttons stay at the right when it is resized,
// and a PNG of each is saved.
#include "ModelCompare.h"
#include "NativeWindows.h"
#include "Screenshot.h"
#include "UiCheck.h"
#include "UiSteps.h"
#include "association/FpImageFrm.h"
#include "association/PtypeDz.h"
#include "comm/ModuleState.h"

// The toolkit's fake host names a method MessageBox, which windows.h would rename.
#undef MessageBox
#include "toolkit/FakeHost.h"

namespace uitest {

using namespace tkv;

std::string ArtifactPath(const std::string& name);

namespace {

// The module state of a plug-in whose host is the toolkit's fake host.
struct TPluginWithHost {
    TPluginWithHost() : host(new test::FakeHost), exist(new test::FakeExistForm) {
        ModuleState().VNMainintf = host;
        ModuleState().VNExistForm = exist;
    }
    TModuleScope module;
    ComPtr<test::FakeHost> host;
    ComPtr<test::FakeExistForm> exist;
};

HWND Shown(const std::string& caption) {
    return FindTopLevel(caption, L"TkvForm");
}

} // namespace

UI_TEST("the management window TPtypeDz is its model and keeps its layout when resized") {
    TPluginWithHost plugin;
    TPtypeDz form;
    TUiSteps steps;
    HWND w = nullptr;
    LONG exitGap = 0;
    steps.WaitFor("the window", [&] { return (w = Shown("厂家品种发票图片关联管理")) != nullptr; });
    steps.Do("compare and capture", [&] {
        CHECK(CompareWithModel(form, w) >= 15);
        RECT client;
        GetClientRect(w, &client);
        exitGap = client.right - RectIn(w, FindControl(w, "btn_Exit")).right;
        CHECK(RectIn(w, FindControl(w, "btn_Print")).right <= RectIn(w, FindControl(w, "btn_Exit")).left);
        CHECK(GetWindowLongPtrW(w, GWL_STYLE) & WS_THICKFRAME);
        CHECK_EQ(form.ClientWidth(), 1073 - 16);
        CHECK_EQ(form.ClientHeight(), 569 - 39);
        CHECK(SaveWindowPng(w, ArtifactPath("TPtypeDz.png")));
    });
    steps.Do("resize", [&] {
        RECT rc;
        GetWindowRect(w, &rc);
        SetWindowPos(w, nullptr, 0, 0, rc.right - rc.left + 120, rc.bottom - rc.top + 80,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    });
    steps.Pause(100);
    steps.Do("the grid fills the middle, the right-hand buttons follow", [&] {
        RECT client;
        GetClientRect(w, &client);
        CHECK_EQ(form.ClientWidth(), static_cast<int>(client.right));
        const RECT grid = RectIn(w, FindControl(w, "MainGrid"));
        CHECK_EQ(grid.right, client.right);
        CHECK_EQ(client.right - RectIn(w, FindControl(w, "btn_Exit")).right, exitGap);
        CompareWithModel(form, w);
        CHECK(SaveWindowPng(w, ArtifactPath("TPtypeDz-resized.png")));
        PostMessageW(w, WM_CLOSE, 0, 0);
    });
    steps.Run([&] { form.ShowModal(); });
}

UI_TEST("the new association window TFpImageFrm is its model") {
    TPluginWithHost plugin;
    TFpImageFrm form;
    TUiSteps steps;
    HWND w = nullptr;
    steps.WaitFor("the window", [&] { return (w = Shown("厂家商品发票关联")) != nullptr; });
    steps.Do("compare and capture", [&] {
        CHECK(CompareWithModel(form, w) >= 20);
        RECT client;
        GetClientRect(w, &client);
        CHECK_EQ(client.right, 991);
        CHECK_EQ(client.bottom, 669);
        CHECK(!(GetWindowLongPtrW(w, GWL_STYLE) & WS_THICKFRAME));
        // The invoice area is a group box with its caption drawn in the top line of its frame.
        HWND area = FindControl(w, "InvoicePanel");
        HDC dc = GetDC(area);
        bool inked = false;
        for (int y = 0; y < 14 && !inked; ++y)
            for (int x = 4; x < 200 && !inked; ++x)
                inked = (GetPixel(dc, x, y) & 0xFFFFFF) == 0;
        ReleaseDC(area, dc);
        CHECK(inked);
        CHECK(SaveWindowPng(w, ArtifactPath("TFpImageFrm.png")));
    });
    steps.Do("detail mode", [&] {
        // The radio group's second button: the grid is rebuilt with the detail columns.
        HWND group = FindControl(w, "rg_Mode");
        PostMessageW(GetWindow(GetWindow(group, GW_CHILD), GW_HWNDNEXT), BM_CLICK, 0, 0);
    });
    steps.WaitFor("rebuilt", [&] { return form.DetailMode(); });
    steps.Do("compare again", [&] {
        CompareWithModel(form, w);
        CHECK(SaveWindowPng(w, ArtifactPath("TFpImageFrm-detail.png")));
        PostMessageW(w, WM_CLOSE, 0, 0);
    });
    steps.Run([&] { form.ShowModal(); });
}

} // namespace uitest
