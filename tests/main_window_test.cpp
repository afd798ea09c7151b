// The main window and its menu, driven headless: the load, the menu built from the catalogue,
// every menu entry opening and dressing its calculator window, and closing any window.
#include "support/program.h"
#include "ui/common/fonts.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

using namespace kinri;
using namespace kinri::test;

namespace {

// The actions of a menu (bar) against the nodes of the catalogue's menu tree, in order.
void compareMenu(const QList<QAction*>& actions, const std::vector<MenuNode>& nodes) {
    QCOMPARE(actions.size(), static_cast<qsizetype>(nodes.size()));
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const QAction* a = actions.at(static_cast<qsizetype>(i));
        const MenuNode& node = nodes[i];
        QCOMPARE(a->objectName(), qs(node.name));
        QCOMPARE(a->isSeparator(), node.kind == MenuKind::Separator);
        if (!a->isSeparator()) QCOMPARE(a->text(), qs(node.caption));
        QCOMPARE(a->menu() != nullptr, node.kind == MenuKind::Title);
        if (a->menu() != nullptr) compareMenu(a->menu()->actions(), node.children);
    }
}

void triggerTitles(const std::vector<MenuNode>& nodes, const Program& p) {
    for (const MenuNode& node : nodes) {
        if (node.kind != MenuKind::Title && node.kind != MenuKind::Separator) continue;
        p.action(qs(node.name))->trigger();
        triggerTitles(node.children, p);
    }
}

// Every window's icon holds a render of its artwork at each size, up to a title bar at 2x scale;
// a render missing from the resources drops out of the list.
const QList<QSize> kIconSizes{{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}};

} // namespace

class MainWindowTest : public ProgramTest {
    Q_OBJECT

private slots:
    // Every title of the menu bar shows, and the window scales with the text, at a small, the
    // usual and a large desktop font, and zoomed.
    void menuBarWhole_data() {
        QTest::addColumn<double>("points");
        QTest::addColumn<int>("zoom");
        for (const auto& [points, zoom] :
             {std::pair{9.0, 100}, {14.0, 100}, {20.0, 100}, {9.0, 200}, {14.0, 150}})
            QTest::newRow(qPrintable(QStringLiteral("%1 pt, %2%").arg(points).arg(zoom))) << points << zoom;
    }

    void menuBarWhole() {
        QFETCH(double, points);
        QFETCH(int, zoom);
        ui::MainWindow& main = p_->main;
        QFont font;
        font.setPointSizeF(points);
        main.viewScale().setDesktopFont(font);
        main.viewScale().setZoom(zoom);
        for (QAction* title : main.menuBar()->actions())
            QVERIFY2(main.menuBar()->actionGeometry(title).right() < main.menuBar()->width(),
                     qPrintable(title->text()));
        QCOMPARE(main.centralWidget()->width(), px(&main, 8100 * main.viewScale().factor()));
        QCOMPARE(main.menuBar()->font().pointSizeF(), 9 * main.viewScale().factor()); // measured as drawn
        QVERIFY(points <= 11 || main.viewScale().factor() > zoom / 100.0); // the desktop's size counts
    }

