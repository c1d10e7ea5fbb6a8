// The typical road of linking an invoice to purchased batches, driven through the plug-in's own
// windows with the headless runner against the reference host: open the management window, create
// a link in detail mode for two ticked batches with an existing invoice number and one picture
// loaded from a file, save, list again, edit the link, and print the list.
#pragma once

#include "HostSession.h"
#include "RoadReport.h"

namespace tkv::host {

// Runs the road; the plug-in's module state and transaction object must be initialised with the
// session's host objects. Raises std::runtime_error when a window does not behave as the road
// expects.
void RunAssociationRoad(THostSession& session, TRoadReport& report);

} // namespace tkv::host
