#pragma once

#include "ui/platform.h"

#include <QString>

namespace kinri::ui {

// Prints each job as one document on the system's default printer, a line at a time in a
// fixed-pitch Japanese font, starting a new page when a page is full. Constructed with a file
// name, it writes the same document as a PDF instead (used to check the printed layout).
class SystemLinePrinter : public LinePrinter {
public:
    SystemLinePrinter() = default;
    explicit SystemLinePrinter(QString pdfFile) : pdfFile_(std::move(pdfFile)) {}

    bool printJob(const std::vector<kinri::PrintLine>& job) override;

private:
    QString pdfFile_;
};

} // namespace kinri::ui
