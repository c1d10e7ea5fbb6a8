// Stored procedures of the retail medical-insurance settlement: the settlement record, the
// reversal of a settled retail sale, and the visit serial numbers.
#include "HostDatabase.h"
#include "Procedure.h"
#include "ProcedureSupport.h"
#include "framework/DateTime.h"

#include <cstdio>

namespace tkv::host {

namespace {

// The settlement record's text and number columns, in the order the parameters arrive.
struct SettleColumn {
    const char* param;
    ParamKind kind;
};

const std::vector<SettleColumn>& SettleColumns() {
    using K = ParamKind;
    static const std::vector<SettleColumn> columns = {
        {"@jzlsh", K::Text},    {"@LoginNO", K::Text},  {"@LoginType", K::Integer}, {"@PosCode", K::Text},
        {"@FeeDate", K::Text},  {"@SettleNo", K::Text}, {"@EName", K::Text},        {"@CardNo", K::Text},
        {"@CardName", K::Text}, {"@Total", K::Float},   {"@TCZF", K::Float},        {"@ZHZF", K::Float},
        {"@GWYBZ", K::Float},   {"@XJZF", K::Float},    {"@DELPJE", K::Float},      {"@LSQFFH", K::Float},
        {"@Bala", K::Float},    {"@YLDZ", K::Float},    {"@MZJZ", K::Float},        {"@MZYE", K::Float},
        {"@LDYZF", K::Float},   {"@YBZF", K::Float},    {"@SHZF", K::Float},        {"@BNTCLJ", K::Float},
        {"@BNDELJ", K::Float},  {"@TBQFX", K::Float},   {"@NDLJ", K::Float},        {"@BJMZLJ", K::Float},
        {"@JsDate", K::Text},   {"@BCZFQX", K::Float},  {"@BCFHYBJE", K::Float},    {"@DELETE", K::Integer},
    };
    return columns;
}

std::string InsertSettleSql() {
    std::string names;
    std::string values;
    for (const auto& column : SettleColumns()) {
        if (!names.empty()) {
            names += ", ";
            values += ", ";
        }
        const std::string name = column.param + 1;
        names += name == "DELETE" ? std::string("Deleted") : name;
        values += ":" + name;
    }
    return "INSERT INTO YBSettlelist_CQ (" + names + ") VALUES (" + values + ") RETURNING ID";
}

// Writes one settlement record; the return value is its new ID.
void InsertSettlelist(ProcedureCall& call) {
    static const std::string sql = InsertSettleSql();
    const std::int32_t deleted = call.Int("@DELETE");
    if (deleted != 0 && deleted != 1)
        call.Fail("@DELETE must be 0 or 1, not " + std::to_string(deleted));
    Statement stmt(call.Handle(), sql);
    for (const auto& column : SettleColumns()) {
        const std::string name = std::string(":") + (column.param + 1);
        switch (column.kind) {
        case ParamKind::Text:
            stmt.BindText(name.c_str(), call.Text(column.param));
            break;
        case ParamKind::Integer:
            stmt.BindInt(name.c_str(), call.Int(column.param));
            break;
        default:
            stmt.BindDouble(name.c_str(), call.Float(column.param));
            break;
        }
    }
    stmt.Step();
    call.SetReturn(static_cast<std::int32_t>(stmt.ColumnInt(0)));
    stmt.Run();
}

// "YYYY-MM-DD HH:MM:SS" as an OLE automation date; false when the text is not such a moment.
bool ParseMoment(const std::string& text, double& moment) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    char tail = 0;
    if (text.size() != 19 ||
        std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &y, &mo, &d, &h, &mi, &s, &tail) != 6)
        return false;
    if (mo < 1 || mo > 12 || d < 1 || d > DaysInMonth(y, mo) || h > 23 || mi > 59 || s > 59 || h < 0 ||
        mi < 0 || s < 0)
        return false;
    moment = EncodeDateTime({y, mo, d, h, mi, s, 0});
    return true;
}

