// The program without a mouse, and what it lets a user take away: the real windows driven by
// key presses (Tab, Space, Enter, F1, F10, Alt, the copy keys) and their context menus, checked
// against what the user sees, what reaches the help viewer and what lands on the clipboard.

#include "compute/record.h"
#include "support/program.h"
#include "ui/controls/result_box.h"
#include "ui/help/help_window.h"
#include "ui/record/record_model.h"
#include "ui/record/record_window.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>

#include <tuple>

using namespace kinri;
using namespace kinri::test;

namespace {

const QString kPrintQuestion = boxName(BoxKind::PrintQuestion);
const QString kInputRequired = boxName(BoxKind::InputRequired);

// Makes `w` the active window, as a window manager does with a window that shows or regains the
// screen once a box over it closes, and waits until the program knows it.
bool activate(QWidget* w) {
    w->activateWindow();
    return QTest::qWaitFor([w] { return w->isActiveWindow(); });
}

// A viewer written before calculation pages existed: it only knows the contents.
class ContentsOnlyViewer : public ui::HelpViewer {
public:
    void showContents(const QString& helpFile) override { asked.append(helpFile); }
    QStringList asked;
};

QWidget* focused() {
    return QApplication::focusWidget();
}

// Presses Tab until `target` has the focus; false if it never gets it.
bool tabTo(const QWidget* target) {
    for (int i = 0; i < 20 && focused() != nullptr && focused() != target; ++i)
        QTest::keyClick(focused(), Qt::Key_Tab);
    return focused() == target;
}

// Types the inputs from the focused box on, moving on with Tab, as a keyboard user fills the window.
void typeByKeyboard(const QStringList& inputs) {
    for (const QString& input : inputs) {
        QTest::keyClicks(focused(), input);
        QTest::keyClick(focused(), Qt::Key_Tab);
    }
}

// The lines of a printout a user copies: the paper's texts without the top margin's blank lines.
QStringList copiedLines(const std::vector<PrintLine>& job) {
    QStringList lines;
    for (const PrintLine& line : job)
        if (!lines.isEmpty() || !line.text.empty()) lines.append(QString::fromStdString(line.text));
    return lines;
}

QStringList clipboardLines() {
    QString text = QGuiApplication::clipboard()->text();
    if (!text.endsWith(u'\n')) return {QStringLiteral("NOT LINES: ") + text};
    text.chop(1);
    return text.split(u'\n');
}

// Opens the context menu of `w` at its centre, as a right click does, and returns it.
QMenu* contextMenu(QWidget* w) {
    const QPoint pos = w->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, w->mapToGlobal(pos));
    QApplication::sendEvent(w, &event);
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

QAction* menuEntry(const QMenu* menu, const QString& text) {
    for (QAction* a : menu->actions())
        if (a->text().section(u'\t', 0, 0) == text) return a;
    return nullptr;
}

// How many pixels of `area` (in the widget's own pixels, whatever the scale of `image`) have
// exactly the colour `colour`; each is read at its centre.
int pixelsOf(const QImage& image, const QRect& area, const QColor& colour) {
    const double dpr = image.devicePixelRatio();
    const auto device = [dpr](int v) { return static_cast<int>((v + 0.5) * dpr); };
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(device(x), device(y)) == colour) ++n;
    return n;
}

} // namespace

class KeyboardTest : public ProgramTest {
    Q_OBJECT

private slots:
    void printSwitchByKeyboard_data();
    void printSwitchByKeyboard();
    void buttonsByKeyboard_data();
    void buttonsByKeyboard();
    void menuBarByKeyboard();
    void helpForTheDressedCalculation_data();
    void helpForTheDressedCalculation();
    void builtInHelpByKeyboard();
    void copyConditionsAndResult_data();
    void copyConditionsAndResult();
    void copyFromTheTable();
    void copyFromTheResultBox();
    void inputAidByKeyboard_data();
    void inputAidByKeyboard();
    void hintAtARateTypedAsPercent_data();
    void hintAtARateTypedAsPercent();
    void scheduleOfAMortgage();

private:
    // Chooses `item` from the menu and waits until its window is the active one.
    ui::CalculatorWindow* open(const QString& item) {
        ui::CalculatorWindow* w = p_->choose(item);
        return w != nullptr && activate(w) ? w : nullptr;
    }
    // The boxes `w` raised since the last call; `w` is active again afterwards.
    QStringList boxesOver(QWidget* w) {
        QStringList seen = p_->boxes.take();
        if (!activate(w)) seen.append(QStringLiteral("window not active again"));
        return seen;
    }
};

