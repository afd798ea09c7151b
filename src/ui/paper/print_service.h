#pragma once

#include "ui/paper/line_printer.h"

#include <QLoggingCategory>
#include <QObject>
#include <QPrinter>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace kinri::ui {

// What the printing side tells: each job and why one failed. Off unless asked for, e.g.
// QT_LOGGING_RULES="kinri.print.info=true".
Q_DECLARE_LOGGING_CATEGORY(printLog)

// The longest a compute click waits for its print job, from handing it over to its answer.
inline constexpr std::chrono::milliseconds kPrintJobBound{10000};
// At the program's end, the longest the service waits for a job that is still talking to the
// print system.
inline constexpr std::chrono::milliseconds kPrintStopBound{150};

// The reason of a print failure as the user reads it: 「印刷できませんでした：…」, and the print
// system's own words on a line of their own when it said any.
QString printFailureText(const PrintResult& result);

// One print job (or a printer setup) handed to the service, and its fate. Shared by the click that waits for
// it and the service's thread.
class PrintTicket {
public:
    PrintTicket(std::vector<kinri::PrintLine> job, QString name)
        : job_(std::move(job)), name_(std::move(name)) {}
    // A question rather than a job: the printer that preview and the print dialog draw on.
    struct PrinterSetup {};
    explicit PrintTicket(PrinterSetup) : setup_(true) {}

    bool done() const;
    // The answer; a job that is not done yet has none.
    PrintResult result() const;
    // Nobody waits any more: the printer is asked to stop, and a job not yet started never starts.
    void cancel() { cancelled_ = true; }
    // Blocks the calling thread until the job is done or `deadline` passes; true when done.
    bool waitUntil(std::chrono::steady_clock::time_point deadline) const;
    // A printer setup's answer, once done; nullptr for a job, or when it could not be set up.
    std::unique_ptr<QPrinter> takePrinter();

private:
    friend class PrintService;

    const std::vector<kinri::PrintLine> job_;
    const QString name_; // in the print queue; empty: the printer names it
    const bool setup_ = false;
    std::atomic<bool> cancelled_{false};
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    bool done_ = false;
    PrintResult result_;
    std::unique_ptr<QPrinter> printer_;
};

// The program's one conversation with the print system: a thread of its own, for the program's
// life, that prints the jobs handed to it one at a time on `printer`. The print system may hang,
// be unreachable or sit behind a name lookup that never answers; the windows never wait on it
// longer than they choose to (see PrintWait), and never inside the print system's code.
class PrintService : public QObject {
    Q_OBJECT
public:
    explicit PrintService(LinePrinter& printer);
    // Stops the thread (stop()); where it would not stop, ends the program on the spot with the
    // printer's statusWhenHeldAtEnd() (see stop()): nothing of the program may run alongside a
    // thread still inside the print system.
    ~PrintService() override;
    PrintService(const PrintService&) = delete;
    PrintService& operator=(const PrintService&) = delete;

    // Queues `job`, named `name` in the print queue; it prints once the jobs before it are done.
    std::shared_ptr<PrintTicket> submit(std::vector<kinri::PrintLine> job, QString name = {});
    // Queues the setting up of the printer that preview and the print dialog draw on.
    std::shared_ptr<PrintTicket> setUpPrinter();

    // Cancels every job and waits at most `bound` for the thread to end. False when it did not:
    // it is blocked in the print system (a name lookup cannot be interrupted), and the caller
    // must end the process without running exit handlers, e.g. std::_Exit, with the printer's
    // statusWhenHeldAtEnd().
    bool stop(std::chrono::milliseconds bound = kPrintStopBound);

signals:
    // A job is done. Emitted on the service's thread: connect it queued, or across threads.
    void jobDone();

private:
    void run();
    std::shared_ptr<PrintTicket> enqueue(std::shared_ptr<PrintTicket> ticket);

    LinePrinter& printer_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::shared_ptr<PrintTicket>> queue_;
    std::shared_ptr<PrintTicket> current_;
    bool stopping_ = false;
    bool running_ = true;
    std::thread thread_;
};

} // namespace kinri::ui
