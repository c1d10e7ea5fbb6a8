// The typical road of printing and exporting invoice pictures, driven through the plug-in's print
// window with the headless runner against the reference host: list this and last month's purchase
// bills, tick those with pictures, print their pictures (a PDF file per supplier in the output
// folder), export them (an archive per supplier in the output folder), then print the same bills
// again, which prints nothing more on the same day.
#pragma once

#include "HostSession.h"
#include "RoadReport.h"

namespace tkv::host {

// Runs the road; the plug-in's module state and transaction object must be initialised with the
// session's host objects. Raises std::runtime_error when the window does not behave as the road
// expects.
void RunPrintRoad(THostSession& session, TRoadReport& report);

} // namespace tkv::host
