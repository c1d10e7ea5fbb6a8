// Opening the host database file, running plain SQL texts and procedure calls against it.
#include "HostDatabase.h"

#include "Schema.h"
#include "SqlTranslation.h"
#include "Sqlite.h"
#include "framework/DateTime.h"
#include "platform/Platform.h"

namespace tkv::host {

namespace {

// The host clock is the platform's local clock unless a test sets its own.
TDateTime LocalNow() {
    return NativePlatform().Now();
}

// Binds constants to the statement's "?" parameters, from position next on.
void BindConstants(Statement& stmt, const std::vector<OleVariant>& constants, std::size_t& next) {
    const int count = stmt.ParameterCount();
    for (int i = 1; i <= count; ++i) {
        if (next >= constants.size())
            throw HostError("The SQL text takes more constants than the " + std::to_string(constants.size()) +
                            " given");
        stmt.Bind(i, constants[next++]);
    }
}

void CheckAllConstantsUsed(std::size_t used, const std::vector<OleVariant>& constants) {
    if (used != constants.size())
        throw HostError(std::to_string(constants.size()) + " constants given, but the SQL text takes " +
                        std::to_string(used));
}

} // namespace

HostDatabase::HostDatabase(const std::string& path) : clock_(LocalNow) {
    // One connection serves one host thread, so SQLite need not lock it on every column read.
    if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK) {
        const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        db_ = nullptr;
        throw HostError("Cannot open the database " + path + ": " + message);
    }
    try {
        sqlite3_busy_timeout(db_, 5000);
        sqlite3_extended_result_codes(db_, 1);
        {
            Statement wal(db_, "PRAGMA journal_mode = WAL");
            wal.Step();
            if (wal.ColumnText(0) != "wal")
                throw HostError("The database " + path + " cannot run in WAL mode");
        }
        ExecScript(db_, "PRAGMA foreign_keys = ON; PRAGMA synchronous = NORMAL", "setting up the connection");
        RegisterSqlFunctions(db_, &clock_);
        UpgradeSchema(db_);
    } catch (...) {
        sqlite3_close(db_);
        db_ = nullptr;
        throw;
    }
}

HostDatabase::~HostDatabase() {
    sqlite3_close(db_);
}

TDateTime HostDatabase::Now() const {
    return clock_();
}

void HostDatabase::SetClock(std::function<TDateTime()> clock) {
    clock_ = clock ? std::move(clock) : LocalNow;
}

ProcedureResult HostDatabase::Call(const std::string& name, const std::vector<std::string>& names,
                                   const std::vector<OleVariant>& values) {
    return RunProcedure(*this, name, names, values);
}

// An "exec" text: positional arguments take the procedure's parameter names in declared order.
ProcedureResult HostDatabase::CallExecText(const std::string& sql, const std::vector<OleVariant>& constants,
                                           RowsForm form) {
    ExecStatement exec;
    ParseExecStatement(sql, exec);
    if (!constants.empty())
        throw HostError("An exec statement takes no constants");
    const ProcedureDef* def = FindProcedure(exec.procedure);
    if (!def)
        throw HostError("Unknown procedure '" + exec.procedure + "'");
    if (exec.positional.size() > def->params.size())
        throw HostError(std::string(def->name) + ": " + std::to_string(exec.positional.size()) +
                        " arguments given, it takes " + std::to_string(def->params.size()));
    std::vector<std::string> names;
    std::vector<OleVariant> values;
    for (std::size_t i = 0; i < exec.positional.size(); ++i) {
        names.emplace_back(def->params[i].name);
        values.push_back(exec.positional[i]);
    }
    names.insert(names.end(), exec.names.begin(), exec.names.end());
    values.insert(values.end(), exec.values.begin(), exec.values.end());
    return RunProcedure(*this, def->name, names, values, form);
}

void HostDatabase::Exec(const std::string& sql, const std::vector<OleVariant>& constants) {
    ExecStatement probe;
    if (ParseExecStatement(sql, probe)) {
        CallExecText(sql, constants, RowsForm::Rows);
        return;
    }
    Transaction tx(db_, true);
    std::string_view rest = sql;
    std::size_t used = 0;
    int statements = 0;
    while (!rest.empty()) {
        Statement stmt(db_, rest, rest);
        if (stmt.Empty())
            continue;
        ++statements;
        BindConstants(stmt, constants, used);
        stmt.Run();
    }
    if (statements == 0)
        throw HostError("The SQL text holds no statement");
    CheckAllConstantsUsed(used, constants);
    tx.Commit();
}

Statement HostDatabase::PrepareQuery(const std::string& sql, const std::vector<OleVariant>& constants) {
    std::string_view rest = sql;
    Statement stmt(db_, rest, rest);
    if (stmt.Empty())
        throw HostError("The SQL text holds no statement");
    while (!rest.empty()) {
        Statement more(db_, rest, rest);
        if (!more.Empty())
            throw HostError("A query runs one statement; the text holds more");
    }
    std::size_t used = 0;
    BindConstants(stmt, constants, used);
    CheckAllConstantsUsed(used, constants);
    return stmt;
}

ProcedureResult HostDatabase::RunQuery(const std::string& sql, const std::vector<OleVariant>& constants,
                                       RowsForm form) {
    ExecStatement probe;
    if (ParseExecStatement(sql, probe))
        return CallExecText(sql, constants, form);
    Statement stmt = PrepareQuery(sql, constants);
    Transaction tx(db_, !sqlite3_stmt_readonly(stmt.Get()));
    ProcedureResult result;
    result.form = form;
    result.packetForm = packetForm_;
    ReadResult(stmt.Get(), {}, result);
    tx.Commit();
    return result;
}

ResultRows HostDatabase::Select(const std::string& sql, const std::vector<OleVariant>& constants) {
    ProcedureResult result = RunQuery(sql, constants, RowsForm::Rows);
    return result.hasRows ? std::move(result.rows) : ResultRows{};
}

OleVariant HostDatabase::Query(const std::string& sql, const std::vector<OleVariant>& constants) {
    ProcedureResult result = RunQuery(sql, constants, RowsForm::Packet);
    return result.hasRows ? std::move(result.packet) : OleVariant::Null();
}

} // namespace tkv::host
