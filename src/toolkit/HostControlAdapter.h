// The counted IHostControl handed to the host when it prepares a control. The control owns one
// reference and cuts the link when it is destroyed, so a host that keeps its reference longer than
// the form lives talks to an empty adapter rather than to freed memory.
#pragma once

#include "../Interface/HostControl.h"

namespace tkv {

class TControl;

class THostControlAdapter final : public TInterfacedObject<IHostControl> {
public:
    explicit THostControlAdapter(TControl& control) : control_(&control) {}
    void Detach() { control_ = nullptr; }

    std::int32_t QueryInterface(const TGUID& iid, void** obj) override;
    THostControlKind Kind() override;
    std::string ClassName() override;
    std::string Name() override;
    TBasicType BasicType() override;
    void SetSelectHandler(IRecordSelectHandler* handler) override;
    void SetBasicLookup(IBasicDataLookup* lookup) override;

private:
    TControl* control_;
};

} // namespace tkv
