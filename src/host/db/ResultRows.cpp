// Reading SQLite rows into typed result columns. SQLite keeps a value's storage class per cell, so
// a column's type is decided once per result set and every cell converted to it.
#include "ResultRows.h"

#include "HostDatabase.h"
#include "Sqlite.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>

namespace tkv::host {

namespace {

bool EqualNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool Contains(const std::string& upper, const char* word) {
    return upper.find(word) != std::string::npos;
}

// The field type of a declared column type, after SQLite's affinity rules, with dates first.
bool TypeFromDeclaration(const char* decl, TFieldType& type) {
    if (!decl || !*decl)
        return false;
    std::string upper(decl);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return std::toupper(c); });
    if (Contains(upper, "DATE") || Contains(upper, "TIME"))
        type = TFieldType::ftDateTime;
    else if (Contains(upper, "INT"))
        type = TFieldType::ftInteger;
    else if (Contains(upper, "CHAR") || Contains(upper, "TEXT") || Contains(upper, "CLOB"))
        type = TFieldType::ftString;
    else if (Contains(upper, "BLOB"))
        type = TFieldType::ftBlob;
    else
        type = TFieldType::ftFloat;
    return true;
}

TFieldType TypeFromStorage(int storage) {
    switch (storage) {
    case SQLITE_INTEGER:
        return TFieldType::ftInteger;
    case SQLITE_FLOAT:
        return TFieldType::ftFloat;
    case SQLITE_BLOB:
        return TFieldType::ftBlob;
    default:
        return TFieldType::ftString;
    }
}

std::string FloatText(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    return buf;
}

std::string CellText(sqlite3_stmt* stmt, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
    return std::string(text ? text : "", static_cast<std::size_t>(sqlite3_column_bytes(stmt, column)));
}

// The cell converted to the column's type. A cell whose storage does not fit the type (SQLite
// does not enforce declared types) is handed out as text rather than as an invented number.
OleVariant ReadCell(sqlite3_stmt* stmt, int column, int storage, TFieldType type) {
    const bool numeric = storage == SQLITE_INTEGER || storage == SQLITE_FLOAT;
    switch (type) {
    case TFieldType::ftInteger:
        if (numeric)
            return OleVariant(static_cast<std::int32_t>(sqlite3_column_int64(stmt, column)));
        break;
    case TFieldType::ftLargeint:
        if (numeric)
            return OleVariant::Int64(sqlite3_column_int64(stmt, column));
        break;
    case TFieldType::ftFloat:
        if (numeric)
            return OleVariant(sqlite3_column_double(stmt, column));
        break;
    case TFieldType::ftDateTime:
        if (numeric)
            return OleVariant::Date(sqlite3_column_double(stmt, column));
        break;
    case TFieldType::ftBlob: {
        const auto* data = static_cast<const std::uint8_t*>(sqlite3_column_blob(stmt, column));
        const int bytes = sqlite3_column_bytes(stmt, column);
        return OleVariant::ByteArray(OleVariant::Bytes(data, data + bytes));
    }
    default:
        break;
    }
    if (storage == SQLITE_FLOAT)
        return OleVariant(FloatText(sqlite3_column_double(stmt, column)));
    return OleVariant(CellText(stmt, column));
}

bool OutOfInt32(sqlite3_stmt* stmt, int column, int storage) {
    if (storage != SQLITE_INTEGER)
        return false;
    const std::int64_t v = sqlite3_column_int64(stmt, column);
    return v < INT32_MIN || v > INT32_MAX;
}

} // namespace

int ResultRows::FindColumn(std::string_view name) const {
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (EqualNoCase(columns[i].name, name))
            return static_cast<int>(i);
    return -1;
}

const OleVariant& ResultRows::Value(int row, std::string_view column) const {
    const int index = FindColumn(column);
    if (index < 0)
        throw HostError("Result has no column '" + std::string(column) + "'");
    return rows.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(index));
}

ResultRows ReadRows(sqlite3_stmt* stmt, const std::vector<ColumnTypeOverride>& overrides) {
    sqlite3* db = sqlite3_db_handle(stmt);
    const int count = sqlite3_column_count(stmt);
    ResultRows result;
    std::vector<bool> decided(static_cast<std::size_t>(count), false);
    for (int c = 0; c < count; ++c) {
        ResultColumn column;
        column.name = sqlite3_column_name(stmt, c);
        bool known = TypeFromDeclaration(sqlite3_column_decltype(stmt, c), column.type);
        for (const auto& [name, type] : overrides)
            if (!known && EqualNoCase(name, column.name)) {
                column.type = type;
                known = true;
            }
        decided[static_cast<std::size_t>(c)] = known;
        result.columns.push_back(std::move(column));
    }

    for (;;) {
        const int rc = sqlite3_step(stmt);
        if (rc == SQLITE_DONE)
            break;
        if (rc != SQLITE_ROW)
            ThrowSqlError(db, std::string("in: ") + (sqlite3_sql(stmt) ? sqlite3_sql(stmt) : ""));
        std::vector<OleVariant> row;
        row.reserve(static_cast<std::size_t>(count));
        for (int c = 0; c < count; ++c) {
            ResultColumn& column = result.columns[static_cast<std::size_t>(c)];
            const int storage = sqlite3_column_type(stmt, c);
            if (storage == SQLITE_NULL) {
                row.push_back(OleVariant::Null());
                continue;
            }
            // An expression column takes the type of its first value; earlier cells were null.
            if (!decided[static_cast<std::size_t>(c)]) {
                column.type = TypeFromStorage(storage);
                decided[static_cast<std::size_t>(c)] = true;
            }
            if (column.type == TFieldType::ftInteger && OutOfInt32(stmt, c, storage)) {
                column.type = TFieldType::ftLargeint;
                for (auto& earlier : result.rows)
                    if (!earlier[static_cast<std::size_t>(c)].IsNull())
                        earlier[static_cast<std::size_t>(c)] =
                            OleVariant::Int64(earlier[static_cast<std::size_t>(c)].AsInt64());
            }
            row.push_back(ReadCell(stmt, c, storage, column.type));
            if (column.type == TFieldType::ftString)
                column.size = std::max(column.size, sqlite3_column_bytes(stmt, c));
        }
        result.rows.push_back(std::move(row));
    }
    return result;
}

} // namespace tkv::host
