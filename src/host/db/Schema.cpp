// Schema upgrade by version number: each embedded script runs once, in order, in a transaction
// that also records the version, so that a failed script leaves the file at the previous version.
#include "Schema.h"

#include "Sqlite.h"

#include <cstdlib>

namespace tkv::host {

namespace {

int ScriptVersion(const SchemaScript& script) {
    return std::atoi(script.name);
}

} // namespace

int SchemaVersion(sqlite3* db) {
    Statement stmt(db, "PRAGMA user_version");
    stmt.Step();
    return static_cast<int>(stmt.ColumnInt(0));
}

int NewestSchemaVersion() {
    return static_cast<int>(SchemaScripts().size());
}

void UpgradeSchema(sqlite3* db) {
    const auto& scripts = SchemaScripts();
    const int current = SchemaVersion(db);
    if (current > NewestSchemaVersion())
        throw HostError("The database has schema version " + std::to_string(current) +
                        ", newer than this host knows (" + std::to_string(NewestSchemaVersion()) + ")");
    for (int version = current + 1; version <= NewestSchemaVersion(); ++version) {
        const SchemaScript& script = scripts[static_cast<std::size_t>(version - 1)];
        if (ScriptVersion(script) != version)
            throw HostError(std::string("Schema script ") + script.name + " is out of sequence");
        Transaction tx(db, true);
        ExecScript(db, script.sql, script.name);
        ExecScript(db, "PRAGMA user_version = " + std::to_string(version), script.name);
        tx.Commit();
    }
}

} // namespace tkv::host
