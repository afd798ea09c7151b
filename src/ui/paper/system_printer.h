#pragma once

#include "ui/paper/line_printer.h"

#include <QString>

namespace kinri::ui {

// Prints each job as one document on the system's default printer, a line at a time in a
// fixed-pitch Japanese font, starting a new page when a page is full. The job carries the
// program's and the printout's family's name ("金利計算 – 複利の利息計算"), so that the user can
// find it in the print queue; a job handed over without a name is named 「金利計算」.
//
// A job has printed only once the print system has accepted the whole of it; a refusal, a lost
// connection or a server that does not answer is a failure, with its reason. Where the print
// system is CUPS (all but Windows) it talks to the server no longer than kPrintJobBound, whatever
// the print server does (a name lookup aside, which the print service's callers never wait on):
// a job not accepted by then is cancelled.
//
// Constructed with a file name, it writes the same document as a PDF file instead (used to check
// the printed layout).
class SystemLinePrinter : public LinePrinter {
public:
    SystemLinePrinter() = default;
    explicit SystemLinePrinter(QString pdfFile) : pdfFile_(std::move(pdfFile)) {}

    bool printJob(const std::vector<kinri::PrintLine>& job) override;
    PrintResult print(const std::vector<kinri::PrintLine>& job, const std::atomic<bool>& cancelled) override;
    PrintResult printNamed(const std::vector<kinri::PrintLine>& job, const QString& name,
                           const std::atomic<bool>& cancelled) override;
    int statusWhenHeldAtEnd() const override { return EXIT_SUCCESS; }

private:
    QString pdfFile_;
};

} // namespace kinri::ui