void KeyboardTest::printSwitchByKeyboard_data() {
    QTest::addColumn<QString>("item");
    QTest::newRow("ZOVAN2") << "SP";
    QTest::newRow("ZOVAN3") << "FA";
    QTest::newRow("ZOVAN4") << "KA3R";
    QTest::newRow("ZOVAN5") << "KA3C";
}

// Tab reaches the switch, a frame shows it, Space and Enter ask what a click asks, and a screen
// reader sees a button named by the caption.
void KeyboardTest::printSwitchByKeyboard() {
    QFETCH(QString, item);
    ui::CalculatorWindow* w = open(item);
    QVERIFY(w != nullptr);
    ui::CaptionLabel* s = w->form().printSwitch;
    const auto shownFrame = [w]() -> QWidget* {
        auto* ring = w->findChild<QWidget*>(QStringLiteral("FocusRing"), Qt::FindDirectChildrenOnly);
        return ring != nullptr && ring->isVisible() ? ring : nullptr;
    };
    QCOMPARE(shownFrame(), nullptr);

    typeByKeyboard(exampleInputs(item.toStdString()));
    QVERIFY(tabTo(s));
    // A frame round the switch, outside it so that the caption stays whole, in the highlight colour.
    const QWidget* frame = shownFrame();
    QVERIFY(frame != nullptr);
    const QRect ring = frame->geometry();
    QVERIFY(ring.contains(s->geometry().adjusted(-1, -1, 1, 1)));
    const QImage shot = w->grab().toImage();
    const QColor highlight = s->palette().color(QPalette::Highlight);
    QVERIFY(pixelsOf(shot, QRect(ring.left(), ring.top(), ring.width(), 1), highlight) >= ring.width() - 2);
    QVERIFY(pixelsOf(shot, QRect(ring.left(), ring.top(), 1, ring.height()), highlight) >= ring.height() - 2);
    QCOMPARE(pixelsOf(s->grab().toImage(), s->rect(), highlight), 0);

    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(s);
    QVERIFY(accessible != nullptr);
    QCOMPARE(accessible->role(), QAccessible::Button);
    QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("印刷なし"));

    // Space, answered Yes with Enter: printing on, the switch in its on look, still focused.
    p_->boxes.pressKey(Qt::Key_Return);
    QTest::keyClick(s, Qt::Key_Space);
    QCOMPARE(boxesOver(w), QStringList{kPrintQuestion});
    QVERIFY(p_->main.state().printAfterCalc());
    QCOMPARE(s->text(), QStringLiteral("計算後印刷"));
    QCOMPARE(s->palette().color(s->backgroundRole()), QColor(192, 255, 192));
    QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("計算後印刷"));
    QCOMPARE(focused(), s);

    // The calculation now prints: computed from the keyboard, with Enter on 計算.
    QVERIFY(tabTo(w->form().compute));
    QTest::keyClick(focused(), Qt::Key_Return);
    QCOMPARE(p_->boxes.take(), QStringList{});
    QCOMPARE(p_->printer.jobs.size(), 1u);

    // Enter, answered No with Escape: printing off again.
    QVERIFY(tabTo(s));
    p_->boxes.pressKey(Qt::Key_Escape);
    QTest::keyClick(s, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(boxesOver(w), QStringList{kPrintQuestion});
    QVERIFY(!p_->main.state().printAfterCalc());
    QCOMPARE(s->text(), QStringLiteral("印刷なし"));

    // The assistive press is the same click.
    QAccessibleActionInterface* actions = accessible->actionInterface();
    QVERIFY(actions != nullptr);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    p_->boxes.pressKey(Qt::Key_Return);
    actions->doAction(QAccessibleActionInterface::pressAction());
    QTRY_VERIFY(p_->main.state().printAfterCalc());
    QCOMPARE(boxesOver(w), QStringList{kPrintQuestion});

    // Other keys leave the switch alone; the frame goes with the focus.
    QTest::keyClick(s, Qt::Key_A);
    QTest::keyClick(s, Qt::Key_Space, Qt::ControlModifier);
    QCOMPARE(p_->boxes.take(), QStringList{});
    QTest::keyClick(s, Qt::Key_Tab);
    QCOMPARE(shownFrame(), nullptr);
}

void KeyboardTest::buttonsByKeyboard_data() {
    printSwitchByKeyboard_data();
}

