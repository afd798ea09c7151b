// Drives the real program on a display (Xvfb in scripts/screenshot) and saves what a user sees:
//  - one contact sheet per calculator window, every calculation it hosts dressed from the menu and
//    computed with its worked example, every other one with printing switched on (both looks of
//    the print switch), named <window>-<dpi>dpi.png;
//  - the input aids and their notes, aids-<dpi>dpi.png; the record of it all and a print preview,
//    record-<dpi>dpi.png and preview-<dpi>dpi.png; a 返済プラン with two events, its comparison and the
//    program's rounding, plan-, plan-compare- and plan-program-<dpi>dpi.png, recorded; the schedule of a
//    30-year mortgage and of FA, schedule-KA2C-, schedule-KAA-, schedule-KA2A- and schedule-FA-<dpi>dpi.png;
//  - with --dark, the same under a dark palette (--high-contrast: white on black); with --zoom200, at the
//  largest zoom;
//  - with --singles, the main window with a menu open, one calculator window of each kind and the
//    help window, for the README.
#include "support/worked_examples.h"
#include "ui/calculator/calculator_window.h"
#include "ui/common/fonts.h"
#include "ui/common/message_box.h"
#include "ui/help/help_window.h"
#include "ui/main_window.h"
#include "ui/plan/plan_window.h"
#include "ui/record/record_window.h"
#include "ui/schedule/schedule_chart.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTabWidget>
#include <QTableView>
#include <QTextBrowser>
#include <QThread>
#include <QTimer>

#include <cmath>
#include <cstdio>

namespace {

struct NullPrinter : kinri::ui::LinePrinter {
    bool printJob(const std::vector<kinri::PrintLine>&) override { return true; }
};

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Lets the windows be shown, laid out and painted (and, on screen, mapped by the window manager).
void settle(int rounds = 6) {
    for (int i = 0; i < rounds; ++i) {
        QApplication::processEvents();
        QThread::msleep(15);
    }
}

bool save(const QImage& image, const QString& file) {
    const bool ok = image.save(file);
    std::printf("%s %s (%dx%d)\n", ok ? "saved" : "FAILED", qPrintable(file), image.width(), image.height());
    return ok;
}

bool grab(const QRect& area, const QString& file) {
    settle(30);
    const QPixmap shot =
        QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    return save(shot.toImage(), file);
}

QRect around(const QWidget* w, int margin = 8) {
    return w->frameGeometry().adjusted(-margin, -margin, margin, margin);
}

// Answers the print switch's question with Yes.
void answerYesSoon() {
    QTimer::singleShot(50, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->button(QMessageBox::Yes)->click();
        else
            answerYesSoon();
    });
}

// Opens `entry` from the menu, types its worked example and computes; returns the window.
// `item` chosen from the menu, `inputs` typed into its boxes and 計算 clicked: its window.
QWidget* computeWith(kinri::ui::MainWindow& main, const char* item, const QStringList& inputs) {
    main.findChild<QAction*>(qs(item))->trigger();
    settle();
    QWidget* w = main.calculatorWindow(kinri::findEntry(item)->window);
    for (int k = 0; k < inputs.size(); ++k)
        w->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(k + 1))->setText(inputs.at(k));
    w->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    settle();
    return w;
}

QWidget* dressAndCompute(kinri::ui::MainWindow& main, const kinri::CatalogueEntry& entry, bool printing) {
    main.findChild<QAction*>(qs(entry.item))->trigger();
    settle();
    QWidget* w = main.calculatorWindow(entry.window);
    for (const auto& example : kinri::examples::kExamples) {
        if (example.item != entry.item) continue;
        for (int k = 0; k < kinri::windowInfo(entry.window).inputCount; ++k)
            w->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(k + 1))
                ->setText(qs(example.inputs.at(static_cast<std::size_t>(k))));
    }
    if (printing) {
        const auto& info = kinri::windowInfo(entry.window);
        answerYesSoon();
        auto* label = w->findChild<QWidget*>(qs(info.printOption));
        QMetaObject::invokeMethod(label, "clicked");
        settle();
    }
    w->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    settle();
    return w;
}

void backToMenu(QWidget* w) {
    w->findChild<QPushButton*>(QStringLiteral("Command3"))->click();
    settle();
}

