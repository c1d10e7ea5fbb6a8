// IHostControl over a toolkit control.
#include "HostControlAdapter.h"

#include "Control.h"

namespace tkv {

std::int32_t THostControlAdapter::QueryInterface(const TGUID& iid, void** obj) {
    if (iid == IID_IUnknown || iid == IID_IHostControl) {
        *obj = static_cast<IHostControl*>(this);
        AddRef();
        return S_OK;
    }
    *obj = nullptr;
    return E_NOINTERFACE;
}

THostControlKind THostControlAdapter::Kind() {
    return control_ ? control_->HostKind() : THostControlKind::ckOther;
}

std::string THostControlAdapter::ClassName() {
    return control_ ? control_->ClassName() : std::string();
}

std::string THostControlAdapter::Name() {
    return control_ ? control_->Name() : std::string();
}

TBasicType THostControlAdapter::BasicType() {
    return control_ ? control_->HostBasicType() : btNo;
}

void THostControlAdapter::SetSelectHandler(IRecordSelectHandler* handler) {
    if (control_)
        control_->SetSelectHandler(handler);
}

void THostControlAdapter::SetBasicLookup(IBasicDataLookup* lookup) {
    if (control_)
        control_->SetBasicLookup(lookup);
}

} // namespace tkv
