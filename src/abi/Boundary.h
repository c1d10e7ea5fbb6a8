// Calling conventions and raw value types of the host boundary. Interface methods are stdcall; the
// host framework's register convention passes the first three ordinal arguments in EAX, EDX, ECX
// (gcc's regparm(3)) and further ones on the stack, removed by the callee. On x86_64 both are the
// one Windows convention.
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

inline Bool8 ToBool8(bool b) {
    return b ? 1 : 0;
}

} // namespace tkv::abi
