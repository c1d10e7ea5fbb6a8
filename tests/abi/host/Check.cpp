// The runner: each case passes when none of its checks failed; an exception fails the case.
#include "Check.h"

#include <exception>

namespace abitest {
namespace {

int failedChecks = 0;

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
    int passed = 0, failed = 0;
    for (const Case& c : Cases()) {
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
        (ok ? passed : failed)++;
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    std::fflush(stdout);
    return failed == 0 ? 0 : 1;
}

} // namespace abitest
