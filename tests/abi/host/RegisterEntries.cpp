// Register-convention entry points of the fake host.
#include "RegisterEntries.h"

#include <cstring>
#include <utility>

namespace abitest {

#if defined(__i386__)

// Stub: pushes ECX, EDX, EAX, the address of the stack arguments and its tag, calls the recorder
// (cdecl) and returns with RET n, removing its n bytes of stack arguments.
#define REGISTER_ENTRY(name, tag, stackBytes)                                                                \
    asm(".text\n.globl _" #name "\n_" #name ":\n"                                                            \
        "  pushl %ecx\n  pushl %edx\n  pushl %eax\n  leal 16(%esp), %eax\n  pushl %eax\n  pushl $" #tag "\n" \
        "  call _abitest_RegisterCall\n  addl $20, %esp\n  ret $" #stackBytes "\n");                         \
    extern "C" void name()

#define GETTER_ENTRY(n) REGISTER_ENTRY(abitest_Getter##n, n, 0)
GETTER_ENTRY(0);
GETTER_ENTRY(1);
GETTER_ENTRY(2);
GETTER_ENTRY(3);
GETTER_ENTRY(4);
GETTER_ENTRY(5);
GETTER_ENTRY(6);
GETTER_ENTRY(7);
GETTER_ENTRY(8);
GETTER_ENTRY(9);
GETTER_ENTRY(10);
GETTER_ENTRY(11);
GETTER_ENTRY(12);
GETTER_ENTRY(13);
GETTER_ENTRY(14);
GETTER_ENTRY(15);
GETTER_ENTRY(16);
GETTER_ENTRY(17);
GETTER_ENTRY(18);
GETTER_ENTRY(19);
GETTER_ENTRY(20);
GETTER_ENTRY(21);
GETTER_ENTRY(22);
// OpenssReport(Self, ReportName), AddIntParam(Self, Name, Value), AddStringParam(Self, Name, Value):
// registers only. AddFloatParam(Self, Name, Value: Double): the Double is not ordinal and goes on
// the stack (8 bytes).
REGISTER_ENTRY(abitest_ReportOpen, 100, 0);
REGISTER_ENTRY(abitest_ReportInt, 101, 0);
REGISTER_ENTRY(abitest_ReportFloat, 102, 8);
REGISTER_ENTRY(abitest_ReportString, 103, 0);

std::uintptr_t RecordRegisterCall(std::int32_t tag, const std::uint8_t* stack, std::uint32_t eax,
                                  std::uint32_t edx, std::uint32_t ecx) {
    void* self = reinterpret_cast<void*>(eax);
    const Ansi second = reinterpret_cast<Ansi>(edx);
    if (tag < kExistFormGetters)
        return reinterpret_cast<std::uintptr_t>(ExistFormGetter(self, tag));
    switch (tag) {
    case 100:
        ReportOpen(self, second);
        break;
    case 101:
        ReportInt(self, second, static_cast<std::int32_t>(ecx));
        break;
    case 102: {
        double value;
        std::memcpy(&value, stack, sizeof value);
        ReportFloat(self, second, value);
        break;
    }
    case 103:
        ReportString(self, second, reinterpret_cast<Ansi>(ecx));
        break;
    default:
        break;
    }
    return 0;
}

// No exception may unwind through the stub; arguments taken from the wrong places make the
// recorders raise (a string without its zero), which counts as a stray call.
extern "C" std::uintptr_t abitest_RegisterCall(std::int32_t tag, const std::uint8_t* stack, std::uint32_t eax,
                                               std::uint32_t edx, std::uint32_t ecx) {
    try {
        return RecordRegisterCall(tag, stack, eax, edx, ecx);
    } catch (...) {
        NoteStrayRegisterCall();
        return 0;
    }
}

const void* ExistFormGetterEntry(int index) {
    static const void* const entries[kExistFormGetters] = {
        reinterpret_cast<const void*>(abitest_Getter0),  reinterpret_cast<const void*>(abitest_Getter1),
        reinterpret_cast<const void*>(abitest_Getter2),  reinterpret_cast<const void*>(abitest_Getter3),
        reinterpret_cast<const void*>(abitest_Getter4),  reinterpret_cast<const void*>(abitest_Getter5),
        reinterpret_cast<const void*>(abitest_Getter6),  reinterpret_cast<const void*>(abitest_Getter7),
        reinterpret_cast<const void*>(abitest_Getter8),  reinterpret_cast<const void*>(abitest_Getter9),
        reinterpret_cast<const void*>(abitest_Getter10), reinterpret_cast<const void*>(abitest_Getter11),
        reinterpret_cast<const void*>(abitest_Getter12), reinterpret_cast<const void*>(abitest_Getter13),
        reinterpret_cast<const void*>(abitest_Getter14), reinterpret_cast<const void*>(abitest_Getter15),
        reinterpret_cast<const void*>(abitest_Getter16), reinterpret_cast<const void*>(abitest_Getter17),
        reinterpret_cast<const void*>(abitest_Getter18), reinterpret_cast<const void*>(abitest_Getter19),
        reinterpret_cast<const void*>(abitest_Getter20), reinterpret_cast<const void*>(abitest_Getter21),
        reinterpret_cast<const void*>(abitest_Getter22),
    };
    return entries[index];
}

ReportEntries ReportEntryPoints() {
    return {reinterpret_cast<const void*>(abitest_ReportOpen),
            reinterpret_cast<const void*>(abitest_ReportInt),
            reinterpret_cast<const void*>(abitest_ReportFloat),
            reinterpret_cast<const void*>(abitest_ReportString)};
}

#else

namespace {

template <int N> void* Getter(void* self) {
    return ExistFormGetter(self, N);
}

template <int... N> const void* GetterAt(int index, std::integer_sequence<int, N...>) {
    static const void* const entries[] = {reinterpret_cast<const void*>(&Getter<N>)...};
    return entries[index];
}

} // namespace

const void* ExistFormGetterEntry(int index) {
    return GetterAt(index, std::make_integer_sequence<int, kExistFormGetters>());
}

ReportEntries ReportEntryPoints() {
    return {reinterpret_cast<const void*>(&ReportOpen), reinterpret_cast<const void*>(&ReportInt),
            reinterpret_cast<const void*>(&ReportFloat), reinterpret_cast<const void*>(&ReportString)};
}

#endif

} // namespace abitest
