// The demo records: fixed names and amounts, dates placed relative to "today", so that two runs on
// the same day give the same database.
#include "DemoData.h"

#include "ProcedureSupport.h"
#include "Sqlite.h"
#include "framework/DateTime.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace tkv::host {

namespace {

struct Basic {
    const char* usercode;
    const char* fullname;
};

const Basic kSuppliers[] = {
    {"GY001", "重庆康源药业有限公司"}, {"GY002", "太极集团重庆桐君阁药厂"},
    {"GY003", "国药控股重庆有限公司"}, {"GY004", "华润三九医药股份有限公司"},
    {"GY005", "重庆医药股份有限公司"},
};

struct Product {
    const char* usercode;
    const char* fullname;
    const char* standard;
    const char* type;
    const char* area;
    const char* unit;
    const char* ssdm;
    double price;
};

const Product kProducts[] = {
    {"SP001", "阿莫西林胶囊", "0.25g*24粒", "胶囊剂", "重庆康源药业", "盒", "XJ01CAA040E001010100254", 12.5},
    {"SP002", "板蓝根颗粒", "10g*20袋", "颗粒剂", "太极集团", "袋", "ZA01BAB0010010102339", 18.0},
    {"SP003", "布洛芬缓释胶囊", "0.3g*20粒", "胶囊剂", "中美天津史克", "盒", "XM01AEB033E001020101443", 22.8},
    // A product standard holding the insurance request's field separator, as real product data may.
    {"SP004", "感冒灵颗粒", "10g|9袋", "颗粒剂", "华润三九", "盒", "ZA01AAG0150010100107", 15.5},
    {"SP005", "维生素C片", "0.1g*100片", "片剂", "东北制药", "瓶", "XA11GAV008A001010104532", 4.2},
    {"SP006", "复方甘草片", "100片", "片剂", "重庆科瑞", "瓶", "XR05CAF072A001010103611", 6.8},
    {"SP007", "藿香正气水", "10ml*10支", "酊剂", "太极集团", "盒", "ZA04AAH0370030101339", 9.9},
    {"SP008", "六味地黄丸", "200丸", "丸剂", "仲景宛西", "瓶", "ZA09FAL0080050100112", 25.0},
};

const Basic kEmployees[] = {{"E001", "张敏"}, {"E002", "李强"}, {"E003", "王芳"}, {"E004", "刘洋"}};
const Basic kStores[] = {{"K001", "主仓库"}, {"K002", "门店仓库"}};
const Basic kAccounts[] = {{"A001", "现金"}, {"A002", "医保个人账户"}, {"A003", "银行卡"}};

void InsertBasics(sqlite3* db, const char* table, const Basic* records, std::size_t count) {
    Statement stmt(db, std::string("INSERT INTO ") + table +
                           " (rec, typeid, usercode, fullname) VALUES (:rec, :typeid, :usercode, :fullname)");
    for (std::size_t i = 0; i < count; ++i) {
        char typeid_[16];
        std::snprintf(typeid_, sizeof typeid_, "%05zu", i + 1);
        stmt.Reset();
        stmt.BindInt(":rec", static_cast<std::int64_t>(i + 1)).BindText(":typeid", typeid_);
        stmt.BindText(":usercode", records[i].usercode).BindText(":fullname", records[i].fullname).Run();
    }
}

void InsertProducts(sqlite3* db) {
    Statement stmt(db,
                   "INSERT INTO ptype (rec, typeid, usercode, fullname, standard, type, Area, Unit1, ss_dm) "
                   "VALUES (:rec, :typeid, :usercode, :fullname, :standard, :type, :area, :unit, :ssdm)");
    for (std::size_t i = 0; i < std::size(kProducts); ++i) {
        const Product& p = kProducts[i];
        char typeid_[16];
        std::snprintf(typeid_, sizeof typeid_, "%05zu", i + 1);
        stmt.Reset();
        stmt.BindInt(":rec", static_cast<std::int64_t>(i + 1)).BindText(":typeid", typeid_);
        stmt.BindText(":usercode", p.usercode)
            .BindText(":fullname", p.fullname)
            .BindText(":standard", p.standard);
        stmt.BindText(":type", p.type)
            .BindText(":area", p.area)
            .BindText(":unit", p.unit)
            .BindText(":ssdm", p.ssdm);
        stmt.Run();
    }
    // The first product is sold in all four units of the product record: a box of 24 capsules, a
    // blister of 12, a carton of ten boxes and the single capsule.
    Statement(db, "UPDATE ptype SET Unit2 = '板', Unit3 = '中盒', TinyUnit = '粒' WHERE typeid = '00001'")
        .Run();
}

// The bill days: the 3rd, 9th, 16th and 24th of the previous month, and in the current month the
// 1st and then every fourth day up to today.
std::vector<TDateTime> BillDays(TDateTime today) {
    const TDateTime thisMonth = StartOfMonth(today);
    const TDateTime lastMonth = StartOfMonth(thisMonth - 1);
    std::vector<TDateTime> days;
    for (int day : {3, 9, 16, 24})
        days.push_back(lastMonth + day - 1);
    for (TDateTime day = thisMonth; day <= today; day += 4)
        days.push_back(day);
    return days;
}

struct DemoBill {
    std::int64_t billid;
    int brec;
    std::vector<std::int64_t> rows;
};

std::vector<DemoBill> InsertPurchaseBills(sqlite3* db, TDateTime today) {
    Statement bill(
        db, "INSERT INTO BillIndex (billid, billtype, billcode, billdate, brec, erec, billerec, krec, "
            "totalqty, totalmoney, explain, comment, sendway, billstatus, uniquebillid) VALUES (:id, "
            ":type, :code, :date, :brec, :erec, :billerec, :krec, :qty, :money, :explain, '', :sendway, "
            ":status, :uid)");
    Statement row(
        db, "INSERT INTO BuyBill (billid, prec, krec, jobnumber, OutFactoryDate, ValidityPeriod, qty, "
            "taxprice, taxtotal, comment) VALUES (:billid, :prec, :krec, :job, :made, :valid, :qty, :price, "
            ":total, '') RETURNING buyid");
    std::vector<DemoBill> bills;
    const std::vector<TDateTime> days = BillDays(today);
    for (std::size_t n = 0; n < days.size(); ++n) {
        const int index = static_cast<int>(n);
        DemoBill demo{static_cast<std::int64_t>(1000 + n), 1 + index % 5, {}};
        const DateParts date = DecodeDateTime(days[n]);
        char code[32];
        std::snprintf(code, sizeof code, "JH-%04d%02d%02d-%03d", date.year, date.month, date.day, index + 1);
        const int rowCount = 2 + index % 3;
        const int krec = 1 + index % 2;
        bill.Reset();
        bill.BindInt(":id", demo.billid).BindInt(":type", kPurchaseBillType).BindText(":code", code);
        bill.BindDouble(":date", days[n] + (9 + index % 8) / 24.0).BindInt(":brec", demo.brec);
        bill.BindInt(":erec", 1 + index % 4).BindInt(":billerec", 1 + (index + 1) % 4).BindInt(":krec", krec);
        bill.BindDouble(":qty", 0).BindDouble(":money", 0);
        bill.BindText(":explain", index % 2 ? "月度补货" : "")
            .BindText(":sendway", index % 3 ? "送货" : "自提");
        bill.BindInt(":status", 1 + index % 3).BindText(":uid", "34-" + std::to_string(demo.billid));
        bill.Run();
        double qty = 0, money = 0;
        for (int r = 0; r < rowCount; ++r) {
            const int product = (index * 3 + r) % static_cast<int>(std::size(kProducts));
            const double rowQty = 10.0 * (1 + (index + r) % 5);
            const double price = kProducts[product].price;
            char job[32];
            std::snprintf(job, sizeof job, "%02d%02d%02d%02d", date.year % 100, date.month, index + 1, r + 1);
            row.Reset();
            row.BindInt(":billid", demo.billid).BindInt(":prec", product + 1).BindInt(":krec", krec);
            row.BindText(":job", job).BindDouble(":made", days[n] - 120 - 30 * r);
            row.BindDouble(":valid", days[n] + 700 + 30 * r).BindDouble(":qty", rowQty);
            row.BindDouble(":price", price).BindDouble(":total", rowQty * price);
            row.Step();
            demo.rows.push_back(row.ColumnInt(0));
            row.Run();
            qty += rowQty;
            money += rowQty * price;
        }
        Statement totals(db, "UPDATE BillIndex SET totalqty = :qty, totalmoney = :money WHERE billid = :id");
        totals.BindDouble(":qty", qty).BindDouble(":money", money).BindInt(":id", demo.billid).Run();
        bills.push_back(std::move(demo));
    }
    return bills;
}

void InsertRetail(sqlite3* db, TDateTime today) {
    Statement bill(db,
                   "INSERT INTO RetailBillIndex (BillID, billcode, billtype, billdate, erec, krec, Total) "
                   "VALUES (:id, :code, :type, :date, 1, 2, :total)");
    Statement pay(db, "INSERT INTO RetailPayInfo (Billid, Arec, Total) VALUES (:id, :arec, :total)");
    const DateParts date = DecodeDateTime(today);
    for (int n = 0; n < 5; ++n) {
        const double total = 20.0 + 12.5 * n;
        char code[32];
        std::snprintf(code, sizeof code, "LS-%04d%02d%02d-%03d", date.year, date.month, date.day, n + 1);
        bill.Reset();
        bill.BindInt(":id", 5001 + n).BindText(":code", code).BindInt(":type", kRetailBillType);
        bill.BindDouble(":date", today + (10 + n) / 24.0).BindDouble(":total", total).Run();
        pay.Reset();
        pay.BindInt(":id", 5001 + n)
            .BindInt(":arec", 1)
            .BindDouble(":total", n % 2 ? total : total - 15)
            .Run();
        if (n % 2 == 0) {
            pay.Reset();
            pay.BindInt(":id", 5001 + n).BindInt(":arec", 2).BindDouble(":total", 15).Run();
        }
    }
}

// Settles the first retail sale as the insurance hooks would have.
void SettleFirstRetailSale(HostDatabase& db, TDateTime today) {
    const DateParts date = DecodeDateTime(today);
    char feeDate[16], jsDate[32];
    std::snprintf(feeDate, sizeof feeDate, "%04d-%02d-%02d", date.year, date.month, date.day);
    std::snprintf(jsDate, sizeof jsDate, "%s 10:05:00", feeDate);
    std::vector<std::string> names = {"@jzlsh",    "@LoginNO", "@LoginType", "@PosCode",  "@FeeDate",
                                      "@SettleNo", "@EName",   "@CardNo",    "@CardName", "@Total"};
    // The visit serial number in the form the host's numbering gives, with a sequence number of 0
    // that the numbering never hands out.
    std::string visit = feeDate;
    std::erase(visit, '-');
    std::vector<OleVariant> values = {OleVariant(visit + "000000"),
                                      OleVariant("DL0001"),
                                      OleVariant(10),
                                      OleVariant("POS01"),
                                      OleVariant(feeDate),
                                      OleVariant("JS0001"),
                                      OleVariant("张敏"),
                                      OleVariant("500101199001011234"),
                                      OleVariant("王五"),
                                      OleVariant(20.0)};
    const char* figures[] = {"@TCZF", "@ZHZF",   "@GWYBZ",  "@XJZF",  "@DELPJE", "@LSQFFH",
                             "@Bala", "@YLDZ",   "@MZJZ",   "@MZYE",  "@LDYZF",  "@YBZF",
                             "@SHZF", "@BNTCLJ", "@BNDELJ", "@TBQFX", "@NDLJ",   "@BJMZLJ"};
    for (const char* name : figures) {
        names.emplace_back(name);
        values.emplace_back(std::string(name) == "@ZHZF" ? 15.0 : std::string(name) == "@XJZF" ? 5.0 : 0.0);
    }
    names.insert(names.end(), {"@JsDate", "@BCZFQX", "@BCFHYBJE", "@DELETE"});
    values.insert(values.end(), {OleVariant(jsDate), OleVariant(0.0), OleVariant(0.0), OleVariant(0)});
    const std::int32_t id = db.Call("InsertSettlelist_CQ", names, values).returnValue;
    db.Exec("update RetailBillIndex set SS_ID=" + std::to_string(id) + " where billid=5001");
}

// The invoice of a bill: its supplier's special VAT invoice over the bill's lines, numbered from
// 31000001 on.
TDemoInvoice InvoiceOf(HostDatabase& db, const DemoBill& bill, int n) {
    TDemoInvoice invoice;
    char number[16];
    std::snprintf(number, sizeof number, "%08d", 31000001 + n);
    invoice.Code = "5000262130";
    invoice.Number = number;
    invoice.Date = WholeDay(
        db.Select("SELECT billdate FROM BillIndex WHERE billid = ?", {OleVariant::Int64(bill.billid)})
            .rows.at(0)
            .at(0)
            .AsDouble());
    invoice.Seller = kSuppliers[bill.brec - 1].fullname;
    invoice.Buyer = kDemoPharmacy;
    const ResultRows lines =
        db.Select("SELECT p.fullname, p.standard, p.unit1, b.qty, b.taxprice, p.ss_dm FROM BuyBill b "
                  "JOIN ptype p ON p.rec = b.prec WHERE b.billid = ? ORDER BY b.buyid",
                  {OleVariant::Int64(bill.billid)});
    for (const auto& row : lines.rows) {
        // Invoices name a line's tax category before the product: Chinese patent medicine for the
        // insurance codes of the Z group, chemical preparations for the others.
        const char* category = row.at(5).AsString().starts_with('Z') ? "*中成药*" : "*化学药品制剂*";
        invoice.Lines.push_back({category + row.at(0).AsString(), row.at(1).AsString(), row.at(2).AsString(),
                                 row.at(3).AsDouble(), row.at(4).AsDouble()});
    }
    return invoice;
}

// Invoices for three bills with two pictures each (the invoice and the deduction copy); the first
// is linked batch by batch, the others as whole bills.
void InsertInvoices(HostDatabase& db, const std::vector<DemoBill>& bills,
                    const DemoPictureStore& storePicture) {
    int picture = 0;
    for (int n = 0; n < 3 && static_cast<std::size_t>(n) < bills.size(); ++n) {
        const DemoBill& bill = bills[static_cast<std::size_t>(n)];
        const TDemoInvoice invoice = InvoiceOf(db, bill, n);
        const std::int32_t voiceid =
            db.Call("zk_SaveTkVoice", {"@VoiceCode", "@VoiceDate", "@brec", "@bfullname"},
                    {OleVariant(invoice.Number), OleVariant(invoice.Date), OleVariant(bill.brec),
                     OleVariant(invoice.Seller)})
                .returnValue;
        const std::string key = "{DEMO-" + std::to_string(n + 1) + "}";
        for (int k = 0; k < 2 && picture < kDemoPictureCount; ++k) {
            std::int32_t ord = 0;
            std::string fileName;
            ++picture;
            if (!storePicture({picture, k, invoice}, ord, fileName))
                throw HostError("The picture store refused demo picture " + std::to_string(picture));
            const std::int32_t imageid =
                db.Call("zk_TkNewSaveImage", {"@ord", "@filname"}, {OleVariant(ord), OleVariant(fileName)})
                    .returnValue;
            if (imageid <= 0)
                throw HostError("Demo picture " + std::to_string(picture) + " has no file name");
            db.Call("zk_saveTkVoiceImage", {"@Voiceid", "@ImageId", "@ImageName", "@delete"},
                    {OleVariant(voiceid), OleVariant(imageid), OleVariant(fileName), OleVariant(0)});
            db.Call("zk_savetempVoiceLink", {"@Uid", "@imageId"}, {OleVariant(key), OleVariant(imageid)});
        }
        if (n == 0) {
            for (std::int64_t buyid : bill.rows)
                db.Call("zk_SaveJobLink", {"@billid", "@buyid", "@uid", "@voiceid"},
                        {OleVariant::Int64(bill.billid), OleVariant::Int64(buyid), OleVariant(key),
                         OleVariant(voiceid)});
        } else {
            db.Call("zk_SaveJobLink", {"@billid", "@buyid", "@uid", "@voiceid"},
                    {OleVariant::Int64(bill.billid), OleVariant(0), OleVariant(key), OleVariant(voiceid)});
        }
        db.Exec("delete from t_tempVoiceLink where uid='" + key + "'");
    }
}

} // namespace

