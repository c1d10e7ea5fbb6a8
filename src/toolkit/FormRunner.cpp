// The installed form runner.
#include "FormRunner.h"

#include <stdexcept>

namespace tkv {

namespace {
IFormRunner* current = nullptr;
}

IFormRunner& FormRunner() {
    if (!current)
        throw std::logic_error("no form runner installed");
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
