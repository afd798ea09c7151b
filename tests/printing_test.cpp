// Printing: a printer that refuses a job or stops part-way through one, the printed page of the
// system printer, read back from the PDF it writes, and paper from the one calculation of a click.
#include "schedule/schedule.h"
#include "support/program.h"
#include "ui/calculator/click_controller.h"
#include "ui/paper/paper_service.h"
#include "ui/paper/print_layout.h"
#include "ui/paper/system_printer.h"
#include "ui/record/record_model.h"
#include "ui/record/record_window.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLoggingCategory>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <cmath>

using namespace kinri;
using namespace kinri::test;
using Button = QMessageBox::StandardButton;
using Fault = FailingPrinter::Fault;

namespace {

struct PdfWord {
    double xMin, yMin, xMax;
    QString text;
};

// The words as pdftotext reads them from the text layer: the characters printed, not their
// look-alike radicals (金, not ⾦), so that searching and copying work.
QList<PdfWord> pdfWords(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    p.waitForFinished(30000);
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression re(QStringLiteral(
        R"re(<word xMin="([-\d.]+)" yMin="([-\d.]+)" xMax="([-\d.]+)" yMax="[-\d.]+">([^<]*)</word>)re"));
    QList<PdfWord> words;
    for (auto it = re.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        words.append(
            {m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(), m.captured(4)});
    }
    return words;
}

QString pdfText(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// What the printing side logs to kinri.print while it lives.
struct PrintLog {
    static inline QStringList lines;
    QtMessageHandler previous;
    PrintLog() {
        lines.clear();
        QLoggingCategory::setFilterRules(QStringLiteral("kinri.print.info=true"));
        previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext& c, const QString& m) {
            if (QLatin1String(c.category) == QLatin1String("kinri.print")) lines.append(m);
        });
    }
    ~PrintLog() {
        qInstallMessageHandler(previous);
        QLoggingCategory::setFilterRules({});
    }
};

} // namespace

class PrintingTest : public ProgramTest {
    Q_OBJECT

private slots:
    void printerFailure_data();
    void printerFailure();
    void clicksWhileThePrinterWaits_data();
    void clicksWhileThePrinterWaits();
    void printedPageLayout();
    void longPrintoutContinuesOnTheNextPage();
    void longLinesWrapWithinThePage_data();
    void longLinesWrapWithinThePage();
    void noPrinterInstalled();
    void savedAsPdf_data();
    void savedAsPdf();
    void everyUseTakesTheClicksCalculation_data();
    void everyUseTakesTheClicksCalculation();
    void printSystemThatNeverAnswers();
    void longPdfShowsProgressAndCancels();
    void recordPdfAsPreviewed();
};

// After a number of good jobs the printer refuses a job or stops part-way through it. The click
// shows its result and the error message; the selection, printing switched on and the print
// switch stay as they were; once the printer works again, so does printing.
void PrintingTest::printerFailure_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("goodJobs");
    QTest::addColumn<int>("linesSent"); // before the printer stops by throwing; -1: it refuses the job
    QTest::newRow("ZOVAN2 refuses the first job") << "SP" << 0 << -1;
    QTest::newRow("ZOVAN2 stops part-way after 3 jobs") << "SP" << 3 << 9;
    QTest::newRow("ZOVAN3 refuses after a job") << "FA" << 1 << -1;
    QTest::newRow("ZOVAN3 stops on the first line") << "FA" << 0 << 0;
    QTest::newRow("ZOVAN3 stops in the rows after 3 jobs") << "KAA" << 3 << 20;
    QTest::newRow("ZOVAN4 stops before the last line") << "KA3R" << 1 << 13;
    QTest::newRow("ZOVAN5 refuses after 3 jobs") << "KA4C" << 3 << -1;
    QTest::newRow("ZOVAN5 stops part-way") << "TA2" << 0 << 10;
}

