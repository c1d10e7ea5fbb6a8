// Result-set packets: client-dataset XML datapackets (DATAPACKET Version="2.0") carried as a
// byte-array variant. Only the dataset reads and writes them.
#pragma once

#include "DataSet.h"

#include <string>
#include <string_view>

namespace tkv {

// The packet text of a dataset's fields and rows (UTF-8 XML).
std::string WriteDataPacket(const TClientDataSet& ds);
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
