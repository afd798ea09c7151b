#include "ui/paper/dialogs.h"

#include "ui/paper/print_layout.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QLocale>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace kinri::ui {
namespace {

void tellFailure(QWidget* parent, const QString& what, const QString& why) {
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("メッセージ"), what + why,
                                QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

// A save dialog opened beside `parent`; `save` gets the chosen path once the user accepts.
void askWhereToSave(QWidget* parent, const QString& fileStem, const QString& suffix, const QString& filter,
                    std::function<void(const QString&)> save) {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (dir.isEmpty()) dir = QDir::homePath();
    const QString name =
        fileStem + QDateTime::currentDateTime().toString(QStringLiteral("_yyyyMMdd-HHmmss.")) + suffix;
    auto* dialog = new QFileDialog(parent, QStringLiteral("保存"), QDir(dir).filePath(name), filter);
    dialog->setObjectName(QStringLiteral("SaveDialog"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(suffix);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &QFileDialog::fileSelected, parent, std::move(save));
    dialog->open();
}

void paintOn(QPrinter* printer, const std::vector<kinri::PrintLine>& job, const PagePainter& lastPage) {
    paintPrintout(*printer, printer->resolution(), job, lastPage);
}

} // namespace

QPageSize localePageSize() {
    return QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                                : QPageSize::A4);
}

QString writeWhole(const QString& path, const QByteArray& data) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    if (file.write(data) != data.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return why;
    }
    if (!file.commit()) return file.errorString();
    return {};
}

void showPrintPreview(QWidget* parent, const std::vector<kinri::PrintLine>& job, const QString& title,
                      const PagePainter& lastPage) {
    auto* preview = new QPrintPreviewDialog(parent);
    preview->setObjectName(QStringLiteral("PrintPreview"));
    preview->setWindowTitle(QStringLiteral("印刷プレビュー – ") + title);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    QPrinter* printer = preview->printer();
    printer->setDocName(title);
    if (QPrinterInfo::defaultPrinter().isNull()) printer->setPageSize(localePageSize());
    QObject::connect(preview, &QPrintPreviewDialog::paintRequested, preview,
                     [job, lastPage](QPrinter* p) { paintOn(p, job, lastPage); });
    preview->open();
}

void printWithDialog(QWidget* parent, const std::vector<kinri::PrintLine>& job, const QString& title,
                     const PagePainter& lastPage) {
    auto* dialog = new QPrintDialog(parent);
    dialog->setObjectName(QStringLiteral("PrintDialog"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QPrinter* printer = dialog->printer();
    printer->setDocName(title);
    if (QPrinterInfo::defaultPrinter().isNull()) printer->setPageSize(localePageSize());
    QObject::connect(dialog, &QDialog::accepted, parent, [parent, printer, job, lastPage] {
        if (!paintPrintout(*printer, printer->resolution(), job, lastPage))
            tellFailure(parent, QStringLiteral("印刷できませんでした："),
                        QStringLiteral("印刷するページを作れませんでした"));
    });
    dialog->open();
}

void savePdfAs(QWidget* parent, const std::vector<kinri::PrintLine>& job, const QString& title,
               const QString& fileStem, const PagePainter& lastPage) {
    askWhereToSave(parent, fileStem, QStringLiteral("pdf"), QStringLiteral("PDF (*.pdf)"),
                   [parent, job, title, lastPage](const QString& path) {
                       const std::optional<QByteArray> pdf =
                           pdfDocument(job, title, localePageSize(), lastPage);
                       const QString why =
                           pdf ? writeWhole(path, *pdf) : QStringLiteral("ページを作れませんでした");
                       if (!why.isEmpty())
                           tellFailure(parent, QStringLiteral("PDFを保存できませんでした："), why);
                   });
}

void saveTextAs(QWidget* parent, const QString& text, const QString& fileStem) {
    askWhereToSave(parent, fileStem, QStringLiteral("txt"), QStringLiteral("テキスト (*.txt)"),
                   [parent, text](const QString& path) {
                       const QString why = writeWhole(path, text.toUtf8());
                       if (!why.isEmpty())
                           tellFailure(parent, QStringLiteral("テキストを保存できませんでした："), why);
                   });
}

void saveCsvAs(QWidget* parent, const QString& text, const QString& fileStem) {
    // Spreadsheet programs on Windows read a CSV file as UTF-8 only when it starts with a BOM.
    const QString plain = QStringLiteral("CSV UTF-8 (*.csv)");
    const QString excel = QStringLiteral("CSV Excel用（BOM付き） (*.csv)");
    askWhereToSave(parent, fileStem, QStringLiteral("csv"), plain + QStringLiteral(";;") + excel,
                   [parent, text, excel](const QString& path) {
                       const auto* dialog = qobject_cast<QFileDialog*>(parent->findChild<QFileDialog*>(
                           QStringLiteral("SaveDialog"), Qt::FindDirectChildrenOnly));
                       const bool bom = dialog != nullptr && dialog->selectedNameFilter() == excel;
                       const QByteArray data =
                           (bom ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + text.toUtf8();
                       const QString why = writeWhole(path, data);
                       if (!why.isEmpty())
                           tellFailure(parent, QStringLiteral("CSVを保存できませんでした："), why);
                   });
}

} // namespace kinri::ui
