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
// dialog, table and chart. Copies and CSV stand alone: the conditions above, the totals below,
// unless the user asks for the rows alone. Tab goes table, chart, buttons; Shift+F10 and the menu
// key open the commands' menu in the table and the chart.
class ScheduleWindow : public QWidget {
    Q_OBJECT
public:
    // The schedule of `calculation`, whose conditions it shows above the rows.
    ScheduleWindow(Schedule schedule, const kinri::Calculation& calculation, PaperService& paper,
                   QWidget* parent);
    ~ScheduleWindow() override;

    // The rows as tab-separated text with the header: the selected rows, or all (none selected, or
    // not `selectedOnly`). Unless `rowsOnly`, the conditions come first, one line each, and after
    // all the rows their totals (not after a selection, which they are not the totals of).
    QString tabSeparated(bool selectedOnly, bool rowsOnly = false) const;
    // All of it as CSV lines (RFC 4180, CRLF).
    QString csv(bool rowsOnly = false) const;

signals:
    // 「返済プラン…」 (a loan's schedule only): a plan of this calculation's loan.
    void planRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The lines of a copy or a CSV file, as cells.
    std::vector<std::vector<std::string>> exported(bool selectedOnly, bool rowsOnly) const;
    std::vector<kinri::PrintLine> paperLines() const;
    void copy();
    void showMenu(QWidget* over, QPoint at);

    Schedule schedule_;
    // The calculation's header and inputs, as on its printout, then a loan's balance before it.
    std::vector<std::string> conditions_;
    PaperService& paper_;
    ScheduleModel* model_ = nullptr;
    QTableView* view_ = nullptr;
    QTableView* totals_ = nullptr;
    ScheduleChart* chart_ = nullptr;
};

} // namespace kinri::ui
