// Event dispatcher: silent aborts are swallowed, other errors go to the runner's error box.
#include "Dispatcher.h"

#include "Abort.h"
#include "FormRunner.h"

#include <exception>

namespace tkv {

namespace {
int depth = 0;

struct DepthGuard {
    DepthGuard() { ++depth; }
    ~DepthGuard() { --depth; }
};
} // namespace

bool InsideHandler() {
    return depth > 0;
}

bool RunHandler(const std::function<void()>& handler) {
    if (!handler)
        return true;
    if (depth > 0) {
        handler();
        return true;
    }
    try {
        DepthGuard guard;
        handler();
        return true;
    } catch (const EAbort&) {
        return false;
    } catch (const std::exception& e) {
        ShowDefaultError(e.what());
        return false;
    }
}

TModalLoopScope::TModalLoopScope() : savedDepth_(depth) {
    depth = 0;
}

TModalLoopScope::~TModalLoopScope() {
    depth = savedDepth_;
}

} // namespace tkv
