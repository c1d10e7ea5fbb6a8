// Typed column storage of the in-memory dataset and the conversions between its cells and variants.
#include "DataSetColumn.h"

#include <limits>

namespace tkv {

bool StorageKindOf(TFieldType type, StorageKind& kind) {
    switch (type) {
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftWord:
    case TFieldType::ftAutoInc:
        kind = StorageKind::Int32;
        return true;
    case TFieldType::ftLargeint:
        kind = StorageKind::Int64;
        return true;
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftBCD:
    case TFieldType::ftDate:
    case TFieldType::ftTime:
    case TFieldType::ftDateTime:
        kind = StorageKind::Double;
        return true;
    case TFieldType::ftBoolean:
        kind = StorageKind::Boolean;
        return true;
    case TFieldType::ftString:
    case TFieldType::ftFixedChar:
    case TFieldType::ftWideString:
    case TFieldType::ftMemo:
        kind = StorageKind::Text;
        return true;
    case TFieldType::ftBytes:
    case TFieldType::ftVarBytes:
    case TFieldType::ftBlob:
        kind = StorageKind::Bytes;
        return true;
    default:
        return false;
    }
}

TClientDataSet::Column::Column(TFieldType fieldType) : type(fieldType), kind(StorageKind::Text) {
    StorageKindOf(fieldType, kind);
}

void TClientDataSet::Column::Reserve(std::size_t rows) {
    nulls.reserve(rows);
    switch (kind) {
    case StorageKind::Int32:
        i32.reserve(rows);
        break;
    case StorageKind::Int64:
        i64.reserve(rows);
        break;
    case StorageKind::Double:
        f64.reserve(rows);
        break;
    case StorageKind::Boolean:
        flags.reserve(rows);
        break;
    case StorageKind::Text:
    case StorageKind::Bytes:
        spans.reserve(rows);
        break;
    }
}

void TClientDataSet::Column::AppendNull() {
    nulls.push_back(1);
    switch (kind) {
    case StorageKind::Int32:
        i32.push_back(0);
        break;
    case StorageKind::Int64:
        i64.push_back(0);
        break;
    case StorageKind::Double:
        f64.push_back(0);
        break;
    case StorageKind::Boolean:
        flags.push_back(0);
        break;
    case StorageKind::Text:
    case StorageKind::Bytes:
        spans.push_back({});
        break;
    }
}

void TClientDataSet::Column::AppendNulls(std::size_t count) {
    const std::size_t rows = nulls.size() + count;
    nulls.resize(rows, 1);
    switch (kind) {
    case StorageKind::Int32:
        i32.resize(rows, 0);
        break;
    case StorageKind::Int64:
        i64.resize(rows, 0);
        break;
    case StorageKind::Double:
        f64.resize(rows, 0);
        break;
    case StorageKind::Boolean:
        flags.resize(rows, 0);
        break;
    case StorageKind::Text:
    case StorageKind::Bytes:
        spans.resize(rows);
        break;
    }
}

void TClientDataSet::Column::PopBack() {
    SetNull(nulls.size() - 1);
    nulls.pop_back();
    switch (kind) {
    case StorageKind::Int32:
        i32.pop_back();
        break;
    case StorageKind::Int64:
        i64.pop_back();
        break;
    case StorageKind::Double:
        f64.pop_back();
        break;
    case StorageKind::Boolean:
        flags.pop_back();
        break;
    case StorageKind::Text:
    case StorageKind::Bytes:
        spans.pop_back();
        break;
    }
}

void TClientDataSet::Column::Clear() {
    *this = Column(type);
}

void TClientDataSet::Column::SetNull(std::size_t row) {
    if (!spans.empty()) {
        garbage_ += spans[row].length;
        spans[row] = {};
    }
    nulls[row] = 1;
}

void TClientDataSet::Column::SetText(std::size_t row, std::string_view v) {
    if (spans[row].length != 0)
        SetNull(row);
    if (arena.size() + v.size() > std::numeric_limits<std::uint32_t>::max()) {
        CompactArena();
        if (arena.size() + v.size() > std::numeric_limits<std::uint32_t>::max())
            throw EDatabaseError("Field data exceeds 4 GB");
    }
    spans[row] = {static_cast<std::uint32_t>(arena.size()), static_cast<std::uint32_t>(v.size())};
    arena.append(v);
    nulls[row] = 0;
    if (garbage_ > 4096 && garbage_ > arena.size() / 2)
        CompactArena();
}

void TClientDataSet::Column::CompactArena() {
    std::string packed;
    packed.reserve(arena.size() - garbage_);
    for (Span& s : spans) {
        const std::uint32_t offset = static_cast<std::uint32_t>(packed.size());
        packed.append(arena, s.offset, s.length);
        s.offset = s.length ? offset : 0;
    }
    arena.swap(packed);
    garbage_ = 0;
}

OleVariant TClientDataSet::Column::Get(std::size_t row) const {
    if (nulls[row])
        return OleVariant::Null();
    switch (type) {
    case TFieldType::ftLargeint:
        return OleVariant::Int64(i64[row]);
    case TFieldType::ftFloat:
        return OleVariant(f64[row]);
    case TFieldType::ftCurrency:
    case TFieldType::ftBCD:
        return OleVariant::Currency(f64[row]);
    case TFieldType::ftDate:
    case TFieldType::ftTime:
    case TFieldType::ftDateTime:
        return OleVariant::Date(f64[row]);
    case TFieldType::ftBoolean:
        return OleVariant(flags[row] != 0);
    default:
        break;
    }
    switch (kind) {
    case StorageKind::Int32:
        return OleVariant(i32[row]);
    case StorageKind::Text:
        return OleVariant(Text(row));
    case StorageKind::Bytes: {
        const std::string_view t = Text(row);
        return OleVariant::ByteArray(OleVariant::Bytes(t.begin(), t.end()));
    }
    default:
        return OleVariant::Null();
    }
}

void TClientDataSet::Column::AppendFrom(const Column& from, std::size_t row) {
    AppendNull();
    if (from.IsNull(row))
        return;
    const std::size_t to = nulls.size() - 1;
    switch (kind) {
    case StorageKind::Int32:
        SetInt32(to, from.i32[row]);
        break;
    case StorageKind::Int64:
        SetInt64(to, from.i64[row]);
        break;
    case StorageKind::Double:
        SetDouble(to, from.f64[row]);
        break;
    case StorageKind::Boolean:
        SetBoolean(to, from.flags[row] != 0);
        break;
    case StorageKind::Text:
    case StorageKind::Bytes:
        SetText(to, from.Text(row));
        break;
    }
}

void TClientDataSet::Column::WidenTo(TFieldType wider) {
    i64.assign(i32.begin(), i32.end());
    i32.clear();
    i32.shrink_to_fit();
    type = wider;
    kind = StorageKind::Int64;
}

void DataSetStorage::Adopt(TClientDataSet& ds, std::vector<TFieldDef> fields, Columns columns,
                           std::size_t rows) {
    ds.Close();
    ds.fields_ = std::move(fields);
    ds.columns_ = std::move(columns);
    ds.rowCount_ = static_cast<int>(rows);
    ds.active_ = true;
    ds.First();
}

std::int32_t VariantToInt32(const OleVariant& value, TFieldType type) {
    if (type != TFieldType::ftSmallint && type != TFieldType::ftWord)
        return value.AsInteger();
    const std::int64_t v = value.AsInt64();
    const std::int64_t lo = type == TFieldType::ftWord ? 0 : -32768;
    const std::int64_t hi = type == TFieldType::ftWord ? 65535 : 32767;
    if (v < lo || v > hi)
        throw EVariantError("Value " + std::to_string(v) + " is out of range for a " +
                            (type == TFieldType::ftWord ? "word" : "smallint") + " field");
    return static_cast<std::int32_t>(v);
}

void TClientDataSet::Column::Set(std::size_t row, const OleVariant& value) {
    if (value.IsEmptyOrNull()) {
        SetNull(row);
        return;
    }
    switch (kind) {
    case StorageKind::Int32:
        SetInt32(row, VariantToInt32(value, type));
        break;
    case StorageKind::Int64:
        SetInt64(row, value.AsInt64());
        break;
    case StorageKind::Double:
        if (type == TFieldType::ftDate || type == TFieldType::ftTime || type == TFieldType::ftDateTime)
            SetDouble(row, value.AsDateTime());
        else
            SetDouble(row, value.AsDouble());
        break;
    case StorageKind::Boolean:
        SetBoolean(row, value.AsBoolean());
        break;
    case StorageKind::Text:
        SetText(row, value.AsString());
        break;
    case StorageKind::Bytes:
        if (value.IsByteArray()) {
            const OleVariant::Bytes& b = value.AsBytes();
            SetText(row, std::string_view(reinterpret_cast<const char*>(b.data()), b.size()));
        } else {
            SetText(row, value.AsString());
        }
        break;
    }
}

} // namespace tkv
