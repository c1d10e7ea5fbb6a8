// The base of every visible control model: name, caption, bounds, alignment and anchors, font and
// colour, enabled, visible, read-only, tab stop and tab order, its container, and the events that
// the renderer and the runner fire. The Perform... entry points are user actions: each runs its
// handler through the event dispatcher.
#pragma once

#include "../Interface/HostControl.h"
#include "Component.h"
#include "Graphics.h"
#include "Keys.h"
#include "Layout.h"

#include <cstdint>
#include <string>

namespace tkv {

class THostControlAdapter;

// Where a control sits in its container: at its own bounds, or along an edge (taking the
// container's width or height), or filling what the aligned siblings leave.
enum class TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };
// The container edges whose distance a control keeps when the container is resized.
enum TAnchorKind : std::uint8_t { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = std::uint8_t;

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
    // The part of the control that aligned children share (a group box keeps its caption line).
    virtual TRect AlignRect() const { return {0, 0, width_, height_}; }
    TAlign Align() const { return align_; }
    void SetAlign(TAlign align) { align_ = align; }
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors anchors) { anchors_ = anchors; }
    // The font: its own once set, else its container's, else the form's.
    const TFont& Font() const;
    void SetFont(TFont font);
    bool ParentFont() const { return parentFont_; }
    // Background colour; system button face unless set.
    TColor Color() const { return color_; }
    void SetColor(TColor color) { color_ = color; }
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
    // Enter in a control that moves on by itself (ReturnNextCom): the focus goes to the next tab
    // stop once the key was handled. A form with key preview moves it already.
    void ReturnToNextControl();

private:
    friend class TForm;
    friend class TLayout;
    std::string caption_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    int laidOutWidth_ = -1, laidOutHeight_ = -1; // size at the last layout of the children
    TAlign align_ = TAlign::alNone;
    TAnchors anchors_ = akLeft | akTop;
    TFont font_;
    bool parentFont_ = true;
    TColor color_ = TColor::clBtnFace;
    bool enabled_ = true;
    bool visible_ = true;
    bool readOnly_ = false;
    bool tabStop_ = false;
    int tabOrder_ = 0;
    TControl* parent_ = nullptr;
    THostControlAdapter* adapter_ = nullptr;
};

} // namespace tkv
