#pragma once

#include "compute/print_job.h"

#include <QString>

#include <vector>

namespace kinri::ui {

// Where a calculation's printout goes. One call is one print job (one document).
struct LinePrinter {
    virtual ~LinePrinter() = default;
    virtual bool
    printJob(const std::vector<kinri::PrintLine>& job) = 0; // false: the job could not be printed
};

// Shows a help file's presentation, opened at its contents.
struct HelpViewer {
    virtual ~HelpViewer() = default;
    virtual void showContents(const QString& helpFile) = 0; // e.g. "MEPTAL.hlp"
};

} // namespace kinri::ui
