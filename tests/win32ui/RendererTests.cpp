// The renderer under wine: a window with every kind of control is shown for real and compared with
// its model, changed through its model and driven with real input (keys and mouse through the
// system's input queue), including the error box, nested forms, the close box, context menus, the
// 100,000-row grid and the full-screen viewer.
#include "GalleryForm.h"
#include "ModelCompare.h"
#include "NativeWindows.h"
#include "Screenshot.h"
#include "UiCheck.h"
#include "UiInput.h"
#include "UiSteps.h"
#include "association/ShowPictureFull.h"
#include "framework/DataSet.h"
#include "toolkit/FormEnvironment.h"
#include "toolkit/FormRunner.h"

#include <commctrl.h>

#include <algorithm>

namespace uitest {

using namespace tkv;

std::string ArtifactPath(const std::string& name);

namespace {

std::unique_ptr<TClientDataSet> Bills(int rows) {
    auto ds = std::make_unique<TClientDataSet>();
    ds->AddFieldDef("billcode", TFieldType::ftString, 30);
    ds->AddFieldDef("pfullname", TFieldType::ftString, 60);
    ds->AddFieldDef("billid", TFieldType::ftInteger);
    ds->CreateDataSet();
    for (int i = 0; i < rows; ++i)
        ds->AppendRecord(
            {OleVariant("JH-2023-" + std::to_string(100000 + i)),
             OleVariant(std::string(i % 2 ? "阿莫西林胶囊" : "复方甘草片") + " " + std::to_string(i)),
             OleVariant(i + 1)});
    ds->First();
    return ds;
}

HWND Shown(const std::string& caption) {
    return FindTopLevel(caption, L"TkvForm");
}

std::string FocusedName() {
    return OwningControlName(GetFocus());
}

std::string ActiveName(const TForm& form) {
    return form.ActiveControl() ? form.ActiveControl()->Name() : std::string();
}

// The form's window is shown and active, and has had a moment to paint: real input goes to it.
void WaitShown(TUiSteps& steps, HWND& w, const std::string& caption) {
    steps.WaitFor("the window " + caption, [&w, caption] { return (w = Shown(caption)) != nullptr; });
    steps.WaitFor("the window active", [&w] { return GetActiveWindow() == w; });
    steps.Pause(150);
}

// A popup menu of this desktop is showing.
bool MenuShown() {
    HWND menu = FindWindowW(L"#32768", nullptr);
    return menu && IsWindowVisible(menu);
}

bool Has(const std::vector<std::string>& events, const std::string& event) {
    return std::find(events.begin(), events.end(), event) != events.end();
}

std::string CellText(HWND list, int row, int column) {
    wchar_t text[256] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 256;
    SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return Utf8(text);
}

void ClickRow(HWND list, int row, bool twice) {
    RECT rc{};
    rc.left = LVIR_BOUNDS;
    SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rc));
    ClickAt(list, rc.left + 150, (rc.top + rc.bottom) / 2, false, twice);
}

// A message box of this thread with that caption and, somewhere in it, that text.
HWND MessageBoxShown(const std::string& caption, const std::string& text) {
    HWND box = FindTopLevel(caption, L"#32770");
    if (!box)
        return nullptr;
    for (HWND child : Descendants(box))
        if (WindowText(child) == text)
            return box;
    return nullptr;
}

} // namespace

UI_TEST("the gallery window is its model, Chinese texts included") {
    TGalleryForm form;
    auto rows = Bills(40);
    form.MainGrid->SetDataSet(rows.get());
    form.MainGrid->SetRowSelected(1, true);
    form.MainGrid->SetRowSelected(4, true);
    TUiSteps steps;
    HWND w = nullptr;
    WaitShown(steps, w, "控件陈列");
    steps.Pause(200);
    steps.Do("compare and capture", [&] {
        CHECK(CompareWithModel(form, w) >= 20);
        CHECK(!(GetWindowLongPtrW(w, GWL_STYLE) & WS_CHILD));
        CHECK_EQ(FocusedName(), ActiveName(form));
        CHECK_EQ(FocusedName(), std::string("edit_Btype"));
        CHECK_EQ(CellText(FindControl(w, "MainGrid"), 1, 0), std::string("√"));
        CHECK_EQ(CellText(FindControl(w, "MainGrid"), 39, 2), std::string("阿莫西林胶囊 39"));
        CHECK(SaveWindowPng(w, ArtifactPath("gallery.png")));
    });
    steps.Do("close box", [&] { PostMessageW(w, WM_CLOSE, 0, 0); });
    TModalResult result = mrNone;
    steps.Run([&] { result = form.ShowModal(); });
    CHECK_EQ(result, mrCancel);
    CHECK(!IsWindow(w));
}

