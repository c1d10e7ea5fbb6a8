// The event dispatcher: every handler that a user action starts runs through RunHandler, which ends a
// silent abort quietly and hands any other error to the runner's error box, so the form stays usable.
// Handlers that code calls from inside a handler are not caught again: the error travels up to the
// action that the user started, as in the host framework's message loop.
#pragma once

#include <functional>

namespace tkv {

// Runs the handler; true when it completed, false when it ended early (silently or with an error).
bool RunHandler(const std::function<void()>& handler);

// True while a user action is being dispatched.
bool InsideHandler();

// Opened by a runner for the lifetime of a modal form: the modal form's own actions are user
// actions again, with their own error display, even when the form was opened from a handler.
class TModalLoopScope {
public:
    TModalLoopScope();
    ~TModalLoopScope();
    TModalLoopScope(const TModalLoopScope&) = delete;
    TModalLoopScope& operator=(const TModalLoopScope&) = delete;

private:
    int savedDepth_;
};

} // namespace tkv
