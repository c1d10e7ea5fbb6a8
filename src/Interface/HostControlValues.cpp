// Basic records to and from variant arrays.
#include "HostControlValues.h"

namespace tkv {

OleVariant RecordToVariant(const TBasicRecord& record) {
    return OleVariant::VarArray({OleVariant(record.TypeId), OleVariant(record.Rec),
                                 OleVariant(record.FullName), OleVariant(record.UserCode),
                                 OleVariant(record.SonNum)});
}

TBasicRecord RecordFromVariant(const OleVariant& value) {
    const OleVariant::Array& fields = value.Elements();
    if (fields.size() != 5)
        throw EVariantError("a basic record has five fields, not " + std::to_string(fields.size()));
    TBasicRecord record;
    record.TypeId = fields[0].AsString();
    record.Rec = fields[1].AsInteger();
    record.FullName = fields[2].AsString();
    record.UserCode = fields[3].AsString();
    record.SonNum = fields[4].AsInteger();
    return record;
}

OleVariant RecordsToVariant(const std::vector<TBasicRecord>& records) {
    OleVariant::Array out;
    out.reserve(records.size());
    for (const TBasicRecord& r : records)
        out.push_back(RecordToVariant(r));
    return OleVariant::VarArray(std::move(out));
}

std::vector<TBasicRecord> RecordsFromVariant(const OleVariant& value) {
    std::vector<TBasicRecord> out;
    if (value.IsEmptyOrNull())
        return out;
    for (const OleVariant& r : value.Elements())
        out.push_back(RecordFromVariant(r));
    return out;
}

} // namespace tkv
