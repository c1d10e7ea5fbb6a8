// The plain SQL texts the plug-in sends, with the SQL Server forms the host understands: "exec"
// statements, getdate(), constants; and their failures.
#include "DatabaseFixture.h"
#include "SqlTranslation.h"

#include <gmock/gmock.h>

namespace tkv::host {
namespace {

using ::testing::HasSubstr;

class SqlTextTest : public testing::DatabaseFixture {
protected:
    std::string ExecError(const std::string& sql, const std::vector<OleVariant>& constants = {}) {
        try {
            db_->Exec(sql, constants);
        } catch (const HostError& e) {
            return e.what();
        }
        ADD_FAILURE() << sql << " raised no error";
        return {};
    }
    std::string SelectError(const std::string& sql) {
        try {
            db_->Select(sql);
        } catch (const HostError& e) {
            return e.what();
        }
        ADD_FAILURE() << sql << " raised no error";
        return {};
    }
};

TEST_F(SqlTextTest, SupplierNameByRecordId) {
    const ResultRows rows = db_->Select("select fullname from btype where rec=2");
    ASSERT_EQ(rows.RowCount(), 1);
    EXPECT_EQ(rows.Value(0, "fullname").AsString(), "太极集团重庆桐君阁药厂");
    EXPECT_EQ(db_->Select("select fullname from btype where rec=99").RowCount(), 0);
    EXPECT_EQ(db_->Select("select fullname from btype where rec=99").FindColumn("fullname"), 0);
}

TEST_F(SqlTextTest, TemporaryListDeleteByKey) {
    db_->Exec("INSERT INTO TK_Image (ImageId, ord, imgname) VALUES (1, 1, 'a.jpg')");
    Call("zk_savetempVoiceLink", {{"@Uid", "{A}"}, {"@imageId", 1}});
    Call("zk_savetempVoiceLink", {{"@Uid", "{B}"}, {"@imageId", 1}});
    db_->Exec("delete from t_tempVoiceLink where uid='{A}'");
    EXPECT_EQ(Scalar("SELECT count(*) FROM t_tempVoiceLink"), 1);
}

TEST_F(SqlTextTest, GetdateIsTheHostClockAsADayNumber) {
    const ResultRows rows = db_->Select("select getdate() as now");
    EXPECT_DOUBLE_EQ(rows.Value(0, "now").AsDouble(), EncodeDate(2026, 3, 25) + EncodeTime(9, 30, 0));
    EXPECT_EQ(Scalar("SELECT count(*) FROM BillIndex WHERE billdate <= getdate()"), 2);
}

TEST_F(SqlTextTest, ConstantsBindInOrderAcrossStatements) {
    db_->Exec("UPDATE BillIndex SET explain = ? WHERE billid = ?; UPDATE BillIndex SET sendway = ? WHERE "
              "billid = 200",
              {OleVariant("it's"), OleVariant(100), OleVariant("送货")});
    EXPECT_EQ(db_->Select("SELECT explain FROM BillIndex WHERE billid = 100").rows[0][0].AsString(), "it's");
    EXPECT_EQ(db_->Select("SELECT sendway FROM BillIndex WHERE billid = ?", {OleVariant(200)})
                  .rows[0][0]
                  .AsString(),
              "送货");
    EXPECT_THAT(ExecError("UPDATE BillIndex SET explain = ?", {}), HasSubstr("takes more constants"));
    EXPECT_THAT(ExecError("UPDATE BillIndex SET explain = ?", {OleVariant("a"), OleVariant("b")}),
                HasSubstr("2 constants given, but the SQL text takes 1"));
}

TEST_F(SqlTextTest, ExecRunsAllStatementsOrNone) {
    EXPECT_THAT(ExecError("UPDATE BillIndex SET explain = 'changed'; INSERT INTO nowhere VALUES (1)"),
                HasSubstr("no such table: nowhere"));
    EXPECT_EQ(Scalar("SELECT count(*) FROM BillIndex WHERE explain = 'changed'"), 0);
}

TEST_F(SqlTextTest, ConstraintViolationIsAnError) {
    EXPECT_THAT(ExecError("INSERT INTO BuyBill (billid, prec) VALUES (12345, 1)"), HasSubstr("FOREIGN KEY"));
    EXPECT_THAT(ExecError("UPDATE BillIndex SET billstatus = 9"), HasSubstr("CHECK constraint failed"));
}

TEST_F(SqlTextTest, EmptyTextAndSeveralQueriesAreRefused) {
    EXPECT_THAT(ExecError("  "), HasSubstr("holds no statement"));
    EXPECT_THAT(SelectError("-- nothing"), HasSubstr("holds no statement"));
    EXPECT_THAT(SelectError("select 1; select 2"), HasSubstr("one statement"));
    EXPECT_THAT(SelectError("select * from nowhere"), HasSubstr("SQL error: no such table: nowhere"));
}

TEST_F(SqlTextTest, QueryOfAStatementWithoutColumnsAnswersNoColumns) {
    const ResultRows rows = db_->Select("update RetailBillIndex set SS_ID=1 where billid=1");
    EXPECT_TRUE(rows.columns.empty());
}

TEST_F(SqlTextTest, ExecStatementRunsTheProcedureWithNamedOrPositionalArguments) {
    db_->Exec("exec zk_SaveTkVoice @VoiceCode = N'FP''1', @VoiceDate = 46000, @brec = 1, @bfullname = 'x'");
    EXPECT_EQ(db_->Select("SELECT VoiceCode FROM TK_Voice").rows[0][0].AsString(), "FP'1");
    db_->Exec("EXECUTE dbo.zk_SaveTkVoice 'FP2', 46000.5, 2, ''");
    EXPECT_EQ(Scalar("SELECT count(*) FROM TK_Voice"), 2);
    const ResultRows rows = db_->Select("exec [ZK_FpSelBillIndex] 0, 46000, 46200");
    EXPECT_EQ(rows.FindColumn("billcode"), 2);
}

TEST_F(SqlTextTest, MalformedOrUnknownExecIsAnError) {
    EXPECT_THAT(ExecError("exec zk_NoSuch"), HasSubstr("Unknown procedure 'zk_NoSuch'"));
    EXPECT_THAT(ExecError("exec zk_deleteJobLink @id"), HasSubstr("'=' expected after @id"));
    EXPECT_THAT(ExecError("exec zk_deleteJobLink @id = 'abc"), HasSubstr("unclosed text literal"));
    EXPECT_THAT(ExecError("exec zk_deleteJobLink @id = 1 2"), HasSubstr("',' expected"));
    EXPECT_THAT(ExecError("exec zk_deleteJobLink @id = 1, 2"),
                HasSubstr("positional argument follows a named one"));
    EXPECT_THAT(ExecError("exec zk_deleteJobLink 1, 2"), HasSubstr("2 arguments given, it takes 1"));
    EXPECT_THAT(ExecError("exec zk_deleteJobLink @id = 'x'"),
                HasSubstr("@id expects an integer, not the text 'x'"));
    EXPECT_THAT(ExecError("exec GetLSNo_CQ", {OleVariant(1)}), HasSubstr("takes no constants"));
}

TEST(ExecStatementTest, OnlyExecStatementsAreRecognised) {
    ExecStatement statement;
    EXPECT_FALSE(ParseExecStatement("select 1", statement));
    EXPECT_FALSE(ParseExecStatement("executed_table", statement));
    EXPECT_FALSE(ParseExecStatement("update exec set a = 1", statement));
    ASSERT_TRUE(ParseExecStatement("  exec  GetLSNo_CQ ; ", statement));
    EXPECT_EQ(statement.procedure, "GetLSNo_CQ");
    EXPECT_TRUE(statement.positional.empty());
    ASSERT_TRUE(ParseExecStatement("exec p -5, 2.5, NULL, @a = 'x'", statement));
    ASSERT_EQ(statement.positional.size(), 3u);
    EXPECT_EQ(statement.positional[0].AsInteger(), -5);
    EXPECT_EQ(statement.positional[1].AsDouble(), 2.5);
    EXPECT_TRUE(statement.positional[2].IsNull());
    ASSERT_EQ(statement.names.size(), 1u);
    EXPECT_EQ(statement.names[0], "@a");
    EXPECT_EQ(statement.values[0].AsString(), "x");
}

} // namespace
} // namespace tkv::host
