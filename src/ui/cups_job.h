#pragma once

// Built where the print system is CUPS (Linux and other Unix systems), not on Windows.

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

struct CupsJobState; // shared by the caller and the thread that talks to the server

// One print job on the user's default CUPS destination: the server that CUPS_SERVER or the
// user's client.conf names (the local scheduler otherwise), the destination that LPDEST,
// PRINTER, lpoptions or the server names as the default.
//
// The conversation with the server runs on a thread of its own, so that the caller waits for it
// only until `bound`, whatever the server does: it may hang, be unreachable or sit behind a name
// lookup that does not come back. A job that was created but not completed in time is cancelled
// before the bound. Every refusal and every lost connection is a failure. Used by one thread.
class CupsJob {
public:
    using Clock = std::chrono::steady_clock;

    explicit CupsJob(Clock::time_point bound);
    ~CupsJob();
    CupsJob(const CupsJob&) = delete;
    CupsJob& operator=(const CupsJob&) = delete;

    // Connects and finds the default destination. False: there is none, or no answer in time.
    bool findDestination();
    // The default page size of the destination found, when it names one.
    std::optional<MediaSize> defaultMedia() const;
    // Creates the job named `title`, sends `pdf` as its one document and closes the job. True
    // only when the server accepted every step.
    bool submit(std::string title, std::string pdf);

private:
    std::shared_ptr<CupsJobState> state_;
};

} // namespace kinri::ui
