// Drives the real SystemLinePrinter against whatever print system the environment names
// (scripts/print-check points CUPS_SERVER at a private scheduler). One run, one case:
//
//   kinri_print_check single [--pdf FILE]   FN with 2000, 1000, 0.05: a one-page printout
//   kinri_print_check table  [--pdf FILE]   FA with 1, 0, 150: a 150-row table over pages
//   kinri_print_check longest               TA3, the longest caption on paper, with the result
//                                           10000.000 and then a 20-digit one: two jobs
//   kinri_print_check keys                  the calculator window on a display (needs xdotool):
//                                           keys typed while the job waits reach their box
//   kinri_print_check close                 the program as main() puts it together, its window
//                                           closed one second into a job: prints the moment of
//                                           the close, to time the program's end against
//
// It prints what happened, why a job failed and how long the job held the caller; the exit status
// is 0 when the job printed, 1 when it failed, 2 when the case itself failed. Jobs go through the
// program's print service, as a compute click sends them.
// With --pdf the job is written to FILE instead, to compare against what arrives at the queue.

#include "compute/flow.h"
#include "ui/calculator/calculator_form.h"
#include "ui/calculator/calculator_window.h"
#include "ui/calculator/click_controller.h"
#include "ui/controls/print_switch.h"
#include "ui/controls/result_box.h"
#include "ui/main_window.h"
#include "ui/paper/print_service.h"
#include "ui/paper/system_printer.h"

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

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

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
    const QString title = QString::fromStdString(out.calculation->title);
    if (!pdfFile.isEmpty()) {
        const std::atomic<bool> waited{false};
        return report(ui::SystemLinePrinter(pdfFile).printNamed(out.printJob, title, waited).printed(), 0,
                      title);
    }

    ui::SystemLinePrinter printer;
    ui::PrintService service(printer);
    QElapsedTimer clock;
    clock.start();
    const std::shared_ptr<ui::PrintTicket> ticket = service.submit(out.printJob, title);
    const bool answered = ticket->waitUntil(std::chrono::steady_clock::now() + ui::kPrintJobBound);
    ticket->cancel();
    const ui::PrintResult result =
        answered ? ticket->result() : ui::PrintResult{ui::PrintFailure::TimedOut, {}};
    const int status = report(result.printed(), clock.elapsed(),
                              result.printed() ? title : ui::printFailureText(result).replace(u'\n', u' '));
    if (!service.stop()) {
        std::fflush(nullptr);
        std::_Exit(status); // the service's thread is still inside the print system
    }
    return status;
}

// Answers message boxes as a user does, half a second after they appear: Yes to the print
// question, OK to the rest; keeps their texts, and when the first came after `clock` started.
struct BoxAnswerer {
    QStringList boxes;
    QElapsedTimer clock; // from the press on 計算
    qint64 held = -1;
    QPointer<QMessageBox> shown;
    QElapsedTimer shownFor;
    QTimer timer;

    BoxAnswerer() {
        QObject::connect(&timer, &QTimer::timeout, [this] {
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
        timer.start(50);
    }
};

// FN chosen, printing switched on, the inputs typed: the calculator window as a user has it.
ui::CalculatorWindow* preparedWindow(ui::MainWindow& main) {
    main.show();
    main.findChild<QAction*>(QStringLiteral("FN"))->trigger();
    ui::CalculatorWindow* w = main.calculatorWindow(kinri::WindowId::Zovan2);
    QTest::mouseClick(w->form().printSwitch, Qt::LeftButton);
    const char* inputs[] = {"2000", "1000", "0.05"};
    for (std::size_t k = 0; k < 3; ++k)
        w->form().inputs.at(k)->setText(QString::fromLatin1(inputs[k]));
    return w;
}

// On the display, xdotool clicks 計算 and, while the job waits on the server, presses Shift+Tab
// (from the button back to the result box), End, 7, 7, then clicks the print switch and Menu: the
// keys must reach the result box once the click is over, its message box answered, and the clicks
// must have done nothing (no question, the window still there).
int typeDuringTheWait() {
    ui::SystemLinePrinter printer;
    NoHelp help;
    ui::MainWindow main(printer, help);
    BoxAnswerer user;
    ui::CalculatorWindow* w = preparedWindow(main);
    QLineEdit* resultBox = w->form().resultBox;
    QPushButton* compute = w->form().compute;
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w)) {
        std::fprintf(stderr, "the calculator window did not get the keyboard\n");
        return 2;
    }

    bool clicked = false;
    QObject::connect(compute, &QPushButton::pressed, [&user] { user.clock.start(); });
    QObject::connect(compute, &QPushButton::clicked, [&] {
        if (user.held < 0) user.held = user.clock.elapsed(); // no message box: the click ended here
        clicked = true;
    });
    auto clickOn = [](const QWidget* target) {
        const QPoint at = target->mapToGlobal(target->rect().center());
        return QStringList{QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                           QStringLiteral("click"), QStringLiteral("1")};
    };
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"),
                  clickOn(compute) + QStringList{"sleep", "1", "key", "shift+Tab", "End", "7", "7"} +
                      clickOn(w->form().printSwitch) + clickOn(w->form().menu));
    if (!QTest::qWaitFor([&] { return clicked; }, 30000)) {
        std::fprintf(stderr, "the click on 計算 did not arrive\n");
        return 2;
    }
    xdotool.waitForFinished(5000);
    (void)QTest::qWaitFor([&] { return resultBox->text() == QLatin1String("14.2067077"); }, 2000);

    const bool printed = !user.boxes.join(u'|').contains(QStringLiteral("エラーが発生しました"));
    const QString seen = QStringLiteral("result box \"%1\", message boxes: %2")
                             .arg(resultBox->text(), user.boxes.join(QStringLiteral(" | ")));
    report(printed, user.held, seen);
    if (resultBox->text() != QLatin1String("14.2067077") || user.boxes.size() != 2 || !w->isVisible())
        return 2;
    return printed ? 0 : 1;
}

// The program as main() has it; one second into the click on 計算 its window is closed. Prints
// the moment of the close (nanoseconds of the system clock) for the caller to time the end.
int closeDuringTheWait() {
    ui::SystemLinePrinter printer;
    NoHelp help;
    auto main = std::make_unique<ui::MainWindow>(printer, help);
    QObject::connect(main.get(), &ui::MainWindow::programEndRequested, qApp, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    BoxAnswerer user;
    ui::CalculatorWindow* w = preparedWindow(*main);
    QTimer::singleShot(0, w->form().compute, &QPushButton::click);
    QTimer::singleShot(1000, w, [w] {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        std::printf(
            "closed at %lld\n",
            static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
        std::fflush(stdout);
        w->close();
    });
    QApplication::exec();
    main.reset();                          // as main() ends: the windows go, and the print service with them
    return user.boxes.size() == 1 ? 0 : 2; // the print question, and no message after the close
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() == 1 && args[0] == QLatin1String("keys")) return typeDuringTheWait();
    if (args.size() == 1 && args[0] == QLatin1String("close")) return closeDuringTheWait();
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
    std::fprintf(stderr, "usage: kinri_print_check single|table [--pdf FILE] | longest | keys | close\n");
    return 2;
}
