// The IRetailPlugin table that the host calls during retail sales: one boundary object over the
// core transaction object.
#pragma once

#include "../Interface/IRetailPlugin.h"
#include "Boundary.h"
#include "ExistFormAdapter.h"
#include "MainintfAdapter.h"
#include "TransinfoAdapter.h"

namespace tkv::abi {

struct RawRetailPluginVtbl;
struct RawRetailPlugin {
    const RawRetailPluginVtbl* lpVtbl;
};

// The boundary object of this transaction object, with one added reference.
RawRetailPlugin* RetailPluginForHost(const ComPtr<IRetailPlugin>& core);

} // namespace tkv::abi
