#pragma once

#include "compute/print_job.h"

#include <QString>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

class QPrinter;

namespace kinri::ui {

// Why a print job did not print.
enum class PrintFailure : std::uint8_t {
    None,
    NoDestination, // no default printer
    Refused,       // the printer or its queue did not accept the job
    Interrupted,   // the printer stopped part-way through the job
    Unreachable,   // no connection to the print system
    TimedOut,      // the print system did not answer in time
    Rendering,     // the pages could not be made
    Cancelled,     // given up: the program ends
};

struct PrintResult {
    PrintFailure failure = PrintFailure::None;
    QString detail; // the print system's own words, when it said any

    bool printed() const { return failure == PrintFailure::None; }
};

// Where a calculation's printout goes. One call is one print job (one document).
struct LinePrinter {
    virtual ~LinePrinter() = default;
    virtual bool
    printJob(const std::vector<kinri::PrintLine>& job) = 0; // false: the job could not be printed

    // The same job, telling why it failed. The print service calls it on its own thread, one job
    // at a time; `cancelled` turns true when nobody waits for the job any more (the program
    // ends, or its click gave up), and a printer that can stop early should. Without a reason
    // of its own, a printer that says no refused the job and one that throws stopped part-way.
    virtual PrintResult print(const std::vector<kinri::PrintLine>& job, const std::atomic<bool>& cancelled) {
        (void)cancelled;
        try {
            return printJob(job) ? PrintResult{} : PrintResult{PrintFailure::Refused, {}};
        } catch (...) {
            return {PrintFailure::Interrupted, {}};
        }
    }
    // The same job under its name in the print queue (「金利計算 – 複利の利息計算」); a printer
    // without a queue to show it in prints it as above.
    virtual PrintResult printNamed(const std::vector<kinri::PrintLine>& job, const QString& name,
                                   const std::atomic<bool>& cancelled) {
        (void)name;
        return print(job, cancelled);
    }

    // The printer that preview and the print dialog draw on, set up for the system's default
    // destination, or for a PDF where there is none. Asked on the print service's thread, since
    // setting it up asks the print system, which may not answer; `cancelled` turns true when
    // nobody waits for it any more.
    virtual std::unique_ptr<QPrinter> paperPrinter(const std::atomic<bool>& cancelled);

    // How the program ends when this printer still holds a job at the program's end after being
    // asked to stop: at once, with this status. A printer that will not stop when asked is at
    // fault; the real one is excused (a print system can hang in a name lookup that nothing
    // interrupts, and the user has asked the program to end).
    virtual int statusWhenHeldAtEnd() const { return EXIT_FAILURE; }
};

} // namespace kinri::ui
