// The SELECT texts of the association procedures that the benchmark also runs bare.
#pragma once

namespace tkv::host {

// Purchase-detail rows of one supplier (or all, :brec 0) whose bill date lies in
// [:begindate, :endnext), with the latest invoice linked to each row. Also binds :billtype.
extern const char* const kSelBillDetailSql;

} // namespace tkv::host
