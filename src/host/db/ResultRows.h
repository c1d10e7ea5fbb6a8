// The rows of one result set as the host hands them out: named, typed columns and variant cells.
// Read from a SQLite statement; turned into a result-set packet at the host boundary.
#pragma once

#include "framework/DataSet.h"
#include "framework/FieldType.h"
#include "framework/Variant.h"

#include <sqlite3.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tkv::host {

struct ResultColumn {
    std::string name;
    TFieldType type = TFieldType::ftString;
    int size = 0; // longest text in bytes, for string columns
};

struct ResultRows {
    std::vector<ResultColumn> columns;
    std::vector<std::vector<OleVariant>> rows;

    int RowCount() const { return static_cast<int>(rows.size()); }
    // Column names are matched without letter case; -1 when absent.
    int FindColumn(std::string_view name) const;
    // The cell of a row by column name; raises HostError for an unknown column.
    const OleVariant& Value(int row, std::string_view column) const;
};

// A column's type where the statement cannot tell it (an expression without declared type).
using ColumnTypeOverride = std::pair<const char*, TFieldType>;

// The columns of a statement's result and the type each takes. Column types come from the declared
// type of the table column (DATETIME gives dates, INT integers, REAL floats, TEXT strings), then
// from the overrides, then from the first value that is not null.
class ResultColumnTypes {
public:
    ResultColumnTypes(sqlite3_stmt* stmt, const std::vector<ColumnTypeOverride>& overrides);

    std::vector<ResultColumn>& Columns() { return columns_; }
    // Takes note of a cell that is not null: decides the type of a column that had only nulls
    // so far. True when an integer column has to widen to 64 bits. (Readers keep text sizes.)
    bool Observe(sqlite3_stmt* stmt, int column, int storage);

private:
    std::vector<ResultColumn> columns_;
    std::vector<bool> decided_;
};

// Steps the statement to its end and collects its rows.
ResultRows ReadRows(sqlite3_stmt* stmt, const std::vector<ColumnTypeOverride>& overrides = {});

// Steps the statement to its end straight into a result-set packet: the packet a dataset of the rows
// that ReadRows reads would give, without holding the rows. Null when the statement has no columns.
OleVariant ReadRowsPacket(sqlite3_stmt* stmt, const std::vector<ColumnTypeOverride>& overrides = {},
                          TPacketForm form = TPacketForm::Binary);

} // namespace tkv::host