void PrintingTest::printerFailure() {
    QFETCH(QString, item);
    QFETCH(int, goodJobs);
    QFETCH(int, linesSent);
    const Fault fault = linesSent < 0 ? Fault::Refuse : Fault::Throw;
    ui::CalculatorWindow* w = p_->choose(item);
    QVERIFY(w != nullptr);
    QStringList inputs = exampleInputs(item.toStdString());
    QCOMPARE(p_->switchPrinting(w, Button::Yes), QStringList{"print question"});
    p_->printer.failAfter(goodJobs, fault, static_cast<std::size_t>(std::max(linesSent, 0)));
    const QString first = inputs.at(0);
    for (int j = 0; j < goodJobs; ++j) {
        // Each job's result differs from the last.
        inputs[0] = first + QString::number(j);
        typeInputs(w, inputs);
        QCOMPARE(p_->compute(w), QStringList{});
        QCOMPARE(jobText(p_->printer.jobs.back()),
                 jobText(runCalculation(item.toStdString(), toStd(inputs), true).printJob));
    }
    QVERIFY(p_->printer.failsNext());

    inputs[0] = QStringLiteral("2") + first;
    typeInputs(w, inputs);
    const Outcome core = runCalculation(item.toStdString(), toStd(inputs), true);
    QCOMPARE(core.message, Message::None);
    ui::CaptionLabel* s = w->form().printSwitch;
    const QRect place = s->geometry();
    const QColor colour = s->palette().color(QPalette::Window);
    const QList<int> selected = codes(p_->main.state());

    const PrintLog log;
    w->form().compute->click();
    const std::vector<SeenBox> seen = p_->boxes.takeSeen();
    QCOMPARE(seen.size(), std::size_t{1});
    QCOMPARE(seen[0].name(), QStringLiteral("calculation error"));
    // Why, under 「詳細」 and in the log; the message itself is the calculation error's.
    const QString why = fault == Fault::Refuse
                            ? QStringLiteral("印刷できませんでした：プリンタが印刷を受け付けませんでした")
                            : QStringLiteral("印刷できませんでした：印刷が途中で止まりました");
    QCOMPARE(seen[0].details, why);
    QCOMPARE(log.lines, QStringList{why});
    QCOMPARE(shownResult(w), shownResult(core));
    QCOMPARE(p_->printer.failures, 1);
    QCOMPARE(p_->printer.jobs.size(), static_cast<std::size_t>(goodJobs));
    if (fault == Fault::Throw)
        QCOMPARE(jobText(p_->printer.partial), jobText(core.printJob).first(linesSent));
    QCOMPARE(codes(p_->main.state()), selected);
    QVERIFY(p_->main.state().printAfterCalc());
    QCOMPARE(s->text(), QStringLiteral("計算後印刷"));
    QCOMPARE(s->palette().color(QPalette::Window), colour);
    QCOMPARE(s->geometry(), place);
    QVERIFY(w->isVisible());
    QVERIFY(!p_->main.isVisible());

    QCOMPARE(p_->compute(w), QStringList{});
    QCOMPARE(p_->printer.jobs.size(), static_cast<std::size_t>(goodJobs) + 1);
    QCOMPARE(jobText(p_->printer.jobs.back()), jobText(core.printJob));
}

// A click waits two seconds for its printer. Meanwhile a second 計算, Menu, the print switch and
// クリヤ do nothing, keys typed into Text1 reach it in order once the click is over, and the cursor
// shows the wait; or the window is closed, which ends the program at once and gives the job up.
void PrintingTest::clicksWhileThePrinterWaits_data() {
    QTest::addColumn<bool>("close");
    QTest::newRow("clicks and keys") << false;
    QTest::newRow("the window closed") << true;
}

