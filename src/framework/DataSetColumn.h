// Column storage of the in-memory dataset: one typed vector per field plus null flags, text and
// bytes in one arena per column, so that a loaded packet costs little more than its values.
#pragma once

#include "DataSet.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tkv {

// How a field type's values are held.
enum class StorageKind : std::uint8_t { Int32, Int64, Double, Boolean, Text, Bytes };

// The storage for a field type; false for types a dataset cannot hold (unknown, variant).
bool StorageKindOf(TFieldType type, StorageKind& kind);
// The storage of a field that a packet writer is given after those it has; raises EDatabaseError
// for a missing or duplicate name or a type packets cannot carry.
StorageKind CheckNewField(const std::vector<TFieldDef>& fields, const TFieldDef& def);
// A variant as the value of an Int32-stored field; raises EVariantError when it does not convert
// or lies outside a smallint or word field's range.
std::int32_t VariantToInt32(const OleVariant& value, TFieldType type);

struct TClientDataSet::Column {
    struct Span {
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
    };

    explicit Column(TFieldType fieldType);

    TFieldType type;
    StorageKind kind;
    std::vector<std::uint8_t> nulls; // 1 for an absent value
    std::vector<std::int32_t> i32;
    std::vector<std::int64_t> i64;
    std::vector<double> f64;
    std::vector<std::uint8_t> flags; // booleans
    std::vector<Span> spans;         // text and bytes, into arena
    std::string arena;

    std::size_t Size() const { return nulls.size(); }
    void Reserve(std::size_t rows);
    void AppendNull();
    void AppendNulls(std::size_t count);
    void PopBack();
    void Clear();

    bool IsNull(std::size_t row) const { return nulls[row] != 0; }
    void SetNull(std::size_t row);
    void SetInt32(std::size_t row, std::int32_t v) { i32[row] = v, nulls[row] = 0; }
    void SetInt64(std::size_t row, std::int64_t v) { i64[row] = v, nulls[row] = 0; }
    void SetDouble(std::size_t row, double v) { f64[row] = v, nulls[row] = 0; }
    void SetBoolean(std::size_t row, bool v) { flags[row] = v ? 1 : 0, nulls[row] = 0; }
    // Text and bytes; an edited value leaves its old bytes in the arena until it is compacted.
    void SetText(std::size_t row, std::string_view v);
    std::string_view Text(std::size_t row) const {
        return std::string_view(arena).substr(spans[row].offset, spans[row].length);
    }

    // The value as a variant of the field type's variant type; null for an absent value.
    OleVariant Get(std::size_t row) const;
    // Stores a variant converted to the field type; empty and null store an absent value. Raises
    // EVariantError when the value does not convert.
    void Set(std::size_t row, const OleVariant& value);
    // Appends the cell of another column of the same storage kind.
    void AppendFrom(const Column& from, std::size_t row);
    // An Int32 column becomes an Int64 one of the given type, its cells read the same.
    void WidenTo(TFieldType wider);

private:
    void CompactArena();
    std::size_t garbage_ = 0; // arena bytes no cell refers to any more
};

// What packet readers and writers reach inside a dataset: its fields, columns and row count, and
// the content a reader hands over whole.
struct DataSetStorage {
    using Column = TClientDataSet::Column;
    using Columns = std::vector<std::unique_ptr<Column>>;

    static const std::vector<TFieldDef>& Fields(const TClientDataSet& ds) { return ds.fields_; }
    static const Columns& ColumnsOf(const TClientDataSet& ds) { return ds.columns_; }
    static std::size_t RowCount(const TClientDataSet& ds) { return static_cast<std::size_t>(ds.rowCount_); }
    // Opens the dataset on these fields and rows, at the first record.
    static void Adopt(TClientDataSet& ds, std::vector<TFieldDef> fields, Columns columns, std::size_t rows);
};

} // namespace tkv
