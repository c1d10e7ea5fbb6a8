// The host database schema: the embedded scripts, one per schema version, and the upgrade that
// brings a database file from the version it records (PRAGMA user_version) to the newest one.
#pragma once

#include <sqlite3.h>

#include <string>
#include <vector>

namespace tkv::host {

struct SchemaScript {
    const char* name; // file name, starting with its version number ("002_...sql")
    const char* sql;
};

// The scripts in upgrade order; script i (0-based) brings the schema to version i + 1.
const std::vector<SchemaScript>& SchemaScripts();

int SchemaVersion(sqlite3* db);
int NewestSchemaVersion();

// Runs every script newer than the file's version, each in its own transaction together with the
// new version number. A file newer than this program is refused with HostError.
void UpgradeSchema(sqlite3* db);

} // namespace tkv::host
