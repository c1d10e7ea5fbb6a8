// The shown form: its window, its views, the observer and the modal loop.
#include "FormWindow.h"

#include "WindowClasses.h"
#include "platform/win32/Win32Text.h"
#include "toolkit/Action.h"
#include "toolkit/Timer.h"

#include <algorithm>

namespace tkv::win32ui {

namespace {

const wchar_t kFormClass[] = L"TkvForm";
const wchar_t kFormProp[] = L"TkvFormWindow";
// The control's name as a global atom on the window that stands for it, so that tools outside the
// process (UI automation, the workbench tests) find a control by the name the window gives it.
const wchar_t kNameProp[] = L"TkvControl";

bool IsDroppedComboBox(HWND hwnd) {
    wchar_t name[16] = {};
    GetClassNameW(hwnd, name, 16);
    return lstrcmpiW(name, L"ComboBox") == 0 && SendMessageW(hwnd, CB_GETDROPPEDSTATE, 0, 0);
}

bool IsInside(const TControl& control, const TComponent* container) {
    for (const TControl* c = control.Parent(); c; c = c->Parent())
        if (c == container)
            return true;
    return false;
}

} // namespace

TFormWindow::TFormWindow(TForm& form, HWND owner) : form_(form), owner_(owner) {}

TFormWindow::~TFormWindow() {
    if (form_.Observer() == this)
        form_.SetObserver(nullptr);
    if (hwnd_) {
        for (std::size_t i = 0; i < timers_.size(); ++i)
            KillTimer(hwnd_, i + 1);
        for (const auto& view : views_)
            if (HANDLE name = view->Handle() ? RemovePropW(view->Handle(), kNameProp) : nullptr)
                GlobalDeleteAtom(static_cast<ATOM>(reinterpret_cast<UINT_PTR>(name)));
        DestroyWindow(hwnd_);
    }
}

TFormWindow* TFormWindow::Of(HWND window) {
    HWND root = GetAncestor(window, GA_ROOT);
    return root ? static_cast<TFormWindow*>(GetPropW(root, kFormProp)) : nullptr;
}

COLORREF TFormWindow::BackColorOf(const TControl* container) const {
    return ToColorRef(container ? container->Color() : form_.Color());
}

void TFormWindow::RegisterWindow(HWND window, TControlView* view) {
    windowViews_[window] = view;
    viewWindows_[view].push_back(window);
}

void TFormWindow::UnregisterWindow(HWND window) {
    auto it = windowViews_.find(window);
    if (it == windowViews_.end())
        return;
    auto& list = viewWindows_[it->second];
    list.erase(std::remove(list.begin(), list.end(), window), list.end());
    windowViews_.erase(it);
}

TControlView* TFormWindow::ViewOf(const TComponent* component) const {
    auto it = viewOf_.find(component);
    return it == viewOf_.end() ? nullptr : it->second;
}

TControlView* TFormWindow::ViewOfWindow(HWND window) const {
    for (HWND w = window; w && w != hwnd_; w = GetParent(w)) {
        auto it = windowViews_.find(w);
        if (it != windowViews_.end())
            return it->second;
    }
    return nullptr;
}

DWORD TFormWindow::Style() const {
    switch (form_.BorderStyle()) {
    case TBorderStyle::bsSizeable:
        return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX |
               WS_CLIPCHILDREN;
    case TBorderStyle::bsDialog:
        return WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    case TBorderStyle::bsNone:
        break;
    }
    return WS_POPUP | WS_CLIPCHILDREN;
}

DWORD TFormWindow::ExStyle() const {
    DWORD ex = WS_EX_CONTROLPARENT;
    if (form_.BorderStyle() == TBorderStyle::bsDialog)
        ex |= WS_EX_DLGMODALFRAME;
    return ex;
}

void TFormWindow::CreateWindowAndViews() {
    EnsureWindowClass(kFormClass, FormProc, CS_DBLCLKS);
    // The sizes the window passes through while it is made are not the model's.
    applyingBounds_ = true;
    CreateWindowExW(ExStyle(), kFormClass, win32::Utf8ToWide(form_.Caption()).c_str(), Style(), CW_USEDEFAULT,
                    CW_USEDEFAULT, 100, 100, owner_, nullptr, ModuleInstance(), this);
    if (!hwnd_)
        throw std::runtime_error("窗口无法创建: " + form_.Caption());
    ApplyFormBounds(true);
    for (int i = 0; i < form_.ComponentCount(); ++i)
        if (auto* timer = dynamic_cast<TTimer*>(&form_.Components(i)))
            timers_.push_back(timer);
    CreateViews(nullptr, hwnd_);
}

void TFormWindow::CreateViews(TControl* container, HWND parentWindow) {
    for (TControl* child : form_.Children(container))
        CreateView(*child, parentWindow);
    ReorderChildren(container);
}

void TFormWindow::CreateView(TControl& control, HWND parentWindow) {
    std::unique_ptr<TControlView> view = MakeControlView(*this, control);
    TControlView& made = *view;
    views_.push_back(std::move(view));
    viewOf_[&control] = &made;
    made.Create(parentWindow);
    if (made.Handle() && !control.Name().empty()) {
        const ATOM name = GlobalAddAtomW(win32::Utf8ToWide(control.Name()).c_str());
        if (name)
            SetPropW(made.Handle(), kNameProp, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(name)));
    }
    if (HWND childParent = made.ChildParent())
        CreateViews(&control, childParent);
}

