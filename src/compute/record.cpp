#include "compute/record.h"

#include <algorithm>
#include <ctime>

namespace kinri {

// What an entry holds in memory: its lines and their texts, so that the bound is one of memory and
// a record of long tables cannot grow to several times the bound.
std::size_t CalculationRecord::sizeOf(const std::vector<PrintLine>& job) {
    std::size_t bytes = sizeof(RecordEntry) + job.capacity() * sizeof(PrintLine);
    for (const PrintLine& line : job)
        if (line.text.capacity() > std::string().capacity()) bytes += line.text.capacity() + 1;
    return bytes;
}

// The newest always stays, whatever its size.
std::size_t CalculationRecord::toDropFor(std::size_t bytes) const {
    std::size_t gone = 0, kept = entries_.size(), keptBytes = bytes_;
    while (kept > 0 && (kept + 1 > maxEntries_ || keptBytes + bytes > maxBytes_)) {
        keptBytes -= entries_[gone].bytes;
        ++gone;
        --kept;
    }
    return gone;
}

void CalculationRecord::dropOldest(std::size_t count) {
    for (; count > 0 && !entries_.empty(); --count) {
        bytes_ -= entries_.front().bytes;
        entries_.pop_front();
        ++dropped_;
    }
}

std::size_t CalculationRecord::append(std::string item, std::vector<PrintLine> job,
                                      std::chrono::system_clock::time_point time) {
    const std::size_t bytes = sizeOf(job);
    const std::size_t gone = toDropFor(bytes);
    dropOldest(gone);
    entries_.push_back({time, std::move(item), std::move(job), bytes});
    bytes_ += bytes;
    return gone;
}

void CalculationRecord::clear() {
    entries_.clear();
    bytes_ = 0;
    dropped_ = 0;
}

std::string recordHeading(const RecordEntry& entry) {
    std::string header;
    for (const PrintLine& line : entry.job) {
        if (line.text.empty()) continue;
        header = line.text;
        break;
    }
    const std::time_t t = std::chrono::system_clock::to_time_t(entry.time);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    char when[32];
    std::strftime(when, sizeof when, "%Y-%m-%d %H:%M:%S", &local);
    return header + "　" + when;
}

std::string recordText(const std::vector<const RecordEntry*>& entries) {
    std::string text;
    for (const RecordEntry* e : entries) {
        if (!text.empty()) text += '\n';
        const std::string copied = printText(e->job);
        text += recordHeading(*e) + copied.substr(std::min(copied.find('\n'), copied.size()));
    }
    return text;
}

} // namespace kinri
