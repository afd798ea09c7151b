#pragma once

#include "compute/print_job.h"
#include "ui/paper/print_layout.h"

#include <QObject>
#include <QPageSize>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QPrinter;
class QWidget;

namespace kinri {
class AppState;
}

namespace kinri::ui {

class PrintService;

// Paper and files without 計算後印刷, for every window of the program, for the program's life: a
// printout previewed, printed through the system's print dialog or saved as a PDF file, each the
// very pages the printer gets from 計算後印刷 (the one renderer, paintPrintout), and text saved
// as a file.
//
// Nothing here holds a window: every dialog is opened, not run; the printer that preview and the
// print dialog draw on is set up on the print service's thread (the print system may not answer),
// and while it is not there a note with 「キャンセル」 says so; long work shows its progress after
// half a second and can be cancelled, the program's other windows resting meanwhile. A file is
// written whole or not at all (WholeFile), and a failure says why. Save dialogs open in the
// user's documents folder, then in the last folder saved to.
class PaperService : public QObject {
    Q_OBJECT
public:
    // The lines to put on paper, asked for when the pages are made (a record's, as it is then).
    using Lines = std::function<PrintParts()>;
    // Lines that are `job`, held for as long as they are wanted.
    static Lines linesOf(std::vector<kinri::PrintLine> job);

    PaperService(PrintService& printing, AppState& state);
    ~PaperService() override;

    PrintService& printing() { return printing_; }

    // 「印刷プレビュー」: the pages on the default printer's page size, or the locale's without one.
    // `lastPage` adds a page of its own after the lines (a chart).
    void preview(QWidget* parent, Lines job, const QString& title, PagePainter lastPage = {});
    // 「印刷…」: the system's print dialog (printer, copies, page size), then the pages.
    void print(QWidget* parent, Lines job, const QString& title, PagePainter lastPage = {});
    // 「PDFとして保存…」: a save dialog, then the pages on the locale's page size.
    void savePdf(QWidget* parent, Lines job, const QString& title, const QString& fileStem,
                 PagePainter lastPage = {});
    // The pages written as a PDF file at `path`, the progress shown over `parent`; false when
    // cancelled or not written, with a message that says why unless cancelled.
    bool writePdfFile(QWidget* parent, const QString& path, const PrintParts& job, const QString& title,
                      const PagePainter& lastPage = {});
    // 「テキストとして保存…」: a save dialog, then `text` in UTF-8.
    void saveText(QWidget* parent, const QString& text, const QString& fileStem);
    // 「CSVとして保存…」: a save dialog offering plain UTF-8 or 「Excel用（BOM付き）」 and a check box
    // for the rows alone (remembered while the program runs, for copies too), then `text` of that.
    void saveCsv(QWidget* parent, std::function<QString(bool rowsOnly)> text, const QString& fileStem);
    bool rowsOnly() const;

    // The folder a save dialog opens in.
    QString saveFolder() const;

private:
    void askWhereToSave(QWidget* parent, const QString& fileStem, const QString& suffix,
                        const QString& filters,
                        std::function<void(const QString& path, const QString& filter)> save,
                        QWidget* extra = nullptr);
    // `ready` gets the printer once the print service has set it up.
    void withPrinter(QWidget* parent, std::function<void(std::shared_ptr<QPrinter>)> ready);

    PrintService& printing_;
    AppState& state_;
};

// The page size of the user's locale, for paper no printer decides: Letter where the locale
// measures in US units, A4 everywhere else (Japan included).
QPageSize localePageSize();

// How a long piece of work goes: `step(done)` after each page (or row) it finishes, false to stop
// it. Shows a progress dialog over `parent` once the work has taken half a second, with
// 「キャンセル」, and a busy cursor; the program's windows rest meanwhile, and what is typed or
// clicked in them is dropped, not kept for later.
class Progress {
public:
    Progress(QWidget* parent, const QString& what);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // False once the user has cancelled.
    bool step(int done);
    bool cancelled() const { return cancelled_; }

private:
    struct Dialog;
    std::unique_ptr<Dialog> dialog_;
    bool cancelled_ = false;
};

} // namespace kinri::ui
