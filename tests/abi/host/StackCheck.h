// The stack discipline of a 32-bit call, measured: a function is called with 32-bit words pushed
// right to left, as a stdcall caller pushes them, and the change of the stack pointer across the
// call is answered. A stdcall callee that takes exactly those words leaves it unchanged; one that
// declares fewer or more words, or leaves the clean-up to its caller, moves it. i686 only: the
// x86_64 convention has no callee clean-up to check.
#pragma once

#if defined(__i386__)

#include <cstdint>
#include <initializer_list>

namespace abitest {

struct PushedCall {
    std::int32_t stackChange; // bytes; 0 when the callee removed exactly what was pushed
    std::uint32_t eax;        // the result register
};

PushedCall CallPushed(const void* fn, std::initializer_list<std::uint32_t> words);

template <class T> std::uint32_t Word(T* p) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(p));
}

} // namespace abitest

#endif
