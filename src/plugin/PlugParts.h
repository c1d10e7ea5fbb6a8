// The parts that later layers plug into the boundary: the show functions of the two menu windows
// and the maker of the insurance hooks. They start as the plug-in's own; a test may replace them.
#pragma once

#include "InsuranceHooks.h"

#include <functional>
#include <memory>

namespace tkv {

struct TPlugParts {
    std::function<void()> ShowPtypeDZ;      // association management window, modal
    std::function<void()> ShowFpImagePrint; // invoice picture print window, modal
    std::function<std::unique_ptr<IInsuranceHooks>()> CreateInsuranceHooks;
};

TPlugParts& PlugParts();

// The registered insurance hooks, or TNoInsuranceHooks when none are registered.
std::unique_ptr<IInsuranceHooks> CreateInsuranceHooks();

} // namespace tkv
