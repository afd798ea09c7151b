#pragma once

#include "compute/print_job.h"
#include "ui/paper/print_layout.h"

#include <QPageSize>
#include <QString>

#include <vector>

class QByteArray;
class QWidget;

namespace kinri::ui {

// Paper without 計算後印刷: a printout previewed, printed through the system's print dialog or
// saved as a PDF file, each the very pages the printer gets from 計算後印刷 (the one renderer,
// paintPrintout), and text saved as a file. Every dialog is opened, not run: the windows go on
// while it shows. A file is written whole or not at all; a failure gets a message that says why.

// The page size of the user's locale, for paper no printer decides: Letter where the locale
// measures in US units, A4 everywhere else (Japan included).
QPageSize localePageSize();

// 「印刷プレビュー」: the pages on the default printer's page size, or the locale's without one.
// `lastPage` adds a page of its own after the lines (a chart).
void showPrintPreview(QWidget* parent, const std::vector<kinri::PrintLine>& job, const QString& title,
                      const PagePainter& lastPage = {});
// 「印刷…」: the system's print dialog (printer, copies, page size), then the pages.
void printWithDialog(QWidget* parent, const std::vector<kinri::PrintLine>& job, const QString& title,
                     const PagePainter& lastPage = {});
// 「PDFとして保存…」: a save dialog, then the pages on the locale's page size.
void savePdfAs(QWidget* parent, const std::vector<kinri::PrintLine>& job, const QString& title,
               const QString& fileStem, const PagePainter& lastPage = {});
// 「テキストとして保存…」: a save dialog, then `text` in UTF-8.
void saveTextAs(QWidget* parent, const QString& text, const QString& fileStem);
// 「CSVとして保存…」: a save dialog offering plain UTF-8 or 「Excel用（BOM付き）」, then `text`.
void saveCsvAs(QWidget* parent, const QString& text, const QString& fileStem);

// `data` as the whole of `path`, by way of a temporary file renamed into place; the reason when it
// could not be written (nothing is left behind then).
QString writeWhole(const QString& path, const QByteArray& data);

} // namespace kinri::ui