void PrintingTest::clicksWhileThePrinterWaits() {
    QFETCH(bool, close);
    ui::CalculatorWindow* w = p_->choose(QStringLiteral("SP"));
    QCOMPARE(p_->switchPrinting(w, Button::Yes), QStringList{"print question"});
    typeInputs(w, exampleInputs("SP"));
    p_->printer.delay = std::chrono::milliseconds(2000);
    const QString typed = inputBox(w, 1)->text();
    bool busy = false;
    QTimer::singleShot(500, w, [&] {
        busy = QApplication::overrideCursor() != nullptr;
        p_->boxes.answer(Button::No);
        for (QWidget* control :
             {static_cast<QWidget*>(w->form().compute), static_cast<QWidget*>(w->form().menu),
              static_cast<QWidget*>(w->form().printSwitch), static_cast<QWidget*>(w->form().clear)})
            QTest::mouseClick(control, Qt::LeftButton);
        QTest::keyClicks(inputBox(w, 1), QStringLiteral("78"));
        if (close) w->close();
    });
    QElapsedTimer clock;
    clock.start();
    const QStringList boxes = p_->compute(w);
    QTest::qWait(50);
    QCOMPARE(p_->ends.size(), close ? 1 : 0);
    QCOMPARE(boxes, QStringList{});
    QVERIFY(busy);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    QCOMPARE(p_->printer.attempts, close ? 0 : 1);
    QVERIFY2(close ? clock.elapsed() < 1500 : clock.elapsed() >= 2000,
             qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(inputBox(w, 1)->text(), close ? typed : typed + QStringLiteral("78"));
    QCOMPARE(w->isVisible(), !close);
    QVERIFY(p_->main.state().printAfterCalc());
}

void PrintingTest::printedPageLayout() {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString pdf = dir.filePath(QStringLiteral("fa.pdf"));
    const Outcome fa = runCalculation("FA", {"1000", "0.05", "3"}, true);
    ui::SystemLinePrinter printer(pdf);
    QVERIFY(printer.printJob(fa.printJob));
    QVERIFY(QFile::exists(pdf));

    const QString text = pdfText(pdf);
    for (const char* expected : {"☆☆複利の利息計算☆☆", "元金=1000", "利率=0.05", "期間=3", "複利の元利合計",
                                 "1050.000", "1102.500", "1157.625"})
        QVERIFY2(text.contains(QString::fromUtf8(expected)),
                 qPrintable(QString::fromUtf8(expected) + u'\n' + text));
    QVERIFY(text.indexOf(QStringLiteral("☆☆")) < text.indexOf(QStringLiteral("元金=1000")));
    QVERIFY(text.indexOf(QStringLiteral("1050.000")) < text.indexOf(QStringLiteral("1102.500")));
    QVERIFY(text.indexOf(QStringLiteral("1102.500")) < text.indexOf(QStringLiteral("1157.625")));

    const QList<PdfWord> words = pdfWords(pdf);
    const auto find = [&words](const QString& t, double y = -1) -> const PdfWord* {
        for (const PdfWord& w : words)
            if (w.text == t && (y < 0 || std::abs(w.yMin - y) < 1.0)) return &w;
        return nullptr;
    };
    const PdfWord* header = find(QStringLiteral("☆☆複利の利息計算☆☆"));
    const PdfWord* principal = find(QStringLiteral("元金=1000"));
    const PdfWord* v1 = find(QStringLiteral("1050.000"));
    const PdfWord* v2 = find(QStringLiteral("1102.500"));
    const PdfWord* v3 = find(QStringLiteral("1157.625"));
    QVERIFY(header && principal && v1 && v2 && v3);
    const PdfWord* row1 = find(QStringLiteral("1"), v1->yMin);
    QVERIFY(row1 != nullptr);

    // The rows line up, and every text line starts at the same column.
    QVERIFY(std::abs(v2->xMin - v1->xMin) < 0.1 && std::abs(v3->xMin - v1->xMin) < 0.1);
    QVERIFY(std::abs(principal->xMin - header->xMin) < 0.1);

    // Row "     1     1050.000" at column 34: the number at column 39, the value at column 45.
    const double halfWidth = (v1->xMin - row1->xMin) / 6.0;
    QVERIFY2(halfWidth > 1.0, qPrintable(QString::number(halfWidth)));
    QVERIFY2(std::abs((row1->xMin - header->xMin) - 5 * halfWidth) < 0.5 * halfWidth,
             qPrintable(QStringLiteral("row number at %1, header at %2, half-width %3")
                            .arg(row1->xMin)
                            .arg(header->xMin)
                            .arg(halfWidth)));
    // Column 34 is 33 half-widths from the printable area's left edge, not 33 full widths.
    QPrinter defaults(QPrinter::HighResolution);
    defaults.setOutputFormat(QPrinter::PdfFormat);
    const double leftEdge = defaults.pageLayout().paintRect(QPageLayout::Point).left();
    const double columns = (header->xMin - leftEdge) / halfWidth;
    QVERIFY2(std::abs(columns - 33.0) <= 1.5,
             qPrintable(QStringLiteral("header %1 half-widths from the left edge").arg(columns)));
}

void PrintingTest::longPrintoutContinuesOnTheNextPage() {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString pdf = dir.filePath(QStringLiteral("long.pdf"));
    const Outcome fa = runCalculation("FA", {"1", "0", "150"}, true);
    QVERIFY(ui::SystemLinePrinter(pdf).printJob(fa.printJob));

    const QString text = pdfText(pdf);
    const QStringList pages = text.split(u'\f', Qt::SkipEmptyParts);
    QVERIFY2(pages.size() >= 2, qPrintable(QString::number(pages.size())));
    static const QRegularExpression row(QStringLiteral(R"(^\s*(\d+)\s+1\.000\s*$)"));
    QList<int> numbers;
    for (const QString& line : text.split(u'\n'))
        if (const auto m = row.match(QString(line).remove(u'\f')); m.hasMatch())
            numbers.append(m.captured(1).toInt());
    QList<int> all;
    for (int i = 1; i <= 150; ++i)
        all.append(i);
    QCOMPARE(numbers, all);
}

// TA3 has the longest caption on paper (77 columns); with its value it overruns A4 (81 columns
// from column 34) and Letter (85). Every word stays on the printable area and nothing is lost; the
// result line ends in these lines: the value whole on its own, after the caption in phrases.
void PrintingTest::longLinesWrapWithinThePage_data() {
    QTest::addColumn<int>("paper");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("ends"); // none: the value, wider than the room, is split
    const QString small = QStringLiteral("142830.9320748815"), big = QStringLiteral("176300000000000000000");
    const QString caption =
        QStringLiteral("回数を定め一定割合で貯蓄額を増額し所定の複利の元利合計を得るための初回貯蓄額=");
    const QString digits20 = QStringLiteral("12343264686361600000.000");
    QTest::newRow("A4") << int(QPageSize::A4) << small << QStringList{caption, "10000.000"};
    QTest::newRow("A4, 20 digits") << int(QPageSize::A4) << big << QStringList{caption, digits20};
    QTest::newRow("Letter, 20 digits") << int(QPageSize::Letter) << big << QStringList{caption, digits20};
    QTest::newRow("A6: the caption at its phrases")
        << int(QPageSize::A6) << small
        << QStringList{caption.first(10), caption.sliced(10, 10), caption.sliced(20, 10), caption.sliced(30),
                       "10000.000"};
    QTest::newRow("A4, 200 digits") << int(QPageSize::A4) << "1e200" << QStringList{};
}

void PrintingTest::longLinesWrapWithinThePage() {
    QFETCH(int, paper);
    QFETCH(QString, target);
    QFETCH(QStringList, ends);
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed");
    const QPageSize size(static_cast<QPageSize::PageSizeId>(paper));
    const Outcome out = runCalculation("TA3", {target.toStdString(), "0.01", "0.02", "12"}, true);
    const std::optional<QByteArray> pdf = ui::pdfDocument(out.printJob, QStringLiteral("TA3"), size);
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("long.pdf")));
    QVERIFY(pdf && file.open(QIODevice::WriteOnly) && file.write(*pdf) == pdf->size() && file.flush());

    QPrinter defaults(QPrinter::HighResolution); // the PDF writer's margins
    defaults.setOutputFormat(QPrinter::PdfFormat);
    const QRectF area = (defaults.setPageSize(size), defaults.pageLayout().paintRect(QPageLayout::Point));
    QString expected;
    QStringList words;
    for (const PdfWord& w : pdfWords(file.fileName())) {
        QVERIFY2(w.xMin >= area.left() - 0.5 && w.xMax <= area.right() + 0.5,
                 qPrintable(QStringLiteral("%1 at %2..%3").arg(w.text).arg(w.xMin).arg(w.xMax)));
        words << w.text;
    }
    for (const PrintLine& line : out.printJob)
        expected += QString::fromStdString(line.text).normalized(QString::NormalizationForm_KC);
    QCOMPARE(words.join(QString()), expected);
    QCOMPARE(words.mid(words.size() - ends.size()), ends);
}