bool SeedDemoData(HostDatabase& db, TDateTime today, const DemoPictureStore& storePicture) {
    sqlite3* handle = db.Handle();
    if (RowExists(handle, "SELECT 1 FROM btype LIMIT ?", 1))
        return false;
    today = WholeDay(today);
    // One outer transaction: the procedures' own transactions become savepoints inside it.
    ExecScript(handle, "SAVEPOINT demo", "seeding demo data");
    try {
        InsertBasics(handle, "btype", kSuppliers, std::size(kSuppliers));
        InsertProducts(handle);
        InsertBasics(handle, "etype", kEmployees, std::size(kEmployees));
        InsertBasics(handle, "ktype", kStores, std::size(kStores));
        InsertBasics(handle, "atype", kAccounts, std::size(kAccounts));
        const std::vector<DemoBill> bills = InsertPurchaseBills(handle, today);
        InsertInvoices(db, bills, storePicture);
        InsertRetail(handle, today);
        SettleFirstRetailSale(db, today);
        ExecScript(handle, "RELEASE demo", "seeding demo data");
    } catch (...) {
        sqlite3_exec(handle, "ROLLBACK TO demo; RELEASE demo", nullptr, nullptr, nullptr);
        throw;
    }
    return true;
}

} // namespace tkv::host
