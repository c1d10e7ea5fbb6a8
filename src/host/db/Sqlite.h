// Thin RAII layer over the SQLite C interface: prepared statements with variant binding and
// reading, transactions that roll back unless committed, and SQL errors raised as HostError.
#pragma once

#include "HostError.h"
#include "framework/Variant.h"

#include <sqlite3.h>

#include <string>
#include <string_view>

namespace tkv::host {

// Raises HostError with the database's current error text and what was being done.
[[noreturn]] void ThrowSqlError(sqlite3* db, std::string_view doing);

// A prepared statement, finalized on destruction.
class Statement {
public:
    Statement(sqlite3* db, std::string_view sql);
    // Prepares the first statement of sql; tail receives the rest of the text.
    Statement(sqlite3* db, std::string_view sql, std::string_view& tail);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;

    sqlite3_stmt* Get() const { return stmt_; }
    bool Empty() const { return stmt_ == nullptr; } // the text held only blanks or comments
    int ParameterCount() const { return sqlite3_bind_parameter_count(stmt_); }

    // Binding by 1-based position or by name (":name").
    Statement& Bind(int index, const OleVariant& value);
    Statement& Bind(const char* name, const OleVariant& value);
    Statement& BindInt(const char* name, std::int64_t value);
    Statement& BindDouble(const char* name, double value);
    Statement& BindText(const char* name, std::string_view value);

    // One step; true while a row is available. Raises HostError on failure.
    bool Step();
    // Steps to the end, discarding rows.
    void Run();
    void Reset();

    std::int64_t ColumnInt(int column) const { return sqlite3_column_int64(stmt_, column); }
    double ColumnDouble(int column) const { return sqlite3_column_double(stmt_, column); }
    std::string ColumnText(int column) const;
    bool ColumnIsNull(int column) const { return sqlite3_column_type(stmt_, column) == SQLITE_NULL; }

private:
    void Prepare(std::string_view sql, std::string_view& tail);
    int ParameterIndex(const char* name) const;
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// BEGIN on construction (IMMEDIATE for writers, so that a write never fails half-way for a lock
// taken by another connection), ROLLBACK on destruction unless committed. Inside a transaction
// that is already open it is a savepoint, undone alone on destruction unless committed.
class Transaction {
public:
    Transaction(sqlite3* db, bool writes);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void Commit();

private:
    sqlite3* db_;
    bool open_ = false;
    bool nested_ = false;
};

// Runs statements that take no parameters and return no rows (schema scripts, pragmas).
void ExecScript(sqlite3* db, const std::string& sql, std::string_view doing);

} // namespace tkv::host