// Pictures side by side, each under its name, in rows of `columns` (0: 4, or 6 for many).
bool saveSheet(const QList<QImage>& shots, const QStringList& names, const QString& file, int columns = 0) {
    if (shots.isEmpty()) return false;
    if (columns == 0) columns = std::min<int>(static_cast<int>(shots.size()), shots.size() > 8 ? 6 : 4);
    const int rows = (static_cast<int>(shots.size()) + columns - 1) / columns;
    QSize cell;
    for (const QImage& shot : shots)
        cell = cell.expandedTo(shot.size());
    const int gutter = 12;
    QFont font = kinri::ui::uiFont(9);
    font.setPixelSize(static_cast<int>(std::lround(14 * shots.front().devicePixelRatio())));
    const int title = QFontMetrics(font).height() + 6;
    QImage sheet(columns * (cell.width() + gutter) + gutter, rows * (cell.height() + title + gutter) + gutter,
                 QImage::Format_RGB32);
    sheet.fill(QColor(0x60, 0x60, 0x60));
    QPainter painter(&sheet);
    painter.setFont(font);
    painter.setPen(Qt::white);
    for (int i = 0; i < shots.size(); ++i) {
        const int x = gutter + (i % columns) * (cell.width() + gutter);
        const int y = gutter + (i / columns) * (cell.height() + title + gutter);
        painter.drawText(QRect(x, y, cell.width(), title), Qt::AlignLeft | Qt::AlignVCenter, names.at(i));
        QImage shot = shots.at(i);
        shot.setDevicePixelRatio(1.0); // one image pixel per sheet pixel
        painter.drawImage(QPoint(x, y + title), shot);
    }
    painter.end();
    return save(sheet, file);
}

// Every calculation of one window, side by side, each under its menu entry's name.
bool contactSheet(kinri::ui::MainWindow& main, kinri::WindowId id, const QString& file) {
    QList<QImage> shots;
    QStringList names;
    int index = 0;
    for (const kinri::CatalogueEntry& entry : kinri::catalogue()) {
        if (entry.window != id) continue;
        const bool printing = index++ % 2 == 1;
        QWidget* w = dressAndCompute(main, entry, printing);
        shots.append(w->grab().toImage());
        names.append(qs(entry.item) + (printing ? QStringLiteral("  (計算後印刷)") : QString()));
        backToMenu(w);
    }
    return saveSheet(shots, names, file);
}

// The input aids in KA2C and NC2: the aid for a rate and for a count, the reading under a focused
// box, the hints at 5 and at 「5%」 (its error message answered first).
bool aidsSheet(kinri::ui::MainWindow& main, const QString& file) {
    QList<QImage> shots;
    QStringList names;
    const auto boxOf = [](QWidget* w, int k) {
        return w->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(k));
    };
    const auto aidFor = [&](QWidget* w, int k, const QString& annual, const QString& name) {
        QLineEdit* box = boxOf(w, k);
        box->setFocus();
        box->actions().front()->trigger(); // F4
        settle();
        auto* aid = w->findChild<QDialog*>(QStringLiteral("InputAid"));
        if (aid == nullptr) return;
        aid->findChild<QLineEdit*>(QStringLiteral("AidValue"))->setText(annual);
        settle();
        shots.append(aid->grab().toImage());
        names.append(name);
        aid->accept();
        settle();
    };
    QWidget* w = dressAndCompute(main, *kinri::findEntry("KA2C"), false);
    aidFor(w, 2, QStringLiteral("1.5"), QStringLiteral("F4 on 返済間隔間の利率"));
    shots.append(w->grab().toImage());
    names.append(QStringLiteral("its reading"));
    aidFor(w, 3, QStringLiteral("35"), QStringLiteral("F4 on 返済回数"));
    aidFor(w, 2, QStringLiteral("1"), QStringLiteral("a rate that does not end"));
    boxOf(w, 2)->setText(QStringLiteral("5"));
    w->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    settle();
    shots.append(w->grab().toImage());
    names.append(QStringLiteral("hint at 5"));
    boxOf(w, 2)->setText(QStringLiteral("5%"));
    QTimer::singleShot(100, [] {
        if (QWidget* box = QApplication::activeModalWidget()) box->close();
    });
    w->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    settle();
    shots.append(w->grab().toImage());
    names.append(QStringLiteral("hint at 5%"));
    backToMenu(w);
    w = dressAndCompute(main, *kinri::findEntry("NC2"), false);
    boxOf(w, 2)->setFocus();
    settle();
    shots.append(w->grab().toImage());
    names.append(QStringLiteral("NC2: growth rate read"));
    boxOf(w, 4)->setFocus();
    settle();
    shots.append(w->grab().toImage());
    names.append(QStringLiteral("NC2: count read"));
    backToMenu(w);
    return saveSheet(shots, names, file, 4);
}

