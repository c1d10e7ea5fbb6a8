// No C++ exception may unwind into the host's frames: a table function or export that fails
// answers its failure value instead (False, 0, an empty text). The error is shown to the user
// first, through the default error display; a silent end (EAbort) shows nothing.
#pragma once

#include "../toolkit/Abort.h"
#include "ErrorDisplay.h"

#include <exception>
#include <utility>

namespace tkv::abi {

template <class F, class R> R Guarded(F&& body, R failure) noexcept {
    try {
        return std::forward<F>(body)();
    } catch (const EAbort&) {
    } catch (const std::exception& e) {
        ShowBoundaryError(e.what());
    } catch (...) {
        ShowBoundaryError(kUnknownBoundaryError);
    }
    return failure;
}

template <class F> void Guarded(F&& body) noexcept {
    Guarded(
        [&] {
            std::forward<F>(body)();
            return true;
        },
        false);
}

// For the library's load and unload, where no window may be shown: the error is dropped and the
// failure value answered.
template <class F, class R> R GuardedSilently(F&& body, R failure) noexcept {
    try {
        return std::forward<F>(body)();
    } catch (...) {
        return failure;
    }
}

} // namespace tkv::abi
