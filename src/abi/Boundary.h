// Calling conventions and raw value types of the host boundary. Interface methods are stdcall; the
// host framework's register convention passes the first three ordinal arguments in EAX, EDX, ECX
// and the others on the stack, pushed left to right and removed by the callee. On x86_64 both are
// the one Windows convention.
#pragma once

// Core declarations come before the Windows headers, whose S_OK and E_NOINTERFACE are macros.
#include "../Interface/Unknown.h"
#include "../platform/Platform.h"

#include <windows.h>
// After windows.h, which it builds on.
#include <oleauto.h>
// The core names methods after these; the A/W macros would rename them.
#undef LoadLibrary
#undef WriteProfileString
#undef MessageBox

#include <cstdint>
#include <type_traits>

#if defined(__i386__)
#define TKV_STDCALL __attribute__((stdcall))
#define TKV_REGISTER __attribute__((regparm(3), stdcall))
#else
#define TKV_STDCALL
#define TKV_REGISTER
#endif

namespace tkv::abi {

// The host framework's 8-bit string: pointer to the characters, null for the empty string.
using AnsiChars = char*;
// Boolean results travel in the low byte of the result register.
using Bool8 = std::uint8_t;

// Any object behind a raw interface pointer: its first member points to the method table.
struct RawObject {
    const void* const* lpVtbl;
};

using QueryInterfaceFn = HRESULT(TKV_STDCALL*)(RawObject* self, const GUID* iid, void** obj);
using AddRefFn = ULONG(TKV_STDCALL*)(RawObject* self);
using ReleaseFn = ULONG(TKV_STDCALL*)(RawObject* self);

// The three reference-counting slots at the start of every table.
struct RawUnknownVtbl {
    QueryInterfaceFn QueryInterface;
    AddRefFn AddRef;
    ReleaseFn Release;
};

// A register-convention function pointer. gcc's regparm(3) with callee clean-up agrees with the
// framework on the registers and on who removes the stack, but pushes stack arguments right to
// left; declarations that would put more than one argument on the stack are therefore refused, and
// so are 64-bit integers, which the framework pushes and gcc would pass in registers.
template <class R, class... A> struct RegisterSignature {
    template <class T>
    static constexpr bool kOrdinal = std::is_pointer_v<T> ||
                                     ((std::is_integral_v<T> || std::is_enum_v<T>)&&sizeof(T) <= 4);
    static constexpr int kOrdinals = (0 + ... + (kOrdinal<A> ? 1 : 0));
    static constexpr int kStackArguments = static_cast<int>(sizeof...(A)) - (kOrdinals < 3 ? kOrdinals : 3);
    static_assert(kStackArguments <= 1,
                  "register convention: stack arguments would be pushed in the wrong order");
    static_assert((... && (kOrdinal<A> || std::is_floating_point_v<A>)),
                  "register convention: only ordinal and floating-point arguments are declared");
    using Type = R(TKV_REGISTER*)(A...);
};
template <class R, class... A> using RegisterFn = typename RegisterSignature<R, A...>::Type;

inline Bool8 ToBool8(bool b) {
    return b ? 1 : 0;
}

} // namespace tkv::abi
