// Pictures: slots (a window of the renderer's own class that paints the slot's background and its
// picture's thumbnail stretched to the slot, and turns the mouse into the slot's events and its
// context menu) and whole pictures (the full-screen viewer).
#pragma once

#include "ControlView.h"
#include "PixelDrawing.h"

namespace tkv {
class TPictureSlot;
class TPictureView;
} // namespace tkv

namespace tkv::win32ui {

class TPictureSlotView : public TControlView {
public:
    TPictureSlotView(TFormWindow& window, TPictureSlot& model);
    void Create(HWND parent) override;
    void Update(TProperty property) override;
    bool Intercept(HWND from, UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc);

private:
    void ShowContextMenu(LPARAM at);
    TPictureSlot& slot_;
};

// A picture shown whole (the full-screen viewer): its pixels converted once, drawn into the
// rectangle the model computes, on the container's background.
class TPixelsView : public TControlView {
public:
    TPixelsView(TFormWindow& window, TPictureView& model);
    void Create(HWND parent) override;
    void Update(TProperty property) override;
    bool Intercept(HWND from, UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc);

private:
    TPictureView& view_;
    TDib dib_;
    const TPixelBuffer* shown_ = nullptr;
};

} // namespace tkv::win32ui
