// 返済プラン in its window: built by keyboard alone, compared with the loan without its events,
// opened from a loan's calculation with that loan, and saved as CSV that reads back as computed.
#include "compute/flow.h"
#include "compute/record.h"
#include "schedule/schedule.h"
#include "support/program.h"
#include "ui/plan/plan_window.h"
#include "ui/record/record_model.h"
#include "ui/schedule/schedule_chart.h"
#include "ui/schedule/schedule_window.h"
#include "ui/schedule/table_export.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace kinri;
using namespace kinri::test;

class PlanWindowTest : public ProgramTest {
    Q_OBJECT

private slots:
    void builtByKeyboardAndCompared();
    void bothBalancesOnTheChart();
    void openedWithTheCalculationsLoan();
    void csvReadsBackAsComputed();
    void recordedLikeACalculation();
    void everyControlIsNamedAndTheWindowIsAFrame();

private:
    ui::PlanWindow* openFromMenu() {
        p_->action(QStringLiteral("actionPlan"))->trigger();
        auto* w = p_->main.findChild<ui::PlanWindow*>(QStringLiteral("PlanWindow"));
        return w != nullptr && QTest::qWaitForWindowExposed(w) ? w : nullptr;
    }
};

// Two events typed into PlanEvents: a 1,000,000 yen prepayment after payment 60 (the kind the
// list starts with, 期間短縮型) and, its kind chosen from the list, a rate change to 2.5 % from
// payment 121. The comparison is that of the core's plans.
void PlanWindowTest::builtByKeyboardAndCompared() {
    ui::PlanWindow* w = openFromMenu();
    QVERIFY(w != nullptr);
    auto* events = w->findChild<QTableView*>(QStringLiteral("PlanEvents"));
    auto* add = w->findChild<QPushButton*>(QStringLiteral("PlanAddEvent"));
    // F2 opens the cell's editor; what is typed replaces its text; Return puts it in the cell.
    const auto type = [events](int column, const QString& text) {
        events->setCurrentIndex(events->model()->index(events->currentIndex().row(), column));
        QTest::keyClick(events, Qt::Key_F2);
        QWidget* editor = QApplication::focusWidget();
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the delegate puts it in the cell once the key is handled
    };
    add->setFocus();
    QTest::keyClick(add, Qt::Key_Space);
    QCOMPARE(events->model()->rowCount(), 1);
    type(1, QStringLiteral("60"));
    type(2, QStringLiteral("1,000,000"));
    QTest::keyClick(add, Qt::Key_Space);
    events->setCurrentIndex(events->model()->index(1, 0));
    QTest::keyClick(events, Qt::Key_F2);
    auto* kinds = qobject_cast<QComboBox*>(QApplication::focusWidget());
    QVERIFY(kinds != nullptr);
    QTest::keyClick(kinds, Qt::Key_Down);
    QTest::keyClick(kinds, Qt::Key_Down);
    QTest::keyClick(kinds, Qt::Key_Return);
    QCoreApplication::processEvents();
    type(1, QStringLiteral("121"));
    type(2, QStringLiteral("2.5"));

    const std::optional<plan::Plan> built = w->plan();
    QVERIFY(built.has_value());
    QCOMPARE(built->prepayments.size(), 1u);
    QCOMPARE(built->rateChanges.size(), 1u);
    QCOMPARE(built->rateChanges[0].from, 121);
    QCOMPARE(built->rateChanges[0].rate, plan::Rate{25'000'000});
    QTRY_COMPARE(w->result().totalInterest, plan::run(*built).totalInterest);

    plan::Plan plain = *built;
    plain.prepayments.clear();
    plain.rateChanges.clear();
    const plan::Result before = plan::run(plain), after = plan::run(*built);
    auto* compare = w->findChild<QTableWidget*>(QStringLiteral("PlanCompare"));
    const QLocale ja(QLocale::Japanese, QLocale::Japan);
    const auto yen = [&ja](plan::Yen y) {
        return ja.toString(static_cast<qlonglong>(y)) + QStringLiteral("円");
    };
    QCOMPARE(compare->item(0, 0)->text(), yen(before.totalPaid)); // 45,008,901円
    QCOMPARE(compare->item(1, 1)->text(), yen(after.totalInterest));
    QCOMPARE(compare->item(5, 1)->text(), yen(before.totalInterest - after.totalInterest));
    const int sooner = static_cast<int>(before.rows.size() - after.rows.size());
    QCOMPARE(compare->item(6, 1)->text(), QStringLiteral("%1年%2か月").arg(sooner / 12).arg(sooner % 12));
    // Any two plans: this one kept as the base (the key on 「比較」's page), then its rate change
    // removed; the base is what the plan was.
    QTest::keyClick(w, Qt::Key_C, Qt::AltModifier);
    auto* keep = w->findChild<QPushButton*>(QStringLiteral("PlanKeepBase"));
    QTRY_VERIFY(keep->isVisible());
    keep->setFocus();
    QTest::keyClick(keep, Qt::Key_Space);
    QVERIFY(keep->isChecked());
    events->setCurrentIndex(events->model()->index(1, 0));
    w->findChild<QPushButton*>(QStringLiteral("PlanRemoveEvent"))->click();
    plan::Plan changed = *built;
    changed.rateChanges.clear();
    const plan::Result now = plan::run(changed);
    QTRY_COMPARE(compare->item(0, 1)->text(), yen(now.totalPaid));
    QCOMPARE(compare->horizontalHeaderItem(0)->text(), QStringLiteral("基準のプラン"));
    QCOMPARE(compare->item(0, 0)->text(), yen(after.totalPaid));
    QCOMPARE(compare->item(5, 1)->text(), yen(after.totalInterest - now.totalInterest));
    QCOMPARE(w->findChild<ui::ScheduleChart*>(QStringLiteral("PlanChart"))->comparison().size(),
             after.rows.size());
    QTest::keyClick(keep, Qt::Key_Space); // back to the loan without events
    QTRY_COMPARE(compare->horizontalHeaderItem(0)->text(), QStringLiteral("イベントなし"));
    QCOMPARE(compare->item(0, 0)->text(), yen(before.totalPaid));
}

