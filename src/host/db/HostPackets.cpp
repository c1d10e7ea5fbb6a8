// Result rows and output parameters as the packets that cross to the plug-in: a client-dataset
// datapacket for rows, a parameter packet for output parameters.
#include "HostDatabase.h"

#include "framework/DataPacket.h"
#include "framework/DataSet.h"

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

// One element per parameter: name, value, data type, kind (in-out), size, precision, scale.
OleVariant OutputsToPacket(const std::vector<OutputParam>& outputs) {
    if (outputs.empty())
        return OleVariant::Null();
    OleVariant::Array elements;
    for (const auto& output : outputs) {
        const TFieldType type = VarTypeToDataType(output.value.VarType());
        const int size = type == TFieldType::ftString || type == TFieldType::ftWideString
                             ? static_cast<int>(output.value.AsString().size())
                             : 0;
        elements.push_back(OleVariant::VarArray(
            {OleVariant(output.name), output.value, OleVariant(static_cast<std::int32_t>(type)),
             OleVariant(static_cast<std::int32_t>(TParamType::ptInputOutput)), OleVariant(size),
             OleVariant(0), OleVariant(0)}));
    }
    return OleVariant::VarArray(std::move(elements));
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