// Enter on a focused button presses it; Clear hands the focus back to Text1; Menu by keypad Enter.
void KeyboardTest::buttonsByKeyboard() {
    QFETCH(QString, item);
    ui::CalculatorWindow* w = open(item);
    QVERIFY(w != nullptr);
    QLineEdit* text1 = inputBox(w, 1);
    QCOMPARE(focused(), text1);

    // Enter on 計算 with the boxes empty asks for the input, as a click does.
    QVERIFY(tabTo(w->form().compute));
    QTest::keyClick(focused(), Qt::Key_Return);
    QCOMPARE(boxesOver(w), QStringList{kInputRequired});

    QVERIFY(tabTo(text1));
    const QStringList inputs = exampleInputs(item.toStdString());
    typeByKeyboard(inputs);
    QVERIFY(tabTo(w->form().compute));
    QTest::keyClick(focused(), Qt::Key_Return);
    QCOMPARE(p_->boxes.take(), QStringList{});
    QCOMPARE(shownResult(w), shownResult(runCalculation(item.toStdString(), toStd(inputs), false)));

    // クリヤ by Enter: everything empty, and the next case can be typed at once.
    QVERIFY(tabTo(w->form().clear));
    QTest::keyClick(focused(), Qt::Key_Return);
    QCOMPARE(focused(), text1);
    QCOMPARE(shownResult(w).join(QString()), QString());
    QTest::keyClicks(focused(), QStringLiteral("7"));
    QCOMPARE(text1->text(), QStringLiteral("7"));

    // Menu by keypad Enter: back to the main window, nothing selected.
    QVERIFY(tabTo(w->form().menu));
    QTest::keyClick(focused(), Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(!w->isVisible());
    QVERIFY(p_->main.isVisible());
    QCOMPARE(codes(p_->main.state()), (QList<int>{0, 0, 0, 0, 0}));
    QCOMPARE(p_->ends.count(), 0);
}

// F10 opens the first menu; Alt pressed and released shows the first title, Right the next one;
// F1 opens the contents, from the main window and from the version box.
void KeyboardTest::menuBarByKeyboard() {
    ui::MainWindow& main = p_->main;
    QVERIFY(activate(&main));
    QMenuBar* bar = main.menuBar();
    const QList<QAction*> titles = bar->actions();
    for (const QAction* title : titles)
        QVERIFY2(!title->text().contains(u'&'), qPrintable(title->text()));

    QTest::keyClick(&main, Qt::Key_F10);
    auto* first = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(first != nullptr);
    QCOMPARE(first->objectName(), QStringLiteral("S"));
    QCOMPARE(first->activeAction()->objectName(), QStringLiteral("SP"));
    // Enter there chooses 単利の利息: the calculation opens without a mouse.
    QTest::keyClick(first, Qt::Key_Return);
    ui::CalculatorWindow* w = main.calculatorWindow(WindowId::Zovan2);
    QVERIFY(w != nullptr && w->isVisible());
    QCOMPARE(main.state().code(CalcFamily::Simple), 1);
    QVERIFY(activate(w));
    QVERIFY(tabTo(w->form().menu));
    QTest::keyClick(focused(), Qt::Key_Return);
    QVERIFY(activate(&main));

    // Alt alone: keyboard mode on the menu bar, the first title highlighted; Right moves it.
    // Whatever the style draws, a highlighted title looks other than it does at rest.
    const QImage atRest = bar->grab().toImage();
    const auto highlighted = [&](int index) {
        const QRectF title = bar->actionGeometry(titles.at(index)).toRectF();
        const double dpr = atRest.devicePixelRatio();
        const QRect pixels = QRectF(title.topLeft() * dpr, title.size() * dpr).toAlignedRect();
        return bar->grab().toImage().copy(pixels) != atRest.copy(pixels);
    };
    QTest::keyPress(&main, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(&main, Qt::Key_Alt);
    QVERIFY(bar->hasFocus());
    QCOMPARE(bar->activeAction(), titles.at(0));
    QVERIFY(highlighted(0));
    QTest::keyClick(bar, Qt::Key_Right);
    QCOMPARE(bar->activeAction(), titles.at(1));
    QVERIFY(!highlighted(0));
    QVERIFY(highlighted(1));
    QTest::keyClick(bar, Qt::Key_Escape);
    QCOMPARE(bar->activeAction(), nullptr);
    QVERIFY(!highlighted(1));

    QTest::keyClick(&main, Qt::Key_F1);
    QCOMPARE(p_->help.asked, QStringList{"MEPTAL.hlp"});
    QVERIFY(main.helpHolder() != nullptr && !main.helpHolder()->isVisible());

    // F1 in the version box: the box closes and the contents open.
    p_->boxes.pressKey(Qt::Key_F1);
    p_->action(QStringLiteral("VER"))->trigger();
    QCOMPARE(p_->boxes.take(), QStringList{boxName(BoxKind::Version)});
    QCOMPARE(p_->help.asked, (QStringList{"MEPTAL.hlp", "MEPTAL.hlp"}));
    // Closed with Enter as usual, it opens nothing.
    p_->boxes.pressKey(Qt::Key_Return);
    p_->action(QStringLiteral("VER"))->trigger();
    QCOMPARE(p_->boxes.take(), QStringList{boxName(BoxKind::Version)});
    QCOMPARE(p_->help.asked.size(), 2);
    QVERIFY(p_->help.topics.isEmpty());
    QVERIFY(main.isVisible());
}

void KeyboardTest::helpForTheDressedCalculation_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("ZOVAN2") << "SP"
                            << "KA2C";
    QTest::newRow("ZOVAN3") << "FA"
                            << "KAA";
    QTest::newRow("ZOVAN4") << "KA3R"
                            << "KA3R";
    QTest::newRow("ZOVAN5") << "TA2"
                            << "NN2";
}

// F1 asks for the page of the calculation the window is dressed for, also after Menu and another
// entry of the same window; a viewer without pages shows its contents.
void KeyboardTest::helpForTheDressedCalculation() {
    QFETCH(QString, first);
    QFETCH(QString, second);
    ui::CalculatorWindow* w = open(first);
    QVERIFY(w != nullptr);
    QTest::keyClick(focused(), Qt::Key_F1);
    QCOMPARE(p_->help.topics, QStringList{"MEPTAL.hlp " + first});

    w->form().menu->click();
    QCOMPARE(open(second), w);
    QVERIFY(tabTo(w->form().clear)); // F1 works wherever the focus is
    QTest::keyClick(focused(), Qt::Key_F1);
    QCOMPARE(p_->help.topics, (QStringList{"MEPTAL.hlp " + first, "MEPTAL.hlp " + second}));
    QVERIFY(p_->help.asked.isEmpty());
    QVERIFY(w->isVisible());

    ContentsOnlyViewer contentsOnly;
    contentsOnly.showTopic(QStringLiteral("MEPTAL.hlp"), second);
    QCOMPARE(contentsOnly.asked, QStringList{"MEPTAL.hlp"});
}

// The program's own viewer: F1 opens the calculation's page in one help window, raised at the new
// page on F1 again; titles name the page once; Escape closes the help and nothing else.
void KeyboardTest::builtInHelpByKeyboard() {
    RecordingPrinter printer;
    ui::BuiltInHelpViewer viewer;
    ui::MainWindow main(printer, viewer);
    QSignalSpy ends(&main, &ui::MainWindow::programEndRequested);
    main.show();

    main.findChild<QAction*>(QStringLiteral("SP"))->trigger();
    ui::CalculatorWindow* w = main.calculatorWindow(WindowId::Zovan2);
    QVERIFY(activate(w));
    QTest::keyClick(focused(), Qt::Key_F1);
    ui::HelpWindow* help = viewer.window();
    QVERIFY(help != nullptr && help->isVisible());
    QVERIFY(help->browser()->source().toString().endsWith(QStringLiteral("/SP.html")));
    QCOMPARE(help->windowTitle(), QStringLiteral("単利の利息 – 金利計算 ヘルプ"));

    w->form().menu->click();
    main.findChild<QAction*>(QStringLiteral("KA2C"))->trigger();
    QVERIFY(activate(w));
    QTest::keyClick(focused(), Qt::Key_F1);
    QCOMPARE(viewer.window(), help);
    QVERIFY(help->browser()->source().toString().endsWith(QStringLiteral("/KA2C.html")));
    QCOMPARE(help->windowTitle(),
             QStringLiteral("元利均等償還方式における毎返済回次の均等返済額 – 金利計算 ヘルプ"));
    QVERIFY(activate(help));

    help->browser()->setSource(QUrl(QStringLiteral("usage.html")));
    QCOMPARE(help->windowTitle(), QStringLiteral("使い方 – 金利計算 ヘルプ"));
    help->showContentsPage();
    QCOMPARE(help->windowTitle(), QStringLiteral("金利計算 ヘルプ"));

    QTest::keyClick(help->browser(), Qt::Key_Escape);
    QVERIFY(!help->isVisible());
    QCOMPARE(ends.count(), 0);
    QVERIFY(w->isVisible());
}

void KeyboardTest::copyConditionsAndResult_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QStringList>("inputs");
    QTest::newRow("single value, ZOVAN2") << "SP" << QStringList{"1000000", "0.05", "3"};
    QTest::newRow("table, ZOVAN3") << "KA2A" << QStringList{" 88848.79", "1e-2", "12"};
    QTest::newRow("two inputs, ZOVAN4") << "KA3R" << QStringList{"0.01", "12"};
    QTest::newRow("four inputs, ZOVAN5") << "KA3C" << QStringList{"1000000", "0.05", "1", "12"};
}