// The record of every calculation the sheets made, and the print preview of the last one.
bool recordShots(kinri::ui::MainWindow& main, const QString& dir, int dpi, const QString& suffix) {
    bool ok = true;
    QWidget* w = dressAndCompute(main, *kinri::findEntry("KA2C"), false);
    main.showRecord();
    settle();
    QWidget* record = main.recordWindow();
    ok &=
        save(record->grab().toImage(), QStringLiteral("%1/record-%2dpi%3.png").arg(dir).arg(dpi).arg(suffix));
    record->close();
    w->findChild<QAction*>(QStringLiteral("actionPrintPreview"))->trigger();
    // It opens once the print service has set the printer up.
    QDialog* preview = nullptr;
    for (int wait = 0; wait < 100 && preview == nullptr; ++wait) {
        settle(20);
        preview = w->findChild<QDialog*>(QStringLiteral("PrintPreview"));
    }
    ok &= preview != nullptr;
    if (preview != nullptr) {
        settle(20);
        ok &= save(preview->grab().toImage(),
                   QStringLiteral("%1/preview-%2dpi%3.png").arg(dir).arg(dpi).arg(suffix));
        preview->close();
    }
    backToMenu(w);
    return ok;
}

// 返済予定表 of a 30-year mortgage (35 million yen at 0.125 % a month, 360 payments), its cursor
// on the 120th payment, by the level-payment method, by equal principal and by the payments left;
// and the 明細 of FA's worked example.
bool scheduleShots(kinri::ui::MainWindow& main, const QString& dir, int dpi, const QString& suffix) {
    bool ok = true;
    for (const auto& [item, inputs, name] :
         {std::tuple{"KA2C", QStringList{"35000000", "0.00125", "360"}, "schedule-KA2C"},
          std::tuple{"KAA", QStringList{"35000000", "360", "0.00125"}, "schedule-KAA"},
          std::tuple{"KA2A", QStringList{"120792.07", "0.00125", "360"}, "schedule-KA2A"},
          std::tuple{"FA", QStringList{"1000", "0.05", "30"}, "schedule-FA"}}) {
        QWidget* w = computeWith(main, item, inputs);
        w->findChild<QAction*>(QStringLiteral("actionSchedule"))->trigger();
        settle(20);
        if (auto* schedule = w->findChild<QWidget*>(QStringLiteral("ScheduleWindow"))) {
            if (auto* chart = schedule->findChild<kinri::ui::ScheduleChart*>()) chart->setCurrentRow(119);
            settle(10);
            ok &=
                save(schedule->grab().toImage(),
                     QStringLiteral("%1/%2-%3dpi%4.png").arg(dir, QLatin1String(name)).arg(dpi).arg(suffix));
            schedule->close();
        } else {
            ok = false;
        }
        backToMenu(w);
    }
    return ok;
}

// 返済プラン of the help page's loan (35 million yen, 1.5 %, 35 years) from KA2C's calculation,
// with 1,000,000 yen prepaid after five years (期間短縮型) and the rate raised to 2.5 % from the
// eleventh year; and its comparison.
bool planShots(kinri::ui::MainWindow& main, const QString& dir, int dpi, const QString& suffix) {
    QWidget* w = computeWith(main, "KA2C", {"35000000", "0.00125", "420"});
    w->findChild<QAction*>(QStringLiteral("actionPlan"))->trigger();
    settle(20);
    auto* plan = w->findChild<kinri::ui::PlanWindow*>(QStringLiteral("PlanWindow"));
    bool ok = plan != nullptr;
    if (ok) {
        QAbstractItemModel* events = plan->findChild<QTableView*>(QStringLiteral("PlanEvents"))->model();
        auto* add = plan->findChild<QPushButton*>(QStringLiteral("PlanAddEvent"));
        add->click();
        add->click();
        events->setData(events->index(1, 0), 2, Qt::EditRole);
        events->setData(events->index(1, 1), QStringLiteral("121"), Qt::EditRole);
        events->setData(events->index(1, 2), QStringLiteral("2.5"), Qt::EditRole);
        // Within the screen with its frame and title bar.
        plan->resize(
            (plan->screen()->availableGeometry().size() - QSize(16, 48)).boundedTo(QSize(1300, 780)));
        settle(20);
        ok &=
            save(plan->grab().toImage(), QStringLiteral("%1/plan-%2dpi%3.png").arg(dir).arg(dpi).arg(suffix));
        plan->findChild<QTabWidget*>()->setCurrentIndex(1); // 比較
        settle(10);
        ok &= save(plan->grab().toImage(),
                   QStringLiteral("%1/plan-compare-%2dpi%3.png").arg(dir).arg(dpi).arg(suffix));
        // The program's rounding: the calculation's own schedule until the first event.
        plan->findChild<QTabWidget*>()->setCurrentIndex(0);
        plan->findChild<QComboBox*>(QStringLiteral("PlanRounding"))->setCurrentIndex(1);
        settle(10);
        ok &= save(plan->grab().toImage(),
                   QStringLiteral("%1/plan-program-%2dpi%3.png").arg(dir).arg(dpi).arg(suffix));
        plan->findChild<QAction*>(QStringLiteral("actionPlanRecord"))->trigger();
        plan->close();
    }
    backToMenu(w);
    return ok;
}