HWND TFormWindow::ParentWindowOf(const TControl& control) const {
    if (!control.Parent())
        return hwnd_;
    TControlView* parent = ViewOf(control.Parent());
    return parent ? parent->ChildParent() : nullptr;
}

bool TFormWindow::InTabOrder(const TControl& control) const {
    return control.Focusable() || !form_.Children(const_cast<TControl*>(&control)).empty();
}

void TFormWindow::ReorderChildren(TControl* container) {
    HWND parentWindow = container ? (ViewOf(container) ? ViewOf(container)->ChildParent() : nullptr) : hwnd_;
    if (!parentWindow)
        return;
    // Tab stops and containers on top in the model's tab order (the dialog manager's order), then
    // the rest with later-created controls above earlier ones, as a form paints its graphics.
    const std::vector<TControl*> children = form_.Children(container);
    std::vector<TControl*> ordered;
    std::copy_if(children.begin(), children.end(), std::back_inserter(ordered),
                 [this](TControl* c) { return InTabOrder(*c); });
    std::vector<TControl*> rest;
    std::copy_if(children.begin(), children.end(), std::back_inserter(rest),
                 [this](TControl* c) { return !InTabOrder(*c); });
    std::map<const TComponent*, int> created;
    for (int i = 0; i < form_.ComponentCount(); ++i)
        created[&form_.Components(i)] = i;
    std::sort(rest.begin(), rest.end(), [&](TControl* a, TControl* b) { return created[a] > created[b]; });
    ordered.insert(ordered.end(), rest.begin(), rest.end());
    HWND after = HWND_TOP;
    for (TControl* c : ordered) {
        TControlView* view = ViewOf(c);
        if (!view)
            continue;
        for (HWND w : viewWindows_[view]) {
            if (GetParent(w) != parentWindow)
                continue;
            SetWindowPos(w, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
            after = w;
        }
    }
}

void TFormWindow::ApplyFormBounds(bool center) {
    applyingBounds_ = true;
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    if (HMONITOR monitor = MonitorFromWindow(owner_ ? owner_ : hwnd_, MONITOR_DEFAULTTOPRIMARY)) {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (GetMonitorInfoW(monitor, &info))
            work = info.rcWork;
    }
    if (form_.WindowState() == TWindowState::wsMaximized) {
        SetWindowPos(hwnd_, nullptr, work.left, work.top, work.right - work.left, work.bottom - work.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        RECT rc{0, 0, form_.ClientWidth(), form_.ClientHeight()};
        AdjustWindowRectEx(&rc, Style(), FALSE, ExStyle());
        const int width = rc.right - rc.left, height = rc.bottom - rc.top;
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
        int x = 0, y = 0;
        if (!center) {
            flags |= SWP_NOMOVE;
        } else if (form_.Position() == TPosition::poOwnerFormCenter && owner_) {
            RECT owner;
            GetWindowRect(owner_, &owner);
            x = owner.left + (owner.right - owner.left - width) / 2;
            y = owner.top + (owner.bottom - owner.top - height) / 2;
        } else if (form_.Position() != TPosition::poDesigned) {
            x = work.left + (work.right - work.left - width) / 2;
            y = work.top + (work.bottom - work.top - height) / 2;
        } else {
            flags |= SWP_NOMOVE;
        }
        SetWindowPos(hwnd_, nullptr, std::max<int>(x, work.left), std::max<int>(y, work.top), width, height,
                     flags);
    }
    // The controls are laid out for the client area the window really has.
    RECT client;
    GetClientRect(hwnd_, &client);
    if (client.right != form_.ClientWidth() || client.bottom != form_.ClientHeight())
        form_.SetClientSize(client.right, client.bottom);
    applyingBounds_ = false;
}

void TFormWindow::StartTimer(TTimer& timer) {
    const auto it = std::find(timers_.begin(), timers_.end(), &timer);
    if (it == timers_.end() || !hwnd_)
        return;
    const UINT_PTR id = static_cast<UINT_PTR>(it - timers_.begin()) + 1;
    KillTimer(hwnd_, id);
    if (timer.Enabled() && timer.Interval() > 0 && form_.Visible())
        SetTimer(hwnd_, id, static_cast<UINT>(timer.Interval()), nullptr);
}

void TFormWindow::PropertyChanged(TComponent* component, TProperty property) {
    if (!hwnd_)
        return;
    if (!component) {
        switch (property) {
        case TProperty::Caption:
            SetWindowTextW(hwnd_, win32::Utf8ToWide(form_.Caption()).c_str());
            break;
        case TProperty::Bounds:
            if (!applyingBounds_)
                ApplyFormBounds(false);
            break;
        case TProperty::Focus:
            ApplyFocus();
            break;
        case TProperty::Font:
            for (auto& view : views_)
                if (view->Model().ParentFont())
                    view->Update(TProperty::Font);
            break;
        case TProperty::Color:
            RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            break;
        default:
            break;
        }
        return;
    }
    if (auto* timer = dynamic_cast<TTimer*>(component)) {
        StartTimer(*timer);
        return;
    }
    TControlView* view = ViewOf(component);
    if (!view) {
        // A control made while the form is shown gets its window now.
        auto* control = dynamic_cast<TControl*>(component);
        HWND parent = control ? ParentWindowOf(*control) : nullptr;
        if (parent) {
            CreateView(*control, parent);
            ReorderChildren(control->Parent());
        }
        return;
    }
    view->Update(property);
    if (property == TProperty::Font) {
        for (auto& other : views_)
            if (other.get() != view && other->Model().ParentFont() && IsInside(other->Model(), component))
                other->Update(TProperty::Font);
    } else if (property == TProperty::Color) {
        RedrawWindow(view->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

bool TFormWindow::RouteChildMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_COMMAND: {
        auto from = reinterpret_cast<HWND>(lParam);
        TControlView* view = from ? ViewOfWindow(from) : nullptr;
        if (!view)
            return false;
        view->Command(from, HIWORD(wParam));
        result = 0;
        return true;
    }
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        TControlView* view = ViewOfWindow(header->hwndFrom);
        return view && view->Notify(*header, result);
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX: {
        auto from = reinterpret_cast<HWND>(lParam);
        TControlView* view = ViewOfWindow(from);
        HBRUSH brush = view ? view->CtlColor(reinterpret_cast<HDC>(wParam), from) : nullptr;
        if (!brush)
            return false;
        result = reinterpret_cast<LRESULT>(brush);
        return true;
    }
    case WM_HSCROLL:
    case WM_VSCROLL: {
        auto from = reinterpret_cast<HWND>(lParam);
        TControlView* view = from ? ViewOfWindow(from) : nullptr;
        if (!view)
            return false;
        view->Scroll(from, LOWORD(wParam));
        result = 0;
        return true;
    }
    default:
        return false;
    }
}

LRESULT CALLBACK TFormWindow::FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<TFormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetPropW(hwnd, kFormProp, self);
    }
    auto* self = static_cast<TFormWindow*>(GetPropW(hwnd, kFormProp));
    if (!self)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        RemovePropW(hwnd, kFormProp);
        self->hwnd_ = nullptr;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    LRESULT result = 0;
    if (self->RouteChildMessage(message, wParam, lParam, result))
        return result;
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT TFormWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        // The close box asks the form; the modal loop ends the session when the form may close.
        form_.Close();
        return 0;
    case WM_SIZE:
        if (!applyingBounds_ && wParam != SIZE_MINIMIZED) {
            applyingBounds_ = true;
            form_.SetClientSize(LOWORD(lParam), HIWORD(lParam));
            applyingBounds_ = false;
        }
        return 0;
    case WM_ERASEBKGND: {
        RECT rc;
        GetClientRect(hwnd_, &rc);
        FillRect(reinterpret_cast<HDC>(wParam), &rc, gdi_.Brush(ToColorRef(form_.Color())));
        return 1;
    }
    case WM_TIMER:
        if (wParam >= 1 && wParam <= timers_.size()) {
            TTimer* timer = timers_[wParam - 1];
            if (timer->Enabled())
                timer->Fire();
            else
                KillTimer(hwnd_, wParam);
        }
        return 0;
    case WM_ACTIVATE:
        // Coming back from another window (a message box, a dialog): the model's control gets the
        // focus again.
        if (LOWORD(wParam) != WA_INACTIVE && form_.ActiveControl() && ViewOf(form_.ActiveControl())) {
            ApplyFocus();
            return 0;
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void TFormWindow::ApplyFocus() {
    if (!hwnd_ || !IsWindowVisible(hwnd_))
        return;
    TControl* active = form_.ActiveControl();
    TControlView* view = active ? ViewOf(active) : nullptr;
    if (!view)
        return;
    HWND focused = GetFocus();
    if (focused && ViewOfWindow(focused) == view && focused != hwnd_)
        return;
    SetFocus(view->FocusWindow());
}

void TFormWindow::SyncFocusFromNative() {
    HWND focused = GetFocus();
    if (!hwnd_ || !focused || focused == hwnd_ || !IsChild(hwnd_, focused))
        return;
    TControlView* view = ViewOfWindow(focused);
    if (!view)
        return;
    TControl* model = &view->Model();
    if (model == form_.ActiveControl() || !model->Focusable())
        return;
    if (!form_.SetActiveControl(model))
        ApplyFocus();
}

TShiftState TFormWindow::ShiftState() const {
    TShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0)
        shift |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0)
        shift |= ssAlt;
    return shift;
}

bool TFormWindow::PreTranslate(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
        return false;
    if (!hwnd_ || (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd)))
        return false;
    const auto vk = static_cast<UINT>(msg.wParam);
    if (vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU || IsDroppedComboBox(msg.hwnd))
        return false;
    const TShiftState shift = ShiftState();
    if (vk == VK_TAB && !(shift & (ssCtrl | ssAlt))) {
        form_.SelectNext(form_.ActiveControl(), !(shift & ssShift));
        return true;
    }
    TControlView* view = ViewOfWindow(msg.hwnd);
    if (view)
        view->SyncCaretToModel();
    const bool shortcut = form_.FindShortCut(static_cast<std::uint16_t>(vk), shift) != nullptr;
    TControl* before = form_.ActiveControl();
    form_.DispatchKeyDown(static_cast<std::uint16_t>(vk), shift);
    if (shortcut || vk == VK_RETURN || vk == VK_ESCAPE || vk == VK_F1)
        return true;
    if (!view)
        return false; // the form window itself: the system keys (Alt+F4) do their work
    // The key moved the focus or ended the form: it is not the native control's any more.
    if (form_.ActiveControl() != before || form_.ModalResult() != mrNone || !form_.Visible())
        return true;
    if (&view->Model() == form_.ActiveControl() && view->EditingKey(vk, shift))
        return true;
    return !view->PassKeyToNative(vk);
}

