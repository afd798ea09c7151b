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
    void closingTheHostEndsTheProgram();
};

namespace {

// The menu's own keys (F1, F10) and whether each is on.
QList<bool> menuKeysOn(const ui::MainWindow& main) {
    QList<bool> on;
    for (const QShortcut* key : main.findChildren<QShortcut*>(Qt::FindDirectChildrenOnly))
        on << key->isEnabled();
    return on;
}

} // namespace

void WindowHostTest::hostsEachCalculatorInTurn() {
    QVERIFY2(QGuiApplication::platformName().startsWith(QLatin1String("wayland")),
             qPrintable(QGuiApplication::platformName()));
    ui::MainWindow& main = p_->main;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QWidget* menuClient = main.centralWidget();
    const QString menuTitle = main.windowTitle();
    const QSize menuSize = main.size();
    QCOMPARE(menuKeysOn(main), (QList<bool>{true, true}));
    QSignalSpy unmapped(main.windowHandle(), &QWindow::visibleChanged);

    for (const QString& item : {QStringLiteral("SP"), QStringLiteral("FA"), QStringLiteral("KA3R")}) {
        ui::CalculatorWindow* w = p_->choose(item);
        QVERIFY(w != nullptr);
        QCOMPARE(main.centralWidget(), w);
        QCOMPARE(w->window(), &main);
        QVERIFY(!main.menuBar()->isVisible());
        QCOMPARE(main.windowTitle(), w->windowTitle());
        QCOMPARE(main.size(), w->minimumSize());
        QCOMPARE(menuKeysOn(main), (QList<bool>{false, false}));
        // A zoom resizes the calculator, and the window follows it.
        main.viewScale().setZoom(150);
        QCOMPARE(main.size(), w->minimumSize());
        main.viewScale().setZoom(100);

        w->form().menu->click();
        QCOMPARE(main.centralWidget(), menuClient);
        QVERIFY(main.menuBar()->isVisible());
        QCOMPARE(main.windowTitle(), menuTitle);
        QCOMPARE(main.size(), menuSize);
        QCOMPARE(menuKeysOn(main), (QList<bool>{true, true}));
        QVERIFY(!w->isVisible());
    }
    QCOMPARE(unmapped.size(), 0);
    QCOMPARE(p_->ends.size(), 0);
}

// The main window's close box while it shows a calculator is that calculator's: the program ends.
void WindowHostTest::closingTheHostEndsTheProgram() {
    p_->main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&p_->main));
    ui::CalculatorWindow* w = p_->choose(QStringLiteral("FA"));
    QCOMPARE(p_->main.centralWidget(), w);
    p_->main.close();
    QCOMPARE(p_->ends.size(), 1);
}

QTEST_MAIN(WindowHostTest)
#include "window_host_test.moc"
