// The error that ends the current action and reaches the default error display (an error box
// with the message); raised by the shared functions for missing folders, help and host interfaces.
#pragma once

#include <stdexcept>
#include <string>

namespace tkv {

class Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace tkv
