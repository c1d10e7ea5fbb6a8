// The host's raw IVNMainintf table presented to the core as IVNMainintf.
#pragma once

#include "../Interface/IVNMainintf.h"
#include "RawMainintf.h"

namespace tkv::abi {

// A core reference to the host object (one added host reference); null for null.
ComPtr<IVNMainintf> WrapMainintf(RawMainintf* raw);

} // namespace tkv::abi
