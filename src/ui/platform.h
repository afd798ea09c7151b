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

// Shows a help file's presentation, opened at its contents or at the topic of one calculation.
struct HelpViewer {
    virtual ~HelpViewer() = default;
    virtual void showContents(const QString& helpFile) = 0; // e.g. "MEPTAL.hlp"
    // The page of the calculation `item` (a menu entry name such as "SP"); a viewer without
    // such pages shows the contents.
    // clang-format off
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-parameter"
    virtual void showTopic(const QString& helpFile, const QString& item) { showContents(helpFile); }
#pragma GCC diagnostic pop
    // clang-format on
};

} // namespace kinri::ui
