#pragma once

#include "compute/print_job.h"
#include "schedule/plan.h"

#include <QWidget>

#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableView;
class QTableWidget;
class QVBoxLayout;

namespace kinri::ui {

class PaperService;
struct HelpViewer;
class PlanEventsModel;
class ScheduleChart;
class ScheduleModel;

// 返済プラン: a loan, the events the borrower plans (prepayments, rate changes) and a bonus part,
// recomputed in whole yen at every edit; the rows (PlanView) and their chart (PlanChart), and the
// plan against the same loan without its events (PlanCompare).
class PlanWindow : public QWidget {
    Q_OBJECT
public:
    PlanWindow(PaperService& paper, HelpViewer& help, QWidget* parent);
    ~PlanWindow() override;

    // The loan of a calculation, where the window is opened from one (nothing: the defaults stay).
    // The plan keeps the calculation while its loan's boxes hold it: in the program's rounding the
    // plan is then that calculation's own schedule until its first event.
    void setCalculation(std::shared_ptr<const Calculation> calculation);
    void setLoan(const plan::Loan& loan);
    // The plan as the boxes hold it now; nothing while a box cannot be read.
    std::optional<plan::Plan> plan() const;
    const plan::Result& result() const { return result_; }

    // The plan's conditions and events, then its rows and totals: tab-separated (the selected rows
    // only, where some are) or as CSV.
    QString tabSeparated(bool selectedOnly) const;
    QString csv(bool rowsOnly) const;
    // The plan as the record keeps it, like a calculation: its printout, the conditions and the
    // rows, under 「☆☆返済プラン☆☆」 and the time it was recorded.
    std::shared_ptr<const Calculation> recordEntry() const;

signals:
    void recorded(std::shared_ptr<const kinri::Calculation> plan);

private:
    void recompute();
    std::vector<std::string> conditions() const;
    // The plan on paper: its conditions, then its rows in aligned columns and its totals.
    std::vector<PrintLine> printout() const;
    void showComparison(const plan::Result& before);
    // The loan's boxes as typed, to tell whether they still hold the calculation's loan.
    QStringList loanTexts() const;

    PaperService& paper_;
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
    std::shared_ptr<const Calculation> origin_;
    // The plan the comparison and the dashed line are against: the same loan without the events,
    // or a plan the user kept (「このプランを比較の基準にする」), computed in the rounding chosen now.
    std::optional<plan::Plan> base_;
    QPushButton* keepBase_;
    QStringList originTexts_; // the loan's boxes as the calculation filled them
};

} // namespace kinri::ui
