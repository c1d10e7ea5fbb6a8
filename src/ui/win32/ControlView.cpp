// The common part of every control view and the choice of view for a model.
#include "ControlView.h"

#include "BasicViews.h"
#include "ContainerViews.h"
#include "EditViews.h"
#include "FormWindow.h"
#include "GridView.h"
#include "PictureViews.h"
#include "WindowClasses.h"
#include "platform/win32/Win32Text.h"
#include "toolkit/ActionButton.h"
#include "toolkit/BandGrid.h"
#include "toolkit/CheckBox.h"
#include "toolkit/DatePicker.h"
#include "toolkit/Edit.h"
#include "toolkit/FramePanel.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Label.h"
#include "toolkit/LabelComboBox.h"
#include "toolkit/PictureSlot.h"
#include "toolkit/PictureView.h"
#include "toolkit/RadioButton.h"
#include "toolkit/RadioGroup.h"
#include "toolkit/ScrollBar.h"

#include <commctrl.h>

namespace tkv::win32ui {

namespace {

// Mouse and character messages of the native controls reach their view first (double clicks on
// edits, typing into the edit models, the picture slots' buttons).
LRESULT CALLBACK ViewSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR data) {
    if ((message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_CHAR ||
        message == WM_IME_CHAR || message == WM_CONTEXTMENU) {
        auto* view = reinterpret_cast<TControlView*>(data);
        if (view->Intercept(hwnd, message, wParam, lParam))
            return 0;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

} // namespace

void TControlView::Update(TProperty property) {
    switch (property) {
    case TProperty::Bounds:
        Place();
        break;
    case TProperty::Visible:
        ApplyVisible();
        break;
    case TProperty::Enabled:
        ApplyEnabled();
        break;
    case TProperty::Font:
        ApplyFont();
        break;
    case TProperty::Caption:
        SetWindowTextW(hwnd_, win32::Utf8ToWide(model_.Caption()).c_str());
        break;
    case TProperty::TabOrder:
        window_.ReorderChildren(model_.Parent());
        break;
    case TProperty::Color:
        InvalidateRect(hwnd_, nullptr, TRUE);
        break;
    default:
        break;
    }
}

HBRUSH TControlView::CtlColor(HDC dc, HWND from) {
    SetTextColor(dc, ToColorRef(model_.Font().Color));
    const COLORREF back = window_.BackColorOf(model_.Parent());
    SetBkColor(dc, back);
    return window_.Gdi().Brush(back);
}

HWND TControlView::MakeWindow(HWND parent, const wchar_t* windowClass, const std::wstring& text, DWORD style,
                              DWORD exStyle) {
    style |= WS_CHILD;
    if (model_.Visible())
        style |= WS_VISIBLE;
    if (!model_.Enabled())
        style |= WS_DISABLED;
    HWND hwnd = CreateWindowExW(exStyle, windowClass, text.c_str(), style, model_.Left(), model_.Top(),
                                model_.Width(), model_.Height(), parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(window_.NextControlId())),
                                ModuleInstance(), nullptr);
    if (!hwnd)
        return nullptr;
    window_.RegisterWindow(hwnd, this);
    SetWindowSubclass(hwnd, ViewSubclass, 1, reinterpret_cast<DWORD_PTR>(this));
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(window_.FontOf(model_)), FALSE);
    return hwnd;
}

void TControlView::Place() {
    SetWindowPos(hwnd_, nullptr, model_.Left(), model_.Top(), model_.Width(), model_.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TControlView::ApplyFont() {
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(window_.FontOf(model_)), TRUE);
}

void TControlView::ApplyEnabled() {
    EnableWindow(hwnd_, model_.Enabled());
}

void TControlView::ApplyVisible() {
    ShowWindow(hwnd_, model_.Visible() ? SW_SHOWNA : SW_HIDE);
}

DWORD TControlView::TabStopStyle() const {
    return model_.Focusable() && model_.TabStop() ? WS_TABSTOP : 0;
}

std::unique_ptr<TControlView> MakeControlView(TFormWindow& window, TControl& model) {
    if (auto* grid = dynamic_cast<TBandGrid*>(&model))
        return std::make_unique<TGridView>(window, *grid);
    if (auto* combo = dynamic_cast<TLabelComboBox*>(&model))
        return std::make_unique<TComboView>(window, *combo);
    if (auto* date = dynamic_cast<TDatePicker*>(&model))
        return std::make_unique<TDateView>(window, *date);
    if (auto* edit = dynamic_cast<TEdit*>(&model))
        return std::make_unique<TEditView>(window, *edit);
    if (auto* button = dynamic_cast<TActionButton*>(&model))
        return std::make_unique<TButtonView>(window, *button);
    if (auto* check = dynamic_cast<TCheckBox*>(&model))
        return std::make_unique<TCheckView>(window, *check);
    if (auto* radio = dynamic_cast<TRadioButton*>(&model))
        return std::make_unique<TRadioView>(window, *radio);
    if (auto* group = dynamic_cast<TRadioGroup*>(&model))
        return std::make_unique<TRadioGroupView>(window, *group);
    if (auto* bar = dynamic_cast<TScrollBar*>(&model))
        return std::make_unique<TScrollBarView>(window, *bar);
    if (auto* slot = dynamic_cast<TPictureSlot*>(&model))
        return std::make_unique<TPictureSlotView>(window, *slot);
    if (auto* pixels = dynamic_cast<TPictureView*>(&model))
        return std::make_unique<TPixelsView>(window, *pixels);
    if (auto* label = dynamic_cast<TLabel*>(&model))
        return std::make_unique<TLabelView>(window, *label);
    if (dynamic_cast<TGroupBox*>(&model))
        return std::make_unique<TContainerView>(window, model, TContainerView::kGroupFrame);
    if (auto* panel = dynamic_cast<TFramePanel*>(&model))
        return std::make_unique<TContainerView>(
            window, model,
            panel->BevelOuter() == TBevelCut::bvNone ? TContainerView::kNoFrame : TContainerView::kBevel);
    // Any other control: a container when it holds controls (they need a parent), else its caption.
    if (!window.Form().Children(&model).empty())
        return std::make_unique<TContainerView>(window, model, TContainerView::kNoFrame);
    return std::make_unique<TLabelView>(window, model);
}

} // namespace tkv::win32ui
