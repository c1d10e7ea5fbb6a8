// Stored procedures of invoice picture printing: the bill list with picture and print counts, the
// pictures of one bill, and the records of what was printed.
#include "PrintProcedures.h"

#include "HostDatabase.h"
#include "Procedure.h"
#include "ProcedureSupport.h"

#include <charconv>

namespace tkv::host {

// The print count operator is bound as a value and compared in a CASE, never put into the text.
const char* const kBillImageDataSql = R"sql(
SELECT b.billdate, b.billcode, t.billname, bt.usercode AS busercode, bt.fullname AS bfullname,
       e.fullname AS efullname, be.fullname AS billefullname, k.fullname AS sfullname, b.totalmoney,
       (SELECT count(DISTINCT l.buyid) FROM TK_JobLink l WHERE l.billid = b.billid) AS Pcount,
       (SELECT count(DISTINCT li.ImageId) FROM TK_JobLink l JOIN TK_JobLinkImage li ON li.linkid = l.id
         WHERE l.billid = b.billid) AS ImageCount,
       coalesce(pt.printtimes, 0) AS printtimes, b.sendway, b.explain, b.billid, b.billtype,
       b.uniquebillid, b.brec
FROM BillIndex b
JOIN BillType t ON t.billtype = b.billtype
JOIN btype bt ON bt.rec = b.brec
LEFT JOIN etype e ON e.rec = b.erec
LEFT JOIN etype be ON be.rec = b.billerec
LEFT JOIN ktype k ON k.rec = b.krec
LEFT JOIN TK_BillPrintTimes pt ON pt.uniquebillid = b.uniquebillid
WHERE b.billtype = :billtype AND b.billdate >= :begindate AND b.billdate < :endnext
  AND (:brec = 0 OR b.brec = :brec)
  AND (:erec = 0 OR b.erec = :erec)
  AND (:billerec = 0 OR b.billerec = :billerec)
  AND (:krec = 0 OR b.krec = :krec)
  AND (:billstatus = 0 OR b.billstatus = :billstatus)
  AND CASE :op
        WHEN '>=' THEN coalesce(pt.printtimes, 0) >= :printcount
        WHEN '>' THEN coalesce(pt.printtimes, 0) > :printcount
        WHEN '=' THEN coalesce(pt.printtimes, 0) = :printcount
        WHEN '<' THEN coalesce(pt.printtimes, 0) < :printcount
        WHEN '<=' THEN coalesce(pt.printtimes, 0) <= :printcount
        WHEN '<>' THEN coalesce(pt.printtimes, 0) <> :printcount
      END
ORDER BY b.billdate, b.billid
)sql";

bool IsPrintCountOperator(const std::string& op) {
    return op == ">=" || op == ">" || op == "=" || op == "<" || op == "<=" || op == "<>";
}