void PrintingTest::noPrinterInstalled() {
    if (!QPrinterInfo::availablePrinters().isEmpty()) QSKIP("this machine has a printer");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    struct Restore {
        QString path;
        ~Restore() { QDir::setCurrent(path); }
    } restore{previous};

    ui::SystemLinePrinter printer;
    const Outcome sp = runCalculation("SP", {"1000000", "0.05", "3"}, true);
    QVERIFY(!printer.printJob(sp.printJob));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{});

    // Through the window: the result is shown and the user is told that printing failed.
    MessageBoxAnswerer& boxes = p_->boxes;
    RecordingHelpViewer help;
    ui::MainWindow main(printer, help);
    main.show();
    main.findChild<QAction*>(QStringLiteral("SP"))->trigger();
    const ui::CalculatorWindow* w = main.calculatorWindow(WindowId::Zovan2);
    QVERIFY(w != nullptr);
    boxes.answer(Button::Yes);
    QTest::mouseClick(w->form().printSwitch, Qt::LeftButton);
    typeInputs(w, {"1000000", "0.05", "3"});
    w->form().compute->click();
    QCOMPARE(boxes.take(), (QStringList{"print question", "calculation error"}));
    QCOMPARE(w->form().resultBox->text(), QStringLiteral("150000.000"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{});
}

