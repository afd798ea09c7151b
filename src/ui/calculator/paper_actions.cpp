#include "ui/calculator/paper_actions.h"

#include "ui/calculator/calculator_keys.h"
#include "ui/calculator/click_controller.h"
#include "ui/common/message_box.h"
#include "ui/common/qt_text.h"
#include "ui/common/window_placement.h"
#include "ui/paper/paper_service.h"
#include "ui/plan/plan_window.h"
#include "ui/schedule/schedule_window.h"

#include "schedule/plan.h"
#include "schedule/schedule.h"

#include <algorithm>

#include <QAction>
#include <QWidget>

namespace kinri::ui {

PaperActions::PaperActions(QWidget& window, CalculatorKeys& keys, const ClickController& clicks,
                           PaperService& paper)
    : QObject(&window), window_(window), keys_(keys), clicks_(clicks), paper_(paper) {
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
    plan_ = add(QStringLiteral("返済プラン"), QKeySequence(Qt::CTRL | Qt::Key_L), "actionPlan");
    plan_->setVisible(false);
    connect(plan_, &QAction::triggered, this, [this] { openPlan(clicks_.lastShared(), window_); });
    for (QAction* a : {preview, pdf, print})
        clicks.enableWithLast(*a);
    connect(preview, &QAction::triggered, this, [this] {
        if (const Calculation* c = clicks_.last())
            paper_.preview(&window_, PaperService::linesOf(c->printout), qs(c->title));
    });
    connect(print, &QAction::triggered, this, [this] {
        if (const Calculation* c = clicks_.last())
            paper_.print(&window_, PaperService::linesOf(c->printout), qs(c->title));
    });
    connect(pdf, &QAction::triggered, this, [this] {
        if (const Calculation* c = clicks_.last())
            paper_.savePdf(&window_, PaperService::linesOf(c->printout), qs(c->title),
                           QStringLiteral("金利計算_") + qs(c->entry->item));
    });
}

void PaperActions::setDressed(const CatalogueEntry& entry) {
    // A schedule belongs to the calculation it was made from: a new menu entry closes it, rather
    // than let it come back with a window that shows another calculation.
    for (ScheduleWindow* schedule : window_.findChildren<ScheduleWindow*>(Qt::FindDirectChildrenOnly))
        schedule->close();
    const ScheduleShape* shape = scheduleShape(entry.item);
    schedule_->setVisible(shape != nullptr);
    if (shape != nullptr) schedule_->setText(qs(shape->title));
    plan_->setVisible(shape != nullptr && shape->kind == Schedule::Kind::Loan);
}

void PaperActions::openPlan(std::shared_ptr<const kinri::Calculation> calculation, QWidget& beside) {
    auto* window = new PlanWindow(paper_, keys_.help(), &window_);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setCalculation(std::move(calculation));
    connect(window, &PlanWindow::recorded, this, &PaperActions::planRecorded);
    placeBeside(*window, beside, window->sizeHint());
    window->show();
    window->activateWindow();
}

// The schedule of the last calculation, in a window of its own beside this one (several may be
// open); a schedule that cannot be made gets the calculation's error message. Always offered where
// the entry has one: without a calculation to show, it says why rather than do nothing.
void PaperActions::openSchedule() {
    const Calculation* calculation = clicks_.last();
    if (calculation == nullptr) {
        showMessage(&window_, kNoScheduleYetBox);
        return;
    }
    if (!hasSchedule(calculation->entry->item)) return;
    try {
        auto* window = new ScheduleWindow(makeSchedule(*calculation), *calculation, paper_, &window_);
        // The schedule's own calculation, even after the window has computed another.
        connect(window, &ScheduleWindow::planRequested, this,
                [this, window, c = clicks_.lastShared()] { openPlan(c, *window); });
        placeBeside(*window, window_, window->size()); // the calculation it belongs to stays in view
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
