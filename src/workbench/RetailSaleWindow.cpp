// The retail window's controls and the hooks its buttons call.
#include "RetailSaleWindow.h"

#include "abi/VariantMarshal.h"
#include "abi/WideString.h"
#include "framework/DataSet.h"
#include "framework/PlugParams.h"
#include "remote/HostMethods.h"

#include <cstdio>

namespace tkv::workbench {

namespace {

const wchar_t kClass[] = L"TkvRetailSale";
// The window property the workbench probe finds controls by.
const wchar_t kNameProp[] = L"TkvControl";

enum Command : int {
    cmConfig = 100,
    cmReadCard,
    cmShowCard,
    cmEvaluate,
    cmClearEvaluate,
    cmSave,
    cmSaveFails,
    cmReback,
    cmNewSale
};

struct TButtonDef {
    int Id;
    const char* Name;
    const char* Caption;
};
constexpr TButtonDef kButtons[] = {
    {cmConfig, "btnConfig", "医保设置"},
    {cmReadCard, "btnReadCard", "读卡"},
    {cmShowCard, "btnShowCard", "卡信息"},
    {cmEvaluate, "btnEvaluate", "预结算"},
    {cmClearEvaluate, "btnClearEvaluate", "撤销预结算"},
    {cmSave, "btnSave", "保存结算"},
    {cmSaveFails, "btnSaveFails", "保存失败"},
    {cmReback, "btnReback", "退单"},
    {cmNewSale, "btnNewSale", "新单"},
};

std::wstring W(const std::string& utf8) {
    return abi::Utf8ToWide(utf8);
}

std::string Number(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    return buf;
}

std::string YesNo(Bool8 b) {
    return b ? "True" : "False";
}

void NameControl(HWND control, const char* name) {
    if (const ATOM atom = GlobalAddAtomW(W(name).c_str()))
        SetPropW(control, kNameProp, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(atom)));
}

BOOL CALLBACK ForgetControlName(HWND control, LPARAM) {
    if (HANDLE atom = RemovePropW(control, kNameProp))
        GlobalDeleteAtom(static_cast<ATOM>(reinterpret_cast<UINT_PTR>(atom)));
    return TRUE;
}

} // namespace

