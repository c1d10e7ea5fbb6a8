// Panels, group boxes and radio groups.
#include "ContainerViews.h"

#include "FormWindow.h"
#include "WindowClasses.h"
#include "platform/win32/Win32Text.h"
#include "toolkit/Dispatcher.h"
#include "toolkit/RadioGroup.h"

namespace tkv::win32ui {

namespace {

const wchar_t kContainerClass[] = L"TkvContainer";

LRESULT CALLBACK ContainerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (TFormWindow* form = TFormWindow::Of(hwnd)) {
        LRESULT result = 0;
        if (form->RouteChildMessage(message, wParam, lParam, result))
            return result;
        if (message == WM_ERASEBKGND)
            return 1;
        if (message == WM_PAINT) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            if (auto* view = dynamic_cast<TContainerView*>(form->ViewOfWindow(hwnd)))
                view->Paint(dc);
            EndPaint(hwnd, &ps);
            return 0;
        }
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace

TContainerView::TContainerView(TFormWindow& window, TControl& model, TFrame frame)
    : TControlView(window, model), frame_(frame) {}

void TContainerView::Create(HWND parent) {
    EnsureWindowClass(kContainerClass, ContainerProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
    hwnd_ = MakeWindow(parent, kContainerClass, win32::Utf8ToWide(model_.Caption()), WS_CLIPSIBLINGS,
                       WS_EX_CONTROLPARENT);
}

void TContainerView::Update(TProperty property) {
    TControlView::Update(property);
    if (property == TProperty::Caption || property == TProperty::Font)
        InvalidateRect(hwnd_, nullptr, TRUE);
}

void TContainerView::Paint(HDC dc) {
    RECT rc;
    GetClientRect(hwnd_, &rc);
    const COLORREF back =
        frame_ == kGroupFrame ? window_.BackColorOf(model_.Parent()) : ToColorRef(model_.Color());
    FillRect(dc, &rc, window_.Gdi().Brush(back));
    if (frame_ == kBevel) {
        DrawEdge(dc, &rc, BDR_RAISEDINNER, BF_RECT);
        return;
    }
    if (frame_ != kGroupFrame)
        return;
    HGDIOBJ oldFont = SelectObject(dc, window_.FontOf(model_));
    const std::wstring caption = win32::Utf8ToWide(model_.Caption());
    SIZE text{0, 0};
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    if (!caption.empty())
        GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
    RECT frame = rc;
    frame.top += tm.tmHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (!caption.empty()) {
        RECT label{8, 0, 8 + text.cx + 4, tm.tmHeight};
        FillRect(dc, &label, window_.Gdi().Brush(back));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, model_.Enabled() ? ToColorRef(model_.Font().Color) : GetSysColor(COLOR_GRAYTEXT));
        TextOutW(dc, 10, 0, caption.c_str(), static_cast<int>(caption.size()));
    }
    SelectObject(dc, oldFont);
}

TRadioGroupView::TRadioGroupView(TFormWindow& window, TRadioGroup& model)
    : TContainerView(window, model, kGroupFrame), group_(model) {}

void TRadioGroupView::Create(HWND parent) {
    TContainerView::Create(parent);
    MakeItems();
}

HWND TRadioGroupView::FocusWindow() const {
    const int index = group_.ItemIndex();
    if (index >= 0 && index < static_cast<int>(items_.size()))
        return items_[index];
    return items_.empty() ? hwnd_ : items_.front();
}

void TRadioGroupView::MakeItems() {
    for (HWND item : items_) {
        window_.UnregisterWindow(item);
        DestroyWindow(item);
    }
    items_.clear();
    const auto& captions = group_.Items();
    for (std::size_t i = 0; i < captions.size(); ++i) {
        HWND item =
            CreateWindowExW(0, L"Button", win32::Utf8ToWide(captions[i]).c_str(),
                            WS_CHILD | WS_VISIBLE | BS_RADIOBUTTON | (i == 0 ? WS_GROUP : 0), 0, 0, 0, 0,
                            hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(window_.NextControlId())),
                            ModuleInstance(), nullptr);
        window_.RegisterWindow(item, this);
        SendMessageW(item, WM_SETFONT, reinterpret_cast<WPARAM>(window_.FontOf(model_)), FALSE);
        items_.push_back(item);
    }
    ArrangeItems();
    ApplyChecks();
}

void TRadioGroupView::ArrangeItems() {
    if (items_.empty())
        return;
    const int columns = group_.Columns() > 0 ? group_.Columns() : 1;
    const int count = static_cast<int>(items_.size());
    const int perColumn = (count + columns - 1) / columns;
    const int textHeight = TextExtent(window_.FontOf(model_), L"").cy;
    const int itemWidth = (model_.Width() - 10) / columns;
    const int space = model_.Height() - textHeight - 5;
    const int itemHeight = space / perColumn;
    const int topMargin = textHeight + 1 + (space % perColumn) / 2;
    for (int i = 0; i < count; ++i)
        SetWindowPos(items_[i], nullptr, (i / perColumn) * itemWidth + 8,
                     (i % perColumn) * itemHeight + topMargin, itemWidth, itemHeight,
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

void TRadioGroupView::ApplyChecks() {
    const int index = group_.ItemIndex();
    for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
        SendMessageW(items_[i], BM_SETCHECK, i == index ? BST_CHECKED : BST_UNCHECKED, 0);
        // The dialog manager tabs to the checked button of a group, or to its first.
        const bool stop = model_.TabStop() && (i == index || (index < 0 && i == 0));
        LONG_PTR style = GetWindowLongPtrW(items_[i], GWL_STYLE);
        style = stop ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
        SetWindowLongPtrW(items_[i], GWL_STYLE, style);
    }
}

void TRadioGroupView::Update(TProperty property) {
    switch (property) {
    case TProperty::Items:
        MakeItems();
        break;
    case TProperty::ItemIndex:
        ApplyChecks();
        break;
    case TProperty::Bounds:
        TContainerView::Update(property);
        ArrangeItems();
        break;
    case TProperty::Font:
        TContainerView::Update(property);
        for (HWND item : items_)
            SendMessageW(item, WM_SETFONT, reinterpret_cast<WPARAM>(window_.FontOf(model_)), TRUE);
        ArrangeItems();
        break;
    default:
        TContainerView::Update(property);
        break;
    }
}

bool TRadioGroupView::Command(HWND from, UINT code) {
    if (code != BN_CLICKED)
        return false;
    for (int i = 0; i < static_cast<int>(items_.size()); ++i)
        if (items_[i] == from) {
            RunHandler([&] { group_.ChooseItem(i); });
            ApplyChecks();
        }
    return true;
}

} // namespace tkv::win32ui
