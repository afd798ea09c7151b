// Where the compositor places windows (Wayland; ctest runs this on a private headless one), the
// main window hosts each calculator window in turn: the swap never unmaps it, the menu's keys rest
// while a calculator is shown, and everything the menu had comes back with Menu.
#include "support/program.h"

#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QWindow>
#include <QtTest>

using namespace kinri;
using namespace kinri::test;

class WindowHostTest : public ProgramTest {
    Q_OBJECT

private slots:
    void hostsEachCalculatorInTurn();
    void hostedWithinTheOutput();
};

// Each calculator in turn in the main window's place, with its caption and size (zoomed too), the
// menu's keys (F1, F10) resting; Menu brings all the menu had back; the close box while a
// calculator shows is that calculator's, and ends the program.
void WindowHostTest::hostsEachCalculatorInTurn() {
    QVERIFY2(QGuiApplication::platformName().startsWith(QLatin1String("wayland")),
             qPrintable(QGuiApplication::platformName()));
    ui::MainWindow& main = p_->main;
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    const auto menuKeysOn = [&main] {
        QList<bool> on;
        for (const QShortcut* key : main.findChildren<QShortcut*>(Qt::FindDirectChildrenOnly))
            on << key->isEnabled();
        return on;
    };
    QWidget* menuClient = main.centralWidget();
    const QString menuTitle = main.windowTitle();
    const QSize menuSize = main.size();
    QCOMPARE(menuKeysOn(), (QList<bool>{true, true}));
    QSignalSpy unmapped(main.windowHandle(), &QWindow::visibleChanged);
    for (const QString& item : {QStringLiteral("SP"), QStringLiteral("FA"), QStringLiteral("KA3R")}) {
        ui::CalculatorWindow* w = p_->choose(item);
        QCOMPARE(w->window(), &main);
        QVERIFY(!main.menuBar()->isVisible());
        QCOMPARE(main.windowTitle(), w->windowTitle());
        QCOMPARE(menuKeysOn(), (QList<bool>{false, false}));
        main.viewScale().setZoom(150);
        QCOMPARE(main.size(), w->minimumSize());
        main.viewScale().setZoom(100);
        w->form().menu->click();
        QCOMPARE(main.centralWidget(), menuClient);
        QVERIFY(main.menuBar()->isVisible());
        QVERIFY(!w->isVisible());
        QCOMPARE(main.windowTitle(), menuTitle);
        QCOMPARE(main.size(), menuSize);
        QCOMPARE(menuKeysOn(), (QList<bool>{true, true}));
    }
    QCOMPARE(unmapped.size(), 0);
    p_->choose(QStringLiteral("FA"));
    main.close();
    QCOMPARE(p_->ends.size(), 1);
}

// The compositor tells no client where its window is, nor lets it move it: a calculator larger than
// the output (ctest runs this on a small one too) is shown in a window no larger than the output,
// scrolled, every control within reach; one that fits has no scroll bar.
void WindowHostTest::hostedWithinTheOutput() {
    ui::MainWindow& main = p_->main;
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    const QSize output = main.screen()->availableGeometry().size();
    for (const QString& item : {QStringLiteral("SP"), QStringLiteral("KAA"), QStringLiteral("KA3R")}) {
        ui::CalculatorWindow* w = p_->choose(item);
        auto* view = main.findChild<QScrollArea*>(QStringLiteral("HostedView"));
        QVERIFY(view != nullptr && view->widget() == w);
        const QSize frame = main.frameGeometry().size();
        QVERIFY2(frame.width() <= output.width() && frame.height() <= output.height(),
                 qPrintable(item + QStringLiteral(": %1×%2 on %3×%4")
                                       .arg(frame.width())
                                       .arg(frame.height())
                                       .arg(output.width())
                                       .arg(output.height())));
        const bool fits = w->minimumHeight() + frame.height() - main.height() <= output.height();
        QCOMPARE(view->verticalScrollBar()->isVisible(), !fits);
        for (QWidget* control : w->findChildren<QWidget*>()) {
            if (!control->isVisible() || control->focusPolicy() == Qt::NoFocus) continue;
            view->ensureWidgetVisible(control, 0, 0);
            const QRect at(control->mapTo(view->viewport(), QPoint(0, 0)), control->size());
            QVERIFY2(view->viewport()->rect().contains(at), qPrintable(item + u' ' + control->objectName()));
        }
        w->form().menu->click();
    }
}

QTEST_MAIN(WindowHostTest)
#include "window_host_test.moc"
