#pragma once

// Built where the print system is CUPS (Linux and other Unix systems), not on Windows.

#include "ui/paper/line_printer.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <string>

namespace kinri::ui {

// A page size in millimetres.
struct MediaSize {
    double width = 0;
    double length = 0;
};

class CupsConversation;

// One print job on the user's default CUPS destination: the server that CUPS_SERVER or the
// user's client.conf names (the local scheduler otherwise), the destination that LPDEST,
// PRINTER, lpoptions or the server names as the default.
//
// It talks to the server on the calling thread (the print service's), and waits on it only
// until `bound` or until `cancelled` turns true, whatever the server does; a job that was created
// but not completed by then is cancelled before the bound. Only a name lookup cannot be cut
// short: the caller must not wait on it (the print service's callers do not). Every refusal and
// every lost connection is a failure, with its reason.
class CupsJob {
public:
    using Clock = std::chrono::steady_clock;

    CupsJob(Clock::time_point bound, const std::atomic<bool>& cancelled);
    ~CupsJob();
    CupsJob(const CupsJob&) = delete;
    CupsJob& operator=(const CupsJob&) = delete;

    // Connects and finds the default destination.
    PrintResult findDestination();
    // The default page size of the destination found, when it names one.
    std::optional<MediaSize> defaultMedia() const;
    // Creates the job named `title`, sends `pdf` as its one document and closes the job.
    PrintResult submit(const std::string& title, const std::string& pdf);

private:
    std::unique_ptr<CupsConversation> talk_;
};

} // namespace kinri::ui
