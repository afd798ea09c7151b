// The calculator windows, driven headless through their boxes, buttons, print switch and message
// boxes, checked against what the user sees and what the compute core computes.
#include "support/program.h"

#include <QApplication>
#include <QtTest>

#include <map>

using namespace kinri;
using namespace kinri::test;
using Button = QMessageBox::StandardButton;

namespace {

const QStringList kNone;
const QStringList kInputRequired{"input required"};
const QStringList kCalculationError{"calculation error"};
const QStringList kPrintQuestion{"print question"};

// One row per calculator window, named after it, with the window's first entry.
void addWindowRows() {
    QTest::addColumn<QString>("item");
    for (const WindowInfo& window : windows())
        for (const CatalogueEntry& e : catalogue())
            if (e.window == window.id) {
                QTest::newRow(window.name.data()) << qs(e.item);
                break;
            }
}

} // namespace

class CalculatorWindowTest : public ProgramTest {
    Q_OBJECT

private slots:

    // The message boxes of a calculator window, exactly as the user reads them.
    void messageBoxesReadAsDesigned() {
        ui::CalculatorWindow* w = p_->choose(QStringLiteral("SP"));
        QVERIFY(w != nullptr);
        p_->boxes.answer(Button::No);
        QTest::mouseClick(w->form().printSwitch, Qt::LeftButton);
        w->form().compute->click();
        typeInputs(w, {"x", "1", "1"});
        w->form().compute->click();
        const std::vector<SeenBox> seen = p_->boxes.takeSeen();
        QCOMPARE(seen.size(), 3u);
        const QString message = QStringLiteral("メッセージ");
        QCOMPARE(seen[0].title, message);
        QCOMPARE(seen[0].text, QStringLiteral("実行後、計算条件・結果\nを印刷します"));
        QCOMPARE(seen[0].icon, QMessageBox::Warning);
        QCOMPARE(seen[0].buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(seen[1].title, message);
        QCOMPARE(seen[1].text, QStringLiteral("入力してください"));
        QCOMPARE(seen[1].icon, QMessageBox::Information);
        QCOMPARE(seen[1].buttons, QMessageBox::Ok);
        QCOMPARE(seen[2].title, QString(28, u' ') + QStringLiteral("お知らせ"));
        QCOMPARE(seen[2].text, QString(11, u' ') + QStringLiteral("エラーが発生しました\n"
                                                                  "（0で除算・不合理な設定等が原因です）"));
        QCOMPARE(seen[2].icon, QMessageBox::Warning);
        QCOMPARE(seen[2].buttons, QMessageBox::Ok);
        for (const SeenBox& box : seen)
            QCOMPARE(box.parent, w);
    }

    // Size, boxes, buttons and list as designed; Tab walks them in their designed order; no button
    // is the window's default.
    void windowDesign_data() { addWindowRows(); }

    void windowDesign() {
        QFETCH(QString, item);
        ui::CalculatorWindow* w = p_->choose(item);
        QVERIFY(w != nullptr);
        const ui::WindowLayout& design = layout(w);
        QCOMPARE(w->size(), QSize(px(w, design.clientWidth), px(w, design.clientHeight)));
        QCOMPARE(w->form().compute->text(), QStringLiteral("計算"));
        QCOMPARE(w->form().clear->text(), QStringLiteral("クリヤ"));
        QCOMPARE(w->form().menu->text(), QStringLiteral("Menu"));
        std::map<int, QString> tabOrder;
        for (const ui::ControlDesign& c : design.controls) {
            const auto* control = w->findChild<QWidget*>(qs(c.name), Qt::FindDirectChildrenOnly);
            QVERIFY2(control != nullptr, c.name.data());
            if (c.fontSize > 0) QCOMPARE(control->font().pointSizeF(), c.fontSize);
            if (c.kind() == ui::ControlKind::Label) continue;
            tabOrder[c.tab] = control->objectName(); // the print switch too, last
            if (c.kind() == ui::ControlKind::PrintOption) continue;
            QCOMPARE(control->geometry(), px(w, c));
        }

        // From Text1 round to Text1 again.
        QStringList tabChain;
        for (const auto& [tab, name] : tabOrder)
            tabChain << name;
        tabChain = tabChain.mid(tabChain.indexOf(u"Text1")) + tabChain.first(tabChain.indexOf(u"Text1"));
        tabChain << QStringLiteral("Text1");
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QCOMPARE(QApplication::focusWidget(), inputBox(w, 1));
        QStringList chain{QApplication::focusWidget()->objectName()};
        while (chain.size() < tabChain.size()) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            chain << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(chain, tabChain);

        typeInputs(w, QStringList(info(w).inputCount, QStringLiteral("1")));
        const QList<int> selected = codes(p_->main.state());
        inputBox(w, 1)->setFocus();
        QTest::keyClick(inputBox(w, 1), Qt::Key_Return);
        QTest::keyClick(inputBox(w, 1), Qt::Key_Enter);
        QCOMPARE(p_->boxes.take(), kNone);
        QCOMPARE(shownResult(w).join(QString()), QString());
        QCOMPARE(codes(p_->main.state()), selected);
        QVERIFY(w->isVisible());
    }

    void compoundTableEndToEnd() {
        ui::CalculatorWindow* w = p_->choose(QStringLiteral("FA"));
        QVERIFY(w != nullptr);
        QTest::keyClicks(inputBox(w, 1), QStringLiteral("1000"));
        QTest::keyClicks(inputBox(w, 2), QStringLiteral("0.05"));
        QTest::keyClicks(inputBox(w, 3), QStringLiteral("3"));
        QCOMPARE(p_->switchPrinting(w, Button::Yes), kPrintQuestion);
        QCOMPARE(w->form().printSwitch->text(), QStringLiteral("計算後印刷"));

        QTest::mouseClick(w->form().compute, Qt::LeftButton);
        QCOMPARE(p_->boxes.take(), kNone);
        QCOMPARE(listLines(w),
                 (QStringList{"    1     1050.000", "    2     1102.500", "    3     1157.625"}));
        const QStringList job = jobText(runCalculation("FA", {"1000", "0.05", "3"}, true).printJob);
        QCOMPARE(job.size(), 18);
        QCOMPARE(p_->printer.jobs.size(), 1u);
        QCOMPARE(jobText(p_->printer.jobs.at(0)), job);

        // Each calculation is a job of its own, and the table is rebuilt, not extended.
        QCOMPARE(p_->compute(w), kNone);
        QCOMPARE(w->form().list->count(), 3);
        QCOMPARE(p_->printer.jobs.size(), 2u);
        QCOMPARE(jobText(p_->printer.jobs.at(1)), job);

        // The table's columns line up on screen: digits and spaces are equally wide.
        const QFontMetrics fm(w->form().list->font());
        QCOMPARE(fm.horizontalAdvance(u' '), fm.horizontalAdvance(u'0'));
        QCOMPARE(w->form().list->palette().color(QPalette::Text), QColor(0xEB, 0, 0)); // red, at 4.5:1

        QTest::mouseClick(w->form().menu, Qt::LeftButton);
        QVERIFY(!w->isVisible());
        QVERIFY(p_->main.isVisible());
        QCOMPARE(codes(p_->main.state()), (QList<int>{0, 0, 0, 0, 0}));
        QVERIFY(!p_->main.state().printAfterCalc());
        QCOMPARE(w->form().printSwitch->text(), QStringLiteral("印刷なし"));
        QCOMPARE(w->form().printSwitch->designedGeometry().topLeft(), px(w, layout(w).printOff));
    }

    // An empty box: only the input message, nothing computed or printed; the table goes first.
    void emptyInputStopsTheClick_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("emptied");
        QTest::newRow("ZOVAN2 first box") << "SP" << 1;
        QTest::newRow("ZOVAN2 last box") << "KA2C" << 3;
        QTest::newRow("ZOVAN3 middle box") << "FA" << 2;
        QTest::newRow("ZOVAN4 second box") << "KA3R" << 2;
        QTest::newRow("ZOVAN5 fourth box") << "TA2" << 4;
    }

