// Result-set packets in the framework's binary datapacket form: a header (magic 96 19 E0 BD), field
// descriptors with their properties, dataset properties (the change log among them) and the rows,
// each with its state, two status bits per field (value, null, unchanged) and the values that are
// there. Integers are little-endian; 8-bit texts are in the system code page, wide texts UTF-16.
#pragma once

#include "DataSet.h"

#include <cstdint>
#include <map>
#include <string_view>
#include <vector>

namespace tkv {

// The packet's first bytes are the binary form's magic.
bool IsBinaryPacket(std::string_view bytes);
// Loads a binary packet into the dataset, pending changes applied; raises EDatabaseError naming what
// is wrong, leaving the dataset closed and empty.
void ReadBinaryPacket(std::string_view bytes, TClientDataSet& ds);
// The dataset's fields and rows as a binary packet.
OleVariant BinaryPacketVariant(const TClientDataSet& ds);

// Builds a binary packet row by row, with the calls of the XML form's DataPacketWriter: the fields,
// then each row's cells in field order, then Finish. Rows may carry a state and, in a modified
// version, cells left unchanged; the change log goes with the dataset properties.
class BinaryPacketWriter {
public:
    BinaryPacketWriter();
    ~BinaryPacketWriter();
    BinaryPacketWriter(const BinaryPacketWriter&) = delete;
    BinaryPacketWriter& operator=(const BinaryPacketWriter&) = delete;

    // Raises EDatabaseError for a missing or duplicate name or a type packets cannot carry.
    void AddField(TFieldDef def);
    // Triples of a row's number, the number of the row it replaces (0 for none) and its state.
    void SetChangeLog(std::vector<std::uint32_t> log) { changeLog_ = std::move(log); }
    void BeginRows() {}
    void BeginRow(std::uint8_t state = 0);
    void Null();
    // A cell of a modified version that keeps the earlier version's value.
    void Unchanged();
    // Cells by what they hold; raises EDatabaseError when the value does not fit the field's type.
    void Integer(std::int64_t value);
    void Float(double value);
    void Boolean(bool value);
    void Text(std::string_view value);
    void Value(const OleVariant& value);
    void EndRow();
    // What the rows teach about a field, as DataPacketWriter takes it.
    void SetFieldSize(std::size_t field, int size);
    void SetFieldType(std::size_t field, TFieldType type);
    OleVariant Finish();

    std::size_t FieldCount() const { return fields_.size(); }
    const TFieldDef& Field(std::size_t i) const { return fields_[i]; }

private:
    struct Storage;
    std::size_t Cell(); // the next cell's field; raises beyond the last one

    std::vector<TFieldDef> fields_;
    std::unique_ptr<Storage> storage_;
    std::vector<std::uint32_t> changeLog_;
    std::size_t rows_ = 0;
    std::size_t cell_ = 0;
};

} // namespace tkv