TModalResult TFormWindow::RunModal() {
    CreateWindowAndViews();
    form_.SetObserver(this);
    form_.BeginModal();
    if (form_.ModalResult() != mrNone && form_.TryEndModal())
        return form_.ModalResult(); // closed while it was being shown
    const bool ownerWasEnabled = owner_ && IsWindowEnabled(owner_);
    ShowWindow(hwnd_, SW_SHOW);
    if (ownerWasEnabled)
        EnableWindow(owner_, FALSE);
    SetForegroundWindow(hwnd_);
    UpdateWindow(hwnd_);
    ApplyFocus();
    for (TTimer* timer : timers_)
        StartTimer(*timer);
    MSG msg;
    for (;;) {
        if (form_.ModalResult() != mrNone && form_.TryEndModal())
            break;
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // The application is quitting: the quit message is left for its own loop.
            if (got == 0)
                PostQuitMessage(static_cast<int>(msg.wParam));
            form_.SetModalResult(mrCancel);
            break;
        }
        if (!PreTranslate(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        SyncFocusFromNative();
    }
    for (std::size_t i = 0; i < timers_.size(); ++i)
        KillTimer(hwnd_, i + 1);
    if (ownerWasEnabled)
        EnableWindow(owner_, TRUE);
    ShowWindow(hwnd_, SW_HIDE);
    form_.SetObserver(nullptr);
    return form_.ModalResult();
}

} // namespace tkv::win32ui
