// Small helpers that the procedure bodies share: existence checks, trimming, whole days.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>

namespace tkv::host {

// The bill type of purchase bills (进货单), the bills that invoices are linked to.
constexpr int kPurchaseBillType = 34;
// The bill type of retail sales (零售单).
constexpr int kRetailBillType = 151;

// True when the query (one "?" parameter) returns a row for the key.
bool RowExists(sqlite3* db, const char* sql, std::int64_t key);
bool RowExists(sqlite3* db, const char* sql, const std::string& key);

// Without leading and trailing blanks (SQL Server compares texts without trailing blanks).
std::string Trim(const std::string& text);

// The whole day of an OLE automation date.
double WholeDay(double day);

} // namespace tkv::host