void PrintingTest::savedAsPdf_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QString>("locale"); // its page size: A4 for ja_JP, Letter for en_US
    QTest::newRow("single value, A4") << "SP" << QStringList{"1000000", "0.05", "3"} << "ja_JP";
    QTest::newRow("150 rows, Letter") << "FA" << QStringList{"1", "0", "150"} << "en_US";
    QTest::newRow("10000 rows, A4") << "KAA" << QStringList{"1200000", "10000", "0.005"} << "ja_JP";
}

// 「PDFとして保存…」 writes the printout's pages, no printer needed: every line of the paper in
// order, every word on the page; the preview shows the same pages.
void PrintingTest::savedAsPdf() {
    QFETCH(QString, item);
    QFETCH(QStringList, inputs);
    QFETCH(QString, locale);
    QLocale::setDefault(QLocale(locale));
    const struct Restore {
        ~Restore() { QLocale::setDefault(QLocale::system()); }
    } restore;
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("saved.pdf"));
    ui::CalculatorWindow* w = p_->choose(item);
    typeInputs(w, inputs);
    QCOMPARE(p_->compute(w), QStringList{});
    QVERIFY(saveAs(w, QStringLiteral("actionSavePdf"), pdf));
    QTRY_VERIFY(QFile::exists(pdf));
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("saved; pdftotext is not installed to read it back");

    QString text = pdfText(pdf).simplified().remove(u' ');
    qsizetype at = 0;
    for (const PrintLine& line : runCalculation(item.toStdString(), toStd(inputs), true).printJob) {
        const QString expected =
            QString::fromStdString(line.text).normalized(QString::NormalizationForm_KC).remove(u' ');
        at = expected.isEmpty() ? at : text.indexOf(expected, at);
        QVERIFY2(at >= 0, qPrintable(expected));
    }
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    info.waitForFinished(30000);
    const QString pageSize = QString::fromUtf8(info.readAllStandardOutput())
                                 .section(QStringLiteral("Page size:"), 1)
                                 .section(u'\n', 0, 0);
    const QSizeF page =
        QPageSize(locale == "en_US" ? QPageSize::Letter : QPageSize::A4).size(QPageSize::Point);
    QVERIFY2(pageSize.contains(QString::number(std::lround(page.width()))), qPrintable(pageSize));
    for (const PdfWord& word : pdfWords(pdf))
        QVERIFY2(word.xMin >= 0 && word.xMax <= page.width() && word.yMin >= 0 && word.yMin <= page.height(),
                 qPrintable(word.text));

    w->findChild<QAction*>(QStringLiteral("actionPrintPreview"))->trigger();
    QPrintPreviewWidget* preview = nullptr;
    QTRY_VERIFY((preview = w->findChild<QPrintPreviewWidget*>()) != nullptr); // once the printer is set up
    QTRY_VERIFY(preview->pageCount() >= (item == "SP" ? 1 : 2));
    preview->window()->close();
}

