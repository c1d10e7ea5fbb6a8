// Data access through the host. Every call goes to the kept main interface unchanged; only the
// packets that come back are turned into a dataset or a parameter list.
#include "DataAccess.h"

#include "Exception.h"
#include "ModuleState.h"

namespace tkv {

namespace {

void CheckParallel(const std::string& procName, const StringArray& names, const VariantArray& values) {
    if (names.size() != values.size())
        throw Exception("存储过程 " + procName + " 的参数名与参数值个数不一致");
}

} // namespace

bool OpenSQL(const std::string& szSQL, TClientDataSet& ResultDataSet) {
    OleVariant packet;
    const bool ok = MainIntf().OpenSql(szSQL, packet);
    ResultDataSet.SetData(packet);
    return ok;
}

std::int32_t OpenProcByName(const std::string& szProcedureName, const StringArray& AParamName,
                            const VariantArray& AParamValue, TClientDataSet& ResultDataSet) {
    CheckParallel(szProcedureName, AParamName, AParamValue);
    OleVariant packet;
    const std::int32_t result = MainIntf().OpenProcByName(szProcedureName, AParamName, AParamValue, packet);
    ResultDataSet.SetData(packet);
    return result;
}

std::int32_t OpenProcByName(const std::string& szProcedureName, const StringArray& AParamName,
                            const VariantArray& AParamValue, TClientDataSet& ResultDataSet,
                            TParams* OutputParams) {
    CheckParallel(szProcedureName, AParamName, AParamValue);
    OleVariant packet;
    OleVariant outParams;
    const std::int32_t result =
        MainIntf().OpenProcByName(szProcedureName, AParamName, AParamValue, packet, outParams);
    ResultDataSet.SetData(packet);
    if (OutputParams != nullptr)
        UnpackParams(outParams, *OutputParams);
    return result;
}

bool ExecuteSQL(const std::string& szSQL) {
    return MainIntf().ExecuteSQL(szSQL);
}

std::int32_t ExecuteProcByName(const std::string& szProcedureName, const StringArray& AParamName,
                               const VariantArray& AParamValue, TParams* OutputParams) {
    CheckParallel(szProcedureName, AParamName, AParamValue);
    OleVariant outParams;
    const std::int32_t result =
        MainIntf().ExecuteProcByName(szProcedureName, AParamName, AParamValue, outParams);
    if (OutputParams != nullptr)
        UnpackParams(outParams, *OutputParams);
    return result;
}

} // namespace tkv
