// The error the host database raises: unknown procedure or parameter, wrong type, SQL error.
#pragma once

#include <stdexcept>

namespace tkv::host {

// The message is what the host reports to the caller.
class HostError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace tkv::host
