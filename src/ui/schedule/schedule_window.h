#pragma once

#include "compute/calculation.h"
#include "schedule/schedule.h"

#include <QWidget>

#include <string>
#include <vector>

class QTableView;

namespace kinri::ui {

class PaperService;
class ScheduleChart;
class ScheduleModel;

// 返済予定表 (明細 for compound and simple interest) of one calculation: the conditions it was made
// from, the table (its header and totals stay while the rows scroll) and the chart, resizable.
// The rows go out as tab-separated text (selected or all, with the header), as CSV (UTF-8, or with
// a BOM for spreadsheet programs on Windows), and on paper through preview, PDF and the print
// dialog, table and chart.
class ScheduleWindow : public QWidget {
    Q_OBJECT
public:
    // The schedule of `calculation`, whose conditions it shows above the rows.
    ScheduleWindow(Schedule schedule, const kinri::Calculation& calculation, PaperService& paper,
                   QWidget* parent);
    ~ScheduleWindow() override;

    // The rows as tab-separated text with the header: the selected rows, or all.
    QString tabSeparated(bool selectedOnly) const;
    // The same as CSV lines (RFC 4180, CRLF).
    QString csv() const;

private:
    std::vector<kinri::PrintLine> paperLines() const;
    void copy();

    Schedule schedule_;
    std::vector<std::string> conditions_; // the calculation's header and inputs, as on its printout
    ScheduleModel* model_ = nullptr;
    QTableView* view_ = nullptr;
    QTableView* totals_ = nullptr;
    ScheduleChart* chart_ = nullptr;
};

} // namespace kinri::ui
