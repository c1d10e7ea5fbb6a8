// Steps that drive a window while its modal loop runs: each step runs on a tick of a thread timer
// that the loop dispatches, so input injected by one step goes through the real message loop before
// the next step looks at the result. A step only injects input or posts messages; a wait step
// repeats until its condition holds (or fails after its timeout). Ticks keep running in nested
// modal loops (message boxes, dialogs, nested forms), so steps can drive those too.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace uitest {

class TUiSteps {
public:
    void Do(std::string what, std::function<void()> step);
    void WaitFor(std::string what, std::function<bool()> done, int timeoutMs = 5000);
    void Pause(int ms);
    // Starts the ticks, runs the modal body, stops them; a step left over is a failure. A body that
    // has not returned after the deadline ends the process (a hung window must not hang the run).
    void Run(const std::function<void()>& modal, int deadlineMs = 60000);

private:
    struct Step {
        std::string What;
        std::function<void()> Action;
        std::function<bool()> Done;
        int TimeoutMs = 0;
    };
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void OnTick();

    std::vector<Step> steps_;
    std::size_t next_ = 0;
    DWORD stepStart_ = 0;
    DWORD deadline_ = 0;
    bool inStep_ = false;
};

// Runs the message loop for that long (outside any modal loop: between cases).
void PumpFor(int ms);

} // namespace uitest
