#include "support/printers.h"

#include <QPrinter>

#include <algorithm>
#include <stdexcept>
#include <thread>

namespace kinri::test {

QStringList jobText(const std::vector<PrintLine>& job) {
    QStringList lines;
    for (const PrintLine& line : job)
        lines.append(QString::number(line.column) + u'|' + QString::fromStdString(line.text));
    return lines;
}

QString jobDifference(const std::vector<PrintLine>& got, const std::vector<PrintLine>& want) {
    const QStringList g = jobText(got);
    const QStringList w = jobText(want);
    for (qsizetype i = 0; i < std::max(g.size(), w.size()); ++i) {
        const QString a = g.value(i, QStringLiteral("<no line>"));
        const QString b = w.value(i, QStringLiteral("<no line>"));
        if (a != b) return QStringLiteral("line %1: \"%2\" instead of \"%3\"").arg(i + 1).arg(a, b);
    }
    return {};
}

bool RecordingPrinter::printJob(const std::vector<PrintLine>& job) {
    ++attempts;
    jobs.push_back(job);
    return true;
}

bool FailingPrinter::printJob(const std::vector<PrintLine>& job) {
    if (failIn_ != 0) {
        if (failIn_ > 0) --failIn_;
        return RecordingPrinter::printJob(job);
    }
    ++attempts;
    ++failures;
    failIn_ = -1;
    if (fault_ == Fault::Refuse) return false;
    const auto sent = std::min(linesSent_, job.size());
    partial.assign(job.begin(), job.begin() + static_cast<std::ptrdiff_t>(sent));
    throw std::runtime_error("the printer went offline");
}

ui::PrintResult FailingPrinter::print(const std::vector<PrintLine>& job, const std::atomic<bool>& cancelled) {
    for (auto until = std::chrono::steady_clock::now() + delay; std::chrono::steady_clock::now() < until;) {
        if (cancelled) return {ui::PrintFailure::Cancelled, {}};
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return LinePrinter::print(job, cancelled);
}

std::unique_ptr<QPrinter> FailingPrinter::paperPrinter(const std::atomic<bool>& cancelled) {
    for (auto until = std::chrono::steady_clock::now() + setupDelay;
         std::chrono::steady_clock::now() < until;) {
        if (cancelled) return nullptr;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return LinePrinter::paperPrinter(cancelled);
}

void FailingPrinter::failAfter(int goodJobs, Fault fault, std::size_t linesSent) {
    failIn_ = goodJobs;
    fault_ = fault;
    linesSent_ = linesSent;
}

} // namespace kinri::test
