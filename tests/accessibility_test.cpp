// A screen reader must be able to name every control of every dressed calculator window by what
// the user sees: the caption beside a box, the caption on a button.
#include "support/program.h"

#include <QAbstractButton>
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
                qobject_cast<QListWidget*>(control) == nullptr &&
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
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