UI_TEST("changes of the model reach the windows") {
    TGalleryForm form;
    auto rows = Bills(10);
    TUiSteps steps;
    HWND w = nullptr;
    WaitShown(steps, w, "控件陈列");
    steps.Do("change the models", [&] {
        form.SetCaption("控件陈列 已修改");
        form.edit_Jobnumber->SetText("批号-0815");
        form.edit_Btype->SetCaption("供应商");
        form.edit_Btype->SetBtnVisible(false);
        form.btn_Query->SetEnabled(false);
        form.chk_All->SetVisible(false);
        form.cbox_status->SetItemIndex(2);
        form.rg_mode->SetItemIndex(1);
        form.Begindate->SetDate(45100);
        form.sb_Pictures->SetParams(2, 0, 5);
        form.slots[0]->Clear();
        form.MainGrid->SetDataSet(rows.get());
        form.MainGrid->SetRowSelected(3, true);
        form.MainGrid->SetRowIndex(3);
        form.lbl_Hint->SetCaption("提示已换");
        form.SetClientSize(900, 600); // the grid grows, the right-hand buttons move
    });
    steps.Pause(100);
    steps.Do("compare", [&] {
        CHECK_EQ(WindowText(w), std::string("控件陈列 已修改"));
        CompareWithModel(form, w);
        HWND list = FindControl(w, "MainGrid");
        CHECK_EQ(
            static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)), 3);
        CHECK_EQ(CellText(list, 3, 0), std::string("√"));
        CHECK_EQ(RectIn(w, FindControl(w, "btn_Cancel")).right, 890);
        CHECK(SaveWindowPng(w, ArtifactPath("gallery-changed.png")));
    });
    steps.Do("close", [&] { form.Close(); });
    steps.Run([&] { form.ShowModal(); });
}

UI_TEST("typing goes through the edit model; Enter, Tab and Delete") {
    TGalleryForm form;
    TUiSteps steps;
    HWND w = nullptr;
    WaitShown(steps, w, "控件陈列");
    steps.Do("focus the count", [&] { form.SetActiveControl(form.edit_Count); });
    steps.WaitFor("native focus follows", [&] { return FocusedName() == "edit_Count"; });
    // A letter, a minus sign and the characters past the field's length of three are refused.
    steps.Do("type", [&] { TypeText(L"-12a3459999"); });
    steps.WaitFor("refused characters", [&] { return form.edit_Count->Text() == "123"; });
    steps.Do("native text", [&] { CHECK_EQ(WindowText(FindControl(w, "edit_Count")), std::string("123")); });
    steps.Do("home, delete", [&] {
        PressKey(VK_HOME);
        PressKey(VK_DELETE);
    });
    steps.WaitFor("deleted through the model", [&] { return form.edit_Count->Text() == "23"; });
    steps.Do("enter", [&] { PressKey(VK_RETURN); });
    steps.WaitFor("Enter moved on",
                  [&] { return ActiveName(form) == "btn_Ok" && FocusedName() == "btn_Ok"; });
    steps.Do("shift tab", [&] { PressKey(VK_TAB, true); });
    steps.WaitFor("back", [&] { return ActiveName(form) == "edit_Count" && FocusedName() == "edit_Count"; });
    steps.Do("click the lot number", [&] { ClickCentre(FindControl(w, "edit_Jobnumber")); });
    steps.WaitFor("the click moved the focus", [&] { return ActiveName(form) == "edit_Jobnumber"; });
    steps.Do("type Chinese", [&] { TypeText(L"批号A1"); });
    steps.WaitFor("typed", [&] { return form.edit_Jobnumber->Text() == "批号A1"; });
    steps.Do("close", [&] { PostMessageW(w, WM_CLOSE, 0, 0); });
    steps.Run([&] { form.ShowModal(); });
}

