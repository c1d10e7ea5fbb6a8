// Result rows and output parameters as the packets that cross to the plug-in: a client-dataset
// datapacket for rows, a parameter packet for output parameters.
#include "HostDatabase.h"

#include "framework/DataPacket.h"
#include "framework/DataSet.h"
#include "framework/Params.h"

#include <algorithm>

namespace tkv::host {

OleVariant RowsToPacket(ResultRows rows) {
    if (rows.columns.empty())
        return OleVariant::Null();
    try {
        TClientDataSet ds;
        for (const auto& column : rows.columns)
            ds.AddFieldDef(column.name, column.type,
                           column.type == TFieldType::ftString ? std::max(column.size, 1) : 0);
        ds.CreateDataSet();
        for (auto& row : rows.rows)
            ds.AppendRecord(std::move(row));
        return ds.GetData();
    } catch (const EDatabaseError& e) {
        throw HostError(std::string("The result cannot be sent: ") + e.what());
    }
}

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

OleVariant HostDatabase::Query(const std::string& sql, const std::vector<OleVariant>& constants) {
    return RowsToPacket(Select(sql, constants));
}

std::int32_t HostDatabase::CallProcedure(const std::string& name, const std::vector<std::string>& names,
                                         const std::vector<OleVariant>& values, OleVariant* resultSet,
                                         OleVariant* outParams) {
    ProcedureResult result = Call(name, names, values);
    if (resultSet)
        *resultSet = result.hasRows ? RowsToPacket(std::move(result.rows)) : OleVariant::Null();
    if (outParams)
        *outParams = OutputsToPacket(result.outputs);
    return result.returnValue;
}

} // namespace tkv::host