void PrintingTest::everyUseTakesTheClicksCalculation_data() {
    QTest::addColumn<QString>("item");
    QTest::newRow("single value") << "SP";
    QTest::newRow("table and 明細") << "FA";
    QTest::newRow("loan and 返済予定表") << "KA2C";
}

// One 計算, one calculation: the window's controller keeps it, and the record, the printer, copying,
// the preview, the print dialog and the schedule all take that very one, and nothing computes it
// again. The record gets every calculation that succeeds, whatever the window offers at the time;
// the window offers its paper exactly while it has a calculation; its schedule always, and says why
// when there is none.
void PrintingTest::everyUseTakesTheClicksCalculation() {
    QFETCH(QString, item);
    ui::CalculatorWindow* w = p_->choose(item);
    const auto* clicks = w->findChild<ui::ClickController*>();
    QStringList uses{"CopyConditions", "actionPrintPreview", "actionSavePdf", "actionPrintDialog"};
    const auto action = [w](const QString& name) { return w->findChild<QAction*>(name); };
    const auto offered = [&] {
        QStringList on;
        for (const QString& name : uses)
            if (action(name)->isEnabled()) on << name;
        return on;
    };
    QCOMPARE(offered(), QStringList{});
    QCOMPARE(p_->switchPrinting(w, Button::Yes), QStringList{"print question"});
    QStringList inputs = exampleInputs(item.toStdString());
    for (const QString& first : {inputs[0] + u'1', inputs[0]}) {
        for (QAction* a : w->actions())
            a->setEnabled(a->objectName() == QStringLiteral("actionSchedule")); // offered always
        inputs[0] = first;
        typeInputs(w, inputs);
        QCOMPARE(p_->compute(w), QStringList{});
    }
    const Calculation* last = clicks->last();
    const auto& record = p_->main.record().record().entries();
    QVERIFY(last != nullptr && last->number == 2 && p_->main.state().calculations == 2);
    QCOMPARE(offered(), uses);
    QCOMPARE(record.back().calculation.get(), last); // shared, not a copy of 10000 rows

    QCOMPARE(jobText(p_->printer.jobs.back()), jobText(last->printout));

    action(QStringLiteral("CopyConditions"))->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), qs(printText(last->printout)));
    action(QStringLiteral("actionPrintPreview"))->trigger();
    action(QStringLiteral("actionPrintDialog"))->trigger();
    QDialog *preview = nullptr, *dialog = nullptr;
    QTRY_VERIFY((dialog = w->findChild<QPrintDialog*>(QStringLiteral("PrintDialog"))) != nullptr);
    preview = w->findChild<QPrintPreviewDialog*>(QStringLiteral("PrintPreview"));
    QCOMPARE(preview->windowTitle(), QStringLiteral("印刷プレビュー – ") + qs(last->title));
    QCOMPARE(static_cast<QPrintDialog*>(dialog)->printer()->docName(), qs(last->title));
    dialog->reject();
    preview->close();
    if (hasSchedule(item.toStdString())) {
        action(QStringLiteral("actionSchedule"))->trigger();
        auto* schedule = w->findChild<QWidget*>(QStringLiteral("ScheduleWindow"));
        QVERIFY(schedule->findChild<QLabel*>(QStringLiteral("ScheduleConditions"))
                    ->text()
                    .contains(qs(last->conditions.back().text)));
        schedule->close();
    }
    QCOMPARE(p_->main.state().calculations, 2u); // nothing computed again

    // A click that fails, and クリヤ after one that succeeds: nothing left to offer or record.
    inputBox(w, 1)->setText(QStringLiteral("x"));
    QCOMPARE(p_->compute(w), QStringList{"calculation error"});
    QCOMPARE(offered(), QStringList{});
    if (hasSchedule(item.toStdString())) {
        action(QStringLiteral("actionSchedule"))->trigger(); // Ctrl+T
        QCOMPARE(p_->boxes.take(), QStringList{"no schedule yet"});
    }
    typeInputs(w, inputs);
    QCOMPARE(p_->compute(w), QStringList{});
    w->form().clear->click();
    QCOMPARE(offered(), QStringList{});
    QCOMPARE(record.size(), 3u);
}

