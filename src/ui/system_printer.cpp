#include "ui/system_printer.h"

#include "ui/fonts.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <optional>

#ifdef Q_OS_WIN
#include <QPrinter>
#include <QPrinterInfo>
#else
#include "ui/cups_job.h"
#endif

namespace kinri::ui {
namespace {

// The printer used as a line printer: each line at the print column of its text, one line below
// the other in a fixed-pitch Japanese font of 10 points, a new page when the page is full.
bool paintPrintout(QPagedPaintDevice& device, int resolution, const std::vector<kinri::PrintLine>& job) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    QFont font(fixedFontFamily());
    font.setPointSizeF(10.0);
    painter.setFont(font);
    const QFontMetricsF fm(font, &device);
    // A print column is one half-width character: averageCharWidth() of a CJK font is a
    // full-width advance, which would put column 34 where column 66 belongs.
    const double column = fm.horizontalAdvance(QLatin1Char('0'));
    const double lineStep = fm.lineSpacing();
    const double pageHeight = device.pageLayout().paintRectPixels(resolution).height();

    double baseline = fm.ascent();
    for (const kinri::PrintLine& line : job) {
        if (baseline + fm.descent() > pageHeight) {
            if (!device.newPage()) return false;
            baseline = fm.ascent();
        }
        if (!line.text.empty()) {
            const double x = (line.column - 1) * column;
            painter.drawText(QPointF(x, baseline), QString::fromStdString(line.text));
        }
        baseline += lineStep;
    }
    return painter.end();
}

// The job as a PDF document on `pageSize` (the PDF writer's default, A4, when not given), with
// the writer's default margins and the resolution of a high-resolution printer.
std::optional<QByteArray> pdfDocument(const std::vector<kinri::PrintLine>& job, const QString& title,
                                      const std::optional<QPageSize>& pageSize = std::nullopt) {
    constexpr int kResolution = 1200;
    QByteArray pdf;
    QBuffer buffer(&pdf);
    if (!buffer.open(QIODevice::WriteOnly)) return std::nullopt;
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kResolution);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("金利計算"));
        if (pageSize && pageSize->isValid() && !writer.setPageSize(*pageSize)) return std::nullopt;
        if (!paintPrintout(writer, kResolution, job)) return std::nullopt;
    }
    buffer.close();
    return pdf;
}

#ifdef Q_OS_WIN
// Windows: the platform's default printer through Qt's print engine.
bool printOnDefaultPrinter(const std::vector<kinri::PrintLine>& job, const QString& title) {
    if (QPrinterInfo::defaultPrinter().isNull()) return false;
    QPrinter printer(QPrinter::HighResolution);
    // With no usable printer Qt quietly switches to writing a PDF file; a calculation printout
    // must then fail visibly instead of vanishing into a stray file.
    if (!printer.isValid() || printer.outputFormat() != QPrinter::NativeFormat) return false;
    printer.setDocName(title);
    return paintPrintout(printer, printer.resolution(), job);
}
#else
// CUPS: the default destination, through a conversation that never outlasts the bound.
bool printOnDefaultPrinter(const std::vector<kinri::PrintLine>& job, const QString& title) {
    CupsJob cups(CupsJob::Clock::now() + kPrintJobBound);
    if (!cups.findDestination()) return false;
    std::optional<QPageSize> pageSize;
    if (const std::optional<MediaSize> media = cups.defaultMedia())
        pageSize = QPageSize(QSizeF(media->width, media->length), QPageSize::Millimeter, QString(),
                             QPageSize::FuzzyMatch);
    const std::optional<QByteArray> pdf = pdfDocument(job, title, pageSize);
    if (!pdf) return false;
    return cups.submit(title.toStdString(), pdf->toStdString());
}
#endif

} // namespace

QString printJobTitle(const std::vector<kinri::PrintLine>& job) {
    QString title = QStringLiteral("金利計算");
    for (const kinri::PrintLine& line : job) {
        if (line.text.empty()) continue;
        QString family = QString::fromStdString(line.text).trimmed();
        while (family.startsWith(u'☆'))
            family.remove(0, 1);
        while (family.endsWith(u'☆'))
            family.chop(1);
        family = family.trimmed();
        if (!family.isEmpty()) title += QStringLiteral(" – ") + family;
        break;
    }
    return title;
}

bool SystemLinePrinter::printJob(const std::vector<kinri::PrintLine>& job) {
    const QString title = printJobTitle(job);
    if (!pdfFile_.isEmpty()) {
        const std::optional<QByteArray> pdf = pdfDocument(job, title);
        QSaveFile file(pdfFile_);
        return pdf && file.open(QIODevice::WriteOnly) && file.write(*pdf) == pdf->size() && file.commit();
    }
    const bool printed = printOnDefaultPrinter(job, title);
    // The window did not respond while the print system had it; what the user typed or clicked
    // meanwhile waits in the window system's queue. It goes to its window now: once a message box
    // is up, input to the window behind it would be thrown away.
    QGuiApplication::sync();
    return printed;
}

} // namespace kinri::ui
