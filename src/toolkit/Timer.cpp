// Timer firing through the dispatcher.
#include "Timer.h"

#include "Dispatcher.h"

namespace tkv {

bool TTimer::Fire() {
    if (!enabled_)
        return false;
    return RunHandler([&] {
        if (OnTimer)
            OnTimer(*this);
    });
}

} // namespace tkv
