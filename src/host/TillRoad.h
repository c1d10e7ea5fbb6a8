// The typical road of a till with an insured customer, driven through the plug-in's hooks in the
// order the host's retail window calls them: insurance settings written through the settings
// window, the library initialised, the card read, a sale pre-settled, settled when the host saves
// it, recorded, and later reversed. The plug-in's windows are answered by a headless script.
#pragma once

#include "HostSession.h"
#include "Interface/IRetailPlugin.h"

#include <functional>
#include <string>

namespace tkv::host {

struct TTillReport {
    // A step's title and outcome, then lines under it.
    std::function<void(const std::string& title, const std::string& text)> Step;
    std::function<void(const std::string& text)> Line;
};

// Runs the road with the insurance library at libraryPath; false when a step failed (the report
// says which). The plug-in's insurance hooks must be installed and InitPlugin done.
bool RunTillRoad(THostSession& session, IRetailPlugin& plug, const std::string& libraryPath,
                 const TTillReport& report);

} // namespace tkv::host
