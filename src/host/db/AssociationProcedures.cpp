// Stored procedures of the invoice picture association: the link list, the purchase bills and
// batches that can be linked, invoice lookup, and the save sequence (invoice, pictures, pool
// memberships, the temporary picture list under a save key, links).
#include "AssociationProcedures.h"

#include "HostDatabase.h"
#include "Procedure.h"
#include "ProcedureSupport.h"

namespace tkv::host {

const char* const kSelBillDetailSql = R"sql(
SELECT t.billname, b.billdate, b.billcode, p.usercode AS pusercode, p.fullname AS pfullname,
       p.standard, p.type, p.Area, p.Unit1, d.OutFactoryDate, d.jobnumber, d.ValidityPeriod,
       d.qty, d.taxprice, d.taxtotal, d.comment, e.fullname AS efullname, be.fullname AS billefullname,
       b.billid, d.buyid, v.VoiceDate AS voicedate, v.VoiceCode AS voicecode,
       (SELECT count(*) FROM TK_JobLinkImage li WHERE li.linkid = l.id) AS imageCount
FROM BillIndex b
JOIN BuyBill d ON d.billid = b.billid
JOIN BillType t ON t.billtype = b.billtype
JOIN ptype p ON p.rec = d.prec
LEFT JOIN etype e ON e.rec = b.erec
LEFT JOIN etype be ON be.rec = b.billerec
LEFT JOIN TK_JobLink l ON l.id = (SELECT max(x.id) FROM TK_JobLink x WHERE x.buyid = d.buyid)
LEFT JOIN TK_Voice v ON v.voiceid = l.voiceid
WHERE b.billtype = :billtype AND b.billdate >= :begindate AND b.billdate < :endnext
  AND (:brec = 0 OR b.brec = :brec)
ORDER BY b.billdate, b.billid, d.buyid
)sql";

