// The fake host's register-convention entry points (the IExistForm getters and the IssReportIntf
// methods), taking each argument where the host framework puts it: the first three ordinal
// arguments in EAX, EDX, ECX, the others on the stack, pushed left to right and removed by the
// callee. On i686 each entry is an assembly stub that hands the registers and the stack to one
// recorder, which reads them by that rule; on x86_64 they are plain functions.
#pragma once

#include "HostTables.h"

namespace abitest {

// What the fake host does on each call (FakeHost.cpp).
void* ExistFormGetter(void* self, int index);
void ReportOpen(void* self, Ansi name);
void ReportInt(void* self, Ansi name, std::int32_t value);
void ReportFloat(void* self, Ansi name, double value);
void ReportString(void* self, Ansi name, Ansi value);
void NoteStrayRegisterCall();

const void* ExistFormGetterEntry(int index);
struct ReportEntries {
    const void* open;
    const void* addInt;
    const void* addFloat;
    const void* addString;
};
ReportEntries ReportEntryPoints();

} // namespace abitest
