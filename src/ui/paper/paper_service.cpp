#include "ui/paper/paper_service.h"

#include "compute/app_state.h"
#include "ui/common/memory.h"
#include "ui/common/messages.h"
#include "ui/common/qt_text.h"
#include "ui/paper/print_layout.h"
#include "ui/paper/print_service.h"
#include "ui/paper/print_wait.h"
#include "ui/paper/whole_file.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QGridLayout>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>

namespace kinri::ui {
namespace {

void tellFailure(QWidget* parent, const QString& what, const QString& why) {
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("メッセージ"), what + why,
                                QMessageBox::Ok, parent);
    box->setObjectName(QStringLiteral("PaperFailure"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

// A long job's pages drawn on `device`, showing its progress over `parent`; false when the device
// failed or the user cancelled (then `cancelled` is set).
bool paintWithProgress(QWidget* parent, QPagedPaintDevice& device, const PrintParts& job,
                       const PagePainter& lastPage, bool& cancelled) {
    Progress progress(parent, QStringLiteral("ページを作成しています…"));
    const bool painted = paintPrintout(device, job, lastPage,
                                       [&progress](int pages) { return progress.step(pages); });
    cancelled = progress.cancelled();
    return painted && !cancelled;
}

} // namespace

QPageSize localePageSize() {
    return QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                                : QPageSize::A4);
}

// --- long work -------------------------------------------------------------------------------

// While the work goes on, what the user types or clicks anywhere but in the progress dialog is
// dropped: once the work is over it would act on whatever has the focus then (a Ctrl+Plus typed
// while a PDF was being made zoomed the program afterwards).
struct Progress::Dialog : QObject {
    QPointer<QWidget> parent;
    QString what;
    QElapsedTimer started, lastEvents;
    std::unique_ptr<QProgressDialog> shown;

    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::InputMethod:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu: {
            const auto* widget = qobject_cast<QWidget*>(watched);
            return !(shown && widget != nullptr && widget->window() == shown.get());
        }
        default:
            return false;
        }
    }
};

Progress::Progress(QWidget* parent, const QString& what) : dialog_(std::make_unique<Dialog>()) {
    dialog_->parent = parent;
    dialog_->what = what;
    dialog_->started.start();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    qApp->installEventFilter(dialog_.get());
}

// The memory a long job took goes back to the system, not only to the heap: now, and once more
// when whoever held the job's lines (a dialog, a window's command) has let them go.
Progress::~Progress() {
    dialog_->shown.reset();
    QCoreApplication::processEvents(); // what was typed meanwhile, to be dropped
    qApp->removeEventFilter(dialog_.get());
    QApplication::restoreOverrideCursor();
    returnFreedMemory();
    QTimer::singleShot(200, qApp, [] { returnFreedMemory(); });
}

bool Progress::step(int done) {
    constexpr int kShowAfterMs = 500, kEventsEveryMs = 50;
    Dialog& d = *dialog_;
    if (!d.shown && d.started.elapsed() >= kShowAfterMs) {
        // Modal to the whole program: the other windows rest, and what is typed or clicked in them
        // is dropped rather than acted on afterwards.
        d.shown = std::make_unique<QProgressDialog>(d.what, QStringLiteral("キャンセル"), 0, 0, d.parent);
        d.shown->setObjectName(QStringLiteral("PaperProgress"));
        d.shown->setWindowTitle(QStringLiteral("金利計算"));
        d.shown->setWindowModality(Qt::ApplicationModal);
        d.shown->setMinimumDuration(0);
        d.shown->setAutoReset(false);
        d.shown->setAutoClose(false);
        QObject::connect(d.shown.get(), &QProgressDialog::canceled, [this] { cancelled_ = true; });
        d.shown->show();
        d.lastEvents.invalidate();
    }
    if (d.shown && (!d.lastEvents.isValid() || d.lastEvents.elapsed() >= kEventsEveryMs)) {
        d.shown->setLabelText(d.what + QStringLiteral("（%1）").arg(done));
        QCoreApplication::processEvents();
        d.lastEvents.start();
    }
    return !cancelled_;
}

// --- the service -----------------------------------------------------------------------------

PaperService::PaperService(PrintService& printing, AppState& state) : printing_(printing), state_(state) {}

PaperService::~PaperService() = default;

