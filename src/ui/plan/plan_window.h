#pragma once

#include "schedule/plan.h"

#include <QWidget>

#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTableView;
class QTableWidget;
class QVBoxLayout;

namespace kinri::ui {

class PlanEventsModel;
class ScheduleChart;
class ScheduleModel;

// 返済プラン: a loan, the events the borrower plans (prepayments, rate changes) and a bonus part,
// recomputed in whole yen at every edit; the rows (PlanView) and their chart (PlanChart), and the
// plan against the same loan without its events (PlanCompare).
class PlanWindow : public QWidget {
    Q_OBJECT
public:
    explicit PlanWindow(QWidget* parent = nullptr);
    ~PlanWindow() override;

    // The loan of a calculation, where the window is opened from one.
    void setLoan(const plan::Loan& loan);
    // The plan as the boxes hold it now; nothing while a box cannot be read.
    std::optional<plan::Plan> plan() const;
    const plan::Result& result() const { return result_; }

private:
    void recompute();
    void showComparison(const plan::Result& before);

    QLineEdit* amount_;
    QLineEdit* rate_;
    QLineEdit* years_;
    QComboBox* method_;
    QSpinBox* startYear_;
    QSpinBox* startMonth_;
    QLineEdit* bonus_;
    QSpinBox* bonusMonths_[2];
    PlanEventsModel* events_;
    QTableView* eventsView_;
    QComboBox* rounding_;
    QLabel* status_;
    QTableView* view_;
    QTableWidget* compare_;
    QVBoxLayout* chartSlot_;
    ScheduleChart* chart_ = nullptr;
    ScheduleModel* model_ = nullptr;
    std::unique_ptr<Schedule> schedule_;
    plan::Result result_;
};

} // namespace kinri::ui
