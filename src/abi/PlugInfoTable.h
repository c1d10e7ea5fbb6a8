// The IVNPlugInfo table that the host reads: one boundary object over the core description object.
#pragma once

#include "../Interface/IVNPlugInfo.h"
#include "Boundary.h"

namespace tkv::abi {

struct RawPlugInfoVtbl;
struct RawPlugInfo {
    const RawPlugInfoVtbl* lpVtbl;
};

// The boundary object of this description object, with one added reference. While the host holds
// a reference, every call answers the same object.
RawPlugInfo* PlugInfoForHost(const ComPtr<IVNPlugInfo>& core);

} // namespace tkv::abi
