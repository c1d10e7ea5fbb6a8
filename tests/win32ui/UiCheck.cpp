// Case registry and the summary line.
#include "UiCheck.h"

#include <windows.h>

#include <cstdio>

namespace uitest {

namespace {
int failures = 0;
const char* running = "";
} // namespace

std::vector<Case>& Cases() {
    static std::vector<Case> cases;
    return cases;
}

void Fail(const char* file, int line, const std::string& what) {
    ++failures;
    std::printf("  FAILED %s:%d: %s\n", file, line, what.c_str());
    std::fflush(stdout);
}

namespace {

void PumpPending() {
    const DWORD end = GetTickCount() + 300;
    MSG msg;
    while (GetTickCount() < end) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
}

} // namespace

int RunAll(const std::string& filter) {
    int passed = 0, failed = 0;
    for (const Case& c : Cases()) {
        if (!filter.empty() && std::string(c.name).find(filter) == std::string::npos)
            continue;
        running = c.name;
        std::printf("[ RUN  ] %s\n", c.name);
        std::fflush(stdout);
        const int before = failures;
        try {
            c.body();
        } catch (const std::exception& e) {
            Fail(__FILE__, __LINE__, std::string("exception: ") + e.what());
        }
        // Whatever the case left in the queue (input, paints of closed windows) is handled before the
        // next case shows its windows.
        PumpPending();
        const bool ok = failures == before;
        std::printf("[ %s ] %s\n", ok ? " OK " : "FAIL", c.name);
        std::fflush(stdout);
        (ok ? passed : failed)++;
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}

} // namespace uitest
