// No C++ exception may unwind into the host's frames: a table function that fails answers its
// failure value instead (False, 0, an empty text).
#pragma once

#include <utility>

namespace tkv::abi {

template <class F, class R> R Guarded(F&& body, R failure) noexcept {
    try {
        return std::forward<F>(body)();
    } catch (...) {
        return failure;
    }
}

template <class F> void Guarded(F&& body) noexcept {
    try {
        std::forward<F>(body)();
    } catch (...) {
    }
}

} // namespace tkv::abi
