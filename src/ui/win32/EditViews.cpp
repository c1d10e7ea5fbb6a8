// Edits, drop-down lists and date pickers, with their caption labels.
#include "EditViews.h"

#include "FormWindow.h"
#include "WindowClasses.h"
#include "framework/DateTime.h"
#include "platform/win32/Win32Text.h"
#include "toolkit/CaptionLabel.h"
#include "toolkit/DataBtnEdit.h"
#include "toolkit/DatePicker.h"
#include "toolkit/LabelComboBox.h"

#include <commctrl.h>

#include <vector>

namespace tkv::win32ui {

namespace {

constexpr int kButtonWidth = 21;
constexpr int kDropDownHeight = 200;

HWND MakeLabel(TControlView& view, TFormWindow& window, HWND parent, const std::string& text) {
    HWND label = CreateWindowExW(
        0, L"Static", win32::Utf8ToWide(text).c_str(), WS_CHILD | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(window.NextControlId())), ModuleInstance(), nullptr);
    window.RegisterWindow(label, &view);
    return label;
}

std::wstring WindowText(HWND hwnd) {
    const int n = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    GetWindowTextW(hwnd, text.data(), n + 1);
    text.resize(static_cast<std::size_t>(n));
    return text;
}

} // namespace

void TCaptionPart::Create(TControlView& view, TFormWindow& window, HWND parent) {
    model_ = &view.Model();
    if (!dynamic_cast<TCaptionLabel*>(model_))
        return;
    label_ = MakeLabel(view, window, parent, model_->Caption());
    Update(window);
}

