// The step runner's thread timer.
#include "UiSteps.h"

#include "UiCheck.h"

#include <cstdio>

namespace uitest {

namespace {
TUiSteps* active = nullptr;
}

void TUiSteps::Do(std::string what, std::function<void()> step) {
    steps_.push_back({std::move(what), std::move(step), nullptr, 0});
}

void TUiSteps::WaitFor(std::string what, std::function<bool()> done, int timeoutMs) {
    steps_.push_back({std::move(what), nullptr, std::move(done), timeoutMs});
}

void TUiSteps::Pause(int ms) {
    steps_.push_back({"pause", nullptr, [] { return false; }, -ms});
}

void CALLBACK TUiSteps::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (active)
        active->OnTick();
}

void TUiSteps::OnTick() {
    if (GetTickCount() > deadline_) {
        std::printf("  FAILED: deadline passed at step %zu (%s)\n", next_,
                    next_ < steps_.size() ? steps_[next_].What.c_str() : "after the last step");
        std::printf("0 passed, 1 failed\n");
        std::fflush(stdout);
        ExitProcess(2);
    }
    if (inStep_ || next_ >= steps_.size())
        return;
    inStep_ = true;
    Step& step = steps_[next_];
    if (stepStart_ == 0)
        stepStart_ = GetTickCount();
    const int elapsed = static_cast<int>(GetTickCount() - stepStart_);
    bool finished = true;
    if (step.Action) {
        step.Action();
    } else if (step.TimeoutMs < 0) {
        finished = elapsed >= -step.TimeoutMs;
    } else if (!step.Done()) {
        finished = elapsed >= step.TimeoutMs;
        if (finished)
            Fail(__FILE__, __LINE__, "timed out waiting for: " + step.What);
    }
    if (finished) {
        ++next_;
        stepStart_ = 0;
    }
    inStep_ = false;
}

void TUiSteps::Run(const std::function<void()>& modal, int deadlineMs) {
    TUiSteps* outer = active;
    active = this;
    deadline_ = GetTickCount() + static_cast<DWORD>(deadlineMs);
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, Tick);
    modal();
    KillTimer(nullptr, timer);
    active = outer;
    if (next_ < steps_.size())
        Fail(__FILE__, __LINE__, "the window closed before the step: " + steps_[next_].What);
}

void PumpFor(int ms) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    MSG msg;
    while (GetTickCount() < end) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    }
}

} // namespace uitest
