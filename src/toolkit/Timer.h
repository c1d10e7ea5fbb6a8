// A timer: the runner fires it once its interval has passed while it is enabled; the handler runs
// through the dispatcher.
#pragma once

#include "Component.h"

namespace tkv {

class TTimer : public TComponent {
public:
    std::string ClassName() const override { return "TTimer"; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) {
        if (enabled == enabled_)
            return;
        enabled_ = enabled;
        NotifyChanged(TProperty::TimerState);
    }
    int Interval() const { return interval_; }
    void SetInterval(int interval) {
        if (interval == interval_)
            return;
        interval_ = interval;
        NotifyChanged(TProperty::TimerState);
    }
    TNotifyEvent OnTimer;
    // Runs the handler when enabled; false when disabled or the handler ended early.
    bool Fire();

private:
    bool enabled_ = true;
    int interval_ = 1000;
};

} // namespace tkv