// Records the return of a settled retail sale and cancels its settlement record (Deleted = 1) in
// the same transaction, so that a recorded return never leaves its settlement open to be found and
// reversed again. Answers 0 when recorded; 1 when the bill is not a retail sale settled with that
// record; 2 when the settlement record is gone or already cancelled; 3 when the sale was returned
// before.
void RebackRetail(ProcedureCall& call) {
    double moment = 0;
    if (!ParseMoment(call.Text("@szDate"), moment))
        call.Fail("@szDate '" + call.Text("@szDate") + "' is not a date and time YYYY-MM-DD HH:MM:SS");
    const std::int32_t billid = call.Int("@nBillnumberid");
    const std::int32_t ssid = call.Int("@SS_ID");
    Statement bill(
        call.Handle(),
        "SELECT 1 FROM RetailBillIndex WHERE BillID = :billid AND SS_ID = :ssid AND billtype = :billtype");
    bill.BindInt(":billid", billid).BindInt(":ssid", ssid).BindInt(":billtype", kRetailBillType);
    if (ssid <= 0 || !bill.Step()) {
        call.SetReturn(1);
        return;
    }
    if (!RowExists(call.Handle(), "SELECT 1 FROM YBSettlelist_CQ WHERE ID = ? AND Deleted = 0", ssid)) {
        call.SetReturn(2);
        return;
    }
    if (RowExists(call.Handle(), "SELECT 1 FROM YBRebackRetail_CQ WHERE SS_ID = ?", ssid)) {
        call.SetReturn(3);
        return;
    }
    Statement stmt(
        call.Handle(),
        "INSERT INTO YBRebackRetail_CQ (BillID, SS_ID, RebackDate) VALUES (:billid, :ssid, :moment)");
    stmt.BindInt(":billid", billid).BindInt(":ssid", ssid).BindDouble(":moment", moment).Run();
    Statement cancel(call.Handle(), "UPDATE YBSettlelist_CQ SET Deleted = 1 WHERE ID = :ssid");
    cancel.BindInt(":ssid", ssid).Run();
    call.SetReturn(0);
}

// Draws the next visit serial number: the day as YYYYMMDD and a six-digit running number.
void GetLSNo(ProcedureCall& call) {
    const DateParts today = DecodeDateTime(call.Database().Now());
    char day[16];
    std::snprintf(day, sizeof day, "%04d%02d%02d", today.year, today.month, today.day);
    Statement next(call.Handle(), "SELECT coalesce(max(Seq), 0) + 1 FROM YBLSNo_CQ WHERE LSDay = :day");
    next.BindText(":day", day);
    next.Step();
    const std::int64_t seq = next.ColumnInt(0);
    if (seq > 999999)
        call.Fail(std::string("the visit serial numbers of ") + day + " are used up");
    char number[32];
    std::snprintf(number, sizeof number, "%s%06lld", day, static_cast<long long>(seq));
    Statement insert(call.Handle(), "INSERT INTO YBLSNo_CQ (LSDay, Seq, YbLSNo) VALUES (:day, :seq, :no)");
    insert.BindText(":day", day).BindInt(":seq", seq).BindText(":no", number).Run();
    Statement answer(call.Handle(), "SELECT YbLSNo FROM YBLSNo_CQ WHERE YbLSNo = :no");
    answer.BindText(":no", number);
    call.SetRows(answer);
}

std::vector<ProcedureParam> SettleParams() {
    std::vector<ProcedureParam> params;
    for (const auto& column : SettleColumns())
        params.push_back({column.param, column.kind});
    return params;
}

} // namespace

void AddInsuranceProcedures(std::vector<ProcedureDef>& list) {
    using K = ParamKind;
    list.push_back({"InsertSettlelist_CQ", SettleParams(), true, InsertSettlelist});
    list.push_back({"XF_YBCQ_RebackRetail",
                    {{"@szDate", K::Text}, {"@nBillnumberid", K::Integer}, {"@SS_ID", K::Integer}},
                    true,
                    RebackRetail});
    list.push_back({"GetLSNo_CQ", {}, true, GetLSNo});
}

} // namespace tkv::host
