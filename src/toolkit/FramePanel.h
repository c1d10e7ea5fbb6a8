// A panel that holds other controls, usually aligned to an edge of its container.
#pragma once

#include "Control.h"

namespace tkv {

enum class TBevelCut : std::uint8_t { bvNone, bvLowered, bvRaised };

class TFramePanel : public TControl {
public:
    std::string ClassName() const override { return "TFramePanel"; }
    THostControlKind HostKind() const override { return THostControlKind::ckFramePanel; }
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut bevel) { bevelOuter_ = bevel; }

private:
    TBevelCut bevelOuter_ = TBevelCut::bvRaised;
};

} // namespace tkv
