#pragma once

#include "compute/app_state.h"
#include "compute/flow.h"
#include "ui/paper/line_printer.h"

#include <QObject>
#include <QString>

#include <optional>

class QAction;
class QWidget;

namespace kinri::ui {

class CalculatorForm;
class PrintService;
class PrintWait;

// What the buttons and the print switch of one calculator window do. 計算: the input boxes go to
// the compute flow, its outcome to the screen, the calculation it produced to whoever listens
// (the record), its printout to the print service (waiting for the job's fate), and last the
// message it calls for. クリヤ, Menu and the print switch do what their names say. While a click
// waits for its printer, none of them starts anything.
//
// The controller owns the window's last calculation that succeeded: copying, paper and the
// schedule take it from here, until the next click, クリヤ or menu entry lets it go.
class ClickController : public QObject {
    Q_OBJECT
public:
    ClickController(QWidget& window, CalculatorForm& form, AppState& state, PrintService& printing,
                    QWidget& menuWindow);

    void compute();
    void clear();
    void backToMenu();
    void askPrintOption();
    // A window's close box: the program ends, and a click that waits for its printer gives up.
    void endProgram() { emit programEndRequested(); }
    // A menu entry has dressed the window: nothing calculated in it yet.
    void forget();

    // The last calculation that succeeded in this dressing; nullptr when there is none.
    const Calculation* last() const { return last_.get(); }
    // The same, shared with a window that keeps it (a plan made from it).
    std::shared_ptr<const Calculation> lastShared() const { return last_; }
    // `action` enabled exactly while there is a last calculation.
    void enableWithLast(QAction& action) const;

signals:
    // 計算 succeeded: after the window shows it, before any print or message.
    // The record shares it rather than copying a long table.
    void calculated(std::shared_ptr<const kinri::Calculation> calculation);
    // The last calculation is gone without a new one: a failed click, クリヤ, a menu entry.
    void forgotten();
    void programEndRequested();
    // クリヤ has emptied the boxes.
    void cleared();

private:
    // Prints the job and waits for its fate; a failure's reason for the message box, or nothing.
    // Sets `ending` when the program is to end meanwhile.
    PrintResult printAndWait(PrintWait& wait, const Calculation& calculation, bool& ending);
    void letGo(std::shared_ptr<const Calculation> old);

    QWidget& window_;
    CalculatorForm& form_;
    AppState& state_;
    PrintService& printing_;
    QWidget& menuWindow_;
    std::shared_ptr<const Calculation> last_;
    bool busy_ = false; // a click is under way; e.g. an assistive tool's press must not nest one
};

} // namespace kinri::ui
