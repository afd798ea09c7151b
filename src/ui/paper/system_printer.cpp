#include "ui/paper/system_printer.h"

#include "ui/paper/print_layout.h"
#include "ui/paper/print_service.h"
#include "ui/paper/whole_file.h"

#include <QPageSize>
#include <QSizeF>

#include <optional>

#ifdef Q_OS_WIN
#include <QPrinter>
#include <QPrinterInfo>
#else
#include "ui/paper/cups_job.h"
#endif

namespace kinri::ui {
namespace {

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
    if (!paintPrintout(printer, PrintParts{job})) return {PrintFailure::Refused, {}};
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

bool SystemLinePrinter::printJob(const std::vector<kinri::PrintLine>& job) {
    const std::atomic<bool> waited{false};
    return print(job, waited).printed();
}

PrintResult SystemLinePrinter::print(const std::vector<kinri::PrintLine>& job,
                                     const std::atomic<bool>& cancelled) {
    return printNamed(job, QStringLiteral("金利計算"), cancelled);
}

PrintResult SystemLinePrinter::printNamed(const std::vector<kinri::PrintLine>& job, const QString& name,
                                          const std::atomic<bool>& cancelled) {
    if (!pdfFile_.isEmpty()) {
        const std::optional<QByteArray> pdf = pdfDocument(job, name);
        if (!pdf) return {PrintFailure::Rendering, {}};
        if (const QString why = writeWhole(pdfFile_, *pdf); !why.isEmpty())
            return {PrintFailure::Refused, why};
        return {};
    }
    PrintResult result = printOnDefaultPrinter(job, name, cancelled);
    qCInfo(printLog).noquote() << name << (result.printed() ? "printed" : "not printed") << result.detail;
    return result;
}

} // namespace kinri::ui