namespace {

const std::vector<ColumnTypeOverride> kCountColumns = {{"ImageCount", TFieldType::ftInteger}};

// Binds the date range of a list: whole days, the end day included.
void BindDayRange(Statement& stmt, const ProcedureCall& call) {
    stmt.BindDouble(":begindate", WholeDay(call.Day("@begindate")));
    stmt.BindDouble(":endnext", WholeDay(call.Day("@enddate")) + 1);
}

void CheckInvoice(ProcedureCall& call, std::int32_t voiceid) {
    if (!RowExists(call.Handle(), "SELECT 1 FROM TK_Voice WHERE voiceid = ?", voiceid))
        call.Fail("no invoice with id " + std::to_string(voiceid));
}

std::string SaveKey(ProcedureCall& call, const char* name) {
    const std::string key = Trim(call.Text(name));
    if (key.empty())
        call.Fail(std::string("the save key ") + name + " is empty");
    return key;
}

// The link's pictures become those listed under the save key (each once, registered ones only).
void SetLinkPictures(ProcedureCall& call, std::int64_t linkid, const std::string& key) {
    Statement clear(call.Handle(), "DELETE FROM TK_JobLinkImage WHERE linkid = :linkid");
    clear.BindInt(":linkid", linkid).Run();
    Statement fill(call.Handle(), R"sql(
        INSERT INTO TK_JobLinkImage (linkid, ImageId)
        SELECT :linkid, t.imageid FROM t_tempVoiceLink t JOIN TK_Image i ON i.ImageId = t.imageid
        WHERE t.uid = :uid GROUP BY t.imageid ORDER BY min(t.rowid))sql");
    fill.BindInt(":linkid", linkid).BindText(":uid", key).Run();
}

void GetJobLink(ProcedureCall& call) {
    Statement stmt(call.Handle(), R"sql(
        SELECT p.usercode AS PUserCode, p.fullname AS PFullName, p.standard, p.type, p.Area, p.Unit1,
               bt.usercode AS BUserCode, bt.fullname AS BFullName, d.OutFactoryDate, d.jobnumber,
               d.ValidityPeriod, v.VoiceDate, v.VoiceCode, d.comment AS Comment,
               (SELECT count(*) FROM TK_JobLinkImage li WHERE li.linkid = l.id) AS ImageCount,
               l.id, l.voiceid
        FROM TK_Voice v
        JOIN TK_JobLink l ON l.voiceid = v.voiceid
        JOIN BuyBill d ON d.buyid = l.buyid
        JOIN BillIndex b ON b.billid = l.billid
        JOIN ptype p ON p.rec = d.prec
        JOIN btype bt ON bt.rec = b.brec
        WHERE v.VoiceDate >= :begindate AND v.VoiceDate < :endnext
          AND (:brec = 0 OR b.brec = :brec)
          AND (:prec = 0 OR d.prec = :prec)
          AND (:jobname = '' OR instr(lower(d.jobnumber), lower(:jobname)) > 0)
          AND (:voicecode = '' OR instr(lower(v.VoiceCode), lower(:voicecode)) > 0)
        ORDER BY v.VoiceDate, l.id)sql");
    BindDayRange(stmt, call);
    stmt.BindInt(":brec", call.Int("@brec")).BindInt(":prec", call.Int("@prec"));
    stmt.BindText(":jobname", Trim(call.Text("@jobname")))
        .BindText(":voicecode", Trim(call.Text("@VoiceCode")));
    call.SetRows(stmt, kCountColumns);
}

void DeleteJobLink(ProcedureCall& call) {
    Statement stmt(call.Handle(), "DELETE FROM TK_JobLink WHERE id = :id");
    stmt.BindInt(":id", call.Int("@id")).Run();
}

void SelBillIndex(ProcedureCall& call) {
    Statement stmt(call.Handle(), R"sql(
        SELECT t.billname, b.billdate, b.billcode, e.fullname AS efullname, be.fullname AS billefullname,
               b.totalqty, b.totalmoney, b.explain, b.comment, b.billid, b.billtype
        FROM BillIndex b
        JOIN BillType t ON t.billtype = b.billtype
        LEFT JOIN etype e ON e.rec = b.erec
        LEFT JOIN etype be ON be.rec = b.billerec
        WHERE b.billtype = :billtype AND b.billdate >= :begindate AND b.billdate < :endnext
          AND (:brec = 0 OR b.brec = :brec)
        ORDER BY b.billdate, b.billid)sql");
    BindDayRange(stmt, call);
    stmt.BindInt(":billtype", kPurchaseBillType).BindInt(":brec", call.Int("@brec"));
    call.SetRows(stmt);
}

void SelBillDetail(ProcedureCall& call) {
    Statement stmt(call.Handle(), kSelBillDetailSql);
    BindDayRange(stmt, call);
    stmt.BindInt(":billtype", kPurchaseBillType).BindInt(":brec", call.Int("@brec"));
    call.SetRows(stmt, {{"imageCount", TFieldType::ftInteger}});
}

void GetJobInfo(ProcedureCall& call) {
    Statement stmt(call.Handle(), R"sql(
        SELECT d.prec, d.OutFactoryDate, d.ValidityPeriod, d.jobnumber, l.billid, l.buyid, l.voiceid
        FROM TK_JobLink l JOIN BuyBill d ON d.buyid = l.buyid
        WHERE l.id = :id)sql");
    stmt.BindInt(":id", call.Int("@id"));
    call.SetRows(stmt);
}

void GetJobLinkImage(ProcedureCall& call) {
    Statement stmt(call.Handle(),
                   "SELECT ImageId AS imageid FROM TK_JobLinkImage WHERE linkid = :id ORDER BY rowid");
    stmt.BindInt(":id", call.Int("@id"));
    call.SetRows(stmt);
}

// Looks an invoice up by id (when @voiceid is above 0) or by number, hands its values back in the
// in-out parameters and lists its pool. An unknown invoice answers @voiceid 0 and no rows.
void GetVoiceCodeImage(ProcedureCall& call) {
    const std::int32_t byId = call.Int("@voiceid");
    const std::string code = Trim(call.Text("@voicecode"));
    Statement find(call.Handle(), byId > 0
                                      ? "SELECT voiceid, VoiceCode, VoiceDate, brec, bfullname FROM TK_Voice "
                                        "WHERE voiceid = :key"
                                      : "SELECT voiceid, VoiceCode, VoiceDate, brec, bfullname FROM TK_Voice "
                                        "WHERE VoiceCode = :key");
    if (byId > 0)
        find.BindInt(":key", byId);
    else
        find.BindText(":key", code);
    std::int64_t voiceid = 0;
    if ((byId > 0 || !code.empty()) && find.Step()) {
        voiceid = find.ColumnInt(0);
        call.SetOutput("@voicecode", OleVariant(find.ColumnText(1)));
        call.SetOutput("@voicedate", OleVariant::Date(find.ColumnDouble(2)));
        call.SetOutput("@brec", OleVariant(static_cast<std::int32_t>(find.ColumnInt(3))));
        call.SetOutput("@bfullname", OleVariant(find.ColumnText(4)));
    }
    call.SetOutput("@voiceid", OleVariant(static_cast<std::int32_t>(voiceid)));
    Statement pool(call.Handle(), R"sql(
        SELECT i.ord, i.imgname, i.ImageId
        FROM TK_VoiceImage vi JOIN TK_Image i ON i.ImageId = vi.ImageId
        WHERE vi.voiceid = :voiceid AND vi.deleted = 0
        ORDER BY vi.id)sql");
    pool.BindInt(":voiceid", voiceid);
    call.SetRows(pool);
}

// Stores the invoice; an existing number is the same invoice, whose date and supplier are updated.
void SaveTkVoice(ProcedureCall& call) {
    const std::string code = Trim(call.Text("@VoiceCode"));
    if (code.empty())
        call.Fail("the invoice number is empty");
    const std::int32_t brec = call.Int("@brec");
    if (!RowExists(call.Handle(), "SELECT 1 FROM btype WHERE rec = ?", brec))
        call.Fail("no supplier with record id " + std::to_string(brec));
    Statement stmt(call.Handle(), R"sql(
        INSERT INTO TK_Voice (VoiceCode, VoiceDate, brec, bfullname) VALUES (:code, :date, :brec, :bfullname)
        ON CONFLICT (VoiceCode) DO UPDATE SET VoiceDate = excluded.VoiceDate, brec = excluded.brec,
                                              bfullname = excluded.bfullname
        RETURNING voiceid)sql");
    stmt.BindText(":code", code).BindDouble(":date", WholeDay(call.Day("@VoiceDate")));
    stmt.BindInt(":brec", brec).BindText(":bfullname", call.Text("@bfullname"));
    stmt.Step();
    call.SetReturn(static_cast<std::int32_t>(stmt.ColumnInt(0)));
    stmt.Run();
}

// Registers a picture the store has taken. Without a file name the store did not take it: the
// answer is 0 (failure) and nothing is registered. A pair registered before keeps its id.
void NewSaveImage(ProcedureCall& call) {
    const std::string name = Trim(call.Text("@filname"));
    if (name.empty()) {
        call.SetReturn(0);
        return;
    }
    Statement stmt(call.Handle(), R"sql(
        INSERT INTO TK_Image (ord, imgname) VALUES (:ord, :name)
        ON CONFLICT (ord, imgname) DO UPDATE SET ord = excluded.ord
        RETURNING ImageId)sql");
    stmt.BindInt(":ord", call.Int("@ord")).BindText(":name", name);
    stmt.Step();
    call.SetReturn(static_cast<std::int32_t>(stmt.ColumnInt(0)));
    stmt.Run();
}

// Unregisters a picture: its pool memberships and link entries go with it; its bytes stay in the
// store. Id 0 (never stored) and unknown ids change nothing.
void DelFpImage(ProcedureCall& call) {
    Statement stmt(call.Handle(), "DELETE FROM TK_Image WHERE ImageId = :id");
    stmt.BindInt(":id", call.Int("@imageId")).Run();
}

// Puts a picture into the invoice's pool (@delete 0) or takes it out (@delete 1); a picture taken
// out also leaves the links of that invoice.
void SaveTkVoiceImage(ProcedureCall& call) {
    const std::int32_t voiceid = call.Int("@Voiceid");
    const std::int32_t imageid = call.Int("@ImageId");
    const std::int32_t remove = call.Int("@delete");
    if (remove != 0 && remove != 1)
        call.Fail("@delete must be 0 or 1, not " + std::to_string(remove));
    CheckInvoice(call, voiceid);
    if (remove == 1) {
        Statement flag(
            call.Handle(),
            "UPDATE TK_VoiceImage SET deleted = 1 WHERE voiceid = :voiceid AND ImageId = :imageid");
        flag.BindInt(":voiceid", voiceid).BindInt(":imageid", imageid).Run();
        Statement unlink(call.Handle(), R"sql(
            DELETE FROM TK_JobLinkImage WHERE ImageId = :imageid
              AND linkid IN (SELECT id FROM TK_JobLink WHERE voiceid = :voiceid))sql");
        unlink.BindInt(":voiceid", voiceid).BindInt(":imageid", imageid).Run();
        return;
    }
    if (!RowExists(call.Handle(), "SELECT 1 FROM TK_Image WHERE ImageId = ?", imageid))
        call.Fail("no picture with id " + std::to_string(imageid));
    Statement stmt(call.Handle(), R"sql(
        INSERT INTO TK_VoiceImage (voiceid, ImageId, ImageName, deleted) VALUES (:voiceid, :imageid, :name, 0)
        ON CONFLICT (voiceid, ImageId) DO UPDATE SET deleted = 0,
            ImageName = CASE WHEN excluded.ImageName <> '' THEN excluded.ImageName ELSE ImageName END)sql");
    stmt.BindInt(":voiceid", voiceid)
        .BindInt(":imageid", imageid)
        .BindText(":name", Trim(call.Text("@ImageName")));
    stmt.Run();
}

void SaveTempVoiceLink(ProcedureCall& call) {
    const std::string key = SaveKey(call, "@Uid");
    const std::int32_t imageid = call.Int("@imageId");
    if (!RowExists(call.Handle(), "SELECT 1 FROM TK_Image WHERE ImageId = ?", imageid))
        call.Fail("no picture with id " + std::to_string(imageid));
    Statement stmt(call.Handle(), "INSERT INTO t_tempVoiceLink (uid, imageid) VALUES (:uid, :imageid)");
    stmt.BindText(":uid", key).BindInt(":imageid", imageid).Run();
}

// Links purchased items to the invoice with the pictures listed under the save key: one detail
// row (@buyid above 0), or every detail row of the bill (@buyid 0), one link per row. A row
// already linked to this invoice keeps its link and takes the new pictures.
void SaveJobLink(ProcedureCall& call) {
    const std::int32_t billid = call.Int("@billid");
    const std::int32_t buyid = call.Int("@buyid");
    const std::int32_t voiceid = call.Int("@voiceid");
    const std::string key = SaveKey(call, "@uid");
    CheckInvoice(call, voiceid);
    if (!RowExists(call.Handle(), "SELECT 1 FROM BillIndex WHERE billid = ?", billid))
        call.Fail("no purchase bill with id " + std::to_string(billid));
    if (buyid < 0)
        call.Fail("@buyid must not be negative");

    std::vector<std::int64_t> rows;
    Statement detail(call.Handle(),
                     buyid > 0 ? "SELECT buyid FROM BuyBill WHERE billid = :billid AND buyid = :buyid"
                               : "SELECT buyid FROM BuyBill WHERE billid = :billid ORDER BY buyid");
    detail.BindInt(":billid", billid);
    if (buyid > 0)
        detail.BindInt(":buyid", buyid);
    while (detail.Step())
        rows.push_back(detail.ColumnInt(0));
    if (rows.empty())
        call.Fail(buyid > 0 ? "detail row " + std::to_string(buyid) + " is not a row of bill " +
                                  std::to_string(billid)
                            : "bill " + std::to_string(billid) + " has no detail rows");

    Statement existing(call.Handle(),
                       "SELECT id FROM TK_JobLink WHERE buyid = :buyid AND voiceid = :voiceid");
    Statement insert(
        call.Handle(),
        "INSERT INTO TK_JobLink (voiceid, billid, buyid) VALUES (:voiceid, :billid, :buyid) RETURNING id");
    for (const std::int64_t row : rows) {
        existing.Reset();
        existing.BindInt(":buyid", row).BindInt(":voiceid", voiceid);
        std::int64_t linkid = 0;
        if (existing.Step()) {
            linkid = existing.ColumnInt(0);
        } else {
            insert.Reset();
            insert.BindInt(":voiceid", voiceid).BindInt(":billid", billid).BindInt(":buyid", row);
            insert.Step();
            linkid = insert.ColumnInt(0);
            insert.Run();
        }
        SetLinkPictures(call, linkid, key);
    }
}

// Re-links an existing link: it points to the invoice and holds the pictures under the save key.
void SaveJobLinkImage(ProcedureCall& call) {
    const std::int32_t id = call.Int("@id");
    const std::int32_t voiceid = call.Int("@voiceId");
    const std::string key = SaveKey(call, "@uid");
    if (!RowExists(call.Handle(), "SELECT 1 FROM TK_JobLink WHERE id = ?", id))
        call.Fail("no link with id " + std::to_string(id));
    CheckInvoice(call, voiceid);
    Statement stmt(call.Handle(), "UPDATE TK_JobLink SET voiceid = :voiceid WHERE id = :id");
    stmt.BindInt(":voiceid", voiceid).BindInt(":id", id).Run();
    SetLinkPictures(call, id, key);
}

} // namespace

