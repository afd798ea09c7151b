#pragma once

// Stand-ins for the printer and the help viewer of the real program, for the GUI tests.

#include "ui/platform.h"

#include <QStringList>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <vector>

namespace kinri::test {

// A print job as text, "column|text" a line, so that jobs compare with a readable diff.
QStringList jobText(const std::vector<PrintLine>& job);
// Where `got` first differs from `want` ("line 12: "34|..." instead of "34|...""); empty when
// they are the same.
QString jobDifference(const std::vector<PrintLine>& got, const std::vector<PrintLine>& want);

// Keeps every job it prints, in order.
class RecordingPrinter : public ui::LinePrinter {
public:
    bool printJob(const std::vector<PrintLine>& job) override;

    std::vector<std::vector<PrintLine>> jobs; // every job printed
    int attempts = 0;                         // every call, printed or not
};

// A recording printer that breaks down when told to: after a number of good jobs it refuses a
// job, or stops part-way through one by throwing, the way a printer that goes offline does.
class FailingPrinter : public RecordingPrinter {
public:
    enum class Fault { Refuse, Throw };

    bool printJob(const std::vector<PrintLine>& job) override;

    // The next `goodJobs` jobs print; the one after fails, once. A throwing job has sent its
    // first `linesSent` lines (kept in `partial`) when it stops.
    void failAfter(int goodJobs, Fault fault, std::size_t linesSent = 0);
    void disarm() { failIn_ = -1; }
    bool failsNext() const { return failIn_ == 0; }

    // Each job first waits this long, as a slow print server does; a job given up meanwhile
    // does not print. Set before the job is handed over.
    std::chrono::milliseconds delay{0};
    ui::PrintResult print(const std::vector<PrintLine>& job, const std::atomic<bool>& cancelled) override;
    // Setting up the printer of preview and the print dialog takes this long, as with a print
    // system that does not answer; given up meanwhile, it answers nothing.
    std::chrono::milliseconds setupDelay{0};
    std::unique_ptr<QPrinter> paperPrinter(const std::atomic<bool>& cancelled) override;

    std::vector<PrintLine> partial; // what the last throwing job had sent
    int failures = 0;

private:
    int failIn_ = -1;
    Fault fault_ = Fault::Refuse;
    std::size_t linesSent_ = 0;
};

// Remembers every help file it was asked to show at its contents, and every calculation page
// ("MEPTAL.hlp SP").
class RecordingHelpViewer : public ui::HelpViewer {
public:
    void showContents(const QString& helpFile) override { asked.append(helpFile); }
    void showTopic(const QString& helpFile, const QString& item) override {
        topics.append(helpFile + u' ' + item);
    }
    void setScale(double factor) override { scale = factor; }
    QStringList asked;
    QStringList topics;
    double scale = 1.0;
};

} // namespace kinri::test
