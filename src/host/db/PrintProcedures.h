// The SELECT text of the bill list of invoice picture printing, which the benchmark also runs bare.
#pragma once

#include <string>

namespace tkv::host {

// Purchase bills of [:begindate, :endnext) matching supplier, handler, bill maker, store (0 = any)
// and status (0 = any), with their picture counts, whose print count stands in relation :op to
// :printcount. Also binds :billtype.
extern const char* const kBillImageDataSql;

// True for the six comparison operators the print count filter accepts: >= > = < <= <>.
bool IsPrintCountOperator(const std::string& op);

} // namespace tkv::host
