// Drives the real SystemLinePrinter against whatever print system the environment names
// (scripts/print-check points CUPS_SERVER at a private scheduler). One run, one case:
//
//   kinri_print_check single [--pdf FILE]   FN with 2000, 1000, 0.05: a one-page printout
//   kinri_print_check table  [--pdf FILE]   FA with 1, 0, 150: a 150-row table over pages
//   kinri_print_check longest               TA3, the longest caption on paper, with the result
//                                           10000.000 and then a 20-digit one: two jobs
//   kinri_print_check keys                  the calculator window on a display (needs xdotool):
//                                           keys typed while the job waits reach their box
//
// It prints what happened and how long the job held the caller; the exit status is 0 when the
// printer reported the job printed, 1 when it reported a failure, 2 when the case itself failed.
// With --pdf the job is written to FILE instead, to compare against what arrives at the queue.

#include "compute/flow.h"
#include "ui/calculator_window.h"
#include "ui/main_window.h"
#include "ui/system_printer.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <cstdio>

namespace {

namespace ui = kinri::ui;

struct NoHelp : ui::HelpViewer {
    void showContents(const QString&) override {}
};

int report(bool printed, qint64 ms, const QString& what = {}) {
    std::printf("%s in %lld ms%s\n", printed ? "printed" : "not printed", static_cast<long long>(ms),
                qPrintable(what.isEmpty() ? what : QStringLiteral(": ") + what));
    return printed ? 0 : 1;
}

int printOne(const QString& which, const QString& pdfFile) {
    const kinri::Outcome out = which == QLatin1String("table")
                                   ? kinri::runCalculation("FA", {"1", "0", "150"}, true)
                                   : kinri::runCalculation("FN", {"2000", "1000", "0.05"}, true);
    ui::SystemLinePrinter printer =
        pdfFile.isEmpty() ? ui::SystemLinePrinter() : ui::SystemLinePrinter(pdfFile);
    QElapsedTimer clock;
    clock.start();
    const bool printed = printer.printJob(out.printJob);
    return report(printed, clock.elapsed(), ui::printJobTitle(out.printJob));
}

// The window as a user has it: printing switched on, the inputs typed. On the display, xdotool
// clicks 計算 and, while the job waits on the server, presses Shift+Tab (from the button back
// to the result box), End, 7, 7: the keys must reach the result box, before the message box that
// reports the failed job can take the keyboard.
int typeDuringTheWait() {
    ui::SystemLinePrinter printer;
    NoHelp help;
    ui::MainWindow main(printer, help);
    main.show();
    main.findChild<QAction*>(QStringLiteral("FN"))->trigger();
    QWidget* w = main.calculatorWindow(kinri::WindowId::Zovan2);
    auto* resultBox = w->findChild<QLineEdit*>(QStringLiteral("Text6"));
    auto* compute = w->findChild<QPushButton*>(QStringLiteral("Command1"));

    // Message boxes are answered as a user answers them, half a second after they appear: Yes to
    // the print question, OK to the rest.
    QStringList boxes;
    QElapsedTimer clock; // from the press on 計算
    qint64 held = -1;
    bool clicked = false;
    QPointer<QMessageBox> shown;
    QElapsedTimer shownFor;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) return;
        if (box != shown) {
            shown = box;
            shownFor.start();
            if (clock.isValid()) held = clock.elapsed(); // the click held the window until now
        }
        if (shownFor.elapsed() < 500) return;
        boxes.append(box->text().simplified());
        QAbstractButton* button = box->button(QMessageBox::Yes);
        if (button == nullptr) button = box->button(QMessageBox::Ok);
        if (button != nullptr) button->click();
    });
    answer.start(50);
    QTest::mouseClick(w->findChild<QWidget*>(QStringLiteral("Label4")), Qt::LeftButton);
    const char* inputs[] = {"2000", "1000", "0.05"};
    for (int k = 1; k <= 3; ++k)
        w->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(k))
            ->setText(QString::fromLatin1(inputs[k - 1]));
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w)) {
        std::fprintf(stderr, "the calculator window did not get the keyboard\n");
        return 2;
    }

    QObject::connect(compute, &QPushButton::pressed, [&clock] { clock.start(); });
    QObject::connect(compute, &QPushButton::clicked, [&] {
        if (held < 0) held = clock.elapsed(); // no message box: the click ended here
        clicked = true;
    });
    const QPoint at = compute->mapToGlobal(compute->rect().center());
    QProcess user;
    user.start(QStringLiteral("xdotool"),
               {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                QStringLiteral("click"), QStringLiteral("1"), QStringLiteral("sleep"), QStringLiteral("1"),
                QStringLiteral("key"), QStringLiteral("shift+Tab"), QStringLiteral("End"),
                QStringLiteral("7"), QStringLiteral("7")});
    if (!QTest::qWaitFor([&] { return clicked; }, 30000)) {
        std::fprintf(stderr, "the click on 計算 did not arrive\n");
        return 2;
    }
    user.waitForFinished(5000);

    const bool printed = !boxes.join(u'|').contains(QStringLiteral("エラーが発生しました"));
    const QString seen = QStringLiteral("result box \"%1\", message boxes: %2")
                             .arg(resultBox->text(), boxes.join(QStringLiteral(" | ")));
    report(printed, held, seen);
    if (resultBox->text() != QLatin1String("14.2067077")) return 2;
    return printed ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() == 1 && args[0] == QLatin1String("keys")) return typeDuringTheWait();
    if (args.size() == 1 && args[0] == QLatin1String("longest")) {
        ui::SystemLinePrinter printer;
        bool printed = true;
        for (const char* target : {"142830.9320748815", "176300000000000000000"})
            printed = printer.printJob(
                          kinri::runCalculation("TA3", {target, "0.01", "0.02", "12"}, true).printJob) &&
                      printed;
        return report(printed, 0, QStringLiteral("TA3 twice"));
    }
    if ((args.size() == 1 || (args.size() == 3 && args[1] == QLatin1String("--pdf"))) &&
        (args[0] == QLatin1String("single") || args[0] == QLatin1String("table")))
        return printOne(args[0], args.value(2));
    std::fprintf(stderr, "usage: kinri_print_check single|table [--pdf FILE] | longest | keys\n");
    return 2;
}
