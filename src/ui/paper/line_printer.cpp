#include "ui/paper/line_printer.h"

#include <QPrinter>

namespace kinri::ui {

// Qt sets a printer up for the system's default destination as it is made, asking the print
// system; that is why it is made here, on the print service's thread.
std::unique_ptr<QPrinter> LinePrinter::paperPrinter(const std::atomic<bool>&) {
    return std::make_unique<QPrinter>(QPrinter::HighResolution);
}

} // namespace kinri::ui
