// What every result-set packet target checks: the packet loaded into a dataset, every cell read
// through its field, and the loaded dataset handed back as a packet (in the form it came in), which
// must load the same.
#pragma once

#include "framework/DataPacket.h"
#include "framework/DataSet.h"

#include <cmath>
#include <cstdlib>

namespace tkv::fuzz {

inline void ReadEveryCell(TClientDataSet& ds) {
    for (ds.First(); !ds.Eof(); ds.Next()) {
        for (int f = 0; f < ds.FieldCount(); ++f) {
            const TField field = ds.Fields(f);
            (void)field.Value();
            (void)field.AsString();
        }
    }
}

// A cell handed back reads as it was loaded. A fixed-decimal field goes out rounded to its
// DECIMALS, while loading keeps the digits the packet gave beyond them; times go out in whole
// milliseconds.
inline bool SameCell(const TClientDataSet& a, const TClientDataSet& b, int row, int field) {
    const TFieldType type = a.FieldDefs(field).DataType;
    if (type == TFieldType::ftBCD)
        return true;
    const OleVariant x = a.Cell(row, field), y = b.Cell(row, field);
    if ((type == TFieldType::ftDateTime || type == TFieldType::ftTime) && !x.IsNull() && !y.IsNull())
        return std::fabs(x.AsDateTime() - y.AsDateTime()) * 86400000 <= 1;
    if ((type == TFieldType::ftFloat || type == TFieldType::ftCurrency) && !x.IsNull() && !y.IsNull() &&
        std::isnan(x.AsDouble()) && std::isnan(y.AsDouble()))
        return true; // a binary packet carries any double, not-a-number ones too
    return x == y;
}

inline void CheckPacket(const OleVariant& packet) {
    TClientDataSet ds;
    try {
        ds.SetData(packet);
    } catch (const EDatabaseError&) {
        return;
    }
    ReadEveryCell(ds);
    // A dataset the plug-in loaded goes back to the host's print manager as its packet.
    TClientDataSet again;
    again.SetData(ds.GetData());
    if (again.RecordCount() != ds.RecordCount() || again.FieldCount() != ds.FieldCount() ||
        again.PacketForm() != ds.PacketForm())
        std::abort();
    for (int f = 0; f < ds.FieldCount(); ++f)
        for (int r = 0; r < ds.RecordCount(); ++r)
            if (!SameCell(ds, again, r, f))
                std::abort();
}

} // namespace tkv::fuzz
