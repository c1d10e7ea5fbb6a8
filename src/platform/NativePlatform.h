// The factory of the built-in platform; each operating system's folder implements it once.
#pragma once

#include "Platform.h"

#include <memory>

namespace tkv {

std::unique_ptr<IPlatform> CreateNativePlatform();

} // namespace tkv
