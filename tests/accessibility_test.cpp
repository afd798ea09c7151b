// A screen reader must be able to name every control of every dressed calculator window by what
// the user sees: the caption beside a box, the caption on a button.
#include "support/program.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QtTest>

using namespace kinri;
using namespace kinri::test;

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpGuiTests(); }

    void everyControlOfEveryDressedWindowIsNamed_data() {
        QTest::addColumn<QString>("item");
        for (const CatalogueEntry& e : catalogue())
            QTest::newRow(e.item.data()) << qs(e.item);
    }

    void everyControlOfEveryDressedWindowIsNamed() {
        QFETCH(QString, item);
        auto p = std::make_unique<Program>();
        const CatalogueEntry& entry = *findEntry(item.toStdString());
        const ui::CalculatorWindow* w = p->choose(item);
        QVERIFY(w != nullptr);

        int checked = 0;
        for (QWidget* control : w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!control->isVisible()) continue;
            if (qobject_cast<QLineEdit*>(control) == nullptr &&
                qobject_cast<QListView*>(control) == nullptr &&
                qobject_cast<QAbstractButton*>(control) == nullptr)
                continue;
            QVERIFY2(!control->accessibleName().trimmed().isEmpty(),
                     qPrintable(control->objectName() + " has no name"));
            ++checked;
        }
        QVERIFY(checked >= 6);

        // Input k is named after Label k, the result box or table after the result label.
        for (int k = 1; k <= info(w).inputCount; ++k)
            QCOMPARE(inputBox(w, k)->accessibleName(), qs(entry.labels.at(static_cast<std::size_t>(k - 1))));
        const QWidget* result =
            w->form().resultBox != nullptr ? static_cast<QWidget*>(w->form().resultBox) : w->form().list;
        QCOMPARE(result->accessibleName(), qs(entry.resultCaption));
        QCOMPARE(w->form().compute->accessibleName(), QStringLiteral("計算"));
        endProgram(p);
    }

    // What a screen reader asks of an input and a result box, at every offset and by every unit, is
    // answered at once (Qt's own answer for the word at the end loops for good): a number is one
    // word, heard to its last character; its look is one run over all of it.
    void textBoxesAnswerEveryQuery() {
        auto p = std::make_unique<Program>();
        ui::CalculatorWindow* w = p->choose(QStringLiteral("KA2C"));
        typeInputs(w, {"1000000", "0.01", "12"});
        QCOMPARE(p->compute(w), QStringList{});
        for (QLineEdit* box :
             {inputBox(w, 1), static_cast<QLineEdit*>(w->form().resultBox), inputBox(w, 3)}) {
            QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(box)->textInterface();
            const QString value = box->text();
            const auto n = static_cast<int>(value.size());
            QCOMPARE(text->characterCount(), n);
            for (int k = 0; k <= n; ++k) {
                int start = -1, end = -1;
                QCOMPARE(text->attributes(k, &start, &end), QString());
                QCOMPARE((QList<int>{start, end}), (QList<int>{0, n}));
                QCOMPARE(text->textAtOffset(k, QAccessible::CharBoundary, &start, &end), value.mid(k, 1));
                QCOMPARE(text->textBeforeOffset(k, QAccessible::CharBoundary, &start, &end),
                         k > 0 ? value.mid(k - 1, 1) : QString());
                QCOMPARE(text->textAfterOffset(k, QAccessible::CharBoundary, &start, &end),
                         value.mid(k + 1, 1));
                for (const auto unit : {QAccessible::WordBoundary, QAccessible::LineBoundary}) {
                    QCOMPARE(text->textAtOffset(k, unit, &start, &end), value);
                    QCOMPARE(text->textAfterOffset(k, unit, &start, &end), QString());
                }
            }
        }
        // The record and a schedule are frames named by their titles; an entry is heard whole.
        w->findChild<QAction*>(QStringLiteral("actionSchedule"))->trigger();
        w->findChild<QAction*>(QStringLiteral("actionShowRecord"))->trigger();
        for (const char* name : {"ScheduleWindow", "RecordWindow"}) {
            const QWidgetList windows = QApplication::topLevelWidgets();
            const auto found = std::find_if(windows.begin(), windows.end(), [name](QWidget* t) {
                return t->objectName() == QLatin1String(name);
            });
            QVERIFY2(found != windows.end(), name);
            QWidget* frame = *found;
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(frame);
            QCOMPARE(a->role(), QAccessible::Window);
            QCOMPARE(a->text(QAccessible::Name), frame->windowTitle());
            QVERIFY(!frame->windowIcon().isNull());
        }
        endProgram(p);
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
