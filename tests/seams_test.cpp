// The pieces the windows are made of, each on its own: the record's rows as views see them, the
// schedule's table, and a compute click's wait for its printer.
#include "support/program.h"
#include "ui/paper/print_service.h"
#include "ui/paper/print_wait.h"
#include "ui/record/record_model.h"
#include "ui/schedule/schedule_model.h"

#include "schedule/schedule.h"

#include <QAbstractItemModelTester>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace kinri;
using namespace kinri::test;

class SeamsTest : public QObject {
    Q_OBJECT

signals:
    void programEnds();

private slots:
    void initTestCase() { setUpGuiTests(); }
    void recordRowsStayInStep();
    void scheduleTable_data();
    void scheduleTable();
    void printWait_data();
    void printWait();
};

namespace {

Calculation calculated(const char* item, const std::vector<std::string>& inputs) {
    return *runCalculation(item, inputs, false).calculation;
}

} // namespace

// A record of three: the oldest rows leave from the top as new ones come, and every row keeps its
// own text, size and calculation, however many went before it.
void SeamsTest::recordRowsStayInStep() {
    CalculationRecord record(3, CalculationRecord::kMaxBytes);
    ui::RecordModel model(record, nullptr);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setMeasure([](const QString& text) { return QSize(static_cast<int>(text.size()), 1); });
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    for (const char* principal : {"1", "22", "333", "4444", "55555"})
        model.add(calculated("SP", {principal, "0.05", "3"}));
    QCOMPARE(removed.size(), 2);
    QCOMPARE(removed.back().mid(1), (QList<QVariant>{0, 0}));
    for (int row = 0; row < model.rowCount(); ++row) {
        const QModelIndex i = model.index(row);
        const Calculation& c = *record.entries()[static_cast<std::size_t>(row)].calculation;
        QCOMPARE(c.inputs[0].size(), static_cast<std::size_t>(row + 3));
        QCOMPARE(model.data(i, Qt::SizeHintRole).toSize().width(),
                 model.data(i, Qt::DisplayRole).toString().size());
        const QString heard = model.data(i, Qt::AccessibleTextRole).toString(); // all of it, not the time
        QVERIFY(heard.startsWith(qs(recordHeading(c)) + u'、') && heard.contains(qs(*c.resultText)));
    }
    QCOMPARE(model.entriesAt({model.index(2), model.index(0)}),
             (std::vector{record.entries()[0].calculation.get(), record.entries()[2].calculation.get()}));

    // A long table shows its first lines and says how many more there are.
    model.add(calculated("FA", {"1000", "0.05", "100"}));
    const QStringList shown = model.data(model.index(2), Qt::DisplayRole).toString().split(u'\n');
    QCOMPARE(shown.size(), 1 + ui::RecordModel::kShownLines + 1);
    QCOMPARE(shown.back(), QStringLiteral("…（ほか %1 行）").arg(115 - 10 - ui::RecordModel::kShownLines));
}

void SeamsTest::scheduleTable_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QStringList>("inputs");
    QTest::newRow("loan") << "KA2C" << QStringList{"1000000", "0.01", "12"};
    QTest::newRow("simple, no total") << "SA" << QStringList{"1000", "0.1", "12"};
    QTest::newRow("no rows") << "KA2C" << QStringList{"1000000", "0.01", "0.5"};
}

// The periods and the totals as views see them: the figures on the right, the totals' label on the
// left, nothing outside them.
void SeamsTest::scheduleTable() {
    QFETCH(QString, item);
    QFETCH(QStringList, inputs);
    const Schedule s = makeSchedule(calculated(item.toUtf8().constData(), toStd(inputs)));
    ui::ScheduleModel periods(s, ui::ScheduleModel::Rows::Periods, nullptr);
    ui::ScheduleModel totals(s, ui::ScheduleModel::Rows::Totals, nullptr);
    QAbstractItemModelTester periodsTester(&periods, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QAbstractItemModelTester totalsTester(&totals, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(periods.rowCount(), static_cast<int>(s.rows.size()));
    QCOMPARE(totals.rowCount(), s.totals.empty() ? 0 : 1);
    const int last = periods.columnCount() - 1;
    QCOMPARE(periods.headerData(last, Qt::Horizontal, Qt::DisplayRole).toString(),
             qs(s.columns.back().heading));
    for (int c = 0; c <= last && totals.rowCount() == 1; ++c)
        QCOMPARE(totals.data(totals.index(0, c), Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask,
                 c == 0 ? Qt::AlignLeft : Qt::AlignRight);
    QVERIFY(!periods.data(periods.index(periods.rowCount(), 0), Qt::DisplayRole).isValid());
    QVERIFY(!periods.headerData(last + 1, Qt::Horizontal, Qt::DisplayRole).isValid());
}

void SeamsTest::printWait_data() {
    QTest::addColumn<int>("printMs"); // how long the printer takes
    QTest::addColumn<int>("boundMs"); // how long the click waits at most
    QTest::addColumn<int>("endMs");   // when the program is told to end; 0: never
    QTest::addColumn<int>("how");     // the WaitEnd
    QTest::newRow("printed") << 400 << 5000 << 0 << int(ui::WaitEnd::Done);
    QTest::newRow("printed at once") << 0 << 5000 << 0 << int(ui::WaitEnd::Done);
    QTest::newRow("the bound passes") << 5000 << 400 << 0 << int(ui::WaitEnd::TimedOut);
    QTest::newRow("the program ends") << 5000 << 5000 << 400 << int(ui::WaitEnd::ProgramEnds);
}

// While a click waits, clicks are dropped and what is typed, into any window, is held; it reaches
// its boxes in the order typed once the click is over, unless the program is ending. The wait
// ends when the job does, at its bound, or when the program is to end, whichever comes first.
void SeamsTest::printWait() {
    QFETCH(int, printMs);
    QFETCH(int, boundMs);
    QFETCH(int, endMs);
    QFETCH(int, how);
    FailingPrinter printer;
    printer.delay = std::chrono::milliseconds(printMs);
    ui::PrintService service(printer);
    QWidget window;
    auto* first = new QLineEdit(&window);
    auto* second = new QLineEdit(&window);
    auto* button = new QPushButton(&window);
    window.show();
    QSignalSpy pressed(button, &QPushButton::clicked);
    QTimer::singleShot(100, &window, [&] {
        for (auto [box, keys] : {std::pair{first, "12"}, {second, "3"}, {first, "4"}})
            QTest::keyClicks(box, QString::fromLatin1(keys));
        QTest::mouseClick(button, Qt::LeftButton);
    });
    if (endMs > 0) QTimer::singleShot(endMs, this, &SeamsTest::programEnds);
    {
        ui::PrintWait wait(service, this, &SeamsTest::programEnds);
        const std::shared_ptr<ui::PrintTicket> ticket = service.submit({PrintLine{}});
        QCOMPARE(
            int(wait.until(*ticket, std::chrono::steady_clock::now() + std::chrono::milliseconds(boundMs))),
            how);
        ticket->cancel();
        QCOMPARE(first->text(), QString());
    }
    QTest::qWait(50);
    const bool kept = how != int(ui::WaitEnd::ProgramEnds) && printMs > 0;
    QCOMPARE(first->text() + u'/' + second->text(), kept ? QStringLiteral("124/3") : QStringLiteral("/"));
    QCOMPARE(pressed.size(), 0);
}

QTEST_MAIN(SeamsTest)
#include "seams_test.moc"
