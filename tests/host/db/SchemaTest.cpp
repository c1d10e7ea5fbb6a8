// The database file: created with every table in WAL mode with foreign keys, upgraded in place
// from an older schema version, refused when newer than the host.
#include "Schema.h"
#include "HostDatabase.h"
#include "Sqlite.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace tkv::host {
namespace {

using testing::TempFolder;

std::string PragmaText(sqlite3* db, const char* pragma) {
    Statement stmt(db, pragma);
    EXPECT_TRUE(stmt.Step());
    return stmt.ColumnText(0);
}

bool TableExists(sqlite3* db, const std::string& name) {
    Statement stmt(db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?");
    stmt.Bind(1, OleVariant(name));
    return stmt.Step();
}

TEST(SchemaTest, NewFileHasEveryTableInWalModeWithForeignKeys) {
    TempFolder folder;
    HostDatabase db(folder.File("host.db"));
    EXPECT_EQ(PragmaText(db.Handle(), "PRAGMA journal_mode"), "wal");
    EXPECT_EQ(PragmaText(db.Handle(), "PRAGMA foreign_keys"), "1");
    EXPECT_EQ(SchemaVersion(db.Handle()), NewestSchemaVersion());
    for (const char* table : {"btype",
                              "ptype",
                              "etype",
                              "ktype",
                              "atype",
                              "BillType",
                              "BillIndex",
                              "BuyBill",
                              "TK_Voice",
                              "TK_Image",
                              "TK_VoiceImage",
                              "TK_JobLink",
                              "TK_JobLinkImage",
                              "t_tempVoiceLink",
                              "TK_BillPrintImage",
                              "TK_BillPrintTimes",
                              "RetailBillIndex",
                              "RetailPayInfo",
                              "YBSettlelist_CQ",
                              "YBRebackRetail_CQ",
                              "YBLSNo_CQ"})
        EXPECT_TRUE(TableExists(db.Handle(), table)) << table;
}

TEST(SchemaTest, ReopeningKeepsTheData) {
    TempFolder folder;
    {
        HostDatabase db(folder.File("host.db"));
        db.Exec("INSERT INTO btype (rec, typeid, usercode, fullname) VALUES (1, '00001', 'S1', '康源药业')");
    }
    HostDatabase db(folder.File("host.db"));
    const ResultRows rows = db.Select("select fullname from btype where rec=1");
    ASSERT_EQ(rows.RowCount(), 1);
    EXPECT_EQ(rows.Value(0, "fullname").AsString(), "康源药业");
}

TEST(SchemaTest, OlderSchemaIsUpgradedInPlaceKeepingItsRows) {
    TempFolder folder;
    const std::string path = folder.File("old.db");
    {
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open(path.c_str(), &raw), SQLITE_OK);
        ExecScript(raw, SchemaScripts().at(0).sql, "version 1");
        ExecScript(raw, "PRAGMA user_version = 1", "version 1");
        ExecScript(raw, "INSERT INTO btype (rec, typeid, fullname) VALUES (7, '00007', 'old supplier')",
                   "row");
        sqlite3_close(raw);
    }
    HostDatabase db(path);
    EXPECT_EQ(SchemaVersion(db.Handle()), NewestSchemaVersion());
    EXPECT_TRUE(TableExists(db.Handle(), "TK_Voice"));
    EXPECT_TRUE(TableExists(db.Handle(), "YBSettlelist_CQ"));
    EXPECT_EQ(db.Select("select fullname from btype where rec=7").Value(0, "fullname").AsString(),
              "old supplier");
}

TEST(SchemaTest, NewerSchemaThanTheHostKnowsIsRefused) {
    TempFolder folder;
    const std::string path = folder.File("new.db");
    {
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open(path.c_str(), &raw), SQLITE_OK);
        ExecScript(raw, "PRAGMA user_version = 99", "future");
        sqlite3_close(raw);
    }
    try {
        HostDatabase db(path);
        FAIL() << "opened a newer schema";
    } catch (const HostError& e) {
        EXPECT_NE(std::string(e.what()).find("schema version 99"), std::string::npos) << e.what();
    }
}

TEST(SchemaTest, FileInAMissingFolderCannotBeOpened) {
    TempFolder folder;
    EXPECT_THROW(HostDatabase(folder.File("missing/host.db")), HostError);
}

TEST(SchemaTest, ScriptsAreNumberedInSequence) {
    const auto& scripts = SchemaScripts();
    ASSERT_FALSE(scripts.empty());
    for (std::size_t i = 0; i < scripts.size(); ++i)
        EXPECT_EQ(std::atoi(scripts[i].name), static_cast<int>(i + 1)) << scripts[i].name;
}

} // namespace
} // namespace tkv::host
