// The SQL Server forms in the plug-in's SQL texts that SQLite lacks: "exec <procedure> ..." as a
// procedure call, and SQL Server functions registered on the connection.
#pragma once

#include "framework/Variant.h"

#include <sqlite3.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tkv::host {

// An "exec" statement taken apart: positional arguments first, then named ones ("@name = value").
struct ExecStatement {
    std::string procedure;
    std::vector<OleVariant> positional;
    std::vector<std::string> names;
    std::vector<OleVariant> values;
};

// False when the text is not an "exec"/"execute" statement. Arguments are literals: integers,
// decimals, 'texts' (N'...' too, '' for a quote) and NULL. A malformed exec raises HostError.
bool ParseExecStatement(std::string_view sql, ExecStatement& statement);

// getdate(): the clock's date-time as an OLE automation date (REAL days), as dates are stored.
void RegisterSqlFunctions(sqlite3* db, const std::function<double()>* clock);

} // namespace tkv::host
