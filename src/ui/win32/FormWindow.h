// One form shown as a real modal window: the top-level window owned by the window below it, a view
// per control model created in tab order (so the dialog manager's tab order is the model's), the
// form's observer that mirrors every model change into the windows, and the modal loop that routes
// keys into the form's key dispatch, keeps the model's focus and the native focus together, fires
// the form's timers and ends when the form has a modal result and may close.
#pragma once

#include "ControlView.h"
#include "Gdi.h"
#include "toolkit/Form.h"

#include <windows.h>

#include <map>
#include <memory>
#include <vector>

namespace tkv {
class TTimer;
}

namespace tkv::win32ui {

class TFormWindow : public IFormObserver {
public:
    TFormWindow(TForm& form, HWND owner);
    ~TFormWindow() override;
    TFormWindow(const TFormWindow&) = delete;
    TFormWindow& operator=(const TFormWindow&) = delete;

    // Shows the form and runs its modal loop; answers the modal result.
    TModalResult RunModal();

    TForm& Form() const { return form_; }
    HWND Handle() const { return hwnd_; }
    TGdiCache& Gdi() { return gdi_; }
    HFONT FontOf(const TControl& control) { return gdi_.Font(control.Font()); }
    // The background of the container the control lies in (the form when it lies on the form).
    COLORREF BackColorOf(const TControl* container) const;

    // The views' windows, for routing native notifications.
    void RegisterWindow(HWND window, TControlView* view);
    void UnregisterWindow(HWND window);
    TControlView* ViewOf(const TComponent* component) const;
    // The view owning the window or one of its ancestors below the form window.
    TControlView* ViewOfWindow(HWND window) const;
    int NextControlId() { return nextId_++; }
    // Puts the native windows of the container's children into the model's tab order.
    void ReorderChildren(TControl* container);

    // IFormObserver
    void PropertyChanged(TComponent* component, TProperty property) override;

    // Native notifications that reach a parent window (the form or a container) for one of the
    // views; true when a view handled it.
    bool RouteChildMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The form window of any window inside it, or null.
    static TFormWindow* Of(HWND window);

private:
    static LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void CreateWindowAndViews();
    void CreateViews(TControl* container, HWND parentWindow);
    void CreateView(TControl& control, HWND parentWindow);
    HWND ParentWindowOf(const TControl& control) const;
    DWORD Style() const;
    DWORD ExStyle() const;
    void ApplyFormBounds(bool center);
    void ApplyFocus();
    void SyncFocusFromNative();
    bool PreTranslate(const MSG& msg);
    // Controls that take part in the tab order of their container: tab stops and containers.
    bool InTabOrder(const TControl& control) const;
    void StartTimer(TTimer& timer);
    TShiftState ShiftState() const;

    TForm& form_;
    HWND owner_;
    HWND hwnd_ = nullptr;
    TGdiCache gdi_;
    std::vector<std::unique_ptr<TControlView>> views_;
    std::map<const TComponent*, TControlView*> viewOf_;
    std::map<HWND, TControlView*> windowViews_;
    std::map<const TControlView*, std::vector<HWND>> viewWindows_;
    std::vector<TTimer*> timers_;
    int nextId_ = 100;
    bool applyingBounds_ = false;
};

} // namespace tkv::win32ui