void AddAssociationProcedures(std::vector<ProcedureDef>& list) {
    using K = ParamKind;
    list.push_back({"Zk_TkGetJobLink",
                    {{"@brec", K::Integer},
                     {"@prec", K::Integer},
                     {"@jobname", K::Text},
                     {"@VoiceCode", K::Text},
                     {"@begindate", K::Day},
                     {"@enddate", K::Day}},
                    false,
                    GetJobLink});
    list.push_back({"zk_deleteJobLink", {{"@id", K::Integer}}, true, DeleteJobLink});
    list.push_back({"ZK_FpSelBillIndex",
                    {{"@brec", K::Integer}, {"@begindate", K::Day}, {"@enddate", K::Day}},
                    false,
                    SelBillIndex});
    list.push_back({"ZK_FpSelBillMX",
                    {{"@brec", K::Integer}, {"@begindate", K::Day}, {"@enddate", K::Day}},
                    false,
                    SelBillDetail});
    list.push_back({"zk_TkGetJobInfo", {{"@id", K::Integer}}, false, GetJobInfo});
    list.push_back({"zk_TkGetJobLinkImage", {{"@id", K::Integer}}, false, GetJobLinkImage});
    list.push_back({"zk_TkGetVoiceCodeImage",
                    {{"@voicecode", K::Text, true},
                     {"@brec", K::Integer, true},
                     {"@voiceid", K::Integer, true},
                     {"@voicedate", K::Day, true},
                     {"@bfullname", K::Text, true}},
                    false,
                    GetVoiceCodeImage});
    list.push_back(
        {"zk_SaveTkVoice",
         {{"@VoiceCode", K::Text}, {"@VoiceDate", K::Day}, {"@brec", K::Integer}, {"@bfullname", K::Text}},
         true,
         SaveTkVoice});
    list.push_back({"zk_TkNewSaveImage", {{"@ord", K::Integer}, {"@filname", K::Text}}, true, NewSaveImage});
    list.push_back({"zk_DelFpImage", {{"@imageId", K::Integer}}, true, DelFpImage});
    list.push_back({"zk_saveTkVoiceImage",
                    {{"@Voiceid", K::Integer},
                     {"@ImageId", K::Integer},
                     {"@ImageName", K::Text},
                     {"@delete", K::Integer}},
                    true,
                    SaveTkVoiceImage});
    list.push_back(
        {"zk_savetempVoiceLink", {{"@Uid", K::Text}, {"@imageId", K::Integer}}, true, SaveTempVoiceLink});
    list.push_back(
        {"zk_SaveJobLink",
         {{"@billid", K::Integer}, {"@buyid", K::Integer}, {"@uid", K::Text}, {"@voiceid", K::Integer}},
         true,
         SaveJobLink});
    list.push_back({"zk_TkSaveJobLinkImag",
                    {{"@id", K::Integer}, {"@uid", K::Text}, {"@voiceId", K::Integer}},
                    true,
                    SaveJobLinkImage});
}

} // namespace tkv::host
