// Where the compositor places windows (Wayland; ctest runs this on a private headless one), the
// main window hosts each calculator window in turn: the swap never unmaps it, the menu's keys rest
// while a calculator is shown, and everything the menu had comes back with Menu.
#include "support/program.h"

#include <QMenuBar>
#include <QShortcut>
#include <QWindow>
#include <QtTest>

using namespace kinri;
using namespace kinri::test;

class WindowHostTest : public ProgramTest {
    Q_OBJECT

private slots:
    void hostsEachCalculatorInTurn();
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
        QCOMPARE(main.centralWidget(), w);
        QVERIFY(!main.menuBar()->isVisible());
        QCOMPARE(main.windowTitle(), w->windowTitle());
        QCOMPARE(menuKeysOn(), (QList<bool>{false, false}));
        main.viewScale().setZoom(150);
        QCOMPARE(main.size(), w->minimumSize());
        main.viewScale().setZoom(100);
        w->form().menu->click();
        QVERIFY(main.centralWidget() == menuClient && main.menuBar()->isVisible() && !w->isVisible());
        QCOMPARE(main.windowTitle(), menuTitle);
        QCOMPARE(main.size(), menuSize);
        QCOMPARE(menuKeysOn(), (QList<bool>{true, true}));
    }
    QCOMPARE(unmapped.size(), 0);
    p_->choose(QStringLiteral("FA"));
    main.close();
    QCOMPARE(p_->ends.size(), 1);
}

QTEST_MAIN(WindowHostTest)
#include "window_host_test.moc"
