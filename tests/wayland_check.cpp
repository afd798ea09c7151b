// The program's windows on a real Wayland compositor (scripts/wayland-check starts one), driven
// through the menu as a user goes, with the built-in help rather than a recording one so that its
// window is mapped too. Prints each step; exits 1 at the first that fails. A client cannot learn
// where the compositor put its windows, so the main window's position is printed, not checked.
#include "support/program.h"
#include "ui/common/fonts.h"
#include "ui/help/help_window.h"
#include "ui/plan/plan_window.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QWindow>
#include <QtTest>

#include <cstdio>
#include <cstdlib>

using namespace kinri;
using namespace kinri::test;

namespace {

QElapsedTimer elapsed;

void step(bool ok, const QString& what) {
    std::printf("  %s: %s (%lld ms)\n", ok ? "ok" : "FAILED", qPrintable(what),
                static_cast<long long>(elapsed.elapsed()));
    std::fflush(stdout);
    if (!ok) std::exit(1);
    QTest::qWait(qEnvironmentVariableIntValue("KINRI_STEP_PAUSE_MS")); // to watch it on a nested compositor
}

// Shown: mapped by the compositor, not merely marked visible.
bool shown(QWidget* w) {
    return w != nullptr && w->isVisible() && QTest::qWaitForWindowExposed(w, 5000);
}

QString where(const QWidget* w) {
    const QPoint frame = w->frameGeometry().topLeft(), inside = w->geometry().topLeft();
    return QString::asprintf("frame at %d,%d, inside at %d,%d", frame.x(), frame.y(), inside.x(), inside.y());
}

// Qt's own title bar offers maximise whatever the window's flags; a window of fixed size must come
// back to its own size, or the compositor's next configure ends the program.
bool refusesMaximise(QWidget* w) {
    const QSize own = w->size();
    w->windowHandle()->setWindowStates(Qt::WindowMaximized); // as its maximise button does
    QTest::qWait(500);
    return w->windowState() == Qt::WindowNoState && w->size() == own && w->maximumSize() == own;
}

// From the main window's menu: `item`, its worked example typed, 計算, the result the core gives.
ui::CalculatorWindow* compute(ui::MainWindow& main, MessageBoxAnswerer& boxes, const QString& item) {
    main.findChild<QAction*>(item)->trigger();
    ui::CalculatorWindow* w = main.calculatorWindow(findEntry(item.toStdString())->window);
    step(shown(w) && w->window() == &main && main.isVisible(),
         item + QStringLiteral(" chosen: its window shown in the main window's place"));
    const QStringList inputs = exampleInputs(item.toStdString());
    typeInputs(w, inputs);
    w->form().compute->click();
    const QStringList raised = boxes.take();
    const QStringList want = shownResult(runCalculation(item.toStdString(), toStd(inputs), false));
    step(raised.isEmpty() && !want.isEmpty() && shownResult(w) == want,
         QStringLiteral("計算 on ") + inputs.join(u' ') + QStringLiteral(": ") + shownResult(w).join(u'/') +
             raised.join(u' '));
    return w;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ui::applyJapaneseDefaults(app);
    elapsed.start();
    step(QGuiApplication::platformName() == QLatin1String("wayland"),
         QStringLiteral("platform ") + QGuiApplication::platformName());

    RecordingPrinter printer;
    ui::BuiltInHelpViewer help;
    MessageBoxAnswerer boxes;
    ui::MainWindow main(printer, help);
    QSignalSpy ends(&main, &ui::MainWindow::programEndRequested);
    main.show();
    step(shown(&main), QStringLiteral("main window shown"));
    const QString before = where(&main);
    step(refusesMaximise(&main), QStringLiteral("maximise: the menu window back at its own size"));

    // The one window never leaves the screen, so the compositor keeps it where it was.
    QSignalSpy unmapped(main.windowHandle(), &QWindow::visibleChanged);
    ui::CalculatorWindow* sp = compute(main, boxes, QStringLiteral("SP"));
    sp->form().menu->click();
    step(shown(&main) && !sp->isVisible() && main.menuBar()->isVisible() && unmapped.isEmpty(),
         QStringLiteral("Menu: the menu again, in the same window, SP's gone"));
    const char* unknown =
        main.geometry().topLeft().isNull() ? " (0,0: Wayland tells a client nothing of it)" : "";
    std::printf("  the main window before Menu → SP → Menu %s, after %s%s\n", qPrintable(before),
                qPrintable(where(&main)), unknown);

    ui::CalculatorWindow* fa = compute(main, boxes, QStringLiteral("FA"));
    main.viewScale().setZoom(150); // or as large as the screen allows
    const double zoom = main.viewScale().zoom() / 100.0;
    step(zoom > 1 && main.size() == fa->size() && fa->height() == px(fa, layout(fa).clientHeight * zoom),
         QStringLiteral("zoomed: the window as large as the calculator it shows, %1×%2")
             .arg(main.width())
             .arg(main.height()));
    step(refusesMaximise(&main), QStringLiteral("maximise: FA's window back at its own size"));
    for (QAction* a : inputBox(fa, 2)->actions())
        if (a->shortcut() == QKeySequence(Qt::Key_F4)) a->trigger();
    auto* aid = fa->findChild<QDialog*>(QStringLiteral("InputAid"));
    step(shown(aid) && refusesMaximise(aid), QStringLiteral("maximise: the F4 aid back at its own size"));
    aid->reject();
    // A headless compositor has no seat: no window gets the keyboard, so Qt delivers no key to a
    // shortcut (and a key sent to a text box reaches Qt's text input without a seat, and crashes).
    // F1's shortcut is set off directly instead; what it opens is what this is about.
    for (QShortcut* key : fa->findChildren<QShortcut*>())
        if (key->key() == QKeySequence::HelpContents) emit key->activated();
    step(shown(help.window()) && help.window()->browser()->source().fileName() == QLatin1String("FA.html"),
         QStringLiteral("F1: the help window shown at FA's page"));
    std::printf("  the help window: %s\n", qPrintable(where(help.window())));
    step(help.window()->close() && ends.isEmpty(), QStringLiteral("help closed, the program goes on"));

    // 返済プラン from the main window's menu, a window of its own: shown within the output, its rows
    // computed again in the other rounding, closed without ending the program.
    main.findChild<QMenu*>(QStringLiteral("menuPlan"))->actions().value(0)->trigger();
    auto* plan = main.findChild<ui::PlanWindow*>(QStringLiteral("PlanWindow"));
    step(shown(plan) && plan->result().rows.size() == 420, QStringLiteral("返済プラン shown: 420 payments"));
    const QSize output = plan->screen()->availableGeometry().size();
    step(plan->frameGeometry().width() <= output.width() && plan->frameGeometry().height() <= output.height(),
         QStringLiteral("返済プラン within the output: %1×%2 in %3×%4")
             .arg(plan->frameGeometry().width())
             .arg(plan->frameGeometry().height())
             .arg(output.width())
             .arg(output.height()));
    plan->findChild<QComboBox*>(QStringLiteral("PlanRounding"))->setCurrentIndex(1);
    const bool recomputed = QTest::qWaitFor([plan] { return plan->result().decimals == 3; });
    step(recomputed, QStringLiteral("返済プラン in the program's rounding: ") +
                         QString::number(plan->result().firstPayment) +
                         QStringLiteral(" thousandths of a yen a month"));
    step(plan->close() && ends.isEmpty(), QStringLiteral("返済プラン closed, the program goes on"));
    fa->close();
    step(ends.count() == 1 && boxes.take().isEmpty() && boxes.strayModals == 0,
         QStringLiteral("FA's window closed: the program's end requested"));
    return 0;
}