TRetailSaleWindow::TRetailSaleWindow(HWND owner, TPluginLibrary& plugin, remote::TRemoteEnd& host,
                                     TErrorDisplay showError)
    : owner_(owner), plugin_(plugin), host_(host), showError_(std::move(showError)) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ObjectWindowProc<TRetailSaleWindow>;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClass;
    RegisterClassExW(&wc); // a second window finds the class registered already
    hwnd_ = CreateWindowExW(0, kClass, L"零售单 - 医保结算",
                            WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 60, 60, 800, 540,
                            owner_, nullptr, GetModuleHandleW(nullptr), this);
    font_ = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"宋体");
    int x = 10;
    for (const TButtonDef& b : kButtons) {
        HWND button = CreateWindowExW(0, L"Button", W(b.Caption).c_str(),
                                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, x, 10, 78, 28,
                                      hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(b.Id)),
                                      GetModuleHandleW(nullptr), nullptr);
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        NameControl(button, b.Name);
        buttons_.push_back(button);
        x += 84;
    }
    bill_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"Static", L"", WS_CHILD | WS_VISIBLE, 10, 48, 764, 96, hwnd_,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(bill_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    NameControl(bill_, "lblBill");
    log_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"Edit", L"",
                           WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                           10, 152, 764, 340, hwnd_, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(log_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    NameControl(log_, "memLog");
}

TRetailSaleWindow::~TRetailSaleWindow() {
    if (hwnd_) {
        EnumChildWindows(hwnd_, ForgetControlName, 0);
        DestroyWindow(hwnd_);
    }
    if (font_)
        DeleteObject(font_);
}

void TRetailSaleWindow::Show() {
    if (!sale_) {
        try {
            NewSale();
        } catch (const std::exception& e) {
            showError_(e.what());
        }
    }
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
}

void TRetailSaleWindow::Log(const std::string& line) {
    logText_ += W(line + "\r\n");
    SetWindowTextW(log_, logText_.c_str());
    SendMessageW(log_, EM_LINESCROLL, 0, SendMessageW(log_, EM_GETLINECOUNT, 0, 0));
}

void TRetailSaleWindow::NewSale() {
    const remote::TValues r = host_.Call(remote::method::RetailNewSale, {});
    auto sale = std::make_shared<TSaleBill>();
    sale->BillId = remote::Arg(r, 0).AsInteger();
    sale->BillCode = remote::Arg(r, 1).AsString();
    sale->DetailData = remote::Arg(r, 2);
    sale->Total = remote::Arg(r, 3).AsDouble();
    sale_ = sale;

    std::string text = "零售单 " + sale->BillCode + "  (BillID " + std::to_string(sale->BillId) + ")  合计 " +
                       Number(sale->Total) + " 元\r\n";
    TClientDataSet lines;
    lines.SetData(sale->DetailData);
    for (lines.First(); !lines.Eof(); lines.Next())
        text += "  " + lines.FieldByName("typeid").AsString() + "  " +
                lines.FieldByName("FullName").AsString() + "  " +
                Number(lines.FieldByName("Price").AsFloat()) + " x " +
                Number(lines.FieldByName("Qty").AsFloat()) + " = " +
                Number(lines.FieldByName("Total").AsFloat()) + "\r\n";
    SetWindowTextW(bill_, W(text).c_str());

    const RetailPluginVtbl& slots = RetailSlots(Retail());
    slots.ClearPlugInfo(Retail());
    HWND window = hwnd_;
    abi::RawTransinfo* table = NewRetailBillTable(
        sale,
        [window](const std::string& payments) {
            return MessageBoxW(window, W("退回以下支付:\n" + payments).c_str(), L"确认退款",
                               MB_YESNO | MB_ICONQUESTION) == IDYES;
        },
        showError_);
    slots.InitTransPlugin(Retail(), reinterpret_cast<RawObject*>(table));
    ReleaseTable(table);
    Log("新单: " + sale->BillCode + ", 合计 " + Number(sale->Total));
}

void TRetailSaleWindow::Save() {
    const RetailPluginVtbl& slots = RetailSlots(Retail());
    abi::VariantArg figures;
    slots.ssBalaInfo(Retail(), figures.Get());
    double account = 0; // the insurance share, paid from the personal account
    for (const OleVariant& e : figures.Value().IsArray() ? figures.Value().Elements() : OleVariant::Array{})
        if (e.IsArray() && e.Elements().size() >= 2 && VarToStr(e.Elements()[0]) == "Balance_sb")
            account = e.Elements()[1].AsDouble();
    abi::VariantArg params;
    const Bool8 ok = slots.BeforeSave(Retail(), params.Get());
    Log("BeforeSave: " + YesNo(ok));
    if (!ok)
        return;
    const double total = sale_->Total;
    host_.Call(remote::method::RetailSave,
               {OleVariant(sale_->BillId), OleVariant(sale_->BillCode), OleVariant(total),
                OleVariant::VarArray({OleVariant(std::int32_t{1}), OleVariant(total - account),
                                      OleVariant(std::int32_t{2}), OleVariant(account)})});
    sale_->Status = 2;
    Log("主程序保存零售单 " + sale_->BillCode + ": 现金 " + Number(total - account) + ", 医保个人账户 " +
        Number(account));
    Log("ssBalance: " + YesNo(slots.ssBalance(Retail())));
    abi::VariantArg items;
    slots.ssPrintItems(items.Get(), Retail());
    Log("ssPrintItems: " + PlugParamsText(items.Value()));
}

void TRetailSaleWindow::Command(int id) {
    RawObject* retail = Retail();
    if (!retail) {
        showError_("插件对象还没有创建");
        return;
    }
    const RetailPluginVtbl& slots = RetailSlots(retail);
    // The till waits for each hook; a second click meanwhile would nest the hooks.
    EnableWindow(hwnd_, FALSE);
    try {
        switch (id) {
        case cmConfig: {
            Log("ssConfig: " + YesNo(slots.ssConfig(retail)));
            const Bool8 canUse = slots.CheckCanUseSS(retail);
            Log("CheckCanUseSS: " + YesNo(canUse));
            if (canUse)
                Log("ssInit: " + YesNo(slots.ssInit(retail)));
            break;
        }
        case cmReadCard: {
            abi::VariantArg card;
            const Bool8 ok = slots.GetSBCard(retail, card.Get());
            Log("GetSBCard: " + YesNo(ok) + " " + PlugParamsText(card.Value()));
            break;
        }
        case cmShowCard:
            slots.ShowSBCard(retail);
            Log("ShowSBCard");
            break;
        case cmEvaluate: {
            Log("ssEvaluateBalance: " + YesNo(slots.ssEvaluateBalance(retail)));
            abi::VariantArg figures;
            slots.ssBalaInfo(retail, figures.Get());
            Log("ssBalaInfo: " + PlugParamsText(figures.Value()));
            break;
        }
        case cmClearEvaluate:
            Log("ssClearEvaluateBalance: " + YesNo(slots.ssClearEvaluateBalance(retail)));
            break;
        case cmSave:
            Save();
            break;
        case cmSaveFails: {
            // The host's own save fails after the settlement: it does not call ssBalance, and the
            // cashier goes on with whatever comes next.
            abi::VariantArg params;
            Log("BeforeSave: " + YesNo(slots.BeforeSave(retail, params.Get())));
            Log("主程序保存零售单 " + sale_->BillCode + " 出错 (医保已结算, 没有调用 ssBalance)");
            break;
        }
        case cmReback:
            Log("CanelBalance: " + YesNo(slots.CanelBalance(retail)));
            break;
        case cmNewSale:
            NewSale();
            break;
        default:
            break;
        }
    } catch (const std::exception& e) {
        showError_(e.what());
    }
    EnableWindow(hwnd_, TRUE);
    SetForegroundWindow(hwnd_);
}

LRESULT TRetailSaleWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED)
            Command(LOWORD(wParam));
        return 0;
    case WM_CLOSE:
        // Closing hides the window; the sale stays for when it is opened again.
        ShowWindow(hwnd_, SW_HIDE);
        return 0;
    default:
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

} // namespace tkv::workbench
