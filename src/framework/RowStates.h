// Pending changes in a result-set packet: the row state of each stored row version and the change
// log, and how the framework's client dataset shows them. A packet taken from a client dataset that
// is being edited keeps every version of a changed record: the original and each newer version
// (a modified version holds only the cells that changed), deleted records and inserted ones.
#pragma once

#include "DataSetColumn.h"

#include <cstdint>
#include <map>
#include <vector>

namespace tkv {

// Bits of a row's state (the status byte of a binary row, RowState of an XML row).
namespace RowState {
constexpr std::uint8_t kOriginal = 0x01; // a version that a newer one replaced
constexpr std::uint8_t kDeleted = 0x02;
constexpr std::uint8_t kInserted = 0x04;
constexpr std::uint8_t kModified = 0x08;      // a newer version of an earlier row
constexpr std::uint8_t kUnused = 0x20;        // a hole left by an undone change
constexpr std::uint8_t kDetailUpdates = 0x40; // changes in nested rows; no effect here
} // namespace RowState

// What a reader gathered beside the rows themselves.
struct TPendingChanges {
    std::vector<std::uint8_t> states; // one per row; empty when every row is plain
    // Cells of a modified version that keep the value of the version it replaces, by row.
    std::map<std::size_t, std::vector<bool>> unchanged;
    // The change log: triples of a row's number, the number of the row it replaces (0 for none) and
    // the change's state; numbers count the packet's rows from 1.
    std::vector<std::uint32_t> changeLog;

    bool Empty() const { return states.empty() && changeLog.empty(); }
};

// Replaces the rows by those the client dataset shows: every row that no newer version replaced
// and that is not deleted, at the place of the record's first version, each cell that a version
// left unchanged taken from the version before it. Raises EDatabaseError for a change log that
// names rows the packet lacks or versions that replace each other in a circle.
void ApplyPendingChanges(DataSetStorage::Columns& columns, std::size_t& rowCount,
                         const TPendingChanges& changes);

} // namespace tkv