UI_TEST("the grid binds 100,000 rows and ticks by mouse and keys") {
    TGalleryForm form;
    auto rows = Bills(100000);
    TUiSteps steps;
    HWND w = nullptr, list = nullptr;
    WaitShown(steps, w, "控件陈列");
    steps.Do("bind", [&] {
        list = FindControl(w, "MainGrid");
        form.MainGrid->SetDataSet(rows.get());
    });
    steps.Do("count and cells", [&] {
        CHECK_EQ(static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)), 100000);
        CHECK_EQ(CellText(list, 99999, 1), std::string("JH-2023-199999"));
        CHECK_EQ(CellText(list, 99999, 0), std::string());
    });
    steps.Do("click row 2", [&] { ClickRow(list, 2, false); });
    steps.WaitFor("row 2 current", [&] { return form.MainGrid->GetRowIndex() == 2; });
    steps.Do("space", [&] { PressKey(VK_SPACE); });
    steps.WaitFor("row 2 ticked", [&] { return form.MainGrid->GetRowSelected(2); });
    steps.Do("double-click row 4", [&] { ClickRow(list, 4, true); });
    steps.WaitFor("row 4 ticked", [&] { return form.MainGrid->GetRowSelected(4); });
    steps.Do("down, enter", [&] {
        PressKey(VK_DOWN);
        PressKey(VK_RETURN);
    });
    steps.WaitFor("row 5 ticked by Enter", [&] { return form.MainGrid->GetRowSelected(5); });
    steps.Do("shown ticks", [&] {
        CHECK_EQ(CellText(list, 2, 0), std::string("√"));
        CHECK_EQ(CellText(list, 3, 0), std::string());
        CHECK_EQ(CellText(list, 4, 0), std::string("√"));
        CHECK(SaveWindowPng(w, ArtifactPath("gallery-100000-rows.png")));
    });
    steps.Do("close", [&] { PostMessageW(w, WM_CLOSE, 0, 0); });
    steps.Run([&] { form.ShowModal(); });
}