    // Ctrl+Plus, Ctrl+Minus and Ctrl+0 in a calculator window, and the 表示倍率 menu, scale every
    // window at once in steps of 25 %, between 100 and 200 %, and keep what the boxes hold.
    void zoomEveryWindow() {
        ui::CalculatorWindow* w = p_->choose(QStringLiteral("FA"));
        typeInputs(w, exampleInputs("FA"));
        QCOMPARE(p_->compute(w), QStringList{});
        const QStringList shown = shownResult(w);
        const QSize size = w->size();
        for (const auto& [key, zoom] : {std::pair{Qt::Key_Plus, 125},
                                        {Qt::Key_Equal, 150},
                                        {Qt::Key_Minus, 125},
                                        {Qt::Key_0, 100},
                                        {Qt::Key_Minus, 100}}) {
            QTest::keyClick(w->form().inputs.at(1), key, Qt::ControlModifier);
            QCOMPARE(p_->main.viewScale().zoom(), zoom);
        }
        QCOMPARE(w->size(), size);
        // As large as the screen allows: every window inside it, the larger steps not offered.
        p_->action(QStringLiteral("actionZoom200"))->trigger();
        QTest::keyClick(w->form().inputs.at(0), Qt::Key_Plus, Qt::ControlModifier);
        const int zoom = p_->main.viewScale().zoom();
        QVERIFY(zoom > 150);
        QVERIFY(w->screen()->availableGeometry().contains(w->frameGeometry()));
        QCOMPARE(w->height(), px(w, layout(w).clientHeight * zoom / 100.0));
        QVERIFY(w->width() >= px(w, layout(w).clientWidth * zoom / 100.0));
        QCOMPARE(p_->main.centralWidget()->width(), px(&p_->main, 8100 * zoom / 100.0));
        QCOMPARE(p_->help.scale, zoom / 100.0);
        emit p_->main.findChild<QMenu*>(QStringLiteral("menuZoom"))->aboutToShow();
        QCOMPARE(p_->action(QStringLiteral("actionZoom200"))->isEnabled(), zoom == 200);
        QCOMPARE(p_->action(QStringLiteral("actionZoom200"))
                     ->text()
                     .endsWith(QStringLiteral("（画面に収まりません）")),
                 zoom != 200); // a step not offered says why
        QCOMPARE(shownResult(w), shown);
        QCOMPARE(w->form().inputTexts(), toStd(exampleInputs("FA")));
    }