void TCaptionPart::Update(TFormWindow& window) {
    if (!label_)
        return;
    const auto* settings = dynamic_cast<TCaptionLabel*>(model_);
    const std::wstring text = win32::Utf8ToWide(model_->Caption());
    HFONT font = window.FontOf(*model_);
    SendMessageW(label_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetWindowTextW(label_, text.c_str());
    const SIZE size = TextExtent(font, text);
    int x, y;
    if (settings->LabelPosition() == TLabelPosition::lpAbove) {
        x = model_->Left();
        y = model_->Top() - size.cy - settings->LabelSpacing();
    } else {
        x = model_->Left() - size.cx - settings->LabelSpacing();
        y = model_->Top() + (model_->Height() - size.cy) / 2;
    }
    SetWindowPos(label_, nullptr, x, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    const bool shown = model_->Visible() && settings->LabelVisible() && !text.empty();
    ShowWindow(label_, shown ? SW_SHOWNA : SW_HIDE);
    InvalidateRect(label_, nullptr, TRUE);
}

TEditView::TEditView(TFormWindow& window, TEdit& model) : TControlView(window, model), edit_(model) {}

bool TEditView::ButtonShown() const {
    const auto* buttonEdit = dynamic_cast<const TDataBtnEdit*>(&edit_);
    return buttonEdit && buttonEdit->BtnVisible();
}

void TEditView::Create(HWND parent) {
    caption_.Create(*this, window_, parent);
    hwnd_ = MakeWindow(parent, L"Edit", std::wstring(),
                       ES_AUTOHSCROLL | ES_LEFT | TabStopStyle() | (edit_.ReadOnly() ? ES_READONLY : 0),
                       WS_EX_CLIENTEDGE);
    if (dynamic_cast<TDataBtnEdit*>(&edit_)) {
        button_ = MakeWindow(parent, L"Button", L"...", BS_PUSHBUTTON);
        ShowWindow(button_, model_.Visible() && ButtonShown() ? SW_SHOWNA : SW_HIDE);
    }
    Place();
    ApplyText();
}

void TEditView::Place() {
    int width = model_.Width();
    if (ButtonShown()) {
        const int buttonWidth = std::min(kButtonWidth, width / 2);
        width -= buttonWidth;
        SetWindowPos(button_, nullptr, model_.Left() + width, model_.Top(), buttonWidth, model_.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetWindowPos(hwnd_, nullptr, model_.Left(), model_.Top(), width, model_.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    caption_.Update(window_);
}

void TEditView::ApplyFont() {
    TControlView::ApplyFont();
    if (button_)
        SendMessageW(button_, WM_SETFONT, reinterpret_cast<WPARAM>(window_.FontOf(model_)), TRUE);
    caption_.Update(window_);
}

void TEditView::ApplyEnabled() {
    EnableWindow(hwnd_, model_.Enabled());
    if (button_)
        EnableWindow(button_, model_.Enabled());
}

void TEditView::ApplyVisible() {
    ShowWindow(hwnd_, model_.Visible() ? SW_SHOWNA : SW_HIDE);
    if (button_)
        ShowWindow(button_, model_.Visible() && ButtonShown() ? SW_SHOWNA : SW_HIDE);
    caption_.Update(window_);
}

void TEditView::ApplyText() {
    const std::wstring text = win32::Utf8ToWide(edit_.Text());
    if (WindowText(hwnd_) != text)
        SetWindowTextW(hwnd_, text.c_str());
    // An edit without the focus shows the start of its text, as the model's caret is only the
    // user's while he types.
    if (GetFocus() != hwnd_) {
        SendMessageW(hwnd_, EM_SETSEL, 0, 0);
        return;
    }
    const int start = WideOffset(edit_.Text(), edit_.SelStart());
    const int end = WideOffset(edit_.Text(), edit_.SelStart() + edit_.SelLength());
    SendMessageW(hwnd_, EM_SETSEL, start, end);
}

void TEditView::Update(TProperty property) {
    switch (property) {
    case TProperty::Text:
        ApplyText();
        break;
    case TProperty::Caption:
        caption_.Update(window_);
        break;
    case TProperty::ReadOnly:
        SendMessageW(hwnd_, EM_SETREADONLY, edit_.ReadOnly(), 0);
        break;
    case TProperty::ButtonVisible:
        ApplyVisible();
        Place();
        break;
    default:
        TControlView::Update(property);
        break;
    }
}

bool TEditView::Command(HWND from, UINT code) {
    // The edit's own notifications are not read back: the model holds the text.
    return from == hwnd_ || from == button_;
}

HBRUSH TEditView::CtlColor(HDC dc, HWND from) {
    return from == caption_.Handle() ? TControlView::CtlColor(dc, from) : nullptr;
}

void TEditView::SyncCaretToModel() {
    DWORD start = 0, end = 0;
    SendMessageW(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const std::wstring text = WindowText(hwnd_);
    const int from = CodePointOffset(text, static_cast<int>(start));
    const int to = CodePointOffset(text, static_cast<int>(end));
    if (from == edit_.SelStart() && to - from == edit_.SelLength())
        return;
    edit_.SetSelStart(from);
    edit_.SetSelLength(to - from);
}

void TEditView::TypeCharacter(char32_t key) {
    SyncCaretToModel();
    edit_.PerformKeyPress(key);
}

bool TEditView::Intercept(HWND from, UINT message, WPARAM wParam, LPARAM lParam) {
    if (from == button_) {
        // The button takes no focus: the edit becomes the active control, then the button acts.
        if (message != WM_LBUTTONDOWN && message != WM_LBUTTONDBLCLK)
            return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST && message != WM_MOUSEMOVE;
        if (!window_.Form().SetActiveControl(&model_))
            return true;
        if (auto* buttonEdit = dynamic_cast<TDataBtnEdit*>(&edit_))
            buttonEdit->PerformButtonClick();
        return true;
    }
    if (from != hwnd_)
        return false;
    switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR: {
        const auto unit = static_cast<wchar_t>(wParam);
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            highSurrogate_ = unit;
            return true;
        }
        char32_t key = unit;
        if (unit >= 0xDC00 && unit <= 0xDFFF && highSurrogate_)
            key = 0x10000 + ((static_cast<char32_t>(highSurrogate_) - 0xD800) << 10) + (unit - 0xDC00);
        highSurrogate_ = 0;
        TypeCharacter(key);
        return true;
    }
    case WM_LBUTTONDBLCLK:
        model_.PerformDblClick();
        return false;
    case WM_CONTEXTMENU:
        // The native menu would paste and cut behind the model's back.
        return true;
    default:
        return false;
    }
}

bool TEditView::PassKeyToNative(UINT vk) const {
    return vk != VK_DELETE;
}

bool TEditView::EditingKey(UINT vk, TShiftState shift) {
    const bool ctrl = (shift & ssCtrl) != 0;
    SyncCaretToModel();
    if (vk == VK_DELETE && !ctrl) {
        if (edit_.SelLength() == 0) {
            if (edit_.SelStart() >= edit_.CharCount())
                return true;
            const int at = edit_.SelStart();
            edit_.SetSelStart(at);
            edit_.SetSelLength(1);
        }
        TypeCharacter(VK_BACK);
        return true;
    }
    if (ctrl && vk == 'A') {
        edit_.SelectAll();
        return true;
    }
    if (ctrl && (vk == 'C' || vk == VK_INSERT)) {
        SendMessageW(hwnd_, WM_COPY, 0, 0);
        return true;
    }
    if (ctrl && vk == 'X') {
        SendMessageW(hwnd_, WM_COPY, 0, 0);
        if (edit_.SelLength() > 0)
            TypeCharacter(VK_BACK);
        return true;
    }
    if ((ctrl && vk == 'V') || ((shift & ssShift) && vk == VK_INSERT)) {
        std::wstring pasted;
        if (OpenClipboard(hwnd_)) {
            if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
                if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
                    pasted = text;
                    GlobalUnlock(data);
                }
            }
            CloseClipboard();
        }
        // One line only; each character goes through the model's typing rules.
        pasted = pasted.substr(0, pasted.find_first_of(L"\r\n"));
        for (char32_t key : DecodeUtf8(win32::WideToUtf8(pasted.c_str(), pasted.size())))
            TypeCharacter(key);
        return true;
    }
    return false;
}

TComboView::TComboView(TFormWindow& window, TLabelComboBox& model)
    : TControlView(window, model), combo_(model) {}

void TComboView::Create(HWND parent) {
    caption_.Create(*this, window_, parent);
    hwnd_ = MakeWindow(parent, L"ComboBox", std::wstring(), CBS_DROPDOWNLIST | WS_VSCROLL | TabStopStyle());
    ApplyItems();
    Place();
}

void TComboView::ApplyItems() {
    SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : combo_.Items())
        SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::Utf8ToWide(item).c_str()));
    SendMessageW(hwnd_, CB_SETCURSEL, combo_.ItemIndex(), 0);
}