    void emptyInputStopsTheClick() {
        QFETCH(QString, item);
        QFETCH(int, emptied);
        ui::CalculatorWindow* w = p_->computeExample(item);
        QVERIFY(w != nullptr);
        const QStringList first = shownResult(w);

        inputBox(w, emptied)->clear();
        QCOMPARE(p_->compute(w), kInputRequired);
        if (w->form().resultBox != nullptr) {
            QCOMPARE(shownResult(w), first);
        } else {
            QCOMPARE(w->form().list->count(), 0); // the table goes before the boxes are looked at
        }
        QCOMPARE(p_->printer.attempts, 1);
        QVERIFY(p_->main.state().printAfterCalc());
    }

    // A calculation that fails: the error message, the result box unchanged (a table keeps the
    // rows listed before the failure), what was typed kept, nothing printed.
    void calculationError_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("bad");
        QTest::newRow("letters, ZOVAN2") << "SP" << 1 << "abc";
        QTest::newRow("spaces are not empty") << "SP" << 2 << "   ";
        QTest::newRow("division by zero") << "SR" << 3 << "0";
        QTest::newRow("logarithm of a negative number") << "FN" << 3 << "-2";
        QTest::newRow("kanji numerals, ZOVAN4") << "KA3R" << 2 << "十二";
        QTest::newRow("letters, ZOVAN5") << "TA2" << 4 << "x";
        QTest::newRow("letters, ZOVAN3") << "FA" << 1 << "abc";
        QTest::newRow("letters in the rate, ZOVAN3") << "KAA" << 3 << "率";
    }

    void calculationError() {
        QFETCH(QString, item);
        QFETCH(int, box);
        QFETCH(QString, bad);
        const QStringList inputs = exampleInputs(item.toStdString());
        QStringList badInputs = inputs;
        badInputs[box - 1] = bad;
        const Outcome core = runCalculation(item.toStdString(), toStd(badInputs), true);
        QCOMPARE(core.message, Message::CalculationError);

        ui::CalculatorWindow* w = p_->computeExample(item);
        QVERIFY(w != nullptr);
        const QStringList before = shownResult(w);

        inputBox(w, box)->setText(bad);
        w->form().compute->click();
        const std::vector<SeenBox> seen = p_->boxes.takeSeen();
        QCOMPARE(seen.size(), 1u);
        QCOMPARE(seen[0].kind(), BoxKind::CalculationError);
        // 「詳細」 names the box that is no number, and nothing for an arithmetic failure.
        const QString caption = w->form().inputCaptions.at(static_cast<std::size_t>(box - 1))->text();
        QCOMPARE(seen[0].details.startsWith(caption.chopped(caption.endsWith(u'=') ? 1 : 0) + u'：'),
                 core.error == CalcErrorReason::NotANumber);
        QCOMPARE(shownResult(w), w->form().resultBox != nullptr ? before : shownResult(core));
        QCOMPARE(inputBox(w, box)->text(), bad);
        QCOMPARE(p_->printer.attempts, 1);
    }

    // The user may type over a shown result: a failed calculation leaves the typed text, the next
    // successful one overwrites it before printing. Results are red.
    void resultBoxAcceptsTyping_data() {
        QTest::addColumn<QString>("item");
        QTest::newRow("ZOVAN2") << "SC";
        QTest::newRow("ZOVAN4") << "KA3R";
        QTest::newRow("ZOVAN5") << "TA2";
    }

    void resultBoxAcceptsTyping() {
        QFETCH(QString, item);
        const QStringList inputs = exampleInputs(item.toStdString());
        const Outcome core = runCalculation(item.toStdString(), toStd(inputs), true);

        ui::CalculatorWindow* w = p_->computeExample(item);
        QVERIFY(w != nullptr);
        QLineEdit* result = w->form().resultBox;
        QCOMPARE(result->palette().color(QPalette::Text), QColor(0xEB, 0, 0)); // red, at 4.5:1 on white

        result->setFocus();
        result->selectAll();
        QTest::keyClicks(result, QStringLiteral("123.4"));
        QCOMPARE(result->text(), QStringLiteral("123.4"));

        inputBox(w, 1)->setText(QStringLiteral("x"));
        QCOMPARE(p_->compute(w), kCalculationError);
        QCOMPARE(result->text(), QStringLiteral("123.4"));
        typeInputs(w, inputs);
        QCOMPARE(p_->compute(w), kNone);
        QCOMPARE(shownResult(w), shownResult(core));
        QCOMPARE(p_->printer.jobs.size(), 2u);
        QCOMPARE(jobText(p_->printer.jobs.back()), jobText(core.printJob));
    }

    void tableRowLimit_data() {
        QTest::addColumn<QString>("rows");
        QTest::addColumn<bool>("fails");
        QTest::newRow("10000 rows fit") << "10000" << false;
        QTest::newRow("10001 rows are one too many") << "10001" << true;
    }

    void tableRowLimit() {
        QFETCH(QString, rows);
        QFETCH(bool, fails);
        const int n = rows.toInt();
        ui::CalculatorWindow* w = p_->choose(QStringLiteral("FA"));
        QVERIFY(w != nullptr);
        QCOMPARE(p_->switchPrinting(w, Button::Yes), kPrintQuestion);
        typeInputs(w, {"1", "0", rows});
        QCOMPARE(p_->compute(w), fails ? kCalculationError : kNone);

        const QStringList lines = listLines(w);
        QCOMPARE(lines.size(), n);
        QCOMPARE(lines.at(8), QStringLiteral("    9     1.000"));
        QCOMPARE(lines.at(9), QStringLiteral("   10     1.000"));
        QCOMPARE(lines.at(999), QStringLiteral("  1000     1.000"));
        QCOMPARE(lines.last(), QStringLiteral("  %1     1.000").arg(n));
        QCOMPARE(p_->printer.jobs.size(), fails ? 0u : 1u);
        if (!fails) {
            const QStringList job = jobText(p_->printer.jobs.at(0));
            QCOMPARE(job.size(), n + 15); // 12 lines of frame, 3 inputs, the rows
            QCOMPARE(job.last(), QStringLiteral("34|  %1     1.000").arg(n));
        }
    }

    // クリヤ empties every box and the table and changes nothing else.
    void clearEmptiesTheBoxes_data() { addWindowRows(); }

    void clearEmptiesTheBoxes() {
        QFETCH(QString, item);
        ui::CalculatorWindow* w = p_->computeExample(item);
        QVERIFY(w != nullptr);
        QVERIFY(!shownResult(w).join(QString()).isEmpty());

        QStringList captions;
        for (const ui::CaptionLabel* l : w->findChildren<ui::CaptionLabel*>())
            captions << l->text();
        const QPoint switchPos = w->form().printSwitch->pos();
        const QList<int> codesBefore = codes(p_->main.state());

        w->form().clear->click();
        QCOMPARE(p_->boxes.take(), kNone);
        for (const QLineEdit* box : w->findChildren<QLineEdit*>())
            QVERIFY2(box->text().isEmpty(), qPrintable(box->objectName()));
        QCOMPARE(listLines(w), QStringList{});
        QStringList after;
        for (const ui::CaptionLabel* l : w->findChildren<ui::CaptionLabel*>())
            after << l->text();
        QCOMPARE(after, captions);
        QCOMPARE(w->form().printSwitch->pos(), switchPos);
        QVERIFY(p_->main.state().printAfterCalc());
        QCOMPARE(codes(p_->main.state()), codesBefore);
        QVERIFY(w->isVisible());
        QCOMPARE(p_->printer.attempts, 1);
    }

    // The print switch sits where the window's design puts it until first answered, then in its
    // on or off place, light green or button face; Menu switches printing off.
    void printSwitchFollowsTheAnswer_data() { addWindowRows(); }

    void printSwitchFollowsTheAnswer() {
        QFETCH(QString, item);
        ui::CalculatorWindow* w = p_->choose(item);
        QVERIFY(w != nullptr);
        ui::CaptionLabel* s = w->form().printSwitch;
        const QRect place = designed(w, layout(w).printOption);
        const QSize size = place.size();
        const QPoint on = px(w, layout(w).printOn);
        const QPoint off = px(w, layout(w).printOff);
        const QColor buttonFace = QApplication::palette().color(QPalette::Button);
        const QColor lightGreen(192, 255, 192);
        const auto background = [s] { return s->palette().color(s->backgroundRole()); };

        // Its caption may widen it to both sides alike (checked with the captions); the place each
        // look sets is its designed geometry.
        QCOMPARE(s->text(), QStringLiteral("印刷なし"));
        QCOMPARE(s->designedGeometry(), place);

        // Only the left button asks.
        QTest::mouseClick(s, Qt::RightButton);
        QCOMPARE(p_->boxes.take(), kNone);

        for (int round = 0; round < 2; ++round) { // Yes while printing is on keeps it on
            QCOMPARE(p_->switchPrinting(w, Button::Yes), kPrintQuestion);
            QVERIFY(p_->main.state().printAfterCalc());
            QCOMPARE(s->text(), QStringLiteral("計算後印刷"));
            QCOMPARE(s->designedGeometry(), QRect(on, size));
            QVERIFY(s->autoFillBackground());
            QCOMPARE(background(), lightGreen);
        }
        for (int round = 0; round < 2; ++round) { // No while printing is off keeps it off
            QCOMPARE(p_->switchPrinting(w, Button::No), kPrintQuestion);
            QVERIFY(!p_->main.state().printAfterCalc());
            QCOMPARE(s->text(), QStringLiteral("印刷なし"));
            QCOMPARE(s->designedGeometry(), QRect(off, size));
            QCOMPARE(background(), buttonFace);
        }

        // Menu switches printing off; the next calculation prints nothing.
        QCOMPARE(p_->switchPrinting(w, Button::Yes), kPrintQuestion);
        w->form().menu->click();
        QVERIFY(!p_->main.state().printAfterCalc());
        QCOMPARE(p_->choose(item), w);
        QCOMPARE(s->text(), QStringLiteral("印刷なし"));
        QCOMPARE(s->designedGeometry(), QRect(off, size));
        QCOMPARE(background(), buttonFace);
        typeInputs(w, exampleInputs(item.toStdString()));
        QCOMPARE(p_->compute(w), kNone);
        QCOMPARE(p_->printer.attempts, 0);
    }

    // A label keeps what the last entry of its window set, where the next entry sets nothing.
    void labelLayoutAcrossEntries_data() {
        QTest::addColumn<QString>("before"); // an entry of the same window chosen first, or none
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("label");
        QTest::addColumn<int>("top");    // twips; -1: not checked
        QTest::addColumn<int>("height"); // twips; -1: not checked
        QTest::addColumn<double>("fontSize");
        const auto row = [](const char* name, const char* before, const char* item, int label, int top,
                            int height, double font) {
            QTest::newRow(name) << before << item << label << top << height << font;
        };
        row("TA first: designed top", "", "TA", 6, 2625, 960, 9.0);
        row("TA after FR keeps 2641", "FR", "TA", 6, 2641, 960, 9.0);
        row("TA after TC keeps 2625", "TC", "TA", 6, 2625, 960, 9.0);
        row("NA lowers the result label", "", "NA", 6, 2641, 960, 9.0);
        row("SP after NA raises it again", "NA", "SP", 6, 2625, 960, 9.0);
        row("TA3 result label", "", "TA3", 5, 3105, 975, 8.0);
        row("TA2 after TA3", "TA3", "TA2", 5, 3135, 945, 8.5);
        row("NC2 after TA3", "TA3", "NC2", 5, 3135, 945, 9.0);
        row("SR3 result label", "", "SR3", 5, 3135, 945, 8.5);
        row("KA3R Label1 raised", "", "KA3R", 1, 320, 585, 8.7);
        row("KA3R Label2", "", "KA3R", 2, 1020, 495, 8.7);
        row("KA3R result label", "", "KA3R", 3, 2295, 870, 8.7);
        row("KAA right column head", "", "KAA", 5, 2310, 570, 8.0);
        row("KAA left column head", "", "KAA", 4, 2505, 255, 8.0);
        row("SA after KAA right head", "KAA", "SA", 5, 2503, 570, 9.0);
        row("SA after KAA left head", "KAA", "SA", 4, 2505, 255, 9.0);
        row("KA2A after FA left head", "FA", "KA2A", 4, -1, -1, 8.0);
    }

    void labelLayoutAcrossEntries() {
        QFETCH(QString, before);
        QFETCH(QString, item);
        QFETCH(int, label);
        QFETCH(int, top);
        QFETCH(int, height);
        QFETCH(double, fontSize);
        if (!before.isEmpty()) {
            ui::CalculatorWindow* first = p_->choose(before);
            QVERIFY(first != nullptr);
            first->form().menu->click();
        }
        ui::CalculatorWindow* w = p_->choose(item);
        QVERIFY(w != nullptr);
        const ui::CaptionLabel* l = test::label(w, label);
        QVERIFY(l != nullptr);
        // The label stands where the entry put it, or beside a box across the box's middle; it may
        // take more room than that for its caption.
        if (top >= 0) QCOMPARE(l->designedGeometry().y(), px(w, top));
        if (height >= 0) QCOMPARE(l->designedGeometry().height(), px(w, height));
        const QWidget* box = l == w->form().resultCaption ? w->form().resultBox : nullptr;
        for (std::size_t k = 0; k < w->form().inputs.size(); ++k)
            if (l == w->form().inputCaptions[k]) box = w->form().inputs[k];
        const QRectF ink = l->captionLayout().inkBox().translated(l->pos());
        if (box == nullptr) QCOMPARE(l->y(), l->designedGeometry().y());
        if (box != nullptr)
            QVERIFY(ink.top() < box->geometry().center().y() && ink.bottom() > box->geometry().center().y());
        QCOMPARE(l->font().pointSizeF(), fontSize);
    }
};

QTEST_MAIN(CalculatorWindowTest)
#include "calculator_window_test.moc"
