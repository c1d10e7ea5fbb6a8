// The registry of plugged-in parts, filled with the plug-in's own windows.
#include "PlugParts.h"

#include "association/PtypeDz.h"
#include "printing/FpImagePrintFrm.h"

namespace tkv {

TPlugParts& PlugParts() {
    static TPlugParts parts{ShowPtypeDZ, ShowFpImagePrint, {}};
    return parts;
}

std::unique_ptr<IInsuranceHooks> CreateInsuranceHooks() {
    if (PlugParts().CreateInsuranceHooks)
        if (std::unique_ptr<IInsuranceHooks> hooks = PlugParts().CreateInsuranceHooks())
            return hooks;
    return std::make_unique<TNoInsuranceHooks>();
}

} // namespace tkv