QString PaperService::saveFolder() const {
    if (!state_.saveFolder.empty()) {
        const QString last = QString::fromStdString(state_.saveFolder);
        if (QDir(last).exists()) return last;
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

// A save dialog opened beside `parent`; `save` gets the chosen path and filter once the user
// accepts, and the folder is remembered for the next.
void PaperService::askWhereToSave(QWidget* parent, const QString& fileStem, const QString& suffix,
                                  const QString& filters,
                                  std::function<void(const QString& path, const QString& filter)> save,
                                  QWidget* extra) {
    const QString name =
        fileStem + QDateTime::currentDateTime().toString(QStringLiteral("_yyyyMMdd-HHmmss.")) + suffix;
    auto* dialog =
        new QFileDialog(parent, QStringLiteral("保存"), QDir(saveFolder()).filePath(name), filters);
    dialog->setObjectName(QStringLiteral("SaveDialog"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(suffix);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    if (extra != nullptr) {
        // A choice of what to write goes under the file name: only the program's own dialog has
        // room for it.
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        if (auto* grid = qobject_cast<QGridLayout*>(dialog->layout()))
            grid->addWidget(extra, grid->rowCount(), 0, 1, grid->columnCount());
    }
    QObject::connect(dialog, &QFileDialog::fileSelected, parent,
                     [this, dialog, save = std::move(save)](const QString& path) {
                         state_.saveFolder = QFileInfo(path).absolutePath().toStdString();
                         save(path, dialog->selectedNameFilter());
                     });
    dialog->open();
}

// --- the printer of preview and the print dialog --------------------------------------------

namespace {

// Waits for the print service to set up the printer, without holding the window: once there, it
// goes to `ready`. After a moment a note says what it waits for, with 「キャンセル」; at the bound of
// a print job it gives up and says so. Goes with its window.
class PrinterAsk : public QObject {
public:
    PrinterAsk(QWidget* parent, PrintService& printing, std::function<void(std::shared_ptr<QPrinter>)> ready)
        : QObject(parent), parent_(parent), ticket_(printing.setUpPrinter()), ready_(std::move(ready)) {
        connect(&printing, &PrintService::jobDone, this, &PrinterAsk::check, Qt::QueuedConnection);
        QTimer::singleShot(0, this, &PrinterAsk::check); // it may be done already
        QTimer::singleShot(PrintWait::kBusyCursorDelay, this, &PrinterAsk::showNote);
        QTimer::singleShot(kPrintJobBound, this, [this] {
            if (done_) return;
            done_ = true;
            deleteLater();
            tellFailure(parent_, QStringLiteral("プリンタの情報を取得できませんでした："),
                        qs(kTimedOutReason));
        });
    }
    ~PrinterAsk() override { ticket_->cancel(); }

private:
    void check() {
        if (!ticket_->done() || done_) return;
        done_ = true;
        deleteLater();
        note_.reset();
        std::shared_ptr<QPrinter> printer = ticket_->takePrinter();
        if (printer) {
            ready_(std::move(printer));
        } else {
            tellFailure(parent_, QStringLiteral("プリンタの情報を取得できませんでした："),
                        printFailureText(ticket_->result()).section(u'：', 1));
        }
    }

    void showNote() {
        if (done_) return;
        note_ = std::make_unique<QProgressDialog>(QStringLiteral("プリンタの情報を取得しています…"),
                                                  QStringLiteral("キャンセル"), 0, 0, parent_);
        note_->setObjectName(QStringLiteral("PrinterWait"));
        note_->setWindowTitle(QStringLiteral("金利計算"));
        note_->setWindowModality(Qt::NonModal); // the windows go on, and close, meanwhile
        connect(note_.get(), &QProgressDialog::canceled, this, [this] {
            done_ = true;
            deleteLater();
        });
        note_->show();
    }

    QWidget* parent_;
    std::shared_ptr<PrintTicket> ticket_;
    std::function<void(std::shared_ptr<QPrinter>)> ready_;
    std::unique_ptr<QProgressDialog> note_;
    bool done_ = false;
};

// The printer at the screen's resolution, as preview and the print dialog have always drawn, on
// the locale's page size when it prints to no printer of the system.
void prepare(QPrinter& printer, const QString& title) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    printer.setResolution(screen != nullptr ? qRound(screen->logicalDotsPerInchY()) : 96);
    printer.setDocName(title);
    if (printer.outputFormat() != QPrinter::NativeFormat) printer.setPageSize(localePageSize());
}

} // namespace

void PaperService::withPrinter(QWidget* parent, std::function<void(std::shared_ptr<QPrinter>)> ready) {
    new PrinterAsk(parent, printing_, std::move(ready));
}

PaperService::Lines PaperService::linesOf(std::vector<kinri::PrintLine> job) {
    return [job = std::make_shared<const std::vector<kinri::PrintLine>>(std::move(job))] {
        return PrintParts{*job};
    };
}

void PaperService::preview(QWidget* parent, Lines job, const QString& title, PagePainter lastPage) {
    withPrinter(parent, [parent, job = std::move(job), title, lastPage](std::shared_ptr<QPrinter> printer) {
        prepare(*printer, title);
        auto* preview = new QPrintPreviewDialog(printer.get(), parent);
        preview->setObjectName(QStringLiteral("PrintPreview"));
        preview->setWindowTitle(QStringLiteral("印刷プレビュー – ") + title);
        preview->setAttribute(Qt::WA_DeleteOnClose);
        connect(preview, &QObject::destroyed, [printer] {}); // the printer lives as long as its preview
        connect(preview, &QPrintPreviewDialog::paintRequested, preview,
                [preview, job, lastPage](QPrinter* p) {
                    bool cancelled = false;
                    paintWithProgress(preview, *p, job(), lastPage, cancelled);
                });
        preview->open();
    });
}

void PaperService::print(QWidget* parent, Lines job, const QString& title, PagePainter lastPage) {
    withPrinter(parent, [parent, job = std::move(job), title, lastPage](std::shared_ptr<QPrinter> printer) {
        prepare(*printer, title);
        auto* dialog = new QPrintDialog(printer.get(), parent);
        dialog->setObjectName(QStringLiteral("PrintDialog"));
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        connect(dialog, &QDialog::accepted, parent, [parent, printer, job, lastPage] {
            bool cancelled = false;
            if (!paintWithProgress(parent, *printer, job(), lastPage, cancelled) &&
                !cancelled)
                tellFailure(parent, qs(kPrintFailedPrefix), qs(kRenderingReason));
        });
        dialog->open();
    });
}

void PaperService::savePdf(QWidget* parent, Lines job, const QString& title, const QString& fileStem,
                           PagePainter lastPage) {
    askWhereToSave(
        parent, fileStem, QStringLiteral("pdf"), QStringLiteral("PDF (*.pdf)"),
        [this, parent, job = std::move(job), title, lastPage](const QString& path, const QString&) {
            writePdfFile(parent, path, job(), title, lastPage);
        });
}

// Into the file as the pages are made, never whole in memory; a full disk stops it.
bool PaperService::writePdfFile(QWidget* parent, const QString& path, const PrintParts& job,
                                const QString& title, const PagePainter& lastPage) {
    WholeFile file(path);
    Progress progress(parent, QStringLiteral("PDFを作成しています…"));
    const bool made = file.open() && writePdf(file, job, title, localePageSize(), lastPage, [&](int pages) {
                          return file.why().isEmpty() && progress.step(pages);
                      });
    if (progress.cancelled()) return false;
    if (made && file.commit()) return true;
    file.discard();
    tellFailure(parent, QStringLiteral("PDFを保存できませんでした："),
                file.why().isEmpty() ? QStringLiteral("ページを作れませんでした") : file.why());
    return false;
}

void PaperService::saveText(QWidget* parent, const QString& text, const QString& fileStem) {
    askWhereToSave(parent, fileStem, QStringLiteral("txt"), QStringLiteral("テキスト (*.txt)"),
                   [parent, text](const QString& path, const QString&) {
                       const QString why = writeWhole(path, text.toUtf8());
                       if (!why.isEmpty())
                           tellFailure(parent, QStringLiteral("テキストを保存できませんでした："), why);
                   });
}

void PaperService::saveCsv(QWidget* parent, std::function<QString(bool rowsOnly)> text,
                           const QString& fileStem) {
    // Spreadsheet programs on Windows read a CSV file as UTF-8 only when it starts with a BOM.
    const QString plain = QStringLiteral("CSV UTF-8 (*.csv)");
    const QString excel = QStringLiteral("CSV Excel用（BOM付き） (*.csv)");
    auto* rowsOnly = new QCheckBox(QStringLiteral("表の行だけを保存する（計算条件と合計の行を付けない）"));
    rowsOnly->setObjectName(QStringLiteral("RowsOnly"));
    rowsOnly->setChecked(state_.exportRowsOnly);
    askWhereToSave(
        parent, fileStem, QStringLiteral("csv"), plain + QStringLiteral(";;") + excel,
        [this, parent, text = std::move(text), excel, rowsOnly](const QString& path, const QString& filter) {
            state_.exportRowsOnly = rowsOnly->isChecked();
            const QByteArray bom = filter == excel ? QByteArray("\xEF\xBB\xBF") : QByteArray();
            const QString why = writeWhole(path, bom + text(state_.exportRowsOnly).toUtf8());
            if (!why.isEmpty()) tellFailure(parent, QStringLiteral("CSVを保存できませんでした："), why);
        },
        rowsOnly);
}

bool PaperService::rowsOnly() const {
    return state_.exportRowsOnly;
}

} // namespace kinri::ui
