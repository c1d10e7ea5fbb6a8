// A panel that holds other controls, aligned to an edge of its container.
#pragma once

#include "Control.h"

namespace tkv {

enum class TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum class TBevelCut : std::uint8_t { bvNone, bvLowered, bvRaised };

class TFramePanel : public TControl {
public:
    std::string ClassName() const override { return "TFramePanel"; }
    THostControlKind HostKind() const override { return THostControlKind::ckFramePanel; }
    TAlign Align() const { return align_; }
    void SetAlign(TAlign align) { align_ = align; }
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut bevel) { bevelOuter_ = bevel; }

private:
    TAlign align_ = TAlign::alNone;
    TBevelCut bevelOuter_ = TBevelCut::bvRaised;
};

} // namespace tkv