// A print system that never says which printer is the default holds no window: preview and the
// print dialog say what they wait for, キャンセル takes the request back, the window works on
// meanwhile, and closing it ends the program at once.
void PrintingTest::printSystemThatNeverAnswers() {
    ui::CalculatorWindow* w = p_->choose(QStringLiteral("SP"));
    typeInputs(w, exampleInputs("SP"));
    QCOMPARE(p_->compute(w), QStringList{});
    p_->printer.setupDelay = std::chrono::hours(1);
    for (const QString& use : {QStringLiteral("actionPrintPreview"), QStringLiteral("actionPrintDialog")}) {
        w->findChild<QAction*>(use)->trigger();
        QProgressDialog* note = nullptr;
        QTRY_VERIFY((note = w->findChild<QProgressDialog*>(QStringLiteral("PrinterWait"))) != nullptr);
        QCOMPARE(note->labelText(), QStringLiteral("プリンタの情報を取得しています…"));
        QVERIFY(note->isVisible() && !note->isModal());
        typeInputs(w, {"2000000", "0.05", "3"});
        QCOMPARE(p_->compute(w), QStringList{});
        QCOMPARE(shownResult(w), QStringList{"300000.000"});
        note->findChild<QPushButton*>()->click();
        QTRY_COMPARE(w->findChild<QProgressDialog*>(QStringLiteral("PrinterWait")), nullptr);
        QCOMPARE(w->findChild<QDialog*>(QStringLiteral("PrintPreview")), nullptr);
    }
    w->findChild<QAction*>(QStringLiteral("actionPrintPreview"))->trigger();
    QElapsedTimer clock;
    clock.start();
    w->close();
    QCOMPARE(p_->ends.size(), 1);
    QVERIFY(clock.elapsed() < 200);
}

