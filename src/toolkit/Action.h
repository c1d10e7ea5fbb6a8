// An action of a window's action list: a caption, a shortcut and a handler. The form runs an enabled
// action when its shortcut is pressed, before the key reaches the focused control, so a window
// without key preview still answers its shortcuts (F1 for help).
#pragma once

#include "Component.h"
#include "Keys.h"

#include <cstdint>

namespace tkv {

// A shortcut as the key and the modifier bits above it: Ctrl+F is scCtrl | 'F' (16454).
using TShortCut = std::uint16_t;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;

constexpr TShortCut ShortCut(std::uint16_t key, TShiftState shift) {
    return static_cast<TShortCut>((key & 0x1FFF) | ((shift & ssShift) ? scShift : 0) |
                                  ((shift & ssCtrl) ? scCtrl : 0) | ((shift & ssAlt) ? scAlt : 0));
}

class TAction : public TComponent {
public:
    std::string ClassName() const override { return "TAction"; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) { caption_ = std::move(caption); }
    TShortCut GetShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut shortCut) { shortCut_ = shortCut; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }

    TNotifyEvent OnExecute;
    // Runs the handler (not dispatched: the caller is inside the dispatcher already).
    void Execute() {
        if (enabled_ && OnExecute)
            OnExecute(*this);
    }

private:
    std::string caption_;
    TShortCut shortCut_ = 0;
    bool enabled_ = true;
};

} // namespace tkv
