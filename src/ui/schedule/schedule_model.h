#pragma once

#include "schedule/schedule.h"

#include <QAbstractTableModel>

namespace kinri::ui {

// A schedule's period rows (or, for the totals, its one totals row) for a table view: texts as
// shown, figures right-aligned.
class ScheduleModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class Rows { Periods, Totals };
    ScheduleModel(const Schedule& schedule, Rows rows, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const std::vector<std::string>& row(int r) const;

    const Schedule& schedule_;
    Rows rows_;
};

} // namespace kinri::ui