// Both balances on the chart: the plan's, and the loan's without its events, dashed.
void PlanWindowTest::bothBalancesOnTheChart() {
    ui::PlanWindow* w = openFromMenu();
    QVERIFY(w != nullptr);
    // Without events nothing to draw twice, and nothing sooner or later.
    QCOMPARE(w->findChild<QTableWidget*>(QStringLiteral("PlanCompare"))->item(2, 2)->text(),
             QStringLiteral("同じ"));
    QVERIFY(w->findChild<ui::ScheduleChart*>(QStringLiteral("PlanChart"))->comparison().empty());
    w->findChild<QPushButton*>(QStringLiteral("PlanAddEvent"))->click();
    const std::optional<plan::Plan> built = w->plan();
    QVERIFY(built.has_value() && built->prepayments.size() == 1);
    plan::Plan plain = *built;
    plain.prepayments.clear();
    const plan::Result before = plan::run(plain);
    const auto dashed = [w] {
        return w->findChild<ui::ScheduleChart*>(QStringLiteral("PlanChart"))->comparison();
    };
    QTRY_COMPARE(dashed().size(), before.rows.size());
    QCOMPARE(dashed()[59], static_cast<double>(before.rows[59].balance));
    // A bonus part typed as a share of the loan.
    w->findChild<QLineEdit*>(QStringLiteral("PlanBonus"))->setText(QStringLiteral("20%"));
    QCOMPARE(w->plan()->bonus->amount, 7'000'000);
}

