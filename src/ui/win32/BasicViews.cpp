// Labels, buttons, check boxes, radio buttons and scroll bars.
#include "BasicViews.h"

#include "FormWindow.h"
#include "platform/win32/Win32Text.h"
#include "toolkit/ActionButton.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Dispatcher.h"
#include "toolkit/Label.h"
#include "toolkit/RadioButton.h"
#include "toolkit/ScrollBar.h"

namespace tkv::win32ui {

bool TLabelView::Transparent() const {
    const auto* label = dynamic_cast<const TLabel*>(&model_);
    return label && label->Transparent();
}

DWORD TLabelView::WrapStyle() const {
    const auto* label = dynamic_cast<const TLabel*>(&model_);
    return label && label->WordWrap() ? SS_LEFT : SS_LEFTNOWORDWRAP;
}

void TLabelView::Create(HWND parent) {
    // A transparent label is painted after the siblings below it and erases nothing.
    hwnd_ = MakeWindow(parent, L"Static", win32::Utf8ToWide(model_.Caption()), WrapStyle() | SS_NOPREFIX,
                       Transparent() ? WS_EX_TRANSPARENT : 0);
}

void TLabelView::Update(TProperty property) {
    if (property == TProperty::Caption) {
        LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE) & ~static_cast<LONG_PTR>(SS_TYPEMASK);
        SetWindowLongPtrW(hwnd_, GWL_STYLE, style | static_cast<LONG_PTR>(WrapStyle()));
    }
    TControlView::Update(property);
    if (Transparent() && (property == TProperty::Caption || property == TProperty::Visible)) {
        // What lay under the old text shows again.
        RECT rc{model_.Left(), model_.Top(), model_.Left() + model_.Width(), model_.Top() + model_.Height()};
        RedrawWindow(GetParent(hwnd_), &rc, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

HBRUSH TLabelView::CtlColor(HDC dc, HWND from) {
    SetTextColor(dc, ToColorRef(model_.Font().Color));
    if (Transparent()) {
        SetBkMode(dc, TRANSPARENT);
        return static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));
    }
    const COLORREF back = IsSystemColor(model_.Color()) && model_.Color() == TColor::clBtnFace
                              ? window_.BackColorOf(model_.Parent())
                              : ToColorRef(model_.Color());
    SetBkColor(dc, back);
    return window_.Gdi().Brush(back);
}

TButtonView::TButtonView(TFormWindow& window, TActionButton& model) : TControlView(window, model) {}

void TButtonView::Create(HWND parent) {
    hwnd_ =
        MakeWindow(parent, L"Button", win32::Utf8ToWide(model_.Caption()), BS_PUSHBUTTON | TabStopStyle());
}

bool TButtonView::Command(HWND from, UINT code) {
    if (code != BN_CLICKED)
        return false;
    model_.PerformClick();
    return true;
}

TCheckView::TCheckView(TFormWindow& window, TCheckBox& model) : TControlView(window, model), check_(model) {}

void TCheckView::Create(HWND parent) {
    hwnd_ = MakeWindow(parent, L"Button", win32::Utf8ToWide(model_.Caption()), BS_CHECKBOX | TabStopStyle());
    Update(TProperty::Checked);
}

void TCheckView::Update(TProperty property) {
    if (property == TProperty::Checked)
        SendMessageW(hwnd_, BM_SETCHECK, check_.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
    else
        TControlView::Update(property);
}

bool TCheckView::Command(HWND from, UINT code) {
    if (code != BN_CLICKED)
        return false;
    model_.PerformClick();
    return true;
}

TRadioView::TRadioView(TFormWindow& window, TRadioButton& model)
    : TControlView(window, model), radio_(model) {}

void TRadioView::Create(HWND parent) {
    hwnd_ =
        MakeWindow(parent, L"Button", win32::Utf8ToWide(model_.Caption()), BS_RADIOBUTTON | TabStopStyle());
    Update(TProperty::Checked);
}

void TRadioView::Update(TProperty property) {
    if (property == TProperty::Checked)
        SendMessageW(hwnd_, BM_SETCHECK, radio_.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
    else
        TControlView::Update(property);
}

bool TRadioView::Command(HWND from, UINT code) {
    if (code != BN_CLICKED)
        return false;
    model_.PerformClick();
    return true;
}

TScrollBarView::TScrollBarView(TFormWindow& window, TScrollBar& model)
    : TControlView(window, model), bar_(model) {}

void TScrollBarView::Create(HWND parent) {
    const DWORD kind = bar_.Kind() == TScrollBarKind::sbHorizontal ? SBS_HORZ : SBS_VERT;
    hwnd_ = MakeWindow(parent, L"ScrollBar", std::wstring(), kind | TabStopStyle());
    ApplyRange();
}

void TScrollBarView::ApplyRange() {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_POS | SIF_PAGE | SIF_DISABLENOSCROLL;
    si.nMin = bar_.Min();
    si.nMax = bar_.Max();
    si.nPage = 0;
    si.nPos = bar_.Position();
    SetScrollInfo(hwnd_, SB_CTL, &si, TRUE);
}

void TScrollBarView::Update(TProperty property) {
    if (property == TProperty::ScrollRange || property == TProperty::ScrollPosition)
        ApplyRange();
    else
        TControlView::Update(property);
}

bool TScrollBarView::Scroll(HWND from, UINT code) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(hwnd_, SB_CTL, &si);
    int position = bar_.Position();
    switch (code) {
    case SB_LINELEFT:
    case SB_PAGELEFT:
        --position;
        break;
    case SB_LINERIGHT:
    case SB_PAGERIGHT:
        ++position;
        break;
    case SB_LEFT:
        position = bar_.Min();
        break;
    case SB_RIGHT:
        position = bar_.Max();
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        position = si.nTrackPos;
        break;
    default:
        return true;
    }
    RunHandler([&] { bar_.SetPosition(position); });
    return true;
}

} // namespace tkv::win32ui
