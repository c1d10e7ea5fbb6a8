// Result-set packets: client-dataset XML datapackets (DATAPACKET Version="2.0") carried as a
// byte-array variant. Only the dataset reads and writes them.
#pragma once

#include "DataSet.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tkv {

// The packet text of a dataset's fields and rows (UTF-8 XML).
std::string WriteDataPacket(const TClientDataSet& ds);

// Writes packet text as it goes, so that rows read from elsewhere need not be held in a dataset
// first: the fields, then each row's cells in field order, then Finish. The text is the same as
// WriteDataPacket gives for a dataset of those fields and rows.
class DataPacketWriter {
public:
    // Raises EDatabaseError for a missing or duplicate name or a type packets cannot carry, as
    // TClientDataSet::AddFieldDef does.
    void AddField(TFieldDef def);
    // Writes the metadata; expectedBytes sizes the buffer for the rows to come.
    void BeginRows(std::size_t expectedBytes = 0);
    void BeginRow();
    // The next cell of the row, by what it holds. Number cells take the form of the field's type
    // (dates for date fields, fixed decimals for BCD fields); text of a byte field goes as hex.
    void Null() { ++cell_; }
    void Integer(std::int64_t value);
    void Float(double value);
    void Boolean(bool value);
    void Text(std::string_view value);
    // A variant with the conversions of TClientDataSet::AppendRecord; raises EVariantError when
    // it does not convert to the field's type.
    void Value(const OleVariant& value);
    void EndRow();
    std::string Finish();

    std::size_t FieldCount() const { return fields_.size(); }
    const TFieldDef& Field(std::size_t i) const { return fields_[i]; }

private:
    void OpenCell();

    std::vector<TFieldDef> fields_;
    std::vector<std::string> attrNames_;
    std::vector<bool> hexText_; // byte fields, whose text goes as hex digits
    std::string out_;
    std::size_t cell_ = 0;
};
// Loads packet text into the dataset; raises EDatabaseError naming what is wrong, leaving the
// dataset closed and empty.
void ReadDataPacket(std::string_view xml, TClientDataSet& ds);

// The byte-array variant that carries packet text, and back.
OleVariant PacketToVariant(std::string_view xml);
std::string_view VariantPacketText(const OleVariant& packet); // raises EDatabaseError if not a byte array

// Datapacket field type names ("i4", "string", "dateTime", ...) and the field types they stand for.
const char* DataPacketTypeName(TFieldType type);
TFieldType DataPacketFieldType(std::string_view name, bool& known);
// The same with the FIELD element's SUBTYPE ("Autoinc", "Money", "FixedChar", "Text", "Binary", ...).
TFieldType DataPacketFieldType(std::string_view name, std::string_view subtype, bool& known);

} // namespace tkv
