// The fixed records every procedure test starts from.
#include "DatabaseFixture.h"

namespace tkv::host::testing {

void DatabaseFixture::SetUp() {
    db_ = std::make_unique<HostDatabase>(folder_.File("host.db"));
    db_->SetClock([] { return EncodeDate(2026, 3, 25) + EncodeTime(9, 30, 0); });
    db_->Exec(R"sql(
        INSERT INTO btype (rec, typeid, usercode, fullname) VALUES
            (1, '00001', 'GY001', '重庆康源药业有限公司'), (2, '00002', 'GY002', '太极集团重庆桐君阁药厂');
        INSERT INTO ptype (rec, typeid, usercode, fullname, standard, type, Area, Unit1, ss_dm) VALUES
            (1, '00001', 'SP001', '阿莫西林胶囊', '0.25g*24粒', '胶囊剂', '重庆康源', '盒', 'XJ01CA'),
            (2, '00002', 'SP002', '板蓝根颗粒', '10g*20袋', '颗粒剂', '太极集团', '袋', 'ZA01BA');
        INSERT INTO etype (rec, typeid, usercode, fullname) VALUES (1, '00001', 'E1', '张敏'), (2, '00002', 'E2', '李强');
        INSERT INTO ktype (rec, typeid, usercode, fullname) VALUES (1, '00001', 'K1', '主仓库'), (2, '00002', 'K2', '门店仓库');
    )sql");
    db_->Exec(
        "INSERT INTO BillIndex (billid, billtype, billcode, billdate, brec, erec, billerec, krec, totalqty, "
        "totalmoney, billstatus, uniquebillid, sendway, explain) VALUES "
        "(100, 34, 'JH-100', ?, 1, 1, 2, 1, 30, 300, 1, 'U100', '自提', 'first'), "
        "(200, 34, 'JH-200', ?, 2, 2, 1, 2, 5, 50, 3, 'U200', '', ''), "
        "(300, 34, 'JH-300', ?, 1, 1, 1, 1, 1, 9, 2, 'U300', '', '')",
        {OleVariant::Date(March(10)), OleVariant::Date(March(20) + EncodeTime(14, 0, 0)),
         OleVariant::Date(EncodeDate(2026, 4, 2))});
    db_->Exec(
        "INSERT INTO BuyBill (buyid, billid, prec, krec, jobnumber, OutFactoryDate, ValidityPeriod, qty, "
        "taxprice, taxtotal, comment) VALUES "
        "(1001, 100, 1, 1, 'A123', ?, ?, 10, 10, 100, 'row one'), "
        "(1002, 100, 2, 1, 'B456', NULL, ?, 20, 10, 200, ''), "
        "(2001, 200, 1, 2, 'A124', ?, ?, 5, 10, 50, ''), "
        "(3001, 300, 2, 1, 'C789', ?, ?, 1, 9, 9, '')",
        {OleVariant::Date(EncodeDate(2025, 6, 1)), OleVariant::Date(EncodeDate(2027, 5, 31)),
         OleVariant::Date(EncodeDate(2027, 12, 31)), OleVariant::Date(EncodeDate(2025, 8, 1)),
         OleVariant::Date(EncodeDate(2027, 7, 31)), OleVariant::Date(EncodeDate(2026, 1, 1)),
         OleVariant::Date(EncodeDate(2028, 1, 1))});
}

ProcedureResult DatabaseFixture::Call(const std::string& procedure, const Args& args) {
    std::vector<std::string> names;
    std::vector<OleVariant> values;
    for (const auto& [name, value] : args) {
        names.push_back(name);
        values.push_back(value);
    }
    return db_->Call(procedure, names, values);
}

std::string DatabaseFixture::CallError(const std::string& procedure, const Args& args) {
    try {
        Call(procedure, args);
    } catch (const HostError& e) {
        return e.what();
    }
    ADD_FAILURE() << procedure << " raised no error";
    return {};
}

std::int64_t DatabaseFixture::Scalar(const std::string& sql) {
    const ResultRows rows = db_->Select(sql);
    EXPECT_EQ(rows.RowCount(), 1) << sql;
    return rows.RowCount() > 0 ? rows.rows[0][0].AsInt64() : -1;
}

std::int32_t DatabaseFixture::NewImage(int ord, const std::string& name) {
    return Call("zk_TkNewSaveImage", {{"@ord", ord}, {"@filname", name}}).returnValue;
}

std::int32_t DatabaseFixture::NewInvoice(const std::string& code, TDateTime date, int brec) {
    return Call("zk_SaveTkVoice",
                {{"@VoiceCode", code}, {"@VoiceDate", date}, {"@brec", brec}, {"@bfullname", "supplier"}})
        .returnValue;
}

} // namespace tkv::host::testing
