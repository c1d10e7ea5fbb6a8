// Applying a packet's row states and change log: which row versions the client dataset shows,
// where, and with which cells.
#include "RowStates.h"

#include <algorithm>
#include <limits>
#include <string>

namespace tkv {

namespace {

constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
constexpr std::uint8_t kHidden = RowState::kOriginal | RowState::kDeleted | RowState::kUnused;

[[noreturn]] void ChangeError(const std::string& what) {
    throw EDatabaseError("Invalid data packet: " + what);
}

// replaces[i]: the row that row i is a newer version of, or kNone.
std::vector<std::size_t> Replacements(std::vector<std::uint8_t>& states, const TPendingChanges& changes) {
    const std::size_t n = states.size();
    std::vector<std::size_t> replaces(n, kNone);
    std::vector<bool> replaced(n, false);
    const auto& log = changes.changeLog;
    if (log.size() % 3 != 0)
        ChangeError("the change log has " + std::to_string(log.size()) + " numbers, not triples");
    for (std::size_t i = 0; i < log.size(); i += 3) {
        const std::uint32_t row = log[i], earlier = log[i + 1];
        if (row == 0 || row > n || earlier > n)
            ChangeError("the change log names row " + std::to_string(row == 0 || row > n ? row : earlier) +
                        " of " + std::to_string(n));
        states[row - 1] |= static_cast<std::uint8_t>(log[i + 2]);
        if (earlier == 0)
            continue;
        if (earlier == row || replaced[earlier - 1] || replaces[row - 1] != kNone)
            ChangeError("the change log gives row " + std::to_string(earlier) +
                        " more than one newer version");
        replaces[row - 1] = earlier - 1;
        replaced[earlier - 1] = true;
    }
    // A modified version that the log does not place replaces the nearest earlier original version
    // that nothing replaced yet: a record's versions follow each other.
    std::vector<std::size_t> open;
    for (std::size_t i = 0; i < n; ++i) {
        if ((states[i] & RowState::kModified) && replaces[i] == kNone) {
            while (!open.empty() && replaced[open.back()])
                open.pop_back();
            if (!open.empty()) {
                replaces[i] = open.back();
                replaced[open.back()] = true;
                open.pop_back();
            }
        }
        if ((states[i] & RowState::kOriginal) && !replaced[i])
            open.push_back(i);
    }
    // Each record's versions end in its first one, never in a circle.
    std::vector<std::uint8_t> seen(n, 0); // 1 on the walk from the current row, 2 known to end
    std::vector<std::size_t> walk;
    for (std::size_t i = 0; i < n; ++i) {
        walk.clear();
        std::size_t at = i;
        for (; at != kNone && seen[at] == 0; at = replaces[at]) {
            seen[at] = 1;
            walk.push_back(at);
        }
        if (at != kNone && seen[at] == 1)
            ChangeError("the versions of row " + std::to_string(at + 1) + " replace each other in a circle");
        for (std::size_t w : walk)
            seen[w] = 2;
    }
    // Nothing replaced may stay in sight, whatever its own state says.
    for (std::size_t i = 0; i < n; ++i)
        if (replaced[i])
            states[i] |= RowState::kOriginal;
    return replaces;
}

} // namespace

void ApplyPendingChanges(DataSetStorage::Columns& columns, std::size_t& rowCount,
                         const TPendingChanges& changes) {
    if (changes.Empty())
        return;
    const std::size_t n = rowCount;
    std::vector<std::uint8_t> states = changes.states;
    states.resize(n, 0);
    const std::vector<std::size_t> replaces = Replacements(states, changes);

    // The rows in sight, each with the first version of its record, which gives its place.
    struct Shown {
        std::size_t row, first;
    };
    std::vector<Shown> shown;
    bool plain = changes.unchanged.empty();
    for (std::size_t i = 0; i < n; ++i) {
        if (states[i] & kHidden) {
            plain = false;
            continue;
        }
        std::size_t first = i;
        while (replaces[first] != kNone)
            first = replaces[first];
        plain = plain && first == i;
        shown.push_back({i, first});
    }
    if (plain)
        return;
    std::stable_sort(shown.begin(), shown.end(),
                     [](const Shown& a, const Shown& b) { return a.first < b.first; });

    // The row whose cell a shown version holds: itself, or the nearest earlier version that changed it.
    auto source = [&](std::size_t row, std::size_t field) {
        for (;;) {
            const auto kept = changes.unchanged.find(row);
            if (kept == changes.unchanged.end() || field >= kept->second.size() || !kept->second[field])
                return row;
            if (replaces[row] == kNone)
                ChangeError("row " + std::to_string(row + 1) +
                            " keeps cells of an earlier version that the packet lacks");
            row = replaces[row];
        }
    };
    DataSetStorage::Columns result;
    result.reserve(columns.size());
    for (std::size_t f = 0; f < columns.size(); ++f) {
        auto column = std::make_unique<DataSetStorage::Column>(columns[f]->type);
        column->Reserve(shown.size());
        for (const Shown& s : shown)
            column->AppendFrom(*columns[f], source(s.row, f));
        result.push_back(std::move(column));
    }
    columns = std::move(result);
    rowCount = shown.size();
}

} // namespace tkv
