// SQLite statements and transactions for the host database; every failure becomes a HostError
// that names the statement, so that nothing fails silently.
#include "Sqlite.h"

namespace tkv::host {

namespace {

std::string Shorten(std::string_view sql) {
    constexpr std::size_t kMax = 200;
    std::string text(sql.substr(0, kMax));
    if (sql.size() > kMax)
        text += "...";
    return text;
}

} // namespace

void ThrowSqlError(sqlite3* db, std::string_view doing) {
    throw HostError("SQL error: " + std::string(sqlite3_errmsg(db)) + " (" + std::string(doing) + ")");
}

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db) {
    std::string_view tail;
    Prepare(sql, tail);
}

Statement::Statement(sqlite3* db, std::string_view sql, std::string_view& tail) : db_(db) {
    Prepare(sql, tail);
}

void Statement::Prepare(std::string_view sql, std::string_view& tail) {
    const char* end = nullptr;
    if (sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &stmt_, &end) != SQLITE_OK)
        ThrowSqlError(db_, "in: " + Shorten(sql));
    tail = sql.substr(static_cast<std::size_t>(end - sql.data()));
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

Statement::Statement(Statement&& other) noexcept : db_(other.db_), stmt_(other.stmt_) {
    other.stmt_ = nullptr;
}

Statement& Statement::operator=(Statement&& other) noexcept {
    if (this != &other) {
        sqlite3_finalize(stmt_);
        db_ = other.db_;
        stmt_ = other.stmt_;
        other.stmt_ = nullptr;
    }
    return *this;
}

int Statement::ParameterIndex(const char* name) const {
    const int index = sqlite3_bind_parameter_index(stmt_, name);
    if (index == 0)
        throw HostError(std::string("SQL statement has no parameter ") + name);
    return index;
}

Statement& Statement::Bind(int index, const OleVariant& value) {
    int rc = SQLITE_OK;
    switch (value.VarType()) {
    case varEmpty:
    case varNull:
        rc = sqlite3_bind_null(stmt_, index);
        break;
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
    case varBoolean:
        rc = sqlite3_bind_int64(stmt_, index, value.AsInt64());
        break;
    case varSingle:
    case varDouble:
    case varCurrency:
    case varDate:
        rc = sqlite3_bind_double(stmt_, index, value.AsDouble());
        break;
    case varOleStr: {
        const std::string text = value.AsString();
        rc = sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        break;
    }
    default:
        if (value.IsByteArray()) {
            const auto& bytes = value.AsBytes();
            rc = sqlite3_bind_blob(stmt_, index, bytes.data(), static_cast<int>(bytes.size()),
                                   SQLITE_TRANSIENT);
            break;
        }
        throw HostError("A value of type " + OleVariant::TypeName(value.VarType()) + " cannot be stored");
    }
    if (rc != SQLITE_OK)
        ThrowSqlError(db_, "binding a value");
    return *this;
}

Statement& Statement::Bind(const char* name, const OleVariant& value) {
    return Bind(ParameterIndex(name), value);
}

Statement& Statement::BindInt(const char* name, std::int64_t value) {
    if (sqlite3_bind_int64(stmt_, ParameterIndex(name), value) != SQLITE_OK)
        ThrowSqlError(db_, "binding a value");
    return *this;
}

Statement& Statement::BindDouble(const char* name, double value) {
    if (sqlite3_bind_double(stmt_, ParameterIndex(name), value) != SQLITE_OK)
        ThrowSqlError(db_, "binding a value");
    return *this;
}

Statement& Statement::BindText(const char* name, std::string_view value) {
    if (sqlite3_bind_text(stmt_, ParameterIndex(name), value.data(), static_cast<int>(value.size()),
                          SQLITE_TRANSIENT) != SQLITE_OK)
        ThrowSqlError(db_, "binding a value");
    return *this;
}

bool Statement::Step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const std::string sql = sqlite3_sql(stmt_) ? sqlite3_sql(stmt_) : "";
    ThrowSqlError(db_, "in: " + Shorten(sql));
}

void Statement::Run() {
    while (Step()) {
    }
}

void Statement::Reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

std::string Statement::ColumnText(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return text ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)))
                : std::string();
}

Transaction::Transaction(sqlite3* db, bool writes) : db_(db), nested_(sqlite3_get_autocommit(db) == 0) {
    ExecScript(db,
               nested_  ? "SAVEPOINT tkv_call"
               : writes ? "BEGIN IMMEDIATE"
                        : "BEGIN",
               "starting a transaction");
    open_ = true;
}

Transaction::~Transaction() {
    if (open_)
        sqlite3_exec(db_, nested_ ? "ROLLBACK TO tkv_call; RELEASE tkv_call" : "ROLLBACK", nullptr, nullptr,
                     nullptr);
}

void Transaction::Commit() {
    ExecScript(db_, nested_ ? "RELEASE tkv_call" : "COMMIT", "committing");
    open_ = false;
}

void ExecScript(sqlite3* db, const std::string& sql, std::string_view doing) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message ? message : sqlite3_errmsg(db);
        sqlite3_free(message);
        throw HostError("SQL error: " + text + " (" + std::string(doing) + ")");
    }
}

} // namespace tkv::host