// From a loan's calculation: its loan, its rate per payment as a year's, its payments (as years
// where they make whole years). In the program's rounding the plan is the calculation's own
// schedule while the loan's boxes hold its loan, and the boxes' own loan once one is edited.
void PlanWindowTest::openedWithTheCalculationsLoan() {
    constexpr auto level = plan::Method::Level, byPrincipal = plan::Method::EqualPrincipal;
    const struct {
        const char* item;
        std::vector<std::string> inputs;
        plan::Yen amount;
        std::int64_t rate;
        const char* term;
        plan::Method method;
        int decimals; // as the calculation's schedule shows them
    } cases[] = {
        {"KA2C", {"35000000", "0.00125", "420"}, 35'000'000, 15'000'000, "35", level, 3},
        {"KAP", {"1200000.4", "100", "0.005"}, 1'200'000, 60'000'000, "100回", byPrincipal, 3},
        {"KAA", {"1200000.4", "100", "0.005"}, 1'200'000, 60'000'000, "100回", byPrincipal, 5},
    };
    for (const auto& c : cases) {
        ui::CalculatorWindow* w = p_->choose(QString::fromLatin1(c.item));
        QStringList inputs;
        for (const std::string& i : c.inputs)
            inputs << QString::fromStdString(i);
        typeInputs(w, inputs);
        QCOMPARE(p_->compute(w), QStringList{});
        QAction* plan = w->findChild<QAction*>(QStringLiteral("actionPlan"));
        QVERIFY(plan != nullptr && plan->isVisible());
        plan->trigger();
        std::unique_ptr<ui::PlanWindow> window(w->findChild<ui::PlanWindow*>(QStringLiteral("PlanWindow")));
        QVERIFY(window != nullptr);
        std::optional<plan::Plan> p = window->plan();
        QVERIFY(p.has_value());
        QCOMPARE(p->loan.amount, c.amount);
        QCOMPARE(p->loan.rate, plan::Rate{c.rate});
        QCOMPARE(window->findChild<QLineEdit*>(QStringLiteral("PlanTerm"))->text(),
                 QString::fromUtf8(c.term));
        QCOMPARE(p->loan.method, c.method);

        auto* rounding = window->findChild<QComboBox*>(QStringLiteral("PlanRounding"));
        rounding->setCurrentIndex(1);
        const Schedule own = makeSchedule(*runCalculation(c.item, c.inputs, false).calculation);
        QTRY_COMPARE(window->result().decimals, c.decimals);
        QCOMPARE(rounding->currentText(), QStringLiteral("小数第%1位（返済予定表と同じ）").arg(c.decimals));
        QCOMPARE(window->result().rows.size(), own.rows.size());
        QCOMPARE(shownUnits(window->result().opening, c.decimals), own.opening); // 1200000.400: not the box's
        QCOMPARE(shownUnits(window->result().rows[1].interest, c.decimals), own.rows[1][3]);
        auto* amount = window->findChild<QLineEdit*>(QStringLiteral("PlanAmount"));
        amount->setText(QStringLiteral("1000000"));
        QTRY_COMPARE(window->result().opening, 1'000'000'000); // its own loan, to 0.001 yen
        QCOMPARE(rounding->currentText(), QStringLiteral("小数第3位（返済予定表と同じ）"));
        amount->setText(QString::number(c.amount));
        QTRY_COMPARE(shownUnits(window->result().opening, c.decimals), own.opening);
        window.reset();

        // From the loan's schedule window too, with its loan.
        w->findChild<QAction*>(QStringLiteral("actionSchedule"))->trigger();
        std::unique_ptr<ui::ScheduleWindow> schedule(w->findChild<ui::ScheduleWindow*>());
        QVERIFY(schedule != nullptr);
        schedule->findChild<QAction*>(QStringLiteral("actionPlan"))->trigger();
        std::unique_ptr<ui::PlanWindow> fromSchedule(
            w->findChild<ui::PlanWindow*>(QStringLiteral("PlanWindow")));
        QVERIFY(fromSchedule != nullptr);
        QCOMPARE(fromSchedule->plan()->loan.amount, c.amount);
    }
    QVERIFY(
        !p_->choose(QStringLiteral("SP"))->findChild<QAction*>(QStringLiteral("actionPlan"))->isVisible());
    // F1 in a plan: the page that works one by hand.
    ui::PlanWindow* fromMenu = openFromMenu();
    QVERIFY(fromMenu != nullptr);
    p_->help.topics.clear();
    QTest::keyClick(fromMenu, Qt::Key_F1);
    QCOMPARE(p_->help.topics, QStringList{QStringLiteral("MEPTAL.hlp plan")});
}

// 「記録に残す」 puts the plan in the record as a calculation: its heading and time, its
// conditions, its rows, on paper and copied; from a calculator's plan as from the menu's.
void PlanWindowTest::recordedLikeACalculation() {
    ui::RecordModel& record = p_->main.record();
    record.clear();
    ui::PlanWindow* w = openFromMenu();
    QVERIFY(w != nullptr);
    w->findChild<QAction*>(QStringLiteral("actionPlanRecord"))->trigger();
    QCOMPARE(record.rowCount(), 1);
    const Calculation* entry = record.entriesAt({}).front();
    QVERIFY(recordHeading(*entry).starts_with("☆☆返済プラン☆☆　"));
    const std::string text = recordText({entry});
    const plan::Row& last = w->result().rows.back();
    for (const std::string& line : {std::string("借入額=35,000,000円"), std::string("端数=円単位"),
                                    std::to_string(last.year) + "年" + std::to_string(last.month) + "月"})
        QVERIFY2(text.find(line) != std::string::npos, line.c_str());
    QVERIFY(record.data(record.index(0), Qt::DisplayRole).toString().contains(QStringLiteral("年利=1.5%")));
    // On paper the totals stand under their columns too: 内容 starts at one column on every line.
    const Schedule rows = plan::asSchedule(w->result());
    const std::vector<std::string> paper = ui::alignedLines(rows);
    const int event = rows.column(ColumnMeaning::Event);
    for (std::size_t i = 0; i < paper.size(); ++i) {
        const std::string& cell = i == 0                  ? std::string("内容")
                                  : i <= rows.rows.size() ? rows.rows[i - 1][event]
                                                          : "";
        QCOMPARE(ui::columnsOf(paper[i]) - ui::columnsOf(cell),
                 ui::columnsOf(paper[0]) - ui::columnsOf("内容"));
    }

    ui::CalculatorWindow* c = p_->choose(QStringLiteral("KA2C"));
    typeInputs(c, {"1000000", "0.01", "12"});
    QCOMPARE(p_->compute(c), QStringList{});
    QCOMPARE(record.rowCount(), 2);
    c->findChild<QAction*>(QStringLiteral("actionPlan"))->trigger();
    auto* fromCalculator = c->findChild<ui::PlanWindow*>(QStringLiteral("PlanWindow"));
    QVERIFY(fromCalculator != nullptr);
    fromCalculator->findChild<QAction*>(QStringLiteral("actionPlanRecord"))->trigger();
    QCOMPARE(record.rowCount(), 3);
    delete fromCalculator;
}

void PlanWindowTest::csvReadsBackAsComputed() {
    ui::PlanWindow* w = openFromMenu();
    QVERIFY(w != nullptr);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("plan.csv"));
    QVERIFY(saveAs(w, QStringLiteral("actionPlanCsv"), file));
    QTRY_VERIFY(QFile::exists(file));
    QFile csv(file);
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QStringList lines =
        QString::fromUtf8(csv.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    const plan::Plan p = *w->plan();
    const plan::Result r = plan::run(p);
    const std::vector<std::string> conditions = plan::conditionLines(p);
    QCOMPARE(lines.size(), static_cast<qsizetype>(conditions.size() + 1 + r.rows.size() + 1));
    QCOMPARE(lines.front(), QStringLiteral("\"借入額=35,000,000円\"")); // quoted for its commas
    QCOMPARE(lines.at(static_cast<qsizetype>(conditions.size())),
             QStringLiteral("回,返済日,返済額,うち元金,うち利息,残高,繰上げ返済,内容"));
    const QStringList last = lines.at(lines.size() - 2).split(u',');
    QCOMPARE(last.at(2), QString::number(r.rows.back().payment));
    QCOMPARE(last.at(5), QStringLiteral("0"));
    QCOMPARE(lines.back().split(u',').at(4), QString::number(r.totalInterest));
}

// A screen reader hears every control it can reach by its caption, and the window as a frame
// named by its title.
void PlanWindowTest::everyControlIsNamedAndTheWindowIsAFrame() {
    ui::PlanWindow* w = openFromMenu();
    QVERIFY(w != nullptr);
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(w);
    QCOMPARE(window->role(), QAccessible::Window);
    QCOMPARE(window->text(QAccessible::Name), QStringLiteral("返済プラン"));
    int named = 0;
    for (QWidget* control : w->findChildren<QWidget*>()) {
        if (!control->isVisibleTo(w) || control->focusPolicy() == Qt::NoFocus || control->isWindow())
            continue;
        if (qobject_cast<QAbstractSpinBox*>(control->parentWidget()) != nullptr)
            continue; // a spin box's own edit
        const QString name = QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
        QVERIFY2(!name.trimmed().isEmpty(),
                 qPrintable(control->metaObject()->className() + (u' ' + control->objectName())));
        ++named;
    }
    QVERIFY(named >= 15);
}

QTEST_MAIN(PlanWindowTest)
#include "plan_window_test.moc"
