#pragma once

// The real program put together for headless GUI tests, and probes that find a calculator
// window's controls by what the catalogue says about the window, not by guessing from names.

#include "catalogue/catalogue.h"
#include "compute/flow.h"
#include "support/message_boxes.h"
#include "support/printers.h"
#include "ui/calculator/calculator_form.h"
#include "ui/calculator/calculator_window.h"
#include "ui/calculator/window_layouts.h"
#include "ui/captions/caption_label.h"
#include "ui/controls/print_switch.h"
#include "ui/controls/result_box.h"
#include "ui/main_window.h"

#include "ui/controls/table_list.h"
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStringList>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QAction;

namespace kinri::test {

QString qs(std::string_view s);
QStringList toQt(const std::vector<std::string>& list);
std::vector<std::string> toStd(const QStringList& list);

// Once per test program: the platform's complaints about fixed-size windows on the offscreen
// platform are silenced, and the application gets the program's font and Japanese buttons.
void setUpGuiTests();

// --- a calculator window's controls --------------------------------------------------------

const WindowInfo& info(const ui::CalculatorWindow* w);
const ui::WindowLayout& layout(const ui::CalculatorWindow* w);
// The rest by role: w->form().compute, .resultBox, .list, .printSwitch ...
QLineEdit* inputBox(const ui::CalculatorWindow* w, int k);     // Text k, from 1
ui::CaptionLabel* label(const ui::CalculatorWindow* w, int k); // Label k, from 1

QStringList listLines(const ui::CalculatorWindow* w);
// What the window shows as its result: the result box's text, or the lines of the table.
QStringList shownResult(const ui::CalculatorWindow* w);
// The same for what the core computed.
QStringList shownResult(const Outcome& out);

// Puts each text into Text1, Text2 ... as a program would.
void typeInputs(const ui::CalculatorWindow* w, const QStringList& inputs);
// Types `text` over whatever `edit` held, as a user does: select all, delete, the ASCII part as
// key presses and the rest as the input method commits it.
void typeKeys(QLineEdit* edit, const QString& text);

// The worked example of a calculation (its help page's inputs).
QStringList exampleInputs(std::string_view item);

// Twips of the window's design in pixels of `w`.
int px(const QWidget* w, double twips);
QPoint px(const QWidget* w, QPoint twips);
QPoint px(const QWidget* w, ui::TwipsPoint twips);
QRect px(const QWidget* w, const ui::ControlDesign& control);
// Where the window's design puts its control `name`.
QRect designed(const ui::CalculatorWindow* w, std::string_view name);

// Triggers `window`'s action named `action` and answers the save dialog it opens with `file`;
// false when no save dialog came.
bool saveAs(QWidget* window, const QString& action, const QString& file);

// The five selection variables, Simple first.
QList<int> codes(const AppState& state);

// Whether `w` sits where the program places its windows: centred, a third of the free height
// above it.
bool placedOnScreen(const QWidget* w);

// --- the program -----------------------------------------------------------------------------

// The program as main() puts it together, with a recording (on demand failing) printer, a
// recording help viewer, and its message boxes answered.
struct Program {
    FailingPrinter printer;
    RecordingHelpViewer help;
    MessageBoxAnswerer boxes;
    ui::MainWindow main{printer, help};
    QSignalSpy ends{&main, &ui::MainWindow::programEndRequested};

    Program();

    QAction* action(const QString& name) const; // a menu entry or title, by its name

    // Chooses a calculation from the menu; returns the window it is meant to show.
    ui::CalculatorWindow* choose(const QString& item);

    // Presses 計算; returns the message boxes it raised.
    QStringList compute(const ui::CalculatorWindow* w);
    // Clicks the print switch and answers its question; returns the boxes raised.
    QStringList switchPrinting(const ui::CalculatorWindow* w, QMessageBox::StandardButton answer);
    // Chooses `item`, switches printing on, types its worked example (or `inputs`) and computes;
    // the window, or nullptr when anything on the way went otherwise (a box, no print job).
    ui::CalculatorWindow* computeExample(const QString& item, const QStringList& inputs = {});

    QList<ui::CalculatorWindow*> visibleCalculators() const;
};

// Ends a test's program, and fails the test if a message box came up that it did not take.
void endProgram(std::unique_ptr<Program>& program);

// The base of a GUI test class whose test functions each run a fresh program, p_.
class ProgramTest : public QObject {
    Q_OBJECT

protected:
    std::unique_ptr<Program> p_;

private slots:
    void initTestCase() { setUpGuiTests(); }
    void init() { p_ = std::make_unique<Program>(); }
    void cleanup() { endProgram(p_); }
};

} // namespace kinri::test
