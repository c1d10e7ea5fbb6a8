// The reference host's database: one SQLite file (WAL mode) holding every table, and the catalogue
// of stored procedures that the plug-in calls by name with "@"-prefixed parameters.
#pragma once

#include "framework/Variant.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

struct sqlite3;

namespace tkv::host {

// A host error: unknown procedure or parameter, wrong type, SQL error. The message is what the
// host reports to the caller.
class HostError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class HostDatabase {
public:
    // Creates the file and its schema when missing, upgrades an older schema in place.
    explicit HostDatabase(const std::string& path);
    ~HostDatabase();
    HostDatabase(const HostDatabase&) = delete;
    HostDatabase& operator=(const HostDatabase&) = delete;

    sqlite3* Handle() const { return db_; }

    // Plain SQL from the plug-in. Exec runs statements in one transaction; Query answers a result-set
    // packet of the rows of one SELECT. Both raise HostError on a SQL error.
    void Exec(const std::string& sql, const std::vector<OleVariant>& constants = {});
    OleVariant Query(const std::string& sql, const std::vector<OleVariant>& constants = {});

    // A stored procedure call. Names carry the "@" prefix as sent; values are matched by name.
    // resultSet (when given) receives the result-set packet, outParams (when given) the parameter
    // packet of the output and in-out parameters; the result is the procedure's return value.
    // Raises HostError for an unknown procedure, a missing or unknown parameter, a value of the wrong
    // type or a SQL error; a call that writes runs in its own transaction and writes nothing on error.
    std::int32_t CallProcedure(const std::string& name, const std::vector<std::string>& names,
                               const std::vector<OleVariant>& values, OleVariant* resultSet, OleVariant* outParams);

private:
    sqlite3* db_ = nullptr;
};

} // namespace tkv::host
