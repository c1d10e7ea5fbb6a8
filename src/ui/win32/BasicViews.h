// Views of the simple controls: static texts, push buttons, check boxes, radio buttons and scroll
// bars, each one native window.
#pragma once

#include "ControlView.h"

namespace tkv {
class TActionButton;
class TCheckBox;
class TRadioButton;
class TScrollBar;
} // namespace tkv

namespace tkv::win32ui {

// A label (or any control without a view of its own): its caption in its font and colour; a
// transparent label shows its container's background.
class TLabelView : public TControlView {
public:
    using TControlView::TControlView;
    void Create(HWND parent) override;
    void Update(TProperty property) override;
    HBRUSH CtlColor(HDC dc, HWND from) override;

private:
    bool Transparent() const;
    DWORD WrapStyle() const;
};

class TButtonView : public TControlView {
public:
    TButtonView(TFormWindow& window, TActionButton& model);
    void Create(HWND parent) override;
    bool Command(HWND from, UINT code) override;
};

class TCheckView : public TControlView {
public:
    TCheckView(TFormWindow& window, TCheckBox& model);
    void Create(HWND parent) override;
    void Update(TProperty property) override;
    bool Command(HWND from, UINT code) override;

private:
    TCheckBox& check_;
};

class TRadioView : public TControlView {
public:
    TRadioView(TFormWindow& window, TRadioButton& model);
    void Create(HWND parent) override;
    void Update(TProperty property) override;
    bool Command(HWND from, UINT code) override;

private:
    TRadioButton& radio_;
};

// A scroll bar whose range and position are the model's; the user's scrolling sets the model's
// position (a dispatched action: the window redraws its strip in the change handler).
class TScrollBarView : public TControlView {
public:
    TScrollBarView(TFormWindow& window, TScrollBar& model);
    void Create(HWND parent) override;
    void Update(TProperty property) override;
    bool Scroll(HWND from, UINT code) override;

private:
    void ApplyRange();
    TScrollBar& bar_;
};

} // namespace tkv::win32ui
