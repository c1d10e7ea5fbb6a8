// What a procedure call hands the plug-in: its result set as a datapacket (written by the result
// reader) and its output parameters as a parameter packet.
#include "HostDatabase.h"

#include "framework/Params.h"

namespace tkv::host {

OleVariant OutputsToPacket(const std::vector<OutputParam>& outputs) {
    TParams params;
    for (const auto& output : outputs) {
        TParam param;
        param.Name = output.name;
        param.Value = output.value;
        param.DataType = VarTypeToDataType(output.value.VarType());
        param.ParamType = TParamType::ptInputOutput;
        if (param.DataType == TFieldType::ftString || param.DataType == TFieldType::ftWideString)
            param.Size = static_cast<int>(output.value.AsString().size());
        params.Add(std::move(param));
    }
    return PackageParams(params);
}

std::int32_t HostDatabase::CallProcedure(const std::string& name, const std::vector<std::string>& names,
                                         const std::vector<OleVariant>& values, OleVariant* resultSet,
                                         OleVariant* outParams) {
    ProcedureResult result =
        RunProcedure(*this, name, names, values, resultSet ? RowsForm::Packet : RowsForm::Rows);
    if (resultSet)
        *resultSet = result.hasRows ? std::move(result.packet) : OleVariant::Null();
    if (outParams)
        *outParams = OutputsToPacket(result.outputs);
    return result.returnValue;
}

} // namespace tkv::host