// Saving a record of long tables as PDF shows its progress after half a second, with the windows
// resting, and キャンセル stops it leaving no file, not even a temporary one.
void PrintingTest::longPdfShowsProgressAndCancels() {
    ui::CalculatorWindow* w = p_->choose(QStringLiteral("FA"));
    typeInputs(w, {"1000", "0.0001", "10000"});
    for (int k = 0; k < 5; ++k)
        QCOMPARE(p_->compute(w), QStringList{});
    p_->main.showRecord();
    QWidget* record = p_->main.recordWindow();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("kiroku.pdf"));
    record->findChild<QAction*>(QStringLiteral("actionRecordSavePdf"))->trigger();
    auto* save = record->findChild<QFileDialog*>(QStringLiteral("SaveDialog"));
    QVERIFY(save != nullptr);
    save->selectFile(pdf);
    QString shown;
    bool othersRest = false;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        auto* progress = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
        if (progress == nullptr || progress->objectName() != QLatin1String("PaperProgress")) return;
        shown = progress->labelText();
        othersRest =
            progress->windowModality() == Qt::ApplicationModal && QApplication::overrideCursor() != nullptr;
        QTest::keyClicks(inputBox(w, 1), QStringLiteral("99")); // typed meanwhile: dropped, not kept
        progress->findChild<QPushButton*>()->click();
    });
    watch.start(50);
    QElapsedTimer clock;
    clock.start();
    QMetaObject::invokeMethod(save, "accept");
    QTRY_VERIFY(!shown.isEmpty());
    QVERIFY2(shown.startsWith(QStringLiteral("PDFを作成しています…（")), qPrintable(shown));
    QVERIFY(othersRest);
    QVERIFY(clock.elapsed() >= 500);
    QTRY_COMPARE(QApplication::overrideCursor(), nullptr);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{});
    QCOMPARE(p_->boxes.take(), QStringList{}); // a cancelled save says nothing more
    QCOMPARE(inputBox(w, 1)->text(), QStringLiteral("1000"));
}

// The record's PDF carries each entry's heading with its time and numbers its pages; the preview,
// drawn at the screen's resolution, and a printer at any other break the same lines on the same
// pages (the layout once followed each device's font measures: 714 pages previewed, 740 saved).
void PrintingTest::recordPdfAsPreviewed() {
    QLocale::setDefault(QLocale(QStringLiteral("ja_JP")));
    ui::CalculatorWindow* w = p_->choose(QStringLiteral("FA"));
    typeInputs(w, {"1", "0", "3000"}); // about 40 pages: enough for 2 % in a line's height to tell
    QCOMPARE(p_->compute(w), QStringList{});
    QVERIFY(p_->computeExample(QStringLiteral("SP")) != nullptr);
    const std::vector<const Calculation*> entries = p_->main.record().entriesAt({});
    const ui::PrintParts paper = ui::RecordModel::paperOf(entries);
    QList<int> pages;
    for (const int dpi : {72, 96, 144, 600, 1200}) {
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QDir::temp().filePath(QStringLiteral("kinri-pages.pdf")));
        printer.setResolution(dpi);
        printer.setPageSize(ui::localePageSize());
        int breaks = 0;
        QVERIFY(ui::paintPrintout(printer, paper, {}, [&breaks](int) { return ++breaks, true; }));
        pages.append(breaks + 1);
    }
    QCOMPARE(pages, QList<int>(5, pages.front()));
    QVERIFY2(pages.front() >= 30, qPrintable(QString::number(pages.front())));

    p_->main.showRecord();
    QWidget* record = p_->main.recordWindow();
    record->findChild<QAction*>(QStringLiteral("actionRecordPreview"))->trigger();
    QPrintPreviewWidget* preview = nullptr;
    QTRY_VERIFY((preview = record->findChild<QPrintPreviewWidget*>()) != nullptr);
    QTRY_COMPARE(preview->pageCount(), pages.front());
    preview->window()->close();
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed");
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("kiroku.pdf"));
    QVERIFY(saveAs(record, QStringLiteral("actionRecordSavePdf"), pdf));
    QTRY_VERIFY(QFile::exists(pdf));
    const QStringList sheets = pdfText(pdf).split(u'\f', Qt::SkipEmptyParts);
    QCOMPARE(sheets.size(), pages.front());
    for (int k = 0; k < sheets.size(); ++k)
        QVERIFY(sheets[k].trimmed().endsWith(QStringLiteral("%1 / %2").arg(k + 1).arg(sheets.size())));
    const QString text = sheets.join(QString()).simplified();
    qsizetype at = 0;
    for (const Calculation* c : entries) {
        at = text.indexOf(qs(recordHeading(*c)).simplified(), at);
        QVERIFY2(at >= 0, qPrintable(qs(recordHeading(*c))));
    }
}

QTEST_MAIN(PrintingTest)
#include "printing_test.moc"