void TComboView::Place() {
    SetWindowPos(hwnd_, nullptr, model_.Left(), model_.Top(), model_.Width(),
                 model_.Height() + kDropDownHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    // The selection field is as high as the model's control; the list drops below it.
    SendMessageW(hwnd_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), std::max(model_.Height() - 6, 8));
    caption_.Update(window_);
}

void TComboView::ApplyFont() {
    TControlView::ApplyFont();
    Place();
}

void TComboView::ApplyVisible() {
    TControlView::ApplyVisible();
    caption_.Update(window_);
}

void TComboView::Update(TProperty property) {
    switch (property) {
    case TProperty::Items:
        ApplyItems();
        break;
    case TProperty::ItemIndex:
        SendMessageW(hwnd_, CB_SETCURSEL, combo_.ItemIndex(), 0);
        break;
    case TProperty::Caption:
        caption_.Update(window_);
        break;
    default:
        TControlView::Update(property);
        break;
    }
}

bool TComboView::Command(HWND from, UINT code) {
    if (from != hwnd_)
        return false;
    if (code == CBN_SELCHANGE) {
        const auto index = static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0));
        if (!combo_.ChooseItem(index))
            SendMessageW(hwnd_, CB_SETCURSEL, combo_.ItemIndex(), 0);
    }
    return true;
}

HBRUSH TComboView::CtlColor(HDC dc, HWND from) {
    return from == caption_.Handle() ? TControlView::CtlColor(dc, from) : nullptr;
}

bool TComboView::PassKeyToNative(UINT vk) const {
    return !combo_.ReadOnly();
}

TDateView::TDateView(TFormWindow& window, TDatePicker& model) : TControlView(window, model), date_(model) {}

void TDateView::Create(HWND parent) {
    caption_.Create(*this, window_, parent);
    const DWORD mode = date_.DateMode() == TDateMode::dmUpDown ? DTS_UPDOWN : 0;
    hwnd_ =
        MakeWindow(parent, DATETIMEPICK_CLASSW, std::wstring(), DTS_SHORTDATEFORMAT | mode | TabStopStyle());
    const wchar_t* format = date_.DateType() == TDateType::dtDate   ? L"yyyy-MM-dd"
                            : date_.DateType() == TDateType::dtTime ? L"HH:mm:ss"
                                                                    : L"yyyy-MM-dd HH:mm:ss";
    SendMessageW(hwnd_, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(format));
    ApplyDate();
    caption_.Update(window_);
}

void TDateView::ApplyDate() {
    const DateParts p = DecodeDateTime(date_.GetDate());
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(p.year);
    st.wMonth = static_cast<WORD>(p.month);
    st.wDay = static_cast<WORD>(p.day);
    st.wHour = static_cast<WORD>(p.hour);
    st.wMinute = static_cast<WORD>(p.minute);
    st.wSecond = static_cast<WORD>(p.second);
    settingDate_ = true;
    SendMessageW(hwnd_, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
    settingDate_ = false;
}

void TDateView::Place() {
    TControlView::Place();
    caption_.Update(window_);
}

void TDateView::ApplyFont() {
    TControlView::ApplyFont();
    caption_.Update(window_);
}

void TDateView::ApplyVisible() {
    TControlView::ApplyVisible();
    caption_.Update(window_);
}

void TDateView::Update(TProperty property) {
    switch (property) {
    case TProperty::Date:
        ApplyDate();
        break;
    case TProperty::Caption:
        caption_.Update(window_);
        break;
    default:
        TControlView::Update(property);
        break;
    }
}

bool TDateView::Notify(NMHDR& header, LRESULT& result) {
    if (header.hwndFrom != hwnd_)
        return false;
    if (header.code == DTN_DATETIMECHANGE && !settingDate_) {
        const auto& change = reinterpret_cast<NMDATETIMECHANGE&>(header);
        if (change.dwFlags == GDT_VALID) {
            const SYSTEMTIME& st = change.st;
            TDateTime chosen = EncodeDate(st.wYear, st.wMonth, st.wDay);
            if (date_.DateType() != TDateType::dtDate)
                chosen += EncodeTime(st.wHour, st.wMinute, st.wSecond);
            if (!date_.ChooseDate(chosen))
                ApplyDate();
        }
    }
    result = 0;
    return true;
}

HBRUSH TDateView::CtlColor(HDC dc, HWND from) {
    return from == caption_.Handle() ? TControlView::CtlColor(dc, from) : nullptr;
}

} // namespace tkv::win32ui
