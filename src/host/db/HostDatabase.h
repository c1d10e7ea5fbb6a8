// The reference host's database: one SQLite file (WAL mode) holding every table, and the catalogue
// of stored procedures that the plug-in calls by name with "@"-prefixed parameters.
#pragma once

#include "HostError.h"
#include "Procedure.h"
#include "ResultRows.h"
#include "framework/Variant.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct sqlite3;

namespace tkv::host {

class HostDatabase {
public:
    // Creates the file and its schema when missing, upgrades an older schema in place. The file runs
    // in WAL mode with foreign keys enforced. Raises HostError when the file cannot be opened.
    explicit HostDatabase(const std::string& path);
    ~HostDatabase();
    HostDatabase(const HostDatabase&) = delete;
    HostDatabase& operator=(const HostDatabase&) = delete;

    sqlite3* Handle() const { return db_; }

    // Plain SQL from the plug-in. Exec runs statements in one transaction; Query answers a result-set
    // packet of the rows of one SELECT. Both raise HostError on a SQL error.
    // The SQL Server forms that the plug-in sends are understood: "exec <procedure> [arguments]" runs
    // that procedure (Query answers its result set), and getdate() is the host's current date-time.
    // Constants bind to the statements' "?" parameters in order; their number must match.
    void Exec(const std::string& sql, const std::vector<OleVariant>& constants = {});
    OleVariant Query(const std::string& sql, const std::vector<OleVariant>& constants = {});
    // Query's rows before they become a packet (no columns when the statement returns none).
    ResultRows Select(const std::string& sql, const std::vector<OleVariant>& constants = {});

    // A stored procedure call. Names carry the "@" prefix as sent; values are matched by name.
    // resultSet (when given) receives the result-set packet, outParams (when given) the parameter
    // packet of the output and in-out parameters; the result is the procedure's return value.
    // Raises HostError for an unknown procedure, a missing or unknown parameter, a value of the wrong
    // type or a SQL error; a call that writes runs in its own transaction and writes nothing on error.
    std::int32_t CallProcedure(const std::string& name, const std::vector<std::string>& names,
                               const std::vector<OleVariant>& values, OleVariant* resultSet,
                               OleVariant* outParams);
    // The same call answering rows, output parameters and return value as they are.
    ProcedureResult Call(const std::string& name, const std::vector<std::string>& names,
                         const std::vector<OleVariant>& values);

    // "Now" of this host (getdate(), time stamps, the visit serial numbers); the local clock unless
    // a test or the host program sets another.
    TDateTime Now() const;
    void SetClock(std::function<TDateTime()> clock);

    // The form of the result-set packets it answers: binary, as a framework host sends them, unless
    // set otherwise.
    TPacketForm PacketForm() const { return packetForm_; }
    void SetPacketForm(TPacketForm form) { packetForm_ = form; }

private:
    ProcedureResult CallExecText(const std::string& sql, const std::vector<OleVariant>& constants,
                                 RowsForm form);
    // A query text's result in the form asked for: an "exec" text runs its procedure.
    ProcedureResult RunQuery(const std::string& sql, const std::vector<OleVariant>& constants, RowsForm form);
    // The one statement of a query text, its constants bound.
    Statement PrepareQuery(const std::string& sql, const std::vector<OleVariant>& constants);

    sqlite3* db_ = nullptr;
    std::function<TDateTime()> clock_;
    TPacketForm packetForm_ = TPacketForm::Binary;
};

// The parameter packet of a call's output parameters (null when it has none).
OleVariant OutputsToPacket(const std::vector<OutputParam>& outputs);

} // namespace tkv::host
