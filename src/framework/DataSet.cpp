// The in-memory client dataset: field definitions, column storage, navigation and field access.
#include "DataSet.h"

#include "BinaryPacket.h"
#include "DataPacket.h"
#include "DataSetColumn.h"
#include "TextCase.h"

namespace tkv {

// ---- TField ----

const std::string& TField::FieldName() const {
    return ds_->fields_[index_].Name;
}
TFieldType TField::DataType() const {
    return ds_->fields_[index_].DataType;
}

bool TField::IsNull() const {
    return ds_->recNo_ < 0 || ds_->columns_[index_]->IsNull(static_cast<std::size_t>(ds_->recNo_));
}

OleVariant TField::Value() const {
    return ds_->recNo_ < 0 ? OleVariant::Null()
                           : ds_->columns_[index_]->Get(static_cast<std::size_t>(ds_->recNo_));
}

std::int32_t TField::AsInteger() const {
    if (IsNull())
        return 0;
    const auto& col = *ds_->columns_[index_];
    return col.kind == StorageKind::Int32 ? col.i32[ds_->recNo_] : Value().AsInteger();
}

double TField::AsFloat() const {
    if (IsNull())
        return 0.0;
    const auto& col = *ds_->columns_[index_];
    return col.kind == StorageKind::Double ? col.f64[ds_->recNo_] : Value().AsDouble();
}

bool TField::AsBoolean() const {
    return IsNull() ? false : Value().AsBoolean();
}

std::string TField::AsString() const {
    if (IsNull())
        return {};
    const auto& col = *ds_->columns_[index_];
    return col.kind == StorageKind::Text || col.kind == StorageKind::Bytes
               ? std::string(col.Text(ds_->recNo_))
               : Value().AsString();
}

TDateTime TField::AsDateTime() const {
    return IsNull() ? 0.0 : Value().AsDateTime();
}

// ---- TClientDataSet ----

TClientDataSet::TClientDataSet() = default;
TClientDataSet::~TClientDataSet() = default;

void TClientDataSet::SetData(const OleVariant& packet) {
    Close();
    fields_.clear();
    columns_.clear();
    form_ = TPacketForm::Xml;
    if (packet.IsEmptyOrNull())
        return;
    const std::string_view bytes = VariantPacketText(packet);
    if (IsBinaryPacket(bytes)) {
        ReadBinaryPacket(bytes, *this);
        form_ = TPacketForm::Binary;
    } else {
        ReadDataPacket(bytes, *this);
    }
}

OleVariant TClientDataSet::GetData() const {
    if (!active_)
        return OleVariant::Null();
    return form_ == TPacketForm::Binary ? BinaryPacketVariant(*this) : DataPacketVariant(*this);
}

void TClientDataSet::AddFieldDef(std::string name, TFieldType type, int size) {
    TFieldDef def;
    def.Name = std::move(name);
    def.DataType = type;
    def.Size = size;
    AddFieldDef(std::move(def));
}

void TClientDataSet::AddFieldDef(TFieldDef def) {
    if (active_)
        throw EDatabaseError("Cannot add field '" + def.Name + "' to an open dataset");
    if (def.Name.empty())
        throw EDatabaseError("Field name missing");
    if (FindFieldIndex(def.Name) >= 0)
        throw EDatabaseError("Duplicate field name '" + def.Name + "'");
    StorageKind kind;
    if (!StorageKindOf(def.DataType, kind))
        throw EDatabaseError("Field '" + def.Name + "' is of an unsupported type (" +
                             std::to_string(static_cast<int>(def.DataType)) + ")");
    columns_.push_back(std::make_unique<Column>(def.DataType));
    fields_.push_back(std::move(def));
}

void TClientDataSet::CreateDataSet() {
    if (fields_.empty())
        throw EDatabaseError("Cannot create a dataset without fields");
    Close();
    active_ = true;
    First();
}

void TClientDataSet::AppendRecord(std::vector<OleVariant> values) {
    CheckActive();
    if (values.size() != fields_.size())
        throw EDatabaseError("AppendRecord: " + std::to_string(values.size()) + " values for " +
                             std::to_string(fields_.size()) + " fields");
    const std::size_t row = static_cast<std::size_t>(rowCount_);
    for (auto& col : columns_)
        col->AppendNull();
    std::size_t i = 0;
    try {
        for (; i < values.size(); ++i)
            columns_[i]->Set(row, values[i]);
    } catch (const EVariantError& e) {
        for (auto& col : columns_)
            col->PopBack();
        throw EDatabaseError("Field '" + fields_[i].Name + "': " + e.what());
    }
    ++rowCount_;
    recNo_ = static_cast<int>(row);
    eof_ = false;
}

void TClientDataSet::Close() {
    for (auto& col : columns_)
        col->Clear();
    rowCount_ = 0;
    recNo_ = -1;
    eof_ = true;
    active_ = false;
}

int TClientDataSet::RecordCount() const {
    return active_ ? rowCount_ : 0;
}

void TClientDataSet::CheckActive() const {
    if (!active_)
        throw EDatabaseError("Cannot perform this operation on a closed dataset");
}

void TClientDataSet::CheckCell(int row, int field) const {
    CheckActive();
    if (row < 0 || row >= rowCount_)
        throw EDatabaseError("Record index " + std::to_string(row) + " out of range (" +
                             std::to_string(rowCount_) + " records)");
    if (field < 0 || field >= FieldCount())
        throw EDatabaseError("Field index " + std::to_string(field) + " out of range (" +
                             std::to_string(FieldCount()) + " fields)");
}

void TClientDataSet::First() {
    CheckActive();
    recNo_ = rowCount_ > 0 ? 0 : -1;
    eof_ = rowCount_ == 0;
}

void TClientDataSet::Next() {
    CheckActive();
    if (recNo_ + 1 < rowCount_)
        ++recNo_;
    else
        eof_ = true;
}

bool TClientDataSet::Eof() const {
    return !active_ || eof_;
}

void TClientDataSet::SetRecNo(int recNo) {
    CheckActive();
    if (recNo < 1 || recNo > rowCount_)
        throw EDatabaseError("Record number " + std::to_string(recNo) + " out of range (" +
                             std::to_string(rowCount_) + " records)");
    recNo_ = recNo - 1;
    eof_ = false;
}

int TClientDataSet::FindFieldIndex(std::string_view name) const {
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (SameText(fields_[i].Name, name))
            return static_cast<int>(i);
    return -1;
}

TField TClientDataSet::FieldByName(std::string_view name) const {
    const int index = active_ ? FindFieldIndex(name) : -1;
    if (index < 0) {
        CheckActive();
        throw EDatabaseError("Field '" + std::string(name) + "' not found");
    }
    return TField(*this, index);
}

TField TClientDataSet::Fields(int index) const {
    CheckActive();
    if (index < 0 || index >= FieldCount())
        throw EDatabaseError("Field index " + std::to_string(index) + " out of range (" +
                             std::to_string(FieldCount()) + " fields)");
    return TField(*this, index);
}

OleVariant TClientDataSet::Cell(int row, int field) const {
    CheckCell(row, field);
    return columns_[field]->Get(static_cast<std::size_t>(row));
}

bool TClientDataSet::CellIsNull(int row, int field) const {
    CheckCell(row, field);
    return columns_[field]->IsNull(static_cast<std::size_t>(row));
}

void TClientDataSet::SetCell(int row, int field, const OleVariant& value) {
    CheckCell(row, field);
    try {
        columns_[field]->Set(static_cast<std::size_t>(row), value);
    } catch (const EVariantError& e) {
        throw EDatabaseError("Field '" + fields_[field].Name + "': " + e.what());
    }
}

} // namespace tkv
