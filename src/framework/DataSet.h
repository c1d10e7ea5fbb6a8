// In-memory client dataset: field definitions and rows loaded from a result-set packet, read by
// field name with first/next/end-of-data navigation, and handed back as a packet.
#pragma once

#include "FieldType.h"
#include "Variant.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tkv {

// Raised by the dataset for an unknown field, a closed dataset or an unusable packet.
class EDatabaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TFieldDef {
    std::string Name;
    TFieldType DataType = TFieldType::ftUnknown;
    int Size = 0;      // characters for string fields, decimals for BCD fields, bytes for byte fields, else 0
    int Precision = 0; // total digits of BCD fields, 0 otherwise
};

class TClientDataSet;

// The two forms of a result-set packet: the framework's binary datapacket (what a framework host
// sends by default) and its XML form.
enum class TPacketForm : std::uint8_t { Xml, Binary };

// A field of the current record, as FieldByName hands it out.
class TField {
public:
    TField(const TClientDataSet& ds, int index) : ds_(&ds), index_(index) {}
    const std::string& FieldName() const;
    TFieldType DataType() const;
    int Index() const { return index_; }
    OleVariant Value() const; // null for an absent value
    bool IsNull() const;
    std::int32_t AsInteger() const; // null gives 0
    double AsFloat() const;         // null gives 0
    bool AsBoolean() const;         // null gives False
    std::string AsString() const;   // null gives ""
    TDateTime AsDateTime() const;   // null gives 0

private:
    const TClientDataSet* ds_;
    int index_;
};

class TClientDataSet {
public:
    TClientDataSet();
    ~TClientDataSet();
    TClientDataSet(const TClientDataSet&) = delete;
    TClientDataSet& operator=(const TClientDataSet&) = delete;

    // Loading closes the dataset and discards rows and field definitions; a null or empty packet
    // leaves it closed and empty, a result-set packet of either form opens it on the first record,
    // with its pending changes applied as the framework's client dataset shows them. Anything else
    // raises EDatabaseError naming what is wrong, and the dataset stays closed and empty.
    void SetData(const OleVariant& packet);
    // The current content as a result-set packet, in the form of the packet it was loaded from (XML
    // for a dataset built in code); null when the dataset is closed.
    OleVariant GetData() const;
    TPacketForm PacketForm() const { return form_; }

    // Building a dataset in code: define fields, CreateDataSet, then AppendRecord.
    void AddFieldDef(std::string name, TFieldType type, int size = 0);
    void AddFieldDef(TFieldDef def);
    void CreateDataSet();
    // One value per field, converted to the field types; raises on a count mismatch or a value that does
    // not convert (nothing is appended then). Moves to the new record.
    void AppendRecord(std::vector<OleVariant> values);
    // Drops the rows and keeps the field definitions, so that CreateDataSet reopens the dataset empty.
    void Close();

    bool Active() const { return active_; }
    int RecordCount() const;
    int FieldCount() const { return static_cast<int>(fields_.size()); }
    const TFieldDef& FieldDefs(int index) const { return fields_.at(index); }
    const std::vector<TFieldDef>& FieldDefList() const { return fields_; }

    void First();
    void Next();
    bool Eof() const;
    bool IsEmpty() const { return RecordCount() == 0; }
    int RecNo() const { return recNo_ + 1; } // 1-based, 0 when there is no record
    void SetRecNo(int recNo);                // 1-based; raises when out of range

    // Field names are matched without letter case.
    int FindFieldIndex(std::string_view name) const; // -1 when absent
    TField FieldByName(std::string_view name) const; // raises "Field 'X' not found"
    TField Fields(int index) const;

    // Direct cell access by 0-based row and field index; used by grids and writers.
    OleVariant Cell(int row, int field) const;
    bool CellIsNull(int row, int field) const;
    void SetCell(int row, int field, const OleVariant& value);

private:
    struct Column;
    friend class TField;
    friend class DataPacketLoader;
    friend struct DataSetStorage;
    void CheckActive() const;
    void CheckCell(int row, int field) const;

    std::vector<TFieldDef> fields_;
    std::vector<std::unique_ptr<Column>> columns_;
    int rowCount_ = 0;
    int recNo_ = -1;
    bool eof_ = true;
    bool active_ = false;
    TPacketForm form_ = TPacketForm::Xml;
};

} // namespace tkv
