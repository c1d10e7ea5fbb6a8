// Parameter list (the dataset library's parameter collection) and the parameter packet that carries
// one to and from the host: a variant array with one 7-element variant array per parameter
// (name, value, data type, kind, size, precision, numeric scale).
#pragma once

#include "FieldType.h"
#include "Variant.h"

#include <string>
#include <string_view>
#include <vector>

namespace tkv {

struct TParam {
    std::string Name;
    OleVariant Value;
    TFieldType DataType = TFieldType::ftUnknown;
    TParamType ParamType = TParamType::ptUnknown;
    int Size = 0;
    int Precision = 0;
    int NumericScale = 0;
};

class TParams {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    TParam& Items(int index) { return items_.at(index); }
    const TParam& Items(int index) const { return items_.at(index); }
    TParam& Add(TParam param);
    void Clear() { items_.clear(); }
    // Names are matched without letter case; FindParam answers nullptr, ParamByName raises
    // EDatabaseError "Parameter 'X' not found".
    TParam* FindParam(std::string_view name);
    const TParam* FindParam(std::string_view name) const;
    TParam& ParamByName(std::string_view name);
    const TParam& ParamByName(std::string_view name) const;

private:
    std::vector<TParam> items_;
};

// The packet of every parameter, in list order.
OleVariant PackageParams(const TParams& params);
// Replaces the list with the packet's parameters when the packet is a non-null array whose first
// element is an array; otherwise leaves the list unchanged and answers false.
bool UnpackParams(const OleVariant& packet, TParams& params);

} // namespace tkv