// 計算条件と結果をコピー gives the printout's lines, by Ctrl+Shift+C and from the context menus,
// and only while the window shows a calculation that succeeded.
void KeyboardTest::copyConditionsAndResult() {
    QFETCH(QString, item);
    QFETCH(QStringList, inputs);
    QClipboard* clipboard = QGuiApplication::clipboard();
    ui::CalculatorWindow* w = open(item);
    QVERIFY(w != nullptr);
    auto* copy = w->findChild<QAction*>(QStringLiteral("CopyConditions"));
    QVERIFY(copy != nullptr);

    // Nothing calculated yet: nothing to copy.
    clipboard->setText(QStringLiteral("before"));
    QVERIFY(!copy->isEnabled());
    QTest::keyClick(focused(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("before"));

    // Printing on, so that the paper is there to compare with.
    QVERIFY(tabTo(w->form().printSwitch));
    p_->boxes.pressKey(Qt::Key_Return);
    QTest::keyClick(focused(), Qt::Key_Space);
    QCOMPARE(boxesOver(w), QStringList{kPrintQuestion});
    QVERIFY(tabTo(inputBox(w, 1)));
    typeByKeyboard(inputs);
    QVERIFY(tabTo(w->form().compute));
    QTest::keyClick(focused(), Qt::Key_Return);
    QCOMPARE(p_->boxes.take(), QStringList{});
    QCOMPARE(p_->printer.jobs.size(), 1u);
    const QStringList paper = copiedLines(p_->printer.jobs.front());
    QCOMPARE(paper.size(), static_cast<qsizetype>(p_->printer.jobs.front().size()) - 8);

    QVERIFY(copy->isEnabled());
    QTest::keyClick(focused(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(clipboardLines(), paper);

    // The same from the window's context menu and from the result box's or table's, which keeps
    // what it offers besides.
    QWidget* result = w->form().resultBox != nullptr ? static_cast<QWidget*>(w->form().resultBox)
                                                     : w->form().list->viewport();
    for (QWidget* target : {static_cast<QWidget*>(w), result}) {
        clipboard->clear();
        QMenu* menu = contextMenu(target);
        QVERIFY2(menu != nullptr, qPrintable(target->objectName()));
        QAction* entry = menuEntry(menu, QStringLiteral("計算条件と結果をコピー"));
        QVERIFY(entry != nullptr && entry->isEnabled());
        if (target != w) QVERIFY(menu->actions().size() > 2);
        entry->trigger();
        menu->close();
        QCOMPARE(clipboardLines(), paper);
    }

    // Typing into the boxes afterwards changes nothing of what was calculated.
    QVERIFY(tabTo(inputBox(w, 1)));
    QTest::keyClicks(focused(), QStringLiteral("9"));
    QTest::keyClick(focused(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(clipboardLines(), paper);

    // A click that does not calculate, Clear, and a new dressing each leave nothing to copy.
    inputBox(w, 2)->clear();
    QCOMPARE(p_->compute(w), QStringList{kInputRequired});
    QVERIFY(!copy->isEnabled());
    QMenu* menu = contextMenu(w);
    QVERIFY(menu != nullptr);
    QVERIFY(!menuEntry(menu, QStringLiteral("計算条件と結果をコピー"))->isEnabled());
    menu->close();

    typeInputs(w, inputs);
    QCOMPARE(p_->compute(w), QStringList{});
    QVERIFY(copy->isEnabled());
    w->form().clear->click();
    QVERIFY(!copy->isEnabled());

    typeInputs(w, inputs);
    QCOMPARE(p_->compute(w), QStringList{});
    QVERIFY(copy->isEnabled());
    w->form().menu->click();
    QCOMPARE(p_->choose(item), w);
    QVERIFY(!copy->isEnabled());

    // The three calculations that succeeded are in the record as copied; Ctrl+H shows it.
    const QString copied = paper.join(u'\n') + u'\n';
    for (const RecordEntry& e : p_->main.record().record().entries())
        QCOMPARE(QString::fromStdString(printText(e.calculation->printout)), copied);
    QVERIFY(activate(w));
    QTest::keyClick(focused(), Qt::Key_H, Qt::ControlModifier);
    QVERIFY(p_->main.recordWindow() != nullptr);
    auto* view = p_->main.recordWindow()->findChild<QAbstractItemView*>(QStringLiteral("RecordView"));
    QTRY_VERIFY(view->isVisible());
    QCOMPARE(view->model()->rowCount(), 3);
    view->selectAll();
    p_->main.recordWindow()->findChild<QAction*>(QStringLiteral("actionRecordCopy"))->trigger();
    QCOMPARE(clipboard->text().count(copied.mid(copied.indexOf(u'\n'))),
             3); // each after its heading and time
}

// Ctrl+C copies the selected rows as shown, Ctrl+A selects them all; the table's context menu
// copies the selection or every row.
void KeyboardTest::copyFromTheTable() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    ui::CalculatorWindow* w = open(QStringLiteral("FA"));
    QVERIFY(w != nullptr);
    typeInputs(w, {"1000", "0.05", "12"});
    QCOMPARE(p_->compute(w), QStringList{});
    ui::TableList* l = w->form().list;
    const QStringList all = listLines(w);
    QCOMPARE(all.size(), 12);
    QCOMPARE(all.at(9), QStringLiteral("   10     1628.895"));

    clipboard->setText(QStringLiteral("before"));
    l->setFocus();
    QTest::keyClick(l, Qt::Key_C, Qt::ControlModifier); // nothing selected: nothing copied
    QCOMPARE(clipboard->text(), QStringLiteral("before"));

    l->setCurrentIndex(l->model()->index(9, 0));
    QTest::keyClick(l, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboardLines(), QStringList{all.at(9)});

    QTest::keyClick(l, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(l->selectionModel()->selectedRows().size(), 12);
    QTest::keyClick(l, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboardLines(), all);

    // A click selects one row again, as the list always did.
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualRect(l->model()->index(2, 0)).center());
    QCOMPARE(l->selectionModel()->selectedRows().size(), 1);

    QMenu* menu = contextMenu(l->viewport());
    QVERIFY(menu != nullptr);
    QAction* copySelected = menuEntry(menu, QStringLiteral("コピー"));
    QAction* copyAll = menuEntry(menu, QStringLiteral("すべてコピー"));
    QVERIFY(copySelected != nullptr && copySelected->isEnabled());
    QVERIFY(copyAll != nullptr && copyAll->isEnabled());
    copySelected->trigger();
    QCOMPARE(clipboardLines(), QStringList{all.at(2)});
    copyAll->trigger();
    QCOMPARE(clipboardLines(), all);
    menu->close();

    // An empty table offers nothing to copy.
    w->form().clear->click();
    menu = contextMenu(l->viewport());
    QVERIFY(menu != nullptr);
    QVERIFY(!menuEntry(menu, QStringLiteral("コピー"))->isEnabled());
    QVERIFY(!menuEntry(menu, QStringLiteral("すべてコピー"))->isEnabled());
    menu->close();
}

// Ctrl+C in the result box copies its whole text when nothing is selected, the selection
// otherwise; the input boxes keep their own context menu.
void KeyboardTest::copyFromTheResultBox() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    ui::CalculatorWindow* w = open(QStringLiteral("SP"));
    QVERIFY(w != nullptr);
    typeInputs(w, {"1000000", "0.05", "3"});
    QCOMPARE(p_->compute(w), QStringList{});
    QLineEdit* box = w->form().resultBox;
    QCOMPARE(box->text(), QStringLiteral("150000.000"));

    box->setFocus();
    box->deselect();
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("150000.000"));
    box->setSelection(0, 6);
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("150000"));

    // A text too long for the box shows its leading part and 「…」; copying takes it whole.
    const QString longText = QStringLiteral("123456789012345678901234567890123456789.000");
    box->setText(longText);
    inputBox(w, 1)->setFocus();
    auto* shown = qobject_cast<ui::ResultBox*>(box);
    QVERIFY(shown != nullptr && shown->elided());
    box->setFocus();
    box->deselect();
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), longText);

    QMenu* menu = contextMenu(inputBox(w, 1));
    QVERIFY(menu != nullptr);
    QCOMPARE(menuEntry(menu, QStringLiteral("計算条件と結果をコピー")), nullptr);
    menu->close();
}

