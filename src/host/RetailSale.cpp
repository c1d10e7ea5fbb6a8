// The retail sale's detail packet and its saving.
#include "RetailSale.h"

#include "db/ProcedureSupport.h"
#include "framework/DataSet.h"
#include "framework/DateTime.h"

#include <cstdio>

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

std::vector<TSaleLine> DemoSaleLines() {
    return {{"00001", "阿莫西林胶囊", 12.5, 2, 1, 25},
            {"00004", "感冒灵颗粒", 15.5, 1, 1, 15.5},
            {"", "购物袋", 0.5, 1, 1, 0.5}};
}

double SaleTotal(const std::vector<TSaleLine>& lines) {
    double total = 0;
    for (const TSaleLine& line : lines)
        total += line.Total;
    return total;
}

std::string RetailBillCode(TDateTime date, std::int32_t billId) {
    const DateParts d = DecodeDateTime(date);
    char code[48];
    std::snprintf(code, sizeof code, "LS-%04d%02d%02d-%d", d.year, d.month, d.day, billId);
    return code;
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
