// A scroll bar with a range and a position; the position stays within the range (lowering the
// maximum may pull it down), and every change of the position fires the change event.
#pragma once

#include "Control.h"

namespace tkv {

enum class TScrollBarKind : std::uint8_t { sbHorizontal, sbVertical };

class TScrollBar : public TControl {
public:
    TScrollBar() { SetTabStop(true); }
    std::string ClassName() const override { return "TScrollBar"; }
    bool Focusable() const override { return true; }

    TScrollBarKind Kind() const { return kind_; }
    void SetKind(TScrollBarKind kind) { kind_ = kind; }
    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    void SetMin(int min) { SetParams(position_, min, max_ < min ? min : max_); }
    void SetMax(int max) { SetParams(position_, min_ > max ? max : min_, max); }
    void SetPosition(int position) { SetParams(position, min_, max_); }
    void SetParams(int position, int min, int max) {
        const bool rangeChanged = min != min_ || (max < min ? min : max) != max_;
        min_ = min;
        max_ = max < min ? min : max;
        if (rangeChanged)
            NotifyChanged(TProperty::ScrollRange);
        const int clamped = position < min_ ? min_ : (position > max_ ? max_ : position);
        if (clamped != position_) {
            position_ = clamped;
            NotifyChanged(TProperty::ScrollPosition);
            Changed();
        }
    }

private:
    TScrollBarKind kind_ = TScrollBarKind::sbHorizontal;
    int min_ = 0, max_ = 100, position_ = 0;
};

} // namespace tkv
