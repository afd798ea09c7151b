// A screen reader must be able to name every control of every dressed calculator window by what
// the user sees: the caption beside a box, the caption on a button.
#include "catalogue/catalogue.h"
#include "ui/calculator_window.h"
#include "ui/fonts.h"
#include "ui/main_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

namespace {

struct NullPrinter : kinri::ui::LinePrinter {
    bool printJob(const std::vector<kinri::PrintLine>&) override { return true; }
};
struct NullHelp : kinri::ui::HelpViewer {
    void showContents(const QString&) override {}
};

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { kinri::ui::applyJapaneseDefaults(*qApp); }

    void everyControlOfEveryDressedWindowIsNamed_data() {
        QTest::addColumn<QString>("item");
        for (const kinri::CatalogueEntry& e : kinri::catalogue())
            QTest::newRow(e.item.data()) << qs(e.item);
    }

    void everyControlOfEveryDressedWindowIsNamed() {
        QFETCH(QString, item);
        NullPrinter printer;
        NullHelp help;
        kinri::ui::MainWindow main(printer, help);
        main.show();
        const kinri::CatalogueEntry& entry = *kinri::findEntry(item.toStdString());
        main.findChild<QAction*>(item)->trigger();
        QWidget* window = main.calculatorWindow(entry.window);
        QVERIFY(window != nullptr);

        const auto controls = window->findChildren<QWidget*>();
        int checked = 0;
        for (QWidget* w : controls) {
            if (!w->isVisible()) continue;
            if (qobject_cast<QLineEdit*>(w) == nullptr && qobject_cast<QListWidget*>(w) == nullptr &&
                qobject_cast<QAbstractButton*>(w) == nullptr)
                continue;
            if (w->parentWidget() != window) continue; // internals such as a list's scroll bars
            QVERIFY2(!w->accessibleName().trimmed().isEmpty(), qPrintable(w->objectName() + " has no name"));
            ++checked;
        }
        QVERIFY(checked >= 6);

        // Input k is named after Label k, the result box after the result label.
        const int inputs = kinri::windowInfo(entry.window).inputCount;
        for (int k = 1; k <= inputs; ++k) {
            auto* box = window->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(k));
            QCOMPARE(box->accessibleName(), qs(entry.labels.at(static_cast<std::size_t>(k - 1))));
        }
        const kinri::WindowInfo& info = kinri::windowInfo(entry.window);
        if (!info.resultBox.empty()) {
            QCOMPARE(window->findChild<QLineEdit*>(qs(info.resultBox))->accessibleName(),
                     qs(entry.resultCaption));
        } else {
            QCOMPARE(window->findChild<QListWidget*>(QStringLiteral("List1"))->accessibleName(),
                     qs(entry.resultCaption));
        }
        QCOMPARE(window->findChild<QAbstractButton*>(QStringLiteral("Command1"))->accessibleName(),
                 QStringLiteral("計算"));
        window->hide();
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
