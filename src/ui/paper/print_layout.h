#pragma once

#include "compute/print_job.h"

#include <QByteArray>
#include <QPageSize>
#include <QString>

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
// The lines of a printout in parts, one after the other: several printouts (a record) go on paper
// without being copied into one.
using PrintParts = std::vector<std::span<const kinri::PrintLine>>;
bool paintPrintout(QPagedPaintDevice& device, int resolution, const PrintParts& job,
                   const PagePainter& lastPage = {}, const PageStep& step = {});
bool paintPrintout(QPagedPaintDevice& device, int resolution, const std::vector<kinri::PrintLine>& job,
                   const PagePainter& lastPage = {}, const PageStep& step = {});

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
