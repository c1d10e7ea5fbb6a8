// The default error display of the library's boundary: where an error raised inside an export or a
// hook is shown before the slot answers failure to the host.
#pragma once

#include <string>

namespace tkv::abi {

// The text shown for an error that carries no message of its own.
inline constexpr const char* kUnknownBoundaryError = "未知错误";

// Shows the message as an error box: through the installed form runner's default error display;
// without one, through the host's error box (title "错误"), owned by the host main window; before
// the host has handed over its main interface, as a system error box. Never raises.
void ShowBoundaryError(const std::string& message) noexcept;

} // namespace tkv::abi
