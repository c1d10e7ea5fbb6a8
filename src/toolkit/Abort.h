// The silent end of a user action: an exception that the event dispatcher swallows without showing
// anything (empty grid, cancelled dialog). Every other exception reaches the default error display.
#pragma once

#include <stdexcept>

namespace tkv {

class EAbort : public std::runtime_error {
public:
    EAbort() : std::runtime_error("Operation aborted") {}
};

// Ends the current user action silently.
[[noreturn]] inline void Abort() {
    throw EAbort();
}

} // namespace tkv
