// Result-set packets from the host: packet text loaded into a dataset, every cell read through its
// field, and the loaded dataset written as a packet again, which must load the same.
#include "framework/DataPacket.h"
#include "framework/DataSet.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void ReadEveryCell(tkv::TClientDataSet& ds) {
    for (ds.First(); !ds.Eof(); ds.Next()) {
        for (int f = 0; f < ds.FieldCount(); ++f) {
            const tkv::TField field = ds.Fields(f);
            (void)field.Value();
            (void)field.AsString();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    tkv::TClientDataSet ds;
    try {
        ds.SetData(tkv::PacketToVariant(text));
    } catch (const tkv::EDatabaseError&) {
        return 0;
    }
    ReadEveryCell(ds);
    // A dataset the plug-in loaded goes back to the host's print manager as its packet.
    tkv::TClientDataSet again;
    again.SetData(ds.GetData());
    if (again.RecordCount() != ds.RecordCount() || again.FieldCount() != ds.FieldCount())
        std::abort();
    for (int f = 0; f < ds.FieldCount(); ++f) {
        // A fixed-decimal field goes out rounded to its DECIMALS, while loading keeps the digits
        // the packet gave beyond them.
        if (ds.FieldDefs(f).DataType == tkv::TFieldType::ftBCD)
            continue;
        for (int r = 0; r < ds.RecordCount(); ++r)
            if (!(again.Cell(r, f) == ds.Cell(r, f)))
                std::abort();
    }
    return 0;
}
