// Drives the real program on a display (Xvfb in scripts/screenshot) and saves what a user sees:
// the main window with a menu open and each calculator window after a worked example.
#include "ui/calculator_window.h"
#include "ui/fonts.h"
#include "ui/help_window.h"
#include "ui/main_window.h"
#include "ui/message_box.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QThread>
#include <QTimer>

#include <cstdio>

namespace {

struct NullPrinter : kinri::ui::LinePrinter {
    bool printJob(const std::vector<kinri::PrintLine>&) override { return true; }
};

void settle() {
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(25);
    }
}

bool grab(const QRect& area, const QString& file) {
    settle();
    const QPixmap shot =
        QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    const bool ok = shot.save(file);
    std::printf("%s %s (%dx%d)\n", ok ? "saved" : "FAILED", qPrintable(file), shot.width(), shot.height());
    return ok;
}

QRect around(const QWidget* w, int margin = 8) {
    return w->frameGeometry().adjusted(-margin, -margin, margin, margin);
}

void trigger(kinri::ui::MainWindow& main, const char* item) {
    main.findChild<QAction*>(QString::fromLatin1(item))->trigger();
    settle();
}

bool example(kinri::ui::MainWindow& main, const char* item, kinri::WindowId id, const QStringList& inputs,
             const QString& file) {
    trigger(main, item);
    QWidget* w = main.calculatorWindow(id);
    for (int k = 0; k < inputs.size(); ++k)
        w->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(k + 1))->setText(inputs[k]);
    w->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    const bool ok = grab(around(w), file);
    w->findChild<QPushButton*>(QStringLiteral("Command3"))->click();
    settle();
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    kinri::ui::applyJapaneseDefaults(app);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(dir);
    NullPrinter printer;
    kinri::ui::BuiltInHelpViewer help;
    kinri::ui::MainWindow main(printer, help);
    main.show();
    settle();

    bool ok = true;
    // The instalment menu, opened down to its add-on submenu.
    QMenu* k = main.findChild<QMenu*>(QStringLiteral("K"));
    main.menuBar()->setActiveAction(k->menuAction());
    settle();
    QMenu* ka3 = main.findChild<QMenu*>(QStringLiteral("KA3"));
    k->setActiveAction(ka3->menuAction());
    ka3->popup(k->geometry().topRight() + QPoint(0, k->actionGeometry(ka3->menuAction()).top()));
    settle();
    QRect menuArea = main.frameGeometry().united(k->geometry()).united(ka3->geometry());
    ok &= grab(menuArea.adjusted(-8, -8, 8, 8), dir + QStringLiteral("/main-menu.png"));
    ka3->hide();
    k->hide();
    settle();

    using kinri::WindowId;
    ok &= example(main, "TA", WindowId::Zovan2, {"10000", "0.01", "12"},
                  dir + QStringLiteral("/zovan2-TA.png"));
    ok &= example(main, "KAA", WindowId::Zovan3, {"1200000", "12", "0.005"},
                  dir + QStringLiteral("/zovan3-KAA.png"));
    ok &= example(main, "KA3R", WindowId::Zovan4, {"0.01", "12"}, dir + QStringLiteral("/zovan4-KA3R.png"));
    ok &= example(main, "SR3", WindowId::Zovan5, {"0.03", "0.04", "0.01", "1"},
                  dir + QStringLiteral("/zovan5-SR3.png"));

    // A question box: its buttons carry Qt's Japanese texts (はい / いいえ).
    QTimer::singleShot(0, &main, [&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            ok &= grab(around(box), dir + QStringLiteral("/print-question.png"));
            box->close();
        }
    });
    kinri::ui::showMessage(&main, kinri::ui::kPrintQuestionBox, QMessageBox::Yes | QMessageBox::No);

    main.findChild<QAction*>(QStringLiteral("HE01"))->trigger();
    settle();
    if (help.window() != nullptr) {
        ok &= grab(help.window()->frameGeometry(), dir + QStringLiteral("/help.png"));
        help.window()->browser()->setSource(QUrl(QStringLiteral("qrc:/help/KA2A.html")));
        help.window()->browser()->scrollToAnchor(QStringLiteral("example"));
        ok &= grab(help.window()->frameGeometry(), dir + QStringLiteral("/help-page.png"));
    }
    return ok ? 0 : 1;
}
