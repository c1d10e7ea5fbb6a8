// The native side of one control model: the windows it is shown with, kept equal to the model
// through the form's change notifications, and the native notifications turned into the model's
// user actions (which run through the toolkit's dispatcher). Each kind of control has its view;
// MakeControlView picks it for a model.
#pragma once

#include "toolkit/Control.h"
#include "toolkit/FormObserver.h"

#include <windows.h>

#include <memory>
#include <string>

namespace tkv::win32ui {

class TFormWindow;

class TControlView {
public:
    TControlView(TFormWindow& window, TControl& model) : window_(window), model_(model) {}
    virtual ~TControlView() = default;
    TControlView(const TControlView&) = delete;
    TControlView& operator=(const TControlView&) = delete;

    TControl& Model() const { return model_; }
    // The window that stands for the control.
    HWND Handle() const { return hwnd_; }
    // The window that takes the control's focus.
    virtual HWND FocusWindow() const { return hwnd_; }
    // The window that the control's children are created in; null for controls that hold none.
    virtual HWND ChildParent() const { return nullptr; }

    // Creates the native windows inside the parent and shows the model's state.
    virtual void Create(HWND parent) = 0;
    // Mirrors one changed property.
    virtual void Update(TProperty property);

    // Native notifications sent to the parent of one of the view's windows; true when handled.
    virtual bool Command(HWND from, UINT code) { return false; }
    virtual bool Notify(NMHDR& header, LRESULT& result) { return false; }
    virtual bool Scroll(HWND from, UINT code) { return false; }
    // The brush (and text colours set into the DC) of a static-like window of the view; null for
    // the system's.
    virtual HBRUSH CtlColor(HDC dc, HWND from);
    // Mouse and character messages of the view's own windows before the native control sees them
    // (posted or sent); true when the view handled them.
    virtual bool Intercept(HWND from, UINT message, WPARAM wParam, LPARAM lParam) { return false; }

    // Keys: whether the native control still gets a key after the model saw it, and the model's
    // caret brought up to date from the native one before a key reaches the model.
    virtual bool PassKeyToNative(UINT vk) const { return true; }
    virtual void SyncCaretToModel() {}
    // An editing key of a text field that the view carries out on the model (Delete, pasting,
    // select all); false when the key is none of those.
    virtual bool EditingKey(UINT vk, TShiftState shift) { return false; }

protected:
    // Creates a child window registered as one of the view's windows.
    HWND MakeWindow(HWND parent, const wchar_t* windowClass, const std::wstring& text, DWORD style,
                    DWORD exStyle = 0);
    // Moves the view's windows to the model's bounds.
    virtual void Place();
    // Font, enabled and visible state of every window of the view.
    virtual void ApplyFont();
    virtual void ApplyEnabled();
    virtual void ApplyVisible();
    // The native window style bits the model's tab stop stands for.
    DWORD TabStopStyle() const;

    TFormWindow& window_;
    TControl& model_;
    HWND hwnd_ = nullptr;
};

std::unique_ptr<TControlView> MakeControlView(TFormWindow& window, TControl& model);

} // namespace tkv::win32ui