// The main window with a menu open, a worked example in each kind of calculator window, help.
bool singles(kinri::ui::MainWindow& main, kinri::ui::BuiltInHelpViewer& help, const QString& dir) {
    bool ok = true;
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

    for (const auto& [item, file] :
         {std::pair{"TA", "zovan2-TA.png"}, std::pair{"KAA", "zovan3-KAA.png"},
          std::pair{"KA3R", "zovan4-KA3R.png"}, std::pair{"SR3", "zovan5-SR3.png"}}) {
        QWidget* w = dressAndCompute(main, *kinri::findEntry(item), false);
        ok &= grab(around(w), dir + u'/' + QString::fromLatin1(file));
        backToMenu(w);
    }

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
        help.window()->close();
    }
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    kinri::ui::applyJapaneseDefaults(app);
    const QStringList args = QApplication::arguments().mid(1);
    const QString dir = args.value(0, QStringLiteral("."));
    QDir().mkpath(dir);
    // --dark: the windows under a dark theme's palette, as a desktop's dark scheme gives them;
    // --high-contrast: white on black, boxes on the window's own black.
    const bool dark = args.contains(QStringLiteral("--dark"));
    const bool contrast = args.contains(QStringLiteral("--high-contrast"));
    if (dark || contrast) {
        QPalette palette(contrast ? QColor(Qt::black) : QColor(0x3C, 0x3C, 0x3C),
                         contrast ? QColor(Qt::black) : QColor(0x2D, 0x2D, 0x2D));
        for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(role, contrast ? QColor(Qt::white) : QColor(0xEE, 0xEE, 0xEE));
        palette.setColor(QPalette::Base, contrast ? QColor(Qt::black) : QColor(0x1E, 0x1E, 0x1E));
        QApplication::setPalette(palette);
    }
    NullPrinter printer;
    kinri::ui::BuiltInHelpViewer help;
    kinri::ui::MainWindow main(printer, help);
    main.show();
    settle();
    // --zoom200 (or another step): everything zoomed, chosen from the menu as a user would.
    const QStringList zoomArgs = args.filter(QRegularExpression(QStringLiteral("^--zoom\\d+$")));
    const bool zoomed = !zoomArgs.isEmpty();
    QString suffix = dark ? QStringLiteral("-dark") : contrast ? QStringLiteral("-high-contrast") : QString();
    if (zoomed) {
        const QString percent = zoomArgs.front().mid(6);
        main.findChild<QAction*>(QStringLiteral("actionZoom") + percent)->trigger();
        suffix += QStringLiteral("-zoom") + percent;
        if (!grab(around(&main), QStringLiteral("%1/main%2.png").arg(dir, suffix))) return 1;
    }

    bool ok = true;
    const int dpi = static_cast<int>(std::lround(main.logicalDpiY() * main.devicePixelRatioF()));
    for (const kinri::WindowInfo& w : kinri::windows())
        ok &= contactSheet(
            main, w.id,
            QStringLiteral("%1/%2-%3dpi%4.png").arg(dir, qs(w.name).toLower()).arg(dpi).arg(suffix));
    ok &= aidsSheet(main, QStringLiteral("%1/aids-%2dpi%3.png").arg(dir).arg(dpi).arg(suffix));
    ok &= planShots(main, dir, dpi, suffix); // recorded, so the record shows a plan too
    ok &= recordShots(main, dir, dpi, suffix);
    ok &= scheduleShots(main, dir, dpi, suffix);
    if (args.contains(QStringLiteral("--singles"))) ok &= singles(main, help, dir);
    if (zoomed) {
        main.findChild<QAction*>(QStringLiteral("HE01"))->trigger();
        settle();
        if (help.window() != nullptr)
            ok &= grab(help.window()->frameGeometry(), dir + QStringLiteral("/help%1.png").arg(suffix));
    }
    return ok ? 0 : 1;
}
