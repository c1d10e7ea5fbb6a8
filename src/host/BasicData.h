// The host's local basic data: suppliers, products, employees and stores read from the database's
// basic tables, searched by code or name for the record-selection dialog, and looked up by record
// number or type id for the controls and the insurance line upload.
#pragma once

#include "Interface/HostControl.h"

#include <optional>
#include <string>
#include <vector>

struct sqlite3;

namespace tkv::host {

class TBasicData {
public:
    explicit TBasicData(sqlite3* db) : db_(db) {}

    // The table that holds the records of a kind; nullptr for kinds this host keeps none of.
    static const char* TableOf(TBasicType type);
    // The kind whose field block holds the field (btNo outside the kept kinds).
    static TBasicType TypeOfField(TFieldsList field);

    // Records whose user code or type id equals the text or whose code or full name contains it,
    // exact code matches first, then by record number; every record of the kind for an empty text.
    std::vector<TBasicRecord> Search(TBasicType type, const std::string& text, int limit = 200) const;
    std::optional<TBasicRecord> FindByRec(TBasicType type, std::int32_t rec) const;
    // The value of one field of the record with that record number, or with that type id.
    std::optional<std::string> FieldByRec(TFieldsList field, std::int32_t rec) const;
    std::optional<std::string> FieldByTypeId(TFieldsList field, const std::string& typeId) const;

private:
    std::optional<std::string> Field(TFieldsList field, const char* keyColumn, const std::string& key) const;

    sqlite3* db_;
};

// The record-selection handler that the host installs in a selector edit: searches the kind of
// the request and lets the user pick one record; answers that one record, or none when cancelled.
class IHostUi;
IRecordSelectHandler* NewRecordSelectHandler(const TBasicData& data, IHostUi& ui);
// The basic-data lookup that the host installs in a selector edit.
IBasicDataLookup* NewBasicDataLookup(const TBasicData& data);

} // namespace tkv::host