void KeyboardTest::inputAidByKeyboard_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("annual");
    QTest::addColumn<int>("perYear");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("reading");
    QTest::newRow("KA2C rate") << "KA2C" << 2 << "1.5" << 12 << "0.00125"
                               << "1期あたり 0.125 %（毎月なら年 1.5 %）";
    QTest::newRow("KA2C count") << "KA2C" << 3 << "30" << 12 << "360"
                                << "360 回（毎月なら 30 年）";
    QTest::newRow("FA rate, not ending") << "FA" << 2 << "1" << 12 << "0.000833333333333333"
                                         << "";
    QTest::newRow("NC2 growth, quarterly") << "NC2" << 2 << "3" << 4 << "0.0075"
                                           << "";
    QTest::newRow("KAA count, quarterly") << "KAA" << 2 << "2.5" << 4 << "10"
                                          << "10 回（四半期ごとなら 2.5 年）";
    QTest::newRow("TH monthly by itself") << "TH" << 3 << "1.2" << 0 << "0.001"
                                          << "";
}

// F4 in a rate or count box opens the aid; Enter takes its figure into the box as one edit that
// one Ctrl+Z undoes, and the calculation reads the box as typed either way.
void KeyboardTest::inputAidByKeyboard() {
    QFETCH(QString, item);
    QFETCH(int, box);
    QFETCH(QString, annual);
    QFETCH(int, perYear);
    QFETCH(QString, expected);
    QFETCH(QString, reading);
    ui::CalculatorWindow* w = open(item);
    QVERIFY(w != nullptr);
    const QStringList inputs = exampleInputs(item.toStdString());
    typeByKeyboard(inputs);
    QLineEdit* target = inputBox(w, box);
    QVERIFY(tabTo(target));
    QMenu* menu = contextMenu(target); // the mouse's way to the same aid
    QVERIFY(menu != nullptr && menu->actions().constLast()->shortcut() == QKeySequence(Qt::Key_F4));
    menu->close();
    QTest::keyClick(target, Qt::Key_F4);
    auto* aid = w->findChild<QDialog*>(QStringLiteral("InputAid"));
    QVERIFY(aid != nullptr && aid->isVisible());
    auto* value = aid->findChild<QLineEdit*>(QStringLiteral("AidValue"));
    auto* periods = aid->findChild<QComboBox*>(QStringLiteral("AidPerYear"));
    QCOMPARE(periods->isEnabled(), perYear != 0); // a monthly calculation stays monthly
    if (perYear != 0) periods->setCurrentIndex(periods->findData(perYear));
    value->selectAll();
    QTest::keyClicks(value, annual);
    QTest::keyClick(value, Qt::Key_Return);
    QTRY_VERIFY(w->findChild<QDialog*>(QStringLiteral("InputAid")) == nullptr);
    QCOMPARE(target->text(), expected);
    if (!reading.isEmpty()) QCOMPARE(target->accessibleDescription(), reading);
    if (perYear != 0) QCOMPARE(p_->main.state().aidPerYear, perYear);

    QTest::keyClick(target, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(target->text(), inputs.at(box - 1));
    w->form().compute->click();
    QCOMPARE(shownResult(w), shownResult(runCalculation(item.toStdString(), toStd(inputs), false)));
}

void KeyboardTest::hintAtARateTypedAsPercent_data() {
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<int>("perYear");  // the aid's last choice; 0: none
    QTest::addColumn<QString>("hint"); // empty: none
    QTest::addColumn<QString>("applied");
    QTest::newRow("5") << QStringList{"1000000", "5", "12"} << 0
                       << "5 は 1期 500 % として計算します。5 % のつもりなら 0.05"
                       << "0.05";
    QTest::newRow("5%") << QStringList{"1000000", "5%", "12"} << 0
                        << "5% は % 付きのため数値として読めません。5 % のつもりなら 0.05"
                        << "0.05";
    QTest::newRow("1.5, monthly") << QStringList{"35000000", "1.5", "360"} << 12
                                  << "1.5 は 1期 150 % として計算します。年 1.5 % なら 0.00125（毎月）。"
                                     "F4 で年利から入力できます"
                                  << "0.00125";
    QTest::newRow("0.05") << QStringList{"1000000", "0.05", "12"} << 0 << ""
                          << "";
    QTest::newRow("count 5") << QStringList{"1000000", "0.05", "5"} << 0 << ""
                             << "";
}

// After 計算, a rate of 5 or 「5%」 gets a hint beside its box (the calculation as it always was);
// its button puts the likely meaning in, and the hint goes when the box changes.
void KeyboardTest::hintAtARateTypedAsPercent() {
    QFETCH(QStringList, inputs);
    QFETCH(int, perYear);
    QFETCH(QString, hint);
    QFETCH(QString, applied);
    ui::CalculatorWindow* w = open(QStringLiteral("KA2C"));
    QVERIFY(w != nullptr);
    const_cast<AppState&>(p_->main.state()).aidPerYear = perYear; // as the aid's last choice leaves it
    typeByKeyboard(inputs);
    w->form().compute->click();
    const Outcome out = runCalculation("KA2C", toStd(inputs), false);
    const QStringList seen =
        out.message == Message::None ? QStringList{} : QStringList{boxName(BoxKind::CalculationError)};
    QCOMPARE(p_->boxes.take(), seen);
    if (out.resultText) QCOMPARE(shownResult(w), shownResult(out));
    auto* note = w->findChild<QFrame*>(QStringLiteral("InputHint"));
    QCOMPARE(note->isVisible(), !hint.isEmpty());
    if (hint.isEmpty()) return;
    QCOMPARE(note->accessibleDescription(), hint);
    note->findChild<QPushButton*>(QStringLiteral("InputHintApply"))->click();
    QCOMPARE(inputBox(w, 2)->text(), applied);
    QVERIFY(!note->isVisible());
}

// Ctrl+T opens the schedule of the calculation, a row per payment, nothing selected. The pointer
// over the chart moves only its cursor; a click or a key there chooses the table's row. Tab goes
// table, chart, buttons; Shift+F10 and the menu key open the commands' menu. A copy and a CSV file
// carry the conditions and the totals, until the save dialog's check box asks for the rows alone.
void KeyboardTest::scheduleOfAMortgage() {
    ui::CalculatorWindow* w = open(QStringLiteral("KA2C"));
    QVERIFY(w != nullptr);
    typeInputs(w, {"35000000", "0.00125", "360"});
    QCOMPARE(p_->compute(w), QStringList{});
    QTest::keyClick(focused(), Qt::Key_T, Qt::ControlModifier);
    auto* window = w->findChild<QWidget*>(QStringLiteral("ScheduleWindow"));
    QVERIFY(window != nullptr);
    QVERIFY(QTest::qWaitForWindowActive(window));
    auto* view = window->findChild<QAbstractItemView*>(QStringLiteral("ScheduleView"));
    auto* chart = window->findChild<QWidget*>(QStringLiteral("ScheduleChart"));
    const auto copied = [window] {
        window->findChild<QAction*>(QStringLiteral("actionScheduleCopy"))->trigger();
        return QGuiApplication::clipboard()->text().split(u'\n', Qt::SkipEmptyParts);
    };
    const QStringList conditions{"☆☆割賦返済の計算☆☆", "当初借入額=35000000", "返済間隔間の利率=0.00125",
                                 "返済回数=360", "返済前の残高=35000000.000"};
    const QStringList all = copied();
    QCOMPARE(all.size(), 5 + 1 + 360 + 1);
    QCOMPARE(all.mid(0, 6), conditions + QStringList{"回\t返済額\tうち元金\tうち利息\t残高"});
    QCOMPARE(all.mid(365), (QStringList{"360\t120792.074\t120641.272\t150.802\t0",
                                        "合計\t43485146.640\t35000000.000\t8485146.640\t"}));

    QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
    QTest::mouseMove(chart, QPoint(chart->width() / 3, chart->height() / 2));
    QTest::mouseMove(chart, QPoint(chart->width() / 2, chart->height() / 2));
    QCOMPARE(copied().size(), all.size()); // every row still selected: all of it
    QTest::keyClick(chart, Qt::Key_End);
    QTest::keyClick(chart, Qt::Key_Left);
    QCOMPARE(view->currentIndex().row(), 358);
    QCOMPARE(copied().mid(5), (QStringList{all[5], all[364]})); // the chosen row, under its header

    // Tab leaves the table for the chart, then the buttons; both open the menu from the keyboard.
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), chart);
    QTest::keyClick(chart, Qt::Key_Tab);
    QCOMPARE(qobject_cast<QPushButton*>(QApplication::focusWidget())->text(), QStringLiteral("コピー"));
    for (const auto& [widget, key, modifiers] :
         {std::tuple{static_cast<QWidget*>(view), Qt::Key_F10, Qt::ShiftModifier},
          std::tuple{chart, Qt::Key_Menu, Qt::NoModifier}}) {
        QString first; // the menu's first command, read while it is open
        QTimer::singleShot(0, window, [&first] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                first = menu->actions().front()->text();
                menu->close();
            }
        });
        QTest::keyClick(widget, key, modifiers);
        QCOMPARE(first, QStringLiteral("コピー"));
    }

    QTemporaryDir dir;
    for (const bool rowsOnly : {false, true}) { // the rows alone, with a BOM
        window->findChild<QAction*>(QStringLiteral("actionScheduleCsv"))->trigger();
        auto* save = window->findChild<QFileDialog*>(QStringLiteral("SaveDialog"));
        save->selectNameFilter(save->nameFilters().at(rowsOnly ? 1 : 0));
        save->findChild<QCheckBox*>(QStringLiteral("RowsOnly"))->setChecked(rowsOnly);
        const QString file = dir.filePath(QString::number(rowsOnly) + QStringLiteral(".csv"));
        save->selectFile(file);
        QMetaObject::invokeMethod(save, "accept");
        QTRY_VERIFY(QFile::exists(file));
        QFile csv(file);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QByteArray bytes = csv.readAll();
        QCOMPARE(bytes.startsWith("\xEF\xBB\xBF"), rowsOnly);
        QStringList lines = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(lines.replaceInStrings(u",", u"\t"), rowsOnly ? all.mid(5, 361) : all);
    }
    view->clearSelection();
    QCOMPARE(copied().size(), 361); // the choice holds for copies too
}

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
