// Reading SQLite rows into typed result columns. SQLite keeps a value's storage class per cell, so
// a column's type is decided once per result set and every cell converted to it.
#include "ResultRows.h"

#include "HostDatabase.h"
#include "Sqlite.h"

#include "framework/BinaryPacket.h"
#include "framework/DataPacket.h"
#include "framework/DataSet.h"
#include "framework/TextCase.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>

namespace tkv::host {

namespace {

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
        if (SameText(columns[i].name, name))
            return static_cast<int>(i);
    return -1;
}

const OleVariant& ResultRows::Value(int row, std::string_view column) const {
    const int index = FindColumn(column);
    if (index < 0)
        throw HostError("Result has no column '" + std::string(column) + "'");
    return rows.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(index));
}

ResultColumnTypes::ResultColumnTypes(sqlite3_stmt* stmt, const std::vector<ColumnTypeOverride>& overrides) {
    const int count = sqlite3_column_count(stmt);
    for (int c = 0; c < count; ++c) {
        ResultColumn column;
        column.name = sqlite3_column_name(stmt, c);
        bool known = TypeFromDeclaration(sqlite3_column_decltype(stmt, c), column.type);
        for (const auto& [name, type] : overrides)
            if (!known && SameText(name, column.name)) {
                column.type = type;
                known = true;
            }
        decided_.push_back(known);
        columns_.push_back(std::move(column));
    }
}

bool ResultColumnTypes::Observe(sqlite3_stmt* stmt, int column, int storage) {
    const auto c = static_cast<std::size_t>(column);
    ResultColumn& result = columns_[c];
    // An expression column takes the type of its first value; earlier cells were null.
    if (!decided_[c]) {
        result.type = TypeFromStorage(storage);
        decided_[c] = true;
    }
    if (result.type == TFieldType::ftInteger && OutOfInt32(stmt, column, storage)) {
        result.type = TFieldType::ftLargeint;
        return true;
    }
    return false;
}

namespace {

// Steps to the next row; false at the end, HostError on a SQL error.
bool NextRow(sqlite3_stmt* stmt) {
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_DONE)
        return false;
    if (rc != SQLITE_ROW)
        ThrowSqlError(sqlite3_db_handle(stmt),
                      std::string("in: ") + (sqlite3_sql(stmt) ? sqlite3_sql(stmt) : ""));
    return true;
}

// The cell in the packet: the common cases straight from SQLite's buffers, the others through the
// same variant the rows would hold.
template <typename Writer>
void WriteCell(Writer& writer, sqlite3_stmt* stmt, int column, int storage, ResultColumn& result) {
    switch (result.type) {
    case TFieldType::ftInteger:
    case TFieldType::ftLargeint:
        if (storage == SQLITE_INTEGER) {
            writer.Integer(sqlite3_column_int64(stmt, column));
            return;
        }
        break;
    case TFieldType::ftFloat:
    case TFieldType::ftDateTime:
        if (storage == SQLITE_INTEGER || storage == SQLITE_FLOAT) {
            writer.Float(sqlite3_column_double(stmt, column));
            return;
        }
        break;
    case TFieldType::ftString:
        if (storage == SQLITE_TEXT) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
            const int bytes = sqlite3_column_bytes(stmt, column);
            result.size = std::max(result.size, bytes);
            writer.Text(std::string_view(text ? text : "", static_cast<std::size_t>(bytes)));
            return;
        }
        break;
    default:
        break;
    }
    writer.Value(ReadCell(stmt, column, storage, result.type));
    if (result.type == TFieldType::ftString)
        result.size = std::max(result.size, sqlite3_column_bytes(stmt, column));
}

} // namespace

ResultRows ReadRows(sqlite3_stmt* stmt, const std::vector<ColumnTypeOverride>& overrides) {
    ResultColumnTypes types(stmt, overrides);
    const int count = sqlite3_column_count(stmt);
    ResultRows result;
    while (NextRow(stmt)) {
        std::vector<OleVariant> row;
        row.reserve(static_cast<std::size_t>(count));
        for (int c = 0; c < count; ++c) {
            const int storage = sqlite3_column_type(stmt, c);
            if (storage == SQLITE_NULL) {
                row.push_back(OleVariant::Null());
                continue;
            }
            if (types.Observe(stmt, c, storage))
                for (auto& earlier : result.rows) {
                    OleVariant& cell = earlier[static_cast<std::size_t>(c)];
                    if (!cell.IsNull())
                        cell = OleVariant::Int64(cell.AsInt64());
                }
            ResultColumn& column = types.Columns()[static_cast<std::size_t>(c)];
            row.push_back(ReadCell(stmt, c, storage, column.type));
            if (column.type == TFieldType::ftString)
                column.size = std::max(column.size, sqlite3_column_bytes(stmt, c));
        }
        result.rows.push_back(std::move(row));
    }
    result.columns = std::move(types.Columns());
    return result;
}

namespace {

// The rows as a packet of the writer's form.
template <typename Writer> OleVariant WriteRowsPacket(sqlite3_stmt* stmt, ResultColumnTypes& types) {
    std::vector<ResultColumn>& columns = types.Columns();
    // The metadata goes out with the types known before the first row; the rows then settle the
    // types of expression columns, widen integers and give the longest texts. A cell that does not
    // convert to its column's type names the column, and any failure reaches the caller as a host
    // error.
    try {
        Writer writer;
        for (const auto& column : columns) {
            TFieldDef def;
            def.Name = column.name;
            def.DataType = column.type;
            def.Size = column.type == TFieldType::ftString ? std::max(column.size, 1) : 0;
            writer.AddField(std::move(def));
        }
        writer.BeginRows();
        while (NextRow(stmt)) {
            writer.BeginRow();
            for (std::size_t cell = 0; cell < columns.size(); ++cell) {
                const int c = static_cast<int>(cell);
                const int storage = sqlite3_column_type(stmt, c);
                if (storage == SQLITE_NULL) {
                    writer.Null();
                    continue;
                }
                const TFieldType before = columns[cell].type;
                types.Observe(stmt, c, storage);
                if (columns[cell].type != before)
                    writer.SetFieldType(cell, columns[cell].type);
                try {
                    WriteCell(writer, stmt, c, storage, columns[cell]);
                } catch (const EVariantError& e) {
                    throw EDatabaseError("Field '" + columns[cell].name + "': " + e.what());
                }
            }
            writer.EndRow();
        }
        for (std::size_t i = 0; i < columns.size(); ++i)
            if (columns[i].type == TFieldType::ftString)
                writer.SetFieldSize(i, std::max(columns[i].size, 1));
        return writer.Finish();
    } catch (const EDatabaseError& e) {
        throw HostError(std::string("The result cannot be sent: ") + e.what());
    }
}

} // namespace

OleVariant ReadRowsPacket(sqlite3_stmt* stmt, const std::vector<ColumnTypeOverride>& overrides,
                          TPacketForm form) {
    ResultColumnTypes types(stmt, overrides);
    if (types.Columns().empty()) {
        while (NextRow(stmt)) {
        }
        return OleVariant::Null();
    }
    return form == TPacketForm::Binary ? WriteRowsPacket<BinaryPacketWriter>(stmt, types)
                                       : WriteRowsPacket<DataPacketWriter>(stmt, types);
}

} // namespace tkv::host