namespace {

const std::vector<ColumnTypeOverride> kCountColumns = {{"Pcount", TFieldType::ftInteger},
                                                       {"ImageCount", TFieldType::ftInteger},
                                                       {"printtimes", TFieldType::ftInteger}};

// The bills of the print list. @loginuser names the user who asks; this host has no per-user
// rights on bills, so every user sees every bill.
void GetBillImageData(ProcedureCall& call) {
    const std::string op = call.Text("@PrintTJ");
    if (!IsPrintCountOperator(op))
        call.Fail("@PrintTJ must be one of >=, >, =, <, <=, <>, not '" + op + "'");
    const std::int32_t status = call.Int("@billstatus");
    if (status < 0 || status > 3)
        call.Fail("@billstatus must be 0 to 3, not " + std::to_string(status));
    Statement stmt(call.Handle(), kBillImageDataSql);
    stmt.BindInt(":billtype", kPurchaseBillType);
    stmt.BindDouble(":begindate", WholeDay(call.Day("@begindate")));
    stmt.BindDouble(":endnext", WholeDay(call.Day("@enddate")) + 1);
    stmt.BindInt(":brec", call.Int("@brec")).BindInt(":erec", call.Int("@erec"));
    stmt.BindInt(":billerec", call.Int("@billerec")).BindInt(":krec", call.Int("@krec"));
    stmt.BindInt(":billstatus", status).BindText(":op", op).BindInt(":printcount", call.Int("@printcount"));
    call.SetRows(stmt, kCountColumns);
}

// The distinct pictures linked to a bill, in the order of its links.
void GetOneBillImage(ProcedureCall& call) {
    Statement stmt(call.Handle(), R"sql(
        SELECT li.ImageId AS imageid, i.ord, i.imgname
        FROM BillIndex b
        JOIN TK_JobLink l ON l.billid = b.billid
        JOIN TK_JobLinkImage li ON li.linkid = l.id
        JOIN TK_Image i ON i.ImageId = li.ImageId
        WHERE b.billid = :billid AND b.billtype = :billtype
        GROUP BY li.ImageId
        ORDER BY min(l.id), min(li.rowid))sql");
    stmt.BindInt(":billid", call.Int("@billid")).BindInt(":billtype", call.Int("@billtype"));
    call.SetRows(stmt);
}

void GetPrintedImages(ProcedureCall& call) {
    Statement stmt(call.Handle(), R"sql(
        SELECT imageid FROM TK_BillPrintImage WHERE brec = :brec AND printdate = :printdate ORDER BY imageid)sql");
    stmt.BindInt(":brec", call.Int("@brec")).BindDouble(":printdate", WholeDay(call.Day("@printdate")));
    call.SetRows(stmt);
}

// Records that a picture (its id sent as text) was printed for the supplier on the day.
void SavePrintedImage(ProcedureCall& call) {
    const std::string text = Trim(call.Text("@imageid"));
    std::int32_t imageid = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), imageid);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || imageid <= 0)
        call.Fail("@imageid '" + call.Text("@imageid") + "' is not a picture id");
    const std::int32_t brec = call.Int("@brec");
    if (!RowExists(call.Handle(), "SELECT 1 FROM btype WHERE rec = ?", brec))
        call.Fail("no supplier with record id " + std::to_string(brec));
    Statement stmt(call.Handle(), R"sql(
        INSERT INTO TK_BillPrintImage (brec, printdate, imageid) VALUES (:brec, :printdate, :imageid)
        ON CONFLICT DO NOTHING)sql");
    stmt.BindInt(":brec", brec).BindDouble(":printdate", WholeDay(call.Day("@printdate")));
    stmt.BindInt(":imageid", imageid).Run();
}

void SaveBillPrintTimes(ProcedureCall& call) {
    const std::string uid = call.Text("@Uid");
    if (!RowExists(call.Handle(), "SELECT 1 FROM BillIndex WHERE uniquebillid = ?", uid))
        call.Fail("no bill with unique id '" + uid + "'");
    Statement stmt(call.Handle(), R"sql(
        INSERT INTO TK_BillPrintTimes (uniquebillid, printtimes) VALUES (:uid, 1)
        ON CONFLICT (uniquebillid) DO UPDATE SET printtimes = printtimes + 1)sql");
    stmt.BindText(":uid", uid).Run();
}

} // namespace

void AddPrintProcedures(std::vector<ProcedureDef>& list) {
    using K = ParamKind;
    list.push_back({"Zk_TkGetBillImageData",
                    {{"@brec", K::Integer},
                     {"@erec", K::Integer},
                     {"@billerec", K::Integer},
                     {"@krec", K::Integer},
                     {"@billstatus", K::Integer},
                     {"@PrintTJ", K::Text},
                     {"@printcount", K::Integer},
                     {"@begindate", K::Day},
                     {"@enddate", K::Day},
                     {"@loginuser", K::Integer}},
                    false,
                    GetBillImageData});
    list.push_back({"zk_TkGetOneBillImage",
                    {{"@billid", K::Integer}, {"@billtype", K::Integer}},
                    false,
                    GetOneBillImage});
    list.push_back(
        {"zk_TkGetBPirntImage", {{"@brec", K::Integer}, {"@printdate", K::Day}}, false, GetPrintedImages});
    list.push_back({"zk_TkSaveBPirntImage",
                    {{"@brec", K::Integer}, {"@printdate", K::Day}, {"@imageid", K::Text}},
                    true,
                    SavePrintedImage});
    list.push_back({"zk_TkSaveBillprinttimes", {{"@Uid", K::Text}}, true, SaveBillPrintTimes});
}

} // namespace tkv::host
