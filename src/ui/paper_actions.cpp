#include "ui/paper_actions.h"

#include "ui/calculator_keys.h"
#include "ui/message_box.h"
#include "ui/paper.h"
#include "ui/qt_text.h"
#include "ui/schedule_window.h"
#include "ui/system_printer.h"

#include "schedule/schedule.h"

#include <QAction>
#include <QWidget>

namespace kinri::ui {

PaperActions::PaperActions(QWidget& window, CalculatorKeys& keys)
    : QObject(&window), window_(window), keys_(keys) {
    QAction* record =
        add(QStringLiteral("計算記録を表示"), QKeySequence(Qt::CTRL | Qt::Key_H), "actionShowRecord");
    connect(record, &QAction::triggered, this, &PaperActions::recordRequested);

    QAction* preview = add(QStringLiteral("印刷プレビュー"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P),
                           "actionPrintPreview");
    QAction* pdf = add(QStringLiteral("PDFとして保存…"), QKeySequence::Save, "actionSavePdf");
    QAction* print = add(QStringLiteral("印刷…"), QKeySequence::Print, "actionPrintDialog");
    schedule_ = add(QStringLiteral("返済予定表"), QKeySequence(Qt::CTRL | Qt::Key_T), "actionSchedule");
    schedule_->setVisible(false);
    connect(schedule_, &QAction::triggered, this, &PaperActions::openSchedule);
    // Only once a calculation has succeeded, as copying it.
    for (QAction* a : {preview, pdf, print, schedule_}) {
        a->setEnabled(keys.copyConditions()->isEnabled());
        connect(keys.copyConditions(), &QAction::enabledChanged, a, &QAction::setEnabled);
    }
    const auto job = [this] { return keys_.conditionsJob(); };
    const auto title = [this] { return printJobTitle(keys_.conditionsJob()); };
    connect(preview, &QAction::triggered, this,
            [this, job, title] { showPrintPreview(&window_, job(), title()); });
    connect(print, &QAction::triggered, this,
            [this, job, title] { printWithDialog(&window_, job(), title()); });
    connect(pdf, &QAction::triggered, this, [this, job, title] {
        const QString stem = keys_.dressed() != nullptr
                                 ? QStringLiteral("金利計算_") + qs(keys_.dressed()->item)
                                 : QStringLiteral("金利計算");
        savePdfAs(&window_, job(), title(), stem);
    });
}

void PaperActions::setDressed(const CatalogueEntry& entry) {
    // A schedule belongs to the calculation it was made from: a new menu entry closes it, rather
    // than let it come back with a window that shows another calculation.
    for (ScheduleWindow* schedule : window_.findChildren<ScheduleWindow*>(Qt::FindDirectChildrenOnly))
        schedule->close();
    schedule_->setVisible(hasSchedule(entry.item));
    schedule_->setText(entry.calc.isTable() && entry.item != "KAA" && entry.item != "KA2A"
                           ? QStringLiteral("明細")
                           : QStringLiteral("返済予定表"));
}

// The schedule of the last calculation that succeeded, in a window of its own beside this one
// (several may be open); a schedule that cannot be made gets the calculation's error message.
void PaperActions::openSchedule() {
    const CatalogueEntry* entry = keys_.dressed();
    const std::vector<std::string>& inputs = keys_.calculatedInputs();
    if (entry == nullptr || inputs.empty() || !hasSchedule(entry->item)) return;
    try {
        Schedule schedule = makeSchedule(entry->item, inputs);
        // The conditions as the printout carries them: the family's header and the inputs.
        std::vector<std::string> conditions;
        const std::size_t wanted = 1 + static_cast<std::size_t>(windowInfo(entry->window).inputCount);
        for (const kinri::PrintLine& line : keys_.conditionsJob())
            if (!line.text.empty() && conditions.size() < wanted) conditions.push_back(line.text);
        auto* window =
            new ScheduleWindow(std::move(schedule), std::move(conditions), qs(entry->menuCaption), &window_);
        window->show();
        window->activateWindow();
    } catch (const CalcError&) {
        showMessage(&window_, kCalculationErrorBox);
    }
}

QAction* PaperActions::add(const QString& text, const QKeySequence& keys, const char* name) {
    auto* action = new QAction(text, &window_);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    window_.addAction(action);
    keys_.addToMenus(action);
    return action;
}

} // namespace kinri::ui
