// The main window, its menus and the host's user interface.
#include "MainWindow.h"

#include "Interface/HostControlValues.h"
#include "RecordChooser.h"
#include "abi/WideString.h"
#include "remote/HostMethods.h"

#include <commctrl.h>

namespace tkv::workbench {

namespace {

const wchar_t kClass[] = L"TkvWorkbench";
constexpr UINT kExitCommand = 1;
constexpr UINT kRetailCommand = 2;
constexpr UINT kFirstEntryCommand = 1000;

std::wstring W(const std::string& utf8) {
    return abi::Utf8ToWide(utf8);
}

int Box(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
    return MessageBoxW(owner, W(text).c_str(), W(caption).c_str(), flags);
}

} // namespace

TMainWindow::TMainWindow() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ObjectWindowProc<TMainWindow>;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClass;
    RegisterClassExW(&wc);
    hwnd_ = CreateWindowExW(0, kClass, L"TkvfpPlug 工作台", WS_OVERLAPPEDWINDOW, 20, 20, 900, 600, nullptr,
                            nullptr, GetModuleHandleW(nullptr), this);
    font_ = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"宋体");
    log_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"Edit", L"",
                           WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                           0, 0, 0, 0, hwnd_, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(log_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    status_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                              hwnd_, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(status_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    SendMessageW(status_, SB_SIMPLE, TRUE, 0);
    Layout();
}

TMainWindow::~TMainWindow() {
    retail_.reset();
    if (hwnd_)
        DestroyWindow(hwnd_);
    if (font_)
        DeleteObject(font_);
}

void TMainWindow::SetPlugin(TPluginLibrary& plugin, const TPluginDescription& d) {
    plugin_ = &plugin;
    SetWindowTextW(hwnd_, W("TkvfpPlug 工作台 - " + d.Name + " " + d.Version).c_str());
    Log("插件: " + d.Name + " (" + d.KeyName + ") " + d.Version + ", " + d.Date);
    Log("说明: " + d.Text);
    Log("升级脚本: " + d.UpdateSqlPath);
    Log("插件对象: " + d.ProcName);

    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, kExitCommand, L"退出(&X)");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"文件(&F)");
    entries_ = ParseMenuEntries(d.MenuEntries);
    for (const TParentMenu& parent : ParseParentMenus(d.ParentMenus)) {
        Log("父菜单: " + parent.Caption + " (" + parent.Key + ", " + std::to_string(parent.PlugId) + ")");
        HMENU popup = CreatePopupMenu();
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            if (entries_[i].PlugId != parent.PlugId)
                continue;
            AppendMenuW(popup, MF_STRING, kFirstEntryCommand + i, W(entries_[i].Caption).c_str());
            Log("菜单: " + entries_[i].Caption + " -> " + entries_[i].Export);
        }
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), W(parent.Caption).c_str());
    }
    // The till's retail window comes after the plug-in's menus, as the host's own menus do.
    HMENU retail = CreatePopupMenu();
    AppendMenuW(retail, MF_STRING, kRetailCommand, L"零售单(医保结算)(&R)");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(retail), L"零售(&R)");
    SetMenu(hwnd_, bar);
}

void TMainWindow::Log(const std::string& line) {
    logText_ += W(line + "\r\n");
    SetWindowTextW(log_, logText_.c_str());
    SendMessageW(log_, EM_LINESCROLL, 0, SendMessageW(log_, EM_GETLINECOUNT, 0, 0));
    SendMessageW(status_, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(W(line).c_str()));
}

HWND TMainWindow::DialogOwner() const {
    HWND active = GetActiveWindow();
    DWORD pid = 0;
    if (active)
        GetWindowThreadProcessId(active, &pid);
    return active && pid == GetCurrentProcessId() && IsWindowEnabled(active) ? active : hwnd_;
}

void TMainWindow::ShowError(const std::string& message) const {
    Box(DialogOwner(), message, "错误", MB_OK | MB_ICONERROR);
}

