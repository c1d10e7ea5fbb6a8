// The base of every visible control model: name, caption, bounds, enabled, visible, read-only, tab
// stop and tab order, its container, and the events that the renderer and the runner fire. The
// Perform... entry points are user actions: each runs its handler through the event dispatcher.
#pragma once

#include "../Interface/HostControl.h"
#include "Component.h"
#include "Keys.h"

#include <cstdint>
#include <string>

namespace tkv {

class THostControlAdapter;

using TKeyEvent = std::function<void(TComponent& sender, std::uint16_t& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TComponent& sender, char32_t& key)>;
using TMouseEvent =
    std::function<void(TComponent& sender, TMouseButton button, TShiftState shift, int x, int y)>;

class TControl : public TComponent {
public:
    ~TControl() override;

    const std::string& Caption() const { return caption_; }
    virtual void SetCaption(std::string caption) { caption_ = std::move(caption); }
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetBounds(int left, int top, int width, int height);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop) { tabStop_ = tabStop; }
    int TabOrder() const { return tabOrder_; }
    // Moves the control to that place among its siblings; the others keep their relative order.
    void SetTabOrder(int order);
    TControl* Parent() const { return parent_; }

    // True for controls that can hold the focus at all (edits, buttons, grids); labels, panels and
    // picture slots cannot.
    virtual bool Focusable() const { return false; }
    // Visible and enabled, and so is every container above it.
    bool CanFocus() const;
    bool Focused() const;

    TNotifyEvent OnClick, OnDblClick, OnChange, OnEnter, OnExit;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TMouseEvent OnMouseDown;

    // User actions, each dispatched; true when the handlers completed.
    bool PerformClick();
    bool PerformDblClick();
    bool PerformKeyDown(std::uint16_t& key, TShiftState shift);
    bool PerformKeyPress(char32_t& key);
    bool PerformMouseDown(TMouseButton button, TShiftState shift, int x, int y);

    // What the host sees of the control when it prepares it.
    IHostControl* HostControl();
    virtual THostControlKind HostKind() const { return THostControlKind::ckOther; }
    virtual TBasicType HostBasicType() const { return btNo; }
    virtual void SetSelectHandler(IRecordSelectHandler* handler) {}
    virtual void SetBasicLookup(IBasicDataLookup* lookup) {}

    // Handlers; overrides add the control's default behaviour and call the base to fire the event.
    virtual void Click();
    virtual void DblClick();
    virtual void KeyDown(std::uint16_t& key, TShiftState shift);
    virtual void KeyPress(char32_t& key);
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void DoEnter();
    virtual void DoExit();
    virtual void Changed();

protected:
    TControl() = default;

private:
    friend class TForm;
    std::string caption_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool enabled_ = true;
    bool visible_ = true;
    bool readOnly_ = false;
    bool tabStop_ = false;
    int tabOrder_ = 0;
    TControl* parent_ = nullptr;
    THostControlAdapter* adapter_ = nullptr;
};

} // namespace tkv
