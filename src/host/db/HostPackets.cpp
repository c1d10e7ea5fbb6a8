// Result rows and output parameters as the packets that cross to the plug-in: a client-dataset
// datapacket for rows, a parameter packet for output parameters.
#include "HostDatabase.h"

#include "framework/DataPacket.h"
#include "framework/DataSet.h"
#include "framework/Params.h"

#include <algorithm>

namespace tkv::host {

// Written straight from the rows, without a dataset in between: the packet is the same, and a
// large result set is not copied once more.
OleVariant RowsToPacket(ResultRows rows) {
    if (rows.columns.empty())
        return OleVariant::Null();
    try {
        DataPacketWriter writer;
        std::size_t expected = 0;
        for (const auto& column : rows.columns) {
            TFieldDef def;
            def.Name = column.name;
            def.DataType = column.type;
            def.Size = column.type == TFieldType::ftString ? std::max(column.size, 1) : 0;
            writer.AddField(std::move(def));
            expected += (column.name.size() + 4 + (column.type == TFieldType::ftString ? column.size : 20)) *
                        rows.rows.size();
        }
        writer.BeginRows(expected);
        for (const auto& row : rows.rows) {
            writer.BeginRow();
            for (std::size_t i = 0; i < row.size(); ++i) {
                try {
                    writer.Value(row[i]);
                } catch (const EVariantError& e) {
                    throw EDatabaseError("Field '" + rows.columns[i].name + "': " + e.what());
                }
            }
            writer.EndRow();
        }
        return PacketToVariant(writer.Finish());
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
