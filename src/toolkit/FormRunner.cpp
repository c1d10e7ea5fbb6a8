// The installed form runner.
#include "FormRunner.h"

#include <stdexcept>

namespace tkv {

namespace {
IFormRunner* current = nullptr;
}

IFormRunner& FormRunner() {
    if (!current)
        throw std::logic_error("没有可用的窗口显示程序");
    return *current;
}

bool HasFormRunner() {
    return current != nullptr;
}

void SetFormRunner(IFormRunner* runner) {
    current = runner;
}

void ShowDefaultError(const std::string& message) {
    if (current)
        current->ShowErrorBox(message);
}

} // namespace tkv
