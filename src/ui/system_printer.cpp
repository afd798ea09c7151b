#include "ui/system_printer.h"

#include "ui/print_layout.h"

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
