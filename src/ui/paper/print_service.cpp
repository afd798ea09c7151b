#include "ui/paper/print_service.h"

#include "ui/common/messages.h"
#include "ui/common/qt_text.h"

#include <QPrinter>

#include <cstdio>
#include <cstdlib>

namespace kinri::ui {

Q_LOGGING_CATEGORY(printLog, "kinri.print", QtWarningMsg)

namespace {

std::string_view reason(PrintFailure failure) {
    switch (failure) {
    case PrintFailure::None:
        break;
    case PrintFailure::NoDestination:
        return kNoDestinationReason;
    case PrintFailure::Refused:
        return kRefusedReason;
    case PrintFailure::Interrupted:
        return kInterruptedReason;
    case PrintFailure::Unreachable:
        return kUnreachableReason;
    case PrintFailure::TimedOut:
        return kTimedOutReason;
    case PrintFailure::Rendering:
        return kRenderingReason;
    case PrintFailure::Cancelled:
        return kCancelledReason;
    }
    return {};
}

} // namespace

QString printFailureText(const PrintResult& result) {
    QString text = qs(kPrintFailedPrefix) + qs(reason(result.failure));
    if (!result.detail.isEmpty()) text += u'\n' + result.detail;
    return text;
}

bool PrintTicket::done() const {
    const std::lock_guard lock(mutex_);
    return done_;
}

PrintResult PrintTicket::result() const {
    const std::lock_guard lock(mutex_);
    return result_;
}

bool PrintTicket::waitUntil(std::chrono::steady_clock::time_point deadline) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_until(lock, deadline, [this] { return done_; });
}

PrintService::PrintService(LinePrinter& printer) : printer_(printer), thread_([this] { run(); }) {}

PrintService::~PrintService() {
    if (stop()) return;
    // The thread is still inside the print system and owns nothing the exit would wait for; the
    // windows are gone. Ending here keeps it from running alongside the exit's destructors.
    qCInfo(printLog) << "the print system still holds a job at the program's end: ending without it";
    const int status = printer_.statusWhenHeldAtEnd();
    if (status != EXIT_SUCCESS)
        std::fprintf(stderr, "kinri: the printer did not stop when asked; ending with status %d\n", status);
    std::fflush(nullptr);
    std::_Exit(status);
}

std::unique_ptr<QPrinter> PrintTicket::takePrinter() {
    const std::lock_guard lock(mutex_);
    return std::move(printer_);
}

std::shared_ptr<PrintTicket> PrintService::submit(std::vector<kinri::PrintLine> job, QString name) {
    return enqueue(std::make_shared<PrintTicket>(std::move(job), std::move(name)));
}

std::shared_ptr<PrintTicket> PrintService::setUpPrinter() {
    return enqueue(std::make_shared<PrintTicket>(PrintTicket::PrinterSetup{}));
}

std::shared_ptr<PrintTicket> PrintService::enqueue(std::shared_ptr<PrintTicket> ticket) {
    {
        const std::lock_guard lock(mutex_);
        if (stopping_) {
            ticket->cancel();
        } else {
            queue_.push_back(ticket);
        }
    }
    changed_.notify_all();
    return ticket;
}

bool PrintService::stop(std::chrono::milliseconds bound) {
    std::unique_lock lock(mutex_);
    if (!thread_.joinable()) return true;
    stopping_ = true;
    for (const auto& ticket : queue_)
        ticket->cancel();
    if (current_) current_->cancel();
    changed_.notify_all();
    if (!changed_.wait_for(lock, bound, [this] { return !running_; })) return false;
    lock.unlock();
    thread_.join();
    return true;
}

void PrintService::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (stopping_) break;
        current_ = std::move(queue_.front());
        queue_.pop_front();
        const std::shared_ptr<PrintTicket> ticket = current_;
        lock.unlock();

        PrintResult result{PrintFailure::Cancelled, {}};
        std::unique_ptr<QPrinter> printer;
        if (!ticket->cancelled_) {
            try {
                if (ticket->setup_) {
                    printer = printer_.paperPrinter(ticket->cancelled_);
                    result = printer ? PrintResult{} : PrintResult{PrintFailure::NoDestination, {}};
                } else if (ticket->name_.isEmpty()) {
                    result = printer_.print(ticket->job_, ticket->cancelled_);
                } else {
                    result = printer_.printNamed(ticket->job_, ticket->name_, ticket->cancelled_);
                }
            } catch (...) {
                result = {PrintFailure::Interrupted, {}};
            }
        }
        {
            const std::lock_guard done(ticket->mutex_);
            ticket->result_ = result;
            ticket->printer_ = std::move(printer);
            ticket->done_ = true;
        }
        ticket->changed_.notify_all();
        emit jobDone();

        lock.lock();
        current_.reset();
    }
    for (const auto& ticket : queue_) {
        const std::lock_guard done(ticket->mutex_);
        ticket->result_ = {PrintFailure::Cancelled, {}};
        ticket->done_ = true;
        ticket->changed_.notify_all();
    }
    queue_.clear();
    running_ = false;
    changed_.notify_all();
}

} // namespace kinri::ui
