#pragma once

#include <QString>

namespace kinri::ui {

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
    // The size the program is drawn at (1 as designed, 2 twice as large); the help follows it.
    virtual void setScale(double factor) {}
#pragma GCC diagnostic pop
    // clang-format on
};

} // namespace kinri::ui
