// Basic records as OLE variants: the form in which the record-selection handler's answer and the
// basic-data lookup's records cross the Windows boundary and the workbench's connection. A record is
// a variant array [type id, record number, full name, user code, child count].
#pragma once

#include "HostControl.h"

#include <vector>

namespace tkv {

OleVariant RecordToVariant(const TBasicRecord& record);
// Raises EVariantError when the value is no record array.
TBasicRecord RecordFromVariant(const OleVariant& value);
OleVariant RecordsToVariant(const std::vector<TBasicRecord>& records);
std::vector<TBasicRecord> RecordsFromVariant(const OleVariant& value);

} // namespace tkv
