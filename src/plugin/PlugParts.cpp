// The registry of plugged-in parts.
#include "PlugParts.h"

namespace tkv {

TPlugParts& PlugParts() {
    static TPlugParts parts;
    return parts;
}

std::unique_ptr<IInsuranceHooks> CreateInsuranceHooks() {
    if (PlugParts().CreateInsuranceHooks)
        if (std::unique_ptr<IInsuranceHooks> hooks = PlugParts().CreateInsuranceHooks())
            return hooks;
    return std::make_unique<TNoInsuranceHooks>();
}

} // namespace tkv
