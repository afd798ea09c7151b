#include "ui/calculator/click_controller.h"

#include "aid/input_aid.h"
#include "compute/flow.h"
#include "ui/calculator/calculator_form.h"
#include "ui/captions/caption_label.h"
#include "ui/common/announcer.h"
#include "ui/common/message_box.h"
#include "ui/common/qt_text.h"
#include "ui/controls/text_box.h"
#include "ui/paper/print_service.h"
#include "ui/paper/print_wait.h"

#include <QAction>
#include <QScopedValueRollback>
#include <QTimer>
#include <QWidget>

namespace kinri::ui {

ClickController::ClickController(QWidget& window, CalculatorForm& form, AppState& state,
                                 PrintService& printing, QWidget& menuWindow)
    : QObject(&window), window_(window), form_(form), state_(state), printing_(printing),
      menuWindow_(menuWindow) {}

void ClickController::compute() {
    if (busy_) return;
    const QScopedValueRollback<bool> busy(busy_, true);
    // The held keys of a print wait reach their windows once this click is over, message included.
    PrintWait wait(printing_, this, &ClickController::programEndRequested);

    Outcome out = computeClick(state_, form_.id(), form_.inputTexts());
    form_.show(out);
    // Kept before it prints: a printer that fails still leaves the result to copy, save or record.
    if (out.calculation) {
        letGo(std::exchange(last_, std::make_shared<const Calculation>(std::move(*out.calculation))));
        form_.announcer->say(form_.spokenResult());
        emit calculated(last_);
    } else {
        forget();
    }
    if (out.message == Message::InputRequired) {
        showMessage(&window_, kInputRequiredBox);
        return;
    }
    if (out.message == Message::CalculationError) {
        // The box keeps its words; 「詳細」 says which input could not be read, and as what.
        QStringList why;
        if (out.error == CalcErrorReason::NotANumber)
            for (std::size_t k = 0; k < form_.inputs.size() && k < form_.inputCaptions.size(); ++k) {
                QString caption = form_.inputCaptions[k]->text().trimmed();
                if (caption.endsWith(u'=')) caption.chop(1);
                const std::string said =
                    aid::unreadable(caption.toStdString(), form_.inputs[k]->text().toStdString());
                if (!said.empty()) why << qs(said);
            }
        showMessage(&window_, kCalculationErrorBox, QMessageBox::Ok, {}, why.join(u'\n'));
        return;
    }
    if (out.printJob.empty() || !last_) return;
    bool ending = false;
    const PrintResult printed = printAndWait(wait, *last_, ending);
    if (ending || printed.printed()) return;
    const QString why = printFailureText(printed);
    qCInfo(printLog).noquote() << why;
    showMessage(&window_, kCalculationErrorBox, QMessageBox::Ok, {}, why);
}

PrintResult ClickController::printAndWait(PrintWait& wait, const Calculation& calculation, bool& ending) {
    const auto deadline = std::chrono::steady_clock::now() + kPrintJobBound;
    const std::shared_ptr<PrintTicket> ticket = printing_.submit(calculation.printout, qs(calculation.title));
    switch (wait.until(*ticket, deadline)) {
    case WaitEnd::Done:
        return ticket->result();
    case WaitEnd::TimedOut:
        ticket->cancel();
        return {PrintFailure::TimedOut, {}};
    case WaitEnd::ProgramEnds:
        break;
    }
    ticket->cancel();
    ending = true;
    return {PrintFailure::Cancelled, {}};
}

void ClickController::clear() {
    if (busy_) return;
    form_.clearAll();
    forget();
    emit cleared();
}

void ClickController::enableWithLast(QAction& action) const {
    action.setEnabled(last_ != nullptr);
    connect(this, &ClickController::calculated, &action, [&action] { action.setEnabled(true); });
    connect(this, &ClickController::forgotten, &action, [&action] { action.setEnabled(false); });
}

void ClickController::forget() {
    if (!last_) return;
    letGo(std::exchange(last_, nullptr));
    emit forgotten();
}

// A calculation the window no longer holds is freed once the click has been painted, unless the
// record still keeps it: a table's 10000 rows, cold by now, take longer to free than to compute.
void ClickController::letGo(std::shared_ptr<const Calculation> old) {
    if (old.use_count() == 1) QTimer::singleShot(0, this, [old = std::move(old)] {});
}

void ClickController::backToMenu() {
    if (busy_) return;
    state_.returnToMenu(windowInfo(form_.id()));
    form_.setPrintLook(false);
    window_.hide();
    menuWindow_.show();
}

void ClickController::askPrintOption() {
    if (busy_) return;
    const QScopedValueRollback<bool> busy(busy_, true);
    const auto answer = showMessage(&window_, kPrintQuestionBox, QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::No) {
        state_.setPrintAfterCalc(false);
        form_.setPrintLook(false);
    } else if (answer == QMessageBox::Yes) {
        state_.setPrintAfterCalc(true);
        form_.setPrintLook(true);
    }
}

} // namespace kinri::ui
