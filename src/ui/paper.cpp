#include "ui/paper.h"

#include "ui/print_layout.h"

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

void paintOn(QPrinter* printer, const std::vector<kinri::PrintLine>& job) {
    paintPrintout(*printer, printer->resolution(), job);
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

void showPrintPreview(QWidget* parent, const std::vector<kinri::PrintLine>& job, const QString& title) {
    auto* preview = new QPrintPreviewDialog(parent);
    preview->setObjectName(QStringLiteral("PrintPreview"));
    preview->setWindowTitle(QStringLiteral("印刷プレビュー – ") + title);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    QPrinter* printer = preview->printer();
    printer->setDocName(title);
    if (QPrinterInfo::defaultPrinter().isNull()) printer->setPageSize(localePageSize());
    QObject::connect(preview, &QPrintPreviewDialog::paintRequested, preview,
                     [job](QPrinter* p) { paintOn(p, job); });
    preview->open();
}

void printWithDialog(QWidget* parent, const std::vector<kinri::PrintLine>& job, const QString& title) {
    auto* dialog = new QPrintDialog(parent);
    dialog->setObjectName(QStringLiteral("PrintDialog"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QPrinter* printer = dialog->printer();
    printer->setDocName(title);
    if (QPrinterInfo::defaultPrinter().isNull()) printer->setPageSize(localePageSize());
    QObject::connect(dialog, &QDialog::accepted, parent, [parent, printer, job] {
        if (!paintPrintout(*printer, printer->resolution(), job))
            tellFailure(parent, QStringLiteral("印刷できませんでした："),
                        QStringLiteral("印刷するページを作れませんでした"));
    });
    dialog->open();
}

void savePdfAs(QWidget* parent, const std::vector<kinri::PrintLine>& job, const QString& title,
               const QString& fileStem) {
    askWhereToSave(parent, fileStem, QStringLiteral("pdf"), QStringLiteral("PDF (*.pdf)"),
                   [parent, job, title](const QString& path) {
                       const std::optional<QByteArray> pdf = pdfDocument(job, title, localePageSize());
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

} // namespace kinri::ui
