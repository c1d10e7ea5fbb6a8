// Containers: panels (with or without a bevel), group boxes (an etched frame with the caption in
// its top edge) and radio groups (a group box holding one radio button per item, arranged in the
// model's columns). They are windows of the renderer's own class, painted in the container's
// colour, which pass their children's notifications on to the form window.
#pragma once

#include "ControlView.h"

#include <vector>

namespace tkv {
class TRadioGroup;
}

namespace tkv::win32ui {

class TContainerView : public TControlView {
public:
    enum TFrame { kNoFrame, kBevel, kGroupFrame };
    TContainerView(TFormWindow& window, TControl& model, TFrame frame);
    HWND ChildParent() const override { return hwnd_; }
    void Create(HWND parent) override;
    void Update(TProperty property) override;
    // Paints the background, the frame and (for a group frame) the caption.
    void Paint(HDC dc);

protected:
    TFrame frame_;
};

class TRadioGroupView : public TContainerView {
public:
    TRadioGroupView(TFormWindow& window, TRadioGroup& model);
    HWND ChildParent() const override { return nullptr; }
    HWND FocusWindow() const override;
    void Create(HWND parent) override;
    void Update(TProperty property) override;
    bool Command(HWND from, UINT code) override;

private:
    void MakeItems();
    void ArrangeItems();
    void ApplyChecks();
    TRadioGroup& group_;
    std::vector<HWND> items_;
};

} // namespace tkv::win32ui
