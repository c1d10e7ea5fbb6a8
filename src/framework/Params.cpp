// Parameter lists and the parameter packets in which the host hands output parameters back.
#include "Params.h"

#include "DataSet.h"
#include "TextCase.h"

namespace tkv {

namespace {

constexpr std::size_t kElementSize = 7; // name, value, data type, kind, size, precision, scale

int ElementInteger(const OleVariant& value, std::size_t element, const char* what) {
    try {
        return value.AsInteger();
    } catch (const EVariantError& e) {
        throw EDatabaseError("Invalid parameter packet: " + std::string(what) + " of parameter " +
                             std::to_string(element + 1) + ": " + e.what());
    }
}

TFieldType FieldTypeOf(int ordinal) {
    return ordinal >= 0 && ordinal <= static_cast<int>(TFieldType::ftVariant)
               ? static_cast<TFieldType>(ordinal)
               : TFieldType::ftUnknown;
}

TParamType ParamTypeOf(int ordinal) {
    return ordinal >= 0 && ordinal <= static_cast<int>(TParamType::ptResult)
               ? static_cast<TParamType>(ordinal)
               : TParamType::ptUnknown;
}

} // namespace

TParam& TParams::Add(TParam param) {
    items_.push_back(std::move(param));
    return items_.back();
}

TParam* TParams::FindParam(std::string_view name) {
    for (TParam& p : items_)
        if (SameText(p.Name, name))
            return &p;
    return nullptr;
}

const TParam* TParams::FindParam(std::string_view name) const {
    return const_cast<TParams*>(this)->FindParam(name);
}

TParam& TParams::ParamByName(std::string_view name) {
    if (TParam* p = FindParam(name))
        return *p;
    throw EDatabaseError("Parameter '" + std::string(name) + "' not found");
}

const TParam& TParams::ParamByName(std::string_view name) const {
    return const_cast<TParams*>(this)->ParamByName(name);
}

OleVariant PackageParams(const TParams& params) {
    if (params.Count() == 0)
        return OleVariant::Null();
    OleVariant::Array elements;
    elements.reserve(static_cast<std::size_t>(params.Count()));
    for (int i = 0; i < params.Count(); ++i) {
        const TParam& p = params.Items(i);
        elements.push_back(OleVariant::VarArray(
            {OleVariant(p.Name), p.Value, OleVariant(static_cast<std::int32_t>(p.DataType)),
             OleVariant(static_cast<std::int32_t>(p.ParamType)), OleVariant(p.Size), OleVariant(p.Precision),
             OleVariant(p.NumericScale)}));
    }
    return OleVariant::VarArray(std::move(elements));
}

bool UnpackParams(const OleVariant& packet, TParams& params) {
    if (packet.IsEmptyOrNull() || !packet.IsArray() || packet.IsByteArray())
        return false;
    const OleVariant::Array& elements = packet.Elements();
    if (elements.empty() || !elements.front().IsArray() || elements.front().IsByteArray())
        return false;
    // Built apart, so that a bad element leaves the target list as it was.
    TParams fresh;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (!elements[i].IsArray() || elements[i].IsByteArray())
            throw EDatabaseError("Invalid parameter packet: parameter " + std::to_string(i + 1) +
                                 " is not an array");
        const OleVariant::Array& e = elements[i].Elements();
        TParam p;
        if (e.size() > 0)
            p.Name = VarToStr(e[0]);
        if (e.size() > 2)
            p.DataType = FieldTypeOf(ElementInteger(e[2], i, "data type"));
        if (e.size() > 3)
            p.ParamType = ParamTypeOf(ElementInteger(e[3], i, "kind"));
        if (e.size() > 4)
            p.Size = ElementInteger(e[4], i, "size");
        if (e.size() > 5)
            p.Precision = ElementInteger(e[5], i, "precision");
        if (e.size() > 6)
            p.NumericScale = ElementInteger(e[6], i, "numeric scale");
        if (e.size() > 1)
            p.Value = e[1];
        fresh.Add(std::move(p));
    }
    params = std::move(fresh);
    return true;
}

} // namespace tkv
