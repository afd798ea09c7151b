#pragma once

#include "compute/calculation.h"

#include <cstddef>
#include <deque>
#include <memory>
#include <vector>

namespace kinri {

// One calculation of the record, and what it takes in memory, counted against the record's bound.
// Shared with the window that made it, which keeps it as its last: a table of 10000 rows is not
// copied to be recorded.
struct RecordEntry {
    std::shared_ptr<const Calculation> calculation;
    std::size_t bytes = 0;
};

// 計算記録: the calculations of this run that succeeded, oldest first, so that any of them can be
// copied, printed or saved afterwards. Kept in memory only, for as long as the
// program runs. It keeps the last kMaxEntries calculations, and fewer when they would take more
// than kMaxBytes of memory, texts and all: then the oldest go first, and the record counts them.
class CalculationRecord {
public:
    static constexpr std::size_t kMaxEntries = 1000;
    static constexpr std::size_t kMaxBytes = std::size_t{64} << 20;

    explicit CalculationRecord(std::size_t maxEntries = kMaxEntries, std::size_t maxBytes = kMaxBytes)
        : maxEntries_(maxEntries), maxBytes_(maxBytes) {}

    // Adds a calculation; returns how many of the oldest went to make room (0 mostly).
    std::size_t append(std::shared_ptr<const Calculation> calculation);
    std::size_t append(Calculation calculation) {
        return append(std::make_shared<const Calculation>(std::move(calculation)));
    }
    void clear();

    // The same in steps, for a view that must hear of the rows going before they go: how many of
    // the oldest an entry of `bytes` would push out, and letting them go. They are handed back, so
    // that the caller can free their memory when it suits (a long table's thousands of blocks, cold
    // by now, take longer to free than the new table took to compute).
    static std::size_t sizeOf(const Calculation& calculation);
    std::size_t toDropFor(std::size_t bytes) const;
    std::vector<RecordEntry> dropOldest(std::size_t count);

    const std::deque<RecordEntry>& entries() const { return entries_; }
    // The oldest entries let go since the record began or was last cleared.
    std::size_t dropped() const { return dropped_; }
    std::size_t bytes() const { return bytes_; }

private:
    std::size_t maxEntries_;
    std::size_t maxBytes_;
    std::deque<RecordEntry> entries_;
    std::size_t bytes_ = 0;
    std::size_t dropped_ = 0;
};

// A calculation's first line in the record: its printout's header and the local time it was made,
// 「☆☆複利の利息計算☆☆　2026-12-08 18:30:05」.
std::string recordHeading(const Calculation& calculation);

// Calculations as text, each its heading, then the rest of its printout as copied (printText), a
// blank line between two.
std::string recordText(const std::vector<const Calculation*>& calculations);

} // namespace kinri
