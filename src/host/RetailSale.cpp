// The retail sale's detail packet and its saving.
#include "RetailSale.h"

#include "db/ProcedureSupport.h"
#include "framework/BinaryPacket.h"
#include "framework/DataPacket.h"
#include "framework/DataSet.h"
#include "framework/DateTime.h"
#include "framework/RowStates.h"

#include <cstdio>

namespace tkv::host {

TTillLines::TTillLines(const std::vector<TSaleLine>& lines) {
    for (const TSaleLine& line : lines)
        Add(line);
}

void TTillLines::Add(const TSaleLine& line) {
    records_.push_back({{{line, false}}, false});
}

void TTillLines::SetQty(std::size_t line, double qty) {
    Record& record = records_.at(line);
    TSaleLine changed = record.versions.back().line;
    changed.Qty = qty;
    changed.Total = changed.Price * qty;
    record.versions.push_back({changed, true});
}

void TTillLines::Remove(std::size_t line) {
    records_.at(line).removed = true;
}

std::vector<TSaleLine> TTillLines::Shown() const {
    std::vector<TSaleLine> shown;
    for (const Record& record : records_)
        if (!record.removed)
            shown.push_back(record.versions.back().line);
    return shown;
}

namespace {

// The rows of the till's lines in either packet form.
template <typename Writer> OleVariant WriteTillLines(Writer& writer, const auto& records) {
    writer.AddField(TFieldDef{"typeid", TFieldType::ftString, 25});
    writer.AddField(TFieldDef{"FullName", TFieldType::ftString, 66});
    writer.AddField(TFieldDef{"Price", TFieldType::ftFloat});
    writer.AddField(TFieldDef{"Qty", TFieldType::ftFloat});
    writer.AddField(TFieldDef{"Unit", TFieldType::ftInteger});
    writer.AddField(TFieldDef{"Total", TFieldType::ftFloat});
    // Each version is a row: the first one inserted, each later one a modification of the one
    // before it, which becomes an original; a removed line's last version is marked deleted.
    std::vector<std::uint32_t> log;
    std::uint32_t rowNo = 0;
    std::vector<std::uint8_t> states;
    for (const auto& record : records) {
        for (std::size_t v = 0; v < record.versions.size(); ++v) {
            std::uint8_t state = v == 0 ? RowState::kInserted : RowState::kModified;
            if (v + 1 < record.versions.size())
                state |= RowState::kOriginal;
            else if (record.removed)
                state |= RowState::kDeleted;
            ++rowNo;
            log.insert(log.end(), {rowNo, v == 0 ? 0u : rowNo - 1, state});
            states.push_back(state);
        }
    }
    writer.SetChangeLog(std::move(log));
    writer.BeginRows();
    std::size_t row = 0;
    for (const auto& record : records) {
        for (const auto& version : record.versions) {
            writer.BeginRow(states[row++]);
            const TSaleLine& l = version.line;
            if (version.qtyChanged) {
                writer.Unchanged();
                writer.Unchanged();
                writer.Unchanged();
                writer.Float(l.Qty);
                writer.Unchanged();
                writer.Float(l.Total);
            } else {
                writer.Text(l.TypeId);
                writer.Text(l.FullName);
                writer.Float(l.Price);
                writer.Float(l.Qty);
                writer.Integer(l.Unit);
                writer.Float(l.Total);
            }
            writer.EndRow();
        }
    }
    return writer.Finish();
}

} // namespace

OleVariant TTillLines::Packet(TPacketForm form) const {
    if (form == TPacketForm::Binary) {
        BinaryPacketWriter writer;
        return WriteTillLines(writer, records_);
    }
    DataPacketWriter writer;
    return WriteTillLines(writer, records_);
}

OleVariant SaleDetailPacket(const std::vector<TSaleLine>& lines, TPacketForm form) {
    return TTillLines(lines).Packet(form);
}

std::vector<TSaleLine> DemoSaleLines() {
    return {{"00001", "阿莫西林胶囊", 12.5, 2, 1, 25},
            {"00004", "感冒灵颗粒", 15.5, 1, 1, 15.5},
            {"", "购物袋", 0.5, 1, 1, 0.5}};
}

TTillLines DemoTillLines() {
    const std::vector<TSaleLine> sale = DemoSaleLines();
    TSaleLine first = sale[0];
    first.Qty = 1;
    first.Total = first.Price;
    TTillLines till;
    till.Add(first);
    till.Add({"00002", "维生素C片", 8, 1, 1, 8});
    till.SetQty(0, sale[0].Qty);
    till.Remove(1);
    for (std::size_t i = 1; i < sale.size(); ++i)
        till.Add(sale[i]);
    return till;
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
