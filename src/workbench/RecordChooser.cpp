// The record selection dialog, made in code and run modally over its owner.
#include "RecordChooser.h"

#include "abi/WideString.h"

#include <commctrl.h>

namespace tkv::workbench {

namespace {

const wchar_t kClass[] = L"TkvChooseRecord";
constexpr int kListId = 100;

struct Chooser {
    HWND list = nullptr;
    int chosen = -1;
    bool done = false;
};

void Choose(HWND hwnd, Chooser& c) {
    c.chosen =
        static_cast<int>(SendMessageW(c.list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    c.done = true;
}

LRESULT CALLBACK ChooserProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* c = reinterpret_cast<Chooser*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (message) {
    case WM_COMMAND:
        if (c && LOWORD(wParam) == IDOK)
            Choose(hwnd, *c);
        else if (c && LOWORD(wParam) == IDCANCEL)
            c->done = true;
        return 0;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (c && header->idFrom == kListId && (header->code == NM_DBLCLK || header->code == NM_RETURN))
            Choose(hwnd, *c);
        return 0;
    }
    case WM_CLOSE:
        if (c)
            c->done = true;
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

HWND Child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h,
           int id) {
    HWND child = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                 nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return child;
}

} // namespace

int ChooseRecord(HWND owner, const std::string& caption, const std::vector<TBasicRecord>& records) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExW(GetModuleHandleW(nullptr), kClass, &wc)) {
        wc.lpfnWndProc = ChooserProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kClass;
        RegisterClassExW(&wc);
    }
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    RECT rc{0, 0, 460, 330};
    AdjustWindowRectEx(&rc, style, FALSE, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT);
    RECT area;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    HWND hwnd = CreateWindowExW(
        WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kClass, abi::Utf8ToWide(caption).c_str(), style,
        area.left + (area.right - area.left - w) / 2, area.top + (area.bottom - area.top - h) / 2, w, h,
        owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    Chooser c;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&c));
    c.list = Child(hwnd, WC_LISTVIEWW, L"",
                   WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 10, 10, 440, 270,
                   kListId);
    SendMessageW(c.list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    const wchar_t* titles[] = {L"编号", L"名称", L"类型编号"};
    const int widths[] = {90, 250, 90};
    for (int i = 0; i < 3; ++i) {
        LVCOLUMNW col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.pszText = const_cast<wchar_t*>(titles[i]);
        col.cx = widths[i];
        SendMessageW(c.list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&col));
    }
    for (std::size_t i = 0; i < records.size(); ++i) {
        std::wstring texts[] = {abi::Utf8ToWide(records[i].UserCode), abi::Utf8ToWide(records[i].FullName),
                                abi::Utf8ToWide(records[i].TypeId)};
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = texts[0].data();
        SendMessageW(c.list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        for (int s = 1; s < 3; ++s) {
            item.iSubItem = s;
            item.pszText = texts[s].data();
            SendMessageW(c.list, LVM_SETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
        }
    }
    LVITEMW first{};
    first.stateMask = first.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(c.list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&first));
    Child(hwnd, L"Button", L"确定", WS_TABSTOP | BS_DEFPUSHBUTTON, 290, 292, 75, 26, IDOK);
    Child(hwnd, L"Button", L"取消", WS_TABSTOP | BS_PUSHBUTTON, 375, 292, 75, 26, IDCANCEL);

    const bool ownerEnabled = owner && IsWindowEnabled(owner);
    ShowWindow(hwnd, SW_SHOW);
    if (ownerEnabled)
        EnableWindow(owner, FALSE);
    SetFocus(c.list);
    MSG msg;
    while (!c.done && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_KEYDOWN && msg.hwnd == c.list && msg.wParam == VK_RETURN) {
            Choose(hwnd, c);
            continue;
        }
        if (!IsDialogMessageW(hwnd, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (ownerEnabled)
        EnableWindow(owner, TRUE);
    DestroyWindow(hwnd);
    return c.chosen;
}

} // namespace tkv::workbench