    // Qt's own dialogs speak Japanese, down to the kinds of file that Qt's catalogue leaves out.
    void qtTextsInJapanese() {
        QCOMPARE(QCoreApplication::translate("QAbstractFileIconProvider", "Folder", "All other platforms"),
                 QStringLiteral("フォルダ"));
        QCOMPARE(QCoreApplication::translate("QAbstractFileIconProvider", "%1 File").arg("txt"),
                 QStringLiteral("txt ファイル"));
        if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                           QStringLiteral("/qtbase_ja.qm")))
            QSKIP("Qt's Japanese catalogue is not where this test runs (the Windows tests run undeployed)");
        QVERIFY(QCoreApplication::translate("QFileDialog", "%1 already exists.\nDo you want to replace it?")
                    .contains(QStringLiteral("置き換えますか")));
    }

    // The red result grows with the window, as every caption does.
    void resultZooms() {
        ui::CalculatorWindow* w = p_->choose(QStringLiteral("SP"));
        typeInputs(w, exampleInputs("SP"));
        QCOMPARE(p_->compute(w), QStringList{});
        const double points = w->form().resultBox->font().pointSizeF();
        p_->action(QStringLiteral("actionZoom150"))->trigger();
        QCOMPARE(w->form().resultBox->font().pointSizeF(), points * 1.5);
    }

    // A schedule and the record open beside the calculator they were asked from where there is
    // room, and always whole on the screen (ctest runs this on 1366×768 at 96 and 144 dpi and on
    // 1920×1080 too).
    void toolWindowsBesideTheirCalculator() {
        ui::CalculatorWindow* w = p_->choose(QStringLiteral("KA2C"));
        typeInputs(w, exampleInputs("KA2C"));
        QCOMPARE(p_->compute(w), QStringList{});
        QVERIFY(QTest::qWaitForWindowActive(w));
        for (const auto& [action, name] :
             {std::pair{"actionSchedule", "ScheduleWindow"}, std::pair{"actionShowRecord", "RecordWindow"}}) {
            w->findChild<QAction*>(QLatin1String(action))->trigger();
            QWidget* opened = nullptr;
            for (QWidget* t : QApplication::topLevelWidgets())
                if (t->objectName() == QLatin1String(name) && t->isVisible()) opened = t;
            QVERIFY2(opened != nullptr && QTest::qWaitForWindowExposed(opened), name);
            const QRect area = w->screen()->availableGeometry(), calculator = w->frameGeometry();
            QVERIFY2(area.contains(opened->frameGeometry()), name);
            const int room = std::max(calculator.left() - area.left(), area.right() - calculator.right());
            const int least = opened->minimumSizeHint().expandedTo(opened->minimumSize()).width() + 16;
            QVERIFY2(room < least || !opened->frameGeometry().intersects(calculator), name);
            opened->close();
        }
    }

    // Without a font that can show Japanese (ctest runs this alone under a font configuration of
    // Latin fonts only), the program says so once, as it starts, in words readable even then.
    void withoutJapaneseFonts() {
        if (ui::hasJapaneseFont()) QSKIP("Japanese fonts are installed: this runs on its own without them");
        std::vector<SeenBox> seen;
        QVERIFY(QTest::qWaitFor([&] { return !(seen = p_->boxes.takeSeen()).empty(); }));
        QCOMPARE(seen.size(), 1u);
        QVERIFY2(seen[0].text.contains(QLatin1String("No font with Japanese characters")),
                 qPrintable(seen[0].text));
        QCOMPARE(seen[0].parent, &p_->main);
        QTest::qWait(100);
        QCOMPARE(p_->boxes.take(), QStringList{});
    }

    void mainWindowLoad() {
        ui::MainWindow& main = p_->main;
        QCOMPARE(main.objectName(), QStringLiteral("ZOVAN1"));
        QCOMPARE(main.windowTitle(), QStringLiteral("  金利計算"));
        QVERIFY(main.isVisible());
        QVERIFY(placedOnScreen(&main));
        QCOMPARE(main.centralWidget()->width(), px(&main, 8100));
        QCOMPARE(codes(main.state()), (QList<int>{0, 0, 0, 0, 0}));
        QVERIFY(!main.state().printAfterCalc());
        QCOMPARE(main.windowIcon().availableSizes(), kIconSizes);

        QStringList titles;
        for (const QAction* a : main.menuBar()->actions())
            titles << a->text();
        QCOMPARE(titles, (QStringList{"単利の利息計算", "複利の利息計算", "積立金の利息計算", "年金の計算",
                                      "割賦返済の計算", "ヘルプ", "表示倍率", "記録", "返済プラン"}));
        compareMenu(main.menuBar()->actions().mid(0, static_cast<qsizetype>(menuTree().size())), menuTree());
        if (QTest::currentTestFailed()) return;

        // The titles and the separator do nothing of their own.
        triggerTitles(menuTree(), *p_);
        QVERIFY(main.isVisible());
        QVERIFY(p_->visibleCalculators().isEmpty());
        QCOMPARE(codes(main.state()), (QList<int>{0, 0, 0, 0, 0}));
        QVERIFY(p_->help.asked.isEmpty());
    }

    // Every entry: its window comes up (the same window as before, where the user left it),
    // captioned for the family, the entry's code selected and nothing else, Text1 focused, the
    // labels dressed and every box emptied of what an earlier entry of the window left there.
    void menuEntryOpensItsWindow_data() {
        QTest::addColumn<QString>("item");
        for (const CatalogueEntry& e : catalogue())
            QTest::newRow(e.item.data()) << qs(e.item);
    }

    void menuEntryOpensItsWindow() {
        QFETCH(QString, item);
        const CatalogueEntry& e = *findEntry(item.toStdString());
        // First another entry of the same window, where there is one.
        const CatalogueEntry* before = &e;
        for (const CatalogueEntry& other : catalogue())
            if (other.window == e.window && other.item != e.item) before = &other;

        ui::CalculatorWindow* w = p_->choose(qs(before->item));
        QVERIFY(w != nullptr);
        QCOMPARE(p_->visibleCalculators(), QList<ui::CalculatorWindow*>{w});
        QVERIFY(!p_->main.isVisible());
        QVERIFY(placedOnScreen(w));
        const QPoint moved = w->frameGeometry().topLeft() + QPoint(37, 23);
        w->move(moved);
        for (QLineEdit* box : w->findChildren<QLineEdit*>())
            box->setText(QStringLiteral("前回の値"));
        if (ui::TableList* list = w->form().list) list->append({"前回の行"});
        const QPoint menuPos = p_->main.frameGeometry().topLeft();
        w->form().menu->click();
        QVERIFY(!w->isVisible());
        QVERIFY(p_->main.isVisible());
        QCOMPARE(p_->main.frameGeometry().topLeft(), menuPos);
        for (const QLineEdit* box : w->findChildren<QLineEdit*>())
            QCOMPARE(box->text(), QStringLiteral("前回の値")); // kept while hidden

        QCOMPARE(p_->choose(item), w);
        QVERIFY(!p_->main.isVisible());
        QCOMPARE(p_->visibleCalculators(), QList<ui::CalculatorWindow*>{w});
        QCOMPARE(w->frameGeometry().topLeft(), moved);
        QCOMPARE(w->objectName(), qs(windowInfo(e.window).name));
        QCOMPARE(w->windowTitle(), qs(familyInfo(e.family).windowCaption));
        QCOMPARE(w->windowIcon().availableSizes(), kIconSizes);
        QList<int> expectedCodes{0, 0, 0, 0, 0};
        expectedCodes[static_cast<qsizetype>(e.family)] = e.code;
        QCOMPARE(codes(p_->main.state()), expectedCodes);
        QVERIFY(!p_->main.state().printAfterCalc());
        QCOMPARE(w->focusWidget(), inputBox(w, 1));

        for (int k = 1; k <= info(w).inputCount; ++k)
            QCOMPARE(label(w, k)->text(), qs(e.labels.at(static_cast<std::size_t>(k - 1))));
        QCOMPARE(w->form().resultCaption->text(), qs(e.resultCaption));
        QVERIFY(w->form().resultCaption->isVisible());
        for (const QLineEdit* box : w->findChildren<QLineEdit*>())
            QVERIFY2(box->text().isEmpty(), qPrintable(box->objectName()));
        if (const ui::TableList* list = w->form().list) {
            QCOMPARE(list->count(), 0);
            QVERIFY(label(w, 4)->isVisible());
            QCOMPARE(label(w, 4)->text(), qs(e.columnHead));
        }
        QCOMPARE(w->form().printSwitch->text(), QStringLiteral("印刷なし"));
    }

    void simpleThenCompoundRunsTheCompoundTable() {
        ui::CalculatorWindow* w = p_->choose(QStringLiteral("SA"));
        QVERIFY(w != nullptr);
        w->form().menu->click();
        QCOMPARE(p_->choose(QStringLiteral("FA")), w);
        QCOMPARE(codes(p_->main.state()), (QList<int>{0, 1, 0, 0, 0}));
        typeInputs(w, {"1000", "0.05", "3"});
        QCOMPARE(p_->compute(w), QStringList{});
        QCOMPARE(listLines(w),
                 (QStringList{"    1     1050.000", "    2     1102.500", "    3     1157.625"}));
    }

    void closingAnyWindowEndsTheProgram_data() {
        QTest::addColumn<QString>("item"); // empty: the main window itself
        QTest::newRow("ZOVAN1") << "";
        for (const WindowInfo& window : windows())
            for (const CatalogueEntry& e : catalogue())
                if (e.window == window.id) {
                    QTest::newRow(window.name.data()) << qs(e.item);
                    break;
                }
    }

    void closingAnyWindowEndsTheProgram() {
        QFETCH(QString, item);
        if (item.isEmpty()) {
            QVERIFY(p_->main.close());
            QCOMPARE(p_->ends.count(), 1);
            return;
        }
        ui::CalculatorWindow* w = p_->choose(item);
        QVERIFY(w != nullptr);
        QCOMPARE(p_->ends.count(), 0);
        QVERIFY(w->close());
        QCOMPARE(p_->ends.count(), 1);
        QVERIFY(!p_->main.isVisible()); // no way back to the menu
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
