// TPlugParams: the name/value list that hooks hand back to the host as a parameter packet.
#include "PlugParams.h"

#include "FieldType.h"
#include "Params.h"
#include "TextCase.h"

namespace tkv {

TPlugParams::~TPlugParams() {
    Clear();
    FParams.clear();
    FCount = 0;
}

void TPlugParams::Add(const std::string& AParamName, const OleVariant& AParamValue) {
    const std::string name = LowerCase(AParamName);
    for (TPParam& p : FParams)
        if (LowerCase(p.ParamName) == name) {
            p.ParamValue = AParamValue; // the stored name keeps its letter case
            return;
        }
    for (TPParam& p : FParams)
        if (p.ParamName.empty()) {
            p.ParamName = AParamName;
            p.ParamValue = AParamValue;
            return;
        }
    ++FCount;
    FParams.resize(static_cast<std::size_t>(FCount));
    FParams.back() = {AParamName, AParamValue};
}

void TPlugParams::Clear() {
    for (TPParam& p : FParams) {
        p.ParamName.clear();
        p.ParamValue = OleVariant::Null();
    }
}

OleVariant TPlugParams::GetOleParams() const {
    if (FCount == 0)
        return OleVariant::Null();
    TParams params;
    for (const TPParam& p : FParams) {
        TParam param;
        param.Name = p.ParamName;
        param.Value = p.ParamValue;
        param.DataType = VarTypeToDataType(p.ParamValue.VarType());
        params.Add(std::move(param));
    }
    return PackageParams(params);
}

std::string PlugParamsText(const OleVariant& packet) {
    if (!packet.IsArray() || packet.IsByteArray())
        return "";
    std::string out;
    for (const auto& e : packet.Elements()) {
        if (!e.IsArray() || e.IsByteArray() || e.Elements().size() < 2)
            continue;
        if (!out.empty())
            out += "; ";
        out += VarToStr(e.Elements()[0]) + "=" + VarToStr(e.Elements()[1]);
    }
    return out;
}

} // namespace tkv
