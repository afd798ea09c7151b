#include "ui/system_printer.h"

#include "ui/fonts.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace kinri::ui {

bool SystemLinePrinter::printJob(const std::vector<kinri::PrintLine>& job) {
    QPrinter printer(QPrinter::HighResolution);
    if (pdfFile_.isEmpty()) {
        // With no printer installed Qt quietly switches to writing a PDF file; a calculation
        // printout must then fail visibly instead of vanishing into a stray file.
        if (QPrinterInfo::defaultPrinter().isNull() || printer.outputFormat() != QPrinter::NativeFormat)
            return false;
    } else {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfFile_);
    }
    printer.setDocName(QStringLiteral("金利計算"));

    QPainter painter;
    if (!painter.begin(&printer)) return false;
    QFont font(fixedFontFamily());
    font.setPointSizeF(10.0);
    painter.setFont(font);
    const QFontMetricsF fm(font, &printer);
    // A print column is one half-width character: averageCharWidth() of a CJK font is a
    // full-width advance, which would put column 34 where column 66 belongs.
    const double column = fm.horizontalAdvance(QLatin1Char('0'));
    const double lineStep = fm.lineSpacing();
    const double pageHeight = printer.pageLayout().paintRectPixels(printer.resolution()).height();

    double baseline = fm.ascent();
    for (const kinri::PrintLine& line : job) {
        if (baseline + fm.descent() > pageHeight) {
            if (!printer.newPage()) return false;
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

} // namespace kinri::ui
