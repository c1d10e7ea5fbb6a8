// The runner: each case passes when none of its checks failed; an exception fails the case. A case
// that crashes the process (a slot with the wrong convention leaves a broken stack behind) is
// named, and the run still ends with its summary line.
#include "Check.h"

#include <windows.h>

#include <cstdlib>
#include <exception>

namespace abitest {
namespace {

int failedChecks = 0;
int passed = 0, failed = 0;
const char* running = nullptr;

[[noreturn]] void EndCrashed(const char* why, unsigned long code) {
    std::printf("  %s %08lx\n[FAIL] %s\n%d passed, %d failed\n", why, code, running ? running : "?", passed,
                failed + 1);
    std::fflush(stdout);
    TerminateProcess(GetCurrentProcess(), 1);
    std::abort();
}

LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info) {
    EndCrashed("crashed with exception", static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode));
}

} // namespace

std::vector<Case>& Cases() {
    static std::vector<Case> cases;
    return cases;
}

void Fail(const char* file, int line, const std::string& what) {
    ++failedChecks;
    std::printf("  %s:%d: check failed: %s\n", file, line, what.c_str());
}

int RunAll() {
    SetUnhandledExceptionFilter(ReportCrash);
    std::set_terminate([] { EndCrashed("ended by an exception that could not unwind", 0); });
    for (const Case& c : Cases()) {
        running = c.name;
        const int before = failedChecks;
        try {
            c.body();
        } catch (const std::exception& e) {
            Fail(__FILE__, __LINE__, std::string("exception: ") + e.what());
        } catch (...) {
            Fail(__FILE__, __LINE__, "unknown exception");
        }
        const bool ok = failedChecks == before;
        std::printf("[%s] %s\n", ok ? "PASS" : "FAIL", c.name);
        // A case that breaks the process must not take the lines before it along.
        std::fflush(stdout);
        (ok ? passed : failed)++;
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    std::fflush(stdout);
    return failed == 0 ? 0 : 1;
}

} // namespace abitest
