// Common base of the adapters that present a raw host table as a portable core interface: holds
// one reference on the host object and releases it with the adapter.
#pragma once

#include "../Interface/Unknown.h"
#include "Boundary.h"

namespace tkv::abi {

inline GUID ToGuid(const TGUID& g) {
    GUID r;
    r.Data1 = g.D1;
    r.Data2 = g.D2;
    r.Data3 = g.D3;
    for (int i = 0; i < 8; ++i)
        r.Data4[i] = g.D4[i];
    return r;
}

inline TGUID FromGuid(const GUID& g) {
    TGUID r;
    r.D1 = g.Data1;
    r.D2 = g.Data2;
    r.D3 = g.Data3;
    for (int i = 0; i < 8; ++i)
        r.D4[i] = g.Data4[i];
    return r;
}

template <class Raw> class HostReference {
public:
    explicit HostReference(Raw* raw) : raw_(raw) { Unknown()->AddRef(reinterpret_cast<RawObject*>(raw_)); }
    ~HostReference() { Unknown()->Release(reinterpret_cast<RawObject*>(raw_)); }
    HostReference(const HostReference&) = delete;
    HostReference& operator=(const HostReference&) = delete;
    Raw* Self() const { return raw_; }
    RawObject* Object() const { return reinterpret_cast<RawObject*>(raw_); }
    const auto* Vtbl() const { return raw_->lpVtbl; }

private:
    const RawUnknownVtbl* Unknown() const { return reinterpret_cast<const RawUnknownVtbl*>(raw_->lpVtbl); }
    Raw* raw_;
};

} // namespace tkv::abi
