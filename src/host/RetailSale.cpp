// The retail sale's detail packet and its saving.
#include "RetailSale.h"

#include "db/ProcedureSupport.h"
#include "framework/DataSet.h"

namespace tkv::host {

OleVariant SaleDetailPacket(const std::vector<TSaleLine>& lines) {
    TClientDataSet ds;
    ds.AddFieldDef("typeid", TFieldType::ftString, 25);
    ds.AddFieldDef("FullName", TFieldType::ftString, 66);
    ds.AddFieldDef("Price", TFieldType::ftFloat);
    ds.AddFieldDef("Qty", TFieldType::ftFloat);
    ds.AddFieldDef("Unit", TFieldType::ftInteger);
    ds.AddFieldDef("Total", TFieldType::ftFloat);
    ds.CreateDataSet();
    for (const TSaleLine& line : lines)
        ds.AppendRecord({OleVariant(line.TypeId), OleVariant(line.FullName), OleVariant(line.Price),
                         OleVariant(line.Qty), OleVariant(line.Unit), OleVariant(line.Total)});
    return ds.GetData();
}

std::int32_t NextRetailBillId(HostDatabase& db) {
    return static_cast<std::int32_t>(
        db.Select("SELECT coalesce(max(BillID), 0) + 1 AS id FROM RetailBillIndex").Value(0, "id").AsInt64());
}

void SaveRetailSale(HostDatabase& db, std::int32_t billId, const std::string& billCode, TDateTime date,
                    double total, const std::vector<std::pair<std::int32_t, double>>& payments) {
    db.Exec("INSERT INTO RetailBillIndex (BillID, billcode, billtype, billdate, erec, krec, Total) "
            "VALUES (?, ?, ?, ?, 1, 2, ?)",
            {OleVariant(billId), OleVariant(billCode), OleVariant(kRetailBillType), OleVariant::Date(date),
             OleVariant(total)});
    for (const auto& [arec, amount] : payments)
        db.Exec("INSERT INTO RetailPayInfo (Billid, Arec, Total) VALUES (?, ?, ?)",
                {OleVariant(billId), OleVariant(arec), OleVariant(amount)});
}

} // namespace tkv::host
