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
// The same packet as its byte-array variant.
OleVariant DataPacketVariant(const TClientDataSet& ds);

// Packet text as it is written: bytes, so that the finished packet becomes its byte-array variant
// without a copy. Appends as std::string does.
class PacketText {
public:
    void append(const char* first, const char* last) {
        bytes_.insert(bytes_.end(), reinterpret_cast<const std::uint8_t*>(first),
                      reinterpret_cast<const std::uint8_t*>(last));
    }
    void append(std::string_view s) { append(s.data(), s.data() + s.size()); }
    void append(const char* s, std::size_t n) { append(s, s + n); }
    PacketText& operator+=(std::string_view s) {
        append(s);
        return *this;
    }
    PacketText& operator+=(char c) {
        bytes_.push_back(static_cast<std::uint8_t>(c));
        return *this;
    }
    std::size_t size() const { return bytes_.size(); }
    void reserve(std::size_t n) { bytes_.reserve(n); }
    void clear() { bytes_.clear(); }
    // Puts other in place of the first n bytes.
    void ReplaceFront(std::size_t n, const PacketText& other);
    OleVariant::Bytes Take() { return std::move(bytes_); }

private:
    OleVariant::Bytes bytes_;
};

// Writes packet text as it goes, so that rows read from elsewhere need not be held in a dataset
// first: the fields, then each row's cells in field order, then Finish. The text is the same as
// WriteDataPacket gives for a dataset of those fields and rows.
class DataPacketWriter {
public:
    // Raises EDatabaseError for a missing or duplicate name or a type packets cannot carry, as
    // TClientDataSet::AddFieldDef does.
    void AddField(TFieldDef def);
    // Triples of a row's number, the number of the row it replaces (0 for none) and its state; they
    // go with the metadata.
    void SetChangeLog(std::vector<std::uint32_t> log) { changeLog_ = std::move(log); }
    // Writes the metadata; expectedBytes sizes the buffer for the rows to come.
    void BeginRows(std::size_t expectedBytes = 0);
    // A row, with its state when it is a version of a changed record (RowState bits).
    void BeginRow(std::uint8_t state = 0);
    // The next cell of the row, by what it holds. Number cells take the form of the field's type
    // (dates for date fields, fixed decimals for BCD fields); text of a byte field goes as hex.
    // A modified version writes only its changed cells: a cleared one as "", the others Unchanged.
    void Null();
    void Unchanged();
    void Integer(std::int64_t value);
    void Float(double value);
    void Boolean(bool value);
    void Text(std::string_view value);
    // A variant with the conversions of TClientDataSet::AppendRecord; raises EVariantError when
    // it does not convert to the field's type.
    void Value(const OleVariant& value);
    void EndRow();
    // What the rows teach about a field, until Finish: its longest text, its type while none of its
    // cells is written, or a wider integer type later (written cells read the same). Any other
    // type change raises EDatabaseError.
    void SetFieldSize(std::size_t field, int size);
    void SetFieldType(std::size_t field, TFieldType type);
    // The packet as its byte-array variant.
    OleVariant Finish();

    std::size_t FieldCount() const { return fields_.size(); }
    const TFieldDef& Field(std::size_t i) const { return fields_[i]; }

private:
    void CheckCell() const; // raises EDatabaseError for a cell beyond the last field
    void OpenCell();
    void AppendMetadata(PacketText& out) const;

    std::vector<TFieldDef> fields_;
    std::vector<std::string> attrNames_;
    std::vector<std::string> cellOpeners_; // ' name="' of each field
    std::vector<bool> hexText_;            // byte fields, whose text goes as hex digits
    std::vector<bool> written_;            // fields with a cell in the rows so far
    std::vector<std::uint32_t> changeLog_;
    std::uint8_t rowState_ = 0;
    PacketText out_;
    std::size_t cell_ = 0;
    std::size_t metadataBytes_ = 0;
    bool metadataStale_ = false;
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
