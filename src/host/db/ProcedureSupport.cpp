// Helpers shared by the procedure bodies.
#include "ProcedureSupport.h"

#include "Sqlite.h"
#include "framework/DateTime.h"

namespace tkv::host {

bool RowExists(sqlite3* db, const char* sql, std::int64_t key) {
    Statement stmt(db, sql);
    stmt.Bind(1, OleVariant::Int64(key));
    return stmt.Step();
}

bool RowExists(sqlite3* db, const char* sql, const std::string& key) {
    Statement stmt(db, sql);
    stmt.Bind(1, OleVariant(key));
    return stmt.Step();
}

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

double WholeDay(double day) {
    return DateOf(day);
}

} // namespace tkv::host
