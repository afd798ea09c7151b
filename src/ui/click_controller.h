#pragma once

#include "compute/app_state.h"
#include "compute/flow.h"
#include "ui/platform.h"

#include <QObject>
#include <QString>

#include <string>
#include <vector>

class QWidget;

namespace kinri::ui {

class CalculatorForm;
class PrintService;
class PrintWait;

// What the buttons and the print switch of one calculator window do. 計算: the input boxes go to
// the compute flow, its outcome to the screen, its print job to the print service (waiting for
// the job's fate), and last the message it calls for. クリヤ, Menu and the print switch do what
// their names say. While a click waits for its printer, none of them starts anything.
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

signals:
    // After 計算 has shown its outcome, before any print: what it computed from which inputs.
    void computed(const kinri::Outcome& out, const std::vector<std::string>& inputs);
    void programEndRequested();
    // クリヤ has emptied the boxes.
    void cleared();

private:
    // Prints the job and waits for its fate; a failure's reason for the message box, or nothing.
    // Sets `ending` when the program is to end meanwhile.
    PrintResult printAndWait(PrintWait& wait, const std::vector<kinri::PrintLine>& job, bool& ending);

    QWidget& window_;
    CalculatorForm& form_;
    AppState& state_;
    PrintService& printing_;
    QWidget& menuWindow_;
    bool busy_ = false; // a click is under way; e.g. an assistive tool's press must not nest one
};

// The reason of a print failure as the user reads it: 「印刷できませんでした：…」, and the print
// system's own words on a line of their own when it said any.
QString printFailureText(const PrintResult& result);

} // namespace kinri::ui
