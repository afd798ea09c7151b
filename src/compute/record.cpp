#include "compute/record.h"

#include "catalogue/catalogue.h"

#include <ctime>

namespace kinri {

// What an entry holds in memory, texts and all, so that the bound is one of memory and a record of
// long tables cannot grow to several times the bound.
std::size_t CalculationRecord::sizeOf(const Calculation& calculation) {
    return sizeof(RecordEntry) - sizeof(Calculation) + calculation.bytes();
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

std::vector<RecordEntry> CalculationRecord::dropOldest(std::size_t count) {
    std::vector<RecordEntry> gone;
    for (; count > 0 && !entries_.empty(); --count) {
        bytes_ -= entries_.front().bytes;
        gone.push_back(std::move(entries_.front()));
        entries_.pop_front();
        ++dropped_;
    }
    return gone;
}

std::size_t CalculationRecord::append(std::shared_ptr<const Calculation> calculation) {
    const std::size_t bytes = sizeOf(*calculation);
    const std::size_t gone = toDropFor(bytes);
    dropOldest(gone);
    entries_.push_back({std::move(calculation), bytes});
    bytes_ += bytes;
    return gone;
}

void CalculationRecord::clear() {
    entries_.clear();
    bytes_ = 0;
    dropped_ = 0;
}

std::string recordHeading(const Calculation& calculation) {
    const std::time_t t = std::chrono::system_clock::to_time_t(calculation.time);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    char when[32];
    std::strftime(when, sizeof when, "%Y-%m-%d %H:%M:%S", &local);
    // A plan has no menu entry: its printout's own header.
    const std::string header =
        calculation.entry != nullptr ? std::string(familyInfo(calculation.entry->family).printHeader)
        : calculation.printout.size() > kHeaderLine ? calculation.printout[kHeaderLine].text
                                                    : std::string();
    return header + "　" + when;
}

// The heading takes the place of the printout's header; the lines after it follow as printed.
std::string recordText(const std::vector<const Calculation*>& calculations) {
    std::string text;
    for (const Calculation* c : calculations) {
        if (!text.empty()) text += '\n';
        text += recordHeading(*c) + '\n';
        for (std::size_t k = kHeaderLine + 1; k < c->printout.size(); ++k)
            text.append(c->printout[k].text).push_back('\n');
    }
    return text;
}

} // namespace kinri
