#pragma once

#include "compute/print_job.h"

#include <QByteArray>
#include <QPageSize>
#include <QString>

#include <deque>
#include <functional>
#include <optional>
#include <span>
#include <vector>

class QIODevice;
class QPagedPaintDevice;
class QPainter;
class QRectF;

namespace kinri::ui {

// The printer used as a line printer: each line at the print column of its text, one line below
// the other in a fixed-pitch Japanese font of 10 points, a new page when the page is full. A line
// wider than the sheet from its column goes on below under the same column, never losing a digit
// of a value at the sheet's edge. False when the device fails.
// `lastPage`, when given, draws one more page after the lines (a chart) in the printable area, in
// device pixels.
// `step`, when given, hears of each page begun after the first (its count of pages so far) and
// stops the work by answering false; a printer is then told to abort, so that nothing prints.
using PagePainter = std::function<void(QPainter&, const QRectF&)>;
using PageStep = std::function<bool(int pages)>;

// The lines of a document in parts, one after the other: several printouts (a record) go on paper
// without being copied into one, with lines of the document's own between them (a record's
// headings with their times), and, when asked, each page numbered 「n / 総ページ数」 at its foot.
// Moved, never copied: the parts may point into the lines it holds.
class PrintParts {
public:
    PrintParts() = default;
    PrintParts(std::span<const kinri::PrintLine> lines) { add(lines); } // NOLINT: a printout is a document
    PrintParts(PrintParts&&) = default;
    PrintParts& operator=(PrintParts&&) = default;

    // Lines held elsewhere, for as long as the pages are being made.
    void add(std::span<const kinri::PrintLine> lines) {
        if (!lines.empty()) parts_.push_back(lines);
    }
    // A line of the document's own.
    void add(kinri::PrintLine line) {
        own_.push_back(std::move(line));
        parts_.emplace_back(&own_.back(), 1);
    }
    void numberPages() { numbered_ = true; }
    bool numbered() const { return numbered_; }
    const std::vector<std::span<const kinri::PrintLine>>& parts() const { return parts_; }

private:
    std::vector<std::span<const kinri::PrintLine>> parts_;
    std::deque<kinri::PrintLine> own_; // a deque: the lines stay where the parts point
    bool numbered_ = false;
};

// Pages are laid out in units of 1/1200 inch whatever the device's resolution, with the font's
// measures at that resolution, so that the preview (drawn at the screen's), the print dialog's
// printer and the PDF break the same lines on the same pages. `lastPage` is given the printable
// area in device pixels.
bool paintPrintout(QPagedPaintDevice& device, const PrintParts& job, const PagePainter& lastPage = {},
                   const PageStep& step = {});

// The job as a PDF document on `pageSize` (the PDF writer's default, A4, when not given), with
// the writer's default margins and the resolution of a high-resolution printer.
std::optional<QByteArray> pdfDocument(const std::vector<kinri::PrintLine>& job, const QString& title,
                                      const std::optional<QPageSize>& pageSize = std::nullopt,
                                      const PagePainter& lastPage = {});
// The same written into `device` (open for writing) as the pages are made; false when the pages
// could not be made or `step` stopped them.
bool writePdf(QIODevice& device, const PrintParts& job, const QString& title,
              const std::optional<QPageSize>& pageSize, const PagePainter& lastPage = {},
              const PageStep& step = {});

} // namespace kinri::ui
