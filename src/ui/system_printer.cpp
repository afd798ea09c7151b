#include "ui/system_printer.h"

#include "ui/fonts.h"
#include "ui/print_service.h"

#include <QBuffer>
#include <QFontMetricsF>
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
PrintResult printOnDefaultPrinter(const std::vector<kinri::PrintLine>& job, const QString& title,
                                  const std::atomic<bool>&) {
    if (QPrinterInfo::defaultPrinter().isNull()) return {PrintFailure::NoDestination, {}};
    QPrinter printer(QPrinter::HighResolution);
    // With no usable printer Qt quietly switches to writing a PDF file; a calculation printout
    // must then fail visibly instead of vanishing into a stray file.
    if (!printer.isValid() || printer.outputFormat() != QPrinter::NativeFormat)
        return {PrintFailure::NoDestination, {}};
    printer.setDocName(title);
    if (!paintPrintout(printer, printer.resolution(), job)) return {PrintFailure::Refused, {}};
    return {};
}
#else
// CUPS: the default destination, on the page size it prints on, through a conversation that
// never outlasts the bound.
PrintResult printOnDefaultPrinter(const std::vector<kinri::PrintLine>& job, const QString& title,
                                  const std::atomic<bool>& cancelled) {
    CupsJob cups(CupsJob::Clock::now() + kPrintJobBound, cancelled);
    if (PrintResult found = cups.findDestination(); !found.printed()) return found;
    std::optional<QPageSize> pageSize;
    if (const std::optional<MediaSize> media = cups.defaultMedia())
        pageSize = QPageSize(QSizeF(media->width, media->length), QPageSize::Millimeter, QString(),
                             QPageSize::FuzzyMatch);
    const std::optional<QByteArray> pdf = pdfDocument(job, title, pageSize);
    if (!pdf) return {PrintFailure::Rendering, {}};
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
    const std::atomic<bool> waited{false};
    return print(job, waited).printed();
}

PrintResult SystemLinePrinter::print(const std::vector<kinri::PrintLine>& job,
                                     const std::atomic<bool>& cancelled) {
    const QString title = printJobTitle(job);
    if (!pdfFile_.isEmpty()) {
        const std::optional<QByteArray> pdf = pdfDocument(job, title);
        if (!pdf) return {PrintFailure::Rendering, {}};
        QSaveFile file(pdfFile_);
        if (!file.open(QIODevice::WriteOnly) || file.write(*pdf) != pdf->size() || !file.commit())
            return {PrintFailure::Refused, file.errorString()};
        return {};
    }
    PrintResult result = printOnDefaultPrinter(job, title, cancelled);
    qCInfo(printLog).noquote() << title << (result.printed() ? "printed" : "not printed") << result.detail;
    return result;
}

} // namespace kinri::ui
