// The typical road of linking an invoice to purchased batches, driven through the plug-in's own
// windows with the headless runner against the reference host: open the management window, create
// a link in detail mode for two ticked batches with an existing invoice whose number the 2D reader
// types from its QR code, a picture of another invoice refused at the question, one picture loaded
// from a file, save, list again, edit the link, and print the list.
#pragma once

#include "HostSession.h"
#include "RoadReport.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tkv::host {

// Runs the road; the plug-in's module state and transaction object must be initialised with the
// session's host objects. Raises std::runtime_error when a window does not behave as the road
// expects.
void RunAssociationRoad(THostSession& session, TRoadReport& report);

// The stored bytes of a demo invoice's first picture; raises std::runtime_error when it has none.
std::vector<std::uint8_t> DemoPictureOf(THostSession& session, const std::string& invoice);

// What a 2D reader types for a demo invoice: the QR record printed on its first picture.
std::string ReaderRecordOf(THostSession& session, const std::string& invoice);

} // namespace tkv::host