void TMainWindow::ServeUi(remote::TRemoteEnd& end) {
    using remote::Arg;
    using remote::TValues;
    namespace method = remote::method;
    host_ = &end;
    end.Handle(method::UiShowMessage, [this](const TValues& a) {
        Box(DialogOwner(), Arg(a, 0).AsString(), Arg(a, 1).AsString(), MB_OK | MB_ICONINFORMATION);
        return TValues{};
    });
    end.Handle(method::UiShowError, [this](const TValues& a) {
        Box(DialogOwner(), Arg(a, 0).AsString(), Arg(a, 1).AsString(), MB_OK | MB_ICONERROR);
        return TValues{};
    });
    end.Handle(method::UiAsk, [this](const TValues& a) {
        const int answer =
            Box(DialogOwner(), Arg(a, 0).AsString(), Arg(a, 1).AsString(), MB_YESNO | MB_ICONQUESTION);
        return TValues{OleVariant(answer == IDYES)};
    });
    end.Handle(method::UiBox, [this](const TValues& a) {
        const int answer = Box(DialogOwner(), Arg(a, 0).AsString(), Arg(a, 1).AsString(),
                               static_cast<UINT>(Arg(a, 2).AsInt64()));
        return TValues{OleVariant(static_cast<std::int32_t>(answer))};
    });
    end.Handle(method::UiChooseRecord, [this](const TValues& a) {
        const int pick = ChooseRecord(DialogOwner(), Arg(a, 0).AsString(), RecordsFromVariant(Arg(a, 1)));
        return TValues{OleVariant(static_cast<std::int32_t>(pick))};
    });
    end.Handle(method::UiConfirmPayments, [this](const TValues& a) {
        const int answer = Box(DialogOwner(), Arg(a, 0).AsString(), "确认支付", MB_YESNO | MB_ICONQUESTION);
        return TValues{OleVariant(answer == IDYES)};
    });
    end.Handle(method::UiReport, [this](const TValues& a) {
        Log("报表已输出: " + Arg(a, 0).AsString());
        return TValues{};
    });
    end.Handle(method::UiViewBill, [this](const TValues& a) {
        Log("查看单据: 类型 " + Arg(a, 0).AsString() + ", 单据 " + Arg(a, 1).AsString());
        return TValues{};
    });
}

void TMainWindow::ShowRetailSale() {
    if (!plugin_ || !host_)
        return;
    if (!retail_)
        retail_ = std::make_unique<TRetailSaleWindow>(
            hwnd_, *plugin_, *host_, [this](const std::string& message) { ShowError(message); });
    retail_->Show();
    Log("零售单窗口已打开");
}

int TMainWindow::Run() {
    ShowWindow(hwnd_, SW_SHOW);
    UpdateWindow(hwnd_);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void TMainWindow::Layout() {
    RECT rc;
    GetClientRect(hwnd_, &rc);
    SendMessageW(status_, WM_SIZE, 0, 0);
    RECT sb;
    GetWindowRect(status_, &sb);
    MoveWindow(log_, 0, 0, rc.right, rc.bottom - (sb.bottom - sb.top), TRUE);
}

LRESULT TMainWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        if (log_)
            Layout();
        return 0;
    case WM_COMMAND: {
        const UINT id = LOWORD(wParam);
        if (id == kExitCommand) {
            PostMessageW(hwnd_, WM_CLOSE, 0, 0);
        } else if (id == kRetailCommand) {
            ShowRetailSale();
        } else if (id >= kFirstEntryCommand && id < kFirstEntryCommand + entries_.size() && plugin_) {
            const TMenuEntry& entry = entries_[id - kFirstEntryCommand];
            Log("调用 " + entry.Export + " (" + entry.Caption + ")");
            if (!plugin_->RunMenuExport(entry.Export))
                ShowError("插件没有导出函数 " + entry.Export);
            Log(entry.Export + " 已返回");
        }
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

} // namespace tkv::workbench
