// OLE automation variants at the boundary: VARIANT and SAFEARRAY <-> the core's OleVariant. Byte
// arrays are one-dimensional with lower bound 0; arrays of variants (the parameter packet and its
// elements) are converted element by element, nested arrays included.
#pragma once

#include "../framework/Variant.h"
#include "Boundary.h"

#include <vector>

namespace tkv::abi {

// Raises EVariantError for a variant type the core does not hold.
OleVariant FromVariant(const VARIANT* v);
// Clears *out first, so out must hold a valid (possibly empty) variant.
void AssignVariant(VARIANT* out, const OleVariant& value);

// A VARIANT owned by the plug-in for one call: an argument or a slot the host fills.
class VariantArg {
public:
    VariantArg() { VariantInit(&v_); }
    explicit VariantArg(const OleVariant& value) : VariantArg() { AssignVariant(&v_, value); }
    ~VariantArg() { VariantClear(&v_); }
    VariantArg(const VariantArg&) = delete;
    VariantArg& operator=(const VariantArg&) = delete;
    VARIANT* Get() { return &v_; }
    OleVariant Value() const { return FromVariant(&v_); }

private:
    VARIANT v_;
};

// An open array of OleVariant: the elements and, at the call, the pointer and the highest index.
class VariantOpenArray {
public:
    explicit VariantOpenArray(const std::vector<OleVariant>& values);
    ~VariantOpenArray();
    VariantOpenArray(const VariantOpenArray&) = delete;
    VariantOpenArray& operator=(const VariantOpenArray&) = delete;
    VARIANT* Data() { return items_.data(); }
    std::int32_t High() const { return static_cast<std::int32_t>(items_.size()) - 1; }

private:
    std::vector<VARIANT> items_;
};

} // namespace tkv::abi
