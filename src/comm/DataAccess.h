// The data functions of VNSSCOMM: SQL text and stored procedures through the host main interface,
// result sets loaded into an in-memory dataset, output parameters unpacked into a parameter list.
// Nothing is caught: host and dataset errors reach the caller.
#pragma once

#include "../Interface/IVNMainintf.h"
#include "../framework/DataSet.h"
#include "../framework/Params.h"

#include <cstdint>
#include <string>

namespace tkv {

// Loads the host's packet into ResultDataSet even when the host answers False.
bool OpenSQL(const std::string& szSQL, TClientDataSet& ResultDataSet);

// Parameter names carry the "@" prefix; names and values are parallel arrays (Exception when their
// lengths differ, before the host is called).
std::int32_t OpenProcByName(const std::string& szProcedureName, const StringArray& AParamName,
                            const VariantArray& AParamValue, TClientDataSet& ResultDataSet);
// With OutputParams (may be nullptr): the host's output-parameter packet replaces its content.
std::int32_t OpenProcByName(const std::string& szProcedureName, const StringArray& AParamName,
                            const VariantArray& AParamValue, TClientDataSet& ResultDataSet,
                            TParams* OutputParams);

bool ExecuteSQL(const std::string& szSQL);

std::int32_t ExecuteProcByName(const std::string& szProcedureName, const StringArray& AParamName,
                               const VariantArray& AParamValue, TParams* OutputParams = nullptr);

} // namespace tkv