UI_TEST("an error in a handler shows the error box and the window stays usable") {
    TGalleryForm form;
    TUiSteps steps;
    HWND w = nullptr;
    WaitShown(steps, w, "控件陈列");
    steps.Do("click 出错", [&] { ClickCentre(FindControl(w, "btn_Fail")); });
    HWND box = nullptr;
    steps.WaitFor("the error box",
                  [&] { return (box = MessageBoxShown("错误", "保存失败重试")) != nullptr; });
    steps.Do("owned by the form", [&] {
        CHECK_EQ(GetWindow(box, GW_OWNER), w);
        CHECK(!IsWindowEnabled(w));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    steps.WaitFor("the box closed", [&] { return !IsWindow(box) && IsWindowEnabled(w); });
    steps.Do("click 查询", [&] { ClickCentre(FindControl(w, "btn_Query")); });
    steps.WaitFor("still usable", [&] { return Has(form.events, "query"); });
    steps.Do("close", [&] { ClickCentre(FindControl(w, "btn_Ok")); });
    TModalResult result = mrNone;
    steps.Run([&] { result = form.ShowModal(); });
    CHECK_EQ(result, mrOk);
}

UI_TEST("the close box asks the form, which may stay open") {
    TGalleryForm form;
    int asked = 0;
    form.OnCloseQuery = [&](TForm&, bool& canClose) {
        canClose = ++asked > 1;
    };
    TUiSteps steps;
    HWND w = nullptr;
    WaitShown(steps, w, "控件陈列");
    steps.Do("close box", [&] { PostMessageW(w, WM_CLOSE, 0, 0); });
    steps.Pause(200);
    steps.Do("still open", [&] {
        CHECK(IsWindowVisible(w));
        CHECK_EQ(form.ModalResult(), mrNone);
        PostMessageW(w, WM_CLOSE, 0, 0);
    });
    TModalResult result = mrNone;
    steps.Run([&] { result = form.ShowModal(); });
    CHECK_EQ(asked, 2);
    CHECK_EQ(result, mrCancel);
}

UI_TEST("a form opened from a form is owned by it, which is disabled meanwhile") {
    TGalleryForm form;
    TForm second;
    second.SetCaption("第二个窗口");
    second.SetBorderStyle(TBorderStyle::bsDialog);
    second.SetPosition(TPosition::poScreenCenter);
    second.SetClientSize(300, 120);
    form.onOpen = [&] {
        second.ShowModal();
    };
    TUiSteps steps;
    HWND w = nullptr, inner = nullptr;
    WaitShown(steps, w, "控件陈列");
    steps.Do("open", [&] { ClickCentre(FindControl(w, "btn_Open")); });
    steps.WaitFor("the second window", [&] { return (inner = Shown("第二个窗口")) != nullptr; });
    steps.Do("owner", [&] {
        CHECK_EQ(GetWindow(inner, GW_OWNER), w);
        CHECK(!IsWindowEnabled(w));
        RECT rc;
        GetClientRect(inner, &rc);
        CHECK_EQ(rc.right, 300);
        CHECK_EQ(rc.bottom, 120);
        PostMessageW(inner, WM_CLOSE, 0, 0);
    });
    steps.WaitFor("back in the first", [&] { return !IsWindow(inner) && IsWindowEnabled(w); });
    steps.Do("close", [&] { PostMessageW(w, WM_CLOSE, 0, 0); });
    steps.Run([&] { form.ShowModal(); });
}

UI_TEST("picture slots: double-click, buttons and the context menu") {
    TGalleryForm form;
    TUiSteps steps;
    HWND w = nullptr;
    WaitShown(steps, w, "控件陈列");
    steps.Do("double-click Image2", [&] { ClickCentre(FindControl(w, "Image2"), false, true); });
    steps.WaitFor("dblclick", [&] { return Has(form.events, "dblclick Image2"); });
    steps.Do("right-click Image1", [&] { ClickCentre(FindControl(w, "Image1"), true); });
    steps.WaitFor("mouse down and menu", [&] { return Has(form.events, "right Image1") && MenuShown(); });
    steps.Do("choose the second item", [&] {
        PressKey(VK_DOWN);
        PressKey(VK_DOWN);
        PressKey(VK_RETURN);
    });
    steps.WaitFor("menu item ran", [&] { return Has(form.events, "menu 删除"); });
    steps.WaitFor(
        "the first menu closed", [&] { return !MenuShown(); }, 20000);
    steps.Do("right-click the empty Image4", [&] { ClickCentre(FindControl(w, "Image4"), true); });
    steps.WaitFor("the mouse down", [&] { return Has(form.events, "right Image4"); });
    // A tick comes only once the queued input is handled: the button-up and the context-menu
    // message behind it ran before this step, and a menu they had opened would be showing now.
    steps.Do("no menu on an empty slot", [&] { CHECK(!MenuShown()); });
    steps.Do("scroll right", [&] {
        HWND bar = FindControl(w, "sb_Pictures");
        RECT rc;
        GetClientRect(bar, &rc);
        ClickAt(bar, rc.right - 5, rc.bottom / 2);
    });
    steps.WaitFor("scrolled through the model", [&] { return form.sb_Pictures->Position() == 1; });
    steps.Do("close", [&] { PostMessageW(w, WM_CLOSE, 0, 0); });
    steps.Run([&] { form.ShowModal(); });
    CHECK(Has(form.events, "scroll 1"));
}

UI_TEST("radio group, drop-down list, check box and date picker by real input") {
    TGalleryForm form;
    TUiSteps steps;
    HWND w = nullptr;
    WaitShown(steps, w, "控件陈列");
    steps.Do("second radio button", [&] {
        HWND group = FindControl(w, "rg_mode");
        HWND second = GetWindow(GetWindow(group, GW_CHILD), GW_HWNDNEXT);
        ClickCentre(second);
    });
    steps.WaitFor("mode 1", [&] { return Has(form.events, "mode 1") && form.rg_mode->ItemIndex() == 1; });
    steps.Do("check box", [&] { ClickCentre(FindControl(w, "chk_All")); });
    steps.WaitFor("all on", [&] { return Has(form.events, "all on") && form.chk_All->Checked(); });
    steps.Do("list: focus and down", [&] {
        form.SetActiveControl(form.cbox_status);
        PressKey(VK_DOWN);
    });
    steps.WaitFor("status 已过账", [&] { return Has(form.events, "status 已过账"); });
    steps.Do("date: focus, day down", [&] {
        form.SetActiveControl(form.Begindate);
        PressKey(VK_RIGHT);
        PressKey(VK_RIGHT);
        PressKey(VK_DOWN);
    });
    steps.WaitFor("the model's date moved", [&] { return form.Begindate->Text() != "2023-03-15"; });
    steps.Do("close", [&] { PostMessageW(w, WM_CLOSE, 0, 0); });
    steps.Run([&] { form.ShowModal(); });
}

UI_TEST("the full-screen viewer covers the work area, hides its hint after two seconds, closes on Esc") {
    TGalleryForm form;
    form.onOpen = [&] {
        ShowPictureFull(*form.pictures[1]);
    };
    TUiSteps steps;
    HWND w = nullptr, viewer = nullptr;
    DWORD opened = 0;
    WaitShown(steps, w, "控件陈列");
    steps.Do("open the viewer", [&] { ClickCentre(FindControl(w, "btn_Open")); });
    steps.WaitFor("the viewer", [&] {
        viewer = Shown("");
        opened = GetTickCount();
        return viewer != nullptr;
    });
    steps.Pause(300);
    steps.Do("borderless over the work area, hint shown", [&] {
        RECT work, rc;
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        GetWindowRect(viewer, &rc);
        CHECK_EQ(rc.left, work.left);
        CHECK_EQ(rc.right, work.right);
        CHECK_EQ(rc.bottom, work.bottom);
        CHECK(!(GetWindowLongPtrW(viewer, GWL_STYLE) & WS_CAPTION));
        HWND hint = FindControl(viewer, "Label1");
        CHECK(IsWindowVisible(hint));
        CHECK_EQ(WindowText(hint), std::string("按ESC或者双击退出本窗口"));
        CHECK(FontCovers(hint, L"按ESC或者双击退出本窗口"));
        CHECK(SaveWindowPng(viewer, ArtifactPath("viewer.png")));
    });
    steps.WaitFor(
        "the hint hidden", [&] { return !IsWindowVisible(FindControl(viewer, "Label1")); }, 4000);
    steps.Do("about two seconds", [&] {
        const DWORD after = GetTickCount() - opened;
        CHECK(after >= 1700 && after <= 3500);
        PressKey(VK_ESCAPE);
    });
    steps.WaitFor("the viewer closed", [&] { return !IsWindow(viewer) && IsWindowEnabled(w); });
    steps.Do("close", [&] { PostMessageW(w, WM_CLOSE, 0, 0); });
    steps.Run([&] { form.ShowModal(); });
}

UI_TEST("with no plug-in window open the error box belongs to the host's main window") {
    HWND main = CreateWindowExW(0, L"STATIC", L"主程序", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 400, 300,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetFormEnvironmentProvider([main] {
        TFormEnvironment env;
        env.OwnerHandle = reinterpret_cast<WindowHandle>(main);
        return env;
    });
    TUiSteps steps;
    HWND box = nullptr;
    steps.WaitFor("the error box", [&] { return (box = MessageBoxShown("错误", "插件出错")) != nullptr; });
    steps.Do("owned by the host's window", [&] {
        CHECK_EQ(GetWindow(box, GW_OWNER), main);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    steps.Run([&] { ShowDefaultError("插件出错"); });
    SetFormEnvironmentProvider({});
    DestroyWindow(main);
}

} // namespace uitest
